#pragma once

#include "ColumnChooser.h"

#include <QDialog>
#include <QString>

class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class QTimer;
class QToolButton;

// The column chooser of the paged grid. The grid sets gCampos, gCamposSel
// and gOrdinalSel, calls Form_Load, shows it modally and reads Cancelar,
// gCamposSel and gOrdinalSel back.
class FrmCampos : public QDialog {
    Q_OBJECT

public:
    explicit FrmCampos(QWidget* parent = nullptr);
    ~FrmCampos() override;

    QString gCampos;
    QString gCamposOrden;
    QString gCamposSel;
    QString gOrdinalSel;
    bool Cancelar = false;

    void Form_Load();
    void cmdAplicar_Click();
    void cmdTodos_Click();
    void ImgCancelar_Click();
    void ImgSubir_Click();
    void ImgBajar_Click();
    // Holding the left button on a move image moves the entry again every
    // 100 ms until the button is released.
    void ImgSubir_MouseDown(int Button);
    void ImgSubir_MouseUp(int Button);
    void ImgBajar_MouseDown(int Button);
    void ImgBajar_MouseUp(int Button);
    // One repeat of a held move image (what the 100 ms timer runs).
    void repeatMove();

    QListWidget* LstCampos() const { return m_list; }
    const ColumnChooser& chooser() const { return m_chooser; }

    void reject() override;

private:
    void show_();
    void readSelection();
    void startRepeat(int direction, QFrame* marker);
    void stopRepeat();

    ColumnChooser m_chooser;
    QListWidget* m_list;
    QToolButton* m_up;
    QToolButton* m_down;
    QToolButton* m_cancel;
    QFrame* m_shpSubir;
    QFrame* m_shpBajar;
    QFrame* m_shape1;
    QTimer* m_repeat;
    int m_direction = 0;
    bool m_repeating = false;
    bool m_refreshing = false;
};
