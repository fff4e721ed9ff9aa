-- Embedded database schema (SQLite). Text columns carry COLLATE NOCASE so that
-- keys compare without regard to case, as on the company's SQL Server; the
-- data layer makes literals ignore trailing blanks as well. The codes that
-- rows are joined and grouped by are stored without trailing blanks: the
-- "_Codigos" triggers trim them whoever writes the row, so that "P1 " meets
-- "P1" in a join, a grouping or a key, as it does on the server, on every
-- route to the file and for the sqlite3 tool alike (built-in RTRIM only).
-- Each subsystem keeps its objects in its own section below.

-- ==== core: configuration, users, error and access logs, articles ========

CREATE TABLE TA_CONFIGURACION (
    CLAVE  varchar(100) COLLATE NOCASE NOT NULL PRIMARY KEY,
    VALOR  varchar(1000) COLLATE NOCASE
);

CREATE TABLE ta_usuarios (
    nombre    varchar(50) COLLATE NOCASE NOT NULL PRIMARY KEY,
    UNegocio  varchar(4) COLLATE NOCASE,
    NombreCompleto varchar(100) COLLATE NOCASE
);
CREATE TRIGGER ta_usuarios_Codigos AFTER INSERT ON ta_usuarios
WHEN NEW.nombre GLOB '* ' OR NEW.UNegocio GLOB '* '
BEGIN
    UPDATE ta_usuarios SET nombre = RTRIM(nombre), UNegocio = RTRIM(UNegocio)
     WHERE rowid = NEW.rowid;
END;
CREATE TRIGGER ta_usuarios_CodigosCambiados AFTER UPDATE OF nombre, UNegocio ON ta_usuarios
WHEN NEW.nombre GLOB '* ' OR NEW.UNegocio GLOB '* '
BEGIN
    UPDATE ta_usuarios SET nombre = RTRIM(nombre), UNegocio = RTRIM(UNegocio)
     WHERE rowid = NEW.rowid;
END;

-- One row per failed SQL batch.
CREATE TABLE AUX_ERR (
    ID           integer PRIMARY KEY AUTOINCREMENT,
    Proceso      varchar(100) COLLATE NOCASE,
    Fecha        datetime,
    Error        int,
    Descripcion  varchar(250) COLLATE NOCASE,
    Sql          text COLLATE NOCASE,
    PC           varchar(100) COLLATE NOCASE,
    Usuario      varchar(50) COLLATE NOCASE
);

-- One row per run of a program: entry and exit.
CREATE TABLE CONTROL_ACCESO (
    ID       integer PRIMARY KEY AUTOINCREMENT,
    Usuario  varchar(50) COLLATE NOCASE,
    PC       varchar(100) COLLATE NOCASE,
    Sistema  varchar(100) COLLATE NOCASE,
    INGRESO  datetime,
    EGRESO   datetime
);

-- Articles; codes and barcodes right-justified to 25, units to 4.
CREATE TABLE V_MA_ARTICULOS (
    ID              integer PRIMARY KEY AUTOINCREMENT,
    IDARTICULO      varchar(25) COLLATE NOCASE NOT NULL UNIQUE,
    DESCRIPCION     varchar(100) COLLATE NOCASE,
    codigobarra     varchar(25) COLLATE NOCASE,
    CODIGOBARRADUN  varchar(25) COLLATE NOCASE,
    UD_TTE          varchar(4) COLLATE NOCASE,
    CODIGOBARRA1    varchar(25) COLLATE NOCASE,
    CODIGOBARRA2    varchar(25) COLLATE NOCASE,
    CODIGOBARRA3    varchar(25) COLLATE NOCASE,
    CODIGOBARRA4    varchar(25) COLLATE NOCASE,
    UMCB1           varchar(4) COLLATE NOCASE,
    UMCB2           varchar(4) COLLATE NOCASE,
    UMCB3           varchar(4) COLLATE NOCASE,
    UMCB4           varchar(4) COLLATE NOCASE,
    IDUNIDAD        varchar(4) COLLATE NOCASE,
    IdFamilia       varchar(20) COLLATE NOCASE,
    IdTipo          varchar(4) COLLATE NOCASE,
    idrubro         varchar(4) COLLATE NOCASE,
    USASERIE        bit NOT NULL DEFAULT 0,
    USALOTE         bit NOT NULL DEFAULT 0,
    Perecedero      bit NOT NULL DEFAULT 0,
    UsaTalle        bit NOT NULL DEFAULT 0,
    TalleDefault    varchar(10) COLLATE NOCASE,
    ColorDefault    varchar(10) COLLATE NOCASE,
    SexoDefault     varchar(10) COLLATE NOCASE,
    CuentaProveedor varchar(20) COLLATE NOCASE,
    Costo           decimal(18,4),
    SUSPENDIDO      bit NOT NULL DEFAULT 0,
    PRECIO1         decimal(18,4)
);
CREATE TRIGGER V_MA_ARTICULOS_Codigos AFTER INSERT ON V_MA_ARTICULOS
WHEN NEW.IDARTICULO GLOB '* ' OR NEW.IDUNIDAD GLOB '* '
BEGIN
    UPDATE V_MA_ARTICULOS SET IDARTICULO = RTRIM(IDARTICULO), IDUNIDAD = RTRIM(IDUNIDAD)
     WHERE rowid = NEW.rowid;
END;
CREATE TRIGGER V_MA_ARTICULOS_CodigosCambiados AFTER UPDATE OF IDARTICULO, IDUNIDAD ON V_MA_ARTICULOS
WHEN NEW.IDARTICULO GLOB '* ' OR NEW.IDUNIDAD GLOB '* '
BEGIN
    UPDATE V_MA_ARTICULOS SET IDARTICULO = RTRIM(IDARTICULO), IDUNIDAD = RTRIM(IDUNIDAD)
     WHERE rowid = NEW.rowid;
END;

-- Voucher printer per type, letter and workstation; USUARIO null serves every station.
CREATE TABLE TA_CONFIG_IMP_CPTE (
    ID              integer PRIMARY KEY AUTOINCREMENT,
    TC              varchar(4) COLLATE NOCASE NOT NULL,
    LETRA           varchar(1) COLLATE NOCASE NOT NULL,
    USUARIO         varchar(100) COLLATE NOCASE,
    Impresora       varchar(200) COLLATE NOCASE,
    CantCopias      smallint,
    CantLineas      smallint,
    DestinoDefault  varchar(50) COLLATE NOCASE
);

-- ==== rules: talonarios, lots, inputs, equivalences, stock balances ======

-- Talonarios: one row per talonario of a voucher type (CODIGO right-justified
-- to 4). Per letter: default branch, number range, the next number to hand
-- out and the expiry of the range. V_TA_CPTE holds this system's voucher
-- types; TA_Comprobantes is the shared table of every system's types, read
-- when V_TA_CPTE has no row. A number is recorded in the table its row came from.
CREATE TABLE V_TA_CPTE (
    CODIGO                  varchar(4) COLLATE NOCASE NOT NULL,
    TALONARIO               smallint NOT NULL,
    DESCRIPCION             varchar(50) COLLATE NOCASE,
    SISTEMA                 varchar(20) COLLATE NOCASE,
    ES                      varchar(1) COLLATE NOCASE,
    Signo                   smallint,
    Letras                  varchar(7) COLLATE NOCASE,
    Modificanumeracion      varchar(5) COLLATE NOCASE,
    Externo                 varchar(5) COLLATE NOCASE,
    fechahora_modificacion  varchar(20) COLLATE NOCASE,
    A_SUC_DEFAULT numeric(4,0), A_NRO_DESDE numeric(8,0), A_NRO_HASTA numeric(8,0), A_ULTIMO_NRO numeric(8,0), AVence datetime,
    B_SUC_DEFAULT numeric(4,0), B_NRO_DESDE numeric(8,0), B_NRO_HASTA numeric(8,0), B_ULTIMO_NRO numeric(8,0), BVence datetime,
    C_SUC_DEFAULT numeric(4,0), C_NRO_DESDE numeric(8,0), C_NRO_HASTA numeric(8,0), C_ULTIMO_NRO numeric(8,0), CVence datetime,
    E_SUC_DEFAULT numeric(4,0), E_NRO_DESDE numeric(8,0), E_NRO_HASTA numeric(8,0), E_ULTIMO_NRO numeric(8,0), EVence datetime,
    R_SUC_DEFAULT numeric(4,0), R_NRO_DESDE numeric(8,0), R_NRO_HASTA numeric(8,0), R_ULTIMO_NRO numeric(8,0), RVence datetime,
    X_SUC_DEFAULT numeric(4,0), X_NRO_DESDE numeric(8,0), X_NRO_HASTA numeric(8,0), X_ULTIMO_NRO numeric(8,0), XVence datetime,
    M_SUC_DEFAULT numeric(4,0), M_NRO_DESDE numeric(8,0), M_NRO_HASTA numeric(8,0), M_ULTIMO_NRO numeric(8,0), MVence datetime,
    PRIMARY KEY (CODIGO, TALONARIO)
);

CREATE TABLE TA_Comprobantes (
    CODIGO                  varchar(4) COLLATE NOCASE NOT NULL,
    TALONARIO               smallint NOT NULL,
    DESCRIPCION             varchar(50) COLLATE NOCASE,
    SISTEMA                 varchar(20) COLLATE NOCASE,
    ES                      varchar(1) COLLATE NOCASE,
    Signo                   smallint,
    Letras                  varchar(7) COLLATE NOCASE,
    Modificanumeracion      varchar(5) COLLATE NOCASE,
    Externo                 varchar(5) COLLATE NOCASE,
    fechahora_modificacion  varchar(20) COLLATE NOCASE,
    A_SUC_DEFAULT numeric(4,0), A_NRO_DESDE numeric(8,0), A_NRO_HASTA numeric(8,0), A_ULTIMO_NRO numeric(8,0), AVence datetime,
    B_SUC_DEFAULT numeric(4,0), B_NRO_DESDE numeric(8,0), B_NRO_HASTA numeric(8,0), B_ULTIMO_NRO numeric(8,0), BVence datetime,
    C_SUC_DEFAULT numeric(4,0), C_NRO_DESDE numeric(8,0), C_NRO_HASTA numeric(8,0), C_ULTIMO_NRO numeric(8,0), CVence datetime,
    E_SUC_DEFAULT numeric(4,0), E_NRO_DESDE numeric(8,0), E_NRO_HASTA numeric(8,0), E_ULTIMO_NRO numeric(8,0), EVence datetime,
    R_SUC_DEFAULT numeric(4,0), R_NRO_DESDE numeric(8,0), R_NRO_HASTA numeric(8,0), R_ULTIMO_NRO numeric(8,0), RVence datetime,
    X_SUC_DEFAULT numeric(4,0), X_NRO_DESDE numeric(8,0), X_NRO_HASTA numeric(8,0), X_ULTIMO_NRO numeric(8,0), XVence datetime,
    M_SUC_DEFAULT numeric(4,0), M_NRO_DESDE numeric(8,0), M_NRO_HASTA numeric(8,0), M_ULTIMO_NRO numeric(8,0), MVence datetime,
    PRIMARY KEY (CODIGO, TALONARIO)
);

-- Numbers handed out to accounting vouchers and purchase orders.
CREATE TABLE V_MV_CTROL_CPTE (
    TC        varchar(4) COLLATE NOCASE,
    SUCURSAL  varchar(4) COLLATE NOCASE,
    NUMERO    varchar(8) COLLATE NOCASE,
    LETRA     varchar(1) COLLATE NOCASE
);

-- Accounting entries, shared by the company's systems: the data-access
-- object reads them through the synonym SS_MV_ASIENTOS.
CREATE TABLE MV_ASIENTOS (
    TC                varchar(4) COLLATE NOCASE,
    SUCURSAL          varchar(4) COLLATE NOCASE,
    NUMERO            varchar(8) COLLATE NOCASE,
    LETRA             varchar(1) COLLATE NOCASE,
    CUENTA            varchar(20) COLLATE NOCASE,
    MES_OPERATIVO     smallint,
    "NUMERO ASIENTO"  int,
    FECHA             datetime,
    Importe           numeric(18,4)
);
CREATE VIEW SS_MV_ASIENTOS AS SELECT * FROM MV_ASIENTOS;

-- Purchase vouchers.
CREATE TABLE C_MV_CPTE (
    ID              integer PRIMARY KEY AUTOINCREMENT,
    TC              varchar(4) COLLATE NOCASE,
    IDCOMPROBANTE   varchar(13) COLLATE NOCASE,
    NUMERO          varchar(13) COLLATE NOCASE,
    fecharecepcion  datetime,
    FECHA           datetime,
    CUENTA          varchar(20) COLLATE NOCASE,
    NOMBRE          varchar(100) COLLATE NOCASE,
    ANULADA         bit NOT NULL DEFAULT 0,
    APROBADO        bit NOT NULL DEFAULT 0,
    Importe         numeric(18,4),
    comentarios     varchar(500) COLLATE NOCASE,
    Garantia        bit NOT NULL DEFAULT 0,
    FINALIZADO      bit NOT NULL DEFAULT 0,
    IdReparto       int,
    CondicionIVA    varchar(4) COLLATE NOCASE
);

