#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <vector>

class QToolButton;
class QAbstractButton;

// The framework's command toolbar. Each button raises click(key) with its key
// when the operator presses it, when a form's key handler forwards its
// shortcut through TeclaPresionada, or when code calls press(key). A button
// that is disabled never raises its key.
//
// Buttons, in order, with the flag that enables each and its shortcut:
//   key          caption      flag          shortcut
//   "NUEVO"      Nuevo        Habilitado2   F3
//   "BORRAR"     Borrar       Habilitado4   F6
//   "GRABAR"     Grabar       Habilitado3   F2
//   "CONSULTAR"  Consultar    Habilitado6   F4
//   "REPORTE"    Reporte      Habilitado7   F7
//   "CERRAR"     Cerrar       Habilitado8   (none: closing is never one stray key away)
//   "CANCELAR"   Cancelar     Habilitado1   F8
// Habilitado5 governs no button. Every flag starts True. Shortcuts act
// only without Shift, Control or Alt. Escape is left to the forms, whose cell
// editors use it to drop a typed value.
//
// StyleBar: 0 raised buttons, any other value flat buttons (the default).
// StyleBar and the flags are Qt properties, so a form's set-up can reach them
// by name.
class VrUtil : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int StyleBar READ StyleBar WRITE setStyleBar)
    Q_PROPERTY(bool Habilitado1 READ Habilitado1 WRITE setHabilitado1)
    Q_PROPERTY(bool Habilitado2 READ Habilitado2 WRITE setHabilitado2)
    Q_PROPERTY(bool Habilitado3 READ Habilitado3 WRITE setHabilitado3)
    Q_PROPERTY(bool Habilitado4 READ Habilitado4 WRITE setHabilitado4)
    Q_PROPERTY(bool Habilitado5 READ Habilitado5 WRITE setHabilitado5)
    Q_PROPERTY(bool Habilitado6 READ Habilitado6 WRITE setHabilitado6)
    Q_PROPERTY(bool Habilitado7 READ Habilitado7 WRITE setHabilitado7)
    Q_PROPERTY(bool Habilitado8 READ Habilitado8 WRITE setHabilitado8)

public:
    explicit VrUtil(QWidget* parent = nullptr);

    bool Habilitado1() const { return m_flags[0]; }
    bool Habilitado2() const { return m_flags[1]; }
    bool Habilitado3() const { return m_flags[2]; }
    bool Habilitado4() const { return m_flags[3]; }
    bool Habilitado5() const { return m_flags[4]; }
    bool Habilitado6() const { return m_flags[5]; }
    bool Habilitado7() const { return m_flags[6]; }
    bool Habilitado8() const { return m_flags[7]; }
    void setHabilitado1(bool on) { setFlag(1, on); }
    void setHabilitado2(bool on) { setFlag(2, on); }
    void setHabilitado3(bool on) { setFlag(3, on); }
    void setHabilitado4(bool on) { setFlag(4, on); }
    void setHabilitado5(bool on) { setFlag(5, on); }
    void setHabilitado6(bool on) { setFlag(6, on); }
    void setHabilitado7(bool on) { setFlag(7, on); }
    void setHabilitado8(bool on) { setFlag(8, on); }

    int StyleBar() const { return m_style; }
    void setStyleBar(int style);

    // A key forwarded by a form's key handler. When it is the shortcut of an
    // enabled button, that button's key is raised and KeyCode becomes 0, so
    // the control under the focus does not act on it as well.
    void TeclaPresionada(int& KeyCode, int Shift);

    // Presses the button of `key` (matched without regard to case) as the
    // operator would. Returns whether click was raised: false for a disabled
    // button or an unknown key.
    bool press(const QString& key);

    // The button of a key, nullptr for an unknown key.
    QAbstractButton* button(const QString& key) const;

signals:
    void click(const QString& key);

private:
    struct Button {
        QString key;
        int flag;
        int shortcut;
        QToolButton* widget;
    };
    void setFlag(int flag, bool on);
    const Button* find(const QString& key) const;

    std::vector<Button> m_buttons;
    std::array<bool, 8> m_flags{true, true, true, true, true, true, true, true};
    int m_style = 1;
};
