#pragma once

#include "data/FinderQuery.h"

#include <QString>

namespace orv {

struct AppState;

// The texts of the finder's five search boxes as typed.
struct FinderBoxes
{
    QString id;
    QString name;
    QString reading;
    QString date;
    QString birth;
};

// What the record finder does, without its window: the mode, the list query it shows, the
// search with its messages, the pick and the delete with its question.
class FinderLogic
{
public:
    explicit FinderLogic(AppState& state) : m_state(state) {}

    // Sets up the mode (0 to 3) and an empty list; another number keeps the last set-up.
    void modeSet(int mode);
    int mode() const { return m_mode; }
    // The set-up in force; nullptr before a mode was set.
    const FinderMode* modeInfo() const { return m_info; }
    const SqlQuery& recordSource() const { return m_source; }

    // Checks the boxes and makes the list query; false, with a message, on bad input.
    bool search(const FinderBoxes& boxes);
    void pick(const FinderRow& row);
    // Asks, then deletes the record; true when it was deleted. CurID and CurKijunbi are
    // emptied after a delete.
    bool deleteRow(const FinderRow& row);
    QString deleteQuestion(const FinderRow& row) const;

    static QString dateText(const DateValue& date);

private:
    bool deleteRecord(const FinderRow& row, QString* error);

    AppState& m_state;
    int m_mode = -1;
    const FinderMode* m_info = nullptr;
    SqlQuery m_source;
};

} // namespace orv
