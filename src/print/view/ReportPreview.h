#pragma once

#include "print/ReportDocument.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QPrinter;
class QScrollArea;

namespace orv {

class ReportPageView;
class ReportRenderer;
class SaveFileChooser;

// The preview window of a report: pages through the document, prints it through the print
// dialog and saves it as PDF.
class ReportPreview : public QMainWindow
{
    Q_OBJECT
public:
    explicit ReportPreview(QWidget* parent = nullptr);
    ~ReportPreview() override;

    // Shows a document from its first page; the window takes the layout's caption.
    void setDocument(std::shared_ptr<const ReportDocument> document);
    const ReportDocument* document() const { return m_document.get(); }
    void setSaveChooser(SaveFileChooser* chooser) { m_saveChooser = chooser; }
    // The resident whose record the report shows; the PDF's file name carries the ID.
    void setResidentId(const QString& id) { m_residentId = id; }
    // The folder whose record files neither a save nor a print to a file may overwrite.
    void setProgramFolder(const QString& folder) { m_programFolder = folder; }
    // The file name a PDF of the report is offered under: the form's name and the resident's ID.
    static QString pdfFileName(const QString& caption, const QString& residentId);
    // That name in the user's documents folder (the home folder when there is none): where saving
    // as PDF and printing to a file start.
    QString suggestedPdfPath() const;
    // Asks for the printer and its settings; true to print. The print dialog unless replaced
    // (tests answer it themselves).
    using PrintDialog = std::function<bool(QPrinter& printer, QWidget* parent)>;
    void setPrintDialog(PrintDialog dialog) { m_printDialog = std::move(dialog); }
    // Copies the print dialog starts with.
    void setCopies(int copies) { m_copies = copies; }

    int pageCount() const;
    int currentPage() const;
    void showPage(int page);
    void setZoomIndex(int index);

    bool savePdf(const QString& path, QString* error = nullptr) const;
    void printTo(QPrinter* printer) const;
    // Asks for a file, starting in the user's documents folder, writes the PDF and says so in
    // the status line.
    void saveAsPdf();
    // Opens the print dialog and prints.
    void printWithDialog();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolBar();
    // The preview's dialogs have closed: keys go to the pages again.
    void takeKeyboardBack();
    void applyZoom();
    void updateControls();

    std::shared_ptr<const ReportDocument> m_document;
    std::unique_ptr<ReportRenderer> m_renderer;
    SaveFileChooser* m_saveChooser = nullptr;
    QString m_residentId;
    QString m_programFolder;
    PrintDialog m_printDialog;
    int m_copies = 1;
    QScrollArea* m_scroll = nullptr;
    ReportPageView* m_view = nullptr;
    QLabel* m_pageLabel = nullptr;
    QComboBox* m_zoom = nullptr;
    QAction* m_first = nullptr;
    QAction* m_previous = nullptr;
    QAction* m_next = nullptr;
    QAction* m_last = nullptr;
};

} // namespace orv
