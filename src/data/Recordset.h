#pragma once

#include "common/Value.h"
#include "data/ColumnInfo.h"
#include "data/Field.h"

#include <QPair>
#include <QString>
#include <QVector>

namespace orv {

class Database;

// A dynaset: the rows of a table or a SELECT, one of them current.
// Changes go through edit()/addNew(), assignments and update(); update() writes only the
// columns that were assigned, in one transaction. Assigning a value converts it to the
// column's type; a value that does not convert is refused with an error and nothing is
// stored. addNew() starts from the columns' DefaultValue; moving to another row drops an
// edit that was not updated.
class Recordset
{
public:
    enum class EditMode
    {
        None,
        Edit,
        Add
    };

    virtual ~Recordset() = default;

    // The table name, or the query text as it was opened.
    virtual QString name() const = 0;
    virtual bool isUpdatable() const = 0;

    virtual bool eof() const = 0;
    virtual void moveFirst() = 0;
    virtual void moveNext() = 0;
    virtual int recordCount() const = 0;
    // Moves to the first row whose columns equal the values (dates by day); false, and the
    // position unchanged, when none does.
    virtual bool findFirst(const QVector<QPair<QString, Value>>& equals) = 0;

    virtual int fieldCount() const = 0;
    virtual const ColumnInfo& column(int index) const = 0;
    virtual int columnIndex(const QString& name) const = 0; // -1 when absent
    virtual Value value(int index) const = 0;
    Value value(const QString& name) const;
    virtual bool setValue(int index, const Value& value, QString* error = nullptr) = 0;
    bool setValue(const QString& name, const Value& value, QString* error = nullptr);
    Field field(int index) { return Field(*this, index); }
    Field field(const QString& name) { return Field(*this, columnIndex(name)); }

    virtual void addNew() = 0;
    virtual void edit() = 0;
    virtual EditMode editMode() const = 0;
    virtual bool update(QString* error = nullptr) = 0;
    virtual void cancelUpdate() = 0;
    virtual bool deleteCurrent(QString* error = nullptr) = 0;
    virtual void close() = 0;
};

} // namespace orv
