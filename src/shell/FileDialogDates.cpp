#include "shell/FileDialogDates.h"

#include <QEvent>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>

namespace orv {

namespace {

// The file list with its dates in the default locale.
class LocalDatesModel : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        constexpr int dateColumn = 3;
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role == Qt::DisplayRole && index.column() == dateColumn && files)
            return QLocale().toString(files->lastModified(mapToSource(index)),
                                      QLocale::ShortFormat);
        return QIdentityProxyModel::data(index, role);
    }
};

} // namespace

bool FileDialogDates::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show) {
        auto* dialog = qobject_cast<QFileDialog*>(watched);
        if (dialog && !dynamic_cast<LocalDatesModel*>(dialog->proxyModel()))
            dialog->setProxyModel(new LocalDatesModel(dialog));
    }
    return QObject::eventFilter(watched, event);
}

} // namespace orv
