#pragma once

// The floor of the dialogs' benchmarks: the statements a load sent, already
// in SQLite's dialect, prepared once on the same handle and stepped through
// every row, with the columns the dialog reads handed on as Qt values and
// text read as UTF-8, as the data layer reads it.

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <sqlite3.h>
#include <vector>

// A statement of the floor, prepared once, and the columns it hands on.
struct Sentencia {
    sqlite3_stmt* st = nullptr;
    std::vector<int> columnas;
};

// Prepares the statement; `leidas` names the columns the dialog reads (none
// named: all of them).
inline Sentencia prepara(sqlite3* db, const QString& sql, const QStringList& leidas)
{
    Sentencia s;
    if (sqlite3_prepare16_v2(db, sql.utf16(), static_cast<int>(sql.size() * 2), &s.st, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "floor: %s\n%s\n", sqlite3_errmsg(db), qPrintable(sql));
        std::abort();
    }
    for (int c = 0; c < sqlite3_column_count(s.st); ++c)
        if (leidas.isEmpty() || leidas.contains(QString::fromUtf8(sqlite3_column_name(s.st, c)), Qt::CaseInsensitive))
            s.columnas.push_back(c);
    return s;
}

// The statements as SQLite runs them, timed straight on the handle.
inline qint64 piso(const std::vector<Sentencia>& sentencias)
{
    QElapsedTimer t;
    t.start();
    qint64 leidos = 0;
    QVariant valor;
    for (const Sentencia& s : sentencias) {
        sqlite3_reset(s.st);
        while (sqlite3_step(s.st) == SQLITE_ROW)
            for (int c : s.columnas) {
                switch (sqlite3_column_type(s.st, c)) {
                case SQLITE_INTEGER: valor = QVariant(static_cast<qlonglong>(sqlite3_column_int64(s.st, c))); break;
                case SQLITE_FLOAT: valor = QVariant(sqlite3_column_double(s.st, c)); break;
                case SQLITE_NULL: valor = QVariant(); break;
                default:
                    valor = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s.st, c)),
                                              sqlite3_column_bytes(s.st, c));
                    break;
                }
                leidos += valor.isValid() ? 1 : 0;
            }
    }
    benchmark::DoNotOptimize(leidos);
    return t.nsecsElapsed();
}
