#pragma once

#include <QIcon>
#include <QPixmap>
#include <QProxyStyle>
#include <QStyle>

class QWidget;

namespace icons {

// The style's standard icon `pixmap` for `widget`, as the style gives it, but
// cheap to make: each icon is made once for the life of the style and shared
// by every control that shows it, and where the style would read its icon
// from its own image files it reads only the sizes a control can ask for on
// a screen of normal density (up to 32 pixels). What it draws is what the
// style's icon draws at every such size; where that cannot be promised
// (another style, an icon theme, a right to left layout, a screen of higher
// density) it is the style's own icon, made afresh for each call.
QIcon standard(QStyle::StandardPixmap pixmap, const QWidget* widget);

// The application's style as it is, except that the standard icons above are
// the shared ones whoever asks: Qt's own controls ask the style directly (a
// tool bar its extension button's icon, as it is built), and the style would
// read each file afresh, loading every image plug-in there is to tell the
// format of the first. It draws what the style it wraps draws.
class SharedIconsStyle : public QProxyStyle {
public:
    explicit SharedIconsStyle(QStyle* style);  // takes `style`
    QIcon standardIcon(StandardPixmap pixmap, const QStyleOption* option, const QWidget* widget) const override;
};

// Makes the application's style (as the command line or the desktop chose
// it) a SharedIconsStyle, and puts in the pixmap cache, read as the PNG it
// is, the image the plain Fusion style draws a group box's frame from (it
// loads it through that cache, as a file whose format must be told, the same
// way); before any window is built.
void shareTheStylesIcons();

// The group box frame's image as it was put in the pixmap cache, under the
// key a load of its file looks for; null where the style is not the plain
// Fusion style or the image is not there.
QPixmap cacheGroupBoxFrame();

}  // namespace icons
