-- Demo data of the embedded database: every case an operator meets.
-- Each subsystem keeps its rows in its own section below.

-- ==== core ===============================================================

INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES
    ('MostrarStockenConsultas', 'NO'),
    ('TituloClientes', 'Clientes'),
    ('TituloProveedores', 'Proveedores'),
    ('EXIGECLAVECONSULTALIKEARTICULOS', 'NO'),
    ('UsaConsultaLike', 'SI'),
    ('CantidadDecimales', '2'),
    ('UsaMultilesMonedas', 'NO'),
    ('UsaFacturaProforma', 'NO'),
    ('USACCOSTO', 'NO'),
    ('UNIDADDEMEDIDA_M3', 'M3'),
    ('UNIDADDEMEDIDA_BL', 'BL'),
    ('UNIDADDEMEDIDA_KG', 'KG'),
    ('PERIODO', '2024'),
    ('VALIDACODIGOBARRA', 'NO'),
    ('CFondo', '0'),
    ('CLetra', '0'),
    ('ModuloOrdenDeTrabajo', 'NO');

INSERT INTO ta_usuarios (nombre, UNegocio, NombreCompleto) VALUES
    ('ana', '   1', 'Ana Operadora'),
    ('juan', '   1', 'Juan Encargado');

INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, codigobarra, CODIGOBARRADUN, UD_TTE, CODIGOBARRA2, UMCB2,
                            IDUNIDAD, IdFamilia, IdTipo, idrubro, USALOTE, CuentaProveedor, Costo, PRECIO1) VALUES
    ('                   ART001', 'TORNILLO 3/8', '            7790001234567', '           17790001234564', '  CJ',
     '            7790001234598', '  KG', '  UN', '0101', 'T1', 'R1', 0, 'PROV01', 80, 100.5),
    ('                   ART002', 'ARANDELA PLANA', '            7790001234574', NULL, NULL, NULL, NULL,
     '  UN', '0102', 'T1', 'R1', 1, 'PROV01', 5, 8.25),
    ('                 INSUMO01', 'HARINA', NULL, NULL, NULL, NULL, NULL, '  KG', '0201', 'T2', 'R2', 1, 'PROV02', 12.5, 20);

INSERT INTO TA_CONFIG_IMP_CPTE (TC, LETRA, USUARIO, Impresora, CantCopias, CantLineas, DestinoDefault) VALUES
    ('FC', 'A', NULL, 'Impresora general', 1, 40, 'PANTALLA');

-- Family codes of two characters per level, three levels.
INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES
    ('FLIA_NIVEL1', '2'),
    ('FLIA_NIVEL2', '2'),
    ('FLIA_NIVEL3', '2'),
    ('FLIA_NIVEL4', '0'),
    ('FLIA_NIVEL5', '0'),
    ('FLIA_NIVEL6', '0');

-- The company, for the heading of printed reports.
INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES
    ('NOMBRE', 'Distribuidora del Litoral S.A.'),
    ('CALLE', 'Av. Pellegrini'),
    ('NUMERO', '1520'),
    ('PISO', 'PB'),
    ('LOCALIDAD', 'Rosario');

-- An article no position is reserved for: it is offered the free positions.
INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD, IdFamilia, IdTipo, idrubro, CuentaProveedor, Costo, PRECIO1) VALUES
    ('                   ART003', 'TUERCA HEXAGONAL 3/8', '  UN', '03', 'T3', 'R3', 'PROV01', 3, 5.5);

-- ==== rules ==============================================================

-- Every article counts in its own unit (a row from that unit to itself), and
-- the screws also by the box of twelve.
INSERT INTO S_TA_EQUIV (IdArticulo, IDUNIDAD, IDUNIDAD_EQUIV, Coeficiente) VALUES
    ('                   ART001', '  UN', '  UN', 1),
    ('                   ART001', '  CJ', '  UN', 12),
    ('                   ART002', '  UN', '  UN', 1),
    ('                   ART003', '  UN', '  UN', 1),
    ('                 INSUMO01', '  KG', '  KG', 1);

-- ==== lookups ============================================================

