#include "platform/StandardIcons.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

namespace {

// Every standard icon the toolbar, the grids and the detail dialogs show.
const QStyle::StandardPixmap kShown[] = {
    QStyle::SP_FileIcon,         QStyle::SP_TrashIcon,         QStyle::SP_DialogSaveButton,
    QStyle::SP_FileDialogContentsView, QStyle::SP_FileDialogDetailedView, QStyle::SP_DialogCloseButton,
    QStyle::SP_DialogCancelButton,     QStyle::SP_BrowserReload,          QStyle::SP_ToolBarHorizontalExtensionButton,
    QStyle::SP_MediaSkipBackward,      QStyle::SP_MediaSeekBackward,      QStyle::SP_MediaSeekForward,
    QStyle::SP_MediaSkipForward,       QStyle::SP_ArrowDown,              QStyle::SP_DialogResetButton,
};

QImage drawn(const QIcon& icon, int size, QIcon::Mode mode)
{
    return icon.pixmap(QSize(size, size), 1.0, mode).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

void expectSameDrawing(const QIcon& ours, const QIcon& style, int sp)
{
    ASSERT_FALSE(ours.isNull()) << sp;
    for (int size : {8, 12, 16, 20, 22, 24, 32})
        for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active, QIcon::Selected}) {
            EXPECT_EQ(ours.actualSize(QSize(size, size), mode), style.actualSize(QSize(size, size), mode))
                << sp << " size " << size;
            EXPECT_TRUE(drawn(ours, size, mode) == drawn(style, size, mode)) << sp << " size " << size << " mode " << mode;
        }
}

}  // namespace

// The icon a control shows is the style's own, pixel for pixel, at every
// size a control asks for on a screen of normal density, in every mode.
TEST(StandardIconsTest, DrawsWhatTheStylesOwnIconDrawsAtEverySizeShown)
{
    QWidget w;
    for (QStyle::StandardPixmap sp : kShown)
        expectSameDrawing(icons::standard(sp, &w), w.style()->standardIcon(sp, nullptr, &w), sp);
}

// Under the sharing style, Qt's own controls (which ask the style, with an
// option) and the system's get one icon, drawn as the wrapped style draws it;
// a right to left request is the wrapped style's own.
TEST(StandardIconsTest, TheSharingStyleGivesTheSharedIconsAndDrawsAsItsStyle)
{
    const std::unique_ptr<QStyle> plainStyle(QStyleFactory::create(QStringLiteral("fusion")));
    const auto sharing = std::make_unique<icons::SharedIconsStyle>(QStyleFactory::create(QStringLiteral("fusion")));
    QWidget w;
    w.setStyle(sharing.get());
    QStyleOption option;
    option.initFrom(&w);
    for (QStyle::StandardPixmap sp : kShown) {
        const QIcon asked = sharing->standardIcon(sp, &option, &w);
        expectSameDrawing(asked, plainStyle->standardIcon(sp, &option, &w), sp);
        EXPECT_EQ(asked.cacheKey(), icons::standard(sp, &w).cacheKey()) << sp;
    }
    option.direction = Qt::RightToLeft;
    const QIcon rightToLeft = sharing->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton, &option, &w);
    EXPECT_TRUE(drawn(rightToLeft, 16, QIcon::Normal) ==
                drawn(plainStyle->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton, &option, &w), 16, QIcon::Normal));
    EXPECT_FALSE(drawn(rightToLeft, 16, QIcon::Normal) == drawn(sharing->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton, nullptr, &w), 16, QIcon::Normal));
}

// The group box frame put in the pixmap cache is the one a load of its file
// finds there, and the image that file holds.
TEST(StandardIconsTest, TheGroupBoxFrameIsFoundInThePixmapCache)
{
    const QPixmap cached = icons::cacheGroupBoxFrame();
    ASSERT_FALSE(cached.isNull());
    const QString file = QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png");
    EXPECT_EQ(QPixmap(file).cacheKey(), cached.cacheKey());
    EXPECT_TRUE(cached.toImage() == QPixmap::fromImage(QImage(file)).toImage());
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
