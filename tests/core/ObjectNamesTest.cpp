#include "core/DB_Dll.h"
#include "platform/RuntimeError.h"
#include "tests/support/QtPrinting.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

using Routine = QString (DB_Dll::*)(QString&);

struct Case {
    const char* name;
    Routine routine;
    const char* in;
    const char* out;
    const char* argumentAfter;  // nullptr: the argument is left as it was
};

void expectInvalidCall(const char* name, const std::function<void()>& call)
{
    try {
        call();
        ADD_FAILURE() << name << ": no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), errnum::InvalidProcedureCall) << name;
    }
}

}  // namespace

TEST(ObjectNames, TakeNamesApartAndDressThemUp)
{
    const Case cases[] = {
        {"AddBrackets, blank inside", &DB_Dll::AddBrackets, "my table", "[my table]", nullptr},
        {"AddBrackets, already bracketed", &DB_Dll::AddBrackets, "[my table", "[my table", nullptr},
        {"AddBrackets, no blank", &DB_Dll::AddBrackets, "mytable", "mytable", nullptr},
        {"AddBrackets, empty", &DB_Dll::AddBrackets, "", "", nullptr},
        {"StripConnect, blank before the arrow", &DB_Dll::StripConnect, "table ->source", "table", nullptr},
        {"StripConnect, no blank", &DB_Dll::StripConnect, "table->source", "tabl", nullptr},
        {"StripConnect, one character before the arrow", &DB_Dll::StripConnect, "t->s", "", nullptr},
        {"StripConnect, no arrow", &DB_Dll::StripConnect, "table", "table", nullptr},
        {"StripBrackets, bracketed", &DB_Dll::StripBrackets, "[my table]", "my table", nullptr},
        {"StripBrackets, not closed", &DB_Dll::StripBrackets, "[abc", "ab", nullptr},
        {"StripBrackets, empty brackets", &DB_Dll::StripBrackets, "[]", "", nullptr},
        {"StripBrackets, not bracketed", &DB_Dll::StripBrackets, "abc]", "abc]", nullptr},
        {"StripBrackets, empty", &DB_Dll::StripBrackets, "", "", nullptr},
        {"StripOwner, owner.table", &DB_Dll::StripOwner, "owner.table", "table", "table"},
        {"StripOwner, three parts", &DB_Dll::StripOwner, "a.b.c", "b.c", "b.c"},
        {"StripOwner, no owner", &DB_Dll::StripOwner, "table", "table", nullptr},
        {"StripOwner, trailing point", &DB_Dll::StripOwner, "owner.", "", ""},
        {"StripFileName, full path", &DB_Dll::StripFileName, "C:\\Programas\\Asigna\\consultas.vtl",
         "C:\\Programas\\Asigna", nullptr},
        {"StripFileName, bare name", &DB_Dll::StripFileName, "consultas.vtl", "", nullptr},
        {"StripFileName, drive root", &DB_Dll::StripFileName, "C:\\", "C:", nullptr},
        {"StripFileName, empty", &DB_Dll::StripFileName, "", "", nullptr},
        {"StripFileName, forward slashes are no separator", &DB_Dll::StripFileName, "/home/ana/x.vtl", "", nullptr},
    };
    DB_Dll objDB;
    for (const Case& c : cases) {
        QString argument = QString::fromUtf8(c.in);
        EXPECT_EQ((objDB.*c.routine)(argument), QString::fromUtf8(c.out)) << c.name;
        EXPECT_EQ(argument, QString::fromUtf8(c.argumentAfter ? c.argumentAfter : c.in)) << c.name << " (argument)";
    }
}

TEST(ObjectNames, stSTFTakesAPartOfAnOwnerQualifiedName)
{
    const struct {
        const char* name;
        const char* in;
        bool part;
        const char* out;
        const char* argumentAfter;
    } cases[] = {
        {"owner.table, second part", "owner.table", true, "table", "owner.table"},
        {"owner.table, first part", "owner.table", false, "owner", "owner.table"},
        {"no point, second part", "table", true, "table", "table"},
        {"three parts, second part", "db.owner.table", true, "owner.table", "owner.table"},
        {"three parts, first part", "db.owner.table", false, "owner.table", "owner.table"},
    };
    DB_Dll objDB;
    for (const auto& c : cases) {
        QString argument = QString::fromUtf8(c.in);
        EXPECT_EQ(objDB.stSTF(argument, c.part), QString::fromUtf8(c.out)) << c.name;
        EXPECT_EQ(argument, QString::fromUtf8(c.argumentAfter)) << c.name << " (argument)";
    }
}

TEST(ObjectNames, ImpossibleCutsRaiseTheInvalidCallError)
{
    DB_Dll objDB;
    QString table = QStringLiteral("table");
    QString arrowFirst = QStringLiteral("->source");
    QString openBracket = QStringLiteral("[");
    expectInvalidCall("stSTF, first part of a name without a point", [&] { objDB.stSTF(table, false); });
    expectInvalidCall("StripConnect, arrow first", [&] { objDB.StripConnect(arrowFirst); });
    expectInvalidCall("StripBrackets, a lone bracket", [&] { objDB.StripBrackets(openBracket); });
    QString empty;
    expectInvalidCall("stSTF, first part of nothing", [&] { objDB.stSTF(empty, false); });
}
