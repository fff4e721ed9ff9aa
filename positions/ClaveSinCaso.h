#pragma once

#include <QHash>
#include <QString>

// A position code as a key that ignores letter case, as the server compares
// codes. Codes are hashed and compared without a folded copy of each: a depot
// of thousands of positions would otherwise make one for every code it
// looks up. Codes that are not all ASCII fall back on the folded copy.
struct ClaveSinCaso {
    QString texto;
};

namespace clave_sin_caso {

inline bool esAscii(const QString& s)
{
    for (const QChar c : s)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

inline char16_t minuscula(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
}

}  // namespace clave_sin_caso

inline bool operator==(const ClaveSinCaso& a, const ClaveSinCaso& b)
{
    using namespace clave_sin_caso;
    if (!esAscii(a.texto) || !esAscii(b.texto))
        return a.texto.toCaseFolded() == b.texto.toCaseFolded();
    if (a.texto.size() != b.texto.size())
        return false;
    for (qsizetype i = 0; i < a.texto.size(); ++i)
        if (minuscula(a.texto[i].unicode()) != minuscula(b.texto[i].unicode()))
            return false;
    return true;
}

// The same value for every code equal to it: ASCII in lower case, any other
// code by its folded copy (which may be ASCII: the Kelvin sign folds to "k").
inline size_t qHash(const ClaveSinCaso& k, size_t seed = 0) noexcept
{
    using namespace clave_sin_caso;
    const QString texto = esAscii(k.texto) ? k.texto : k.texto.toCaseFolded();
    // FNV-1a over the code in lower case, mixed with the seed.
    size_t h = 1469598103934665603ULL ^ seed;
    for (const QChar c : texto) {
        h ^= minuscula(c.unicode());
        h *= 1099511628211ULL;
    }
    return h;
}
