// The program installed where its user cannot write, as a package under /usr
// or /opt is: it starts with no error box, keeps the files it writes in the
// user's own data folder and still reads the files shipped beside it.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Root writes wherever it likes: a test run as root (as CI runs) starts the
// program as "nobody", who meets the folder's permissions as a clerk would.
constexpr uid_t kNadie = 65534;

// A folder tree that the user who runs the program owns.
struct Instalacion {
    QTemporaryDir raiz;
    const bool comoRoot = geteuid() == 0;
    QString programa = raiz.filePath(QStringLiteral("programa"));
    QString datos = raiz.filePath(QStringLiteral("datos"));
    QString casa = raiz.filePath(QStringLiteral("casa"));
    QString base = raiz.filePath(QStringLiteral("base/demo.db"));

    Instalacion()
    {
        for (const char* carpeta : {"programa", "datos", "casa", "casa/run", "base"})
            QDir(raiz.path()).mkpath(QString::fromLatin1(carpeta));
        EXPECT_TRUE(QFile::copy(QStringLiteral(PROGRAMA), programa + QStringLiteral("/AsignacionPosiciones")));
        EXPECT_EQ(QProcess::execute(QStringLiteral(CREA_BASE_DEMO), {base}), 0);
        ::chmod(raiz.path().toLocal8Bit().constData(), 0755);
        ::chmod((casa + QStringLiteral("/run")).toLocal8Bit().constData(), 0700);
        if (comoRoot) {
            for (const QString& p : {raiz.path(), datos, casa, casa + QStringLiteral("/run"), base,
                                     raiz.filePath(QStringLiteral("base"))})
                EXPECT_EQ(::chown(p.toLocal8Bit().constData(), kNadie, kNadie), 0) << p.toStdString();
        }
    }

    // The program's folder: read and run, never written.
    void soloLectura() { ::chmod(programa.toLocal8Bit().constData(), 0555); }

    // Starts `comando` as the program's user, with the environment of a
    // clerk's session whose data folder is `datos`.
    void arranca(QProcess& p, const QString& comando, const QStringList& argumentos) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("APP_BENCH_SALIR_AL_MOSTRAR"), QStringLiteral("1"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), datos);
        env.insert(QStringLiteral("HOME"), casa);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), casa + QStringLiteral("/.config"));
        env.insert(QStringLiteral("XDG_CACHE_HOME"), casa + QStringLiteral("/.cache"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), casa + QStringLiteral("/run"));
        p.setProcessEnvironment(env);
        if (comoRoot)
            p.start(QStringLiteral("setpriv"), QStringList({QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                                            QStringLiteral("--clear-groups"), QStringLiteral("--"), comando})
                                                   + argumentos);
        else
            p.start(comando, argumentos);
    }

    // Whether the program's user can create a file in the folder.
    bool puedeEscribirEn(const QString& carpeta) const
    {
        QProcess p;
        arranca(p, QStringLiteral("/bin/sh"),
                {QStringLiteral("-c"), QStringLiteral(": > \"$1/prueba\" && rm \"$1/prueba\""), QStringLiteral("sh"), carpeta});
        return p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }
};

QByteArray lee(const QString& ruta)
{
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST(ProgramaInstalado, StartsFromAFolderItsUserCannotWriteAndWritesItsFilesInTheUsersDataFolder)
{
    const struct {
        const char* caso;
        QByteArray consultasEnviadas;  // a lookup file shipped beside the program; none when empty
    } casos[] = {
        {"nothing shipped beside it", {}},
        {"a lookup file shipped beside it", QByteArray(1202, ' ')},
    };
    for (const auto& c : casos) {
        Instalacion i;
        const QString enviadas = i.programa + QStringLiteral("/consultas.vtl");
        if (!c.consultasEnviadas.isEmpty()) {
            QFile f(enviadas);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.consultasEnviadas);
        }
        i.soloLectura();
        ASSERT_FALSE(i.puedeEscribirEn(i.programa)) << c.caso << ": the program's folder must be closed to its user";
        ASSERT_TRUE(i.puedeEscribirEn(i.datos)) << c.caso;

        QProcess p;
        i.arranca(p, i.programa + QStringLiteral("/AsignacionPosiciones"),
                  {QStringLiteral("@Server=(sqlite);@DbName=%1;@Usuario=ana;@Password=;@DEPOSITO=1;").arg(i.base)});
        ASSERT_TRUE(p.waitForStarted(10000)) << c.caso;
        if (!p.waitForFinished(30000)) {
            p.kill();
            p.waitForFinished();
            ADD_FAILURE() << c.caso << ": the window never showed; a box waits for an answer at start-up";
            continue;
        }
        const QString salida = QString::fromLocal8Bit(p.readAllStandardError());
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << c.caso << salida.toStdString();
        EXPECT_EQ(p.exitCode(), 0) << c.caso << salida.toStdString();
        EXPECT_TRUE(salida.contains(QStringLiteral("MOSTRADA"))) << c.caso << salida.toStdString();

        const QString escritas = i.datos + QStringLiteral("/AsignacionPosiciones/consultas.vtl");
        if (c.consultasEnviadas.isEmpty()) {
            EXPECT_EQ(lee(escritas).size(), 9616) << c.caso << ": the default lookups, in the data folder";
        } else {
            EXPECT_FALSE(QFile::exists(escritas)) << c.caso << ": the shipped file is the one read";
            EXPECT_EQ(lee(enviadas), c.consultasEnviadas) << c.caso;
        }
        const QStringList enPrograma =
            QDir(i.programa).entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
        EXPECT_EQ(enPrograma.size(), c.consultasEnviadas.isEmpty() ? 1 : 2) << c.caso << enPrograma.join(u' ').toStdString();
    }
}
