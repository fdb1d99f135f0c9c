#pragma once

#include <QString>

class QWidget;

namespace orv {

// Asks the user for a file to write (asking before it overwrites one); empty on cancel.
// The filter is in the old "name|pattern|name|pattern" form.
class SaveFileChooser
{
public:
    virtual ~SaveFileChooser() = default;
    virtual QString chooseSaveFile(const QString& filter, const QString& title) = 0;
    // The same for a window of its own: the dialog belongs to owner (the chooser's own window
    // when null) and starts in the folder of suggestedPath, offering its file name.
    virtual QString chooseSaveFile(const QString& filter, const QString& title,
                                   const QString& suggestedPath, QWidget* owner)
    {
        Q_UNUSED(suggestedPath);
        Q_UNUSED(owner);
        return chooseSaveFile(filter, title);
    }
};

} // namespace orv
