#include "print/view/ReportPreview.h"

#include "common/SaveFileChooser.h"
#include "data/RecordFiles.h"
#include "print/view/ReportPageView.h"
#include "print/view/ReportRenderer.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>

namespace orv {

namespace {

// Zoom choices: 0 whole page, 1 page width, then fixed factors.
const double kZooms[] = {0, 0, 0.5, 0.75, 1.0, 1.5, 2.0};
const char* const kZoomNames[] = {"ページ全体", "ページ幅", "50%", "75%", "100%", "150%", "200%"};

} // namespace

ReportPreview::ReportPreview(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmReportPreview"));
    // An open preview does not keep the program running once the main window has gone.
    setAttribute(Qt::WA_QuitOnClose, false);
    m_view = new ReportPageView;
    m_scroll = new QScrollArea;
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setWidget(m_view);
    m_scroll->installEventFilter(this);
    setCentralWidget(m_scroll);
    buildToolBar();
    statusBar()->setObjectName(QStringLiteral("sbPreview"));
    m_printDialog = [this](QPrinter& printer, QWidget* parent) {
        QPrintDialog dialog(&printer, parent);
        dialog.setWindowTitle(QStringLiteral("印刷"));
        dialog.setMinMax(printer.fromPage(), printer.toPage());
        // Printing to a file offers the name and folder that saving as PDF offers, not the
        // document name cut at its first dot.
        if (auto* file = dialog.findChild<QLineEdit*>(QStringLiteral("filename")))
            file->setText(suggestedPdfPath());
        return dialog.exec() == QDialog::Accepted;
    };
    resize(900, 1000);
}

ReportPreview::~ReportPreview() = default;

void ReportPreview::buildToolBar()
{
    QToolBar* bar = addToolBar(QStringLiteral("プレビュー"));
    bar->setObjectName(QStringLiteral("tbPreview"));
    bar->setMovable(false);
    QAction* print =
        bar->addAction(QStringLiteral("印刷..."), this, &ReportPreview::printWithDialog);
    print->setObjectName(QStringLiteral("actPrint"));
    print->setShortcut(QKeySequence::Print);
    QAction* pdf = bar->addAction(QStringLiteral("PDF保存..."), this, &ReportPreview::saveAsPdf);
    pdf->setObjectName(QStringLiteral("actSavePdf"));
    pdf->setShortcut(QKeySequence::Save);
    bar->addSeparator();
    m_first = bar->addAction(QStringLiteral("|◀"), this, [this] { showPage(0); });
    m_first->setObjectName(QStringLiteral("actFirst"));
    m_first->setShortcut(Qt::CTRL | Qt::Key_Home);
    m_previous = bar->addAction(QStringLiteral("◀ 前のページ"), this,
                                [this] { showPage(currentPage() - 1); });
    m_previous->setObjectName(QStringLiteral("actPrevious"));
    m_previous->setShortcut(Qt::Key_PageUp);
    m_pageLabel = new QLabel;
    m_pageLabel->setObjectName(QStringLiteral("lblPage"));
    m_pageLabel->setMinimumWidth(80);
    m_pageLabel->setAlignment(Qt::AlignCenter);
    bar->addWidget(m_pageLabel);
    m_next = bar->addAction(QStringLiteral("次のページ ▶"), this,
                            [this] { showPage(currentPage() + 1); });
    m_next->setObjectName(QStringLiteral("actNext"));
    m_next->setShortcut(Qt::Key_PageDown);
    m_last = bar->addAction(QStringLiteral("▶|"), this, [this] { showPage(pageCount() - 1); });
    m_last->setObjectName(QStringLiteral("actLast"));
    m_last->setShortcut(Qt::CTRL | Qt::Key_End);
    bar->addSeparator();
    m_zoom = new QComboBox;
    m_zoom->setObjectName(QStringLiteral("cboZoom"));
    for (const char* name : kZoomNames)
        m_zoom->addItem(QString::fromUtf8(name));
    m_zoom->setCurrentIndex(1);
    connect(m_zoom, &QComboBox::currentIndexChanged, this, [this] { applyZoom(); });
    bar->addWidget(m_zoom);
    bar->addSeparator();
    QAction* close = bar->addAction(QStringLiteral("閉じる"), this, &QWidget::close);
    close->setObjectName(QStringLiteral("actClose"));
    close->setShortcut(Qt::Key_Escape);
}

void ReportPreview::setDocument(std::shared_ptr<const ReportDocument> document)
{
    m_document = std::move(document);
    m_renderer = m_document ? std::make_unique<ReportRenderer>(*m_document) : nullptr;
    setWindowTitle(m_document ? m_document->layout.caption : QString());
    statusBar()->clearMessage(); // a save of the document shown before
    m_view->setRenderer(m_renderer.get());
    applyZoom();
    showPage(0);
}

int ReportPreview::pageCount() const
{
    return m_renderer ? m_renderer->pageCount() : 0;
}

int ReportPreview::currentPage() const
{
    return m_view->page();
}

void ReportPreview::showPage(int page)
{
    if (pageCount() == 0)
        return;
    m_view->setPage(std::clamp(page, 0, pageCount() - 1));
    m_scroll->verticalScrollBar()->setValue(0);
    updateControls();
}

void ReportPreview::setZoomIndex(int index)
{
    m_zoom->setCurrentIndex(index);
}

void ReportPreview::applyZoom()
{
    const int index = m_zoom->currentIndex();
    const QSizeF sheet = m_view->sheetSize();
    // The room is measured without the scroll bars, whether they show at this moment or not;
    // a page taller than the window then gives up the width of the vertical bar.
    const QSize room = m_scroll->maximumViewportSize() - QSize(32, 32);
    double zoom = kZooms[index];
    if (index == 0) {
        zoom = std::min(room.width() / sheet.width(), room.height() / sheet.height());
    } else if (index == 1) {
        zoom = room.width() / sheet.width();
        if (sheet.height() * zoom > room.height())
            zoom =
                (room.width() - m_scroll->verticalScrollBar()->sizeHint().width()) / sheet.width();
    }
    if (std::abs(zoom - m_view->zoom()) > 0.001 || m_view->size().isEmpty())
        m_view->setZoom(zoom);
}

bool ReportPreview::eventFilter(QObject* watched, QEvent* event)
{
    // The whole page and page width follow the room the pages have, which the window's own
    // resize does not yet know when it first shows.
    if (watched == m_scroll && event->type() == QEvent::Resize && m_zoom &&
        m_zoom->currentIndex() <= 1)
        applyZoom();
    return QMainWindow::eventFilter(watched, event);
}

void ReportPreview::updateControls()
{
    const int page = currentPage();
    const int count = pageCount();
    m_pageLabel->setText(QStringLiteral("%1 / %2").arg(page + 1).arg(count));
    m_first->setEnabled(page > 0);
    m_previous->setEnabled(page > 0);
    m_next->setEnabled(page + 1 < count);
    m_last->setEnabled(page + 1 < count);
}

bool ReportPreview::savePdf(const QString& path, QString* error) const
{
    if (!m_renderer)
        return false;
    return m_renderer->writePdf(path, error);
}

void ReportPreview::printTo(QPrinter* printer) const
{
    if (m_renderer)
        m_renderer->print(printer);
}

QString ReportPreview::pdfFileName(const QString& caption, const QString& residentId)
{
    static const QString programPrefix = QStringLiteral("Orv2.1 ");
    QString name = caption.startsWith(programPrefix) ? caption.mid(programPrefix.size()) : caption;
    if (!residentId.isEmpty())
        name += QLatin1Char('_') + residentId;
    // Characters no file name may hold on the desktops the file may travel to.
    static const QRegularExpression unsafe(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1f]"));
    return name.replace(unsafe, QStringLiteral("_")).trimmed() + QStringLiteral(".pdf");
}

QString ReportPreview::suggestedPdfPath() const
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(folder).isDir())
        folder = QDir::homePath();
    return QDir(folder).filePath(
        pdfFileName(m_document ? m_document->layout.caption : QString(), m_residentId));
}

