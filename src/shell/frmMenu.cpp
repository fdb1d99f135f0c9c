#include "shell/frmMenu.h"

#include "common/MessageBoxService.h"
#include "common/Twips.h"
#include "data/AppState.h"
#include "data/Database.h"
#include "data/ComaMode.h"
#include "data/FailureMessage.h"
#include "data/Recordset.h"
#include "print/view/frmPDFPrint.h"
#include "rap/RapRun.h"
#include "rap/RapSummaryTicker.h"
#include "rap/VerificationMode.h"
#include "shell/MenuKeys.h"
#include "shell/MenuNavigationGuard.h"
#include "shell/WebBrowser.h"
#include "shell/WindowMenu.h"
#include "shell/frmDateSet.h"
#include "shell/frmOrv21.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QScreen>
#include <QSessionManager>

namespace orv {

const QString frmMenu::QuitQuestion = QStringLiteral("終了しますか？");

frmMenu::frmMenu(AppState& state, MenuStartup::DatabaseStep databaseStep, QWidget* parent)
    : frmMenu(state, std::make_unique<MenuStartup>(state, std::move(databaseStep)), parent)
{
}

frmMenu::frmMenu(AppState& state, std::unique_ptr<MenuStartup> startup, QWidget* parent)
    : QMainWindow(parent), m_state(state), m_wb(new WebBrowser(this)),
      m_startup(std::move(startup)),
      m_dispatcher(state, *this, [this] { m_wb->setStatusText(QString()); }), m_prints(state),
      m_workflows(state, *this)
{
    setObjectName(QStringLiteral("frmMenu"));
    setWindowTitle(applicationTitle());
    m_wb->setObjectName(QStringLiteral("WB"));
    // The right-click menu of the window is its window menu.
    m_wb->setContextMenuPolicy(Qt::CustomContextMenu);
    setCentralWidget(m_wb);

    connect(m_wb, &WebBrowser::statusTextChanged, this,
            [this](const QString& text) { m_dispatcher.WB_StatusTextChange(text); });
    connect(m_wb, &WebBrowser::beforeNavigate, this, &frmMenu::WB_BeforeNavigate2);
    connect(m_wb, &WebBrowser::pageMissing, this, [this](const QString& path) {
        m_state.msg->show(FailureMessage::text(FailureMessage::Kind::PageMissing, path),
                          StyleCritical);
    });
    connect(m_wb, &WebBrowser::renderProcessEnded, this, &frmMenu::showMenuPageAgain);
    // Every key press of the window passes the key handler first.
    qApp->installEventFilter(this);
    connect(qApp, &QGuiApplication::commitDataRequest, this, &frmMenu::endOfSession);
}

frmMenu::~frmMenu()
{
    qApp->removeEventFilter(this);
    delete m_entryWindow.data();
}

frmOrv21* frmMenu::entryWindow()
{
    if (!m_entryWindow) {
        m_entryWindow = new frmOrv21(m_state, this);
        m_entryWindow->setAttribute(Qt::WA_DeleteOnClose);
        m_entryWindow->setKonsuiMenuHandler([this] { KonsuiMenu(); });
    }
    return m_entryWindow;
}

void frmMenu::unloadEntryWindow()
{
    // An unload from code: the window's own rules decide whether the page is stored first.
    if (m_entryWindow)
        m_entryWindow->close();
}

bool frmMenu::Form_Load()
{
    return m_startup->Form_Load(*this);
}

void frmMenu::installWindowMenu()
{
    if (m_windowMenu)
        return;
    m_windowMenu = new WindowMenu(this, [this] { IDM_VerInfo_Click(); });
    connect(m_wb, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { m_windowMenu->popup(m_wb->mapToGlobal(pos)); });
}

void frmMenu::preloadPage(const QString& page)
{
    // The database is not open yet: the page's commands wait for navigate().
    m_wb->holdStatus(true);
    if (m_wb->navigate(page))
        m_preloadedPage = page;
}

bool frmMenu::navigate(const QString& page)
{
    const bool shown = page == std::exchange(m_preloadedPage, QString()) || m_wb->navigate(page);
    m_wb->holdStatus(false);
    return shown;
}

void frmMenu::placeWindow()
{
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const Twips twips(screen->logicalDotsPerInch());
    const QSize outer = twips.toPixels(9500, 9200);
    create(); // the frame is known once the platform window exists
    const QSize frame = frameGeometry().size() - size();
    resize(outer - frame);
    const QRect area = screen->geometry();
    const int left = Twips::centredOffset(twips.fromPixels(area.width()), 9500);
    const int top = Twips::centredOffset(twips.fromPixels(area.height()), 9200);
    move(area.topLeft() + QPoint(twips.toPixels(left), twips.toPixels(top)));
}

bool frmMenu::event(QEvent* event)
{
    // A window manager frames the window only after it shows; the outer size and the centring
    // count the frame, so the window is placed again once its repaints find the frame known.
    if (!m_frameFitted && event->type() == QEvent::UpdateRequest && isVisible() &&
        !(frameGeometry().size() - size()).isNull()) {
        m_frameFitted = true;
        placeWindow();
    }
    return QMainWindow::event(event);
}

void frmMenu::waitForPage()
{
    QString failure;
    // A renderer that ended is told by its own notice, which loads the page again.
    if (!m_wb->waitUntilComplete(&failure) && !m_wb->rendererEnded())
        m_state.msg->show(failure, StyleCritical);
}

void frmMenu::showMenuPageAgain()
{
    if (m_unloaded)
        return;
    // While a record is open the entry window speaks for the pages; the hidden menu is only
    // made whole again.
    if (!m_entryWindow || !m_entryWindow->isVisible())
        m_state.msg->show(WebBrowser::RendererEndedText +
                              QStringLiteral("\nメニュー画面を読み込み直します。"),
                          StyleCritical);
    const QString page = m_state.folder.file(MenuStartup::MainMenuPage);
    const bool permit = std::exchange(m_state.NavPermit, true);
    if (m_wb->navigate(page))
        waitForPage();
    else
        m_state.msg->show(FailureMessage::text(FailureMessage::Kind::PageMissing, page),
                          StyleCritical);
    m_state.NavPermit = permit;
}

QString frmMenu::versionText()
{
    return QStringLiteral("Orv2.1 添付CDソフト バージョン：%1.%2.%3")
        .arg(ORV_VERSION_MAJOR)
        .arg(ORV_VERSION_MINOR)
        .arg(ORV_VERSION_PATCH);
}

void frmMenu::IDM_VerInfo_Click()
{
    m_state.msg->show(versionText(), StyleInformation, QStringLiteral("Orv2.1 バージョン情報"));
}

void frmMenu::WB_BeforeNavigate2(const QUrl& url, bool* cancel)
{
    if (MenuNavigationGuard::cancels(url.toString(), m_state.NavPermit))
        *cancel = true;
}

bool frmMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        const auto* key = static_cast<QKeyEvent*>(event);
        int keyCode = MenuKeys::keyCodeOf(key->key(), key->nativeVirtualKey());
        if (keyCode != 0) {
            const bool kentei =
                MenuKeys::Form_KeyDown(keyCode, MenuKeys::shiftMaskOf(int(key->modifiers())));
            // The chord goes no further: the page would hand it back unhandled and start the
            // mode a second time.
            if (kentei)
                KenteiMode();
            if (kentei || keyCode == 0)
                return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMenu::closeEvent(QCloseEvent* event)
{
    int cancel = 0;
    Form_QueryUnload(cancel, std::exchange(m_unloadMode, 0));
    if (cancel) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

void frmMenu::Form_QueryUnload(int& cancel, int unloadMode)
{
    if (unloadMode != 0)
        return;
    if (m_state.msg->show(QuitQuestion, StyleYesNoInformation) == AnswerNo)
        cancel = 1;
}

void frmMenu::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    // Record sets go before the connection they read.
    m_state.CurRs.reset();
    m_state.RapRs.reset();
    if (m_state.Db)
        m_state.Db->close();
    m_state.Db.reset();
    closeTopLevel(QStringLiteral("frmNewData"));
    qApp->removeEventFilter(this);
}

void frmMenu::closeTopLevel(const QString& objectName)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window->objectName() == objectName) {
            window->close();
        }
    }
}

