-- Brings a file of the version before up to date: the toolkit's stock
-- balances follow the movements. The rows STK_SERIES_Y_LOTES and
-- STK_SALDOS_UNIDADES held become opening balances, and the movements the
-- file already holds in V_MV_STOCK count from now on as any other: the
-- balances are the openings plus every movement, as in a new file.

-- The opening balances: the earlier tables' rows, codes without trailing
-- blanks.
CREATE TABLE STK_SERIES_Y_LOTES_INICIALES (
    IdArticulo  varchar(25) COLLATE NOCASE,
    IDDEPOSITO  varchar(4) COLLATE NOCASE,
    NroLote     varchar(25) COLLATE NOCASE,
    NroSerie    varchar(25) COLLATE NOCASE,
    IdPosicion  varchar(15) COLLATE NOCASE,
    CANTIDAD    numeric(18,4)
);
INSERT INTO STK_SERIES_Y_LOTES_INICIALES (IdArticulo, IDDEPOSITO, NroLote, NroSerie, IdPosicion, CANTIDAD)
SELECT RTRIM(IdArticulo), RTRIM(IDDEPOSITO), RTRIM(NroLote), RTRIM(NroSerie), RTRIM(IdPosicion), CANTIDAD
FROM STK_SERIES_Y_LOTES ORDER BY rowid;
DROP TABLE STK_SERIES_Y_LOTES;
CREATE TABLE STK_SALDOS_UNIDADES_INICIALES (
    IDARTICULO    varchar(25) COLLATE NOCASE,
    EQUIVALENCIA  varchar(4) COLLATE NOCASE,
    IDDEPOSITO    varchar(4) COLLATE NOCASE,
    STOCK         numeric(18,4)
);
INSERT INTO STK_SALDOS_UNIDADES_INICIALES (IDARTICULO, EQUIVALENCIA, IDDEPOSITO, STOCK)
SELECT RTRIM(IDARTICULO), RTRIM(EQUIVALENCIA), RTRIM(IDDEPOSITO), STOCK
FROM STK_SALDOS_UNIDADES ORDER BY rowid;
DROP TABLE STK_SALDOS_UNIDADES;

-- The movements' codes without trailing blanks, as a new file keeps them.
UPDATE V_MV_STOCK SET IdDeposito = RTRIM(IdDeposito), IdArticulo = RTRIM(IdArticulo), NroLote = RTRIM(NroLote),
    NroSerie = RTRIM(NroSerie), IdUnidad = RTRIM(IdUnidad)
WHERE IdDeposito GLOB '* ' OR IdArticulo GLOB '* ' OR NroLote GLOB '* ' OR NroSerie GLOB '* ' OR IdUnidad GLOB '* ';

-- The objects a new file has, as schema.sql makes them.
-- The codes the toolkit's stock balances are kept by are stored without
-- trailing blanks, whoever writes the row (see the balances below).
CREATE INDEX IX_V_MV_STOCK_Articulo ON V_MV_STOCK (IdArticulo);
CREATE TRIGGER V_MV_STOCK_Codigos AFTER INSERT ON V_MV_STOCK
WHEN NEW.IdDeposito GLOB '* ' OR NEW.IdArticulo GLOB '* ' OR NEW.NroLote GLOB '* ' OR NEW.NroSerie GLOB '* '
  OR NEW.IdUnidad GLOB '* '
BEGIN
    UPDATE V_MV_STOCK SET IdDeposito = RTRIM(IdDeposito), IdArticulo = RTRIM(IdArticulo), NroLote = RTRIM(NroLote),
        NroSerie = RTRIM(NroSerie), IdUnidad = RTRIM(IdUnidad)
     WHERE rowid = NEW.rowid;
END;
CREATE TRIGGER V_MV_STOCK_CodigosCambiados AFTER UPDATE OF IdDeposito, IdArticulo, NroLote, NroSerie, IdUnidad ON V_MV_STOCK
WHEN NEW.IdDeposito GLOB '* ' OR NEW.IdArticulo GLOB '* ' OR NEW.NroLote GLOB '* ' OR NEW.NroSerie GLOB '* '
  OR NEW.IdUnidad GLOB '* '