-- Stock movements of the voucher toolkit; codes right-justified (articles,
-- lots and serial numbers 25; types, depots, units and reasons 4).
CREATE TABLE V_MV_STOCK (
    ID                    integer PRIMARY KEY AUTOINCREMENT,
    TC                    varchar(4) COLLATE NOCASE,
    IdComprobante         varchar(13) COLLATE NOCASE,
    IdComplemento         int,
    Secuencia             int,
    Fecha                 datetime,
    IdCaja                varchar(4) COLLATE NOCASE,
    IdDeposito            varchar(4) COLLATE NOCASE,
    IdArticulo            varchar(25) COLLATE NOCASE,
    Descripcion           varchar(100) COLLATE NOCASE,
    NroLote               varchar(25) COLLATE NOCASE,
    ControladoPor         varchar(25) COLLATE NOCASE,
    IdOrigen              varchar(25) COLLATE NOCASE,
    NroSerie              varchar(25) COLLATE NOCASE,
    IdUnidad              varchar(4) COLLATE NOCASE,
    Cantidad              numeric(18,4),
    CantidadUD            numeric(18,4),
    IdUnidadBase          varchar(4) COLLATE NOCASE,
    CuentaProveedor       varchar(20) COLLATE NOCASE,
    IdMotivoStock         varchar(4) COLLATE NOCASE,
    PrecioVenta           numeric(18,4),
    Costo                 numeric(18,4),
    Impuestos             numeric(18,4),
    DtoItem               numeric(18,4),
    Tc_Origen             varchar(4) COLLATE NOCASE,
    IdComprobante_Origen  varchar(13) COLLATE NOCASE,
    Id_Origen             int,
    IVARI                 numeric(18,4),
    IVARNI                numeric(18,4),
    IdTecnico             varchar(20) COLLATE NOCASE,
    EQUIV_UDBASE          numeric(18,4)
);


-- Inputs (components) of an article, as quantities per unit of the article.
CREATE TABLE V_MA_INSUMOS (
    IDARTICULO        varchar(25) COLLATE NOCASE,
    IdArticuloInsumo  varchar(25) COLLATE NOCASE,
    IdUnidadInsumo    varchar(4) COLLATE NOCASE,
    Cantidad          numeric(18,4)
);

-- Unit equivalences per article: one IDUNIDAD equals Coeficiente units of
-- IDUNIDAD_EQUIV; a row serves both ways.
CREATE TABLE S_TA_EQUIV (
    IdArticulo      varchar(25) COLLATE NOCASE,
    IDUNIDAD        varchar(4) COLLATE NOCASE,
    IDUNIDAD_EQUIV  varchar(4) COLLATE NOCASE,
    Coeficiente     numeric(18,6)
);
CREATE TRIGGER S_TA_EQUIV_Codigos AFTER INSERT ON S_TA_EQUIV
WHEN NEW.IdArticulo GLOB '* ' OR NEW.IDUNIDAD GLOB '* ' OR NEW.IDUNIDAD_EQUIV GLOB '* '
BEGIN
    UPDATE S_TA_EQUIV SET IdArticulo = RTRIM(IdArticulo), IDUNIDAD = RTRIM(IDUNIDAD), IDUNIDAD_EQUIV = RTRIM(IDUNIDAD_EQUIV)
     WHERE rowid = NEW.rowid;
END;
CREATE TRIGGER S_TA_EQUIV_CodigosCambiados AFTER UPDATE OF IdArticulo, IDUNIDAD, IDUNIDAD_EQUIV ON S_TA_EQUIV
WHEN NEW.IdArticulo GLOB '* ' OR NEW.IDUNIDAD GLOB '* ' OR NEW.IDUNIDAD_EQUIV GLOB '* '
BEGIN
    UPDATE S_TA_EQUIV SET IdArticulo = RTRIM(IdArticulo), IDUNIDAD = RTRIM(IDUNIDAD), IDUNIDAD_EQUIV = RTRIM(IDUNIDAD_EQUIV)
     WHERE rowid = NEW.rowid;
END;

-- ---- The toolkit's stock balances ---------------------------------------
-- STK_SERIES_Y_LOTES: the stock by article, depot, lot, serial number and
-- position, in the article's own unit. STK_SALDOS_UNIDADES: the stock by
-- article, unit and depot, in each unit the article is counted in. Each is
-- its opening balances plus every movement of V_MV_STOCK, whose quantity
-- carries the sign the stock update gave it (in, out, each pass of a
-- transfer). The triggers below keep both in tables of their own, in the
-- transaction of each change, so that reading them is reading rows: one row
-- per key, and none for a balance that came to 0. Codes keep their leading
-- blanks (right-justified) and compare without regard to case or trailing
-- blanks; a blank lot, serial number or position is NULL. The rows of one
-- lot and serial number stay in the order they first came in. The work a
-- movement's row costs is kept small: every statement that writes one pays
-- it again, as SQLite prepares its triggers with it.

-- Opening balances, as rows of their own: the stock there was before the
-- movements the file holds. A row inserted into STK_SERIES_Y_LOTES or
-- STK_SALDOS_UNIDADES is kept here.
CREATE TABLE STK_SERIES_Y_LOTES_INICIALES (
    IdArticulo  varchar(25) COLLATE NOCASE,
    IDDEPOSITO  varchar(4) COLLATE NOCASE,
    NroLote     varchar(25) COLLATE NOCASE,
    NroSerie    varchar(25) COLLATE NOCASE,
    IdPosicion  varchar(15) COLLATE NOCASE,
    CANTIDAD    numeric(18,4)
);
CREATE INDEX IX_STK_SERIES_Y_LOTES_INICIALES_Articulo ON STK_SERIES_Y_LOTES_INICIALES (RTRIM(IdArticulo) COLLATE NOCASE);
CREATE TABLE STK_SALDOS_UNIDADES_INICIALES (
    IDARTICULO    varchar(25) COLLATE NOCASE,
    EQUIVALENCIA  varchar(4) COLLATE NOCASE,
    IDDEPOSITO    varchar(4) COLLATE NOCASE,
    STOCK         numeric(18,4)
);
CREATE INDEX IX_STK_SALDOS_UNIDADES_INICIALES_Articulo ON STK_SALDOS_UNIDADES_INICIALES (RTRIM(IDARTICULO) COLLATE NOCASE);
CREATE INDEX IX_V_MV_STOCK_Articulo ON V_MV_STOCK (RTRIM(IdArticulo) COLLATE NOCASE);

-- The units an article is counted in, each with how many of it make one of
-- the article's own unit (Factor): its own unit (1), and each unit an
-- equivalence pairs with it, as the unit conversion reads S_TA_EQUIV (a row
-- from the article's unit wins over a row back to it; of two rows for the
-- same pair, the higher coefficient, then the first). A blank unit, four
-- blanks here, stands for its own. Units right-justified to 4. Kept per
-- article in STK_UNIDADES_ARTICULO.
CREATE VIEW STK_UNIDADES_EQUIVALENTES AS
SELECT a.IDARTICULO AS IdArticulo, printf('%4s', TRIM(a.IDUNIDAD)) AS Unidad, 1.0 AS Factor
FROM V_MA_ARTICULOS a
WHERE TRIM(IFNULL(a.IDUNIDAD, '')) <> ''
UNION ALL
SELECT a.IDARTICULO, '    ', 1.0
FROM V_MA_ARTICULOS a
WHERE TRIM(IFNULL(a.IDUNIDAD, '')) <> ''
UNION ALL
SELECT e.IdArticulo, printf('%4s', TRIM(e.IDUNIDAD_EQUIV)), e.Coeficiente
FROM S_TA_EQUIV e
JOIN V_MA_ARTICULOS a ON a.IDARTICULO = e.IdArticulo
WHERE e.Coeficiente <> 0 AND TRIM(e.IDUNIDAD) = TRIM(a.IDUNIDAD) COLLATE NOCASE
  AND TRIM(e.IDUNIDAD_EQUIV) <> TRIM(a.IDUNIDAD) COLLATE NOCASE
  AND NOT EXISTS (SELECT 1 FROM S_TA_EQUIV x
                  WHERE x.IdArticulo = e.IdArticulo AND x.Coeficiente <> 0
                    AND TRIM(x.IDUNIDAD) = TRIM(a.IDUNIDAD) COLLATE NOCASE
                    AND TRIM(x.IDUNIDAD_EQUIV) = TRIM(e.IDUNIDAD_EQUIV) COLLATE NOCASE
                    AND (x.Coeficiente > e.Coeficiente OR (x.Coeficiente = e.Coeficiente AND x.rowid < e.rowid)))
UNION ALL
SELECT e.IdArticulo, printf('%4s', TRIM(e.IDUNIDAD)), 1.0 / e.Coeficiente
FROM S_TA_EQUIV e
JOIN V_MA_ARTICULOS a ON a.IDARTICULO = e.IdArticulo
WHERE e.Coeficiente <> 0 AND TRIM(e.IDUNIDAD_EQUIV) = TRIM(a.IDUNIDAD) COLLATE NOCASE
  AND TRIM(e.IDUNIDAD) <> TRIM(a.IDUNIDAD) COLLATE NOCASE
  AND NOT EXISTS (SELECT 1 FROM S_TA_EQUIV x
                  WHERE x.IdArticulo = e.IdArticulo AND x.Coeficiente <> 0
                    AND ((TRIM(x.IDUNIDAD) = TRIM(a.IDUNIDAD) COLLATE NOCASE
                          AND TRIM(x.IDUNIDAD_EQUIV) = TRIM(e.IDUNIDAD) COLLATE NOCASE)
                      OR (TRIM(x.IDUNIDAD) = TRIM(e.IDUNIDAD) COLLATE NOCASE
                          AND TRIM(x.IDUNIDAD_EQUIV) = TRIM(a.IDUNIDAD) COLLATE NOCASE
                          AND (x.Coeficiente > e.Coeficiente OR (x.Coeficiente = e.Coeficiente AND x.rowid < e.rowid)))));
CREATE TABLE STK_UNIDADES_ARTICULO (
    IdArticulo  varchar(25) COLLATE NOCASE NOT NULL,
    Unidad      varchar(4) COLLATE NOCASE NOT NULL,
    Factor      float NOT NULL,
    PRIMARY KEY (IdArticulo, Unidad)
);
CREATE INDEX IX_S_TA_EQUIV_Articulo ON S_TA_EQUIV (IdArticulo);

-- The kept balances: one row per key, added up to 10 decimals so that what
-- cancels out comes to 0 (a row that does goes), and shown to 4, as the
-- movements hold them.
CREATE TABLE STK_SERIES_Y_LOTES_SALDOS (
    IdArticulo      varchar(25) COLLATE NOCASE NOT NULL,
    IDDEPOSITO      varchar(4) COLLATE NOCASE,
    NroLote         varchar(25) COLLATE NOCASE,
    NroSerie        varchar(25) COLLATE NOCASE,
    IdPosicion      varchar(15) COLLATE NOCASE,
    CantidadExacta  float NOT NULL,
    CANTIDAD        numeric(18,4) GENERATED ALWAYS AS (ROUND(CantidadExacta, 4)) STORED
);
CREATE UNIQUE INDEX IX_STK_SERIES_Y_LOTES_SALDOS_Clave ON STK_SERIES_Y_LOTES_SALDOS (IdArticulo,
    IFNULL(IDDEPOSITO, '') COLLATE NOCASE, IFNULL(NroLote, '') COLLATE NOCASE, IFNULL(NroSerie, '') COLLATE NOCASE,
    IFNULL(IdPosicion, '') COLLATE NOCASE);
CREATE TRIGGER STK_SERIES_Y_LOTES_SALDOS_Cero AFTER UPDATE OF CantidadExacta ON STK_SERIES_Y_LOTES_SALDOS
WHEN NEW.CantidadExacta = 0
BEGIN
    DELETE FROM STK_SERIES_Y_LOTES_SALDOS WHERE rowid = NEW.rowid;
END;
CREATE TABLE STK_SALDOS_UNIDADES_SALDOS (
    IDARTICULO    varchar(25) COLLATE NOCASE NOT NULL,
    EQUIVALENCIA  varchar(4) COLLATE NOCASE,
    IDDEPOSITO    varchar(4) COLLATE NOCASE,
    StockExacto   float NOT NULL,
    STOCK         numeric(18,4) GENERATED ALWAYS AS (ROUND(StockExacto, 4)) STORED
);
CREATE UNIQUE INDEX IX_STK_SALDOS_UNIDADES_SALDOS_Clave ON STK_SALDOS_UNIDADES_SALDOS (IDARTICULO,
    IFNULL(EQUIVALENCIA, '') COLLATE NOCASE, IFNULL(IDDEPOSITO, '') COLLATE NOCASE);
CREATE TRIGGER STK_SALDOS_UNIDADES_SALDOS_Cero AFTER UPDATE OF StockExacto ON STK_SALDOS_UNIDADES_SALDOS
WHEN NEW.StockExacto = 0
BEGIN
    DELETE FROM STK_SALDOS_UNIDADES_SALDOS WHERE rowid = NEW.rowid;
END;

-- What the voucher rules read; a row inserted here is an opening balance.
CREATE VIEW STK_SERIES_Y_LOTES AS
SELECT IdArticulo, IDDEPOSITO, NroLote, NroSerie, IdPosicion, CANTIDAD FROM STK_SERIES_Y_LOTES_SALDOS WHERE CANTIDAD <> 0;
CREATE TRIGGER STK_SERIES_Y_LOTES_Inicial INSTEAD OF INSERT ON STK_SERIES_Y_LOTES
BEGIN
    INSERT INTO STK_SERIES_Y_LOTES_INICIALES (IdArticulo, IDDEPOSITO, NroLote, NroSerie, IdPosicion, CANTIDAD)
    VALUES (NEW.IdArticulo, NEW.IDDEPOSITO, NEW.NroLote, NEW.NroSerie, NEW.IdPosicion, NEW.CANTIDAD);
