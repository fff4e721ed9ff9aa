#pragma once

#include "platform/Currency.h"
#include "vouchers/FormularioCargosReales.h"
#include "vouchers/ListasSerieLote.h"

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <map>
#include <vector>

class FlexGrid;
class StatusBar;
class TabStrip;
class TextBox;
namespace db {
class Recordset;
}

// The arguments of ClsCmnCptes::ActualizaStock after the voucher's own, with
// their defaults. The call writes back IdDeposito to ComprobanteOrigen (as
// the SQL literals it prepared from them), SQLTemp and HayError; a caller
// that calls again passes fresh values.
struct ArgumentosStock {
    QString IdDeposito;          // blank: the setting "DepositoDefault"; a line's own depot wins
    QString IdDepositoDestino;   // the depot a transfer enters; blank: NULL
    QString IdMotivoStock;       // blank: the setting "MotivoStockDefault"
    QString TCOrigen;            // "ELDELGRID": each line's own, from its cells
    QString ComprobanteOrigen;   // "ELDELGRID" as well
    bool EsTransferencia = false;
    QString Cuenta = QStringLiteral("PorDefault");  // a literal, or each article's supplier
    bool GeneraSentenciaSQL = false;  // true: hand the statements back (the PE number aside)
    QString SQLTemp;             // the caller's batch, extended
    bool HayError = false;       // set on a failure, never cleared
    QString IdTecnico = QStringLiteral("Null");     // "NULL" leaves the column out
    QString LoteFijo;            // the lot of incoming lines that carry none
    QString Aduana;
    QString LoteOrigen;
    std::int16_t SignoRemota = 0;  // 0: the voucher type's sign
};

// The rules of the voucher-entry toolkit. A voucher-entry form creates one,
// hands it its grids (the platform's FlexGrid, columns as in
// vouchers/ColumnasGrillas.h), its status bar and its tab strip on each call,
// and calls its operations; the class keeps no reference to them between
// calls. Its operations are declared in the order of its interface.
//
// Before the first call the connection is open (IniciaSistema,
// core/Sistema.h) and the dialogs are registered (RegistraDialogosComprobante,
// voucher_dialogs/RegistraDialogosComprobante.h). A voucher is named by its
// type as V_TA_CPTE codes it ("FC"; the rules right-justify it to 4), its
// 13-character id SucNroLetra (branch of 4 digits, number of 8, letter:
// "000100000040A") and its complement IdComplemento, a whole number as text
// ("0" for a kind that has none). A date is a text, day first
// ("10/12/2024"), or "2024-12-10". The stock of a type missing from
// V_TA_CPTE is refused, told to the operator ("El Tipo de Comprobante
// informado no existe en la tabla de comprobantes"). The class writes no
// voucher header or line: the host keeps them (sales in V_MV_CPTE and
// V_MV_CPTEINSUMOS, purchases in C_MV_CPTE and C_MV_CPTEINSUMOS), where
// AsignarDatosComprobante reads them.
//
// How a call reports a failure, as each operation says: "errors reach the
// caller" is a RuntimeError (platform/RuntimeError.h) thrown to the host;
// a trapped operation shows the error dialog with its own name, and the
// answer retries, goes on or leaves with what the result holds; a refusal
// or a shortfall is a message box, also from a request accepted unseen;
// ActualizaStock sets HayError besides. All of them go through the modal
// seam (platform/Prompts.h), which a host without windows answers itself.
class ClsCmnCptes {
public:
    // Reads the VAT rates of the settings "PIVA" and "PIVARec", each through
    // the fixed-point amount of four decimals (a missing setting gives 0).
    ClsCmnCptes();

