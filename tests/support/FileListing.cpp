#include "support/FileListing.h"

#include <QFileSystemModel>
#include <QTest>

namespace orv::test {

bool listedByModel(QFileSystemModel* model, const QString& folder, const QStringList& names)
{
    if (!model)
        return false;
    const auto complete = [&] {
        const QModelIndex root = model->index(folder);
        QStringList seen;
        for (int row = 0; row < model->rowCount(root); ++row) {
            if (model->index(row, 2, root).data().toString().isEmpty())
                return false; // the type is not known yet
            seen << model->index(row, 0, root).data().toString();
        }
        for (const QString& name : names) {
            if (!seen.contains(name))
                return false;
        }
        return true;
    };
    if (!QTest::qWaitFor(complete, 10000))
        return false;
    const QModelIndex root = model->index(folder);
    for (int row = 0; row < model->rowCount(root); ++row) {
        for (int column = 0; column < model->columnCount(root); ++column) {
            for (const int role : {Qt::DisplayRole, Qt::DecorationRole, Qt::ToolTipRole})
                model->index(row, column, root).data(role);
        }
    }
    return true;
}

} // namespace orv::test
