#pragma once

#include "platform/FlexGrid.h"
#include "platform/TextBox.h"
#include "tests/support/ScriptedPrompts.h"
#include "voucher_dialogs/DialogoDetalle.h"

#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <algorithm>
#include <initializer_list>
#include <gtest/gtest.h>

// The quantity `texto` typed into row `fila` of a loaded dialog whose editor
// is set for the quantity column: taken (`mensaje` null), or refused with
// `mensaje` told under "Aviso al Operador".
inline void VerificaCantidadTecleada(DialogoDetalle& f, int fila, const char* texto, const char* mensaje)
{
    ScopedPrompts p;
    if (mensaje)
        p.answerMessage(prompt::Ok, QString::fromUtf8(mensaje));
    f.MSFlexGrid1->setRow(fila);
    f.txtEdit->setText(QString::fromLatin1(texto));
    f.CampoValida(*f.txtEdit);
    EXPECT_EQ(f.HayError, mensaje != nullptr) << texto;
    if (mensaje) {
        EXPECT_EQ(p.shown().at(0).title, "Aviso al Operador") << texto;
    }
}

// The accept of a loaded dialog whose proposal stands: true when it took it
// (no box at all); false when the total falls short of the request and it
// is refused, unseen with `menorSinMostrar`, shown with the question
// answered No and the message that asks for the total.
template <class Dialogo>
bool AceptaLaPropuesta(Dialogo& f, bool menorQueElPedido, const char* menorSinMostrar)
{
    ScopedPrompts p;
    if (menorQueElPedido && !f.MostrarForm)
        p.answerMessage(prompt::Ok, QString::fromUtf8(menorSinMostrar));
    if (menorQueElPedido && f.MostrarForm)
        p.answerMessage(prompt::No, QStringLiteral("Es Menor a la solicitada"))
            .answerMessage(prompt::Ok, QStringLiteral("Debe Ajustar la suma de las cantidades a :"));
    f.CmdAceptar_Click();
    return f.result() == QDialog::Accepted;
}

// In a loaded dialog only the cells the editor opens on look editable (the
// grid's own colour); every other cell of a scrollable column has a colour
// of its own.
inline void VerificaSoloLectura(const DialogoDetalle& f, std::initializer_list<int> editables)
{
    const FlexGrid& g = *f.MSFlexGrid1;
    ASSERT_GT(g.Rows(), g.FixedRows()) << "a grid with rows";
    for (int c = g.FixedCols(); c < g.Cols(); ++c) {
        const bool editable = std::find(editables.begin(), editables.end(), c) != editables.end();
        for (int r = g.FixedRows(); r < g.Rows(); ++r)
            EXPECT_EQ(g.CellBackColorAt(r, c) == 0, editable) << "row " << r << ", column " << c;
    }
}

// A loaded dialog shown fits its window: the caption, every column but the
// hidden ones (width 0) wide enough for its header and cells with the
// cell's margins beside them, every column in view, the buttons whole. The
// picture is saved as `imagen`.
inline void VerificaQueEntra(DialogoDetalle& f, const QString& imagen, std::initializer_list<int> ocultas = {})
{
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    f.grab().save(imagen);

    const FlexGrid& g = *f.MSFlexGrid1;
    const auto necesita = [&](const QString& texto) { return g.textWidth(texto) + 10 * 15; };
    EXPECT_GE(f.width(), f.fontMetrics().horizontalAdvance(f.windowTitle())) << "the caption";
    for (int c = 0; c < g.Cols(); ++c) {
        const int ancho = g.ColWidth(c);
        if (std::find(ocultas.begin(), ocultas.end(), c) != ocultas.end()) {
            EXPECT_EQ(ancho, 0) << "column " << c << " is hidden";
            continue;
        }
        for (int r = 0; r < g.Rows(); ++r)
            EXPECT_GE(ancho, necesita(g.TextMatrix(r, c))) << "row " << r << ", column " << c;
    }
    EXPECT_EQ(g.view()->horizontalScrollBar()->maximum(), 0) << "every column in view";
    for (QPushButton* b : {f.CmdAceptar, f.CmdCancelar}) {
        EXPECT_GE(b->width(), b->sizeHint().width()) << b->text().toStdString();
        EXPECT_TRUE(f.rect().contains(b->geometry())) << b->text().toStdString();
    }
}
