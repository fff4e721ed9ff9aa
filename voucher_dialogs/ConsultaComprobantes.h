#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// What the voucher picker lists for a kind, without a window: the pseudo
// kinds a caller may pass, the statement each kind reads, and the columns
// each kind shows. Kinds are compared without regard to case and without
// trimming: a kind with blanks around it is a kind of no list.
//
// The kinds of one voucher family share a column set, a row layout and the
// members the accept fills.

// Sales kinds listed with date, voucher, complement, name and amount.
extern const QStringList GrupoOT;
// Purchase and supplier kinds: the supplier's account is handed back.
extern const QStringList GrupoFCC;
// Purchase vouchers read from C_MV_CPTE.
extern const QStringList GrupoCompras;
// Supplier notes kept as accounting vouchers (MV_ASIENTOS).
extern const QStringList GrupoAsientos;

bool EsDelGrupo(const QString& TC, const QStringList& grupo);
bool EsTipo(const QString& TC, const char* tipo);

// A pseudo kind ("RM/PENDIENTES" and the others) replaced by its base kind;
// SoloPendientes tells whether only the pending vouchers are wanted. Any
// other kind comes back as it was, letter case included.
struct TipoConsulta {
    QString TC;
    bool SoloPendientes = false;
};
TipoConsulta MapeaSeudoTipo(const QString& TC);

// The statement for a base kind. Filtro is a condition the calling program
// writes over the statement's columns and joins with AND; it goes in as it
// stands, so it must come from the program, never from what an operator
// typed. A filter of blanks only counts as none. The pending delivery notes
// read the settings "UsaRemitoContado" and "EntregaParcialRemito" here.
QString SentenciaComprobantes(const QString& TC, bool SoloPendientes, const QString& Filtro);

// One column of the list: its header and its width in capital X's of the
// dialog's font.
struct ColumnaComprobante {
    QString encabezado;
    int anchoX = 0;
};
// The columns of a base kind; the reference column of the OT and PR sets
// only when the setting "UsaReferenciaPresupuestos" is on.
std::vector<ColumnaComprobante> ColumnasComprobantes(const QString& TC, bool UsaReferencia);