END;
CREATE VIEW STK_SALDOS_UNIDADES AS
SELECT IDARTICULO, EQUIVALENCIA, IDDEPOSITO, STOCK FROM STK_SALDOS_UNIDADES_SALDOS WHERE STOCK <> 0;
CREATE TRIGGER STK_SALDOS_UNIDADES_Inicial INSTEAD OF INSERT ON STK_SALDOS_UNIDADES
BEGIN
    INSERT INTO STK_SALDOS_UNIDADES_INICIALES (IDARTICULO, EQUIVALENCIA, IDDEPOSITO, STOCK)
    VALUES (NEW.IDARTICULO, NEW.EQUIVALENCIA, NEW.IDDEPOSITO, NEW.STOCK);
END;

-- A change to a kept balance, inserted here: added to the row of its key,
-- which is made when missing. Nothing is stored in these views.
CREATE VIEW STK_CAMBIO_LOTES AS
SELECT IdArticulo, IDDEPOSITO, NroLote, NroSerie, IdPosicion, CANTIDAD FROM STK_SERIES_Y_LOTES_INICIALES WHERE 0;
CREATE TRIGGER STK_CAMBIO_LOTES_Suma INSTEAD OF INSERT ON STK_CAMBIO_LOTES
BEGIN
    INSERT INTO STK_SERIES_Y_LOTES_SALDOS (IdArticulo, IDDEPOSITO, NroLote, NroSerie, IdPosicion, CantidadExacta)
    SELECT RTRIM(NEW.IdArticulo), RTRIM(NEW.IDDEPOSITO), NULLIF(RTRIM(NEW.NroLote), ''),
           NULLIF(RTRIM(NEW.NroSerie), ''), NULLIF(RTRIM(NEW.IdPosicion), ''), NEW.CANTIDAD
    WHERE TRIM(IFNULL(NEW.IdArticulo, '')) <> '' AND IFNULL(NEW.CANTIDAD, 0) <> 0
    ON CONFLICT (IdArticulo, IFNULL(IDDEPOSITO, '') COLLATE NOCASE, IFNULL(NroLote, '') COLLATE NOCASE,
                 IFNULL(NroSerie, '') COLLATE NOCASE, IFNULL(IdPosicion, '') COLLATE NOCASE)
    DO UPDATE SET CantidadExacta = ROUND(CantidadExacta + excluded.CantidadExacta, 10);
END;
CREATE VIEW STK_CAMBIO_UNIDADES AS
SELECT IDARTICULO, EQUIVALENCIA, IDDEPOSITO, STOCK FROM STK_SALDOS_UNIDADES_INICIALES WHERE 0;
CREATE TRIGGER STK_CAMBIO_UNIDADES_Suma INSTEAD OF INSERT ON STK_CAMBIO_UNIDADES
BEGIN
    INSERT INTO STK_SALDOS_UNIDADES_SALDOS (IDARTICULO, EQUIVALENCIA, IDDEPOSITO, StockExacto)
    SELECT RTRIM(NEW.IDARTICULO), RTRIM(NEW.EQUIVALENCIA), RTRIM(NEW.IDDEPOSITO), NEW.STOCK
    WHERE TRIM(IFNULL(NEW.IDARTICULO, '')) <> '' AND IFNULL(NEW.STOCK, 0) <> 0
    ON CONFLICT (IDARTICULO, IFNULL(EQUIVALENCIA, '') COLLATE NOCASE, IFNULL(IDDEPOSITO, '') COLLATE NOCASE)
    DO UPDATE SET StockExacto = ROUND(StockExacto + excluded.StockExacto, 10);
END;

-- A movement's change: by lot, in the article's own unit; by unit, in each
-- unit the article is counted in. A movement in a unit the article has no
-- equivalence for, or of an article without a unit, counts as it is: by
-- lot, and by unit in that unit alone. Written straight into the kept
-- tables, two statements: this is the work every movement written pays.
CREATE VIEW STK_CAMBIO_MOVIMIENTO AS
SELECT IdArticulo, IdDeposito, NroLote, NroSerie, IdUnidad, Cantidad FROM V_MV_STOCK WHERE 0;
CREATE TRIGGER STK_CAMBIO_MOVIMIENTO_Suma INSTEAD OF INSERT ON STK_CAMBIO_MOVIMIENTO
WHEN TRIM(IFNULL(NEW.IdArticulo, '')) <> '' AND IFNULL(NEW.Cantidad, 0) <> 0
BEGIN
    INSERT INTO STK_SERIES_Y_LOTES_SALDOS (IdArticulo, IDDEPOSITO, NroLote, NroSerie, IdPosicion, CantidadExacta)
    VALUES (RTRIM(NEW.IdArticulo), RTRIM(NEW.IdDeposito), NULLIF(RTRIM(NEW.NroLote), ''), NULLIF(RTRIM(NEW.NroSerie), ''),
            NULL,
            ROUND(NEW.Cantidad / IFNULL((SELECT Factor FROM STK_UNIDADES_ARTICULO
                                         WHERE IdArticulo = RTRIM(NEW.IdArticulo)
                                           AND Unidad = printf('%4s', TRIM(IFNULL(NEW.IdUnidad, '')))), 1), 10))
    ON CONFLICT (IdArticulo, IFNULL(IDDEPOSITO, '') COLLATE NOCASE, IFNULL(NroLote, '') COLLATE NOCASE,
                 IFNULL(NroSerie, '') COLLATE NOCASE, IFNULL(IdPosicion, '') COLLATE NOCASE)
    DO UPDATE SET CantidadExacta = ROUND(CantidadExacta + excluded.CantidadExacta, 10);
    INSERT INTO STK_SALDOS_UNIDADES_SALDOS (IDARTICULO, EQUIVALENCIA, IDDEPOSITO, StockExacto)
    SELECT RTRIM(NEW.IdArticulo), IFNULL(e.Unidad, x.Unidad), RTRIM(NEW.IdDeposito),
           ROUND(NEW.Cantidad * IFNULL(e.Factor / p.Factor, 1), 10)
    FROM (SELECT printf('%4s', TRIM(IFNULL(NEW.IdUnidad, ''))) AS Unidad) x
    LEFT JOIN STK_UNIDADES_ARTICULO p ON p.IdArticulo = RTRIM(NEW.IdArticulo) AND p.Unidad = x.Unidad
    LEFT JOIN STK_UNIDADES_ARTICULO e ON e.IdArticulo = p.IdArticulo AND e.Unidad <> '    '
    WHERE IFNULL(e.Unidad, x.Unidad) <> '    '
    ON CONFLICT (IDARTICULO, IFNULL(EQUIVALENCIA, '') COLLATE NOCASE, IFNULL(IDDEPOSITO, '') COLLATE NOCASE)
    DO UPDATE SET StockExacto = ROUND(StockExacto + excluded.StockExacto, 10);
END;

-- Every change to a row of opening balances or to a movement takes out what
-- it added as the row stood and adds what it adds as it stands.
CREATE TRIGGER STK_SERIES_Y_LOTES_INICIALES_Entra AFTER INSERT ON STK_SERIES_Y_LOTES_INICIALES
BEGIN
    INSERT INTO STK_CAMBIO_LOTES VALUES (NEW.IdArticulo, NEW.IDDEPOSITO, NEW.NroLote, NEW.NroSerie, NEW.IdPosicion, NEW.CANTIDAD);
END;
CREATE TRIGGER STK_SERIES_Y_LOTES_INICIALES_Sale AFTER DELETE ON STK_SERIES_Y_LOTES_INICIALES
BEGIN
    INSERT INTO STK_CAMBIO_LOTES VALUES (OLD.IdArticulo, OLD.IDDEPOSITO, OLD.NroLote, OLD.NroSerie, OLD.IdPosicion, -OLD.CANTIDAD);
END;
CREATE TRIGGER STK_SERIES_Y_LOTES_INICIALES_Cambia AFTER UPDATE ON STK_SERIES_Y_LOTES_INICIALES
BEGIN
    INSERT INTO STK_CAMBIO_LOTES VALUES (OLD.IdArticulo, OLD.IDDEPOSITO, OLD.NroLote, OLD.NroSerie, OLD.IdPosicion, -OLD.CANTIDAD);
    INSERT INTO STK_CAMBIO_LOTES VALUES (NEW.IdArticulo, NEW.IDDEPOSITO, NEW.NroLote, NEW.NroSerie, NEW.IdPosicion, NEW.CANTIDAD);
END;
CREATE TRIGGER STK_SALDOS_UNIDADES_INICIALES_Entra AFTER INSERT ON STK_SALDOS_UNIDADES_INICIALES
BEGIN
    INSERT INTO STK_CAMBIO_UNIDADES VALUES (NEW.IDARTICULO, NEW.EQUIVALENCIA, NEW.IDDEPOSITO, NEW.STOCK);
END;
CREATE TRIGGER STK_SALDOS_UNIDADES_INICIALES_Sale AFTER DELETE ON STK_SALDOS_UNIDADES_INICIALES
BEGIN
    INSERT INTO STK_CAMBIO_UNIDADES VALUES (OLD.IDARTICULO, OLD.EQUIVALENCIA, OLD.IDDEPOSITO, -OLD.STOCK);
END;
CREATE TRIGGER STK_SALDOS_UNIDADES_INICIALES_Cambia AFTER UPDATE ON STK_SALDOS_UNIDADES_INICIALES
BEGIN
    INSERT INTO STK_CAMBIO_UNIDADES VALUES (OLD.IDARTICULO, OLD.EQUIVALENCIA, OLD.IDDEPOSITO, -OLD.STOCK);
    INSERT INTO STK_CAMBIO_UNIDADES VALUES (NEW.IDARTICULO, NEW.EQUIVALENCIA, NEW.IDDEPOSITO, NEW.STOCK);
END;
CREATE TRIGGER V_MV_STOCK_Entra AFTER INSERT ON V_MV_STOCK
BEGIN
    INSERT INTO STK_CAMBIO_MOVIMIENTO VALUES (NEW.IdArticulo, NEW.IdDeposito, NEW.NroLote, NEW.NroSerie, NEW.IdUnidad, NEW.Cantidad);
END;
CREATE TRIGGER V_MV_STOCK_Sale AFTER DELETE ON V_MV_STOCK
BEGIN
    INSERT INTO STK_CAMBIO_MOVIMIENTO VALUES (OLD.IdArticulo, OLD.IdDeposito, OLD.NroLote, OLD.NroSerie, OLD.IdUnidad, -OLD.Cantidad);
END;
CREATE TRIGGER V_MV_STOCK_Cambia AFTER UPDATE OF IdArticulo, IdDeposito, NroLote, NroSerie, IdUnidad, Cantidad ON V_MV_STOCK
BEGIN
    INSERT INTO STK_CAMBIO_MOVIMIENTO VALUES (OLD.IdArticulo, OLD.IdDeposito, OLD.NroLote, OLD.NroSerie, OLD.IdUnidad, -OLD.Cantidad);
    INSERT INTO STK_CAMBIO_MOVIMIENTO VALUES (NEW.IdArticulo, NEW.IdDeposito, NEW.NroLote, NEW.NroSerie, NEW.IdUnidad, NEW.Cantidad);
END;

-- An article counted again from its opening balances and its movements,
-- its units read again first: what a change to its unit or to one of its
-- equivalences moves. An insert here is the count; nothing is stored.
CREATE VIEW STK_RECUENTO AS SELECT IDARTICULO FROM V_MA_ARTICULOS WHERE 0;
CREATE TRIGGER STK_RECUENTO_Articulo INSTEAD OF INSERT ON STK_RECUENTO
BEGIN
    DELETE FROM STK_UNIDADES_ARTICULO WHERE IdArticulo = RTRIM(NEW.IDARTICULO);
    INSERT OR IGNORE INTO STK_UNIDADES_ARTICULO (IdArticulo, Unidad, Factor)
    SELECT RTRIM(IdArticulo), Unidad, Factor FROM STK_UNIDADES_EQUIVALENTES WHERE IdArticulo = RTRIM(NEW.IDARTICULO);
    DELETE FROM STK_SERIES_Y_LOTES_SALDOS WHERE IdArticulo = RTRIM(NEW.IDARTICULO);
    DELETE FROM STK_SALDOS_UNIDADES_SALDOS WHERE IDARTICULO = RTRIM(NEW.IDARTICULO);
    INSERT INTO STK_CAMBIO_LOTES (IdArticulo, IDDEPOSITO, NroLote, NroSerie, IdPosicion, CANTIDAD)
    SELECT IdArticulo, IDDEPOSITO, NroLote, NroSerie, IdPosicion, CANTIDAD FROM STK_SERIES_Y_LOTES_INICIALES
    WHERE RTRIM(IdArticulo) = RTRIM(NEW.IDARTICULO) COLLATE NOCASE ORDER BY rowid;
    INSERT INTO STK_CAMBIO_UNIDADES (IDARTICULO, EQUIVALENCIA, IDDEPOSITO, STOCK)
    SELECT IDARTICULO, EQUIVALENCIA, IDDEPOSITO, STOCK FROM STK_SALDOS_UNIDADES_INICIALES
    WHERE RTRIM(IDARTICULO) = RTRIM(NEW.IDARTICULO) COLLATE NOCASE ORDER BY rowid;
    INSERT INTO STK_CAMBIO_MOVIMIENTO (IdArticulo, IdDeposito, NroLote, NroSerie, IdUnidad, Cantidad)
    SELECT IdArticulo, IdDeposito, NroLote, NroSerie, IdUnidad, Cantidad FROM V_MV_STOCK
    WHERE RTRIM(IdArticulo) = RTRIM(NEW.IDARTICULO) COLLATE NOCASE ORDER BY ID;
