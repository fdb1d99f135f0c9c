#pragma once

#include <QObject>

namespace orv {

// Writes the dates of every file dialog in the program's locale. Qt's file list writes them in
// the locale of the system as Qt read it when it started, which the program cannot change.
// Installed as an event filter of the application.
class FileDialogDates : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace orv
