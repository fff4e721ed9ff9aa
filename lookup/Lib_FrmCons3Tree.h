#pragma once

#include "ControlesConsulta.h"
#include "DialogosConsulta.h"
#include "platform/kumozen/KumozenUtilidades.h"

#include <QDialog>
#include <QHash>
#include <vector>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The modal tree lookup: the rows of one statement (code, description) as a
// tree built from hierarchical codes, searched by the start of a code or a
// description, narrowed on the server with F5; acceptance returns one field
// of the chosen family. Every handler can be called without showing it.
class Lib_FrmCons3Tree : public QDialog, public ConsultaDialogo {
    Q_OBJECT
public:
    explicit Lib_FrmCons3Tree(QWidget* parent = nullptr);
    ~Lib_FrmCons3Tree() override;

    void Muestra() override;

    void Form_Load();
    void CmbSearch_GotFocus(int Index);
    // True when the key was used here and goes no further.
    bool CmbSearch_KeyDown(int Index, int KeyCode, int Shift);
    void CmbSearch_Change(int Index);
    void CmbSearch_Click(int Index) { CmbSearch_Change(Index); }
    void CmdAceptar_Click();
    void CmdCancelar_Click();
    void CmdNueva_Click();
    void TreeV_DblClick() { CmdAceptar_Click(); }

    // Controls.
    QTreeWidget* TreeV;
    QWidget* picFields;
    std::vector<QComboBox*> CmbSearch;
    QLabel* lblFieldName;
    QFrame* Frame1;
    QPushButton* CmdAceptar;
    QPushButton* CmdCancelar;
    QPushButton* CmdNueva;

    // The node of a key ("A" and the code); null when there is none.
    QTreeWidgetItem* Nodo(const QString& Key) const;
    QString Key(const QTreeWidgetItem* Nodo) const;

public slots:
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ArmarTreeVAutomatico();
    void LimpiaNodos();
    QTreeWidgetItem* AgregaNodo(QTreeWidgetItem* padre, int despuesDe, const QString& key, const QString& texto);

    consulta::EstadoFiltro m_filtro;
    int m_columnaActiva = 0;
    // Nodes in the order they were added, the root first; keys are unique.
    std::vector<QTreeWidgetItem*> m_nodos;
    QHash<QString, QTreeWidgetItem*> m_porClave;
    KumozenUtilidades m_util;
};
