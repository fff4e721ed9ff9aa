#include "DB_Dll.h"

namespace {
std::unique_ptr<DB_Dll> g_objDB;
}

DB_Dll& ObjDB()
{
    if (!g_objDB)
        g_objDB = std::make_unique<DB_Dll>();
    return *g_objDB;
}

void releaseObjDB()
{
    g_objDB.reset();
}

DB_Dll::DB_Dll() = default;
DB_Dll::~DB_Dll() = default;

db::Connection& DB_Dll::gCnn()
{
    if (!m_cnn)
        m_cnn = std::make_unique<db::Connection>();
    return *m_cnn;
}

void DB_Dll::setConnection(std::unique_ptr<db::Connection> connection)
{
    m_cnn = std::move(connection);
}