    // --- the grids' layout ----------------------------------------------------
    // Prepares an in-cell editor for the column it is about to edit: its
    // DataField, its lookup source (Tag) and its length limit (0: none), by
    // its name ("TxtEdit" tasks, "TxtEdit2" articles, "TxtEdit3" other
    // concepts, any case, blanks around ignored). Another name or a column
    // without field rules leaves the box with none.
    void TextPropiedades(TextBox& Texto, std::int32_t Columna) const;
    // Lays out the tasks, articles, other-concepts and totals grids (12, 73,
    // 4 and 3 columns; 2 rows, 5 for the totals) for a voucher type: headers,
    // widths measured in each grid's own font, and the columns hidden by the
    // type, its system (SISTEMA of V_TA_CPTE) and the settings
    // "PideDepositoEnCptes", "NoMostrarImportesEnOT", "NombreArticulos",
    // "V_ListaPreciosPorItemArticulos", "ConfirmaUDEquiv" and
    // "V_DescuentoPorArticulos". Any grid or editor may be null and is then
    // skipped. The tasks and articles editors are hidden, the other-concepts
    // editor emptied. Errors reach the caller. It comes before a voucher is
    // loaded or entered: the other operations write the columns it lays out.
    void InicializaGrids(FlexGrid* MSFlexGrid1, FlexGrid* MSFlexGrid2, FlexGrid* MSFlexGrid3, TextBox* txtEdit,
                         TextBox* txtEdit2, TextBox* txtEdit3, const QString& TC,
                         FlexGrid* MSFlexGrid4 = nullptr) const;

    // --- writing a voucher: audit rows and stock -----------------------------
    // The audit row of an action on a voucher (lEsAlta: "A", else
    // lEsModificacion: "M", else "B") with the time, the user and the
    // computer. GeneraSentencia: the statement goes into SentenciaSQL and
    // nothing is executed; otherwise it is executed at once, and a failure
    // goes to the error dialog ("ActualizaBuchon").
    void ActualizaBuchon(const QString& TC, const QString& SucNroLetra, const QString& IdComplemento, bool lEsAlta,
                         bool lEsModificacion, bool GeneraSentencia, QString& SentenciaSQL) const;

    // --- charges and related vouchers ---------------------------------------
    // Lets the operator pick a voucher of the kind TC (or a pseudo kind such
    // as "RM/PENDIENTES") in the voucher picker, opened through the dialogs'
    // link (vouchers/EnlaceDialogosComprobante.h). Filtro is a condition the
    // calling program writes over the listed columns; it goes into the
    // statement as it stands. Respuesta gets the chosen voucher ("" when the
    // operator cancels), IdComplemento and Proveedor what the picker left.
    // Errors, a link without the picker among them, go to the error dialog.
    void ConsultaComprobante(const QString& TC, QString& Respuesta, const QString& Filtro, QString& IdComplemento,
                             QString& Proveedor) const;
    void ConsultaComprobante(const QString& TC, QString& Respuesta, QString& IdComplemento, QString& Proveedor) const
    {
        ConsultaComprobante(TC, Respuesta, QString(), IdComplemento, Proveedor);
    }
    // The balance of the real charges applied to the account (trimmed); 0
    // when it has none. Errors go to the error dialog and leave with what
    // the amount holds.
    Currency ImporteCargosReales(const QString& Cuenta) const;
    // Hands the host's charges-control form the client and the registration
    // number and shows it modally. Errors reach the caller.
    void ControlDeCargosReales(FormularioCargosReales& FrmCtrlCargosReales, const QString& Cliente,
                               const QString& Matricula) const;
    // Whether a voucher was issued from the one given by type (trimmed and
    // right-justified to 4), id (trimmed) and complement (as it stands);
    // voided ones count only when asked. Errors reach the caller.
    bool EstaRelacionadoAOtroComprobante(const QString& TC, const QString& SucNroLetra, const QString& Complemento,
                                         bool TenerEnCuentaAnulados) const;
    // The total of the amounts of the vouchers issued from the one given,
    // whatever their complement; voided ones never count. Errors reach the
    // caller.
    Currency ObtieneImporteCptesAsociados(const QString& TC, const QString& SucNroLetra) const;

