#pragma once

#include "TempFolder.h"
#include "common/ScriptedMessageBox.h"
#include "common/Value.h"
#include "data/AppState.h"
#include "data/MemoryPageDocument.h"
#include "shell/EntryCommandHost.h"

#include <QStringList>

#include <functional>

namespace orv::test {

// The entry window as the binding and the commands see it, recording what they ask of it.
class RecordingEntryHost : public EntryCommandHost
{
public:
    QStringList calls;
    bool navPermitSeen = false;
    std::function<void(const QString&)> onNavigate;
    std::function<void()> onPick;

    void navigateAndWait(const QString& filePath) override;
    void unloadWindow() override { calls << QStringLiteral("unload"); }
    void DispKonsui(bool St) override;
    void runDatePicker() override;
    void KonsuiMenu() override { calls << QStringLiteral("KonsuiMenu"); }
    void showMainWindow() override { calls << QStringLiteral("showMainWindow"); }

    AppState* state = nullptr;
};

// A record file with small section tables (A to R, KIHON1) whose columns cover every kind the
// page binding tells apart, coma-dependent columns in C, D, E, F and N, and an in-memory page.
class EntryFixture
{
public:
    EntryFixture();

    // Creates the file and opens it into state.Db; false with the reason in error.
    bool open(QString* error);
    // open(), an assessment and a face sheet of the key, and the row of A open in CurRs.
    bool openWithAssessment(QString* error);
    // The rows of an assessment in all 18 section tables, and a face sheet.
    bool addAssessment(const QString& id, const QDate& date);
    bool addFaceSheet(const QString& id, const QDate& date);
    // Opens the row of the key into CurRs in edit mode.
    bool openRow(const QString& table);
    // One value read straight from the file.
    Value stored(const QString& table, const QString& column, const QString& id, const QDate& date);
    int rowCount(const QString& table);

    TempFolder folder;
    AppState state;
    ScriptedMessageBox msg;
    MemoryPageDocument page;
    RecordingEntryHost host;
    QString id = QStringLiteral("0001");
    QDate date = QDate(2005, 8, 17);
};

} // namespace orv::test
