#pragma once

#include "common/AnsiText.h"

#include <QString>

#include <memory>

namespace orv {

class ProgramFolder;

// One report-data file: the declaration, the root element "main" with one element per line,
// CP932 with CR LF. The file on disk is replaced only when close() succeeds.
class XmlOutputFile
{
public:
    static const QString Declaration;

    bool open(const QString& path, QString* error = nullptr);
    QString path() const { return m_path; }
    // "<name>content</name>"; the content is written as given (already escaped).
    void writeElement(const QString& name, const QString& content);
    void writeLine(const QString& line);
    // Writes "</main>" and replaces the file.
    bool close(QString* error = nullptr);

private:
    QString m_path;
    AnsiTextWriter m_writer{AnsiTextWriter::Durability::Unsynced};
};

// Opens a report-data file of the program folder and writes its first two lines; nullptr (and
// the reason in error) when the file cannot be written.
std::unique_ptr<XmlOutputFile> OpenXmlOutput(const ProgramFolder& folder, const QString& fileName,
                                             QString* error = nullptr);

} // namespace orv
