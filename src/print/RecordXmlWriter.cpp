#include "print/RecordXmlWriter.h"

#include "common/DateFormat.h"
#include "common/DateParser.h"
#include "common/Value.h"
#include "data/Recordset.h"
#include "print/XmlEscape.h"
#include "print/XmlOutputFile.h"

#include <QHash>
#include <QStringList>

#include <initializer_list>

namespace orv {

namespace {

// A run of column names: prefix, then each step from first to last, then suffix. Steps are
// numbers ("1" to "20"), letters ("a" to "h") or doubled letters ("aa" to "uu").
struct NameRange
{
    const char* prefix;
    const char* first;
    const char* last;
    const char* suffix;
};

QStringList expand(const NameRange& range)
{
    const QString first = QString::fromLatin1(range.first);
    const QString last = QString::fromLatin1(range.last);
    const QString prefix = QString::fromUtf8(range.prefix);
    const QString suffix = QString::fromUtf8(range.suffix);
    QStringList names;
    bool numeric = false;
    const int firstNumber = first.toInt(&numeric);
    if (numeric) {
        for (int n = firstNumber; n <= last.toInt(); ++n)
            names << prefix + QString::number(n) + suffix;
        return names;
    }
    const qsizetype width = first.size();
    for (char16_t c = first.at(0).unicode(); c <= last.at(0).unicode(); ++c)
        names << prefix + QString(width, QChar(c)) + suffix;
    return names;
}

struct FamilyColumns
{
    XmlFamily family;
    std::initializer_list<NameRange> ranges;
};

// A single name: a range without steps.
constexpr NameRange one(const char* name)
{
    return {name, "", "", ""};
}

const std::initializer_list<FamilyColumns> FamilyTable = {
    {XmlFamily::Sex, {one("1-2")}},
    {XmlFamily::PostalCode, {one("1-4-1")}},
    {XmlFamily::EraDate,
     {one("基準日"),
      one("1-3-1"),
      one("1-5"),
      one("1-12"),
      one("A3"),
      one("R2-b"),
      one("R2-c"),
      {"R2-", "d", "h", "-5"},
      one("T0-1")}},
    {XmlFamily::EntryDate, {one("S0-1")}},
    {XmlFamily::Days, {{"P1-b-", "a", "e", "-A"}, {"P3-", "a", "k", ""}}},
    {XmlFamily::Minutes, {{"P1-b-", "a", "e", "-B"}}},
    {XmlFamily::CheckMark, {{"1-8-", "1", "7", ""},  {"2-1-", "a", "y", ""}, {"A6-", "a", "c", ""},
                            {"A9-", "a", "d", ""},   {"A10-", "a", "h", ""}, {"B3-", "a", "e", ""},
                            {"C2-", "a", "d", ""},   {"C3-", "a", "g", ""},  {"D2-", "a", "c", ""},
                            {"F1-", "a", "g", ""},   {"F2-", "a", "h", ""},  {"F3-", "a", "d", ""},
                            {"G5-", "a", "e", ""},   {"G6-", "a", "f", ""},  {"G8-", "a", "e", ""},
                            {"H2-", "a", "e", ""},   {"H3-", "a", "j", ""},  {"I1-", "a", "z", ""},
                            {"I1-", "aa", "uu", ""}, {"I2-", "a", "m", ""},  {"J1-", "a", "p", ""},
                            {"J3-", "a", "j", ""},   {"J4-", "a", "e", ""},  {"J5-", "a", "d", ""},
                            {"K4-", "a", "d", ""},   {"K5-", "a", "i", ""},  {"L1-", "a", "g", ""},
                            {"M4-", "a", "h", ""},   {"M5-", "a", "j", ""},  {"M6-", "a", "g", ""},
                            {"N1-", "a", "d", ""},   {"N3-", "a", "e", ""},  {"N4-", "a", "m", ""},
                            {"P1-a-", "a", "s", ""}, {"P2-", "a", "f", ""},  {"S", "1", "20", "-a"},
                            {"S", "1", "20", "-c"}}},
};

// Every listed name with its family; a name listed twice keeps its first family.
const QHash<QString, XmlFamily>& familyByName()
{
    static const QHash<QString, XmlFamily> table = [] {
        QHash<QString, XmlFamily> byName;
        for (const FamilyColumns& columns : FamilyTable) {
            for (const NameRange& range : columns.ranges) {
                const QStringList names = range.first[0] == '\0'
                                              ? QStringList{QString::fromUtf8(range.prefix)}
                                              : expand(range);
                for (const QString& name : names) {
                    if (!byName.contains(name))
                        byName.insert(name, columns.family);
                }
            }
        }
        return byName;
    }();
    return table;
}

bool isOne(const Value& value)
{
    return value.isNumber() && value.toDouble() == 1.0;
}

// The zero date stands for no date, so it prints as an unanswered item.
QString eraDateOrEmpty(const DateValue& date)
{
    if (date.isZero())
        return QString();
    // A record's key date stands in each of its tables: the days met lately are kept.
    constexpr qsizetype KeptDays = 256;
    thread_local QHash<QDate, QString> known;
    const auto found = known.constFind(date.date());
    if (found != known.constEnd())
        return found.value();
    if (known.size() >= KeptDays)
        known.clear();
    return known[date.date()] = DateFormat::eraShort(date);
}

// A date value, or a text holding a date, in the era form of the printed forms.
QString eraDate(const Value& value)
{
    switch (value.kind()) {
    case Value::Kind::Null:
        return QString();
    case Value::Kind::Date:
        return eraDateOrEmpty(value.toDate());
    case Value::Kind::Integer:
    case Value::Kind::Double:
        return eraDateOrEmpty(DateValue::fromSerial(value.toDouble()));
    case Value::Kind::Text:
        break;
    }
    if (const std::optional<DateValue> date = DateParser::parse(value.toText()))
        return eraDateOrEmpty(*date);
    return XmlEscape(value.toText());
}

} // namespace

XmlFamily xmlFamilyOf(const QString& columnName)
{
    return familyByName().value(columnName, XmlFamily::Default);
}

int checkMarkColumnCount()
{
    int count = 0;
    for (const XmlFamily family : familyByName())
        count += family == XmlFamily::CheckMark ? 1 : 0;
    return count;
}

namespace {

QString elementName(const QString& columnName, XmlFamily family)
{
    const bool digitFirst = !columnName.isEmpty() && columnName.at(0) >= QLatin1Char('1') &&
                            columnName.at(0) <= QLatin1Char('9');
    const QString prefix = digitFirst ? QStringLiteral("m") : QString();
    if (family == XmlFamily::Default)
        return prefix + columnName.toUpper();
    return prefix + columnName;
}

QString elementText(XmlFamily family, const Value& value)
{
    switch (family) {
    case XmlFamily::Sex:
        // an unanswered item prints no answer
        if (NullToStr(value).isEmpty())
            return QString();
        return isOne(value) ? QStringLiteral("男") : QStringLiteral("女");
    case XmlFamily::PostalCode:
        return QStringLiteral("〒") + XmlEscape(NullToStr(value));
    case XmlFamily::EraDate:
        return eraDate(value);
    case XmlFamily::EntryDate:
        return QStringLiteral("記入年月日：") + eraDate(value);
    case XmlFamily::Days:
        return XmlEscape(NullToStr(value)) + QStringLiteral("日");
    case XmlFamily::Minutes:
        return XmlEscape(NullToStr(value)) + QStringLiteral("分");
    case XmlFamily::CheckMark:
        return isOne(value) ? QStringLiteral("レ") : QString();
    case XmlFamily::Default:
        break;
    }
    return XmlEscape(NullToStr(value));
}

} // namespace

QString xmlElementName(const QString& columnName)
{
    return elementName(columnName, xmlFamilyOf(columnName));
}

QString xmlElementText(const QString& columnName, const Value& value)
{
    return elementText(xmlFamilyOf(columnName), value);
}

namespace {

struct ColumnXml
{
    QString element;
    XmlFamily family;
};

// The element name and family of a column, worked out once per name.
const ColumnXml& columnXml(const QString& columnName)
{
    static QHash<QString, ColumnXml> known;
    auto found = known.constFind(columnName);
    if (found == known.constEnd()) {
        const XmlFamily family = xmlFamilyOf(columnName);
        found = known.insert(columnName, {elementName(columnName, family), family});
    }
    return *found;
}

} // namespace

void WriteRecordXml(const Recordset& record, XmlOutputFile& file)
{
    for (int i = 0; i < record.fieldCount(); ++i) {
        const ColumnXml& column = columnXml(record.column(i).name);
        file.writeElement(column.element, elementText(column.family, record.value(i)));
    }
}

} // namespace orv