END;
CREATE TRIGGER V_MA_ARTICULOS_Stock AFTER INSERT ON V_MA_ARTICULOS
BEGIN
    INSERT INTO STK_RECUENTO VALUES (NEW.IDARTICULO);
END;
CREATE TRIGGER V_MA_ARTICULOS_StockCambiado AFTER UPDATE OF IDARTICULO, IDUNIDAD ON V_MA_ARTICULOS
BEGIN
    INSERT INTO STK_RECUENTO VALUES (OLD.IDARTICULO);
    INSERT INTO STK_RECUENTO SELECT NEW.IDARTICULO WHERE RTRIM(NEW.IDARTICULO) IS NOT RTRIM(OLD.IDARTICULO) COLLATE NOCASE;
END;
CREATE TRIGGER V_MA_ARTICULOS_StockBorrado AFTER DELETE ON V_MA_ARTICULOS
BEGIN
    INSERT INTO STK_RECUENTO VALUES (OLD.IDARTICULO);
END;
CREATE TRIGGER S_TA_EQUIV_Stock AFTER INSERT ON S_TA_EQUIV
BEGIN
    INSERT INTO STK_RECUENTO VALUES (NEW.IdArticulo);
END;
CREATE TRIGGER S_TA_EQUIV_StockCambiado AFTER UPDATE ON S_TA_EQUIV
BEGIN
    INSERT INTO STK_RECUENTO VALUES (OLD.IdArticulo);
    INSERT INTO STK_RECUENTO SELECT NEW.IdArticulo WHERE RTRIM(NEW.IdArticulo) IS NOT RTRIM(OLD.IdArticulo) COLLATE NOCASE;
END;
CREATE TRIGGER S_TA_EQUIV_StockBorrado AFTER DELETE ON S_TA_EQUIV
BEGIN
    INSERT INTO STK_RECUENTO VALUES (OLD.IdArticulo);
END;

-- ==== lookups: lookup views and families =================================

-- Article lookups read this view in place of V_MA_ARTICULOS.
CREATE VIEW VT_MA_ARTICULOS AS SELECT * FROM V_MA_ARTICULOS;

-- Article families; each level's code extends its parent's code.
CREATE TABLE V_TA_FAMILIAS (
    ID                   integer PRIMARY KEY AUTOINCREMENT,
    IDFAMILIA            varchar(20) COLLATE NOCASE NOT NULL UNIQUE,
    DESCRIPCION          varchar(50) COLLATE NOCASE,
    FECHAHORA_GRABACION  datetime
);
-- Shared-table synonym: the data layer sends every read of V_TA_FAMILIAS here.
CREATE VIEW SS_V_TA_FAMILIAS AS SELECT * FROM V_TA_FAMILIAS;


-- ==== positions: stock movements, positions, balances, views ============

-- Storage positions of each depot. A position may be reserved for one article
-- (code right-justified to 25), one family at any level, one article type or
-- one rubro; NULL where it is not reserved that way. ORDENINGRESO orders the
-- positions for put-away, lowest first. CAPACIDAD is in the position's unit.
CREATE TABLE MA_POSICIONES (
    IdDeposito    varchar(4) COLLATE NOCASE NOT NULL,
    IdPosicion    varchar(15) COLLATE NOCASE NOT NULL,
    Descripcion   varchar(100) COLLATE NOCASE,
    IdArticulo    varchar(25) COLLATE NOCASE,
    IdFamilia     varchar(20) COLLATE NOCASE,
    IdTipo        varchar(4) COLLATE NOCASE,
    IdRubro       varchar(4) COLLATE NOCASE,
    ORDENINGRESO  int,
    IdUnidad      varchar(4) COLLATE NOCASE,
    HABILITADO    bit,
    CAPACIDAD     numeric(18,4),
    PRIMARY KEY (IdDeposito, IdPosicion)
);
CREATE INDEX IX_MA_POSICIONES_IdArticulo ON MA_POSICIONES (IdArticulo);
CREATE INDEX IX_MA_POSICIONES_IdFamilia ON MA_POSICIONES (IdFamilia);
-- The positions in put-away order: the proposal and the position dialog read
-- them so, with their balances joined, without sorting what they read.
CREATE INDEX IX_MA_POSICIONES_Orden ON MA_POSICIONES (ORDENINGRESO, IdPosicion);
CREATE TRIGGER MA_POSICIONES_Codigos AFTER INSERT ON MA_POSICIONES
WHEN NEW.IdDeposito GLOB '* ' OR NEW.IdPosicion GLOB '* ' OR NEW.IdArticulo GLOB '* ' OR NEW.IdFamilia GLOB '* '
  OR NEW.IdTipo GLOB '* ' OR NEW.IdRubro GLOB '* ' OR NEW.IdUnidad GLOB '* '
BEGIN
    UPDATE MA_POSICIONES SET IdDeposito = RTRIM(IdDeposito), IdPosicion = RTRIM(IdPosicion), IdArticulo = RTRIM(IdArticulo),
        IdFamilia = RTRIM(IdFamilia), IdTipo = RTRIM(IdTipo), IdRubro = RTRIM(IdRubro),
        IdUnidad = RTRIM(IdUnidad)
     WHERE rowid = NEW.rowid;
END;
CREATE TRIGGER MA_POSICIONES_CodigosCambiados AFTER UPDATE OF IdDeposito, IdPosicion, IdArticulo, IdFamilia, IdTipo, IdRubro, IdUnidad ON MA_POSICIONES
WHEN NEW.IdDeposito GLOB '* ' OR NEW.IdPosicion GLOB '* ' OR NEW.IdArticulo GLOB '* ' OR NEW.IdFamilia GLOB '* '
  OR NEW.IdTipo GLOB '* ' OR NEW.IdRubro GLOB '* ' OR NEW.IdUnidad GLOB '* '
BEGIN
    UPDATE MA_POSICIONES SET IdDeposito = RTRIM(IdDeposito), IdPosicion = RTRIM(IdPosicion), IdArticulo = RTRIM(IdArticulo),
        IdFamilia = RTRIM(IdFamilia), IdTipo = RTRIM(IdTipo), IdRubro = RTRIM(IdRubro),
        IdUnidad = RTRIM(IdUnidad)
     WHERE rowid = NEW.rowid;
END;

-- Opening balances per depot, position, article and lot: stock that was in
-- its positions before any transfer voucher placed it (SaldoPosicion in the
-- position's unit, Saldo in the article's base unit). AC_SALDOSLAYOUT, at the
-- end of this section, adds them to what transfers placed.
CREATE TABLE AC_SALDOSINICIALES (
    IdDeposito     varchar(4) COLLATE NOCASE NOT NULL,
    IdPosicion     varchar(15) COLLATE NOCASE,
    IdArticulo     varchar(25) COLLATE NOCASE,
    NroLote        varchar(25) COLLATE NOCASE,
    IdUnidadBase   varchar(4) COLLATE NOCASE,
    Saldo          numeric(18,4),
    SaldoPosicion  numeric(18,4)
);
CREATE INDEX IX_AC_SALDOSINICIALES_Posicion ON AC_SALDOSINICIALES (IdPosicion, IdDeposito);
CREATE TRIGGER AC_SALDOSINICIALES_Codigos AFTER INSERT ON AC_SALDOSINICIALES
WHEN NEW.IdDeposito GLOB '* ' OR NEW.IdPosicion GLOB '* ' OR NEW.IdArticulo GLOB '* ' OR NEW.NroLote GLOB '* '
  OR NEW.IdUnidadBase GLOB '* '
BEGIN
    UPDATE AC_SALDOSINICIALES SET IdDeposito = RTRIM(IdDeposito), IdPosicion = RTRIM(IdPosicion), IdArticulo = RTRIM(IdArticulo),
        NroLote = RTRIM(NroLote), IdUnidadBase = RTRIM(IdUnidadBase)
     WHERE rowid = NEW.rowid;
END;
CREATE TRIGGER AC_SALDOSINICIALES_CodigosCambiados AFTER UPDATE OF IdDeposito, IdPosicion, IdArticulo, NroLote, IdUnidadBase ON AC_SALDOSINICIALES
WHEN NEW.IdDeposito GLOB '* ' OR NEW.IdPosicion GLOB '* ' OR NEW.IdArticulo GLOB '* ' OR NEW.NroLote GLOB '* '
  OR NEW.IdUnidadBase GLOB '* '
BEGIN
    UPDATE AC_SALDOSINICIALES SET IdDeposito = RTRIM(IdDeposito), IdPosicion = RTRIM(IdPosicion), IdArticulo = RTRIM(IdArticulo),
        NroLote = RTRIM(NroLote), IdUnidadBase = RTRIM(IdUnidadBase)
     WHERE rowid = NEW.rowid;
END;

-- Depots; codes right-justified to 4. The operators of a depot are the users
-- of its business unit (ta_usuarios.UNegocio).
CREATE TABLE V_TA_Deposito (
    IdDeposito     varchar(4) COLLATE NOCASE NOT NULL PRIMARY KEY,
    Descripcion    varchar(50) COLLATE NOCASE,
    UnidadNegocio  varchar(4) COLLATE NOCASE
);
CREATE TRIGGER V_TA_Deposito_Codigos AFTER INSERT ON V_TA_Deposito
WHEN NEW.IdDeposito GLOB '* ' OR NEW.UnidadNegocio GLOB '* '
BEGIN
    UPDATE V_TA_Deposito SET IdDeposito = RTRIM(IdDeposito), UnidadNegocio = RTRIM(UnidadNegocio)
     WHERE rowid = NEW.rowid;
END;
CREATE TRIGGER V_TA_Deposito_CodigosCambiados AFTER UPDATE OF IdDeposito, UnidadNegocio ON V_TA_Deposito
WHEN NEW.IdDeposito GLOB '* ' OR NEW.UnidadNegocio GLOB '* '
BEGIN
    UPDATE V_TA_Deposito SET IdDeposito = RTRIM(IdDeposito), UnidadNegocio = RTRIM(UnidadNegocio)
     WHERE rowid = NEW.rowid;
END;
-- Shared-table synonym: the data layer sends every read of V_TA_Deposito here.
CREATE VIEW SS_V_TA_DEPOSITO AS SELECT * FROM V_TA_Deposito;

-- Stock movements by storage position. A receiving voucher "IR" brings stock
-- into the depot without position (IDPOSICION NULL, positive quantity); a
-- transfer voucher "TRP" moves a line out of "no position" (one negative row
-- without position) into positions (one positive row per position), inside
-- the same depot, article, lot and unit. Receipts live here rather than in a
-- table of their own so that every balance, with or without position, is a
-- sum over this one table. Codes right-justified: articles 25, units and
-- depots 4; lots and positions as typed. Quantities in IDUNIDADBASE.
CREATE TABLE V_MV_STOCK_DRAVELO (
    ID            integer PRIMARY KEY AUTOINCREMENT,
    FECHA         datetime,
    TC            varchar(4) COLLATE NOCASE,
    SUCURSAL      varchar(4) COLLATE NOCASE,
    NUMERO        varchar(8) COLLATE NOCASE,
    LETRA         varchar(1) COLLATE NOCASE,
    IDARTICULO    varchar(25) COLLATE NOCASE,
    IDUNIDADBASE  varchar(4) COLLATE NOCASE,
    CANTIDAD      numeric(18,4),
    NROLOTE       varchar(25) COLLATE NOCASE,
    IDDEPOSITO    varchar(4) COLLATE NOCASE,
    IDPOSICION    varchar(15) COLLATE NOCASE,
    USUARIO       varchar(50) COLLATE NOCASE,
    ANULADO       bit NOT NULL DEFAULT 0
);
CREATE INDEX IX_V_MV_STOCK_DRAVELO_Comprobante ON V_MV_STOCK_DRAVELO (TC, NUMERO, SUCURSAL, LETRA);
CREATE INDEX IX_V_MV_STOCK_DRAVELO_Linea ON V_MV_STOCK_DRAVELO (IDDEPOSITO, IDARTICULO, NROLOTE);
CREATE TRIGGER V_MV_STOCK_DRAVELO_Codigos AFTER INSERT ON V_MV_STOCK_DRAVELO
WHEN NEW.TC GLOB '* ' OR NEW.SUCURSAL GLOB '* ' OR NEW.NUMERO GLOB '* ' OR NEW.LETRA GLOB '* '
  OR NEW.IDARTICULO GLOB '* ' OR NEW.IDUNIDADBASE GLOB '* ' OR NEW.NROLOTE GLOB '* ' OR NEW.IDDEPOSITO GLOB '* '
  OR NEW.IDPOSICION GLOB '* '
