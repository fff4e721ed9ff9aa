#include "platform/StandardIcons.h"

#include <QApplication>
#include <QImageReader>
#include <QPixmap>
#include <QHash>
#include <QObject>
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

}  // namespace

namespace icons {

QIcon standard(QStyle::StandardPixmap pixmap, const QWidget* widget)
{
    QStyle* style = widget ? widget->style() : QApplication::style();
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
    // The style's own icon may depend on the widget: it is not shared.
    if (icon.isNull())
        return style->standardIcon(pixmap, nullptr, widget);
    made->icons.insert(pixmap, icon);
    return icon;
}

}  // namespace icons
