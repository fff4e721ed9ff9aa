#pragma once

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The connection dialog: user, password, database, server and platform.
// The caller fills the boxes, shows it modally through prompts().showModal,
// reads Aceptar and the boxes, and destroys it.
class frmAcceso : public QDialog {
    Q_OBJECT
public:
    explicit frmAcceso(QWidget* parent = nullptr);

    QGroupBox* framAcceso;
    QLabel* lbUsuario;
    QLineEdit* TxtUserId;
    QLabel* lbcontrasena;
    QLineEdit* TxtUserPassword;
    QLabel* Label1;
    QLineEdit* TxtDbName;
    QLabel* Label2;
    QLineEdit* TxtServidor;
    QComboBox* CboPlataformaDB;
    QPushButton* bcAceptar;
    QPushButton* bcCancelar;

    // The operator's answer: true only after "Aceptar".
    bool Aceptar = false;

    void bcAceptar_Click();
    void bcCancelar_Click();
    // Centres the form on its screen.
    void Form_Load();

protected:
    void showEvent(QShowEvent* event) override;
    // Escape and the window frame's close answer as "Cancelar" does.
    void reject() override;

private:
    bool m_loaded = false;
};
