#pragma once

// The start-up form on a fresh database, driven as the operator drives it
// without showing it, with the machine it starts on.
#include "positions/frmDRAVELO_ASIGNAR_UBICACION.h"
#include "positions/frmPosicionEntradas.h"

#include "core/DB_Dll.h"
#include "core/Globals.h"
#include "grid/VrDbGrid.h"
#include "platform/FlexGrid.h"
#include "platform/Host.h"
#include "tests/support/HostDePrueba.h"
#include "platform/TextBox.h"
#include "platform/Value.h"
#include "tests/support/TestDatabase.h"
#include "tests/voucher_dialogs/TecleaEnGrilla.h"

#include <QMap>
#include <QTableView>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// Depot 1 (the user's) and depot 2. Screws without lot came in with two
// receiving vouchers (10 and 4), washers in two lots with the first; the
// screws have positions P1 (room for 6) and P2 (room for 100), the washers Q1.
inline const char* const kFixture = R"(
    INSERT INTO ta_usuarios (nombre, UNegocio) VALUES ('ana', '   1');
    INSERT INTO V_TA_Deposito (IdDeposito, Descripcion, UnidadNegocio) VALUES
        ('   1', 'Deposito Central', '   1'), ('   2', 'Deposito Norte', '   2');
    INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD, IdFamilia, IdTipo, idrubro) VALUES
        ('                   ART001', 'TORNILLO', '  UN', '0101', 'T1', 'R1'),
        ('                   ART002', 'ARANDELA', '  UN', '0102', 'T2', 'R2');
    INSERT INTO S_TA_EQUIV (IdArticulo, IDUNIDAD, IDUNIDAD_EQUIV, Coeficiente) VALUES
        ('                   ART001', '  UN', '  UN', 1), ('                   ART002', '  UN', '  UN', 1);
    INSERT INTO MA_POSICIONES (IdDeposito, IdPosicion, Descripcion, IdArticulo, ORDENINGRESO, IdUnidad, HABILITADO,
                               CAPACIDAD) VALUES
        ('   1', 'P1', 'Rack 1', '                   ART001', 1, '  UN', 1, 6),
        ('   1', 'P2', 'Rack 2', '                   ART001', 2, '  UN', 1, 100),
        ('   1', 'Q1', 'Rack 3', '                   ART002', 1, '  UN', 1, 50);
    INSERT INTO V_MV_STOCK_DRAVELO (FECHA, TC, SUCURSAL, NUMERO, LETRA, IDARTICULO, IDUNIDADBASE, CANTIDAD, NROLOTE,
                                    IDDEPOSITO, IDPOSICION, USUARIO) VALUES
        ('2024-12-02T08:00:00', 'IR', '0001', '00000123', 'X', '                   ART001', '  UN', 10, NULL, '   1', NULL, 'juan'),
        ('2024-12-02T08:00:00', 'IR', '0001', '00000123', 'X', '                   ART002', '  UN', 5, 'L1', '   1', NULL, 'juan'),
        ('2024-12-02T08:00:00', 'IR', '0001', '00000123', 'X', '                   ART002', '  UN', 3, 'L2', '   1', NULL, 'juan'),
        ('2024-12-03T08:00:00', 'IR', '0001', '00000124', 'X', '                   ART001', '  UN', 4, NULL, '   1', NULL, 'juan'),
        ('2024-12-03T08:00:00', 'IR', '0001', '00000125', 'X', '                   ART001', '  UN', 7, NULL, '   2', NULL, 'juan');
)";

// The machine the form starts on: a program folder of its own, the command
// line given, the clock on 10/12/2024.
struct Maquina : HostDePrueba {
    explicit Maquina(const QString& linea) { parameters = linea; }
};

struct Pantalla {
    Maquina maquina;
    TestDatabase db;
    std::unique_ptr<frmDRAVELO_ASIGNAR_UBICACION> f;

    explicit Pantalla(const QString& parametros = {}, const QString& fixture = QString::fromLatin1(kFixture),
                      bool demo = false)
        : maquina(parametros), db(fixture, demo)
    {
        UsuarioLogeado = QStringLiteral("ana");
        f = std::make_unique<frmDRAVELO_ASIGNAR_UBICACION>();
    }
    ~Pantalla() { f.reset(); }
    Pantalla(const Pantalla&) = delete;
    Pantalla& operator=(const Pantalla&) = delete;