    // The stock movements of a voucher (vouchers/ActualizacionStock.h): signed
    // V_MV_STOCK rows for each line of the articles grid with an article and a
    // quantity, signed by the type's direction (ES of V_TA_CPTE, "E" in and
    // "S" out); the inputs of produced articles discharged as a "PE"
    // voucher; and the receipt date of the purchase order it comes from. An
    // incoming line whose lists name one lot or serial number, or none,
    // writes one row of its whole quantity; one that names several, a row of
    // 1 per unit (its lists hold an item per unit); an outgoing line a row per
    // item of its lists, with the item's quantity; a size line a row per size.
    // On the embedded database the stock the requests read (STK_SERIES_Y_LOTES,
    // STK_SALDOS_UNIDADES) follows these rows as they are written.
    //
    // All of it or nothing. Executed at once, it runs in a transaction of its
    // own that begins with the savepoint "ActualizaStock" (on an Oracle
    // connection the connection's own transaction calls and Oracle's
    // SAVEPOINT and ROLLBACK TO SAVEPOINT). Called on its own,
    // it commits or leaves nothing. Inside a transaction the host opened
    // (BeginTrans, or "BEGIN TRANSACTION"), its rows become part of it, and a
    // failure undoes only the update's own rows: the host's work stays and
    // its transaction stays open, for the host to commit or roll back. With
    // GeneraSentenciaSQL no row is executed: every statement is appended to
    // SQLTemp, each after a CR, once the whole voucher is built, for the
    // caller to run in its transaction (EjecutaTransaccion); a failure
    // leaves SQLTemp as it was.
    //
    // The number of the PE voucher is claimed at once in both modes, when its
    // first row is built: the PE talonario's row is locked (in V_TA_CPTE, or
    // in the shared TA_Comprobantes for a PE talonario kept there), the
    // number taken and recorded in the update's transaction, so no other
    // voucher takes it, whether the batch runs at once, later or never (a
    // batch never run leaves a gap). The recording statements also go to
    // SQLTemp; run again, late or in any order, they never lower the recorded
    // number nor write a second control row of an accounting talonario.
    // Without a PE talonario, a voucher that discharges inputs is refused in
    // either mode.
    //
    // Failures, each with nothing written and HayError set: a stock row
    // without a depot (the line's, IdDeposito and "DepositoDefault" all
    // blank, or a transfer's IdDepositoDestino), inputs to discharge with no
    // PE talonario to number them, a statement the database refuses or a
    // read that failed on the way, each told in a message box
    // ("Aviso al operador"); a voucher type without a stock sign (transfers
    // and production orders aside, which sign their passes), told by
    // ObtieneSignoComprobante. When another station holds the database, the
    // update waits a few seconds, then the error dialog ("ActualizaStock")
    // offers to try again, as it does for any other error: a retry runs the
    // whole update again from the caller's values.
    //
    // Each line of MSFlexGrid2 carries first, besides its article, unit and
    // quantity, the cells marked "stock:" in vouchers/ColumnasGrillas.h: its
    // depot (or IdDeposito for all), EQUIV_UDBASE, the lists the requests
    // handed back in columns 16 and 17, and the flags ("0" on a plain line:
    // an empty size flag reads as a size line). The update only adds rows:
    // on a re-save the host deletes the voucher's earlier V_MV_STOCK rows (by
    // TC right-justified to 4, IdComprobante and, for a sales type,
    // IdComplemento) in the same transaction, such as the DELETE followed by
    // SQLTemp in one EjecutaTransaccion.
    void ActualizaStock(const FlexGrid& MSFlexGrid2, const QString& TC, const QString& SucNroLetra,
                        const QString& IdComplemento, const QString& Fecha, ArgumentosStock& Argumentos) const;

