#pragma once

#include "common/DateValue.h"
#include "common/PrivateAppBuf.h"
#include "common/ProgramFolder.h"

#include <QString>

#include <memory>

namespace orv {

class Database;
class DocumentLauncher;
class MessageBoxService;
class RecordFinder;
class Recordset;
class ReportDisplay;
class SaveFileChooser;

// The module state of the program, handed to the code that reads or writes it.
struct AppState
{
    AppState();
    ~AppState();
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;

    // Current selection.
    QString CurID;
    DateValue CurKijunbi;

    // Command state.
    QString CurTable;
    bool IsNewRecord = false;
    bool KonsuiMode = false;
    bool TestMode = false;
    bool NavPermit = false;

    // Entry window.
    QString NextPage;
    bool SkipSave = false;

    // Date-picker protocol.
    bool DatePicked = false;
    bool DateOnly = false;
    QString PickElementName;
    DateValue PickedDate;

    // RAP engine.
    QString CurName;
    std::unique_ptr<Recordset> RapRs;

    // Record store: the one connection and the row behind the page now shown.
    std::unique_ptr<Database> Db;
    std::unique_ptr<Recordset> CurRs;

    PrivateAppBuf profile;
    ProgramFolder folder;

    // Services lent by the owner of the state; never owned here.
    MessageBoxService* msg = nullptr;
    DocumentLauncher* launcher = nullptr;
    RecordFinder* finder = nullptr;
    SaveFileChooser* saveChooser = nullptr;
    ReportDisplay* reports = nullptr;
};

} // namespace orv
