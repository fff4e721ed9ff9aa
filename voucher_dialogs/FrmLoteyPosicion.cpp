#include "voucher_dialogs/FrmLoteyPosicion.h"

#include "core/DB_Dll.h"
#include "core/Objetos.h"
#include "platform/ErrorTrap.h"
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"
#include "platform/Value.h"
#include "rules/Stock.h"
#include "vouchers/ListasSerieLote.h"
#include "vouchers/NumeroCelda.h"

#include <QLabel>
#include <algorithm>

namespace {

// Only the quantity column opens; Enter in it goes down a row, and on the
// last row gives the focus to the accept button.
const AjustesEditorGrilla kEditor{{FrmLoteyPosicion::ColCantidad}, {FrmLoteyPosicion::ColCantidad},
                                  FrmLoteyPosicion::ColCantidad, -1};

}  // namespace

FrmLoteyPosicion::FrmLoteyPosicion(QWidget* parent)
    : DialogoDetalle(QStringLiteral("FrmLoteyPosicion"), QString(), parent)
{
    setAjustesEditor(kEditor);
}

void FrmLoteyPosicion::MuestraArticulo(const QString& texto)
{
    lblArticulo->setText(texto);
}

void FrmLoteyPosicion::CargaDatos()
{
    ErrorTrap::skipping().run({
        [&] { EsPosicionYLote = EsPosicion && EsLote; },
        [&] {
            if (EsPosicionYLote)
                setWindowTitle(QStringLiteral("Posiciones y Lotes (Deposito: ") + Deposito + u')');
            else if (EsPosicion)
                setWindowTitle(QStringLiteral("Posiciones (Deposito: ") + Deposito + u')');
            else if (EsLote)
                setWindowTitle(QStringLiteral("Números de Lote (Deposito: ") + Deposito + u')');
        },
        [&] { lblArticulo->setText(lang::properCase(ArticuloDescripcion)); },
        [&] { InicializaGrid(); },
        [&] { VerificaAnteriores(); },
        [&] {
            MSFlexGrid1->setRow(MSFlexGrid1->Rows() - 1);
            MSFlexGrid1->setCol(ColCantidad);
        },
        [&] { AjustaGrilla(); },
    });
}

void FrmLoteyPosicion::InicializaGrid()
{
    FlexGrid& g = *MSFlexGrid1;
    g.Clear();
    g.setCols(5);
    g.setRows(1);
    m_filaDeposito = -1;
    m_disponibles.assign(1, 0.0);
    const char* const encabezados[] = {"POSICION", "LOTE", "UNIDAD", "DISPONIBLE", "CANT."};
    const int anchos[] = {12, 12, 6, 10, 8};
    for (int c = 0; c < 5; ++c) {
        const QString encabezado = QString::fromLatin1(encabezados[c]);
        g.setTextMatrix(0, c, encabezado);
        g.setColWidth(c, std::max(AnchoDeX(anchos[c]), AnchoParaTexto(encabezado)));
    }
    g.setColAlignment(ColPosicion, flex::AlignCenterTop);
    g.setColAlignment(ColLote, flex::AlignCenterTop);
    if (!ConLotes()) {
        g.setTextMatrix(0, ColLote, QString());
        g.setColWidth(ColLote, 0);
    }
}

void FrmLoteyPosicion::VerificaAnteriores()
{
    std::vector<QString> posiciones, cantidades, lotes;
    if (EsConsultaDePosicionLote)
        DescomponeAnteriores(posiciones, cantidades, lotes);
    CargaSaldos();
    AgregaFilaDeposito();
    if (EsConsultaDePosicionLote)
        MuestraAnteriores(posiciones, cantidades, lotes);
    else
        DistribuyeCantidad();
}

void FrmLoteyPosicion::DescomponeAnteriores(std::vector<QString>& posiciones, std::vector<QString>& cantidades,
                                            std::vector<QString>& lotes) const
{
    DescomponePosicionCantidadLote(PosicionesAnteriores, LotesAnteriores, posiciones, cantidades, lotes);
}

double FrmLoteyPosicion::EnUnidadDeLinea(const QString& unidad, double saldo) const
{
    // A line without unit takes the balance as it is kept.
    if (iUnidad.trimmed().isEmpty())
        return saldo;
    return ConvierteEntreUnidades(Articulo, unidad, saldo, iUnidad);
}

