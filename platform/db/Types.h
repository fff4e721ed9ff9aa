#pragma once

#include <QString>

// Constants of the data layer, with the numeric values the procedures of the
// system pass and compare (cursor 0 forward-only, lock 3 optimistic, field
// type 135 a time stamp, ...).
namespace db {

namespace cursor {
constexpr int ForwardOnly = 0;
constexpr int Keyset = 1;
constexpr int Dynamic = 2;
constexpr int Static = 3;
}  // namespace cursor

namespace lock {
constexpr int ReadOnly = 1;
constexpr int Pessimistic = 2;
constexpr int Optimistic = 3;
constexpr int BatchOptimistic = 4;
}  // namespace lock

namespace location {
constexpr int UseServer = 2;
constexpr int UseClient = 3;
}  // namespace location

namespace state {
constexpr int Closed = 0;
constexpr int Open = 1;
}  // namespace state

// Field type codes.
namespace type {
constexpr int Empty = 0;
constexpr int SmallInt = 2;
constexpr int Integer = 3;
constexpr int Single = 4;
constexpr int Double = 5;
constexpr int Currency = 6;
constexpr int Date = 7;
constexpr int BSTR = 8;
constexpr int Boolean = 11;
constexpr int Variant = 12;
constexpr int Decimal = 14;
constexpr int TinyInt = 16;
constexpr int UnsignedTinyInt = 17;
constexpr int UnsignedSmallInt = 18;
constexpr int UnsignedInt = 19;
constexpr int BigInt = 20;
constexpr int UnsignedBigInt = 21;
constexpr int FileTime = 64;
constexpr int GUID = 72;
constexpr int Binary = 128;
constexpr int Char = 129;
constexpr int WChar = 130;
constexpr int Numeric = 131;
constexpr int DBDate = 133;
constexpr int DBTime = 134;
constexpr int DBTimeStamp = 135;
constexpr int DBFileTime = 137;
constexpr int VarNumeric = 139;
constexpr int VarChar = 200;
constexpr int LongVarChar = 201;
constexpr int VarWChar = 202;
constexpr int LongVarWChar = 203;
constexpr int VarBinary = 204;
constexpr int LongVarBinary = 205;
}  // namespace type

// Schema lists a connection can give.
namespace schema {
constexpr int Columns = 4;
constexpr int Tables = 20;
}  // namespace schema

// The server a connection talks to; decides how SQL written in SQL Server's
// dialect reaches it.
enum class Dialect { SqlServer, Oracle, Sqlite };

}  // namespace db
