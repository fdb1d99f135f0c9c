#include "shell/SaveFileDialog.h"

#include "data/RecordFiles.h"
#include "shell/QtMessageBox.h"

namespace orv {

SaveFileDialog::SaveFileDialog(QWidget* parent, const QString& title, const QString& programFolder)
    : QFileDialog(parent, title), m_programFolder(programFolder)
{
    setObjectName(QStringLiteral("dlgSaveFile"));
    setOption(QFileDialog::DontUseNativeDialog);
    // Before the event loop runs: the listing asks for icons and types only from there on.
    setIconProvider(&m_icons);
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
}

void SaveFileDialog::accept()
{
    const QStringList files = selectedFiles();
    if (!files.isEmpty() && RecordFiles::isRecordFile(m_programFolder, files.constFirst())) {
        QtMessageBox(this).show(RecordFiles::refusal(files.constFirst()), StyleCritical);
        return;
    }
    QFileDialog::accept();
}

} // namespace orv