    FlexGrid& grid() const { return *f->VrDbGrid1->MsFlexGrid; }
    TextBox& editor() const { return *f->VrDbGrid1->txtEdit; }
    TextBox& campo(const char* nombre) const { return *f->Campo(QString::fromLatin1(nombre)); }
    QString celda(int fila, int col) const { return grid().TextMatrix(fila, col); }

    // A data row as "article|lot|quantity", the code trimmed.
    QString linea(int fila) const { return celda(fila, 1).trimmed() + u'|' + celda(fila, 3) + u'|' + celda(fila, 7); }
    // Each data row as linea() gives it.
    QStringList lineas() const
    {
        QStringList filas;
        for (int r = 1; r < grid().Rows(); ++r)
            if (!celda(r, 1).trimmed().isEmpty())
                filas << linea(r);
        return filas;
    }
    int fila(const QString& articulo, const QString& lote = {}) const
    {
        for (int r = 1; r < grid().Rows(); ++r)
            if (celda(r, 1).trimmed() == articulo && celda(r, 3) == lote)
                return r;
        return -1;
    }
    // The operator types a quantity into a line's transfer cell and confirms it.
    void transfiere(int fila, const QString& cantidad)
    {
        grid().setRow(fila);
        grid().setCol(8);
        f->TextPropiedades(editor(), 8);
        editor().setText(cantidad);
        bool avanza = true;
        f->CampoValida(editor(), avanza);
    }
    // The window on screen with the depot's lines loaded, the grid holding
    // the focus on a line's transfer cell.
    void muestraEnTransferir(int fila)
    {
        f->show();
        f->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(f.get()));
        f->Form_Load();
        f->cmdFiltrar_Click();
        grid().setRow(fila);
        grid().setCol(8);
        grid().view()->setFocus();
        QCoreApplication::processEvents();
    }
    // Keys as the operator presses them, into the open editor or else on the grid.
    void teclea(const char* teclas) { TecleaEnGrilla(grid(), editor(), QString::fromLatin1(teclas)); }
    bool modoLineas() const { return grid().Enabled() && !campo("IdDeposito").isEnabled(); }
    QString encabezado() const
    {
        return campo("SUCURSAL").text() + u'-' + campo("NUMERO").text() + u'-' + campo("LETRA").text();
    }
    QString escalar(const QString& sql) const
    {
        db::Recordset rs;
        ObjDB().AbrirRecordset(sql, rs);
        const QString valor = rs.Eof() ? QString() : lang::text(rs.value(0));
        ObjDB().CierraRecordset(rs);
        return valor;
    }
    // The voucher's rows as "position quantity", in order.
    QStringList filasDe(const QString& numero) const
    {
        QStringList filas;
        db::Recordset rs;
        ObjDB().AbrirRecordset(QStringLiteral("SELECT IDPOSICION, CANTIDAD FROM V_MV_STOCK_DRAVELO WHERE TC='TRP' AND "
                                              "NUMERO='%1' ORDER BY ID")
                                   .arg(numero),
                               rs);
        while (!rs.Eof()) {
            const QVariant p = rs.value(0);
            filas << (lang::isNull(p) ? QStringLiteral("-") : lang::text(p)) + u' ' + lang::text(rs.value(1));
            rs.MoveNext();
        }
        ObjDB().CierraRecordset(rs);
        return filas;
    }
};

// The position dialog as the operator uses it: the quantities given by
// position are typed in (the others emptied), or, with none given, the
// dialog's own proposal is taken; then Aceptar.
inline std::function<int(QDialog&)> acepta(QMap<QString, QString> cantidades = {})
{
    return [cantidades](QDialog& d) {
        auto& dialogo = static_cast<frmPosicionEntradas&>(d);
        FlexGrid& g = *dialogo.MSFlexGrid1;
        if (!cantidades.isEmpty())
            for (int r = 1; r < g.Rows(); ++r)
                if (!g.TextMatrix(r, 0).trimmed().isEmpty())
                    g.setTextMatrix(r, PosicionEntradas::ColCantidad, cantidades.value(g.TextMatrix(r, 0).trimmed()));
        dialogo.CmdAceptar_Click();
        return dialogo.result();
    };
}
