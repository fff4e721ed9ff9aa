#include "platform/Keys.h"
#include "platform/Toolbar.h"

#include <QAbstractButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

const char* const kKeys[] = {"NUEVO", "BORRAR", "GRABAR", "CONSULTAR", "REPORTE", "CERRAR", "CANCELAR"};

// The flag that governs each key, as the toolbar documents it.
int flagOf(const QString& key)
{
    static const std::pair<const char*, int> map[] = {{"NUEVO", 2},   {"BORRAR", 4}, {"GRABAR", 3},
                                                      {"CONSULTAR", 6}, {"REPORTE", 7}, {"CERRAR", 8},
                                                      {"CANCELAR", 1}};
    for (const auto& [k, f] : map)
        if (key == k)
            return f;
    return 0;
}

void setFlag(VrUtil& bar, int flag, bool on)
{
    bar.setProperty(QByteArray("Habilitado") + QByteArray::number(flag), on);
}

}  // namespace

TEST(VrUtilTest, EachFlagGovernsItsButtonAndADisabledButtonNeverRaisesItsKey)
{
    VrUtil bar;
    bar.show();
    QSignalSpy spy(&bar, &VrUtil::click);
    for (const char* k : kKeys) {
        const QString key = k;
        const int flag = flagOf(key);
        ASSERT_NE(bar.button(key), nullptr) << k;

        setFlag(bar, flag, false);
        EXPECT_FALSE(bar.property(QByteArray("Habilitado") + QByteArray::number(flag)).toBool());
        EXPECT_FALSE(bar.press(key)) << k;
        QTest::mouseClick(bar.button(key), Qt::LeftButton);
        EXPECT_EQ(spy.count(), 0) << k;

        setFlag(bar, flag, true);
        EXPECT_TRUE(bar.press(key.toLower())) << k;
        QTest::mouseClick(bar.button(key), Qt::LeftButton);
        ASSERT_EQ(spy.count(), 2) << k;
        EXPECT_EQ(spy.at(0).at(0).toString(), key);
        EXPECT_EQ(spy.at(1).at(0).toString(), key);
        spy.clear();
    }
    EXPECT_FALSE(bar.press("IMPRIMIR"));
    EXPECT_EQ(bar.button("IMPRIMIR"), nullptr);
}

TEST(VrUtilTest, HeaderAndLinesModesOfTheStartUpForm)
{
    VrUtil bar;
    auto enabled = [&](const char* key) { return bar.button(key)->isEnabled(); };
    for (bool lines : {false, true}) {
        bar.setHabilitado8(true);
        bar.setHabilitado7(true);
        bar.setHabilitado3(false);
        bar.setHabilitado1(lines);
        bar.setHabilitado2(true);
        bar.setHabilitado4(false);
        bar.setHabilitado6(true);
        EXPECT_EQ(enabled("CANCELAR"), lines);
        EXPECT_TRUE(enabled("NUEVO"));
        EXPECT_TRUE(enabled("CONSULTAR"));
        EXPECT_TRUE(enabled("REPORTE"));
        EXPECT_TRUE(enabled("CERRAR"));
        EXPECT_FALSE(enabled("GRABAR"));
        EXPECT_FALSE(enabled("BORRAR"));
    }
    // Habilitado5 governs no button.
    bar.setHabilitado5(false);
    EXPECT_FALSE(bar.Habilitado5());
    for (const char* k : kKeys)
        EXPECT_EQ(enabled(k), bar.property(QByteArray("Habilitado") + QByteArray::number(flagOf(k))).toBool()) << k;
}

TEST(VrUtilTest, ForwardedShortcutsRaiseEnabledButtonsAndConsumeTheKey)
{
    VrUtil bar;
    QSignalSpy spy(&bar, &VrUtil::click);
    struct Case {
        int code;
        int shift;
        const char* raised;  // nullptr: nothing raised, the key is left alone
    };
    const Case cases[] = {
        {keys::F2, 0, "GRABAR"},   {keys::F3, 0, "NUEVO"},    {keys::F4, 0, "CONSULTAR"},
        {keys::F6, 0, "BORRAR"},   {keys::F7, 0, "REPORTE"},  {keys::F8, 0, "CANCELAR"},
        {keys::F3, 1, nullptr},    {keys::F8, 2, nullptr},    {keys::Escape, 0, nullptr},
        {keys::Enter, 0, nullptr}, {keys::F5, 0, nullptr},    {'A', 0, nullptr},
        {0, 0, nullptr},
    };
    for (const Case& c : cases) {
        int code = c.code;
        bar.TeclaPresionada(code, c.shift);
        if (c.raised) {
            ASSERT_EQ(spy.count(), 1) << c.code;
            EXPECT_EQ(spy.takeFirst().at(0).toString(), c.raised);
            EXPECT_EQ(code, 0) << c.code;
        } else {
            EXPECT_EQ(spy.count(), 0) << c.code;
            EXPECT_EQ(code, c.code);
        }
    }
    // The shortcut of a disabled button raises nothing and stays with the form.
    bar.setHabilitado1(false);
    int code = keys::F8;
    bar.TeclaPresionada(code, 0);
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(code, keys::F8);
    // A disabled toolbar disables every button.
    bar.setHabilitado1(true);
    bar.setEnabled(false);
    EXPECT_FALSE(bar.press("NUEVO"));
    EXPECT_EQ(spy.count(), 0);
}

TEST(VrUtilTest, StyleBarSwitchesFlatAndRaisedButtons)
{
    VrUtil bar;
    auto* nuevo = qobject_cast<QToolButton*>(bar.button("NUEVO"));
    ASSERT_NE(nuevo, nullptr);
    EXPECT_EQ(bar.StyleBar(), 1);
    EXPECT_TRUE(nuevo->autoRaise());
    EXPECT_TRUE(bar.setProperty("StyleBar", 0));
    EXPECT_FALSE(nuevo->autoRaise());
    bar.setStyleBar(1);
    EXPECT_TRUE(nuevo->autoRaise());
}
