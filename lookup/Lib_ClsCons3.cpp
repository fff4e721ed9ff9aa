#include "Lib_ClsCons3.h"

#include "ConsultaSql.h"
#include "MascaraConsulta.h"
#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "platform/ErrorTrap.h"
#include "platform/Prompts.h"

#include <QFileInfo>

Lib_ClsCons3::Lib_ClsCons3(std::unique_ptr<FabricaDialogosConsulta> dialogos) : m_dialogos(std::move(dialogos)) {}

Lib_ClsCons3& ObjConsultas()
{
    static Lib_ClsCons3 facade;
    return facade;
}

void Lib_ClsCons3::ConsultaSearch(const QString& Sql, KeyedCollection* cmpsDevueltos, const QString& Clave,
                                  QString* campoBusquedaArg, const QString& Where,
                                  const QString& SentenciaOpcional, bool TreeView, const QString& ValoresDefault)
{
    QString campoBusqueda = campoBusquedaArg ? *campoBusquedaArg : QString();
    QString query;
    int limite = 1000;
    const ErrorTrap quieto = ErrorTrap::skipping();

    quieto.run({[&] { limite = consulta::LimiteFilas(Cfg(QStringLiteral("TopConsArt"))); }});

    if (consulta::EsSentencia(Sql)) {
        query = consulta::ConVistaDeArticulos(Sql);
    } else {
        std::optional<MascaraConsulta> mascara;
        if (gUsarMascarasConsultas)
            mascara = BuscaMascaraConsulta(gRutaMascaraConsultas, Sql);
        if (mascara) {
            const consulta::Armado armado = consulta::DesdeMascara(*mascara, limite, campoBusqueda, Where);
            if (armado.FaltaConfigurar) {
                prompts().messageBox(QStringLiteral("Debe configurar la consulta para esta tabla"),
                                     prompt::OkOnly | prompt::Information, QStringLiteral("Aviso al operador"));
                // The caller copies ValorDevuelto into its field after every
                // lookup: an unconfigured lookup picks nothing.
                ValorDevuelto = QString();
                return;
            }
            query = armado.Sql;
            campoBusqueda = armado.CampoBusqueda;
        } else if (!SentenciaOpcional.isEmpty()) {
            query = SentenciaOpcional;
        } else {
            const consulta::Armado armado = consulta::DesdeColumnas(Sql, ColumnasDe(Sql), limite, campoBusqueda);
            query = armado.Sql;
            campoBusqueda = armado.CampoBusqueda;
        }
    }
    if (campoBusquedaArg)
        *campoBusquedaArg = campoBusqueda;

    quieto.run({[&] {
        if (TreeView)
            MuestraArbol(query);
        else
            MuestraLista(query, cmpsDevueltos, Clave, campoBusqueda, ValoresDefault);
    }});

    CampoDevuelto.clear();
    if (cmpsDevueltos)
        cmpsDevueltos->Clear();
}

QStringList Lib_ClsCons3::ColumnasDe(const QString& tabla)
{
    QStringList columnas;
    db::Recordset sondeo;
    ErrorTrap::skipping().run({
        [&] { ObjDB().AbrirRecordset(consulta::SondeoColumnas(tabla), sondeo); },
        [&] {
            for (int i = 0; i < sondeo.FieldCount(); ++i)
                columnas << sondeo.field(i).Name();
        },
        [&] { ObjDB().CierraRecordset(sondeo); },
    });
    return columnas;
}

void Lib_ClsCons3::MuestraArbol(const QString& consulta)
{
    std::unique_ptr<ConsultaDialogo> arbol = m_dialogos->NuevoArbol();
    arbol->Sql = consulta;
    arbol->CampoDevuelto = CampoDevuelto;
    arbol->Muestra();
    ValorDevuelto = arbol->ValorDevuelto;
}

void Lib_ClsCons3::MuestraLista(const QString& consulta, const KeyedCollection* cmps, const QString& clave,
                                const QString& campoBusqueda, const QString& valoresDefault)
{
    std::unique_ptr<ConsultaListaDialogo> lista = m_dialogos->NuevaLista();
    lista->OrdenarPorLwv = !consulta.contains(QStringLiteral("ORDER BY"), Qt::CaseInsensitive);
    lista->FiltroInicial = clave;
    lista->CampoBusqueda = campoBusqueda;
    lista->Sql = consulta;
    lista->gConnString = gConnString;
    lista->CampoDevuelto = CampoDevuelto;
    lista->CheckBoxes = Checks;
    lista->UsaCantidades = UsaCantidades;
    lista->ValoresDefault = valoresDefault;
    Valores.reset();
    Cantidades.reset();
    lista->CmpsDevueltos = cmps;
    lista->Valores.reset();
    lista->Cantidades.reset();

    lista->Muestra();

    Checks = false;
    Valores = std::move(lista->Valores);
    Cantidades = std::move(lista->Cantidades);
    ValorDevuelto = lista->ValorDevuelto;
}
