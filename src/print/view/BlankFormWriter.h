#pragma once

#include <QString>
#include <QStringList>

namespace orv {

// Writes the seven blank forms of the folder "PDF": the printed forms without data, and the
// care-plan sheets.
class BlankFormWriter
{
public:
    static QStringList fileNames();
    // Writes every form into the folder (created if missing).
    static bool writeAll(const QString& folder, QString* error = nullptr);
};

} // namespace orv
