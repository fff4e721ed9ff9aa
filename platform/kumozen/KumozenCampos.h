#pragma once

#include "platform/TextBox.h"

#include <QString>
#include <vector>

class QLineEdit;
class QWidget;
namespace db {
class Connection;
}

// Keyboard and field helpers of the data-entry forms. Key codes are the
// virtual-key codes of platform/Keys.h.
class KumozenCampos {
public:
    // Binds the text boxes to the columns of `tabla` named by their DataField
    // (without regard to case): each takes its column's kind and, for a text
    // column, never more characters than the column holds. Boxes bound to no
    // column of the table are left as they are. Failures of the database
    // reach the caller as RuntimeError.
    void ConfiguraCampos(const std::vector<TextBox*>& campos, const QString& tabla, const QString& conexion) const;
    void ConfiguraCampos(const std::vector<TextBox*>& campos, const QString& tabla, db::Connection& conexion) const;
    void ConfiguraCampos(const std::vector<TextBox*>& campos, const std::vector<FieldLimits>& columnas) const;

    // Index of the first box whose DataField equals `nombre` (trimmed, without
    // regard to case); -1 when no box carries it, which the caller must check
    // before indexing the array.
    int IndiceCampo(const QString& nombre, const std::vector<TextBox*>& campos) const;

    // Keys that end the editing of a field or a cell: Enter, Escape, Up and
    // Down. Tab is not one: the platform moves the focus on Tab by itself.
    bool EsTeclaAvance(int KeyCode) const;

    // Moves the focus as the key asks: Enter and Down to the next control in
    // the window's tab order, Up to the previous one; any other key leaves it.
    // Only enabled, visible controls that take focus by Tab are stopped at.
    // `desde` is the control the move starts from, the focused one when null.
    void AvanzaFoco(int KeyCode, QWidget* desde = nullptr) const;

    // Filters a typed character for the box's kind: a number field takes
    // digits, signs and the decimal sign (a "," becomes "."), a date field
    // digits, "/" and "-"; other characters become 0 (dropped). Control
    // characters, text fields and boxes of no kind pass everything.
    void FiltraTecla(QLineEdit* control, int& KeyAscii) const;
};
