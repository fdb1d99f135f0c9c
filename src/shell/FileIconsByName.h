#pragma once

#include <QFileIconProvider>

namespace orv {

// Icons and type names, in Japanese, for a file dialog from what a file is called, never from what
// it holds.
// The stock provider reads the first bytes of every file it lists to guess its type; in the
// program folder that opens and closes the record files, and a close drops every lock SQLite
// holds on them.
class FileIconsByName : public QFileIconProvider
{
public:
    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo& info) const override;
    QString type(const QFileInfo& info) const override;
};

} // namespace orv
