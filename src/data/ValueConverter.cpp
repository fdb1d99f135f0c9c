#include "data/ValueConverter.h"

#include "data/DaoType.h"
#include "data/StoreText.h"

#include <cmath>
#include <limits>

namespace orv {

namespace {

const QString ConversionError = QStringLiteral("データ型の変換エラーです。");
const QString OverflowError = QStringLiteral("オーバーフローしました。");
const QString TooLongError =
    QStringLiteral("フィールドが小さすぎて、追加しようとしたデータを格納できません。");

struct WholeRange
{
    int type;
    qint64 low;
    qint64 high;
};

constexpr WholeRange WholeRanges[] = {
    {dbByte, 0, 255},
    {dbInteger, -32768, 32767},
    {dbLong, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()},
};

bool refuse(const ColumnInfo& column, const QString& message, QString* error)
{
    if (error)
        *error = QStringLiteral("%1 (%2)").arg(message, column.name);
    return false;
}

bool toNumber(const Value& value, double* number)
{
    bool ok = false;
    *number = value.toDouble(&ok);
    return ok && std::isfinite(*number);
}

bool toWhole(const ColumnInfo& column, const Value& value, Value* converted, QString* error)
{
    double number = 0.0;
    if (!toNumber(value, &number))
        return refuse(column, ConversionError, error);
    for (const WholeRange& range : WholeRanges) {
        if (range.type != column.type)
            continue;
        // Halves go to the even neighbour, as Jet rounded.
        const double rounded = std::nearbyint(number);
        if (rounded < double(range.low) || rounded > double(range.high))
            return refuse(column, OverflowError, error);
        *converted = Value(qint64(rounded));
        return true;
    }
    return refuse(column, ConversionError, error);
}

bool toFraction(const ColumnInfo& column, const Value& value, Value* converted, QString* error)
{
    double number = 0.0;
    if (!toNumber(value, &number))
        return refuse(column, ConversionError, error);
    if (column.type == dbSingle && std::fabs(number) > double(std::numeric_limits<float>::max()))
        return refuse(column, OverflowError, error);
    *converted = Value(number);
    return true;
}

bool toDate(const ColumnInfo& column, const Value& value, Value* converted, QString* error)
{
    bool ok = false;
    DateValue date = value.toDate(&ok);
    if (!ok)
        return refuse(column, ConversionError, error);
    if (ValueConverter::isKeyDate(column.name))
        date = date.dateOnly();
    *converted = Value(date);
    return true;
}

bool toText(const ColumnInfo& column, const Value& value, Value* converted, QString* error)
{
    const QString text = value.toText();
    if (StoreText::hasLoneSurrogate(text))
        return refuse(column, StoreText::UnstorableCharacter, error);
    if (column.type == dbText && !StoreText::fits(text, column.size))
        return refuse(column, TooLongError + StoreText::countingNote(text), error);
    *converted = Value(text);
    return true;
}

} // namespace

bool ValueConverter::isKeyDate(const QString& columnName)
{
    return columnName == QStringLiteral("基準日") || columnName == QStringLiteral("記入日");
}

bool ValueConverter::convert(const ColumnInfo& column, const Value& value, Value* converted,
                             QString* error)
{
    if (value.isNull()) {
        *converted = Value();
        return true;
    }
    switch (column.type) {
    case dbByte:
    case dbInteger:
    case dbLong:
        return toWhole(column, value, converted, error);
    case dbSingle:
    case dbDouble:
        return toFraction(column, value, converted, error);
    case dbDate:
        return toDate(column, value, converted, error);
    case dbText:
    case dbMemo:
    case dbBinary:
    case dbLongBinary:
        return toText(column, value, converted, error);
    default:
        *converted = value;
        return true;
    }
}

} // namespace orv