void ReportPreview::takeKeyboardBack()
{
    // With no window manager no one else gives the keyboard back once a dialog has closed.
    if (isVisible()) {
        activateWindow();
        m_scroll->setFocus();
    }
}

void ReportPreview::saveAsPdf()
{
    if (!m_renderer || !m_saveChooser)
        return;
    const auto keyboardBack = qScopeGuard([this] { takeKeyboardBack(); });
    const QString path = m_saveChooser->chooseSaveFile(
        QStringLiteral("PDFファイル|*.pdf"), QStringLiteral("PDFで保存"), suggestedPdfPath(), this);
    if (path.isEmpty())
        return;
    QString error;
    if (!savePdf(path, &error)) {
        QMessageBox::critical(this, windowTitle(), error);
        return;
    }
    statusBar()->showMessage(
        QStringLiteral("PDFファイルを保存しました：%1").arg(QDir::toNativeSeparators(path)));
}

void ReportPreview::printWithDialog()
{
    if (!m_renderer)
        return;
    const auto keyboardBack = qScopeGuard([this] { takeKeyboardBack(); });
    QPrinter printer(QPrinter::HighResolution);
    const QPageLayout layout = m_renderer->pageLayout();
    if (m_document->layout.paper == PaperKind::A4)
        printer.setPageSize(layout.pageSize());
    printer.setPageOrientation(layout.orientation());
    printer.setPageMargins(layout.margins(), layout.units());
    printer.setCopyCount(m_copies);
    printer.setDocName(m_document->layout.caption);
    printer.setFromTo(1, pageCount());
    if (!m_printDialog(printer, this))
        return;
    // The print dialog's own file chooser does not know the record files.
    if (RecordFiles::isRecordFile(m_programFolder, printer.outputFileName())) {
        QMessageBox::critical(this, windowTitle(), RecordFiles::refusal(printer.outputFileName()));
        return;
    }
    printTo(&printer);
}

} // namespace orv
