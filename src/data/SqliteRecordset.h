#pragma once

#include "data/Connection.h"
#include "data/Recordset.h"

#include <memory>

struct sqlite3_stmt;

namespace orv {

class Connection;
struct SourcePlan;

// The recordset of the record file. A SELECT is run when opened; a table opened by its name is
// read when first needed, so a table opened only to add a row costs nothing. Rows of one table are
// kept by row id, the values of the first rows at once and of later ones when they are reached.
// edit() reads the current row afresh unless nothing in the file has changed since it was read;
// update() writes only the assigned columns by row id, and the row is read back when next
// needed. After update() of an added row that row is current.
class SqliteRecordset : public Recordset
{
public:
    static std::unique_ptr<Recordset> open(std::shared_ptr<Connection> connection,
                                           const QString& source, const QVector<Value>& params,
                                           QString* error);

    QString name() const override { return m_name; }
    bool isUpdatable() const override { return !m_table.isEmpty(); }

    bool eof() const override;
    void moveFirst() override;
    void moveNext() override;
    int recordCount() const override { return int(rows().size()); }
    bool findFirst(const QVector<QPair<QString, Value>>& equals) override;

    int fieldCount() const override { return int(m_columns.size()); }
    const ColumnInfo& column(int index) const override;
    int columnIndex(const QString& name) const override;
    using Recordset::setValue;
    using Recordset::value;
    Value value(int index) const override;
    bool setValue(int index, const Value& value, QString* error = nullptr) override;

    void addNew() override;
    void edit() override;
    EditMode editMode() const override { return m_mode; }
    bool update(QString* error = nullptr) override;
    void cancelUpdate() override;
    bool deleteCurrent(QString* error = nullptr) override;
    void close() override;

private:
    struct Row
    {
        qint64 rowid = 0;
        bool loaded = false;
        QVector<Value> values;
        FileVersion readAt; // of the file when the values were read
    };

    SqliteRecordset(std::shared_ptr<Connection> connection, const QString& name);
    static bool planFor(Connection& connection, const QString& source, SourcePlan* plan,
                        QString* error);
    bool prepare(QString* error);
    bool loadRows(QString* error) const;
    void describeResult(sqlite3_stmt* statement);
    // The rows, read on first use.
    QVector<Row>& rows() const;
    const QVector<Value>& valuesOf(int row) const;
    bool readRow(qint64 rowid, Row* row, QString* error) const;
    bool hasCurrent() const;

    bool fail(QString* error, const QString& text) const;
    bool insertRow(QString* error);
    bool updateRow(QString* error);
    bool write(const QString& sql, const QVector<Value>& values, QString* error);
    // The assigned values in column order, their quoted column names into names.
    QVector<Value> assignedValues(QStringList* names) const;

    std::shared_ptr<Connection> m_connection;
    QString m_name;
    QString m_table; // empty when read only
    QString m_sql;
    QVector<Value> m_params;
    QVector<ColumnInfo> m_columns;
    mutable bool m_loaded = false;
    mutable QVector<Row> m_rows;
    mutable int m_current = 0;
    mutable qint64 m_addedBeforeLoad = 0;
    bool m_currentDeleted = false;
    EditMode m_mode = EditMode::None;
    QVector<Value> m_buffer;
    QVector<bool> m_assigned;
};

} // namespace orv
