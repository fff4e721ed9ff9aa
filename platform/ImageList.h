#pragma once

#include <QIcon>
#include <QString>
#include <vector>

// The pictures a list hands its rows: each image has a tag that names it,
// and images are numbered from 1 in the order they were added.
class ImageList {
public:
    void Add(const QString& tag, const QIcon& picture);
    int Count() const { return static_cast<int>(m_images.size()); }
    // The tag and the picture of image `index` (from 1); an index outside
    // the list fails with error 35600, as the list's own index does.
    QString Tag(int index) const;
    QIcon Picture(int index) const;

private:
    struct Image {
        QString tag;
        QIcon picture;
    };
    const Image& at(int index) const;
    std::vector<Image> m_images;
};
