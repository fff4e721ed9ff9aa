#pragma once

#include "platform/Currency.h"

#include <QString>
#include <QVariant>

class QWidget;
class RuntimeError;

// The framework's general utilities: justification, character stripping and
// replacing, null-safe values, text-to-number conversions, the error dialog,
// and the cipher of the credentials kept in the station settings file.
class KumozenUtilidades {
public:
    // The first `largo` characters; a negative length fails (invalid call).
    QString RecortaTexto(const QString& texto, int largo) const;

    // The amount a text holds, fixed point with four decimals: "." or "," as
    // decimal sign, blank or non-numeric text gives 0.
    Currency TextoAMoneda(const QString& texto) const;
    Currency TextoAMoneda(const QVariant& valor) const;
    // The same reading, as a 32-bit integer (rounded, halves to even) and as a double.
    qint32 TextoALong(const QString& texto) const;
    double TextoADoble(const QString& texto) const;

    // The value, with the database Null turned into an empty text (which
    // reads and adds as 0).
    QVariant ValorNoNulo(const QVariant& valor) const;

    // Number of words (runs of characters between blanks, tabs and line ends).
    int CuentaPalabras(const QString& texto) const;

    // The text without any occurrence of the given characters (each argument
    // may hold several; an empty one removes nothing).
    QString QuitaCaracteres(const QString& texto, const QString& c1, const QString& c2 = {},
                            const QString& c3 = {}) const;

    // Every occurrence replaced (case counts; an empty search text changes nothing).
    QString ReemplazaTexto(const QString& texto, const QString& buscado, const QString& nuevo) const;
    QString ReemplazaCadena(const QString& texto, const QString& buscado, const QString& nuevo) const;

    // Adjusts a dialog at its load (keeps it on the screen); nothing is read back.
    void AjustaFormulario(QWidget* formulario, int modo = 0) const;

    // Right-justified to `ancho` characters with blanks on the left; a longer
    // text comes back unchanged.
    QString AlineaDerecha(const QString& texto, int ancho) const;

    // The framework's error dialog; returns 4 (retry), 5 (go on) or another
    // number (leave).
    int MuestraError(const RuntimeError& err, const QVariant& opcional = {}, const QString& origen = {}) const;

    // Reversible cipher for the credentials in the station settings file; the
    // enciphered text holds only letters and digits.
    QString Encripta(const QString& texto) const;
    QString Desencripta(const QString& texto) const;

    // The path with a trailing folder separator.
    QString AgregaBarra(const QString& ruta) const;
};
