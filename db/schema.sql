-- Embedded database schema (SQLite). Text columns carry COLLATE NOCASE so that
-- keys compare without regard to case, as on the company's SQL Server; the
-- data layer makes literals ignore trailing blanks as well.
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
-- to 4). Per letter: default branch, number range, next number to hand out
-- and expiry of the range. V_TA_CPTE holds this system's voucher types;
-- TA_Comprobantes is the shared table of every system's types, searched when
-- V_TA_CPTE has no row; a number is recorded in the table its row came from.
CREATE TABLE V_TA_CPTE (
  CODIGO TEXT COLLATE NOCASE NOT NULL,
  TALONARIO INTEGER NOT NULL,
  DESCRIPCION TEXT COLLATE NOCASE,
  SISTEMA TEXT COLLATE NOCASE,
  ES TEXT COLLATE NOCASE,
  Signo INTEGER,
  Letras TEXT COLLATE NOCASE,
  Modificanumeracion TEXT COLLATE NOCASE,
  Externo TEXT COLLATE NOCASE,
  fechahora_modificacion TEXT COLLATE NOCASE,
  A_SUC_DEFAULT NUMERIC, A_NRO_DESDE NUMERIC, A_NRO_HASTA NUMERIC, A_ULTIMO_NRO NUMERIC, AVence DATETIME,
  B_SUC_DEFAULT NUMERIC, B_NRO_DESDE NUMERIC, B_NRO_HASTA NUMERIC, B_ULTIMO_NRO NUMERIC, BVence DATETIME,
  C_SUC_DEFAULT NUMERIC, C_NRO_DESDE NUMERIC, C_NRO_HASTA NUMERIC, C_ULTIMO_NRO NUMERIC, CVence DATETIME,
  E_SUC_DEFAULT NUMERIC, E_NRO_DESDE NUMERIC, E_NRO_HASTA NUMERIC, E_ULTIMO_NRO NUMERIC, EVence DATETIME,
  R_SUC_DEFAULT NUMERIC, R_NRO_DESDE NUMERIC, R_NRO_HASTA NUMERIC, R_ULTIMO_NRO NUMERIC, RVence DATETIME,
  X_SUC_DEFAULT NUMERIC, X_NRO_DESDE NUMERIC, X_NRO_HASTA NUMERIC, X_ULTIMO_NRO NUMERIC, XVence DATETIME,
  M_SUC_DEFAULT NUMERIC, M_NRO_DESDE NUMERIC, M_NRO_HASTA NUMERIC, M_ULTIMO_NRO NUMERIC, MVence DATETIME,
  PRIMARY KEY (CODIGO, TALONARIO)
);

CREATE TABLE TA_Comprobantes (
  CODIGO TEXT COLLATE NOCASE NOT NULL,
  TALONARIO INTEGER NOT NULL,
  DESCRIPCION TEXT COLLATE NOCASE,
  SISTEMA TEXT COLLATE NOCASE,
  ES TEXT COLLATE NOCASE,
  Signo INTEGER,
  Letras TEXT COLLATE NOCASE,
  Modificanumeracion TEXT COLLATE NOCASE,
  Externo TEXT COLLATE NOCASE,
  fechahora_modificacion TEXT COLLATE NOCASE,
  A_SUC_DEFAULT NUMERIC, A_NRO_DESDE NUMERIC, A_NRO_HASTA NUMERIC, A_ULTIMO_NRO NUMERIC, AVence DATETIME,
  B_SUC_DEFAULT NUMERIC, B_NRO_DESDE NUMERIC, B_NRO_HASTA NUMERIC, B_ULTIMO_NRO NUMERIC, BVence DATETIME,
  C_SUC_DEFAULT NUMERIC, C_NRO_DESDE NUMERIC, C_NRO_HASTA NUMERIC, C_ULTIMO_NRO NUMERIC, CVence DATETIME,
  E_SUC_DEFAULT NUMERIC, E_NRO_DESDE NUMERIC, E_NRO_HASTA NUMERIC, E_ULTIMO_NRO NUMERIC, EVence DATETIME,
  R_SUC_DEFAULT NUMERIC, R_NRO_DESDE NUMERIC, R_NRO_HASTA NUMERIC, R_ULTIMO_NRO NUMERIC, RVence DATETIME,
  X_SUC_DEFAULT NUMERIC, X_NRO_DESDE NUMERIC, X_NRO_HASTA NUMERIC, X_ULTIMO_NRO NUMERIC, XVence DATETIME,
  M_SUC_DEFAULT NUMERIC, M_NRO_DESDE NUMERIC, M_NRO_HASTA NUMERIC, M_ULTIMO_NRO NUMERIC, MVence DATETIME,
  PRIMARY KEY (CODIGO, TALONARIO)
);

