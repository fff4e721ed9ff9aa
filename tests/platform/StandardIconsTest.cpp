#include "platform/StandardIcons.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QStyle>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// Every standard icon the toolbar and the grids show.
const QStyle::StandardPixmap kShown[] = {
    QStyle::SP_FileIcon,         QStyle::SP_TrashIcon,         QStyle::SP_DialogSaveButton,
    QStyle::SP_FileDialogContentsView, QStyle::SP_FileDialogDetailedView, QStyle::SP_DialogCloseButton,
    QStyle::SP_DialogCancelButton,     QStyle::SP_BrowserReload,          QStyle::SP_ToolBarHorizontalExtensionButton,
    QStyle::SP_MediaSkipBackward,      QStyle::SP_MediaSeekBackward,      QStyle::SP_MediaSeekForward,
    QStyle::SP_MediaSkipForward,
};

QImage drawn(const QIcon& icon, int size, QIcon::Mode mode)
{
    return icon.pixmap(QSize(size, size), 1.0, mode).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace

// The icon a control shows is the style's own, pixel for pixel, at every
// size a control asks for on a screen of normal density, in every mode.
TEST(StandardIconsTest, DrawsWhatTheStylesOwnIconDrawsAtEverySizeShown)
{
    QWidget w;
    for (QStyle::StandardPixmap sp : kShown) {
        const QIcon ours = icons::standard(sp, &w);
        const QIcon style = w.style()->standardIcon(sp, nullptr, &w);
        ASSERT_FALSE(ours.isNull()) << sp;
        for (int size : {8, 12, 16, 20, 22, 24, 32})
            for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active, QIcon::Selected}) {
                EXPECT_EQ(ours.actualSize(QSize(size, size), mode), style.actualSize(QSize(size, size), mode))
                    << sp << " size " << size;
                EXPECT_TRUE(drawn(ours, size, mode) == drawn(style, size, mode)) << sp << " size " << size << " mode " << mode;
            }
    }
}

// An icon the style makes by other means is the style's own.
TEST(StandardIconsTest, AnIconOutsideTheKnownFilesIsTheStyles)
{
    QWidget w;
    const QIcon ours = icons::standard(QStyle::SP_MessageBoxWarning, &w);
    const QIcon style = w.style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, &w);
    ASSERT_FALSE(ours.isNull());
    EXPECT_TRUE(drawn(ours, 32, QIcon::Normal) == drawn(style, 32, QIcon::Normal));
}
