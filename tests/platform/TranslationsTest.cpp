// Qt's standard buttons and a text box's edit menu read in Spanish once the
// application has installed Qt's Spanish catalogue.
#include "platform/Translations.h"
#include "tests/support/QtPrinting.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>
#include <memory>

TEST(Translations, StandardButtonsAndTheEditMenuReadInSpanish)
{
    if (!QDir(QLibraryInfo::path(QLibraryInfo::TranslationsPath)).exists(QStringLiteral("qtbase_es.qm")))
        GTEST_SKIP() << "Qt's Spanish catalogue is not installed (package qt6-translations-l10n)";
    ASSERT_TRUE(installQtSpanish());
    EXPECT_TRUE(installQtSpanish()) << "a second call finds it installed";
    EXPECT_EQ(QCoreApplication::instance()->findChildren<QTranslator*>().size(), 1);

    QDialogButtonBox box(QDialogButtonBox::Yes | QDialogButtonBox::No | QDialogButtonBox::Cancel);
    EXPECT_EQ(box.button(QDialogButtonBox::Yes)->text(), QStringLiteral("&Sí"));
    EXPECT_EQ(box.button(QDialogButtonBox::No)->text(), QStringLiteral("&No"));
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Cancelar"));

    QLineEdit text;
    const std::unique_ptr<QMenu> menu(text.createStandardContextMenu());
    QStringList entries;
    for (const QAction* a : menu->actions())
        if (!a->isSeparator())
            entries << a->text().section(QLatin1Char('\t'), 0, 0);
    EXPECT_EQ(entries, QStringList({"&Deshacer", "&Rehacer", "Cor&tar", "&Copiar", "&Pegar", "Borrar",
                                    "Seleccionar todo"}));
}
