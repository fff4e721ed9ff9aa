#pragma once

#include "core/DB_Dll.h"
#include "platform/db/Connection.h"
#include "platform/db/RowSet.h"

#include <QStringList>
#include <functional>

// A connection that records what the program sends instead of sending it:
// install it with ObjDB().setConnection(...) to check SQL texts exactly.
// Open succeeds and keeps the string; Execute records the statement;
// a recordset opens on the rows `rowsFor` gives (by default one column,
// no row), after its source was recorded.
class RecordingConnection : public db::Connection {
public:
    // A fresh ObjDB() on a recording connection; the pointer stays valid
    // until ObjDB() is released.
    static RecordingConnection* installInObjDB()
    {
        releaseObjDB();
        auto recording = std::make_unique<RecordingConnection>();
        RecordingConnection* cn = recording.get();
        ObjDB().setConnection(std::move(recording));
        return cn;
    }

    QStringList opened;    // connection strings given to Open
    QStringList executed;  // statements given to Execute
    QStringList read;      // sources recordsets were opened on
    std::function<std::unique_ptr<db::RowSet>(const QString&)> rowsFor;

    void Open(const QString& connectionString, const QString& = {}, const QString& = {}, int = -1) override
    {
        opened << connectionString;
        setConnectionString(connectionString);
        m_open = true;
    }
    void Close() override { m_open = false; }
    int State() const override { return m_open ? db::state::Open : db::state::Closed; }
    void Execute(const QString& sql, long* recordsAffected = nullptr, int = -1) override
    {
        executed << sql;
        if (recordsAffected)
            *recordsAffected = 0;
    }

protected:
    std::unique_ptr<db::RowSet> openRows(const QString& source) override
    {
        read << source;
        if (rowsFor)
            return rowsFor(source);
        auto rows = std::make_unique<db::RowSet>();
        rows->columns.push_back({QStringLiteral("COLUMNA"), db::type::VarChar, 50, false});
        return rows;
    }

private:
    bool m_open = false;
};
