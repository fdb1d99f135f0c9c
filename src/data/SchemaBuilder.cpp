#include "data/SchemaBuilder.h"

#include "data/DaoType.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace orv {

namespace {

QString quoted(const QString& name)
{
    return QLatin1Char('[') + name + QLatin1Char(']');
}

struct Column
{
    QString name;
    QString declaredType;
    bool notNull = false;
};

// One statement with its text parameters; sqlite3 directly, as the record store may not be
// open on the handle yet.
class Batch
{
public:
    explicit Batch(sqlite3* handle) : m_handle(handle) {}

    bool run(const QString& sql, const QStringList& params = {})
    {
        if (!m_error.isEmpty())
            return false;
        sqlite3_stmt* statement = nullptr;
        const QByteArray utf8 = sql.toUtf8();
        if (sqlite3_prepare_v2(m_handle, utf8.constData(), int(utf8.size()), &statement, nullptr) !=
            SQLITE_OK) {
            m_error = QString::fromUtf8(sqlite3_errmsg(m_handle)) + QStringLiteral(": ") + sql;
            return false;
        }
        for (int i = 0; i < params.size(); ++i) {
            const QByteArray value = params.at(i).toUtf8();
            sqlite3_bind_text(statement, i + 1, value.constData(), int(value.size()),
                              SQLITE_TRANSIENT);
        }
        const int result = sqlite3_step(statement);
        sqlite3_finalize(statement);
        if (result != SQLITE_DONE && result != SQLITE_ROW) {
            m_error = QString::fromUtf8(sqlite3_errmsg(m_handle)) + QStringLiteral(": ") + sql;
            return false;
        }
        return true;
    }

    QString error() const { return m_error; }

private:
    sqlite3* m_handle;
    QString m_error;
};

void createTable(Batch& batch, const QString& table, const QVector<Column>& columns)
{
    QStringList definitions;
    for (const Column& column : columns) {
        definitions.append(quoted(column.name) + QLatin1Char(' ') + column.declaredType +
                           (column.notNull ? QStringLiteral(" NOT NULL") : QString()));
    }
    batch.run(QStringLiteral("CREATE TABLE %1 (%2)").arg(quoted(table), definitions.join(", ")));
}

void createKeyIndex(Batch& batch, const QString& table, const QString& dateColumn, bool unique)
{
    batch.run(QStringLiteral("CREATE %1INDEX %2 ON %3 ([ID], %4)")
                  .arg(unique ? QStringLiteral("UNIQUE ") : QString(),
                       quoted(table + QStringLiteral("_key")), quoted(table), quoted(dateColumn)));
}

void setProperty(Batch& batch, const QString& table, const QString& column, const QString& name,
                 const QString& value)
{
    batch.run(QStringLiteral("INSERT INTO [_ColumnProperties] (TableName, ColumnName, Name, Value) "
                             "VALUES (?, ?, ?, ?)"),
              {table, column, name, value});
}

QVector<Column> keyColumns(const QString& dateColumn)
{
    return {{QStringLiteral("ID"), QStringLiteral("TEXT(%1)").arg(SchemaBuilder::IdSize), true},
            {dateColumn, QStringLiteral("DATETIME"), true}};
}

} // namespace

SchemaBuilder::SchemaBuilder(const Catalogue& catalogue) : m_catalogue(catalogue) {}

QStringList SchemaBuilder::tables() const
{
    QStringList names = m_catalogue.recordTables();
    names << QStringLiteral("Trigger") << QStringLiteral("RAPSense") << QStringLiteral("RAP")
          << QStringLiteral("RAPName");
    return names;
}

