#pragma once

#include "shell/FileIconsByName.h"

#include <QObject>

namespace orv {

// Gives every file dialog of the application, Qt's own too (the print dialog's "print to file"
// chooser), icons and types taken from file names, before the dialog first lists a folder.
class FileDialogIcons : public QObject
{
public:
    // Watches the whole application while it lives.
    FileDialogIcons();
    ~FileDialogIcons() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FileIconsByName m_icons;
};

} // namespace orv