void FrmLoteyPosicion::CargaSaldos()
{
    DB_Dll& db = ObjDB();
    KumozenUtilidades& util = ObjUtilidades();
    const QString columnas = ConLotes()
                               ? QStringLiteral("SELECT AC_SALDOSLAYOUT.idposicion,AC_SALDOSLAYOUT.nrolote,"
                                                "AC_SALDOSLAYOUT.idunidadbase, isnull(AC_SALDOSLAYOUT.saldo,0) as disponible")
                               : QStringLiteral("SELECT AC_SALDOSLAYOUT.idposicion,AC_SALDOSLAYOUT.idunidadbase, "
                                                "isnull(AC_SALDOSLAYOUT.saldo,0) as disponible");
    const QString sql =
        columnas
        + QStringLiteral(" FROM AC_SALDOSLAYOUT, ma_posiciones WHERE  ac_saldoslayout.iddeposito=ma_posiciones.iddeposito "
                         "and ac_saldoslayout.idposicion=ma_posiciones.idposicion and  ac_saldoslayout.IDDEPOSITO=")
        + db.SQLValue(util.AlineaDerecha(Deposito, 4)) + QStringLiteral(" and ac_saldoslayout.idarticulo=")
        + db.SQLValue(util.AlineaDerecha(Articulo, 25))
        + QStringLiteral(" and ac_saldoslayout.saldo > 0 order by ac_saldoslayout.nrolote,ma_posiciones.ordeningreso,"
                         "ac_saldoslayout.idposicion  ");
    db::Recordset rs;
    db.AbrirRecordset(sql, rs);
    m_disponibles.resize(static_cast<std::size_t>(MSFlexGrid1->Rows()), 0.0);
    AgregaFilas([&](FilasLeidas& filas) {
        if (rs.Eof())
            return;
        // Each field found by its name once, not on every row.
        const db::Field& posicion = rs.field(QStringLiteral("IdPosicion"));
        const db::Field* const lote = ConLotes() ? &rs.field(QStringLiteral("NroLote")) : nullptr;
        const db::Field& unidad = rs.field(QStringLiteral("IdUnidadBase"));
        const db::Field& disponible = rs.field(QStringLiteral("disponible"));
        for (; !rs.Eof(); rs.MoveNext()) {
            QString* const fila = filas.nueva();
            fila[ColPosicion] = lang::text(util.ValorNoNulo(posicion.Value())).trimmed();
            if (lote)
                fila[ColLote] = lang::text(util.ValorNoNulo(lote->Value())).trimmed();
            fila[ColUnidad] = iUnidad;
            m_disponibles.push_back(EnUnidadDeLinea(lang::text(unidad.Value()), lang::number(disponible.Value())));
            fila[ColDisponible] = TextoCelda(m_disponibles.back());
            fila[ColCantidad] = ConLotes() ? QStringLiteral("0") : QString();
        }
    });
    db.CierraRecordset(rs);
}

void FrmLoteyPosicion::AgregaFilaDeposito()
{
    DB_Dll& db = ObjDB();
    KumozenUtilidades& util = ObjUtilidades();
    // The unit of each row is read too, so that the depot's balance is shown
    // in the line's unit like every other row; its rows (one per lot and
    // unit) add up.
    const QString sql = QStringLiteral("SELECT (ISNULL(SALDO,0)) AS SALDO, IDUNIDADBASE FROM AC_SALDOSLAYOUT WHERE IDDEPOSITO=")
                      + db.SQLValue(util.AlineaDerecha(Deposito, 4)) + QStringLiteral(" AND IDARTICULO=")
                      + db.SQLValue(util.AlineaDerecha(Articulo, 25)) + QStringLiteral(" and idposicion is null");
    db::Recordset rs;
    db.AbrirRecordset(sql, rs);
    if (rs.Eof()) {
        db.CierraRecordset(rs);
        return;
    }
    double saldo = 0;
    for (; !rs.Eof(); rs.MoveNext())
        saldo += EnUnidadDeLinea(lang::text(rs.value(QStringLiteral("IDUNIDADBASE"))),
                                 lang::number(rs.value(QStringLiteral("SALDO"))));
    db.CierraRecordset(rs);

    FlexGrid& g = *MSFlexGrid1;
    const int fila = g.Rows();
    g.setRows(fila + 1);
    m_filaDeposito = fila;
    g.setTextMatrix(fila, ColPosicion, QStringLiteral("DEPOSITO ") + Deposito);
    m_disponibles.resize(static_cast<std::size_t>(fila), 0.0);
    m_disponibles.push_back(saldo);
    g.setTextMatrix(fila, ColDisponible, TextoCelda(saldo));
    g.setTextMatrix(fila, ColCantidad, QStringLiteral("0"));
    g.setColWidth(ColPosicion, std::max(g.ColWidth(ColPosicion), AnchoParaTexto(QStringLiteral("   DEPOSITO ") + Deposito)));
}

double FrmLoteyPosicion::DisponibleExacto(int fila, int columnaStock) const
{
    if (fila > 0 && static_cast<std::size_t>(fila) < m_disponibles.size())
        return m_disponibles[static_cast<std::size_t>(fila)];
    return DialogoDetalle::DisponibleExacto(fila, columnaStock);
}

