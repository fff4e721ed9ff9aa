#pragma once

#include <QString>
#include <vector>

// SQL Server text taken apart into the code and the parts whose characters
// are data or names: string literals ('...', '' inside), quoted names
// ("...", "" inside) and bracketed names ([...], ]] inside). A literal or a
// name that is never closed runs to the end of the text.
class SqlText {
public:
    enum class Kind { Code, Literal, QuotedName, BracketName };

    struct Segment {
        Kind kind;
        qsizetype start;
        qsizetype length;
    };

    // A word of the code (letters, digits, "_", "@", "#", "$"), with the
    // number of parentheses open where it stands.
    struct Word {
        QString text;
        qsizetype start;
        int depth;
    };

    static std::vector<Segment> segments(const QString& sql);
    static std::vector<Word> words(const QString& sql);

    // The index just past the literal or name that opens at `from`.
    static qsizetype endOfQuoted(const QString& sql, qsizetype from);

    // Every occurrence in the code, compared without regard to case.
    static QString replaceInCode(const QString& sql, const QString& before, const QString& after);
    // The first occurrence in the code, without regard to case; -1 when there is none.
    static qsizetype indexInCode(const QString& sql, const QString& needle);

    // Upper case everywhere but inside string literals.
    static QString upperOutsideLiterals(const QString& sql);

    // Without the blanks at either end (blanks only, as the rewrite counts them).
    static QString trimBlanks(const QString& text);
};
