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

-- ==== rules ==============================================================


-- ==== lookups ============================================================

-- Families of two, four and six characters per level.
INSERT INTO V_TA_FAMILIAS (IDFAMILIA, DESCRIPCION) VALUES
    ('01', 'BEBIDAS'),
    ('0101', 'GASEOSAS'),
    ('010101', 'COLAS'),
    ('0102', 'AGUAS'),
    ('02', 'ALMACEN'),
    ('0201', 'HARINAS'),
    ('0202', 'ACEITES'),
    ('03', 'LIMPIEZA');


-- ==== positions ==========================================================


-- ==== end of demo data ===================================================
