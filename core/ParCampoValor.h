#pragma once

#include <QString>

// A pair of texts: a column name or key, and a value or expression. Arrays of
// it carry the columns and SQL literals of one INSERT, the grouping keys and
// quantities of the voucher totaliser, and the paged grid's column aliases.
struct ParCampoValor {
    QString NombreCampo;
    QString ValorCampo;

    friend bool operator==(const ParCampoValor&, const ParCampoValor&) = default;
};
