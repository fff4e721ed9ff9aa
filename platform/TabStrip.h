#pragma once

#include <QTabWidget>

// A form's tab control: a number of tabs, each with a caption and a visible
// flag, numbered from 0. A tab hidden from the operator keeps its caption
// and its page. It works the same whether it is shown or not; a tab number
// outside the strip fails with error 9.
class TabStrip : public QTabWidget {
    Q_OBJECT

public:
    explicit TabStrip(QWidget* parent = nullptr);

    int Tabs() const { return count(); }
    // Adds empty pages, or removes the last ones, up to `tabs`.
    void setTabs(int tabs);

    bool TabVisible(int index) const;
    void setTabVisible(int index, bool visible);
    QString TabCaption(int index) const;
    void setTabCaption(int index, const QString& caption);

private:
    void checkTab(int index) const;
};
