#pragma once

#include <QStatusBar>
#include <QString>
#include <memory>
#include <vector>

class QLabel;

// One panel of a status bar: a text shown in a label of its own, and a key
// that names the panel for code looking it up.
class StatusPanel {
public:
    QString Text() const;
    void setText(const QString& text);
    QString Key() const { return m_key; }
    void setKey(const QString& key) { m_key = key; }
    QLabel* label() const { return m_label; }

private:
    friend class StatusPanels;
    StatusPanel(QLabel* label, QString key) : m_label(label), m_key(std::move(key)) {}
    QLabel* m_label;
    QString m_key;
};

// The panels of a status bar, numbered from 1 in the order they were added.
class StatusPanels {
public:
    int Count() const { return static_cast<int>(m_panels.size()); }
    // The panel at a position from 1; a position outside fails with error 9.
    StatusPanel& operator()(int index) { return Item(index); }
    StatusPanel& Item(int index);
    // The first panel whose key equals `key` without regard to case, nullptr
    // when none does.
    StatusPanel* find(const QString& key);
    // A new panel at the end.
    StatusPanel& Add(const QString& key = {}, const QString& text = {});

private:
    friend class StatusBar;
    explicit StatusPanels(QStatusBar& bar) : m_bar(bar) {}
    QStatusBar& m_bar;
    std::vector<std::unique_ptr<StatusPanel>> m_panels;
};

// A form's status bar made of panels, each with a key and a text. It works
// the same whether it is shown or not.
class StatusBar : public QStatusBar {
    Q_OBJECT

public:
    explicit StatusBar(QWidget* parent = nullptr);
    StatusPanels& Panels() { return m_panels; }

private:
    StatusPanels m_panels;
};
