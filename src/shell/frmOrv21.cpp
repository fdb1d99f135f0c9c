#include "shell/frmOrv21.h"

#include "common/MessageBoxService.h"
#include "data/AppState.h"
#include "data/FailureMessage.h"
#include "shell/MaximizedWindow.h"
#include "shell/WebBrowser.h"
#include "shell/frmDTPICK.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

namespace orv {

const QVector<frmOrv21::JumpItem>& frmOrv21::jumpItems()
{
    static const QVector<JumpItem> items = {
        {"IDM_1", "Ⅰ.基本情報", "KIHON1.HTM"},
        {"IDM_2", "Ⅱ.入院・入所前の生活", "KIHON2.HTM"},
        {"IDM_A", "A.患者・入所者の基本的情報", "A.HTM"},
        {"IDM_B", "B.認知", "B.HTM"},
        {"IDM_C", "C.コミュニケーション・聴覚", "C.HTM"},
        {"IDM_D", "D.視覚", "D.HTM"},
        {"IDM_E", "E.気分と行動", "E.HTM"},
        {"IDM_F", "F.心理面と対人関係", "F.HTM"},
        {"IDM_G", "G.身体機能と機能問題", "G.HTM"},
        {"IDM_H", "H.失禁（過去７日間）", "H.HTM"},
        {"IDM_I", "I.疾患", "I.HTM"},
        {"IDM_J", "J.健康状態", "J.HTM"},
        {"IDM_K", "K.口腔衛生，栄養状態", "K.HTM"},
        {"IDM_L", "L.口腔，歯の状態", "L.HTM"},
        {"IDM_M", "M.皮膚の状態", "M.HTM"},
        {"IDM_N", "N.活動パターン", "N.HTM"},
        {"IDM_O", "O.与薬（過去７日間）", "O.HTM"},
        {"IDM_P", "P.特別なケアと治療（過去７日間）", "P.HTM"},
        {"IDM_Q", "Q.退所の可能性，全体の状況", "Q.HTM"},
        {"IDM_R", "R.アセスメントへの参加", "R.HTM"},
    };
    return items;
}

frmOrv21::frmOrv21(AppState& state, QWidget* mainWindow, QWidget* parent)
    : QMainWindow(parent), m_state(state), m_mainWindow(mainWindow), m_wb(new WebBrowser(this)),
      m_document(*m_wb), m_commands(state, m_document, *this), m_keys(new PageKeyHold(*m_wb))
{
    setObjectName(QStringLiteral("frmOrv21"));
    setWindowTitle(applicationTitle());
    m_wb->setObjectName(QStringLiteral("WB"));
    setCentralWidget(m_wb); // placed at the top left and sized with the window
    buildMenus();

    connect(m_wb, &WebBrowser::beforeNavigate, this,
            [this](const QUrl&, bool* cancel) { *cancel = !m_state.NavPermit; });
    // Only the program's own loads: a refused navigation also reports a start.
    connect(m_wb, &QWebEngineView::loadStarted, this, [this] {
        if (m_state.NavPermit)
            m_commands.binding().pageLoadStarted();
    });
    connect(m_wb, &WebBrowser::pageMissing, this, [this](const QString& path) {
        m_state.msg->show(FailureMessage::text(FailureMessage::Kind::PageMissing, path),
                          StyleCritical);
    });
    connect(m_wb, &WebBrowser::statusTextChanged, this, [this](const QString& text) {
        if (text == PageKeyHold::answer()) {
            m_keys->pageAnswered();
            return;
        }
        const PageKeyHold::Busy busy(*m_keys);
        m_commands.handleStatusText(text);
    });
    connect(m_wb, &WebBrowser::renderProcessEnded, this, [this] {
        if (isVisible())
            m_commands.showPageAgain(m_wb->ownPage(), WebBrowser::RendererEndedText);
    });
    m_datePicker = [this] { frmDTPICK::showForPage(m_state, m_document, this); };
    qApp->installEventFilter(this);
}

frmOrv21::~frmOrv21()
{
    qApp->removeEventFilter(this);
}

void frmOrv21::buildMenus()
{
    m_faceSheetMenu = menuBar()->addMenu(QStringLiteral("ジャンプ(&J)"));
    m_faceSheetMenu->setObjectName(QStringLiteral("IDM_J1"));
    m_sectionMenu = menuBar()->addMenu(QStringLiteral("ジャンプ(&J)"));
    m_sectionMenu->setObjectName(QStringLiteral("IDM_J2"));
    for (const JumpItem& item : jumpItems()) {
        const QString name = QString::fromLatin1(item.name);
        QMenu* menu = name.size() == 5 && name.at(4).isDigit() ? m_faceSheetMenu : m_sectionMenu;
        QAction* action = menu->addAction(QString::fromUtf8(item.caption));
        action->setObjectName(name);
        const QString page = QString::fromLatin1(item.page);
        connect(action, &QAction::triggered, this, [this, page] {
            const PageKeyHold::Busy busy(*m_keys);
            m_commands.jump(page);
        });
        m_items.insert(name, action);
    }
    // A closed menu leaves the keyboard nowhere: the page's keys would do nothing until a click.
    for (QMenu* menu : {m_faceSheetMenu, m_sectionMenu}) {
        connect(menu, &QMenu::aboutToHide, this, [this] {
            QTimer::singleShot(0, this, [this] {
                if (!QApplication::activePopupWidget() && isActiveWindow() && !m_wb->hasFocus())
                    m_wb->setFocus();
            });
        });
    }
}

void frmOrv21::showEntry()
{
    if (!isVisible()) {
        setJumpMenuVisible(m_faceSheetMenu, true);
        setJumpMenuVisible(m_sectionMenu, true);
        for (QAction* action : std::as_const(m_items)) {
            action->setVisible(true);
            action->setEnabled(true);
        }
    }
    m_state.SkipSave = false;
    if (m_mainWindow)
        m_mainWindow->hide();
    MaximizedWindow::show(this);
}

void frmOrv21::navigatePage(const QString& pageFile)
{
    m_state.NavPermit = true;
    navigateAndWait(PageBinding::pagePath(m_state.folder.path(), pageFile));
    m_state.NavPermit = false;
}

bool frmOrv21::openPage(const QString& pageFile)
{
    navigatePage(pageFile);
    return LoadPage();
}

bool frmOrv21::LoadPage()
{
    return m_commands.binding().LoadPage();
}

void frmOrv21::setFaceSheetJumpsVisible(bool visible)
{
    setJumpMenuVisible(m_faceSheetMenu, visible);
}

void frmOrv21::setSectionJumpsVisible(bool visible)
{
    setJumpMenuVisible(m_sectionMenu, visible);
}

void frmOrv21::setJumpMenuVisible(QMenu* menu, bool visible)
{
    QAction* title = menu->menuAction();
    title->setVisible(visible);
    // A hidden menu leaves the bar, and with it its Alt+J: the two menus share the key, which
    // would otherwise open the hidden one at every second press.
    const QList<QAction*> shown = menuBar()->actions();
    if (!visible) {
        menuBar()->removeAction(title);
    } else if (!shown.contains(title)) {
        QAction* sectionTitle = m_sectionMenu->menuAction();
        const bool beforeSections = menu == m_faceSheetMenu && shown.contains(sectionTitle);
        menuBar()->insertAction(beforeSections ? sectionTitle : nullptr, title);
    }
}

void frmOrv21::setKonsuiJumpsEnabled(bool enabled)
{
    for (const char* name : {"IDM_C", "IDM_D", "IDM_E", "IDM_F"})
        m_items.value(QString::fromLatin1(name))->setEnabled(enabled);
}

void frmOrv21::KonsuiChg(bool St)
{
    m_commands.KonsuiChg(St);
}

void frmOrv21::DispKonsui(bool St)
{
    m_commands.DispKonsui(St);
}

void frmOrv21::navigateAndWait(const QString& filePath)
{
    m_wb->navigate(filePath);
    m_wb->waitUntilComplete();
}

void frmOrv21::unloadWindow()
{
    close(); // inside an unload already running this does nothing
}

void frmOrv21::runDatePicker()
{
    if (m_datePicker)
        m_datePicker();
}

void frmOrv21::KonsuiMenu()
{
    if (m_konsuiMenu)
        m_konsuiMenu();
    else
        setKonsuiJumpsEnabled(!m_state.KonsuiMode);
}

void frmOrv21::showMainWindow()
{
    if (m_mainWindow)
        m_mainWindow->show();
}

void frmOrv21::closeEvent(QCloseEvent* event)
{
    // A close from the title bar or the window menu is spontaneous; the program's is not.
    // A window that is not open has nothing to store.
    if (!isVisible() || m_commands.queryUnload(event->spontaneous()))
        event->accept();
    else
        event->ignore();
}

bool frmOrv21::event(QEvent* event)
{
    // The browser makes the window change its native surface when it first shows; some window
    // managers map the new surface unmaximized. Maximize again when that happens at once.
    if (event->type() == QEvent::WinIdChange && isVisible()) {
        // The new surface takes the keyboard as the old one had it.
        activateWindow();
        if (isMaximized())
            m_surfaceRecreated.start();
    } else if (event->type() == QEvent::WindowStateChange && m_surfaceRecreated.isValid()) {
        const bool lost =
            !(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
        if (lost && m_surfaceRecreated.elapsed() < m_recreationGraceMs)
            QTimer::singleShot(0, this, [this] {
                if (isVisible())
                    showMaximized();
            });
        m_surfaceRecreated.invalidate();
    }
    return QMainWindow::event(event);
}

bool frmOrv21::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        auto* widget = qobject_cast<QWidget*>(watched);
        auto* key = static_cast<QKeyEvent*>(event);
        if (widget && widget->window() == this &&
            EntryCommands::isSwallowedKey(key->key(), key->modifiers())) {
            event->accept();
            return true;
        }
    }
    if (m_keys->hold(watched, event))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

} // namespace orv
