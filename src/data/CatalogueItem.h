#pragma once

#include <QString>
#include <QVector>

namespace orv {

// One coded answer of an item: the code stored in the column and what it means.
struct CatalogueChoice
{
    QString code;
    QString meaning;
};

// How an item is entered on its page.
enum class ItemKind
{
    Code,
    Check,
    Number,
    Date,
    Text,
    Memo
};

// One item of the instrument: one column of its table and one input of its page.
struct CatalogueItem
{
    QString code; // the column name, hyphens as printed ("B2-a", "1-1-1")
    QString title;
    ItemKind kind = ItemKind::Text;
    QVector<CatalogueChoice> choices; // coded items only, in the order of the form
    int daoType = 0;
    int size = 0; // characters, text columns only
    bool comaDependent = false;
    QString defaultValue; // put back when the coma state ends
    QString format;       // display format of a date column
    QString unit;         // printed after a number ("歳", "日")
    QString ageElement;   // the item that a picked birth date fills with the age

    // "orv_" and the code with "_" for every "-".
    QString elementName() const;
    // The column type as the file declares it: "BYTE", "TEXT(20)", ...
    QString declaredType() const;
    // The meaning of a stored code; empty when the item has no such choice.
    QString choiceMeaning(const QString& value) const;
    // The text for the column's Description property.
    QString description() const;
};

} // namespace orv
