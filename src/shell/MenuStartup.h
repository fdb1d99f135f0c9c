#pragma once

#include "shell/SingleInstance.h"

#include <QString>

#include <functional>
#include <memory>

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
    static bool compactAndOpen(AppState& state, QString* error);

    // Form_Load: false when the program must end at once.
    bool Form_Load(Window& window);

private:
    // The database step on a thread of its own, while the window's events (the page loading)
    // go on.
    bool runDatabaseStep(QString* error);

    AppState& m_state;
    DatabaseStep m_databaseStep;
    std::unique_ptr<SingleInstance> m_instance;
};

} // namespace orv
