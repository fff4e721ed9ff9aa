#include "platform/ImageList.h"

#include "platform/RuntimeError.h"

namespace {
constexpr int IndexOutOfBounds = 35600;
}

void ImageList::Add(const QString& tag, const QIcon& picture)
{
    m_images.push_back({tag, picture});
}

const ImageList::Image& ImageList::at(int index) const
{
    if (index < 1 || index > Count())
        throw RuntimeError(IndexOutOfBounds, QStringLiteral("Indice fuera de los limites"));
    return m_images[static_cast<std::size_t>(index - 1)];
}

QString ImageList::Tag(int index) const
{
    return at(index).tag;
}

QIcon ImageList::Picture(int index) const
{
    return at(index).picture;
}