    // The stock sign of a voucher type (LibroIVA false: +1 in, -1 out, 0
    // none) or its VAT-book sign (LibroIVA true), from V_TA_CPTE: ES "E"/"S"
    // and a Signo that is not Null decide first; otherwise the trimmed type
    // code by the fixed lists. A type missing from V_TA_CPTE is told to the
    // operator and gives 0.
    std::int16_t ObtieneSignoComprobante(const QString& TC, bool LibroIVA) const;

    // Loads a stored voucher into the tasks, articles and other-concepts
    // grids, each stored line into the grid's last row, and leaves each grid
    // that received lines with one empty row after them. A sales voucher is
    // read from the V_ tables by type, number and complement (an empty
    // complement is 0, the complement of the kinds that have none; one that
    // is not a whole number is refused with a message); a purchase voucher
    // (Compras) from the C_ tables by type, number and the supplier's account.
    // An article line shows in "Cant." what is still open: on a voucher sent
    // over delivery runs (IdReparto -1) what is pending delivery, on a
    // delivery note or order (RM, NP) with "EntregaParcialRemito" on what
    // later vouchers have not taken over, otherwise its quantity; IdRepartoRM
    // -99 shows it negated. A voucher that does not exist is told to the
    // operator and the grids stay as they were. The grids are laid out by
    // InicializaGrids first: on a grid without the column model's columns the
    // load stops in the error dialog (error 9) with the cells filled so far.
    // LrcsCpte, when given,
    // receives the header standing on its row; IdRepartoRM, when given,
    // receives the header's delivery run (sales types only). Inicializar is
    // accepted and changes nothing. Errors go to the error dialog field by
    // field: going on after one fills the rest of its line.
    void AsignarDatosComprobante(const QString& TC, const QString& SucNroLetra, const QString& IdComplemento,
                                 FlexGrid& MSFlexGrid1, FlexGrid& MSFlexGrid2, FlexGrid& MSFlexGrid3,
                                 bool Inicializar = false, db::Recordset* LrcsCpte = nullptr, bool Compras = false,
                                 const QString& Proveedor = {}, std::int16_t* IdRepartoRM = nullptr) const;

    // --- lists of lots, series and positions (vouchers/ListasSerieLote.h) --
    QString StrSerieLote(const QString& Serie_Lote) const { return ::StrSerieLote(Serie_Lote); }
    void DescomponeSerieLote(const QString& Serie_Lote, std::vector<QString>& Arreglo) const
    {
        ::DescomponeSerieLote(Serie_Lote, Arreglo);
    }
    void DescomponePosicionCantidadLote(const QString& Posicion_Lote, const QString& PIPELotes,
                                        std::vector<QString>& ArrPosiciones, std::vector<QString>& ArrCantidades,
                                        std::vector<QString>& ArrLote) const
    {
        ::DescomponePosicionCantidadLote(Posicion_Lote, PIPELotes, ArrPosiciones, ArrCantidades, ArrLote);
    }
    std::int32_t Cuenta_Series_Lotes(const QString& PipeSeries, const QString& PIPELotes) const
    {
        return ::Cuenta_Series_Lotes(PipeSeries, PIPELotes);
    }
    QString ExtraeSerieLote(const QString& Serie_Lote, std::int16_t QuePosicion) const
    {
        return ::ExtraeSerieLote(Serie_Lote, QuePosicion);
    }
    std::int32_t Cantidad_Series_Lotes(const QString& Pipes) const { return ::Cantidad_Series_Lotes(Pipes); }
    QString InsertaCHR255(const QString& iPipe) const { return ::InsertaCHR255(iPipe); }