void frmMenu::AppQuit()
{
    if (m_state.msg->show(QuitQuestion, StyleYesNoInformation) == AnswerNo)
        return;
    m_unloadMode = 1;
    close();
}

void frmMenu::endOfSession(QSessionManager& manager)
{
    if (m_unloaded)
        return;
    // Dialogs still open go as their close boxes would have them go.
    for (int open = 0; open < 8; ++open) {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog)
            break;
        dialog->close();
    }
    // Closed from the system, the entry window asks nothing and stores its page.
    if (m_entryWindow && m_entryWindow->isVisible() && !m_entryWindow->close()) {
        manager.cancel();
        return;
    }
    m_unloadMode = 2;
    close();
}

void frmMenu::KonsuiMenu()
{
    entryWindow()->setKonsuiJumpsEnabled(!m_state.KonsuiMode);
}

void frmMenu::Face_Print()
{
    m_prints.Face_Print();
}

void frmMenu::Assessment_PRINT()
{
    m_prints.Assessment_PRINT();
}

void frmMenu::SAM_PRINT()
{
    m_prints.SAM_PRINT();
}

void frmMenu::DRAG_PRINT()
{
    m_prints.DRAG_PRINT();
}

void frmMenu::RAP_PRINT()
{
    m_prints.RAP_PRINT();
}

