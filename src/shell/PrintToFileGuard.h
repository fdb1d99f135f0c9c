#pragma once

#include <QObject>
#include <QString>

class QPrintDialog;

namespace orv {

// Refuses the record files of the program folder in the print dialog's output-file box before
// Qt's own check of the box runs: that check opens the named file to see whether it can be
// written, and closing it drops every lock SQLite holds on the file. Watches every print
// dialog of the application while it lives.
class PrintToFileGuard : public QObject
{
public:
    explicit PrintToFileGuard(const QString& programFolder);
    ~PrintToFileGuard() override;

    // Whether the box's text names a record file of the folder: Qt checks a relative name in
    // the current folder and prints to it in the home folder.
    static bool namesRecordFile(const QString& programFolder, const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void guard(QPrintDialog* dialog);

    QString m_programFolder;
};

} // namespace orv
