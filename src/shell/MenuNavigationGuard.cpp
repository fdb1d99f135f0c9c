#include "shell/MenuNavigationGuard.h"

namespace orv {

bool MenuNavigationGuard::cancels(const QString& url, bool navPermit)
{
    static const QString menuPage = QStringLiteral("MAINMENU.HTM");
    const bool isMenuPage = url.toUpper().right(menuPage.size()) == menuPage;
    return !isMenuPage && !navPermit;
}

} // namespace orv
