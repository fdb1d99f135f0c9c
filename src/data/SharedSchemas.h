#pragma once

#include "data/ColumnInfo.h"

#include <QHash>
#include <QString>
#include <QVector>

#include <memory>
#include <optional>

namespace orv {

// How a recordset source is read: the table behind it (empty when read only) and the SQL.
struct SourcePlan
{
    QString name;
    QString table;
    QString sql;
    bool wholeTable = false;
    std::shared_ptr<TableSchema> schema;
};

// The table facts read from one record file, and the plans of the record set sources opened on
// it, shared by every connection of this process to the file, so a connection opened for one
// task does not read them again. They hold for one schema version of the file; a schema seen to
// change forgets them all.
class SharedSchemas
{
public:
    // The facts of the file at path, made on first use and kept while a connection holds them.
    static std::shared_ptr<SharedSchemas> of(const QString& path);

    // nullptr when the table has not been read at that schema version.
    std::shared_ptr<TableSchema> find(const QString& table, qint64 version) const;
    void store(const QString& table, qint64 version, const std::shared_ptr<TableSchema>& schema);
    std::optional<SourcePlan> plan(const QString& source, qint64 version) const;
    void storePlan(const QString& source, qint64 version, const SourcePlan& plan);
    void forget();

private:
    qint64 m_version = -1;
    void useVersion(qint64 version);

    QHash<QString, std::shared_ptr<TableSchema>> m_schemas;
    QHash<QString, SourcePlan> m_plans;
    // Callers may still hold a schema they were handed; it stays valid.
    QVector<std::shared_ptr<TableSchema>> m_retired;
};

} // namespace orv
