#include "shell/DesktopDocumentLauncher.h"

#include <QDesktopServices>
#include <QUrl>

namespace orv {

void DesktopDocumentLauncher::ShellOpenFile(const QString& path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace orv