-- Families of two, four and six characters per level.
INSERT INTO V_TA_FAMILIAS (IDFAMILIA, DESCRIPCION) VALUES
    ('01', 'BULONERIA'),
    ('0101', 'TORNILLOS'),
    ('010101', 'AUTOPERFORANTES'),
    ('0102', 'ARANDELAS'),
    ('02', 'ALMACEN'),
    ('0201', 'HARINAS'),
    ('0202', 'ACEITES'),
    ('03', 'TUERCAS'),
    ('04', 'INDUMENTARIA');


-- ==== positions ==========================================================

-- Two depots: the central one belongs to the demo users' business unit.
INSERT INTO V_TA_Deposito (IdDeposito, Descripcion, UnidadNegocio) VALUES
    ('   1', 'Deposito Central', '   1'),
    ('   2', 'Deposito Norte', '   2');

-- Positions of the central depot, one of every kind the position dialog
-- shows for the screws (ART001, family 0101 under 01, type T1, rubro R1):
-- reserved for the article (in units, in boxes of twelve, and one already
-- full), for its family and its parent family, for its type (one without
-- unit, one in a unit the screws have no equivalence for) and its rubro, one
-- disabled; then positions of the washers' family, of the flour's parent
-- family and rubro, and free positions, which the nuts (reserved nowhere)
-- are offered. The northern depot has one free position.
INSERT INTO MA_POSICIONES (IdDeposito, IdPosicion, Descripcion, IdArticulo, IdFamilia, IdTipo, IdRubro, ORDENINGRESO,
                           IdUnidad, HABILITADO, CAPACIDAD) VALUES
    ('   1', 'A-01-01', 'Rack A, nivel 1', '                   ART001', NULL, NULL, NULL, 1, '  UN', 1, 100),
    ('   1', 'A-01-02', 'Rack A, nivel 2 (cajas)', '                   ART001', NULL, NULL, NULL, 2, '  CJ', 1, 10),
    ('   1', 'A-01-03', 'Rack A, nivel 3', '                   ART001', NULL, NULL, NULL, 3, '  UN', 1, 40),
    ('   1', 'B-01-01', 'Rack B, nivel 1', NULL, '0101', NULL, NULL, 4, '  UN', 1, 200),
    ('   1', 'B-01-02', 'Rack B, nivel 2 (en reparacion)', NULL, '0101', NULL, NULL, 5, '  UN', 0, 200),
    ('   1', 'B-02-01', 'Rack B, pasillo 2', NULL, '01', NULL, NULL, 6, '  UN', 1, 150),
    ('   1', 'C-01-01', 'Piso C, frente', NULL, NULL, 'T1', NULL, 7, NULL, 1, 100),
    ('   1', 'C-01-02', 'Piso C, fondo', NULL, NULL, 'T1', NULL, 8, '  KG', 1, 500),
    ('   1', 'D-01-01', 'Entrepiso D', NULL, NULL, NULL, 'R1', 9, '  UN', 1, 300),
    ('   1', 'E-01-01', 'Estanteria E', NULL, '0102', NULL, NULL, 10, '  UN', 1, 500),
    ('   1', 'H-01-01', 'Silo H1', NULL, '02', NULL, NULL, 11, '  KG', 1, 1000),
    ('   1', 'H-01-02', 'Silo H2', NULL, NULL, NULL, 'R2', 12, '  KG', 1, 1000),
    ('   1', 'U-01', 'Playa libre 1', NULL, NULL, NULL, NULL, 20, '  UN', 1, 100),
    ('   1', 'U-02', 'Playa libre 2', NULL, NULL, NULL, NULL, 21, '  UN', 1, 100),
    ('   2', 'Z-01', 'Norte libre', NULL, NULL, NULL, NULL, 1, '  UN', 1, 100);

