#pragma once

#include <QString>

namespace orv {

// Opens a document with the desktop's associated program (ShellOpenFile); reports nothing.
class DocumentLauncher
{
public:
    virtual ~DocumentLauncher() = default;
    virtual void ShellOpenFile(const QString& path) = 0;
};

} // namespace orv
