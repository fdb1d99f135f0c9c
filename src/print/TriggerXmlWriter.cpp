#include "print/TriggerXmlWriter.h"

#include "common/Value.h"
#include "data/Recordset.h"
#include "print/XmlOutputFile.h"
#include "rap/TriggerRuleTable.h"

namespace orv {

void WriteTriggerXml(const Recordset& record, XmlOutputFile& file)
{
    for (int i = 0; i < record.fieldCount(); ++i) {
        const QString name = record.column(i).name;
        if (TriggerRuleTable::instance().keyIndex(name) < 0)
            continue;
        const bool marked = NullToStr(record.value(i)) == QStringLiteral("○");
        file.writeElement(name, marked ? QStringLiteral("レ") : QString());
    }
}

} // namespace orv
