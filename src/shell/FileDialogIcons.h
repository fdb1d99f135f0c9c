#pragma once

#include "shell/FileIconsByName.h"

#include <QObject>

class QFileSystemModel;

namespace orv {

// Gives every file list of the application icons and types taken from file names, before it
// first lists a folder: Qt's file dialogs (the print dialog's "print to file" chooser too) and
// every other file model, such as the one behind the completer of the print dialog's
// output-file box. Qt's own dialogs only: a native one would look into the files itself.
class FileDialogIcons : public QObject
{
public:
    // Watches the whole application while it lives.
    FileDialogIcons();
    ~FileDialogIcons() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void nameOnly(QFileSystemModel* model);

    FileIconsByName m_icons;
};

} // namespace orv
