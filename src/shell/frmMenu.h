#pragma once

#include "shell/MenuDispatcher.h"
#include "shell/MenuOperations.h"
#include "shell/MenuStartup.h"
#include "shell/RecordWorkflows.h"
#include "shell/WorkflowHost.h"
#include "print/PrintCommands.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class QSessionManager;

namespace orv {

struct AppState;
class WebBrowser;
class WindowMenu;
class frmOrv21;
class frmPDFPrint;
class RapRun;

// The main window: hosts the main-menu page and carries the operations its commands call.
class frmMenu : public QMainWindow,
                public MenuOperations,
                private MenuStartup::Window,
                private WorkflowHost
{
    Q_OBJECT
public:
    static const QString QuitQuestion;

    explicit frmMenu(AppState& state, MenuStartup::DatabaseStep databaseStep = nullptr,
                     QWidget* parent = nullptr);
    // With a start-up that may have begun already (see MenuStartup::begin).
    frmMenu(AppState& state, std::unique_ptr<MenuStartup> startup, QWidget* parent = nullptr);
    ~frmMenu() override;

    // Start-up; false when the program must end at once (the window is not shown then).
    bool Form_Load();

    WebBrowser* WB() const { return m_wb; }
    WindowMenu* windowMenu() const { return m_windowMenu; }
    MenuDispatcher& dispatcher() { return m_dispatcher; }
    PrintCommands& prints() { return m_prints; }

    // The section-entry window, created on first reference; closing it unloads it.
    frmOrv21* entryWindow();
    bool isEntryWindowLoaded() const { return !m_entryWindow.isNull(); }

    static QString versionText();
    void IDM_VerInfo_Click();

    // unloadMode 0: the user closed the window; 1: an unload from code; 2: from the system.
    void Form_QueryUnload(int& cancel, int unloadMode);
    void Form_Unload();
    // The desktop session ends: the program closes asking nothing, an open entry window storing
    // its page first; a page that cannot be stored keeps the session.
    void endOfSession(QSessionManager& manager);

    void AppQuit() override;
    void Face_new() override;
    void Face_EDIT() override;
    void Assessment_new() override;
    void Assessment_EDIT() override;
    void KonsuiMenu() override;
    void RAP_new() override;
    void RAP_EDIT() override;
    void DRAG_new() override;
    void DRAG_EDIT() override;
    void Face_Print() override;
    void Assessment_PRINT() override;
    void SAM_PRINT() override;
    void DRAG_PRINT() override;
    void RAP_PRINT() override;
    void RAPL_PRINT() override;
    void KENTO_PRINT() override;
    void RAP_CREATE() override;
    void unloadEntryWindow() override;
    void showPdfPrint() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void installWindowMenu() override;
    void preloadPage(const QString& page) override;
    bool navigate(const QString& page) override;
    void placeWindow() override;
    void waitForPage() override;
    // The menu page's renderer ended: says so and loads the page again.
    void showMenuPageAgain();

    void showDateDialog(const QString& caption, const QString& label) override;
    void showEntryWindow(bool faceSheetJumps, bool sectionJumps) override;
    void navigateEntryPage(const QString& page) override;
    bool waitForEntryPage() override;
    void loadEntryPage() override;
    bool IsKonsui() override;
    void RAP_SAM_SET(const DateValue& rapDate) override;

    void WB_BeforeNavigate2(const QUrl& url, bool* cancel);
    void KenteiMode();
    void closeTopLevel(const QString& objectName);

    AppState& m_state;
    WebBrowser* m_wb;
    WindowMenu* m_windowMenu = nullptr;
    QString m_preloadedPage;
    std::unique_ptr<MenuStartup> m_startup;
    MenuDispatcher m_dispatcher;
    PrintCommands m_prints;
    RecordWorkflows m_workflows;
    std::unique_ptr<RapRun> m_rapRun;
    QPointer<frmOrv21> m_entryWindow;
    QPointer<frmPDFPrint> m_pdfPrint;
    int m_unloadMode = 0;
    bool m_unloaded = false;
    bool m_frameFitted = false;
};

} // namespace orv
