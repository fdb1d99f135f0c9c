#pragma once

#include "common/Value.h"

#include <QString>

namespace orv {

class Database;

// The resident's first face sheet: the one with the earliest 基準日. Missing values read as
// Null; found() tells whether the resident has a face sheet at all.
class FirstFaceSheet
{
public:
    FirstFaceSheet(Database& db, const QString& id);

    bool found() const { return m_found; }
    // 1-1-1 to 1-1-4 as stored (Null stays Null).
    Value namePart(int index) const { return m_names[index]; }
    Value birthDate() const { return m_birthDate; }
    // Family name followed by given name; Null when both parts are Null.
    Value fullName() const;

private:
    bool m_found = false;
    Value m_names[4];
    Value m_birthDate;
};

} // namespace orv
