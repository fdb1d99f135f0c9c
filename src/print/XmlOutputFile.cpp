#include "print/XmlOutputFile.h"

#include "common/ProgramFolder.h"

#include <QStringBuilder>

namespace orv {

const QString XmlOutputFile::Declaration =
    QStringLiteral("<?xml version=\"1.0\" encoding=\"shift_jis\" ?>");

bool XmlOutputFile::open(const QString& path, QString* error)
{
    m_path = path;
    if (!m_writer.open(path, error))
        return false;
    m_writer.writeLine(Declaration);
    m_writer.writeLine(QStringLiteral("<main>"));
    return true;
}

void XmlOutputFile::writeElement(const QString& name, const QString& content)
{
    m_writer.writeLine(QLatin1Char('<') % name % QLatin1Char('>') % content % QLatin1String("</") %
                       name % QLatin1Char('>'));
}

void XmlOutputFile::writeLine(const QString& line)
{
    m_writer.writeLine(line);
}

bool XmlOutputFile::close(QString* error)
{
    m_writer.writeLine(QStringLiteral("</main>"));
    return m_writer.commit(error);
}

std::unique_ptr<XmlOutputFile> OpenXmlOutput(const ProgramFolder& folder, const QString& fileName,
                                             QString* error)
{
    auto file = std::make_unique<XmlOutputFile>();
    if (!file->open(folder.file(fileName), error))
        return nullptr;
    return file;
}

} // namespace orv
