#pragma once

#include <QString>

#include <functional>
#include <vector>

namespace orv {

struct AppState;
class MenuOperations;

// Turns the menu page's commands ("?" and a word in the status text) into operations of
// the main window, setting the command state they rely on first.
class MenuDispatcher
{
public:
    using Operation = void (MenuOperations::*)();
    enum class Flag
    {
        Unchanged,
        Set,
        Cleared
    };

    struct Command
    {
        const char* word;
        const char* curTable; // nullptr: unchanged
        Flag isNewRecord;
        Flag konsuiMode;
        std::vector<Operation> actions;
    };

    // clearStatus sets the page's status back to the empty text.
    MenuDispatcher(AppState& state, MenuOperations& operations, std::function<void()> clearStatus);

    // The handler of the browser's status-text change. True when the text was a command.
    bool WB_StatusTextChange(const QString& text);

    static const std::vector<Command>& commands();
    static QString unknownCommandText(const QString& word);

private:
    AppState& m_state;
    MenuOperations& m_operations;
    std::function<void()> m_clearStatus;
};

} // namespace orv
