#pragma once

#include "data/ColumnInfo.h"

#include <QString>

#include <memory>

namespace orv {

class StatementCache;

// Reads what the file says of a table: its columns with their declared types and the rows of
// "_ColumnProperties".
class SchemaReader
{
public:
    explicit SchemaReader(StatementCache& statements) : m_statements(statements) {}

    // The table's name as the file spells it (names compare without case); empty when absent.
    QString tableName(const QString& name);
    // nullptr for an unknown table.
    std::shared_ptr<TableSchema> read(const QString& table);

    // DAO type of a declared column type: BYTE 2, INTEGER 3, LONG 4, SINGLE 6, DOUBLE 7,
    // DATETIME 8, TEXT(n) 10 with size n, LONGBINARY 11, MEMO 12; 0 when unknown.
    static int daoType(const QString& declared, int* size = nullptr);

private:
    StatementCache& m_statements;
};

} // namespace orv