-- Numbers handed out to accounting vouchers and purchase orders.
CREATE TABLE V_MV_CTROL_CPTE (
  TC TEXT COLLATE NOCASE,
  SUCURSAL TEXT COLLATE NOCASE,
  NUMERO TEXT COLLATE NOCASE,
  LETRA TEXT COLLATE NOCASE
);

-- Accounting entries; the data-access object reads them through the shared
-- synonym SS_MV_ASIENTOS.
CREATE TABLE MV_ASIENTOS (
  TC TEXT COLLATE NOCASE,
  SUCURSAL TEXT COLLATE NOCASE,
  NUMERO TEXT COLLATE NOCASE,
  LETRA TEXT COLLATE NOCASE,
  CUENTA TEXT COLLATE NOCASE,
  MES_OPERATIVO INTEGER,
  "NUMERO ASIENTO" INTEGER
);
CREATE VIEW SS_MV_ASIENTOS AS SELECT * FROM MV_ASIENTOS;

-- Purchase vouchers.
CREATE TABLE C_MV_CPTE (
  ID INTEGER PRIMARY KEY,
  TC TEXT COLLATE NOCASE,
  IDCOMPROBANTE TEXT COLLATE NOCASE,
  NUMERO TEXT COLLATE NOCASE,
  fecharecepcion DATETIME,
  FECHA DATETIME,
  CUENTA TEXT COLLATE NOCASE,
  NOMBRE TEXT COLLATE NOCASE,
  ANULADA INTEGER,
  APROBADO INTEGER,
  Importe NUMERIC,
  comentarios TEXT COLLATE NOCASE,
  Garantia INTEGER,
  FINALIZADO INTEGER,
  IdReparto INTEGER,
  CondicionIVA TEXT COLLATE NOCASE
);

-- Stock movements of the voucher toolkit.
CREATE TABLE V_MV_STOCK (
  ID INTEGER PRIMARY KEY,
  TC TEXT COLLATE NOCASE,
  IdComprobante TEXT COLLATE NOCASE,
  IdComplemento INTEGER,
  Secuencia INTEGER,
  Fecha DATETIME,
  IdCaja TEXT COLLATE NOCASE,
  IdDeposito TEXT COLLATE NOCASE,
  IdArticulo TEXT COLLATE NOCASE,
  Descripcion TEXT COLLATE NOCASE,
  NroLote TEXT COLLATE NOCASE,
  ControladoPor TEXT COLLATE NOCASE,
  IdOrigen TEXT COLLATE NOCASE,
  NroSerie TEXT COLLATE NOCASE,
  IdUnidad TEXT COLLATE NOCASE,
  Cantidad NUMERIC,
  CantidadUD NUMERIC,
  IdUnidadBase TEXT COLLATE NOCASE,
  CuentaProveedor TEXT COLLATE NOCASE,
  IdMotivoStock TEXT COLLATE NOCASE,
  PrecioVenta NUMERIC,
  Costo NUMERIC,
  Impuestos NUMERIC,
  DtoItem NUMERIC,
  Tc_Origen TEXT COLLATE NOCASE,
  IdComprobante_Origen TEXT COLLATE NOCASE,
  Id_Origen NUMERIC,
  IVARI NUMERIC,
  IVARNI NUMERIC,
  IdTecnico TEXT COLLATE NOCASE,
  EQUIV_UDBASE NUMERIC
);

-- Stock by article, depot, lot, serial number and position.
CREATE TABLE STK_SERIES_Y_LOTES (
  IdArticulo TEXT COLLATE NOCASE,
  IDDEPOSITO TEXT COLLATE NOCASE,
  NroLote TEXT COLLATE NOCASE,
  NroSerie TEXT COLLATE NOCASE,
  IdPosicion TEXT COLLATE NOCASE,
  CANTIDAD NUMERIC
);

-- Inputs (components) of an article, per unit of the article.
CREATE TABLE V_MA_INSUMOS (
  IDARTICULO TEXT COLLATE NOCASE,
  IdArticuloInsumo TEXT COLLATE NOCASE,
  IdUnidadInsumo TEXT COLLATE NOCASE,
  Cantidad NUMERIC
);

-- Unit equivalences: one IDUNIDAD equals Coeficiente units of IDUNIDAD_EQUIV.
CREATE TABLE S_TA_EQUIV (
  IdArticulo TEXT COLLATE NOCASE,
  IDUNIDAD TEXT COLLATE NOCASE,
  IDUNIDAD_EQUIV TEXT COLLATE NOCASE,
  Coeficiente NUMERIC
);

-- Stock balance per article, unit and depot.
CREATE TABLE STK_SALDOS_UNIDADES (
  IDARTICULO TEXT COLLATE NOCASE,
  EQUIVALENCIA TEXT COLLATE NOCASE,
  IDDEPOSITO TEXT COLLATE NOCASE,
  STOCK NUMERIC
);


-- ==== lookups: lookup views and families =================================


-- ==== positions: stock movements, positions, balances, views ============


-- ==== end of schema ======================================================
