#include "ArchivoConsultas.h"

#include "CarpetasPrograma.h"
#include "Globals.h"

#include "platform/RuntimeError.h"

#include <QFile>
#include <array>

namespace {

// The characters of Windows-1252 at 0x80..0x9F; 0 marks the five unused codes.
constexpr std::array<char16_t, 32> kCp1252Alto = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

char aCp1252(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<char>(u);
    for (std::size_t i = 0; i < kCp1252Alto.size(); ++i)
        if (kCp1252Alto[i] == u)
            return static_cast<char>(0x80 + i);
    return '?';
}

QChar deCp1252(char b)
{
    const auto u = static_cast<unsigned char>(b);
    if (u >= 0x80 && u < 0xA0 && kCp1252Alto[u - 0x80] != 0)
        return QChar(kCp1252Alto[u - 0x80]);
    return QChar(u);
}

// One field: the text cut at the width, padded with blanks.
QByteArray campo(const QString& texto, int ancho)
{
    QByteArray out(ancho, ' ');
    const qsizetype n = std::min<qsizetype>(texto.size(), ancho);
    for (qsizetype i = 0; i < n; ++i)
        out[i] = aCp1252(texto[i]);
    return out;
}

QString texto(const QByteArray& registro, int desde, int ancho)
{
    QString out;
    const qsizetype hasta = std::min<qsizetype>(registro.size(), desde + ancho);
    for (qsizetype i = desde; i < hasta; ++i)
        out += deCp1252(registro[i]);
    return out;
}

struct Predeterminada {
    const char* titulo;
    const char* tabla;
    const char* campos;
};

// "TECNICOS" stands twice in the files the family has always written; readers
// take the first.
constexpr std::array<Predeterminada, 8> kPredeterminadas = {{
    {"ARTICULOS", "V_MA_ARTICULOS", "|DESCRIPCION|IDARTICULO|"},
    {"CLIENTES", "VT_CLIENTES", "|RAZON_SOCIAL|CODIGO|CONTACTO|"},
    {"PROVEEDORES", "VT_PROVEEDORES", "|RAZON_SOCIAL|CODIGO|"},
    {"CONTACTOS", "MA_CONTACTOS", "|Nombre_y_Apellido|Domicilio|Localidad|Telefono|"},
    {"VENDEDORES", "V_TA_VENDEDORES", "|NOMBRE|IDVENDEDOR|"},
    {"TECNICOS", "V_TA_TECNICOS", "|NOMBRE|IDTECNICO|"},
    {"TECNICOS", "V_TA_TECNICOS", "|NOMBRE|IDTECNICO|"},
    {"MANTENIMIENTOS", "V_MA_MANTENIMIENTOS", "|DESCRIPCION|CODIGO|"},
}};

}  // namespace

QByteArray MascaraConsulta::Registro() const
{
    QByteArray out;
    out.reserve(Largo);
    out += campo(Titulo, AnchoTitulo);
    out += campo(Tabla, AnchoTabla);
    out += campo(Campos, AnchoCampos);
    out += campo(Condicion, AnchoCondicion);
    out += "\r\n";
    return out;
}

MascaraConsulta MascaraConsulta::DeRegistro(const QByteArray& registro)
{
    MascaraConsulta m;
    m.Titulo = texto(registro, 0, AnchoTitulo);
    m.Tabla = texto(registro, AnchoTitulo, AnchoTabla);
    m.Campos = texto(registro, AnchoTitulo + AnchoTabla, AnchoCampos);
    m.Condicion = texto(registro, AnchoTitulo + AnchoTabla + AnchoCampos, AnchoCondicion);
    return m;
}

void CreaArchivoConsultas()
{
    QFile archivo(RutaMascaraConsultas);
    if (!CreaCarpetaDe(RutaMascaraConsultas) || !archivo.open(QIODevice::ReadWrite))
        throw RuntimeError(75, QStringLiteral("Error de acceso a la ruta o el archivo: %1").arg(RutaMascaraConsultas),
                           QStringLiteral("CreaArchivoConsultas"));
    for (const auto& p : kPredeterminadas) {
        MascaraConsulta m;
        m.Titulo = QString::fromLatin1(p.titulo).trimmed();
        m.Tabla = QString::fromLatin1(p.tabla);
        m.Campos = QString::fromLatin1(p.campos).trimmed();
        // Each row goes after the last whole record.
        const qint64 numero = archivo.size() / MascaraConsulta::Largo;
        if (!archivo.seek(numero * MascaraConsulta::Largo)
            || archivo.write(m.Registro()) != MascaraConsulta::Largo)
            throw RuntimeError(75, archivo.errorString(), QStringLiteral("CreaArchivoConsultas"));
    }
    archivo.close();
}
