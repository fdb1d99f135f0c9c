#include "print/view/ReportDesigner.h"

#include "print/ReportDataSource.h"
#include "print/view/ReportPreview.h"
#include "shell/MaximizedWindow.h"

#include <QDir>
#include <QFileInfo>

namespace orv {

namespace {

// File names in the program folder match without regard to case.
QString existingFile(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists())
        return path;
    const QStringList names = info.dir().entryList(QDir::Files);
    for (const QString& name : names) {
        if (name.compare(info.fileName(), Qt::CaseInsensitive) == 0)
            return info.dir().filePath(name);
    }
    return path;
}

} // namespace

ReportDesigner::ReportDesigner(const QString& name, ReportLayout layout)
    : m_name(name), m_document(std::make_shared<ReportDocument>(std::move(layout)))
{
}

ReportDesigner::~ReportDesigner() = default;

void ReportDesigner::ActiveReport_ReportStart()
{
    PrinterCopies = 1;
}

void ReportDesigner::readDataFile()
{
    m_document->record.clear();
    if (!FileURL.isEmpty())
        ReportDataSource::read(existingFile(FileURL), &m_document->record);
}

void ReportDesigner::Run()
{
    ActiveReport_ReportStart();
    readDataFile();
    Detail_Format();
}

void ReportDesigner::Show()
{
    Run();
    m_document->layout.caption = Caption;
    if (!m_preview)
        m_preview = std::make_unique<ReportPreview>();
    m_preview->setSaveChooser(m_saveChooser);
    m_preview->setResidentId(m_residentId);
    m_preview->setProgramFolder(m_programFolder);
    m_preview->setCopies(PrinterCopies);
    m_preview->setDocument(m_document);
    if (WindowState == 2)
        MaximizedWindow::show(m_preview.get());
    else
        m_preview->showNormal();
    m_preview->raise();
    m_preview->activateWindow();
}

} // namespace orv
