#pragma once

#include <QIcon>
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

}  // namespace icons
