#include "platform/Twips.h"

#include <QWidget>

namespace twips {

int left(const QWidget& widget)
{
    return fromPixels(widget.x());
}

int top(const QWidget& widget)
{
    return fromPixels(widget.y());
}

int width(const QWidget& widget)
{
    return fromPixels(widget.width());
}

int height(const QWidget& widget)
{
    return fromPixels(widget.height());
}

void setGeometry(QWidget& widget, int left, int top, int width, int height)
{
    widget.setGeometry(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

void resize(QWidget& widget, int width, int height)
{
    widget.resize(toPixels(width), toPixels(height));
}

void move(QWidget& widget, int left, int top)
{
    widget.move(toPixels(left), toPixels(top));
}

}  // namespace twips