    // --- lot, series and position requests ----------------------------------
    // Each asks the operator for the lots, serial numbers or positions of one
    // article line in a detail dialog opened through the dialogs' link
    // (vouchers/EnlaceDialogosComprobante.h), fresh for the request and
    // released after it, and hands its lists back (vouchers/ListasSerieLote.h).
    // Errors, a link without the dialog among them, go to the error dialog
    // with the request's name.
    //
    // An incoming line: its lots (Lote) or serial numbers (Serie; both: serial
    // numbers) typed unit by unit, one row per unit of Cantidad, into the
    // depot Deposito (named in the caption; empty: the setting
    // "DepositoDefault"); Talle: the lots are size keys. The dialog is always
    // shown: a host without a screen answers it in its prompts' showModal
    // (the form is a FrmCargaLotesySeries, voucher_dialogs/
    // FrmCargaLotesySeries.h: it writes each unit's lot or serial number in
    // column ColValor of rows 1 to Cantidad of MSFlexGrid1, a lot on row 1
    // serving the blank rows below, calls CmdAceptar_Click() and returns the
    // form's result()). SerieNvo and LoteNvo get the lists the operator
    // accepted, one item per unit (|L1|L1|L2|), the earlier ones when he
    // cancels, "" for a quantity of 0 (no dialog).
    void PideSerieLote(const QString& Articulo, double Cantidad, const QString& SerieAnt, const QString& LoteAnt,
                       QString& SerieNvo, QString& LoteNvo, bool Serie = false, bool Lote = false,
                       bool Talle = false, const QString& Deposito = {}) const;
    // An outgoing line: lots and serial numbers picked from the stock of the
    // depot (an empty Deposito becomes the setting "DepositoDefault", kept in
    // the caller's variable), less what the lines of the article in Grilla
    // take, proposed first in first out by lot number, then serial number.
    // Shown (MostrarForm) the operator chooses; otherwise the proposal is
    // accepted unseen. SeriesLoteNvo and CantidadesNvo get the
    // lot-and-serial list and its quantities, Cantidad the total when the
    // operator adopted it; a cancel, or a proposal short of the quantity,
    // gives the earlier lists back (unseen, the shortfall is still told in a
    // message box). A quantity of 0 opens nothing and leaves them. The two
    // lists go into the line's columns 16 and 17.
    void PideSerieLote_Salidas(const FlexGrid& Grilla, const QString& Articulo, const QString& Descripcion,
                               double& Cantidad, const QString& SeriesLoteAnt, const QString& CantidadANT,
                               QString& SeriesLoteNvo, QString& CantidadesNvo, bool Lote, bool Serie, bool Talle,
                               QString& Deposito, bool MostrarForm) const;
    // What the lines of the article (column 0, any case) take: their
    // lot-and-serial lists (column 16) joined into one list, and their
    // quantities (column 17) alike. Errors reach the caller.
    void CuentaLotesEnGrilla(const FlexGrid& Grilla, const QString& Articulo, QString& LotesEnGrid,
                             QString& CantidadesEnGrid) const;
    // The storage positions (Posicion) and lots (Lote) a line's quantity, in
    // its unit IdUnidad, is taken from in the depot. PosicionNVO gets the
    // position*quantity list and LoteNvo its lots; a cancel gives the
    // earlier ones back; a quantity of 0 gives "" (no dialog).
    void PidePosicionLote(const QString& Articulo, const QString& IdUnidad, double Cantidad, const QString& Deposito,
                          const QString& PosicionAnt, const QString& LoteAnt, QString& PosicionNVO, QString& LoteNvo,
                          bool Posicion, bool Lote) const;

