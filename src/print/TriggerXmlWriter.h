#pragma once

#include <QString>
#include <QStringList>

namespace orv {

class Recordset;
class XmlOutputFile;

// The 79 trigger keys in key order, B1 to P3, then OH1 to OH3 and OJ1.
const QStringList& triggerKeys();

// Writes one element per trigger-key column of the current Trigger row, in field order:
// "レ" where the rule held ("○"), empty otherwise. Other columns give no line.
void WriteTriggerXml(const Recordset& record, XmlOutputFile& file);

} // namespace orv
