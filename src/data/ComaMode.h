#pragma once

#include "data/PageDocument.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace orv {

struct AppState;
struct ColumnInfo;
class Recordset;

// The coma state of the assessment in work: the test on B1, the data change of the
// coma-dependent columns and the display of the shown page.
class ComaMode
{
public:
    explicit ComaMode(AppState& state) : m_state(state) {}

    // B1 of the assessment's row in B is 1.
    bool IsKonsui() const;
    // Clears (St true) or restores to their defaults (St false) the coma-dependent columns of
    // the rows of C, D, E, F and N, committed at once, and of the open record, whose update
    // is left to the next store of its page. A failure changes neither.
    bool KonsuiChg(bool St, QString* error = nullptr);

    // Hides the coma-dependent inputs of the page and points its coma-aware buttons at the
    // target of the state; one read and one write of the page.
    static bool DispKonsui(PageDocument& document, bool St, QString* error = nullptr);
    static QVector<ElementChange> displayChanges(const QVector<PageElement>& elements, bool St);
    // The button written anew for the state: its class, value and name, the jump to the
    // state's target, and those of its attributes that keptButtonAttributes names, its tip
    // naming the target's page.
    static QString buttonHtml(const PageElement& button, bool St);
    static const QStringList& keptButtonAttributes();

    static bool isComaDependent(const ColumnInfo& column);
    static bool isComaInput(const PageElement& element);
    static bool isComaButton(const PageElement& element);
    static const QStringList& changedTables();

private:
    bool applyTo(Recordset& rs, bool St, QString* error) const;
    bool changeStoredRows(bool St, QString* error) const;

    AppState& m_state;
};

} // namespace orv