-- Stock received without position. Receiving voucher 0001-00000123-X brings
-- one line of screws, washers in two lots, flour in eleven lots and nuts; a
-- second receipt adds screws and one more lot of flour, so the central depot
-- lists more lines than one page holds.
INSERT INTO V_MV_STOCK_DRAVELO (FECHA, TC, SUCURSAL, NUMERO, LETRA, IDARTICULO, IDUNIDADBASE, CANTIDAD, NROLOTE,
                                IDDEPOSITO, IDPOSICION, USUARIO, ANULADO) VALUES
    ('2024-12-02T08:30:00', 'IR', '0001', '00000123', 'X', '                   ART001', '  UN', 120, NULL, '   1', NULL, 'juan', 0),
    ('2024-12-02T08:30:00', 'IR', '0001', '00000123', 'X', '                   ART002', '  UN', 500, 'A-2411', '   1', NULL, 'juan', 0),
    ('2024-12-02T08:30:00', 'IR', '0001', '00000123', 'X', '                   ART002', '  UN', 300, 'A-2412', '   1', NULL, 'juan', 0),
    ('2024-12-02T08:30:00', 'IR', '0001', '00000123', 'X', '                 INSUMO01', '  KG', 250, 'H2411-01', '   1', NULL, 'juan', 0),
    ('2024-12-02T08:30:00', 'IR', '0001', '00000123', 'X', '                 INSUMO01', '  KG', 250, 'H2411-02', '   1', NULL, 'juan', 0),
    ('2024-12-02T08:30:00', 'IR', '0001', '00000123', 'X', '                 INSUMO01', '  KG', 250, 'H2411-03', '   1', NULL, 'juan', 0),
    ('2024-12-02T08:30:00', 'IR', '0001', '00000123', 'X', '                 INSUMO01', '  KG', 250, 'H2411-04', '   1', NULL, 'juan', 0),
    ('2024-12-02T08:30:00', 'IR', '0001', '00000123', 'X', '                 INSUMO01', '  KG', 250, 'H2411-05', '   1', NULL, 'juan', 0),
    ('2024-12-02T08:30:00', 'IR', '0001', '00000123', 'X', '                 INSUMO01', '  KG', 200, 'H2411-06', '   1', NULL, 'juan', 0),
    ('2024-12-02T08:30:00', 'IR', '0001', '00000123', 'X', '                 INSUMO01', '  KG', 200, 'H2411-07', '   1', NULL, 'juan', 0),
    ('2024-12-02T08:30:00', 'IR', '0001', '00000123', 'X', '                 INSUMO01', '  KG', 200, 'H2411-08', '   1', NULL, 'juan', 0),
    ('2024-12-02T08:30:00', 'IR', '0001', '00000123', 'X', '                 INSUMO01', '  KG', 150, 'H2411-09', '   1', NULL, 'juan', 0),
    ('2024-12-02T08:30:00', 'IR', '0001', '00000123', 'X', '                 INSUMO01', '  KG', 150, 'H2411-10', '   1', NULL, 'juan', 0),
    ('2024-12-02T08:30:00', 'IR', '0001', '00000123', 'X', '                 INSUMO01', '  KG', 100, 'H2411-11', '   1', NULL, 'juan', 0),
    ('2024-12-02T08:30:00', 'IR', '0001', '00000123', 'X', '                   ART003', '  UN', 200, NULL, '   1', NULL, 'juan', 0),
    ('2024-12-05T10:15:00', 'IR', '0001', '00000124', 'X', '                   ART001', '  UN', 60, NULL, '   1', NULL, 'juan', 0),
    ('2024-12-05T10:15:00', 'IR', '0001', '00000124', 'X', '                 INSUMO01', '  KG', 250, 'H2412-01', '   1', NULL, 'juan', 0),
    ('2024-12-05T11:00:00', 'IR', '0001', '00000125', 'X', '                   ART001', '  UN', 30, NULL, '   2', NULL, 'juan', 0),
    ('2024-12-05T11:00:00', 'IR', '0001', '00000125', 'X', '                   ART003', '  UN', 50, NULL, '   2', NULL, 'juan', 0);

-- Transfer voucher 0001-00000001-X, already saved: 50 screws of the first
-- receipt went to positions A-01-03 (now full) and B-01-01. It can be reopened.
INSERT INTO V_MV_STOCK_DRAVELO (FECHA, TC, SUCURSAL, NUMERO, LETRA, IDARTICULO, IDUNIDADBASE, CANTIDAD, NROLOTE,
                                IDDEPOSITO, IDPOSICION, USUARIO, ANULADO) VALUES
    ('2024-12-06T00:00:00', 'TRP', '0001', '00000001', 'X', '                   ART001', '  UN', -50, NULL, '   1', NULL, 'juan', 0),
    ('2024-12-06T00:00:00', 'TRP', '0001', '00000001', 'X', '                   ART001', '  UN', 40, NULL, '   1', 'A-01-03', 'juan', 0),
    ('2024-12-06T00:00:00', 'TRP', '0001', '00000001', 'X', '                   ART001', '  UN', 10, NULL, '   1', 'B-01-01', 'juan', 0);

