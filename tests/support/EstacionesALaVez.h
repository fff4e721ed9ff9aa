#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// Stations that share a database file, each in a process of its own, made
// to start side by side: every station is started (`programa` with its own
// arguments, a mark file added as the last one) while the test holds the
// file's write lock, and the lock is let go once every station has created
// its mark, that is, once each is ready and waiting for the database.
// Each station must end within `esperaMs` with exit code 0 (a failure of the
// test otherwise, naming the station and what it wrote). Gives what each one
// wrote on its standard output, in the order given.
std::vector<QString> CorreEstacionesALaVez(const QString& archivo, const QString& programa,
                                           const std::vector<QStringList>& argumentos, int esperaMs = 120000);
