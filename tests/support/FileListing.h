#pragma once

#include <QStringList>

class QFileSystemModel;

namespace orv::test {

// Waits until a file model has listed the folder, the names given among its files and each
// file's type known, then asks it for all that a list of the files shows; false when it did
// not list them.
bool listedByModel(QFileSystemModel* model, const QString& folder, const QStringList& names);

} // namespace orv::test
