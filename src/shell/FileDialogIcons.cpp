#include "shell/FileDialogIcons.h"

#include <QApplication>
#include <QChildEvent>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QPointer>

namespace orv {

FileDialogIcons::FileDialogIcons()
{
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
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
    // A child is announced while it is still being built, so it is looked at from the event
    // loop; a file model hears of its first listing from there too, but only later.
    if (event->type() == QEvent::ChildAdded) {
        QObject* child = static_cast<QChildEvent*>(event)->child();
        if (!child->isWidgetType()) {
            QMetaObject::invokeMethod(
                this,
                [this, child = QPointer<QObject>(child)] {
                    if (auto* model = qobject_cast<QFileSystemModel*>(child.data()))
                        nameOnly(model);
                },
                Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}

void FileDialogIcons::nameOnly(QFileSystemModel* model)
{
    if (!dynamic_cast<const FileIconsByName*>(model->iconProvider()))
        model->setIconProvider(&m_icons);
}

} // namespace orv
