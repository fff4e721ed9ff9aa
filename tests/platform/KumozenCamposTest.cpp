#include "platform/Keys.h"
#include "platform/TextBox.h"
#include "platform/db/Types.h"
#include "platform/kumozen/KumozenCampos.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The header of a data-entry form: fields bound by DataField, in tab order,
// one of them locked as lines mode locks it.
struct Header {
    QWidget form;
    QComboBox* combo = new QComboBox(&form);
    std::vector<TextBox*> fields;
    QPushButton* load = nullptr;

    Header()
    {
        auto* layout = new QVBoxLayout(&form);
        layout->addWidget(combo);
        for (const char* name : {"SUCURSAL", "NUMERO", "LETRA", "FECHA", "IdDeposito"}) {
            auto* f = new TextBox(&form);
            f->setDataField(name);
            f->setObjectName(name);
            layout->addWidget(f);
            fields.push_back(f);
        }
        load = new QPushButton(&form);
        layout->addWidget(load);
        fields[1]->setMaxLength(8);
    }
};

}  // namespace

TEST(KumozenCamposTest, FindsFieldsByDataFieldWithoutRegardToCase)
{
    Header h;
    const KumozenCampos campos;
    EXPECT_EQ(campos.IndiceCampo("Sucursal", h.fields), 0);
    EXPECT_EQ(campos.IndiceCampo("numero", h.fields), 1);
    EXPECT_EQ(campos.IndiceCampo(" iddeposito ", h.fields), 4);
    EXPECT_EQ(campos.IndiceCampo("IDFormPedido", h.fields), -1);
    EXPECT_EQ(campos.IndiceCampo("LETRA", {}), -1);
}

TEST(KumozenCamposTest, AdvanceKeysAreEnterEscapeUpAndDown)
{
    const KumozenCampos campos;
    for (int code : {keys::Enter, keys::Escape, keys::Up, keys::Down})
        EXPECT_TRUE(campos.EsTeclaAvance(code)) << code;
    for (int code : {0, keys::Tab, keys::Backspace, keys::Space, keys::Left, keys::Right, keys::PageUp,
                     keys::PageDown, keys::Delete, keys::F5, int('A'), int('5')})
        EXPECT_FALSE(campos.EsTeclaAvance(code)) << code;
}

TEST(KumozenCamposTest, FiltersTypedCharactersByTheFieldKind)
{
    struct Case {
        FieldKind kind;
        int typed;
        int result;
    };
    const Case cases[] = {
        {FieldKind::Number, '7', '7'},  {FieldKind::Number, '.', '.'}, {FieldKind::Number, ',', '.'},
        {FieldKind::Number, '-', '-'},  {FieldKind::Number, 'a', 0},   {FieldKind::Number, ' ', 0},
        {FieldKind::Number, '\'', 0},   {FieldKind::Number, 0x0663, 0}, {FieldKind::Number, 8, 8},
        {FieldKind::Number, 13, 13},    {FieldKind::Date, '1', '1'},   {FieldKind::Date, '/', '/'},
        {FieldKind::Date, 'x', 0},      {FieldKind::Text, 'x', 'x'},   {FieldKind::Text, ',', ','},
        {FieldKind::Free, 'x', 'x'},    {FieldKind::Free, 0xF1, 0xF1},
    };
    const KumozenCampos campos;
    for (const Case& c : cases) {
        TextBox box;
        box.setKind(c.kind);
        int ascii = c.typed;
        campos.FiltraTecla(&box, ascii);
        EXPECT_EQ(ascii, c.result) << "kind " << int(c.kind) << " typed " << c.typed;
    }
    // A plain editor carries no kind and takes everything.
    QLineEdit editor;
    int ascii = 'q';
    campos.FiltraTecla(&editor, ascii);
    EXPECT_EQ(ascii, 'q');
    campos.FiltraTecla(nullptr, ascii);
    EXPECT_EQ(ascii, 'q');
}

TEST(KumozenCamposTest, BindsFieldsToTheirColumnsWithoutLooseningDesignLimits)
{
    Header h;
    const KumozenCampos campos;
    h.fields[0]->setKind(FieldKind::Date);
    campos.ConfiguraCampos(h.fields, {FieldLimits::fromColumn("sucursal", db::type::Char, 4),
                                      FieldLimits::fromColumn("NUMERO", db::type::VarChar, 25),
                                      FieldLimits::fromColumn("letra", db::type::WChar, 1),
                                      FieldLimits::fromColumn("FECHA", db::type::DBTimeStamp, 16),
                                      FieldLimits::fromColumn("IDDEPOSITO", db::type::Integer, 4),
                                      FieldLimits::fromColumn("OTRA", db::type::VarChar, 3)});
    EXPECT_EQ(h.fields[0]->kind(), FieldKind::Text);
    EXPECT_EQ(h.fields[0]->maxLength(), 4);
    EXPECT_EQ(h.fields[1]->maxLength(), 8);  // the design's 8, not the column's 25
    EXPECT_EQ(h.fields[2]->maxLength(), 1);
    EXPECT_EQ(h.fields[3]->kind(), FieldKind::Date);
    EXPECT_EQ(h.fields[3]->maxLength(), QLineEdit().maxLength());
    EXPECT_EQ(h.fields[4]->kind(), FieldKind::Number);

    // A box bound to no column keeps what it had.
    TextBox suelto;
    suelto.setDataField("NUMERO_IR");
    suelto.setKind(FieldKind::Number);
    campos.ConfiguraCampos({&suelto}, {FieldLimits::fromColumn("NUMERO", db::type::VarChar, 2)});
    EXPECT_EQ(suelto.kind(), FieldKind::Number);
    EXPECT_EQ(suelto.maxLength(), QLineEdit().maxLength());
    EXPECT_EQ(FieldLimits::fromColumn("M", db::type::LongVarChar, 1 << 30).maxLength, 0);
}

TEST(KumozenCamposTest, MovesTheFocusInTabOrderSkippingLockedControls)
{
    Header h;
    h.form.show();
    h.form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&h.form));
    const KumozenCampos campos;
    h.fields[2]->setEnabled(false);  // LETRA locked
    h.fields[3]->hide();             // FECHA not shown

    h.fields[1]->setFocus();
    campos.AvanzaFoco(keys::Enter);
    EXPECT_EQ(h.form.focusWidget(), h.fields[4]);
    campos.AvanzaFoco(keys::Down, h.fields[4]);
    EXPECT_EQ(h.form.focusWidget(), h.load);
    campos.AvanzaFoco(keys::Up, h.fields[4]);
    EXPECT_EQ(h.form.focusWidget(), h.fields[1]);
    campos.AvanzaFoco(keys::Up, h.fields[0]);
    EXPECT_EQ(h.form.focusWidget(), h.combo);
    // Keys that do not move, and a start with nothing focused anywhere.
    campos.AvanzaFoco(keys::Escape, h.combo);
    campos.AvanzaFoco(keys::Right, h.combo);
    EXPECT_EQ(h.form.focusWidget(), h.combo);
    h.form.close();
    QApplication::processEvents();
}
