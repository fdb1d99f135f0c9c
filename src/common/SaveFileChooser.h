#pragma once

#include <QString>

namespace orv {

// Asks the user for a file to write (asking before it overwrites one); empty on cancel.
// The filter is in the old "name|pattern|name|pattern" form.
class SaveFileChooser
{
public:
    virtual ~SaveFileChooser() = default;
    virtual QString chooseSaveFile(const QString& filter, const QString& title) = 0;
};

} // namespace orv
