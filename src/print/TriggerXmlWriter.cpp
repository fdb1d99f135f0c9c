#include "print/TriggerXmlWriter.h"

#include "common/Value.h"
#include "data/Recordset.h"
#include "print/XmlOutputFile.h"

#include <QSet>

#include <array>

namespace orv {

namespace {

struct KeyGroup
{
    const char* section;
    int count;
};

constexpr std::array<KeyGroup, 17> KeyGroups = {{
    {"B", 5},
    {"C", 4},
    {"D", 2},
    {"E", 9},
    {"F", 5},
    {"G", 6},
    {"H", 5},
    {"I", 6},
    {"J", 9},
    {"K", 7},
    {"L", 2},
    {"M", 4},
    {"N", 4},
    {"O", 4},
    {"P", 3},
    {"OH", 3},
    {"OJ", 1},
}};

const QSet<QString>& triggerKeySet()
{
    static const QSet<QString> keys(triggerKeys().cbegin(), triggerKeys().cend());
    return keys;
}

} // namespace

const QStringList& triggerKeys()
{
    static const QStringList keys = [] {
        QStringList list;
        for (const KeyGroup& group : KeyGroups) {
            for (int n = 1; n <= group.count; ++n)
                list << QString::fromLatin1(group.section) + QString::number(n);
        }
        return list;
    }();
    return keys;
}

void WriteTriggerXml(const Recordset& record, XmlOutputFile& file)
{
    for (int i = 0; i < record.fieldCount(); ++i) {
        const QString name = record.column(i).name;
        if (!triggerKeySet().contains(name))
            continue;
        const bool marked = NullToStr(record.value(i)) == QStringLiteral("○");
        file.writeElement(name, marked ? QStringLiteral("レ") : QString());
    }
}

} // namespace orv
