#pragma once

#include "shell/SingleInstance.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <thread>

namespace orv {

struct AppState;

// The start-up of the main window, step by step; the window supplies what needs a screen.
class MenuStartup
{
public:
    // The parts of start-up that the window does.
    class Window
    {
    public:
        virtual ~Window() = default;
        virtual void installWindowMenu() = 0;
        // Starts loading the page while the database is made ready; what the page commands
        // waits until navigate() is called, once the database is open.
        virtual void preloadPage(const QString& /*page*/) {}
        // False when there is no page file to show.
        virtual bool navigate(const QString& page) = 0;
        virtual void placeWindow() = 0;
        virtual void waitForPage() = 0;
    };

    // Compacts the record file (keeping the previous one as the backup) and opens it into the
    // state's Db; false with a message naming the file on failure.
    using DatabaseStep = std::function<bool(AppState& state, QString* error)>;

    static const QString ProfileName;
    static const QString LockName;
    static const QString MainMenuPage;
    static const QString AlreadyRunningText;

    // Without a step of its own, start-up compacts and opens the folder's record file.
    MenuStartup(AppState& state, DatabaseStep databaseStep = nullptr);
    ~MenuStartup();
    MenuStartup(const MenuStartup&) = delete;
    MenuStartup& operator=(const MenuStartup&) = delete;
    static bool compactAndOpen(AppState& state, QString* error);

    // Takes the single-instance lock and, unless another instance holds it, starts the database
    // step on a thread of its own. Called as soon as the program folder is known, it lets the
    // record file be compacted while the window and its browser start; Form_Load calls it when
    // nothing did before.
    void begin();

    // Form_Load: false when the program must end at once.
    bool Form_Load(Window& window);

private:
    // Lets the window's events (the page loading) go on until the database step is done.
    bool finishDatabaseStep(QString* error);

    AppState& m_state;
    DatabaseStep m_databaseStep;
    std::unique_ptr<SingleInstance> m_instance;
    // Why start-up must end before any file is touched; empty when it may go on.
    QString m_refusal;
    bool m_begun = false;
    std::thread m_databaseThread;
    // Told on the window's thread when the database step has ended.
    QObject m_databaseNotice;
    bool m_databaseEnded = false;
    bool m_databaseOpened = false;
    QString m_databaseError;
};

} // namespace orv