    // --- stock balance -------------------------------------------------------
    // "Ignorar" switches a filter off.
    static inline const QString Ignorar = QStringLiteral("Ignorar");
    // An article's balance. With lot and serial both "Ignorar": its balance
    // by unit, where a depot "Ignorar" becomes the setting "DepositoDefault"
    // and a unit "Ignorar" the article's own unit, both right-justified to 4
    // and handed back in the caller's variables (an empty depot sums every
    // depot). Otherwise the sum of STK_SERIES_Y_LOTES narrowed by each filter
    // that is neither "Ignorar" nor blank, and, for an article that uses
    // serial numbers and not lots (or lots and not serial numbers), to the
    // rows without a lot (without a serial number); the unit plays no part.
    double ObtieneStock(const QString& IdArticulo, QString& IdDeposito, const QString& NroLote,
                        const QString& NroSerie, const QString& IdPosicion, QString& IdUnidad) const;
    // The same with the unit "Ignorar"; the depot comes back in the
    // caller's variable as above.
    double ObtieneStock(const QString& IdArticulo, QString& IdDeposito, const QString& NroLote = Ignorar,
                        const QString& NroSerie = Ignorar, const QString& IdPosicion = Ignorar) const;
    // The same with a depot that is not the caller's variable (a value, or
    // omitted): nothing comes back.
    double ObtieneStock(const QString& IdArticulo, const QString& IdDeposito = Ignorar,
                        const QString& NroLote = Ignorar, const QString& NroSerie = Ignorar,
                        const QString& IdPosicion = Ignorar) const;

    std::int32_t Busca_Lotes_Series(const QString& PipeSeriesLotes, const QString& QueSerieLote) const
    {
        return ::Busca_Lotes_Series(PipeSeriesLotes, QueSerieLote);
    }

    // --- printed-form line limit and item counts ----------------------------
    // Whether the entered lines of the three grids (any may be null), plus
    // Agragarle, fit on the printed form of the type and letter. The form's
    // line count comes from the printer configuration of this workstation,
    // read again for a type and letter whenever the file PRINTERS.PRN of the
    // program's folder (any case of its name) changed since that type and
    // letter were last read; without the file there is no limit. With
    // LineasAnteriores -1 the CantLineas passed is the count. CantLineas is
    // set to the count used (0: no limit); CantLineasUsadas to the entered
    // lines when a limit applies; LineasAnteriores to the count whenever the
    // configuration is read. Errors leave with false.
    bool ValidaCantidadLineasCpte(const QString& TC, const QString& Letra, const FlexGrid* MSFlexGrid1,
                                  const FlexGrid* MSFlexGrid2, const FlexGrid* MSFlexGrid3, std::int16_t& CantLineas,
                                  std::int16_t& CantLineasUsadas, std::int32_t Agragarle,
                                  std::int16_t& LineasAnteriores);
    bool ValidaCantidadLineasCpte(const QString& TC, const QString& Letra, const FlexGrid* MSFlexGrid1,
                                  const FlexGrid* MSFlexGrid2, const FlexGrid* MSFlexGrid3,
                                  std::int32_t Agragarle = 0);
    // The entered lines of each grid (any may be null) and the units of the
    // articles, their quantities added line by line, the running total
    // rounded to a whole number (halves to even) after each line. Returns the
    // three counts added; errors leave with 0.
    std::int32_t CuentaItems(const FlexGrid* MSFlexGrid1, const FlexGrid* MSFlexGrid2, const FlexGrid* MSFlexGrid3,
                             std::int32_t& CantTareas, std::int32_t& CantArticulos,
                             std::int32_t& CantOtrosConceptos, std::int32_t& TotUnidades) const;
    std::int32_t CuentaItems(const FlexGrid* MSFlexGrid1, const FlexGrid* MSFlexGrid2,
                             const FlexGrid* MSFlexGrid3) const;

    // --- line detail in the status bar --------------------------------------
    // The current line of a grid: "code - description" of a task or article,
    // the text of an other concept, into panel 4 (for an article, the panel
    // Columna); an article's available stock (column 27) into the first panel
    // keyed "Stock" (any case) as "Stock: " and the number. A row or column
    // outside the grid writes nothing. The article's display passes over
    // every error; the others fail on a panel that does not exist.
    void MuestraDetalleTareas(const FlexGrid& MSFlexGrid1, StatusBar& StatB) const;
    void MuestraDetalleArticulos(const FlexGrid& MSFlexGrid2, StatusBar& StatB, std::int32_t Columna = 4) const;
    void MuestraDetalleOtrosConceptos(const FlexGrid& MSFlexGrid3, StatusBar& StatB) const;
    void MuestraDetalle(const QString& Detalle, StatusBar& StatB, std::int32_t Columna = 4) const;

