#pragma once

#include "shell/EntryCommandHost.h"
#include "shell/EntryCommands.h"
#include "shell/PageKeyHold.h"
#include "shell/WebPageDocument.h"

#include <QElapsedTimer>
#include <QHash>
#include <QMainWindow>

#include <functional>

class QAction;
class QMenu;

namespace orv {

struct AppState;
class WebBrowser;

// The entry window: one entry page of the record in work, its two jump menus and the page
// commands. The logic lives in EntryCommands and PageBinding.
//
// A workflow opens it so: setFaceSheetJumpsVisible/setSectionJumpsVisible, showEntry(), then
// openPage("A.HTM") (navigates with NavPermit set, waits and fills the page from CurRs).
class frmOrv21 : public QMainWindow, private EntryCommandHost
{
    Q_OBJECT
public:
    struct JumpItem
    {
        const char* name;
        const char* caption;
        const char* page;
    };
    // The twenty jump items: IDM_1, IDM_2 of IDM_J1, then IDM_A to IDM_R of IDM_J2.
    static const QVector<JumpItem>& jumpItems();

    explicit frmOrv21(AppState& state, QWidget* mainWindow = nullptr, QWidget* parent = nullptr);
    ~frmOrv21() override;

    WebBrowser* WB() const { return m_wb; }
    PageDocument& document() { return m_document; }
    EntryCommands& commands() { return m_commands; }
    PageKeyHold& keys() { return *m_keys; }

    // Shows the window maximized as a fresh load does: SkipSave cleared, every jump item
    // visible and enabled, the main window hidden.
    void showEntry();
    // Navigates to FORM/<pageFile> with NavPermit set, waits until complete and fills the page.
    bool openPage(const QString& pageFile);
    // Navigates to FORM/<pageFile> with NavPermit set and waits; no filling.
    void navigatePage(const QString& pageFile);
    bool LoadPage();
    // The page of the record is not there: says so and closes as if left unsaved.
    void leaveForMissingPage(const QString& pagePath) { m_commands.leaveForMissingPage(pagePath); }

    void setFaceSheetJumpsVisible(bool visible);
    void setSectionJumpsVisible(bool visible);
    // Enabled state of IDM_C, IDM_D, IDM_E and IDM_F (what frmMenu.KonsuiMenu sets).
    void setKonsuiJumpsEnabled(bool enabled);
    QAction* jumpAction(const QString& name) const { return m_items.value(name); }
    QMenu* IDM_J1() const { return m_faceSheetMenu; }
    QMenu* IDM_J2() const { return m_sectionMenu; }

    void KonsuiChg(bool St);
    void DispKonsui(bool St) override;

    // frmMenu.KonsuiMenu; without one, the window sets its own items from KonsuiMode.
    void setKonsuiMenuHandler(std::function<void()> handler) { m_konsuiMenu = std::move(handler); }
    // The modal date-time picker (frmDTPICK preloaded from the page unless replaced); the
    // picker protocol of the state carries its result.
    void setDatePicker(std::function<void()> picker) { m_datePicker = std::move(picker); }
    // How long after the browser replaced the native window a lost maximized state is taken
    // back; a restore later than that is the user's.
    void setRecreationGrace(int ms) { m_recreationGraceMs = ms; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void navigateAndWait(const QString& filePath) override;
    void unloadWindow() override;
    void runDatePicker() override;
    void KonsuiMenu() override;
    void showMainWindow() override;
    void buildMenus();
    void setJumpMenuVisible(QMenu* menu, bool visible);

    AppState& m_state;
    QWidget* m_mainWindow;
    WebBrowser* m_wb;
    WebPageDocument m_document;
    EntryCommands m_commands;
    PageKeyHold* m_keys;
    QMenu* m_faceSheetMenu = nullptr;
    QMenu* m_sectionMenu = nullptr;
    QHash<QString, QAction*> m_items;
    std::function<void()> m_konsuiMenu;
    std::function<void()> m_datePicker;
    QElapsedTimer m_surfaceRecreated; // since the native window was last replaced while maximized
    int m_recreationGraceMs = 2000;
};

} // namespace orv
