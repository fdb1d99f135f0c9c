#pragma once

#include "common/DocumentLauncher.h"

namespace orv {

// Opens documents through the desktop's file associations.
class DesktopDocumentLauncher : public DocumentLauncher
{
public:
    void ShellOpenFile(const QString& path) override;
};

} // namespace orv
