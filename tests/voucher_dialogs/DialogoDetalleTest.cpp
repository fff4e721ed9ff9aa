// What the lot-and-position and the lot-and-series dialogs share.
#include "voucher_dialogs/DialogoDetalle.h"

#include "platform/StandardIcons.h"
#include "tests/support/TestDatabase.h"
#include "voucher_dialogs/FrmCargaLotesySeries.h"
#include "voucher_dialogs/FrmLoteyPosicion.h"

#include <QAction>
#include <QToolBar>
#include <gtest/gtest.h>
#include <memory>

// Each window a request builds shows the style's standard icons on its
// toolbar as the program shares them: read once, the same icon in every
// window, not decoded again for each one.
TEST(DialogoDetalle, EveryWindowsToolbarShowsTheSharedStandardIcons)
{
    TestDatabase db;
    const QStyle::StandardPixmap botones[] = {QStyle::SP_ArrowDown, QStyle::SP_DialogResetButton};
    for (int vez = 0; vez < 2; ++vez) {
        const std::unique_ptr<DialogoDetalle> dialogos[] = {std::make_unique<FrmCargaLotesySeries>(),
                                                            std::make_unique<FrmLoteyPosicion>()};
        for (const auto& f : dialogos) {
            const QList<QAction*> acciones = f->Toolbar1->actions();
            ASSERT_EQ(acciones.size(), 2) << f->objectName().toStdString();
            for (int i = 0; i < 2; ++i)
                EXPECT_EQ(acciones.at(i)->icon().cacheKey(), icons::standard(botones[i], f->Toolbar1).cacheKey())
                    << f->objectName().toStdString() << " button " << i + 1;
        }
    }
}
