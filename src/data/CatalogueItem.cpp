#include "data/CatalogueItem.h"

#include "data/DaoType.h"

namespace orv {

QString CatalogueItem::elementName() const
{
    QString name = code;
    name.replace(QLatin1Char('-'), QLatin1Char('_'));
    return QStringLiteral("orv_") + name;
}

QString CatalogueItem::declaredType() const
{
    switch (daoType) {
    case dbByte:
        return QStringLiteral("BYTE");
    case dbInteger:
        return QStringLiteral("INTEGER");
    case dbLong:
        return QStringLiteral("LONG");
    case dbSingle:
        return QStringLiteral("SINGLE");
    case dbDouble:
        return QStringLiteral("DOUBLE");
    case dbDate:
        return QStringLiteral("DATETIME");
    case dbText:
        return QStringLiteral("TEXT(%1)").arg(size);
    case dbMemo:
        // The second word gives the column text affinity, so a memo such as "007" stays text.
        return QStringLiteral("MEMO TEXT");
    case dbLongBinary:
        return QStringLiteral("LONGBINARY");
    default:
        return QString();
    }
}

QString CatalogueItem::choiceMeaning(const QString& value) const
{
    for (const CatalogueChoice& choice : choices) {
        if (choice.code == value)
            return choice.meaning;
    }
    return QString();
}

QString CatalogueItem::description() const
{
    // The coma mode looks for this word in the Description of a column.
    return comaDependent ? QStringLiteral("KONSUI ") + title : title;
}

} // namespace orv