void FrmLoteyPosicion::MuestraAnteriores(const std::vector<QString>& posiciones,
                                         const std::vector<QString>& cantidades, const std::vector<QString>& lotes)
{
    FlexGrid& g = *MSFlexGrid1;
    const auto item = [](const std::vector<QString>& v, std::size_t k) { return k < v.size() ? v[k] : QString(); };
    for (std::size_t k = 0; k + 1 < posiciones.size(); ++k) {
        const QString posicion = posiciones[k];
        const QString cantidad = item(cantidades, k);
        // The depot's share has no position; without a depot row it has no
        // place and is dropped, like a position that holds nothing now.
        if (posicion.isEmpty()) {
            if (m_filaDeposito > 0)
                g.setTextMatrix(m_filaDeposito, ColCantidad, cantidad);
            continue;
        }
        for (int fila = 1; fila < g.Rows(); ++fila) {
            if (fila == m_filaDeposito || !lang::sameText(g.TextMatrix(fila, ColPosicion), posicion))
                continue;
            if (ConLotes() && !lang::sameText(g.TextMatrix(fila, ColLote), item(lotes, k)))
                continue;
            g.setTextMatrix(fila, ColCantidad, cantidad);
            break;
        }
    }
}

double FrmLoteyPosicion::SumaFilas(long MenosCual) const
{
    return SumaColumna(ColCantidad, MenosCual);
}

bool FrmLoteyPosicion::ValidaCantidadCantidadPedida() const
{
    return SumaColumna(ColCantidad, -1) == ComoCelda(Cantidad1);
}

void FrmLoteyPosicion::DistribuyeCantidad()
{
    // A row alone is no exception: it gives no more than it holds either,
    // and what it lacks is the shortfall the accept tells.
    DistribuyeEnOrden(Cantidad1, ColDisponible, ColCantidad);
}

void FrmLoteyPosicion::CompletaTodoIgual()
{
    CompletaColumna(ColUnidad);
}

void FrmLoteyPosicion::CampoValida(TextBox& Texto)
{
    ErrorTrap::showing(QStringLiteral("CampoValida")).run({[&] {
        HayError = false;
        const QString texto = Texto.text().trimmed();
        const QString campo = Texto.dataField().trimmed();
        FlexGrid& g = *MSFlexGrid1;
        if (!lang::sameText(campo, u"Cantidad")) {
            if (g.Row() == 1) {
                g.setText(texto);
                CompletaTodoIgual();
            }
            return;
        }
        if (!texto.isEmpty() && !lang::isNumber(texto)) {
            HayError = true;
            Aviso(QStringLiteral("Debe Ingresar un Valor Numerico"));
        } else if (NumeroCelda(texto) < 0) {
            HayError = true;
            Aviso(QStringLiteral("La Cantidad no puede ser Menor a Cero"));
        } else if (!Cabe(g.Row(), NumeroCelda(texto), Cantidad1, ColDisponible)) {
            HayError = true;
            Aviso(QStringLiteral("No hay disponible para esa posicion"));
        }
    }});
}

void FrmLoteyPosicion::Toolbar1_ButtonClick(int Index)
{
    ErrorTrap::showing(QStringLiteral("Toolbar1_ButtonClick")).run({[&] {
        FlexGrid& g = *MSFlexGrid1;
        if (g.Col() != ColCantidad || (Index != 1 && Index != 2) || !ConfirmaEditor())
            return;
        const QString texto = Index == 1 ? g.Text().trimmed() : QStringLiteral("0");
        for (int fila = g.Row(); fila < g.Rows(); ++fila)
            g.setTextMatrix(fila, ColCantidad, texto);
    }});
}

void FrmLoteyPosicion::CmdAceptar_Click()
{
    ErrorTrap::showing(QStringLiteral("CmdAceptar_Click")).run({[&] {
        if (!ConfirmaEditor())
            return;
        if (!ControlaTotal(Cantidad1, SumaFilas(-1), MostrarForm,
                           QStringLiteral("La suma de cantidades informadas es Menor a la cantidad solicitada ")))
            return;
        const FlexGrid& g = *MSFlexGrid1;
        QString posiciones = QStringLiteral("|");
        QString lotes = QStringLiteral("|");
        for (int fila = 1; fila < g.Rows(); ++fila) {
            // Any quantity that reads 0 ("0", "00", "0.00") takes nothing;
            // any other, however small, is a share.
            const QString cantidad = g.TextMatrix(fila, ColCantidad).trimmed();
            if (NumeroCelda(cantidad) == 0)
                continue;
            // Written straight onto the lists: a text built apart for each
            // row would be copied once more.
            const bool deposito = fila == m_filaDeposito;
            if (!deposito)
                posiciones += g.TextMatrix(fila, ColPosicion).trimmed();
            posiciones += u'*';
            posiciones += cantidad;
            posiciones += u'|';
            if (!deposito)
                lotes += g.TextMatrix(fila, ColLote).trimmed();
            lotes += u'|';
        }
        Posiciones = posiciones;
        if (ConLotes())
            Lotes = lotes;
        Oculta();
    }});
}
