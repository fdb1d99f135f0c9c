#pragma once

#include <QString>

namespace orv {

struct AppState;

// The checks of the new-record dialog: the resident's name for an ID, and the key of a new
// face sheet, refused with a message (through the state's message boxes) or left in
// CurID / CurKijunbi.
class NewDataLogic
{
public:
    explicit NewDataLogic(AppState& state) : m_state(state) {}

    // The resident's family and given name from the current table, "*新規" for an ID that
    // has no record there.
    QString fullName(const QString& id) const;
    // OK: true when the key was accepted and stored in the state.
    bool accept(const QString& id, const QString& dateText);
    // Cancel: CurID empty, CurKijunbi zero.
    void cancel();

    static QString newResidentText() { return QStringLiteral("*新規"); }

private:
    int idColumnSize() const;

    AppState& m_state;
};

} // namespace orv