-- ==== vouchers ===========================================================

-- Sizes and colours a line can be split into; budgets show no reference
-- column; delivery notes are also sold for cash, and are delivered whole.
INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES
    ('TallesHabilitados', 'S,M,L,XL'),
    ('ColoresHabilitados', 'ROJO,AZUL,NEGRO'),
    ('UsaReferenciaPresupuestos', 'NO'),
    ('UsaRemitoContado', 'SI'),
    ('EntregaParcialRemito', 'NO');

-- A garment sold by size, colour and sex: medium, blue, for women by default.
INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD, IdFamilia, IdTipo, idrubro, UsaTalle, TalleDefault,
                            ColorDefault, SexoDefault, CuentaProveedor, Costo, PRECIO1) VALUES
    ('                   REM001', 'REMERA ALGODON', '  UN', '04', 'T3', 'R3', 1, 'M', 'AZUL', 'M', 'PROV02', 900, 1500);

INSERT INTO VT_PROVEEDORES (Codigo, RAZON_SOCIAL) VALUES
    ('PROV01', 'Bulonera Rosario S.R.L.'),
    ('PROV02', 'Textil del Sur S.A.');

-- Sales vouchers. Delivery note 15 was invoiced (invoice 40 names it as its
-- origin) though nobody closed it; note 16 was closed by hand but never
-- invoiced; note 17 is open and not invoiced; note 18 is voided. An invoice
-- carries a complement; a work order is still open and another closed; a
-- sales order is open; budget 7 is approved and open, budget 8 was turned
-- into invoice 41, budget 9 waits for approval.
INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IdComplemento, FECHA, CUENTA, Nombre, ANULADA, APROBADO, FINALIZADA, Importe,
                       comentarios, TCORIGEN, COMPROBANTEORIGEN, COMPLEMENTOORIGEN) VALUES
    ('  RM', '000100000015R', 0, '2024-12-02T00:00:00', 'C0001', 'Almacen San Martin', 0, 1, 0, 12060, NULL, NULL, NULL, NULL),
    ('  RM', '000100000016R', 0, '2024-12-03T00:00:00', 'C0002', 'Ferreteria Oroño', 0, 1, 1, 4125, NULL, NULL, NULL, NULL),
    ('  RM', '000100000017R', 0, '2024-12-04T00:00:00', 'C0001', 'Almacen San Martin', 0, 1, 0, 2010, NULL, NULL, NULL, NULL),
    ('  RM', '000100000018R', 0, '2024-12-04T00:00:00', 'C0003', 'Kiosco Pichincha', 1, 1, 0, 550, NULL, NULL, NULL, NULL),
    ('  FC', '000100000040A', 1, '2024-12-05T00:00:00', 'C0001', 'Almacen San Martin', 0, 1, 0, 12060, NULL, '  RM', '000100000015R', 0),
    ('  FC', '000100000041B', 0, '2024-12-06T00:00:00', 'C0002', 'Ferreteria Oroño', 0, 1, 0, 3000, NULL, '  PR', '000100000008X', 0),
    ('  OT', '000100000003X', 2, '2024-12-06T00:00:00', 'C0002', 'Ferreteria Oroño', 0, 1, 0, 18000, NULL, NULL, NULL, NULL),
    ('  OT', '000100000002X', 1, '2024-11-20T00:00:00', 'C0001', 'Almacen San Martin', 0, 1, 1, 9500, NULL, NULL, NULL, NULL),
    ('  NP', '000100000011X', 0, '2024-12-07T00:00:00', 'C0003', 'Kiosco Pichincha', 0, 1, 0, 2750, NULL, NULL, NULL, NULL),
    ('  PR', '000100000007X', 0, '2024-12-01T00:00:00', 'C0001', 'Almacen San Martin', 0, 1, 0, 45000, 'Obra calle Cordoba', NULL, NULL, NULL),
    ('  PR', '000100000008X', 0, '2024-12-02T00:00:00', 'C0002', 'Ferreteria Oroño', 0, 1, 0, 3000, 'Reposicion mostrador', NULL, NULL, NULL),
    ('  PR', '000100000009X', 0, '2024-12-08T00:00:00', 'C0003', 'Kiosco Pichincha', 0, 0, 0, 1200, 'Heladera exhibidora', NULL, NULL, NULL);

