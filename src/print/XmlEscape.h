#pragma once

#include <QString>

namespace orv {

// A value made safe for element content of a report-data file: "&", "<" and ">" become
// entity references, so the report reads back exactly the stored text.
QString XmlEscape(const QString& text);

} // namespace orv
