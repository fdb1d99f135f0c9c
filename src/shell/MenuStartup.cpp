#include "shell/MenuStartup.h"

#include "common/MessageBoxService.h"
#include "data/AppState.h"
#include "data/Database.h"
#include "data/DatabaseStartup.h"
#include "data/FailureMessage.h"

#include <QCoreApplication>

namespace orv {

const QString MenuStartup::ProfileName = QStringLiteral("Orv21.PRA");
const QString MenuStartup::LockName = QStringLiteral("Orv21.lock");
const QString MenuStartup::MainMenuPage = QStringLiteral("MainMenu/MainMenuFr.htm");
const QString MenuStartup::AlreadyRunningText =
    QStringLiteral("既に起動されているので、終了します。");

MenuStartup::MenuStartup(AppState& state, DatabaseStep databaseStep)
    : m_state(state), m_databaseStep(databaseStep ? std::move(databaseStep) : &compactAndOpen)
{
}

bool MenuStartup::compactAndOpen(AppState& state, QString* error)
{
    state.Db = DatabaseStartup(state.folder.path()).run(error);
    return state.Db != nullptr;
}

MenuStartup::~MenuStartup()
{
    if (m_databaseThread.joinable())
        m_databaseThread.join();
}

void MenuStartup::begin()
{
    if (std::exchange(m_begun, true))
        return;
    // Before any file of the folder is touched.
    const QString lockFile = m_state.folder.file(LockName);
    auto instance = std::make_unique<SingleInstance>(lockFile);
    switch (instance->acquire()) {
    case SingleInstance::Outcome::AnotherRunning:
        m_refusal = AlreadyRunningText;
        return;
    case SingleInstance::Outcome::CannotTell:
        // Going on could rename the record file under another user's running program.
        m_refusal = FailureMessage::text(FailureMessage::Kind::LockUnusable, lockFile,
                                         instance->failure(), FailureMessage::Retry::Start);
        return;
    case SingleInstance::Outcome::Alone:
        break;
    }
    m_instance = std::move(instance);
    m_databaseThread = std::thread([this] {
        m_databaseOpened = m_databaseStep(m_state, &m_databaseError);
        QMetaObject::invokeMethod(
            &m_databaseNotice, [this] { m_databaseEnded = true; }, Qt::QueuedConnection);
    });
}

bool MenuStartup::finishDatabaseStep(QString* error)
{
    while (!m_databaseEnded)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    m_databaseThread.join();
    *error = m_databaseError;
    return m_databaseOpened;
}

bool MenuStartup::Form_Load(Window& window)
{
    m_state.TestMode = false;
    m_state.profile.SetPrivateAppBuf(m_state.folder.file(ProfileName), m_state.msg);
    window.installWindowMenu();

    begin();
    if (!m_instance) {
        m_state.msg->show(m_refusal, StyleCritical);
        return false;
    }

    m_state.NavPermit = true;
    const QString page = m_state.folder.file(MainMenuPage);
    window.preloadPage(page);
    QString error;
    if (!finishDatabaseStep(&error)) {
        m_state.NavPermit = false;
        m_state.msg->show(error, StyleCritical);
        return false;
    }

    if (!window.navigate(page)) {
        // Nothing to show the menu in: the program ends with the record file closed.
        m_state.NavPermit = false;
        m_state.msg->show(FailureMessage::text(FailureMessage::Kind::PageMissing, page),
                          StyleCritical);
        return false;
    }
    window.placeWindow();
    window.waitForPage();
    m_state.NavPermit = false;
    return true;
}

} // namespace orv
