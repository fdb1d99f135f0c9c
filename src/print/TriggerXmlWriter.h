#pragma once

#include <QString>

namespace orv {

class Recordset;
class XmlOutputFile;

// Writes one element per trigger-key column of the current Trigger row, in field order:
// "レ" where the rule held ("○"), empty otherwise. Other columns give no line.
void WriteTriggerXml(const Recordset& record, XmlOutputFile& file);

} // namespace orv
