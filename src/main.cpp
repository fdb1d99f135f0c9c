#include "data/AppState.h"
#include "print/view/ReportWindows.h"
#include "shell/DesktopDocumentLauncher.h"
#include "shell/FileDialogIcons.h"
#include "shell/JapaneseLocale.h"
#include "shell/JapaneseTranslations.h"
#include "shell/PrintToFileGuard.h"
#include "shell/QtMessageBox.h"
#include "shell/QtRecordFinder.h"
#include "shell/QtSaveFileChooser.h"
#include "shell/ScriptFileMessageBox.h"
#include "shell/WebBrowser.h"
#include "shell/frmMenu.h"

#include <QApplication>
#include <QTimer>

#include <memory>

namespace {

// Test hook: a script run in the menu page once start-up is done, as if the user acted.
constexpr const char* PageScriptVariable = "ORV_TEST_PAGE_SCRIPT";

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    orv::installJapaneseTranslations(app);
    const orv::FileDialogIcons fileDialogIcons;
    const orv::PrintToFileGuard printToFileGuard(orv::ProgramFolder::ofApplication().path());
    orv::installJapaneseLocale(app);

    orv::AppState state;
    state.folder = orv::ProgramFolder::ofApplication();
    // The record file is compacted while the window and its browser start.
    auto startup = std::make_unique<orv::MenuStartup>(state);
    startup->begin();

    orv::QtMessageBox boxes;
    std::unique_ptr<orv::ScriptFileMessageBox> scriptedBoxes;
    const QString answers = qEnvironmentVariable(orv::ScriptFileMessageBox::EnvironmentVariable);
    if (!answers.isEmpty())
        scriptedBoxes = std::make_unique<orv::ScriptFileMessageBox>(answers);
    state.msg = scriptedBoxes ? static_cast<orv::MessageBoxService*>(scriptedBoxes.get()) : &boxes;

    orv::DesktopDocumentLauncher launcher;
    state.launcher = &launcher;

    orv::frmMenu menu(state, std::move(startup));
    boxes.setParent(&menu);
    orv::QtRecordFinder finder(state, &menu);
    state.finder = &finder;
    orv::QtSaveFileChooser saveChooser(state.folder.path(), &menu);
    state.saveChooser = &saveChooser;
    orv::ReportWindows reports(state);
    state.reports = &reports;
    if (!menu.Form_Load())
        return 1;
    menu.show();

    const QString pageScript = qEnvironmentVariable(PageScriptVariable);
    if (!pageScript.isEmpty())
        QTimer::singleShot(0, &menu, [&menu, pageScript] { menu.WB()->runScript(pageScript); });

    return app.exec();
}
