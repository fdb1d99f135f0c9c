#include "shell/PrintToFileGuard.h"

#include "data/RecordFiles.h"
#include "shell/QtMessageBox.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QLineEdit>
#include <QPrintDialog>

namespace orv {

namespace {

// Qt's check of the dialog's fields, which accepts it when they pass, and its file box.
const char* const QtCheck = "_q_checkFields";
const char* const FileBoxName = "filename";

} // namespace

PrintToFileGuard::PrintToFileGuard(const QString& programFolder) : m_programFolder(programFolder)
{
    qApp->installEventFilter(this);
}

PrintToFileGuard::~PrintToFileGuard()
{
    qApp->removeEventFilter(this);
}

bool PrintToFileGuard::namesRecordFile(const QString& programFolder, const QString& text)
{
    return RecordFiles::isRecordFile(programFolder, text) ||
           RecordFiles::isRecordFile(programFolder, QDir::home().absoluteFilePath(text));
}

bool PrintToFileGuard::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Polish) {
        if (auto* dialog = qobject_cast<QPrintDialog*>(watched))
            guard(dialog);
    }
    return QObject::eventFilter(watched, event);
}

void PrintToFileGuard::guard(QPrintDialog* dialog)
{
    auto* buttons = dialog->findChild<QDialogButtonBox*>(QString(), Qt::FindDirectChildrenOnly);
    auto* fileBox = dialog->findChild<QLineEdit*>(QLatin1String(FileBoxName));
    const QByteArray check = QByteArray(QtCheck) + "()";
    if (!buttons || !fileBox || dialog->metaObject()->indexOfSlot(check.constData()) < 0)
        return;
    // The print button reaches Qt's check through this guard only.
    QObject::disconnect(buttons, &QDialogButtonBox::accepted, dialog, nullptr);
    connect(buttons, &QDialogButtonBox::accepted, dialog,
            [folder = m_programFolder, dialog, fileBox] {
                if (fileBox->isEnabled() && namesRecordFile(folder, fileBox->text())) {
                    QtMessageBox(dialog).show(RecordFiles::refusal(fileBox->text()), StyleCritical);
                    return;
                }
                QMetaObject::invokeMethod(dialog, QtCheck);
            });
}

} // namespace orv