BEGIN
    UPDATE V_MV_STOCK_DRAVELO SET TC = RTRIM(TC), SUCURSAL = RTRIM(SUCURSAL), NUMERO = RTRIM(NUMERO),
        LETRA = RTRIM(LETRA), IDARTICULO = RTRIM(IDARTICULO), IDUNIDADBASE = RTRIM(IDUNIDADBASE),
        NROLOTE = RTRIM(NROLOTE), IDDEPOSITO = RTRIM(IDDEPOSITO), IDPOSICION = RTRIM(IDPOSICION)
     WHERE rowid = NEW.rowid;
END;
CREATE TRIGGER V_MV_STOCK_DRAVELO_CodigosCambiados AFTER UPDATE OF TC, SUCURSAL, NUMERO, LETRA, IDARTICULO, IDUNIDADBASE, NROLOTE, IDDEPOSITO, IDPOSICION ON V_MV_STOCK_DRAVELO
WHEN NEW.TC GLOB '* ' OR NEW.SUCURSAL GLOB '* ' OR NEW.NUMERO GLOB '* ' OR NEW.LETRA GLOB '* '
  OR NEW.IDARTICULO GLOB '* ' OR NEW.IDUNIDADBASE GLOB '* ' OR NEW.NROLOTE GLOB '* ' OR NEW.IDDEPOSITO GLOB '* '
  OR NEW.IDPOSICION GLOB '* '
BEGIN
    UPDATE V_MV_STOCK_DRAVELO SET TC = RTRIM(TC), SUCURSAL = RTRIM(SUCURSAL), NUMERO = RTRIM(NUMERO),
        LETRA = RTRIM(LETRA), IDARTICULO = RTRIM(IDARTICULO), IDUNIDADBASE = RTRIM(IDUNIDADBASE),
        NROLOTE = RTRIM(NROLOTE), IDDEPOSITO = RTRIM(IDDEPOSITO), IDPOSICION = RTRIM(IDPOSICION)
     WHERE rowid = NEW.rowid;
END;

-- Lines of reopened TRP vouchers, one per article and lot of a voucher, with
-- the voucher's positions and quantities as "|"-lists. Stations reopen
-- vouchers of their own: each reopening replaces only its voucher's lines.
CREATE TABLE Aux_V_MV_STOCK_DRAVELO (
    id                   integer PRIMARY KEY AUTOINCREMENT,
    TC                   varchar(4) COLLATE NOCASE,
    SUCURSAL             varchar(4) COLLATE NOCASE,
    NUMERO               varchar(8) COLLATE NOCASE,
    LETRA                varchar(1) COLLATE NOCASE,
    IDARTICULO           varchar(25) COLLATE NOCASE,
    NROLOTE              varchar(25) COLLATE NOCASE,
    DESCRIPCION          varchar(100) COLLATE NOCASE,
    IDUNIDADBASE         varchar(4) COLLATE NOCASE,
    CANTIDAD             numeric(18,4),
    CANTIDADatransferir  numeric(18,4),
    CANTIDADES           text COLLATE NOCASE,
    POSICIONES           text COLLATE NOCASE,
    idDeposito           varchar(4) COLLATE NOCASE,
    idPosicion           varchar(15) COLLATE NOCASE
);
CREATE INDEX IX_Aux_V_MV_STOCK_DRAVELO_Comprobante ON Aux_V_MV_STOCK_DRAVELO (NUMERO, SUCURSAL, LETRA, TC);

-- The balances of the put-away movements, kept as each movement is written,
-- in the transaction that writes it: the rows Stk_Dravelo_Sin_Asignar and
-- AC_SALDOSLAYOUT show, which would otherwise be summed again from every
-- movement on each read. Tipo 'D': a depot's stock in no position yet, per
-- article, lot (none read as '') and unit, from the receipts' and transfers'
-- movements without position; 'P': a position's balance per article, lot and
-- unit, from the transfers' positioned movements; 'I': a copy of each row of
-- AC_SALDOSINICIALES. A group's codes compare as their columns do ("L1" and
-- "l1" are one lot) and are shown as its first movement (`id`) wrote them;
-- Descripcion is the article's, as V_MA_ARTICULOS holds it.
-- Quantities are added up exactly, in ten-thousandths (Suma, of Sumados
-- quantities that are not NULL, over Filas movements); Saldo is their sum to
-- 4 decimals, SaldoPosicion the same times Factor, the position's unit over
-- the article's (AC_SALDOSDRAVELO_FACTOR). Positions, lots, quantities and
-- `id` carry no declared type, as the sums and codes of the grouping these
-- rows replace carried none: a reader types them from their values. Only the
-- triggers below write here.
CREATE TABLE AC_SALDOSDRAVELO (
    Fila           integer PRIMARY KEY,
    Tipo           varchar(1) NOT NULL,
    IdDeposito     varchar(4) COLLATE NOCASE,
    IdPosicion     COLLATE NOCASE,
    IdArticulo     varchar(25) COLLATE NOCASE,
    Descripcion    varchar(100) COLLATE NOCASE,
    NroLote        COLLATE NOCASE,
    IdUnidadBase   varchar(4) COLLATE NOCASE,
    Saldo,
    SaldoPosicion,
    id,
    Filas          int,
    Suma           int,
    Sumados        int,
    Factor
);
-- A group by its codes (a position's have a position, a depot's none), and
-- an article's groups; a look-up names Tipo <> 'I' to be served here.
CREATE UNIQUE INDEX IX_AC_SALDOSDRAVELO_Grupo ON AC_SALDOSDRAVELO (IdArticulo, IdDeposito, IdPosicion, NroLote, IdUnidadBase)
    WHERE Tipo <> 'I';
-- The lines in no position with stock, by id: the start-up form's grid
-- counts them and chooses a page's keys here, without reading the table;
-- then it reads the page's lines by their keys.
CREATE INDEX IX_AC_SALDOSDRAVELO_Lineas ON AC_SALDOSDRAVELO (id, IdDeposito, Saldo, Tipo) WHERE Tipo = 'D' AND Saldo > 0;
CREATE INDEX IX_AC_SALDOSDRAVELO_Linea ON AC_SALDOSDRAVELO (id) WHERE Tipo = 'D';
-- A position's balances: the position dialog adds them up, the proposal
-- joins them.
CREATE INDEX IX_AC_SALDOSDRAVELO_Posicion ON AC_SALDOSDRAVELO (IdPosicion, IdDeposito, SaldoPosicion, Tipo, Saldo)
    WHERE IdPosicion IS NOT NULL;
-- The copies of the opening balances, found by what they hold.
CREATE INDEX IX_AC_SALDOSDRAVELO_Inicial ON AC_SALDOSDRAVELO (IdArticulo COLLATE BINARY, IdPosicion COLLATE BINARY)
    WHERE Tipo = 'I';

-- Each position balance's factor from the article's base unit to the
-- position's unit: 1 for the same unit, else the article's equivalence from
-- the one to the other (times its coefficient) or back (divided by it); 0
-- without one, or for a position unknown or without unit: the position
-- cannot take the article. And the balance in the position's unit.
CREATE VIEW AC_SALDOSDRAVELO_FACTOR AS
SELECT Fila, Factor, CASE WHEN Sumados = 0 THEN NULL ELSE ROUND(Suma * Factor / 10000.0, 4) END AS SaldoPosicion
FROM (SELECT s.Fila, s.Suma, s.Sumados,
             CASE WHEN TRIM(s.IdUnidadBase) = TRIM(IFNULL(p.IdUnidad, '')) COLLATE NOCASE THEN 1
             ELSE COALESCE(
                 (SELECT MAX(e.Coeficiente) FROM S_TA_EQUIV e
                  WHERE e.IdArticulo = s.IdArticulo AND e.Coeficiente <> 0
                    AND TRIM(e.IDUNIDAD) = TRIM(s.IdUnidadBase) COLLATE NOCASE
                    AND TRIM(e.IDUNIDAD_EQUIV) = TRIM(p.IdUnidad) COLLATE NOCASE),
                 (SELECT 1.0 / MAX(e.Coeficiente) FROM S_TA_EQUIV e
                  WHERE e.IdArticulo = s.IdArticulo AND e.Coeficiente <> 0
                    AND TRIM(e.IDUNIDAD) = TRIM(p.IdUnidad) COLLATE NOCASE
                    AND TRIM(e.IDUNIDAD_EQUIV) = TRIM(s.IdUnidadBase) COLLATE NOCASE),
                 0) END AS Factor
      FROM AC_SALDOSDRAVELO s
      LEFT JOIN MA_POSICIONES p ON p.IdDeposito = s.IdDeposito AND p.IdPosicion = s.IdPosicion
      WHERE s.Tipo = 'P');

-- A movement to count into its group (Signo 1) or out of it (-1), with its
-- codes as the group takes them: without trailing blanks, and a lot without
-- position read as '' when there is none. Counted and removed at once: the
-- table is empty outside a statement.
CREATE TABLE AC_SALDOSDRAVELO_MOVIMIENTOS (
    Signo         int,
    ID,
    TC,
    IDDEPOSITO,
    IDARTICULO,
    IDPOSICION,
    NROLOTE,
    IDUNIDADBASE,
    CANTIDAD,
    ANULADO
);
-- Only a receipt's movement without position, and any movement of a
-- transfer, not annulled, counts.
CREATE TRIGGER AC_SALDOSDRAVELO_MOVIMIENTOS_Cuenta AFTER INSERT ON AC_SALDOSDRAVELO_MOVIMIENTOS
WHEN NEW.ANULADO = 0 AND (NEW.TC = 'TRP' COLLATE NOCASE OR (NEW.TC = 'IR' COLLATE NOCASE AND NEW.IDPOSICION IS NULL))
BEGIN
    -- Into or out of its group; a movement older than the group's first
    -- becomes its first.
    UPDATE AC_SALDOSDRAVELO
       SET Filas = Filas + NEW.Signo,
           Suma = Suma + NEW.Signo * IFNULL(CAST(ROUND(NEW.CANTIDAD * 10000) AS INTEGER), 0),
           Sumados = Sumados + NEW.Signo * (NEW.CANTIDAD IS NOT NULL),
           id = CASE WHEN NEW.Signo = 1 AND NEW.ID < id THEN NEW.ID ELSE id END,
           IdDeposito = CASE WHEN NEW.Signo = 1 AND NEW.ID < id THEN NEW.IDDEPOSITO ELSE IdDeposito END,
           IdArticulo = CASE WHEN NEW.Signo = 1 AND NEW.ID < id THEN NEW.IDARTICULO ELSE IdArticulo END,
           IdPosicion = CASE WHEN NEW.Signo = 1 AND NEW.ID < id THEN NEW.IDPOSICION ELSE IdPosicion END,
           NroLote = CASE WHEN NEW.Signo = 1 AND NEW.ID < id THEN NEW.NROLOTE ELSE NroLote END,
           IdUnidadBase = CASE WHEN NEW.Signo = 1 AND NEW.ID < id THEN NEW.IDUNIDADBASE ELSE IdUnidadBase END
     WHERE Tipo <> 'I' AND IdDeposito IS NEW.IDDEPOSITO AND IdArticulo IS NEW.IDARTICULO
       AND IdPosicion IS NEW.IDPOSICION AND NroLote IS NEW.NROLOTE AND IdUnidadBase IS NEW.IDUNIDADBASE;
    -- The first movement of a group.
    INSERT INTO AC_SALDOSDRAVELO (Tipo, IdDeposito, IdArticulo, Descripcion, IdPosicion, NroLote, IdUnidadBase, id, Filas,
                                  Suma, Sumados)
    SELECT CASE WHEN NEW.IDPOSICION IS NULL THEN 'D' ELSE 'P' END, NEW.IDDEPOSITO, NEW.IDARTICULO,
           (SELECT a.DESCRIPCION FROM V_MA_ARTICULOS a WHERE a.IDARTICULO = NEW.IDARTICULO), NEW.IDPOSICION,
           NEW.NROLOTE, NEW.IDUNIDADBASE, NEW.ID, 1, IFNULL(CAST(ROUND(NEW.CANTIDAD * 10000) AS INTEGER), 0),
           NEW.CANTIDAD IS NOT NULL
    WHERE NEW.Signo = 1
      AND NOT EXISTS (SELECT 1 FROM AC_SALDOSDRAVELO
                      WHERE Tipo <> 'I' AND IdDeposito IS NEW.IDDEPOSITO AND IdArticulo IS NEW.IDARTICULO
                        AND IdPosicion IS NEW.IDPOSICION AND NroLote IS NEW.NROLOTE
                        AND IdUnidadBase IS NEW.IDUNIDADBASE);
    UPDATE AC_SALDOSDRAVELO
       SET Factor = (SELECT f.Factor FROM AC_SALDOSDRAVELO_FACTOR f WHERE f.Fila = AC_SALDOSDRAVELO.Fila)
     WHERE Tipo <> 'I' AND IdDeposito IS NEW.IDDEPOSITO AND IdArticulo IS NEW.IDARTICULO
       AND IdPosicion IS NEW.IDPOSICION AND NroLote IS NEW.NROLOTE AND IdUnidadBase IS NEW.IDUNIDADBASE
       AND Tipo = 'P' AND Factor IS NULL;
    -- A group without movements is gone.
    DELETE FROM AC_SALDOSDRAVELO
     WHERE Tipo <> 'I' AND IdDeposito IS NEW.IDDEPOSITO AND IdArticulo IS NEW.IDARTICULO
       AND IdPosicion IS NEW.IDPOSICION AND NroLote IS NEW.NROLOTE AND IdUnidadBase IS NEW.IDUNIDADBASE
       AND Filas = 0;
    -- A group that lost its first movement is shown as its next one wrote it.
    UPDATE AC_SALDOSDRAVELO
       SET (id, IdDeposito, IdArticulo, IdPosicion, NroLote, IdUnidadBase) =
           (SELECT m.ID, m.IDDEPOSITO, m.IDARTICULO, m.IDPOSICION,
                   CASE WHEN m.IDPOSICION IS NULL THEN IFNULL(m.NROLOTE, '') ELSE m.NROLOTE END, m.IDUNIDADBASE
            FROM V_MV_STOCK_DRAVELO m
            WHERE m.IDDEPOSITO IS AC_SALDOSDRAVELO.IdDeposito AND m.IDARTICULO IS AC_SALDOSDRAVELO.IdArticulo
              AND m.IDPOSICION IS AC_SALDOSDRAVELO.IdPosicion AND m.IDUNIDADBASE IS AC_SALDOSDRAVELO.IdUnidadBase
              AND CASE WHEN m.IDPOSICION IS NULL THEN IFNULL(m.NROLOTE, '') ELSE m.NROLOTE END
                  IS AC_SALDOSDRAVELO.NroLote COLLATE NOCASE
              AND m.ANULADO = 0 AND (m.TC = 'TRP' OR (m.TC = 'IR' AND m.IDPOSICION IS NULL))
            ORDER BY m.ID LIMIT 1)
     WHERE Tipo <> 'I' AND IdDeposito IS NEW.IDDEPOSITO AND IdArticulo IS NEW.IDARTICULO
       AND IdPosicion IS NEW.IDPOSICION AND NroLote IS NEW.NROLOTE AND IdUnidadBase IS NEW.IDUNIDADBASE
       AND NEW.Signo = -1 AND id = NEW.ID;
    UPDATE AC_SALDOSDRAVELO
       SET Saldo = CASE WHEN Sumados = 0 THEN NULL ELSE ROUND(Suma / 10000.0, 4) END,
           SaldoPosicion = CASE WHEN Sumados = 0 THEN NULL ELSE ROUND(Suma * Factor / 10000.0, 4) END
     WHERE Tipo <> 'I' AND IdDeposito IS NEW.IDDEPOSITO AND IdArticulo IS NEW.IDARTICULO
       AND IdPosicion IS NEW.IDPOSICION AND NroLote IS NEW.NROLOTE AND IdUnidadBase IS NEW.IDUNIDADBASE;
