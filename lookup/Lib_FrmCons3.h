#pragma once

#include "ControlesConsulta.h"
#include "DialogosConsulta.h"
#include "ReportList.h"
#include "platform/db/Recordset.h"
#include "platform/kumozen/KumozenUtilidades.h"

#include <QDialog>
#include <QVariant>
#include <array>
#include <cstdint>
#include <vector>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QScrollBar;

// The modal list lookup: runs the query it is given, shows its rows under one
// search box per column, narrows the query on the server with F5 and returns
// the chosen row (or the checked rows). Every handler can be called without
// showing the dialog.
class Lib_FrmCons3 : public QDialog, public ConsultaListaDialogo {
    Q_OBJECT
public:
    explicit Lib_FrmCons3(QWidget* parent = nullptr);
    ~Lib_FrmCons3() override;

    void Muestra() override;

    void Form_Load();
    void Encolumnar();
    void Leer();
    // Position (from 1) of the first row whose column Clave+1 begins with QueValor; 0 when none.
    std::int32_t Busqueda(std::int32_t Clave, const QString& QueValor);
    // Position (from 1) of the column headed Columna; 0 when none.
    std::int16_t IndiceColumna(const QString& Columna);

    void CmbSearch_GotFocus(int Index);
    // True when the key was used here and goes no further.
    bool CmbSearch_KeyDown(int Index, int KeyCode, int Shift);
    void CmbSearch_Change(int Index);
    void CmbSearch_Click(int Index) { CmbSearch_Change(Index); }
    void CmdAceptar_Click();
    void CmdCancelar_Click();
    void CmdNueva_Click();
    // Tecleado: the characters the key typed, if any. True when the key was
    // used here; false leaves it to the list (moving, checking).
    bool ListView1_KeyDown(int KeyCode, int Shift, const QString& Tecleado = {});
    void ListView1_ColumnClick(int Column);
    void ListView1_DblClick() { CmdAceptar_Click(); }
    void HScroll1_Change();
    void Form_Resize();

    // Controls.
    ReportList* ListView1;
    QWidget* picFields;
    std::vector<QComboBox*> CmbSearch;
    QScrollBar* HScroll1;
    QLabel* lblFieldName;
    QFrame* Frame1;
    QPushButton* CmdAceptar;
    QPushButton* CmdNueva;
    QPushButton* CmdCancelar;

    // The active search box (the one that last got the focus).
    int ColumnaActiva() const { return m_columnaActiva; }
    QString Tag(int Index) const;

public slots:
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QComboBox* NuevoCmbSearch(int Index);
    // The bar shows only when the strip's columns are wider than the form,
    // and scrolls as far as their hidden part.
    void AjustaBarra();
    // Reads the rows; false when the operator left the load.
    bool LeeFilas();
    KeyedCollection& ValoresAbiertos();
    int IndiceDe(QObject* watched) const;
    void ColoreaFila(int fila, const QVariant& color);
    void Cantidad(int KeyCode, int Shift);

    QString m_sqlInicial;
    consulta::EstadoFiltro m_filtro;
    int m_columnaActiva = 0;
    // The width the strip needs for the columns of the latest load.
    int m_anchoTira = 0;
    bool m_esConsultaArticulos = false;
    QString m_mostrarStock;
    std::array<QVariant, 4> m_stkNivel;
    db::Recordset m_rsConsulta;
    KumozenUtilidades m_util;
};
