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


-- ==== end of schema ======================================================
