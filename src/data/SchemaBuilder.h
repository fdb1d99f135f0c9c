#pragma once

#include "data/Catalogue.h"
#include "data/Database.h"

#include <QString>

struct sqlite3;

namespace orv {

// Creates every table of the record file from the catalogue: the record tables with their
// declared column types, the column properties, the key indexes, the RAP tables and the
// filled table RAPName. Everything happens in one transaction: all of it or nothing.
class SchemaBuilder
{
public:
    explicit SchemaBuilder(const Catalogue& catalogue = Catalogue::builtIn());

    bool build(sqlite3* handle, QString* error = nullptr) const;
    bool build(Database& database, QString* error = nullptr) const
    {
        return build(database.handle(), error);
    }
    // Writes a new record file at path; refuses to touch a file that is already there.
    // The file appears only once it is complete.
    bool createFile(const QString& path, QString* error = nullptr) const;

    // The tables built, in order.
    QStringList tables() const;

    static constexpr int IdSize = 50;

private:
    const Catalogue& m_catalogue;
};

} // namespace orv
