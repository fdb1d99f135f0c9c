#include "shell/MenuDispatcher.h"

#include "common/MessageBoxService.h"
#include "data/AppState.h"
#include "shell/MenuOperations.h"

namespace orv {

namespace {

using Flag = MenuDispatcher::Flag;
using Ops = MenuOperations;

void applyFlag(bool& target, Flag flag)
{
    if (flag != Flag::Unchanged)
        target = flag == Flag::Set;
}

} // namespace

const std::vector<MenuDispatcher::Command>& MenuDispatcher::commands()
{
    static const std::vector<Command> table = {
        {"QUIT", nullptr, Flag::Unchanged, Flag::Unchanged, {&Ops::AppQuit}},
        {"FACE_NEW", "KIHON1", Flag::Set, Flag::Cleared, {&Ops::Face_new}},
        {"FACE_EDIT", "KIHON1", Flag::Cleared, Flag::Cleared, {&Ops::Face_EDIT}},
        {"ASS_NEW", "A", Flag::Set, Flag::Cleared, {&Ops::Assessment_new}},
        {"ASS_EDIT", "A", Flag::Cleared, Flag::Unchanged, {&Ops::Assessment_EDIT}},
        {"SAM_NEW", "S", Flag::Set, Flag::Cleared, {&Ops::RAP_CREATE, &Ops::RAP_new}},
        {"SAM_EDIT", "S", Flag::Cleared, Flag::Cleared, {&Ops::RAP_EDIT}},
        {"DRAG_NEW", "T", Flag::Set, Flag::Cleared, {&Ops::DRAG_new}},
        {"DRAG_EDIT", "T", Flag::Cleared, Flag::Cleared, {&Ops::DRAG_EDIT}},
        {"FACE_PRINT",
         nullptr,
         Flag::Unchanged,
         Flag::Unchanged,
         {&Ops::unloadEntryWindow, &Ops::Face_Print}},
        {"ASS_PRINT",
         nullptr,
         Flag::Unchanged,
         Flag::Unchanged,
         {&Ops::unloadEntryWindow, &Ops::Assessment_PRINT}},
        {"SAM_PRINT",
         nullptr,
         Flag::Unchanged,
         Flag::Unchanged,
         {&Ops::unloadEntryWindow, &Ops::SAM_PRINT}},
        {"DRAG_PRINT",
         nullptr,
         Flag::Unchanged,
         Flag::Unchanged,
         {&Ops::unloadEntryWindow, &Ops::DRAG_PRINT}},
        {"RAP_PRINT",
         nullptr,
         Flag::Unchanged,
         Flag::Unchanged,
         {&Ops::unloadEntryWindow, &Ops::RAP_CREATE, &Ops::RAP_PRINT}},
        {"RAPL_PRINT",
         nullptr,
         Flag::Unchanged,
         Flag::Unchanged,
         {&Ops::unloadEntryWindow, &Ops::RAP_CREATE, &Ops::RAPL_PRINT}},
        {"KENTO_PRINT",
         nullptr,
         Flag::Unchanged,
         Flag::Unchanged,
         {&Ops::unloadEntryWindow, &Ops::RAP_CREATE, &Ops::KENTO_PRINT}},
        {"PDF_PRINT",
         nullptr,
         Flag::Unchanged,
         Flag::Unchanged,
         {&Ops::unloadEntryWindow, &Ops::showPdfPrint}},
    };
    return table;
}

QString MenuDispatcher::unknownCommandText(const QString& word)
{
    return QStringLiteral("次のコマンドが発行されました\r\n") + word;
}

MenuDispatcher::MenuDispatcher(AppState& state, MenuOperations& operations,
                               std::function<void()> clearStatus)
    : m_state(state), m_operations(operations), m_clearStatus(std::move(clearStatus))
{
}

bool MenuDispatcher::WB_StatusTextChange(const QString& text)
{
    if (!text.startsWith(QLatin1Char('?')))
        return false;
    if (m_clearStatus)
        m_clearStatus();

    const QString word = text.mid(1);
    const QString upper = word.toUpper();
    for (const Command& command : commands()) {
        if (upper != QLatin1String(command.word))
            continue;
        if (command.curTable)
            m_state.CurTable = QString::fromLatin1(command.curTable);
        applyFlag(m_state.IsNewRecord, command.isNewRecord);
        applyFlag(m_state.KonsuiMode, command.konsuiMode);
        for (Operation action : command.actions)
            (m_operations.*action)();
        return true;
    }
    if (m_state.msg)
        m_state.msg->show(unknownCommandText(word), StyleOk);
    return true;
}

} // namespace orv