bool SchemaBuilder::build(sqlite3* handle, QString* error) const
{
    Batch batch(handle);
    batch.run(QStringLiteral("BEGIN"));
    batch.run(QStringLiteral("CREATE TABLE IF NOT EXISTS [_ColumnProperties] ("
                             "TableName TEXT NOT NULL, ColumnName TEXT NOT NULL, "
                             "Name TEXT NOT NULL, Value TEXT, "
                             "PRIMARY KEY (TableName, ColumnName, Name))"));

    const QString recordDate = QStringLiteral("基準日");
    for (const QString& table : m_catalogue.recordTables()) {
        QVector<Column> columns = keyColumns(recordDate);
        const QVector<const CatalogueItem*> items = m_catalogue.items(table);
        for (const CatalogueItem* item : items)
            columns.append({item->code, item->declaredType(), false});
        createTable(batch, table, columns);
        createKeyIndex(batch, table, recordDate, true);
        setProperty(batch, table, QStringLiteral("ID"), QStringLiteral("Description"),
                    QStringLiteral("利用者ID"));
        setProperty(batch, table, recordDate, QStringLiteral("Description"),
                    QStringLiteral("基準日"));
        for (const CatalogueItem* item : items) {
            setProperty(batch, table, item->code, QStringLiteral("Description"),
                        item->description());
            if (item->comaDependent) {
                setProperty(batch, table, item->code, QStringLiteral("DefaultValue"),
                            item->defaultValue);
            }
            if (!item->format.isEmpty())
                setProperty(batch, table, item->code, QStringLiteral("FORMAT"), item->format);
        }
    }

    const QString entryDate = QStringLiteral("記入日");
    QVector<Column> trigger = keyColumns(entryDate);
    for (const TriggerKeyName& key : m_catalogue.triggerKeys())
        trigger.append({key.key, QStringLiteral("TEXT(2)"), false});
    createTable(batch, QStringLiteral("Trigger"), trigger);
    createKeyIndex(batch, QStringLiteral("Trigger"), entryDate, false);

    // No key: the evidence rows of one trigger key are read back in the order they were added.
    createTable(batch, QStringLiteral("RAPSense"),
                {{QStringLiteral("RAPS"), QStringLiteral("TEXT(4)"), false},
                 {QStringLiteral("VALUE"), QStringLiteral("TEXT(50)"), false}});
    batch.run(QStringLiteral("CREATE INDEX [RAPSense_key] ON [RAPSense] ([RAPS])"));

    QVector<Column> rap = keyColumns(entryDate);
    rap.append({QStringLiteral("RAP"), QStringLiteral("TEXT(80)"), false});
    createTable(batch, QStringLiteral("RAP"), rap);
    createKeyIndex(batch, QStringLiteral("RAP"), entryDate, true);

    createTable(batch, QStringLiteral("RAPName"),
                {{QStringLiteral("RAP"), QStringLiteral("TEXT(4)"), true},
                 {QStringLiteral("ITEM"), QStringLiteral("TEXT(100)"), true}});
    batch.run(QStringLiteral("CREATE UNIQUE INDEX [RAPName_key] ON [RAPName] ([RAP])"));
    for (const TriggerKeyName& key : m_catalogue.triggerKeys())
        batch.run(QStringLiteral("INSERT INTO [RAPName] ([RAP], [ITEM]) VALUES (?, ?)"),
                  {key.key, key.item});

    if (!batch.error().isEmpty()) {
        sqlite3_exec(handle, "ROLLBACK", nullptr, nullptr, nullptr);
        if (error)
            *error = batch.error();
        return false;
    }
    if (!batch.run(QStringLiteral("COMMIT"))) {
        sqlite3_exec(handle, "ROLLBACK", nullptr, nullptr, nullptr);
        if (error)
            *error = batch.error();
        return false;
    }
    return true;
}

bool SchemaBuilder::createFile(const QString& path, QString* error) const
{
    if (QFileInfo::exists(path)) {
        if (error)
            *error = QStringLiteral("%1 is already there").arg(path);
        return false;
    }
    const QString partial = path + QStringLiteral(".partial");
    QFile::remove(partial);
    sqlite3* handle = nullptr;
    const QByteArray utf8 = partial.toUtf8();
    bool ok = sqlite3_open_v2(utf8.constData(), &handle, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                              nullptr) == SQLITE_OK;
    QString failure = ok ? QString() : QString::fromUtf8(sqlite3_errmsg(handle));
    if (ok)
        ok = build(handle, &failure);
    sqlite3_close(handle);
    if (ok && !QFile::rename(partial, path)) {
        ok = false;
        failure = QStringLiteral("%1 cannot be renamed to %2").arg(partial, path);
    }
    if (!ok) {
        QFile::remove(partial);
        if (error)
            *error = failure;
    }
    return ok;
}

} // namespace orv