END;
CREATE TRIGGER AC_SALDOSDRAVELO_MOVIMIENTOS_Vacia AFTER INSERT ON AC_SALDOSDRAVELO_MOVIMIENTOS
BEGIN
    DELETE FROM AC_SALDOSDRAVELO_MOVIMIENTOS WHERE rowid = NEW.rowid;
END;

-- Every movement written, changed or deleted is counted, whoever writes it.
-- Its codes are taken without trailing blanks, as the "_Codigos" triggers
-- store them, whichever of the two runs first; a change that only trims
-- them changes nothing here.
CREATE TRIGGER V_MV_STOCK_DRAVELO_Saldos AFTER INSERT ON V_MV_STOCK_DRAVELO
BEGIN
    INSERT INTO AC_SALDOSDRAVELO_MOVIMIENTOS
    VALUES (1, NEW.ID, RTRIM(NEW.TC), RTRIM(NEW.IDDEPOSITO), RTRIM(NEW.IDARTICULO), RTRIM(NEW.IDPOSICION),
            CASE WHEN NEW.IDPOSICION IS NULL THEN IFNULL(RTRIM(NEW.NROLOTE), '') ELSE RTRIM(NEW.NROLOTE) END,
            RTRIM(NEW.IDUNIDADBASE), NEW.CANTIDAD, NEW.ANULADO);
END;
CREATE TRIGGER V_MV_STOCK_DRAVELO_SaldosBorrados AFTER DELETE ON V_MV_STOCK_DRAVELO
BEGIN
    INSERT INTO AC_SALDOSDRAVELO_MOVIMIENTOS
    VALUES (-1, OLD.ID, RTRIM(OLD.TC), RTRIM(OLD.IDDEPOSITO), RTRIM(OLD.IDARTICULO), RTRIM(OLD.IDPOSICION),
            CASE WHEN OLD.IDPOSICION IS NULL THEN IFNULL(RTRIM(OLD.NROLOTE), '') ELSE RTRIM(OLD.NROLOTE) END,
            RTRIM(OLD.IDUNIDADBASE), OLD.CANTIDAD, OLD.ANULADO);
END;
CREATE TRIGGER V_MV_STOCK_DRAVELO_SaldosCambiados
AFTER UPDATE OF ID, TC, IDDEPOSITO, IDARTICULO, IDPOSICION, NROLOTE, IDUNIDADBASE, CANTIDAD, ANULADO ON V_MV_STOCK_DRAVELO
WHEN OLD.ID IS NOT NEW.ID OR RTRIM(OLD.TC) IS NOT RTRIM(NEW.TC) OR RTRIM(OLD.IDDEPOSITO) IS NOT RTRIM(NEW.IDDEPOSITO)
  OR RTRIM(OLD.IDARTICULO) IS NOT RTRIM(NEW.IDARTICULO) OR RTRIM(OLD.IDPOSICION) IS NOT RTRIM(NEW.IDPOSICION)
  OR RTRIM(OLD.NROLOTE) IS NOT RTRIM(NEW.NROLOTE) OR RTRIM(OLD.IDUNIDADBASE) IS NOT RTRIM(NEW.IDUNIDADBASE)
  OR OLD.CANTIDAD IS NOT NEW.CANTIDAD OR OLD.ANULADO IS NOT NEW.ANULADO
BEGIN
    INSERT INTO AC_SALDOSDRAVELO_MOVIMIENTOS
    VALUES (-1, OLD.ID, RTRIM(OLD.TC), RTRIM(OLD.IDDEPOSITO), RTRIM(OLD.IDARTICULO), RTRIM(OLD.IDPOSICION),
            CASE WHEN OLD.IDPOSICION IS NULL THEN IFNULL(RTRIM(OLD.NROLOTE), '') ELSE RTRIM(OLD.NROLOTE) END,
            RTRIM(OLD.IDUNIDADBASE), OLD.CANTIDAD, OLD.ANULADO);
    INSERT INTO AC_SALDOSDRAVELO_MOVIMIENTOS
    VALUES (1, NEW.ID, RTRIM(NEW.TC), RTRIM(NEW.IDDEPOSITO), RTRIM(NEW.IDARTICULO), RTRIM(NEW.IDPOSICION),
            CASE WHEN NEW.IDPOSICION IS NULL THEN IFNULL(RTRIM(NEW.NROLOTE), '') ELSE RTRIM(NEW.NROLOTE) END,
            RTRIM(NEW.IDUNIDADBASE), NEW.CANTIDAD, NEW.ANULADO);
END;

-- The opening balances are copied as they are stored: each copy is taken
-- from the stored row, so that it holds what the "_Codigos" trigger leaves
-- whichever of the two runs first, and a change or a removal takes one copy
-- of the same content.
CREATE TRIGGER AC_SALDOSINICIALES_Saldos AFTER INSERT ON AC_SALDOSINICIALES
BEGIN
    INSERT INTO AC_SALDOSDRAVELO (Tipo, IdDeposito, IdPosicion, IdArticulo, NroLote, IdUnidadBase, Saldo, SaldoPosicion)
    SELECT 'I', IdDeposito, IdPosicion, IdArticulo, NroLote, IdUnidadBase, Saldo, SaldoPosicion
    FROM AC_SALDOSINICIALES WHERE rowid = NEW.rowid;
END;
CREATE TRIGGER AC_SALDOSINICIALES_SaldosCambiados AFTER UPDATE ON AC_SALDOSINICIALES
BEGIN
    UPDATE AC_SALDOSDRAVELO
       SET (IdDeposito, IdPosicion, IdArticulo, NroLote, IdUnidadBase, Saldo, SaldoPosicion) =
           (SELECT IdDeposito, IdPosicion, IdArticulo, NroLote, IdUnidadBase, Saldo, SaldoPosicion
            FROM AC_SALDOSINICIALES WHERE rowid = NEW.rowid)
     WHERE Fila = (SELECT Fila FROM AC_SALDOSDRAVELO
                   WHERE Tipo = 'I' AND IdArticulo IS OLD.IdArticulo COLLATE BINARY
                     AND IdPosicion IS OLD.IdPosicion COLLATE BINARY AND IdDeposito IS OLD.IdDeposito COLLATE BINARY
                     AND NroLote IS OLD.NroLote COLLATE BINARY AND IdUnidadBase IS OLD.IdUnidadBase COLLATE BINARY
                     AND Saldo IS OLD.Saldo AND typeof(Saldo) = typeof(OLD.Saldo)
                     AND SaldoPosicion IS OLD.SaldoPosicion AND typeof(SaldoPosicion) = typeof(OLD.SaldoPosicion)
                   LIMIT 1);
END;
CREATE TRIGGER AC_SALDOSINICIALES_SaldosBorrados AFTER DELETE ON AC_SALDOSINICIALES
BEGIN
    DELETE FROM AC_SALDOSDRAVELO
     WHERE Fila = (SELECT Fila FROM AC_SALDOSDRAVELO
                   WHERE Tipo = 'I' AND IdArticulo IS OLD.IdArticulo COLLATE BINARY
                     AND IdPosicion IS OLD.IdPosicion COLLATE BINARY AND IdDeposito IS OLD.IdDeposito COLLATE BINARY
                     AND NroLote IS OLD.NroLote COLLATE BINARY AND IdUnidadBase IS OLD.IdUnidadBase COLLATE BINARY
                     AND Saldo IS OLD.Saldo AND typeof(Saldo) = typeof(OLD.Saldo)
                     AND SaldoPosicion IS OLD.SaldoPosicion AND typeof(SaldoPosicion) = typeof(OLD.SaldoPosicion)
                   LIMIT 1);
END;

-- A position's unit, and an article's equivalences, decide the factor of
-- its balances, and the article master its description: a change to any of
-- them has them taken again. A position, or an article, to look at again;
-- done and removed at once.
CREATE TABLE AC_SALDOSDRAVELO_REVISION (
    IdDeposito,
    IdPosicion,
    IdArticulo
);
CREATE TRIGGER AC_SALDOSDRAVELO_REVISION_Factor AFTER INSERT ON AC_SALDOSDRAVELO_REVISION
BEGIN
    UPDATE AC_SALDOSDRAVELO
       SET (Factor, SaldoPosicion) =
           (SELECT f.Factor, f.SaldoPosicion FROM AC_SALDOSDRAVELO_FACTOR f WHERE f.Fila = AC_SALDOSDRAVELO.Fila)
     WHERE Tipo = 'P' AND IdPosicion = NEW.IdPosicion AND IdDeposito = NEW.IdDeposito;
    UPDATE AC_SALDOSDRAVELO
       SET (Factor, SaldoPosicion) =
           (SELECT f.Factor, f.SaldoPosicion FROM AC_SALDOSDRAVELO_FACTOR f WHERE f.Fila = AC_SALDOSDRAVELO.Fila)
     WHERE Tipo <> 'I' AND IdArticulo = NEW.IdArticulo AND Tipo = 'P';
    UPDATE AC_SALDOSDRAVELO
       SET Descripcion = (SELECT a.DESCRIPCION FROM V_MA_ARTICULOS a WHERE a.IDARTICULO = AC_SALDOSDRAVELO.IdArticulo)
     WHERE Tipo <> 'I' AND IdArticulo = NEW.IdArticulo;
    DELETE FROM AC_SALDOSDRAVELO_REVISION WHERE rowid = NEW.rowid;
END;
CREATE TRIGGER MA_POSICIONES_Saldos AFTER INSERT ON MA_POSICIONES
BEGIN
    INSERT INTO AC_SALDOSDRAVELO_REVISION VALUES (RTRIM(NEW.IdDeposito), RTRIM(NEW.IdPosicion), NULL);
END;
CREATE TRIGGER MA_POSICIONES_SaldosCambiados AFTER UPDATE OF IdDeposito, IdPosicion, IdUnidad ON MA_POSICIONES
BEGIN
    INSERT INTO AC_SALDOSDRAVELO_REVISION VALUES (RTRIM(OLD.IdDeposito), RTRIM(OLD.IdPosicion), NULL),
                                                 (RTRIM(NEW.IdDeposito), RTRIM(NEW.IdPosicion), NULL);
END;
CREATE TRIGGER MA_POSICIONES_SaldosBorrados AFTER DELETE ON MA_POSICIONES
BEGIN
    INSERT INTO AC_SALDOSDRAVELO_REVISION VALUES (RTRIM(OLD.IdDeposito), RTRIM(OLD.IdPosicion), NULL);
END;
CREATE TRIGGER V_MA_ARTICULOS_Saldos AFTER INSERT ON V_MA_ARTICULOS
BEGIN
    INSERT INTO AC_SALDOSDRAVELO_REVISION VALUES (NULL, NULL, RTRIM(NEW.IDARTICULO));
END;
CREATE TRIGGER V_MA_ARTICULOS_SaldosCambiados AFTER UPDATE OF IDARTICULO, DESCRIPCION ON V_MA_ARTICULOS
BEGIN
    INSERT INTO AC_SALDOSDRAVELO_REVISION VALUES (NULL, NULL, RTRIM(OLD.IDARTICULO)), (NULL, NULL, RTRIM(NEW.IDARTICULO));
