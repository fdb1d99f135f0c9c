#include "shell/FileDialogIcons.h"

#include <QApplication>
#include <QEvent>
#include <QFileDialog>

namespace orv {

FileDialogIcons::FileDialogIcons()
{
    qApp->installEventFilter(this);
}

FileDialogIcons::~FileDialogIcons()
{
    qApp->removeEventFilter(this);
}

bool FileDialogIcons::eventFilter(QObject* watched, QEvent* event)
{
    // Polished as it is first shown, before the event loop hands it the folder's listing.
    if (event->type() == QEvent::Polish) {
        auto* dialog = qobject_cast<QFileDialog*>(watched);
        if (dialog && !dynamic_cast<const FileIconsByName*>(dialog->iconProvider()))
            dialog->setIconProvider(&m_icons);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace orv