BEGIN
    UPDATE V_MV_STOCK SET IdDeposito = RTRIM(IdDeposito), IdArticulo = RTRIM(IdArticulo), NroLote = RTRIM(NroLote),
        NroSerie = RTRIM(NroSerie), IdUnidad = RTRIM(IdUnidad)
     WHERE rowid = NEW.rowid;
END;

CREATE INDEX IX_STK_SERIES_Y_LOTES_INICIALES_Articulo ON STK_SERIES_Y_LOTES_INICIALES (IdArticulo);
CREATE TRIGGER STK_SERIES_Y_LOTES_INICIALES_Codigos AFTER INSERT ON STK_SERIES_Y_LOTES_INICIALES
WHEN NEW.IdArticulo GLOB '* ' OR NEW.IDDEPOSITO GLOB '* ' OR NEW.NroLote GLOB '* ' OR NEW.NroSerie GLOB '* '
  OR NEW.IdPosicion GLOB '* '
BEGIN
    UPDATE STK_SERIES_Y_LOTES_INICIALES SET IdArticulo = RTRIM(IdArticulo), IDDEPOSITO = RTRIM(IDDEPOSITO),
        NroLote = RTRIM(NroLote), NroSerie = RTRIM(NroSerie), IdPosicion = RTRIM(IdPosicion)
     WHERE rowid = NEW.rowid;
END;
CREATE TRIGGER STK_SERIES_Y_LOTES_INICIALES_CodigosCambiados AFTER UPDATE OF IdArticulo, IDDEPOSITO, NroLote, NroSerie, IdPosicion ON STK_SERIES_Y_LOTES_INICIALES
WHEN NEW.IdArticulo GLOB '* ' OR NEW.IDDEPOSITO GLOB '* ' OR NEW.NroLote GLOB '* ' OR NEW.NroSerie GLOB '* '
  OR NEW.IdPosicion GLOB '* '
BEGIN
    UPDATE STK_SERIES_Y_LOTES_INICIALES SET IdArticulo = RTRIM(IdArticulo), IDDEPOSITO = RTRIM(IDDEPOSITO),
        NroLote = RTRIM(NroLote), NroSerie = RTRIM(NroSerie), IdPosicion = RTRIM(IdPosicion)
     WHERE rowid = NEW.rowid;
END;

CREATE INDEX IX_STK_SALDOS_UNIDADES_INICIALES_Articulo ON STK_SALDOS_UNIDADES_INICIALES (IDARTICULO);
CREATE TRIGGER STK_SALDOS_UNIDADES_INICIALES_Codigos AFTER INSERT ON STK_SALDOS_UNIDADES_INICIALES
WHEN NEW.IDARTICULO GLOB '* ' OR NEW.EQUIVALENCIA GLOB '* ' OR NEW.IDDEPOSITO GLOB '* '
BEGIN
    UPDATE STK_SALDOS_UNIDADES_INICIALES SET IDARTICULO = RTRIM(IDARTICULO), EQUIVALENCIA = RTRIM(EQUIVALENCIA),
        IDDEPOSITO = RTRIM(IDDEPOSITO)
     WHERE rowid = NEW.rowid;
END;
CREATE TRIGGER STK_SALDOS_UNIDADES_INICIALES_CodigosCambiados AFTER UPDATE OF IDARTICULO, EQUIVALENCIA, IDDEPOSITO ON STK_SALDOS_UNIDADES_INICIALES
WHEN NEW.IDARTICULO GLOB '* ' OR NEW.EQUIVALENCIA GLOB '* ' OR NEW.IDDEPOSITO GLOB '* '
BEGIN
    UPDATE STK_SALDOS_UNIDADES_INICIALES SET IDARTICULO = RTRIM(IDARTICULO), EQUIVALENCIA = RTRIM(EQUIVALENCIA),
        IDDEPOSITO = RTRIM(IDDEPOSITO)
     WHERE rowid = NEW.rowid;
END;

