#pragma once

#include "platform/FlexGrid.h"
#include "platform/TextBox.h"

#include <QCoreApplication>
#include <QTableView>
#include <QTest>
#include <map>

// Keys separated by blanks, each sent where the operator's would go: to the
// grid's open editor, else to the grid. "Enter", "Esc", "Up", "Down", "Del",
// "Backspace" and "F2" are keys; anything else is typed character by
// character.
inline void TecleaEnGrilla(FlexGrid& grilla, TextBox& editor, const QString& teclas)
{
    static const std::map<QString, Qt::Key> nombres = {
        {"Enter", Qt::Key_Return}, {"Esc", Qt::Key_Escape}, {"Up", Qt::Key_Up},
        {"Down", Qt::Key_Down},    {"Del", Qt::Key_Delete}, {"Backspace", Qt::Key_Backspace},
        {"F2", Qt::Key_F2}};
    const auto destino = [&]() -> QWidget* {
        return editor.Visible() ? static_cast<QWidget*>(&editor) : grilla.view();
    };
    for (const QString& t : teclas.split(u' ', Qt::SkipEmptyParts)) {
        if (nombres.count(t))
            QTest::keyClick(destino(), nombres.at(t));
        else
            for (QChar ch : t)
                QTest::keyClick(destino(), ch.toLatin1());
        QCoreApplication::processEvents();
    }
}