-- Purchase vouchers: two purchase orders approved and open (one with a
-- guarantee, one already received), a purchase invoice and a purchase
-- delivery note still open.
INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE, NUMERO, FECHA, CUENTA, NOMBRE, ANULADA, APROBADO, Importe, comentarios, Garantia,
                       FINALIZADO) VALUES
    ('  OC', '000100000021X', '00000021', '2024-11-28T00:00:00', 'PROV01', 'Bulonera Rosario S.R.L.', 0, 1, 8000, 'Tornillos para enero', 0, 0),
    ('  OC', '000100000022X', '00000022', '2024-12-03T00:00:00', 'PROV02', 'Textil del Sur S.A.', 0, 1, 150000, 'Remeras de temporada', 1, 0),
    (' FCC', '000200000310A', '00000310', '2024-12-04T00:00:00', 'PROV01', 'Bulonera Rosario S.R.L.', 0, 1, 8000, NULL, 0, 0),
    (' RMC', '000200000077R', '00000077', '2024-12-04T00:00:00', 'PROV02', 'Textil del Sur S.A.', 0, 1, 0, NULL, 0, 0);

-- Purchase order 21 came in with receiving voucher 0001-00000123-X.
INSERT INTO V_MV_STOCK (TC, IdComprobante, Secuencia, Fecha, IdDeposito, IdArticulo, IdUnidad, Cantidad, Tc_Origen,
                        IdComprobante_Origen) VALUES
    ('  IR', '000100000123X', 1, '2024-12-02T08:30:00', '   1', '                   ART001', '  UN', 120, '  OC',
     '000100000021X');

-- A supplier's credit note, entered as an accounting voucher.
INSERT INTO MV_ASIENTOS (TC, SUCURSAL, NUMERO, LETRA, CUENTA, MES_OPERATIVO, "NUMERO ASIENTO", FECHA, Importe) VALUES
    ('NCPE', '0002', '00000045', 'A', 'PROV01', 12, 310, '2024-12-05T00:00:00', 640);

-- Vouchers sent to a third party for signing, one of them back already.
INSERT INTO V_MV_CPTETERCEROS (IDCOMPROBANTE, IDCOMPLEMENTO, Fecha, FECHAENVIADO, FECHARECIBIDO) VALUES
    ('000100000040A', 1, '2024-12-05T00:00:00', '2024-12-06T00:00:00', '2024-12-09T00:00:00'),
    ('000100000041B', 0, '2024-12-06T00:00:00', '2024-12-07T00:00:00', NULL);

-- The toolkit's opening balances, before the movements of V_MV_STOCK: by lot
-- (the washers and the flour as the receipts brought them, none placed yet;
-- lots right-justified to 25, as the rules look them up) and by unit (the
-- screws also counted in boxes of twelve). The receipt of 120 screws above is
-- a movement of its own, so the central depot's opening holds the other 60
-- (5 boxes): its balance is the 180 the put-away receipts brought.
INSERT INTO STK_SERIES_Y_LOTES (IdArticulo, IDDEPOSITO, NroLote, NroSerie, IdPosicion, CANTIDAD) VALUES
    ('                   ART002', '   1', '                   A-2411', NULL, NULL, 500),
    ('                   ART002', '   1', '                   A-2412', NULL, NULL, 300),
    ('                 INSUMO01', '   1', '                 H2411-01', NULL, NULL, 250),
    ('                 INSUMO01', '   1', '                 H2411-02', NULL, NULL, 250),
    ('                 INSUMO01', '   1', '                 H2411-03', NULL, NULL, 250),
    ('                 INSUMO01', '   1', '                 H2411-04', NULL, NULL, 250),
    ('                 INSUMO01', '   1', '                 H2411-05', NULL, NULL, 250),
    ('                 INSUMO01', '   1', '                 H2411-06', NULL, NULL, 200),
    ('                 INSUMO01', '   1', '                 H2411-07', NULL, NULL, 200),
    ('                 INSUMO01', '   1', '                 H2411-08', NULL, NULL, 200),
    ('                 INSUMO01', '   1', '                 H2411-09', NULL, NULL, 150),
    ('                 INSUMO01', '   1', '                 H2411-10', NULL, NULL, 150),
    ('                 INSUMO01', '   1', '                 H2411-11', NULL, NULL, 100),
    ('                 INSUMO01', '   1', '                 H2412-01', NULL, NULL, 250);
