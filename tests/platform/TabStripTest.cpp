#include "platform/TabStrip.h"

#include "platform/RuntimeError.h"
#include "tests/support/QtPrinting.h"

#include <gtest/gtest.h>

TEST(TabStrip, TabsKeepCaptionAndVisibilityUnshown)
{
    TabStrip solapas;
    solapas.setTabs(3);
    ASSERT_EQ(solapas.Tabs(), 3);
    solapas.setTabCaption(0, QStringLiteral("Tareas"));
    solapas.setTabCaption(1, QStringLiteral("Artículos"));
    solapas.setTabVisible(0, false);

    EXPECT_FALSE(solapas.TabVisible(0));
    EXPECT_TRUE(solapas.TabVisible(1));
    EXPECT_EQ(solapas.TabCaption(0), QStringLiteral("Tareas")) << "a hidden tab keeps its caption";
    EXPECT_EQ(solapas.TabCaption(1), QStringLiteral("Artículos"));
    EXPECT_EQ(solapas.TabCaption(2), QString());

    solapas.setTabs(2);
    EXPECT_EQ(solapas.Tabs(), 2);
    try {
        solapas.TabVisible(2);
        ADD_FAILURE() << "tab 2 after cutting to two";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), errnum::SubscriptOutOfRange);
    }
}
