#pragma once

#include "shell/FileIconsByName.h"

#include <QFileDialog>

namespace orv {

// The program's save dialog: Qt's own (the platform's reads the files it lists), icons and
// types by name only, asking before it overwrites a file, and refusing the record files of the
// program folder, which SQLite holds open.
class SaveFileDialog : public QFileDialog
{
    Q_OBJECT
public:
    SaveFileDialog(QWidget* parent, const QString& title, const QString& programFolder);

    void accept() override;

private:
    FileIconsByName m_icons;
    QString m_programFolder;
};

} // namespace orv