    // --- control totals and painting -----------------------------------------
    // Rebuilds the totals grid: for each visible tab (0 tasks, 1 articles,
    // 2 other concepts) a pale yellow row with the tab's caption and its count
    // of entered lines, and the tasks' time ("h:m") or the articles' quantity;
    // after the articles, a pale orange row per group of lines, by family
    // (column 20, V_ta_Rubros; it wins when both are set), by type (column 19,
    // V_ta_TipoArticulo) or by article code: "key-description" and the
    // group's quantity, keys compared trimmed without regard to case and shown
    // as first met (by code, the code alone). The empty row that closes the
    // grid is painted blue. Errors go to the error dialog.
    void TotalizadorControl(const FlexGrid& MSFlexGrid1, const FlexGrid& MSFlexGrid2, const FlexGrid& MSFlexGrid3,
                            FlexGrid& MSFlexGrid4, const TabStrip& SSTab1, bool AbiertoPorRubro = false,
                            bool AbiertoPorTipo = false) const;
    // Paints every cell of a row (0x00BBGGRR; yellow by default) and makes it
    // the current row; the current column stays. A row outside the grid fails.
    void PintarFila(std::int32_t Fila, FlexGrid& MsFlexGrid, std::uint32_t Color = 65535) const;
    // Paints a column from FilaDesde to FilaHasta (-1: from row 0, to the
    // last row) and makes it the current column; the current row stays.
    // Cells outside the grid are passed over.
    void PintarColuma(std::int32_t Columna, FlexGrid& MsFlexGrid, std::int32_t FilaDesde = -1,
                      std::int32_t FilaHasta = -1, std::uint32_t Color = 65535) const;

    // --- repeated codes and fractions ---------------------------------------
    // Whether a data row other than FilaIgnorar holds the value in column 0,
    // both trimmed, compared without regard to case (an empty value finds an
    // empty row). FilaEncontrada receives the first such row, and is left
    // alone when there is none.
    bool TareaRepetida(const FlexGrid& MSFlexGrid1, const QString& Tarea, std::int32_t FilaIgnorar = -1) const;
    bool TareaRepetida(const FlexGrid& MSFlexGrid1, const QString& Tarea, std::int32_t FilaIgnorar,
                       std::int32_t& FilaEncontrada) const;
    bool ArticuloRepetido(const FlexGrid& MSFlexGrid2, const QString& Articulo, std::int32_t FilaIgnorar = -1) const;
    bool ArticuloRepetido(const FlexGrid& MSFlexGrid2, const QString& Articulo, std::int32_t FilaIgnorar,
                          std::int32_t& FilaEncontrada) const;
    bool OtrosConceptosRepetidos(const FlexGrid& MSFlexGrid3, const QString& OtroConcepto,
                                 std::int32_t FilaIgnorar = -1) const;
    bool OtrosConceptosRepetidos(const FlexGrid& MSFlexGrid3, const QString& OtroConcepto,
                                 std::int32_t FilaIgnorar, std::int32_t& FilaEncontrada) const;
    // Whether the number, written as text and read back as a cell is, has a
    // fractional part; a Null fails with error 94.
    bool NumeroEsFraccion(const QVariant& Numero) const;

private:
    // VAT rates read at creation: the general rate goes into the stock rows
    // the voucher writes; the additional one is read alike and used by none.
    double PorcentajeIVA = 0;
    double PorcentajeIVARec = 0;

    // The lines a printed form holds, per type and letter, with the date of
    // PRINTERS.PRN when they were read.
    struct LineasLeidas {
        QDateTime fecha;
        std::int16_t lineas = 0;
    };
    std::map<QString, LineasLeidas> FechaImpresoras;
    std::int16_t LineasDelFormulario(const QString& TC, const QString& Letra, std::int16_t CantLineas,
                                     std::int16_t& LineasAnteriores);
};
