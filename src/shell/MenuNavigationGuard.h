#pragma once

#include <QString>

namespace orv {

// The main window's navigation rule: a page named MainMenu.htm (any case, any folder) may
// always load; anything else only while the program itself navigates.
class MenuNavigationGuard
{
public:
    static bool cancels(const QString& url, bool navPermit);
};

} // namespace orv
