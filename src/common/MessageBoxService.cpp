#include "common/MessageBoxService.h"

namespace orv {

QString applicationTitle()
{
    return QStringLiteral("Orv2.1 施設ケア アセスメント表");
}

bool isYesNoStyle(int style)
{
    return (style & 0xF) == 4;
}

} // namespace orv
