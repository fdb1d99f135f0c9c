#pragma once

#include "support/TempFolder.h"

#include "common/Value.h"
#include "data/ColumnInfo.h"
#include "data/Database.h"

#include <QString>

#include <functional>
#include <memory>

namespace orv::test {

// A fresh record file with every table of the program (from the catalogue) in a scratch
// folder that goes away with the object.
//
//     TestDatabase file;
//     std::unique_ptr<Database> db = file.open();
class TestDatabase
{
public:
    // Builds the file as "Orv21.db" in its own scratch folder; QFAIL-style checks are the
    // caller's: ok() tells whether the file was built, error() why not.
    TestDatabase();

    bool ok() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }
    QString path() const { return m_path; }
    QString folder() const { return m_folder.path(); }

    // A connection through the record store.
    std::unique_ptr<Database> open() const { return Database::open(m_path); }

    // Adds a row to a table with a value for each of its columns.
    static bool insertRow(Database& db, const QString& table,
                          const std::function<Value(const ColumnInfo&)>& valueOf,
                          QString* error = nullptr);

private:
    TempFolder m_folder;
    QString m_path;
    QString m_error;
};

} // namespace orv::test
