#include "platform/StandardIcons.h"

#include <QApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QPixmapCache>
#include <QImageReader>
#include <QPixmap>
#include <QHash>
#include <QObject>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>
#include <initializer_list>

namespace {

// The files the common style reads each of these icons from, by size. The
// 128-pixel image it also reads for some of them is only drawn for a request
// of more than 32 device pixels, which no control of this system makes on a
// screen of normal density (their icons are 16 and 24 pixels), and it is most
// of the cost of the icon.
struct Files {
    QStyle::StandardPixmap pixmap;
    const char* stem;
    std::initializer_list<int> sizes;  // widths; the images are square but one
    int height = 0;                    // the height of that one, per 8 of width
};

const Files kFiles[] = {
    {QStyle::SP_FileIcon, "file", {16, 32}},
    {QStyle::SP_TrashIcon, "trash", {16, 32}},
    {QStyle::SP_DialogSaveButton, "standardbutton-save", {16, 32}},
    {QStyle::SP_FileDialogContentsView, "filecontents", {16, 32}},
    {QStyle::SP_FileDialogDetailedView, "viewdetailed", {16, 32}},
    {QStyle::SP_DialogCloseButton, "standardbutton-close", {16, 32}},
    {QStyle::SP_DialogCancelButton, "standardbutton-cancel", {16, 32}},
    {QStyle::SP_BrowserReload, "refresh", {24, 32}},
    {QStyle::SP_ToolBarHorizontalExtensionButton, "toolbar-ext-h", {8, 16, 32}, 5},
    {QStyle::SP_MediaSkipBackward, "media-skip-backward", {16, 32}},
    {QStyle::SP_MediaSeekBackward, "media-seek-backward", {16, 32}},
    {QStyle::SP_MediaSeekForward, "media-seek-forward", {16, 32}},
    {QStyle::SP_MediaSkipForward, "media-skip-forward", {16, 32}},
    {QStyle::SP_ArrowDown, "down", {16, 32}},
    {QStyle::SP_DialogResetButton, "standardbutton-clear", {16, 32}},
};

QString fileOf(const char* stem, int size)
{
    return QStringLiteral(":/qt-project.org/styles/commonstyle/images/%1-%2.png").arg(QLatin1String(stem)).arg(size);
}

// The style's icons made so far; a child of the style, so it goes with it.
class Made : public QObject {
public:
    explicit Made(QStyle* style) : QObject(style) { setObjectName(QStringLiteral("iconosEstandar")); }
    QHash<int, QIcon> icons;
};

// Whether the style would read the icon from the files above and no control
// can ask for the image left out: the plain Fusion style, with no icon theme
// in force, left to right, on screens of normal density.
bool readsItsOwnFiles(const QStyle* style)
{
    if (qstrcmp(style->metaObject()->className(), "QFusionStyle") != 0)
        return false;
    if (QGuiApplication::desktopSettingsAware() && !QIcon::themeName().isEmpty())
        return false;
    return QGuiApplication::layoutDirection() == Qt::LeftToRight && qApp->devicePixelRatio() <= 1.0;
}

QIcon fromFiles(const Files& files)
{
    QIcon icon;
    for (int size : files.sizes) {
        // Read as PNG outright: left to tell the format of a file itself, the
        // reader loads every image plug-in there is to ask each of them.
        QImageReader reader(fileOf(files.stem, size), "png");
        reader.setAutoDetectImageFormat(false);
        const QImage image = reader.read();
        if (image.size() != QSize(size, files.height ? size * files.height / 8 : size))
            return {};
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

// The style whose icons are shared: the one under a SharedIconsStyle.
QStyle* plain(QStyle* style)
{
    const auto* shared = dynamic_cast<const icons::SharedIconsStyle*>(style);
    return shared ? shared->baseStyle() : style;
}

// The shared icon of `style`, made on the first request; null where the style
// makes it by other means.
QIcon shared(QStyle* style, QStyle::StandardPixmap pixmap)
{
    Made* made = style->findChild<Made*>(QStringLiteral("iconosEstandar"), Qt::FindDirectChildrenOnly);
    if (!made)
        made = new Made(style);
    const auto found = made->icons.constFind(pixmap);
    if (found != made->icons.constEnd())
        return *found;
    QIcon icon;
    if (readsItsOwnFiles(style))
        for (const Files& files : kFiles)
            if (files.pixmap == pixmap)
                icon = fromFiles(files);
    if (!icon.isNull())
        made->icons.insert(pixmap, icon);
    return icon;
}

}  // namespace

namespace icons {

QIcon standard(QStyle::StandardPixmap pixmap, const QWidget* widget)
{
    QStyle* style = widget ? widget->style() : QApplication::style();
    const QIcon icon = shared(plain(style), pixmap);
    // The style's own icon may depend on the widget: it is not shared.
    return icon.isNull() ? style->standardIcon(pixmap, nullptr, widget) : icon;
}

SharedIconsStyle::SharedIconsStyle(QStyle* style) : QProxyStyle(style) {}

QIcon SharedIconsStyle::standardIcon(StandardPixmap pixmap, const QStyleOption* option, const QWidget* widget) const
{
    // The style takes the layout's direction from the option when there is
    // one; the shared icons are the left to right ones.
    if (!option || option->direction == Qt::LeftToRight) {
        const QIcon icon = shared(baseStyle(), pixmap);
        if (!icon.isNull())
            return icon;
    }
    return QProxyStyle::standardIcon(pixmap, option, widget);
}

void shareTheStylesIcons()
{
    const QStyle* current = QApplication::style();
    if (!current || dynamic_cast<const SharedIconsStyle*>(current))
        return;
    if (QStyle* style = QStyleFactory::create(current->name()))
        QApplication::setStyle(new SharedIconsStyle(style));
    cacheGroupBoxFrame();
}

QPixmap cacheGroupBoxFrame()
{
    if (!readsItsOwnFiles(plain(QApplication::style())))
        return {};
    const QFileInfo info(QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png"));
    QImageReader reader(info.filePath(), "png");
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    if (image.isNull())
        return {};
    // The key QPixmap::load looks for: the file, its time and size, and the
    // kind of pixmap, each number as its bytes in hexadecimal, low nibble
    // first. Should it ever differ, the style reads the file itself.
    QString key = QStringLiteral("qt_pixmap") + info.absoluteFilePath();
    const auto hex = [&key](auto value) {
        const auto* byte = reinterpret_cast<const unsigned char*>(&value);
        for (std::size_t i = 0; i < sizeof value; ++i) {
            key += QLatin1Char("0123456789abcdef"[byte[i] & 0xf]);
            key += QLatin1Char("0123456789abcdef"[byte[i] >> 4]);
        }
    };
    hex(static_cast<uint>(info.lastModified().toSecsSinceEpoch()));
    hex(static_cast<quint64>(info.size()));
    hex(static_cast<uint>(0));  // an ordinary pixmap, not a bitmap
    const QPixmap pixmap = QPixmap::fromImage(image);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

}  // namespace icons
