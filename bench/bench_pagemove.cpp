// A page move of the largest entry page (T.HTM) onto itself in the browser: SavePage stores
// the shown page and opens and fills the next one. The floor is what the browser must do for
// it: one script reading every value of the form, the navigation, one script writing them.
#include "common/ScriptedMessageBox.h"
#include "data/AppState.h"
#include "data/Database.h"
#include "data/PageBinding.h"
#include "data/Recordset.h"
#include "shell/WebBrowser.h"
#include "shell/frmOrv21.h"
#include "support/FloorComparison.h"
#include "support/RecordFile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

using namespace orv;

namespace {

const QString Page = QStringLiteral("T.HTM");

const char* const ReadEveryValue = R"JS(JSON.stringify(Array.prototype.map.call(
    document.forms[0].elements, function (e) { return [e.type, e.value, e.checked]; })))JS";

const char* const WriteEveryValue = R"JS((function (values) {
    var f = document.forms[0];
    for (var i = 0; i < values.length && i < f.length; i++) {
        var e = f.elements[i], v = values[i];
        if (v[0] === 'checkbox') e.checked = v[2];
        else if (v[0] === 'text' || v[0] === 'select-one' || v[0] === 'textarea' ||
                 v[0] === 'hidden') e.value = v[1];
    }
    return true;
})(%1))JS";

} // namespace

int main(int argc, char** argv)
{
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const QString folder = bench::programFolder();
    QTemporaryDir scratch;
    const QString dbPath = scratch.filePath(QStringLiteral("Orv21.db"));
    QString error;
    if (!bench::buildRecordFile(dbPath, 10000 * bench::AssessmentsEach,
                                bench::Records::AssessmentsAndSummaries, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }

    AppState state;
    ScriptedMessageBox msg;
    state.msg = &msg;
    state.folder = ProgramFolder(folder);
    state.Db = Database::open(dbPath, &error);
    if (!state.Db)
        return 1;
    state.CurID = bench::residentId(5000);
    state.CurKijunbi = bench::assessmentDate(1);
    state.CurRs =
        state.Db->openRecordset(QStringLiteral("SELECT * FROM %1 WHERE [ID]=? AND [基準日]=?")
                                    .arg(PageBinding::tableOfPage(Page)),
                                {Value(state.CurID), Value(state.CurKijunbi)});
    if (!state.CurRs || state.CurRs->eof())
        return 1;
    state.CurRs->edit();

    frmOrv21 window(state);
    window.resize(1280, 1024);
    window.show();
    window.openPage(Page);
    WebBrowser& browser = *window.WB();
    const QString pagePath = PageBinding::pagePath(folder, Page);

    bench::FloorComparison move(QStringLiteral("page move of %1").arg(Page));
    const bool measured = move.measure(
        [&] {
            state.NextPage = Page;
            const double ms = bench::FloorComparison::timed(
                [&] { return window.commands().binding().SavePage(); });
            if (ms < 0)
                std::fprintf(stderr, "move refused: %s\n", qPrintable(msg.texts().join(" / ")));
            return ms;
        },
        [&] {
            const double ms = bench::FloorComparison::timed([&] {
                const QString values =
                    browser.runScript(QString::fromUtf8(ReadEveryValue)).toString();
                state.NavPermit = true;
                browser.navigate(pagePath);
                browser.waitUntilComplete();
                state.NavPermit = false;
                return browser.runScript(QString::fromUtf8(WriteEveryValue).arg(values)).toBool();
            });
            // The binding saw the page load; it stores again once it has filled the page.
            window.commands().binding().LoadPage();
            return ms;
        });
    state.SkipSave = true;
    if (!measured || !msg.texts().isEmpty())
        return 1;
    move.print();
    move.printHeadline();
    return 0;
}
