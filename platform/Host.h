#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// Facts about the machine and the process that the program reads: who and
// where it runs, its command line, the clock and the regional settings.
// Tests install their own values.
class Host {
public:
    virtual ~Host() = default;

    virtual QString computerName() const = 0;
    virtual QString workstationUser() const = 0;
    // The program's own folder, without a trailing separator.
    virtual QString programFolder() const = 0;
    // The user's own folder for this program's files, without a trailing
    // separator: $XDG_DATA_HOME (by default ~/.local/share) and the
    // application's name. It may not exist yet.
    virtual QString userDataFolder() const = 0;
    // Whether the process can create a file in the folder. Tried, not read
    // from the permissions: a read-only file system, an access list or root's
    // privileges all answer here as they will when the program writes.
    virtual bool canCreateFilesIn(const QString& folder) const;
    // The executable's name without folder and extension.
    virtual QString executableName() const = 0;
    // The parameter text of the command line: everything after the program's name.
    virtual QString commandLine() const = 0;
    virtual QDateTime now() const = 0;
    // Regional number of fractional digits of currency amounts.
    virtual int currencyDigits() const = 0;
    // Regional decimal sign.
    virtual QChar decimalSign() const = 0;
};

Host& host();
// Installs an implementation (not owned); nullptr restores the system one.
void setHost(Host* h);

// The real machine: Qt's view of the process and the C locale settings.
class SystemHost : public Host {
public:
    QString computerName() const override;
    QString workstationUser() const override;
    QString programFolder() const override;
    QString userDataFolder() const override;
    QString executableName() const override;
    QString commandLine() const override;
    QDateTime now() const override;
    int currencyDigits() const override;
    QChar decimalSign() const override;
};

// Settable facts, for tests and for tools that run the program's routines
// outside the program.
class FixedHost : public Host {
public:
    QString computer = QStringLiteral("PC01");
    QString user = QStringLiteral("juan");
    QString folder = QStringLiteral("/tmp");
    QString dataFolder = QStringLiteral("/tmp/AsignacionPosiciones");
    // Folders that answer as if nothing could be written in them, whoever
    // runs the test (root writes anywhere).
    QStringList readOnlyFolders;
    QString executable = QStringLiteral("AsignacionPosiciones");
    QString parameters;
    QDateTime clock = QDateTime(QDate(2024, 12, 10), QTime(14, 5));
    int digits = 2;
    QChar decimal = u'.';

    QString computerName() const override { return computer; }
    QString workstationUser() const override { return user; }
    QString programFolder() const override { return folder; }
    QString userDataFolder() const override { return dataFolder; }
    bool canCreateFilesIn(const QString& f) const override;
    QString executableName() const override { return executable; }
    QString commandLine() const override { return parameters; }
    QDateTime now() const override { return clock; }
    int currencyDigits() const override { return digits; }
    QChar decimalSign() const override { return decimal; }
};
