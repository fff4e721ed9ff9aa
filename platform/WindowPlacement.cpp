#include "WindowPlacement.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

QWidget* openingWindow()
{
    if (QWidget* w = QApplication::activeModalWidget())
        return w;
    if (QWidget* w = QApplication::activeWindow())
        return w;
    if (QWidget* w = QApplication::focusWidget())
        return w->window();
    const QList<QWidget*> windows = QApplication::topLevelWidgets();
    for (QWidget* w : windows)
        if (w->isVisible() && !w->isMinimized() && (w->windowType() == Qt::Window || w->windowType() == Qt::Dialog))
            return w;
    return nullptr;
}

void centreOver(QWidget* w, const QWidget* over)
{
    const QScreen* screen = over ? over->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect();
    QRect g(QPoint(), w->frameGeometry().size());
    g.moveCenter(over ? over->frameGeometry().center() : area.center());
    if (area.isValid()) {
        g.moveLeft(std::clamp(g.left(), area.left(), std::max(area.left(), area.right() - g.width() + 1)));
        g.moveTop(std::clamp(g.top(), area.top(), std::max(area.top(), area.bottom() - g.height() + 1)));
    }
    w->move(g.topLeft());
}
