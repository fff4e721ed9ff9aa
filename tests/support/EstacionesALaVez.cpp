#include "EstacionesALaVez.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>
#include <sqlite3.h>

std::vector<QString> CorreEstacionesALaVez(const QString& archivo, const QString& programa,
                                           const std::vector<QStringList>& argumentos, int esperaMs)
{
    sqlite3* bloqueo = nullptr;
    EXPECT_EQ(sqlite3_open(archivo.toUtf8().constData(), &bloqueo), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(bloqueo, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);

    QTemporaryDir marcas;
    std::vector<std::unique_ptr<QProcess>> procesos;
    for (std::size_t s = 0; s < argumentos.size(); ++s) {
        auto p = std::make_unique<QProcess>();
        p->start(programa, QStringList(argumentos[s]) << marcas.filePath(QString::number(s)));
        EXPECT_TRUE(p->waitForStarted(10000)) << "station " << s;
        procesos.push_back(std::move(p));
    }
    for (int espera = 0; espera < 400; ++espera) {
        bool listas = true;
        for (std::size_t s = 0; s < procesos.size(); ++s)
            listas = listas && QFile::exists(marcas.filePath(QString::number(s)));
        if (listas)
            break;
        QThread::msleep(50);
    }
    QThread::msleep(200);
    EXPECT_EQ(sqlite3_exec(bloqueo, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(bloqueo);

    std::vector<QString> salidas;
    for (std::size_t s = 0; s < procesos.size(); ++s) {
        QProcess& p = *procesos[s];
        EXPECT_TRUE(p.waitForFinished(esperaMs)) << "station " << s;
        salidas.push_back(QString::fromUtf8(p.readAllStandardOutput()));
        EXPECT_EQ(p.exitCode(), 0) << "station " << s << ": " << salidas.back().toStdString()
                                   << p.readAllStandardError().toStdString();
    }
    return salidas;
}
