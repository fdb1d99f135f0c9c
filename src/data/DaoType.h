#pragma once

namespace orv {

// Column types by their old DAO numbers, as the page binding tells them apart.
enum DaoType
{
    dbBoolean = 1,
    dbByte = 2,
    dbInteger = 3,
    dbLong = 4,
    dbCurrency = 5,
    dbSingle = 6,
    dbDouble = 7,
    dbDate = 8,
    dbBinary = 9,
    dbText = 10,
    dbLongBinary = 11,
    dbMemo = 12,
};

inline bool isNumericType(int type)
{
    return type == dbByte || type == dbInteger || type == dbLong || type == dbSingle ||
           type == dbDouble;
}

} // namespace orv