void frmMenu::RAPL_PRINT()
{
    m_prints.RAPL_PRINT();
}

void frmMenu::KENTO_PRINT()
{
    m_prints.KENTO_PRINT();
}

void frmMenu::KenteiMode()
{
    VerificationMode(m_state).KenteiMode();
}

void frmMenu::RAP_CREATE()
{
    if (!m_rapRun)
        m_rapRun = std::make_unique<RapRun>(m_state);
    m_rapRun->RAP_CREATE();
}

void frmMenu::showPdfPrint()
{
    frmPDFPrint::showOrRaise(m_pdfPrint, m_state, this);
}

void frmMenu::Face_new()
{
    m_workflows.Face_new();
}

void frmMenu::Face_EDIT()
{
    m_workflows.Face_EDIT();
}

void frmMenu::Assessment_new()
{
    m_workflows.Assessment_new();
}

void frmMenu::Assessment_EDIT()
{
    m_workflows.Assessment_EDIT();
}

void frmMenu::RAP_new()
{
    m_workflows.RAP_new();
}

void frmMenu::RAP_EDIT()
{
    m_workflows.RAP_EDIT();
}

void frmMenu::DRAG_new()
{
    m_workflows.DRAG_new();
}

void frmMenu::DRAG_EDIT()
{
    m_workflows.DRAG_EDIT();
}

void frmMenu::showDateDialog(const QString& caption, const QString& label)
{
    frmDateSet::showModal(m_state, caption, label, this);
}

void frmMenu::showEntryWindow(bool faceSheetJumps, bool sectionJumps)
{
    frmOrv21* window = entryWindow();
    window->showEntry();
    window->setFaceSheetJumpsVisible(faceSheetJumps);
    window->setSectionJumpsVisible(sectionJumps);
}

void frmMenu::navigateEntryPage(const QString& page)
{
    const QString path = m_state.folder.file(QStringLiteral("FORM/") + page);
    // Without its page the record cannot be shown: the window closes as if left unsaved, and
    // the wait that follows finds it gone.
    if (!entryWindow()->WB()->navigate(path))
        entryWindow()->leaveForMissingPage(path);
}

bool frmMenu::waitForEntryPage()
{
    const QPointer<frmOrv21> window = entryWindow();
    QString failure;
    const bool complete = window->WB()->waitUntilComplete(&failure);
    if (!window || !window->isVisible())
        return false;
    // A renderer that ended is told by the entry window, which shows the page again.
    if (!complete && !window->WB()->rendererEnded())
        m_state.msg->show(failure, StyleCritical);
    return complete;
}

void frmMenu::loadEntryPage()
{
    entryWindow()->LoadPage();
}

bool frmMenu::IsKonsui()
{
    return ComaMode(m_state).IsKonsui();
}

void frmMenu::RAP_SAM_SET(const DateValue& rapDate)
{
    RapSummaryTicker(m_state).RAP_SAM_SET(rapDate);
}

} // namespace orv
