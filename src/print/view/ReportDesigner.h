#pragma once

#include "print/ReportDocument.h"

#include <QString>

#include <memory>

namespace orv {

class ReportPreview;
class SaveFileChooser;

// A report designer: a layout with the handlers the report runs through. The owner calls
// ActiveReport_Initialize once after creating it; each Run starts with ActiveReport_ReportStart,
// reads the data file named by FileURL and formats the Detail band; Show runs the report and
// puts it in its preview window.
class ReportDesigner
{
public:
    ReportDesigner(const QString& name, ReportLayout layout);
    virtual ~ReportDesigner();
    ReportDesigner(const ReportDesigner&) = delete;
    ReportDesigner& operator=(const ReportDesigner&) = delete;

    QString name() const { return m_name; }

    // Window state of the preview (2: maximised), its caption, the data file, and the copies
    // the printer starts with.
    int WindowState = 0;
    QString Caption;
    QString FileURL;
    int PrinterCopies = 0;

    virtual void ActiveReport_Initialize() {}
    virtual void ActiveReport_ReportStart();
    virtual void Detail_Format() {}

    virtual void Run();
    void Show();

    ReportDocument& document() { return *m_document; }
    std::shared_ptr<ReportDocument> sharedDocument() const { return m_document; }
    // The preview window, once shown.
    ReportPreview* preview() const { return m_preview.get(); }
    void setSaveChooser(SaveFileChooser* chooser) { m_saveChooser = chooser; }
    void setResidentId(const QString& id) { m_residentId = id; }
    void setProgramFolder(const QString& folder) { m_programFolder = folder; }

protected:
    void readDataFile();

private:
    QString m_name;
    std::shared_ptr<ReportDocument> m_document;
    std::unique_ptr<ReportPreview> m_preview;
    SaveFileChooser* m_saveChooser = nullptr;
    QString m_residentId;
    QString m_programFolder;
};

} // namespace orv