END;
CREATE TRIGGER V_MA_ARTICULOS_SaldosBorrados AFTER DELETE ON V_MA_ARTICULOS
BEGIN
    INSERT INTO AC_SALDOSDRAVELO_REVISION VALUES (NULL, NULL, RTRIM(OLD.IDARTICULO));
END;
CREATE TRIGGER S_TA_EQUIV_Saldos AFTER INSERT ON S_TA_EQUIV
BEGIN
    INSERT INTO AC_SALDOSDRAVELO_REVISION VALUES (NULL, NULL, RTRIM(NEW.IdArticulo));
END;
CREATE TRIGGER S_TA_EQUIV_SaldosCambiados AFTER UPDATE ON S_TA_EQUIV
BEGIN
    INSERT INTO AC_SALDOSDRAVELO_REVISION VALUES (NULL, NULL, RTRIM(OLD.IdArticulo)), (NULL, NULL, RTRIM(NEW.IdArticulo));
END;
CREATE TRIGGER S_TA_EQUIV_SaldosBorrados AFTER DELETE ON S_TA_EQUIV
BEGIN
    INSERT INTO AC_SALDOSDRAVELO_REVISION VALUES (NULL, NULL, RTRIM(OLD.IdArticulo));
END;

-- The stock of each depot that has no position yet, one line per article,
-- lot and unit: what came in less what transfer vouchers moved out of "no
-- position" (kept in AC_SALDOSDRAVELO), with the article's description. A
-- line without lot shows an empty lot, its text compared and ordered as it
-- stands. `id` (the line's first movement) is unique per line: the start-up
-- form's grid pages by it.
CREATE VIEW Stk_Dravelo_Sin_Asignar AS
SELECT s.IdArticulo AS IdArticulo,
       s.Descripcion AS Descripcion,
       IFNULL(s.NroLote, '') AS NroLote,
       s.IdDeposito AS idDeposito,
       NULL AS idPosicion,
       s.IdUnidadBase AS idUnidadARTICULO,
       s.Saldo AS Cantidad,
       0 AS CantidadATransferir,
       '' AS Cantidades,
       '' AS Posiciones,
       s.id AS id
FROM AC_SALDOSDRAVELO s
WHERE s.Tipo = 'D';

-- The same stock per receiving voucher: one line per receipt row, `id` being
-- that row's. What transfers moved out of a depot's article, lot and unit is
-- taken from its receipts in the order they came in (date, then row; a
-- receipt without date first), so each receipt shows its own remainder; a
-- receipt placed in full shows 0. Each row adds up only its own article's
-- movements, so that the lines of one receiving voucher cost what its
-- articles hold, not what the whole table holds; the receipts are not
-- looked for through the voucher index (+r.TC): every receipt would match
-- it, and a page of lines is then read by its keys.
CREATE VIEW Stk_Dravelo_Sin_asignar_ir AS
SELECT r.IDARTICULO AS IdArticulo,
       a.DESCRIPCION AS Descripcion,
       IFNULL(r.NROLOTE, '') COLLATE NOCASE AS NroLote,
       r.IDDEPOSITO AS idDeposito,
       NULL AS idPosicion,
       r.IDUNIDADBASE AS idUnidadARTICULO,
       ROUND(r.CANTIDAD - MIN(MAX(
           -- moved out by transfers
           IFNULL((SELECT -SUM(t.CANTIDAD) FROM V_MV_STOCK_DRAVELO t
                   WHERE t.IDDEPOSITO = r.IDDEPOSITO AND t.IDARTICULO = r.IDARTICULO
                     AND IFNULL(t.NROLOTE, '') = IFNULL(r.NROLOTE, '') COLLATE NOCASE
                     AND t.IDUNIDADBASE = r.IDUNIDADBASE
                     AND t.TC = 'TRP' AND t.IDPOSICION IS NULL AND t.ANULADO = 0), 0)
           -- less what the receipts before this one brought
           - IFNULL((SELECT SUM(x.CANTIDAD) FROM V_MV_STOCK_DRAVELO x
                     WHERE x.IDDEPOSITO IS r.IDDEPOSITO AND x.IDARTICULO IS r.IDARTICULO
                       AND IFNULL(x.NROLOTE, '') = IFNULL(r.NROLOTE, '') COLLATE NOCASE
                       AND x.IDUNIDADBASE IS r.IDUNIDADBASE
                       AND x.TC = 'IR' AND x.IDPOSICION IS NULL AND x.ANULADO = 0 AND x.CANTIDAD > 0
                       AND (x.FECHA < r.FECHA OR (x.FECHA IS r.FECHA AND x.ID < r.ID)
                            OR (x.FECHA IS NULL AND r.FECHA IS NOT NULL))), 0),
           0), r.CANTIDAD), 4) AS Cantidad,
       0 AS CantidadATransferir,
       '' AS Cantidades,
       '' AS Posiciones,
       r.ID AS id,
       r.TC AS tc,
       r.SUCURSAL || r.NUMERO || r.LETRA AS idcomprobante
FROM V_MV_STOCK_DRAVELO r
LEFT JOIN V_MA_ARTICULOS a ON a.IDARTICULO = r.IDARTICULO
WHERE +r.TC = 'IR' AND r.IDPOSICION IS NULL AND r.ANULADO = 0 AND r.CANTIDAD > 0;

-- Stock balances per depot, position, article and lot (SaldoPosicion in the
-- position's unit, Saldo in the article's base unit), kept in
-- AC_SALDOSDRAVELO: the opening balances; the positioned rows of transfer
-- vouchers, live, so that a saved line takes its positions' free space at
-- once; and the depot's rows (IdPosicion null, no position unit), its stock
-- in no position yet per article, lot and unit as the lines without
-- position show it, where only a remainder above 0 is a balance (transfers
-- that placed more than the receipts brought took the rest from opening
-- balances). Rows inserted here are kept as opening balances.
CREATE VIEW AC_SALDOSLAYOUT AS
SELECT IdDeposito, IdPosicion, IdArticulo, NroLote, IdUnidadBase, Saldo, SaldoPosicion
FROM AC_SALDOSDRAVELO
WHERE Tipo <> 'D' OR Saldo > 0;

CREATE TRIGGER AC_SALDOSLAYOUT_Inicial INSTEAD OF INSERT ON AC_SALDOSLAYOUT
BEGIN
    INSERT INTO AC_SALDOSINICIALES (IdDeposito, IdPosicion, IdArticulo, NroLote, IdUnidadBase, Saldo, SaldoPosicion)
    VALUES (NEW.IdDeposito, NEW.IdPosicion, NEW.IdArticulo, NEW.NroLote, NEW.IdUnidadBase, NEW.Saldo,
            NEW.SaldoPosicion);
END;

-- ==== vouchers: voucher rules and detail dialogs =========================

-- The voucher rules read these objects of the sections above: the voucher
-- types (V_TA_CPTE: ES gives a type's stock direction, Signo its VAT-book
-- sign), the article flags (V_MA_ARTICULOS: USASERIE, USALOTE, Perecedero,
-- UsaTalle), stock by lot, serial number and position (STK_SERIES_Y_LOTES),
-- balances by unit (STK_SALDOS_UNIDADES) and the lines a printed form holds
-- (TA_CONFIG_IMP_CPTE.CantLineas). The objects of their own follow here.

-- Voucher headers of sales (and of every kind that is not a purchase), keyed
-- by type (right-justified to 4), the 13-character id and the complement. A
-- voucher issued from another names it in TCORIGEN, COMPROBANTEORIGEN and
-- COMPLEMENTOORIGEN. FINALIZADA marks a voucher closed by hand.
CREATE TABLE V_MV_CPTE (
    ID                 integer PRIMARY KEY AUTOINCREMENT,
    TC                 varchar(4) COLLATE NOCASE,
    IDCOMPROBANTE      varchar(13) COLLATE NOCASE,
    IdComplemento      int NOT NULL DEFAULT 0,
    FECHA              datetime,
    CUENTA             varchar(20) COLLATE NOCASE,
    Nombre             varchar(100) COLLATE NOCASE,
    ANULADA            bit NOT NULL DEFAULT 0,
    APROBADO           bit NOT NULL DEFAULT 0,
    FINALIZADA         bit NOT NULL DEFAULT 0,
    Importe            numeric(18,4),
    comentarios        varchar(500) COLLATE NOCASE,
    IdReparto          int,
    CondicionIVA       varchar(4) COLLATE NOCASE,
    TCORIGEN           varchar(4) COLLATE NOCASE,
    COMPROBANTEORIGEN  varchar(13) COLLATE NOCASE,
    COMPLEMENTOORIGEN  int
);
CREATE TRIGGER V_MV_CPTE_Codigos AFTER INSERT ON V_MV_CPTE
WHEN NEW.TC GLOB '* ' OR NEW.IDCOMPROBANTE GLOB '* ' OR NEW.TCORIGEN GLOB '* ' OR NEW.COMPROBANTEORIGEN GLOB '* '
BEGIN
    UPDATE V_MV_CPTE SET TC = RTRIM(TC), IDCOMPROBANTE = RTRIM(IDCOMPROBANTE), TCORIGEN = RTRIM(TCORIGEN),
        COMPROBANTEORIGEN = RTRIM(COMPROBANTEORIGEN)
     WHERE rowid = NEW.rowid;
END;
CREATE TRIGGER V_MV_CPTE_CodigosCambiados AFTER UPDATE OF TC, IDCOMPROBANTE, TCORIGEN, COMPROBANTEORIGEN ON V_MV_CPTE
WHEN NEW.TC GLOB '* ' OR NEW.IDCOMPROBANTE GLOB '* ' OR NEW.TCORIGEN GLOB '* ' OR NEW.COMPROBANTEORIGEN GLOB '* '
BEGIN
    UPDATE V_MV_CPTE SET TC = RTRIM(TC), IDCOMPROBANTE = RTRIM(IDCOMPROBANTE), TCORIGEN = RTRIM(TCORIGEN),
        COMPROBANTEORIGEN = RTRIM(COMPROBANTEORIGEN)
     WHERE rowid = NEW.rowid;
END;

-- Charges applied to an account, with what is still owed of each.
CREATE TABLE V_MV_CargosAplicados (
    ID      integer PRIMARY KEY AUTOINCREMENT,
    CUENTA  varchar(20) COLLATE NOCASE,
    SALDO   numeric(18,4)
);

-- Suppliers, by account code.
CREATE TABLE VT_PROVEEDORES (
    Codigo        varchar(20) COLLATE NOCASE NOT NULL PRIMARY KEY,
    RAZON_SOCIAL  varchar(100) COLLATE NOCASE
);

-- Vouchers sent to and received from third parties, numbered by ID.
CREATE TABLE V_MV_CPTETERCEROS (
    ID             integer PRIMARY KEY AUTOINCREMENT,
    IDCOMPROBANTE  varchar(13) COLLATE NOCASE,
    IDCOMPLEMENTO  int,
    Fecha          datetime,
    FECHAENVIADO   datetime,
    FECHARECIBIDO  datetime
);

-- Delivery notes ("RM") still to be invoiced: not voided, and no voucher that is
-- not voided was issued from them. FINALIZADA plays no part here: a note
-- closed by hand but never invoiced is still pending, and one invoiced but
-- never closed is not.
CREATE VIEW V_RemitosPendientes AS
SELECT r.ID, r.CUENTA, r.ANULADA, r.Nombre, r.APROBADO, r.TC, r.IDCOMPROBANTE, r.IdComplemento, r.FECHA, r.Importe
FROM V_MV_CPTE r
WHERE TRIM(r.TC) = 'RM' AND r.ANULADA = 0
  AND NOT EXISTS (SELECT 1 FROM V_MV_CPTE h
                  WHERE h.TCORIGEN = r.TC AND h.COMPROBANTEORIGEN = r.IDCOMPROBANTE
                    AND h.COMPLEMENTOORIGEN = r.IdComplemento AND h.ANULADA = 0);

-- Purchase delivery notes ("RMC") not closed yet and not voided.
CREATE VIEW C_RemitosPendientes AS
SELECT ID, CUENTA, ANULADA, NOMBRE AS Nombre, TC, IDCOMPROBANTE, FECHA, Importe
FROM C_MV_CPTE
WHERE TRIM(TC) = 'RMC' AND FINALIZADO = 0 AND ANULADA = 0;

-- Work orders ("OT") still open: not closed and not voided.
CREATE VIEW V_OT_Pendientes AS
SELECT ID, CUENTA, ANULADA, Nombre, APROBADO, TC, IDCOMPROBANTE, IdComplemento AS IDCOMPlemento, FECHA, Importe
FROM V_MV_CPTE
WHERE TRIM(TC) = 'OT' AND FINALIZADA = 0 AND ANULADA = 0;

-- Budgets ("PR") still open: not closed, not voided, and no voucher that is not
-- voided was issued from them yet.
CREATE VIEW V_PR_PENDIENTES AS
SELECT p.ID, p.CUENTA, p.ANULADA, p.Nombre, p.APROBADO, p.TC, p.IDCOMPROBANTE, p.FECHA, p.Importe, p.comentarios
FROM V_MV_CPTE p
WHERE TRIM(p.TC) = 'PR' AND p.FINALIZADA = 0 AND p.ANULADA = 0
  AND NOT EXISTS (SELECT 1 FROM V_MV_CPTE h
                  WHERE h.TCORIGEN = p.TC AND h.COMPROBANTEORIGEN = p.IDCOMPROBANTE AND h.ANULADA = 0);

-- Stored vouchers. A sales voucher lives in the tables with the prefix V_
-- (header V_MV_CPTE above) and is keyed by TC (right-justified to 4),
-- IDCOMPROBANTE (branch, number, letter) and IdComplemento (0 for the kinds
-- without complement); a purchase voucher lives in the same layout with the
-- prefix C_ (header C_MV_CPTE, rules section), keyed by the supplier's CUENTA
-- in place of the complement. IdReparto is the delivery run a voucher goes
-- out on; -1 marks a voucher to be delivered over several runs.
CREATE INDEX IX_V_MV_CPTE_Comprobante ON V_MV_CPTE (TC, IDCOMPROBANTE, IdComplemento);
CREATE INDEX IX_V_MV_CPTE_Origen ON V_MV_CPTE (COMPROBANTEORIGEN);

-- Task lines; Horas in minutes.
CREATE TABLE V_MV_CPTETAREAS (
    ID                    integer PRIMARY KEY AUTOINCREMENT,
    TC                    varchar(4) COLLATE NOCASE NOT NULL,
    IDCOMPROBANTE         varchar(13) COLLATE NOCASE NOT NULL,
    IdComplemento         int NOT NULL DEFAULT 0,
    IdTarea               varchar(4) COLLATE NOCASE,
    Descripcion           varchar(100) COLLATE NOCASE,
    Horas                 numeric(18,4),
    ValorHora             numeric(18,4),
    ValorHora_S_IVA       numeric(18,4),
    Total                 numeric(18,4),
    DescripcionAdicional  varchar(500) COLLATE NOCASE,
    FechaEstInicio        datetime,
    FechaEstFin           datetime,
    IdTecnico             varchar(20) COLLATE NOCASE
);
CREATE INDEX IX_V_MV_CPTETAREAS_Comprobante ON V_MV_CPTETAREAS (TC, IDCOMPROBANTE, IdComplemento);

-- Article lines. Nro_Lote and Nro_Serie hold the line's lists of lots and of
-- serial numbers or quantities, as the entry grid keeps them; Exento may be
-- Null on lines stored by older programs.
CREATE TABLE V_MV_CPTEINSUMOS (
    ID             integer PRIMARY KEY AUTOINCREMENT,
    TC             varchar(4) COLLATE NOCASE NOT NULL,
    IDCOMPROBANTE  varchar(13) COLLATE NOCASE NOT NULL,
    IdComplemento  int NOT NULL DEFAULT 0,
    IdArticulo     varchar(25) COLLATE NOCASE,
    Descripcion    varchar(100) COLLATE NOCASE,
    IdUnidad       varchar(4) COLLATE NOCASE,
    Cantidad       numeric(18,4),
    IdUnidadBase   varchar(4) COLLATE NOCASE,
    cantidadud     numeric(18,4),
    Importe        numeric(18,4),
    Exento         bit,
    PorcDto        numeric(18,4),
    Costo          numeric(18,4),
    Importe_S_IVA  numeric(18,4),
    Impuestos      numeric(18,4),
    Total          numeric(18,4),
    Nro_Lote       varchar(2000) COLLATE NOCASE,
    Nro_Serie      varchar(2000) COLLATE NOCASE,
    CONTROLADOPOR  varchar(25) COLLATE NOCASE,
    IdOrigen       varchar(25) COLLATE NOCASE,
    AlicIVA        numeric(18,4)
);
CREATE INDEX IX_V_MV_CPTEINSUMOS_Comprobante ON V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IdComplemento);
CREATE TRIGGER V_MV_CPTEINSUMOS_Codigos AFTER INSERT ON V_MV_CPTEINSUMOS
WHEN NEW.TC GLOB '* ' OR NEW.IDCOMPROBANTE GLOB '* ' OR NEW.IdArticulo GLOB '* '
BEGIN
    UPDATE V_MV_CPTEINSUMOS SET TC = RTRIM(TC), IDCOMPROBANTE = RTRIM(IDCOMPROBANTE), IdArticulo = RTRIM(IdArticulo)
     WHERE rowid = NEW.rowid;
