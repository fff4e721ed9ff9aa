#include "platform/TabStrip.h"

#include "platform/RuntimeError.h"

TabStrip::TabStrip(QWidget* parent) : QTabWidget(parent) {}

void TabStrip::setTabs(int tabs)
{
    if (tabs < 0)
        throw RuntimeError::invalidCall(QStringLiteral("Tabs"));
    while (count() < tabs)
        addTab(new QWidget(this), QString());
    while (count() > tabs) {
        QWidget* page = widget(count() - 1);
        removeTab(count() - 1);
        delete page;
    }
}

void TabStrip::checkTab(int index) const
{
    if (index < 0 || index >= count())
        throw RuntimeError(errnum::SubscriptOutOfRange,
                           QStringLiteral("No existe la solapa %1").arg(index));
}

bool TabStrip::TabVisible(int index) const
{
    checkTab(index);
    return isTabVisible(index);
}

void TabStrip::setTabVisible(int index, bool visible)
{
    checkTab(index);
    QTabWidget::setTabVisible(index, visible);
}

QString TabStrip::TabCaption(int index) const
{
    checkTab(index);
    return tabText(index);
}

void TabStrip::setTabCaption(int index, const QString& caption)
{
    checkTab(index);
    setTabText(index, caption);
}
