#include "print/LongestValue.h"

#include "common/DateValue.h"
#include "common/Value.h"
#include "data/CatalogueItem.h"
#include "data/DaoType.h"
#include "print/RecordXmlWriter.h"

#include <QDate>

namespace orv {

namespace {

// An entry page takes at most eight characters for a number.
constexpr qint64 kLargestTyped = 99999999;

// The widest value of a number column: its type's largest, as far as the page lets it be typed.
qint64 widestNumber(int daoType)
{
    switch (daoType) {
    case dbByte:
        return 255;
    case dbInteger:
        return 32767;
    default:
        return kLargestTyped;
    }
}

Value widestValue(const CatalogueItem& item)
{
    switch (item.kind) {
    case ItemKind::Check:
        return Value(qint64(1));
    case ItemKind::Memo:
        return Value();
    case ItemKind::Date: {
        // A two-digit era year, month and day.
        const DateValue date = DateValue::fromDate(QDate(2018, 12, 28));
        return item.daoType == dbText ? Value(QStringLiteral("2018/12/28")) : Value(date);
    }
    case ItemKind::Code: {
        QString widest;
        for (const CatalogueChoice& choice : item.choices) {
            if (choice.code.size() > widest.size())
                widest = choice.code;
        }
        bool number = false;
        const qint64 code = widest.toLongLong(&number);
        return number ? Value(code) : Value(widest);
    }
    case ItemKind::Number:
        return Value(widestNumber(item.daoType));
    case ItemKind::Text:
        break;
    }
    return Value(QString(item.size, QChar(0x6f22))); // 漢
}

} // namespace

QString longestValueText(const CatalogueItem& item)
{
    if (item.kind == ItemKind::Memo)
        return QString();
    return xmlElementText(item.code, widestValue(item));
}

} // namespace orv
