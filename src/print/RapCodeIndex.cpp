#include "print/RapCodeIndex.h"

#include <QHash>

namespace orv {

namespace {

// Entries whose position is not their number: the lettered codes and the codes after them.
const QHash<QString, int>& shiftedCodes()
{
    static const QHash<QString, int> codes = [] {
        QHash<QString, int> table = {{"05a", 5}, {"05b", 6}, {"10a", 11}, {"10b", 12}};
        for (int number = 6; number <= 9; ++number)
            table.insert(QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0')), number + 1);
        for (int number = 11; number <= 22; ++number)
            table.insert(QString::number(number), number + 2);
        return table;
    }();
    return codes;
}

// The entry read as a whole number: its leading digits, 0 when it starts with none.
int leadingNumber(const QString& text)
{
    int number = 0;
    for (const QChar c : text.trimmed()) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9') || number > 100000)
            break;
        number = number * 10 + (c.unicode() - '0');
    }
    return number;
}

} // namespace

int RapCodeToIndex(const QString& entry)
{
    const auto shifted = shiftedCodes().constFind(entry);
    if (shifted != shiftedCodes().constEnd())
        return shifted.value();
    return leadingNumber(entry);
}

int CountOccurrences(const QString& text, const QString& separator)
{
    if (text.isEmpty() || separator.isEmpty())
        return 0;
    int count = 0;
    for (qsizetype at = text.indexOf(separator); at >= 0;
         at = text.indexOf(separator, at + separator.size()))
        ++count;
    return count;
}

} // namespace orv