INSERT INTO STK_SALDOS_UNIDADES (IDARTICULO, EQUIVALENCIA, IDDEPOSITO, STOCK) VALUES
    ('                   ART001', '  UN', '   1', 60),
    ('                   ART001', '  CJ', '   1', 5),
    ('                   ART002', '  UN', '   1', 800),
    ('                   ART003', '  UN', '   1', 200),
    ('                 INSUMO01', '  KG', '   1', 2500),
    ('                   ART001', '  UN', '   2', 30),
    ('                   ART001', '  CJ', '   2', 2.5),
    ('                   ART003', '  UN', '   2', 50);

-- Real charges applied to a customer's account, one of them paid.
INSERT INTO V_MV_CargosAplicados (CUENTA, SALDO) VALUES
    ('C0001', 1500),
    ('C0001', 250.5),
    ('C0001', 0),
    ('C0002', 800);

-- Voucher types of the stored vouchers below, with the system each belongs to.
INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, DESCRIPCION, SISTEMA, ES, Letras) VALUES
    ('  FC', 1, 'Factura', 'VENTAS', 'S', 'AB'),
    ('  RM', 1, 'Remito', 'VENTAS', 'S', 'R'),
    ('  NP', 1, 'Nota de Pedido', 'VENTAS', NULL, 'X'),
    ('  OT', 1, 'Orden de Trabajo', 'VENTAS', NULL, 'X'),
    ('  PR', 1, 'Presupuesto', 'VENTAS', NULL, 'X'),
    (' FCC', 1, 'Factura de Compra', 'COMPRAS', 'E', 'AB'),
    (' RMC', 1, 'Remito de Compra', 'COMPRAS', 'E', 'R'),
    ('  OC', 1, 'Orden de Compra', 'COMPRAS', NULL, 'X');

-- The company is a registered VAT payer (letter A or B by the customer).
INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES
    ('CONDIVA', '1');

-- Item families and article types, for the totals of a voucher.
INSERT INTO V_ta_Rubros (IdRubro, Descripcion) VALUES
    ('R1', 'FERRETERIA'),
    ('R2', 'ALMACEN'),
    ('R3', 'INDUMENTARIA');
INSERT INTO V_ta_TipoArticulo (Tipo, Descripcion) VALUES
    ('T1', 'REVENTA'),
    ('T2', 'MATERIA PRIMA'),
    ('T3', 'REVENTA IMPORTADA');

-- An order of the kiosk sent out over delivery runs (IdReparto -1): run 3
-- took 30 of its 50 nuts and all the flour, so 20 nuts are still pending.
INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IdComplemento, FECHA, CUENTA, Nombre, ANULADA, APROBADO, FINALIZADA, Importe,
                       IdReparto, CondicionIVA, TCORIGEN, COMPROBANTEORIGEN, COMPLEMENTOORIGEN) VALUES
    ('  NP', '000100000012X', 0, '2024-12-09T00:00:00', 'C0003', 'Kiosco Pichincha', 0, 1, 0, 675, -1, '5', NULL, NULL, NULL),
    ('  RM', '000100000019R', 0, '2024-12-10T00:00:00', 'C0003', 'Kiosco Pichincha', 0, 1, 0, 565, 3, '5', '  NP',
     '000100000012X', 0);

