-- Brings a file of the version before up to date: the lines without
-- position (Stk_Dravelo_Sin_Asignar) and the balances by position
-- (AC_SALDOSLAYOUT), until then views that summed every movement on each
-- read, are kept from here on in AC_SALDOSDRAVELO as each movement is
-- written, and the lines per receiving voucher add up only their own
-- articles' movements. The objects are those schema.sql makes at this
-- version; the table is filled from the rows stored, each movement counted
-- in the order it was written, as the triggers count it.
DROP VIEW Stk_Dravelo_Sin_Asignar;
DROP VIEW Stk_Dravelo_Sin_asignar_ir;
DROP VIEW AC_SALDOSLAYOUT;

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
CREATE INDEX IX_S_TA_EQUIV_Articulo ON S_TA_EQUIV (IdArticulo);

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
-- The positions in put-away order: the proposal and the position dialog read
-- them so, with their balances joined, without sorting what they read.
CREATE INDEX IX_MA_POSICIONES_Orden ON MA_POSICIONES (ORDENINGRESO, IdPosicion);

-- The movements stored, and the opening balances.
INSERT INTO AC_SALDOSDRAVELO_MOVIMIENTOS
SELECT 1, ID, RTRIM(TC), RTRIM(IDDEPOSITO), RTRIM(IDARTICULO), RTRIM(IDPOSICION),
       CASE WHEN IDPOSICION IS NULL THEN IFNULL(RTRIM(NROLOTE), '') ELSE RTRIM(NROLOTE) END,
       RTRIM(IDUNIDADBASE), CANTIDAD, ANULADO
FROM V_MV_STOCK_DRAVELO ORDER BY ID;
INSERT INTO AC_SALDOSDRAVELO (Tipo, IdDeposito, IdPosicion, IdArticulo, NroLote, IdUnidadBase, Saldo, SaldoPosicion)
SELECT 'I', IdDeposito, IdPosicion, IdArticulo, NroLote, IdUnidadBase, Saldo, SaldoPosicion FROM AC_SALDOSINICIALES;

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