END;
CREATE TRIGGER V_MV_CPTEINSUMOS_CodigosCambiados AFTER UPDATE OF TC, IDCOMPROBANTE, IdArticulo ON V_MV_CPTEINSUMOS
WHEN NEW.TC GLOB '* ' OR NEW.IDCOMPROBANTE GLOB '* ' OR NEW.IdArticulo GLOB '* '
BEGIN
    UPDATE V_MV_CPTEINSUMOS SET TC = RTRIM(TC), IDCOMPROBANTE = RTRIM(IDCOMPROBANTE), IdArticulo = RTRIM(IdArticulo)
     WHERE rowid = NEW.rowid;
END;

-- Observation lines; those of TIPO_OBS 'OC' are the voucher's other concepts.
CREATE TABLE V_MV_CPTE_Observ (
    ID             integer PRIMARY KEY AUTOINCREMENT,
    TC             varchar(4) COLLATE NOCASE NOT NULL,
    IDCOMPROBANTE  varchar(13) COLLATE NOCASE NOT NULL,
    IdComplemento  int NOT NULL DEFAULT 0,
    TIPO_OBS       varchar(2) COLLATE NOCASE,
    Observacion    varchar(500) COLLATE NOCASE,
    Importe        numeric(18,4),
    Importe_S_IVA  numeric(18,4)
);
CREATE INDEX IX_V_MV_CPTE_Observ_Comprobante ON V_MV_CPTE_Observ (TC, IDCOMPROBANTE, IdComplemento);

-- The lines of purchase vouchers (headers: C_MV_CPTE, rules section).
CREATE TABLE C_MV_CPTETAREAS (
    ID                    integer PRIMARY KEY AUTOINCREMENT,
    TC                    varchar(4) COLLATE NOCASE NOT NULL,
    IDCOMPROBANTE         varchar(13) COLLATE NOCASE NOT NULL,
    CUENTA                varchar(20) COLLATE NOCASE,
    IdTarea               varchar(4) COLLATE NOCASE,
    Descripcion           varchar(100) COLLATE NOCASE,
    Horas                 numeric(18,4),
    ValorHora             numeric(18,4),
    ValorHora_S_IVA       numeric(18,4),
    Total                 numeric(18,4),
    DescripcionAdicional  varchar(500) COLLATE NOCASE,
    FechaEstInicio        datetime,
    FechaEstFin           datetime,
    IdTecnico             varchar(20) COLLATE NOCASE
);
CREATE INDEX IX_C_MV_CPTETAREAS_Comprobante ON C_MV_CPTETAREAS (TC, IDCOMPROBANTE, CUENTA);

CREATE TABLE C_MV_CPTEINSUMOS (
    ID             integer PRIMARY KEY AUTOINCREMENT,
    TC             varchar(4) COLLATE NOCASE NOT NULL,
    IDCOMPROBANTE  varchar(13) COLLATE NOCASE NOT NULL,
    CUENTA         varchar(20) COLLATE NOCASE,
    IdArticulo     varchar(25) COLLATE NOCASE,
    Descripcion    varchar(100) COLLATE NOCASE,
    IdUnidad       varchar(4) COLLATE NOCASE,
    Cantidad       numeric(18,4),
    IdUnidadBase   varchar(4) COLLATE NOCASE,
    cantidadud     numeric(18,4),
    Importe        numeric(18,4),
    Exento         bit,
    PorcDto        numeric(18,4),
    Costo          numeric(18,4),
    Importe_S_IVA  numeric(18,4),
    Impuestos      numeric(18,4),
    Total          numeric(18,4),
    Nro_Lote       varchar(2000) COLLATE NOCASE,
    Nro_Serie      varchar(2000) COLLATE NOCASE,
    CONTROLADOPOR  varchar(25) COLLATE NOCASE,
    IdOrigen       varchar(25) COLLATE NOCASE,
    AlicIVA        numeric(18,4)
);
CREATE INDEX IX_C_MV_CPTEINSUMOS_Comprobante ON C_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, CUENTA);

CREATE TABLE C_MV_CPTE_Observ (
    ID             integer PRIMARY KEY AUTOINCREMENT,
    TC             varchar(4) COLLATE NOCASE NOT NULL,
    IDCOMPROBANTE  varchar(13) COLLATE NOCASE NOT NULL,
    CUENTA         varchar(20) COLLATE NOCASE,
    TIPO_OBS       varchar(2) COLLATE NOCASE,
    Observacion    varchar(500) COLLATE NOCASE,
    Importe        numeric(18,4),
    Importe_S_IVA  numeric(18,4)
);
CREATE INDEX IX_C_MV_CPTE_Observ_Comprobante ON C_MV_CPTE_Observ (TC, IDCOMPROBANTE, CUENTA);

-- What the later vouchers took over of an origin voucher, per origin and
-- article: the quantities of the article lines of every voucher that is not
-- voided and whose header names that origin (TCORIGEN, COMPROBANTEORIGEN),
-- added up. The origin's type comes trimmed, as the entry form holds it.
CREATE VIEW VT_V_MV_INSUMOS_APLICACION AS
SELECT TRIM(c.TCORIGEN) COLLATE NOCASE AS TCO_ORIGEN,
       c.COMPROBANTEORIGEN AS IDCOMPROBANTEORIGEN,
       i.IdArticulo AS IDARTICULO,
       ROUND(SUM(i.Cantidad), 4) AS CantidadAplicada
FROM V_MV_CPTE c
JOIN V_MV_CPTEINSUMOS i ON i.TC = c.TC AND i.IDCOMPROBANTE = c.IDCOMPROBANTE AND i.IdComplemento = c.IdComplemento
WHERE c.ANULADA = 0 AND TRIM(IFNULL(c.TCORIGEN, '')) <> ''
GROUP BY TRIM(c.TCORIGEN) COLLATE NOCASE, c.COMPROBANTEORIGEN, i.IdArticulo;

-- What is still to be delivered of a voucher sent out over delivery runs
-- (IdReparto -1), per voucher and article: its lines' quantities less those
-- of the vouchers not voided that went out on a run (IdReparto above 0)
-- naming it as their origin. Only what is still pending has a row: an
-- article delivered in full has none.
CREATE VIEW VT_V_MV_Insumos_RepartoPendiente AS
WITH pedido AS (
    SELECT TRIM(c.TC) COLLATE NOCASE AS TC, c.IDCOMPROBANTE, i.IdArticulo AS IDARTICULO, SUM(i.Cantidad) AS cantidad
    FROM V_MV_CPTE c
    JOIN V_MV_CPTEINSUMOS i ON i.TC = c.TC AND i.IDCOMPROBANTE = c.IDCOMPROBANTE AND i.IdComplemento = c.IdComplemento
    WHERE c.IdReparto = -1 AND c.ANULADA = 0
    GROUP BY TRIM(c.TC) COLLATE NOCASE, c.IDCOMPROBANTE, i.IdArticulo
),
entregado AS (
    SELECT TRIM(c.TCORIGEN) COLLATE NOCASE AS TC, c.COMPROBANTEORIGEN AS IDCOMPROBANTE, i.IdArticulo AS IDARTICULO,
           SUM(i.Cantidad) AS cantidad
    FROM V_MV_CPTE c
    JOIN V_MV_CPTEINSUMOS i ON i.TC = c.TC AND i.IDCOMPROBANTE = c.IDCOMPROBANTE AND i.IdComplemento = c.IdComplemento
    WHERE c.IdReparto > 0 AND c.ANULADA = 0 AND TRIM(IFNULL(c.TCORIGEN, '')) <> ''
    GROUP BY TRIM(c.TCORIGEN) COLLATE NOCASE, c.COMPROBANTEORIGEN, i.IdArticulo
)
SELECT p.TC, p.IDCOMPROBANTE, p.IDARTICULO, ROUND(p.cantidad - IFNULL(e.cantidad, 0), 4) AS pendiente
FROM pedido p
LEFT JOIN entregado e ON e.TC = p.TC AND e.IDCOMPROBANTE = p.IDCOMPROBANTE AND e.IDARTICULO = p.IDARTICULO
WHERE ROUND(p.cantidad - IFNULL(e.cantidad, 0), 4) > 0;

-- Item families (rubros) and article types, by code, for the totals of a voucher.
CREATE TABLE V_ta_Rubros (
    IdRubro      varchar(4) COLLATE NOCASE NOT NULL PRIMARY KEY,
    Descripcion  varchar(50) COLLATE NOCASE
);

CREATE TABLE V_ta_TipoArticulo (
    Tipo         varchar(4) COLLATE NOCASE NOT NULL PRIMARY KEY,
    Descripcion  varchar(50) COLLATE NOCASE
);

-- Who created (Tipo_accion "A"), changed ("M") or deleted ("B") a voucher,
-- from which computer and when; FECHAHORA holds the text "dd/mm/yy hh:mm".
CREATE TABLE V_MV_CPTEACCIONES (
    ID             integer PRIMARY KEY AUTOINCREMENT,
    TC             varchar(4) COLLATE NOCASE,
    IdComprobante  varchar(13) COLLATE NOCASE,
    IdComplemento  int,
    Tipo_accion    varchar(1) COLLATE NOCASE,
    FECHAHORA      varchar(14) COLLATE NOCASE,
    Usuario        varchar(50) COLLATE NOCASE,
    PC             varchar(100) COLLATE NOCASE,
    SYSTEMUSER     varchar(50) COLLATE NOCASE
);

-- ==== end of schema ======================================================
