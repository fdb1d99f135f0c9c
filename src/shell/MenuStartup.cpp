#include "shell/MenuStartup.h"

#include "common/MessageBoxService.h"
#include "data/AppState.h"
#include "data/Database.h"
#include "data/DatabaseStartup.h"
#include "data/FailureMessage.h"

#include <QEventLoop>

#include <thread>

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

bool MenuStartup::runDatabaseStep(QString* error)
{
    QEventLoop loop;
    bool ok = false;
    std::thread step([&] {
        ok = m_databaseStep(m_state, error);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    step.join();
    return ok;
}

bool MenuStartup::Form_Load(Window& window)
{
    m_state.TestMode = false;
    m_state.profile.SetPrivateAppBuf(m_state.folder.file(ProfileName), m_state.msg);
    window.installWindowMenu();

    // Before any file of the folder is touched.
    m_instance = std::make_unique<SingleInstance>(m_state.folder.file(LockName));
    if (!m_instance->acquire()) {
        m_instance.reset();
        m_state.msg->show(AlreadyRunningText, StyleCritical);
        return false;
    }

    m_state.NavPermit = true;
    const QString page = m_state.folder.file(MainMenuPage);
    window.preloadPage(page);
    QString error;
    if (!runDatabaseStep(&error)) {
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
