#include "WindowPlacement.h"

#include <QApplication>
#include <QBoxLayout>
#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QScreen>
#include <QStyle>
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

QString titleAsShown(const QString& title)
{
    // As Qt's platform windows build the title they hand the window manager.
    const QString name = QGuiApplication::applicationDisplayName();
    if (name.isEmpty() || title.endsWith(name))
        return title.isEmpty() ? QCoreApplication::applicationName() : title;
    return title.isEmpty() ? name : title + QStringLiteral(" \u2014 ") + name;
}

int widthForTitle(const QString& title)
{
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    const QFontMetrics metrics(font);
    // A frame button is about as wide as the title bar is tall.
    const int button = std::max(QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight), metrics.height() * 3 / 2);
    return metrics.horizontalAdvance(titleAsShown(title)) + 5 * button;
}

namespace {

// Widens the dialog's layout as the dialog is first shown: by then every
// dialog has its layout, a message box has not yet fixed its size, and no
// dialog has yet been placed over its window.
class RoomForTitle : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Show)
            return false;
        auto* dialog = static_cast<QDialog*>(watched);
        dialog->removeEventFilter(this);
        deleteLater();
        widen(*dialog);
        return false;
    }

private:
    static void widen(QDialog& dialog)
    {
        const QScreen* screen = dialog.screen();
        const int screenWidth = screen ? screen->availableGeometry().width() : 0;
        // No wider than a message box lets itself grow: past that it would
        // break its text anywhere to fit.
        const int most = screenWidth <= 1024 ? screenWidth : std::min(screenWidth - 480, 1000);
        int wanted = widthForTitle(dialog.windowTitle());
        if (most > 0)
            wanted = std::min(wanted, most);
        QLayout* layout = dialog.layout();
        if (!layout) {
            dialog.setMinimumWidth(std::max(dialog.minimumWidth(), wanted));
            return;
        }
        const QMargins margins = layout->contentsMargins();
        const int inside = std::max(0, wanted - margins.left() - margins.right());
        auto* room = new QSpacerItem(inside, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
        if (auto* grid = qobject_cast<QGridLayout*>(layout))
            grid->addItem(room, grid->rowCount(), 0, 1, std::max(1, grid->columnCount()));
        else if (auto* box = qobject_cast<QBoxLayout*>(layout); box && box->direction() == QBoxLayout::TopToBottom)
            box->addSpacerItem(room);
        else {
            delete room;
            dialog.setMinimumWidth(std::max(dialog.minimumWidth(), wanted));
            return;
        }
        layout->activate();
        if (dialog.width() < wanted)
            dialog.resize(wanted, dialog.height());
    }
};

}  // namespace

void makeRoomForTitle(QDialog& dialog)
{
    dialog.installEventFilter(new RoomForTitle(&dialog));
}