-- The lines of the stored vouchers: invoice 40 (complement 1) of what note 15
-- delivered, with its freight; the order sent over runs and what run 3
-- delivered of it; work order 3 with its tasks, a part and its materials;
-- the purchase invoice 310 of the screws.
INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IdComplemento, IdArticulo, Descripcion, IdUnidad, Cantidad,
                              IdUnidadBase, cantidadud, Importe, Exento, PorcDto, Costo, Importe_S_IVA, Impuestos, Total,
                              Nro_Lote, Nro_Serie, AlicIVA) VALUES
    ('  RM', '000100000015R', 0, '                   ART001', 'TORNILLO 3/8', '  UN', 100, '  UN', 100, 100.5, 0, 0, 80,
     83.06, 0, 10050, NULL, NULL, 21),
    ('  RM', '000100000015R', 0, '                   ART002', 'ARANDELA PLANA', '  UN', 120, '  UN', 120, 8.25, 0, 0, 5,
     6.82, 0, 990, '|L240|', '|120|', 21),
    ('  FC', '000100000040A', 1, '                   ART001', 'TORNILLO 3/8', '  UN', 100, '  UN', 100, 100.5, 0, 0, 80,
     83.06, 0, 10050, NULL, NULL, 21),
    ('  FC', '000100000040A', 1, '                   ART002', 'ARANDELA PLANA', '  UN', 120, '  UN', 120, 8.25, 0, 0, 5,
     6.82, 0, 990, '|L240|', '|120|', 21),
    ('  NP', '000100000012X', 0, '                   ART003', 'TUERCA HEXAGONAL 3/8', '  UN', 50, '  UN', 50, 5.5, 0, 0,
     3, 4.55, 0, 275, NULL, NULL, 21),
    ('  NP', '000100000012X', 0, '                 INSUMO01', 'HARINA', '  KG', 20, '  KG', 20, 20, 0, 0, 12.5, 16.53, 0,
     400, NULL, NULL, 21),
    ('  RM', '000100000019R', 0, '                   ART003', 'TUERCA HEXAGONAL 3/8', '  UN', 30, '  UN', 30, 5.5, 0, 0,
     3, 4.55, 0, 165, NULL, NULL, 21),
    ('  RM', '000100000019R', 0, '                 INSUMO01', 'HARINA', '  KG', 20, '  KG', 20, 20, 0, 0, 12.5, 16.53, 0,
     400, NULL, NULL, 21),
    ('  OT', '000100000003X', 2, '                   ART003', 'TUERCA HEXAGONAL 3/8', '  UN', 24, '  UN', 24, 5.5, 0, 0,
     3, 4.55, 0, 132, NULL, NULL, 21);
INSERT INTO V_MV_CPTETAREAS (TC, IDCOMPROBANTE, IdComplemento, IdTarea, Descripcion, Horas, ValorHora, ValorHora_S_IVA,
                             Total, DescripcionAdicional, FechaEstInicio, FechaEstFin, IdTecnico) VALUES
    ('  OT', '000100000003X', 2, 'AR01', 'Armado de estanterias', 150, 6000, 4958.68, 15000, 'Dos modulos de 2 m',
     '2024-12-09T08:00:00', '2024-12-09T10:30:00', 'TEC01'),
    ('  OT', '000100000003X', 2, 'PI01', 'Pintura', 90, 1908, 1576.86, 2862, NULL, NULL, NULL, 'TEC02');
INSERT INTO V_MV_CPTE_Observ (TC, IDCOMPROBANTE, IdComplemento, TIPO_OBS, Observacion, Importe, Importe_S_IVA) VALUES
    ('  FC', '000100000040A', 1, 'OC', 'Flete a domicilio', 1210, 1000),
    ('  OT', '000100000003X', 2, 'OC', 'Materiales varios', 6, 4.96),
    ('  OT', '000100000003X', 2, 'OB', 'Coordinar acceso con el encargado', NULL, NULL);
INSERT INTO C_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, CUENTA, IdArticulo, Descripcion, IdUnidad, Cantidad, IdUnidadBase,
                              cantidadud, Importe, Exento, PorcDto, Costo, Importe_S_IVA, Impuestos, Total, AlicIVA) VALUES
    (' FCC', '000200000310A', 'PROV01', '                   ART001', 'TORNILLO 3/8', '  UN', 100, '  UN', 100, 80, 0, 0, 80,
     66.12, 0, 8000, 21);

-- ==== end of demo data ===================================================
