#pragma once

#include "data/ComaMode.h"
#include "data/PageBinding.h"

#include <QDate>
#include <QString>
#include <Qt>

#include <functional>

namespace orv {

struct AppState;
class EntryCommandHost;
class PageDocument;

// The logic of the entry window: the page commands "!", "#" and "$", the jumps, the coma
// operations and the close question with the discard of a new record.
class EntryCommands
{
public:
    EntryCommands(AppState& state, PageDocument& document, EntryCommandHost& host);

    // A status text the page set; anything but "!", "#" or "$" in front is ignored.
    void handleStatusText(const QString& text);
    // A jump item: stores the page and opens the next one.
    void jump(const QString& nextPage);
    // Whether the window may unload; fromUser is the close box or the window menu.
    bool queryUnload(bool fromUser);
    // The page of the record is not there: says so and closes the window as if the user left
    // it unsaved, so that a record just created goes again.
    void leaveForMissingPage(const QString& pagePath);
    // The shown page went away (its renderer ended): says why and shows the page file again,
    // filled from the open row; what was typed since the last store is gone.
    void showPageAgain(const QString& pagePath, const QString& reason);
    bool isUnloading() const { return m_unloading; }

    // The clock that dates the age a date pick writes; the system's unless set.
    void setClock(std::function<QDate()> today) { m_today = std::move(today); }

    void KonsuiChg(bool St);
    void DispKonsui(bool St);

    PageBinding& binding() { return m_binding; }

    // Deletes the record the window was opened for: for an assessment its rows in all 18
    // section tables, else the open row. All or nothing.
    bool discardNewRecord(QString* error);
    // The table a record set was opened on, from its name (a table or a SELECT).
    static QString tableOfRecordset(const QString& name);
    static bool isAssessmentTable(const QString& table);
    static bool isSwallowedKey(int key, Qt::KeyboardModifiers modifiers);

private:
    // Discards a new record or closes the open one, for an unload that stores nothing.
    bool leaveUnsaved();
    bool clearStatus();
    void pickDate(const QString& fields);
    void switchComa(const QString& word);
    void closeRecord();
    void reportDocumentError(const QString& error);

    AppState& m_state;
    PageDocument& m_document;
    EntryCommandHost& m_host;
    PageBinding m_binding;
    bool m_unloading = false;
    std::function<QDate()> m_today = &QDate::currentDate;
};

} // namespace orv