-- The units an article is counted in, each with how many of it make one of
-- the article's own unit (Factor): its own unit (1), and each unit an
-- equivalence pairs with it, as the unit conversion reads S_TA_EQUIV (a row
-- from the article's unit wins over a row back to it; of two rows for the
-- same pair, the higher coefficient, then the first). Units right-justified
-- to 4. Kept per article in STK_UNIDADES_ARTICULO.
CREATE VIEW STK_UNIDADES_EQUIVALENTES AS
SELECT a.IDARTICULO AS IdArticulo, printf('%4s', TRIM(a.IDUNIDAD)) AS Unidad, 1.0 AS Factor
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
    Factor      float NOT NULL
);
CREATE UNIQUE INDEX IX_STK_UNIDADES_ARTICULO_Clave ON STK_UNIDADES_ARTICULO (IdArticulo, Unidad);
CREATE INDEX IX_S_TA_EQUIV_Articulo ON S_TA_EQUIV (IdArticulo);

-- What each row of opening balances (Origen 'L' by lot, 'U' by unit) and
-- each movement ('M') adds to a balance, Fila naming the row. A movement
-- counts by lot in the article's own unit, and by unit in each unit the
-- article is counted in. A blank unit is the article's own. A movement in a
-- unit the article has no equivalence for counts in that unit alone (by
-- lot it adds nothing: it cannot be told in the article's unit); one of an
-- article without a unit counts as it is.
CREATE VIEW STK_APORTES_LOTES AS
SELECT 'L' AS Origen, i.rowid AS Fila, i.IdArticulo, i.IDDEPOSITO, NULLIF(RTRIM(i.NroLote), '') AS NroLote,
       NULLIF(RTRIM(i.NroSerie), '') AS NroSerie, NULLIF(RTRIM(i.IdPosicion), '') AS IdPosicion, i.CANTIDAD
FROM STK_SERIES_Y_LOTES_INICIALES i
WHERE i.IdArticulo IS NOT NULL
UNION ALL
SELECT 'M', m.ID, m.IdArticulo, m.IdDeposito, NULLIF(RTRIM(m.NroLote), ''), NULLIF(RTRIM(m.NroSerie), ''), NULL,
       ROUND(CASE WHEN TRIM(IFNULL(m.IdUnidad, '')) = ''
                    OR NOT EXISTS (SELECT 1 FROM STK_UNIDADES_ARTICULO u WHERE u.IdArticulo = m.IdArticulo)
                  THEN m.Cantidad
                  ELSE m.Cantidad / (SELECT u.Factor FROM STK_UNIDADES_ARTICULO u
                                     WHERE u.IdArticulo = m.IdArticulo AND u.Unidad = printf('%4s', TRIM(m.IdUnidad)))
             END, 10)
FROM V_MV_STOCK m
WHERE m.IdArticulo IS NOT NULL;

CREATE VIEW STK_APORTES_UNIDADES AS
SELECT 'U' AS Origen, i.rowid AS Fila, i.IDARTICULO, i.EQUIVALENCIA, i.IDDEPOSITO, i.STOCK
FROM STK_SALDOS_UNIDADES_INICIALES i
WHERE i.IDARTICULO IS NOT NULL
UNION ALL
SELECT 'M', m.ID, m.IdArticulo, u.Unidad, m.IdDeposito, ROUND(m.Cantidad * u.Factor / p.Factor, 10)
FROM V_MV_STOCK m
JOIN STK_UNIDADES_ARTICULO p
  ON p.IdArticulo = m.IdArticulo
 AND p.Unidad = CASE WHEN TRIM(IFNULL(m.IdUnidad, '')) = ''
                     THEN (SELECT printf('%4s', TRIM(a.IDUNIDAD)) FROM V_MA_ARTICULOS a WHERE a.IDARTICULO = m.IdArticulo)
                     ELSE printf('%4s', TRIM(m.IdUnidad)) END
JOIN STK_UNIDADES_ARTICULO u ON u.IdArticulo = m.IdArticulo
UNION ALL
SELECT 'M', m.ID, m.IdArticulo, printf('%4s', TRIM(m.IdUnidad)), m.IdDeposito, m.Cantidad
FROM V_MV_STOCK m
WHERE m.IdArticulo IS NOT NULL AND TRIM(IFNULL(m.IdUnidad, '')) <> ''
  AND NOT EXISTS (SELECT 1 FROM STK_UNIDADES_ARTICULO u
                  WHERE u.IdArticulo = m.IdArticulo AND u.Unidad = printf('%4s', TRIM(m.IdUnidad)));

-- The kept balances: those contributions added up by key, to 10 decimals so
-- that what cancels out comes to 0 (a row that does goes), and shown to 4
-- decimals, as the movements hold them.
CREATE TABLE STK_SERIES_Y_LOTES_SALDOS (
    IdArticulo  varchar(25) COLLATE NOCASE,
    IDDEPOSITO  varchar(4) COLLATE NOCASE,
    NroLote     varchar(25) COLLATE NOCASE,
    NroSerie    varchar(25) COLLATE NOCASE,
    IdPosicion  varchar(15) COLLATE NOCASE,
    CANTIDAD    numeric(18,4),
    CantidadExacta  float
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
    IDARTICULO    varchar(25) COLLATE NOCASE,
    EQUIVALENCIA  varchar(4) COLLATE NOCASE,
    IDDEPOSITO    varchar(4) COLLATE NOCASE,
    STOCK         numeric(18,4),
    StockExacto   float
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

-- One row's contributions added to the kept balances (Signo 1) or taken out
-- of them (-1): an insert here is a change, nothing is stored.
CREATE VIEW STK_CAMBIO AS SELECT 'M' AS Origen, 0 AS Fila, 1 AS Signo WHERE 0;
CREATE TRIGGER STK_CAMBIO_Aplica INSTEAD OF INSERT ON STK_CAMBIO
BEGIN
    INSERT INTO STK_SERIES_Y_LOTES_SALDOS (IdArticulo, IDDEPOSITO, NroLote, NroSerie, IdPosicion, CANTIDAD, CantidadExacta)
    SELECT IdArticulo, IDDEPOSITO, NroLote, NroSerie, IdPosicion, ROUND(NEW.Signo * CANTIDAD, 4), NEW.Signo * CANTIDAD
    FROM STK_APORTES_LOTES
    WHERE Origen = NEW.Origen AND Fila = NEW.Fila AND IFNULL(CANTIDAD, 0) <> 0
    ON CONFLICT (IdArticulo, IFNULL(IDDEPOSITO, '') COLLATE NOCASE, IFNULL(NroLote, '') COLLATE NOCASE,
                 IFNULL(NroSerie, '') COLLATE NOCASE, IFNULL(IdPosicion, '') COLLATE NOCASE)
    DO UPDATE SET CantidadExacta = ROUND(CantidadExacta + excluded.CantidadExacta, 10),
                  CANTIDAD = ROUND(CantidadExacta + excluded.CantidadExacta, 4);
    INSERT INTO STK_SALDOS_UNIDADES_SALDOS (IDARTICULO, EQUIVALENCIA, IDDEPOSITO, STOCK, StockExacto)
    SELECT IDARTICULO, EQUIVALENCIA, IDDEPOSITO, ROUND(NEW.Signo * STOCK, 4), NEW.Signo * STOCK
    FROM STK_APORTES_UNIDADES
    WHERE Origen = NEW.Origen AND Fila = NEW.Fila AND IFNULL(STOCK, 0) <> 0
    ON CONFLICT (IDARTICULO, IFNULL(EQUIVALENCIA, '') COLLATE NOCASE, IFNULL(IDDEPOSITO, '') COLLATE NOCASE)
    DO UPDATE SET StockExacto = ROUND(StockExacto + excluded.StockExacto, 10),
                  STOCK = ROUND(StockExacto + excluded.StockExacto, 4);
END;

-- Every change to a row of opening balances or to a movement takes its
-- contributions out as the row stood and puts them in as it stands.
CREATE TRIGGER STK_SERIES_Y_LOTES_INICIALES_Entra AFTER INSERT ON STK_SERIES_Y_LOTES_INICIALES
BEGIN
    INSERT INTO STK_CAMBIO VALUES ('L', NEW.rowid, 1);
END;
CREATE TRIGGER STK_SERIES_Y_LOTES_INICIALES_Sale BEFORE DELETE ON STK_SERIES_Y_LOTES_INICIALES
BEGIN
    INSERT INTO STK_CAMBIO VALUES ('L', OLD.rowid, -1);
END;
CREATE TRIGGER STK_SERIES_Y_LOTES_INICIALES_Cambia BEFORE UPDATE ON STK_SERIES_Y_LOTES_INICIALES
BEGIN
    INSERT INTO STK_CAMBIO VALUES ('L', OLD.rowid, -1);
END;
CREATE TRIGGER STK_SERIES_Y_LOTES_INICIALES_Cambiado AFTER UPDATE ON STK_SERIES_Y_LOTES_INICIALES
BEGIN
    INSERT INTO STK_CAMBIO VALUES ('L', NEW.rowid, 1);
END;
CREATE TRIGGER STK_SALDOS_UNIDADES_INICIALES_Entra AFTER INSERT ON STK_SALDOS_UNIDADES_INICIALES
BEGIN
    INSERT INTO STK_CAMBIO VALUES ('U', NEW.rowid, 1);
END;
CREATE TRIGGER STK_SALDOS_UNIDADES_INICIALES_Sale BEFORE DELETE ON STK_SALDOS_UNIDADES_INICIALES
BEGIN
    INSERT INTO STK_CAMBIO VALUES ('U', OLD.rowid, -1);
END;
CREATE TRIGGER STK_SALDOS_UNIDADES_INICIALES_Cambia BEFORE UPDATE ON STK_SALDOS_UNIDADES_INICIALES
BEGIN
    INSERT INTO STK_CAMBIO VALUES ('U', OLD.rowid, -1);
END;
CREATE TRIGGER STK_SALDOS_UNIDADES_INICIALES_Cambiado AFTER UPDATE ON STK_SALDOS_UNIDADES_INICIALES
BEGIN
    INSERT INTO STK_CAMBIO VALUES ('U', NEW.rowid, 1);
END;
CREATE TRIGGER V_MV_STOCK_Entra AFTER INSERT ON V_MV_STOCK
BEGIN
    INSERT INTO STK_CAMBIO VALUES ('M', NEW.ID, 1);
END;
CREATE TRIGGER V_MV_STOCK_Sale BEFORE DELETE ON V_MV_STOCK
BEGIN
    INSERT INTO STK_CAMBIO VALUES ('M', OLD.ID, -1);
END;
CREATE TRIGGER V_MV_STOCK_Cambia BEFORE UPDATE OF ID, IdDeposito, IdArticulo, NroLote, NroSerie, IdUnidad, Cantidad ON V_MV_STOCK
BEGIN
    INSERT INTO STK_CAMBIO VALUES ('M', OLD.ID, -1);
END;
CREATE TRIGGER V_MV_STOCK_Cambiado AFTER UPDATE OF ID, IdDeposito, IdArticulo, NroLote, NroSerie, IdUnidad, Cantidad ON V_MV_STOCK
BEGIN
    INSERT INTO STK_CAMBIO VALUES ('M', NEW.ID, 1);
END;

-- An article counted again from its opening balances and its movements,
-- its units read again first: what a change to its unit or to one of its
-- equivalences moves. An insert here is the count, nothing is stored.
CREATE VIEW STK_RECUENTO AS SELECT IDARTICULO FROM V_MA_ARTICULOS WHERE 0;
CREATE TRIGGER STK_RECUENTO_Articulo INSTEAD OF INSERT ON STK_RECUENTO
BEGIN
    DELETE FROM STK_UNIDADES_ARTICULO WHERE IdArticulo = NEW.IDARTICULO;
    INSERT OR IGNORE INTO STK_UNIDADES_ARTICULO (IdArticulo, Unidad, Factor)
    SELECT IdArticulo, Unidad, Factor FROM STK_UNIDADES_EQUIVALENTES WHERE IdArticulo = NEW.IDARTICULO;
    DELETE FROM STK_SERIES_Y_LOTES_SALDOS WHERE IdArticulo = NEW.IDARTICULO;
    DELETE FROM STK_SALDOS_UNIDADES_SALDOS WHERE IDARTICULO = NEW.IDARTICULO;
    INSERT INTO STK_SERIES_Y_LOTES_SALDOS (IdArticulo, IDDEPOSITO, NroLote, NroSerie, IdPosicion, CANTIDAD, CantidadExacta)
    SELECT IdArticulo, IDDEPOSITO, NroLote, NroSerie, IdPosicion, ROUND(CANTIDAD, 4), CANTIDAD FROM STK_APORTES_LOTES
    WHERE IdArticulo = NEW.IDARTICULO AND IFNULL(CANTIDAD, 0) <> 0
    ON CONFLICT (IdArticulo, IFNULL(IDDEPOSITO, '') COLLATE NOCASE, IFNULL(NroLote, '') COLLATE NOCASE,
                 IFNULL(NroSerie, '') COLLATE NOCASE, IFNULL(IdPosicion, '') COLLATE NOCASE)
    DO UPDATE SET CantidadExacta = ROUND(CantidadExacta + excluded.CantidadExacta, 10),
                  CANTIDAD = ROUND(CantidadExacta + excluded.CantidadExacta, 4);
    INSERT INTO STK_SALDOS_UNIDADES_SALDOS (IDARTICULO, EQUIVALENCIA, IDDEPOSITO, STOCK, StockExacto)
    SELECT IDARTICULO, EQUIVALENCIA, IDDEPOSITO, ROUND(STOCK, 4), STOCK FROM STK_APORTES_UNIDADES
    WHERE IDARTICULO = NEW.IDARTICULO AND IFNULL(STOCK, 0) <> 0
    ON CONFLICT (IDARTICULO, IFNULL(EQUIVALENCIA, '') COLLATE NOCASE, IFNULL(IDDEPOSITO, '') COLLATE NOCASE)
    DO UPDATE SET StockExacto = ROUND(StockExacto + excluded.StockExacto, 10),
                  STOCK = ROUND(StockExacto + excluded.StockExacto, 4);
END;
CREATE TRIGGER V_MA_ARTICULOS_Stock AFTER INSERT ON V_MA_ARTICULOS
BEGIN
    INSERT INTO STK_RECUENTO VALUES (NEW.IDARTICULO);
END;
CREATE TRIGGER V_MA_ARTICULOS_StockCambiado AFTER UPDATE OF IDARTICULO, IDUNIDAD ON V_MA_ARTICULOS
BEGIN
    INSERT INTO STK_RECUENTO VALUES (OLD.IDARTICULO);
    INSERT INTO STK_RECUENTO SELECT NEW.IDARTICULO WHERE NEW.IDARTICULO IS NOT OLD.IDARTICULO;
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
    INSERT INTO STK_RECUENTO SELECT NEW.IdArticulo WHERE NEW.IdArticulo IS NOT OLD.IdArticulo;
END;
CREATE TRIGGER S_TA_EQUIV_StockBorrado AFTER DELETE ON S_TA_EQUIV
BEGIN
    INSERT INTO STK_RECUENTO VALUES (OLD.IdArticulo);
END;

-- The balances counted from the openings and the movements, in the order
-- they came in.
INSERT OR IGNORE INTO STK_UNIDADES_ARTICULO (IdArticulo, Unidad, Factor)
SELECT IdArticulo, Unidad, Factor FROM STK_UNIDADES_EQUIVALENTES;
INSERT INTO STK_SERIES_Y_LOTES_SALDOS (IdArticulo, IDDEPOSITO, NroLote, NroSerie, IdPosicion, CANTIDAD, CantidadExacta)
SELECT IdArticulo, IDDEPOSITO, NroLote, NroSerie, IdPosicion, ROUND(CANTIDAD, 4), CANTIDAD FROM STK_APORTES_LOTES
WHERE IFNULL(CANTIDAD, 0) <> 0
ON CONFLICT (IdArticulo, IFNULL(IDDEPOSITO, '') COLLATE NOCASE, IFNULL(NroLote, '') COLLATE NOCASE,
             IFNULL(NroSerie, '') COLLATE NOCASE, IFNULL(IdPosicion, '') COLLATE NOCASE)
DO UPDATE SET CantidadExacta = ROUND(CantidadExacta + excluded.CantidadExacta, 10),
              CANTIDAD = ROUND(CantidadExacta + excluded.CantidadExacta, 4);
INSERT INTO STK_SALDOS_UNIDADES_SALDOS (IDARTICULO, EQUIVALENCIA, IDDEPOSITO, STOCK, StockExacto)
SELECT IDARTICULO, EQUIVALENCIA, IDDEPOSITO, ROUND(STOCK, 4), STOCK FROM STK_APORTES_UNIDADES
WHERE IFNULL(STOCK, 0) <> 0
ON CONFLICT (IDARTICULO, IFNULL(EQUIVALENCIA, '') COLLATE NOCASE, IFNULL(IDDEPOSITO, '') COLLATE NOCASE)
DO UPDATE SET StockExacto = ROUND(StockExacto + excluded.StockExacto, 10),
              STOCK = ROUND(StockExacto + excluded.StockExacto, 4);
