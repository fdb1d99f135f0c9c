#pragma once

#include "data/EntryWindowHost.h"

namespace orv {

// What the entry window's commands need of the window and its neighbours besides storing pages.
class EntryCommandHost : public EntryWindowHost
{
public:
    // Shows the date-time picker modal; the picker protocol of the state carries its result.
    virtual void runDatePicker() = 0;
    // frmMenu.KonsuiMenu: the section jumps follow KonsuiMode.
    virtual void KonsuiMenu() = 0;
    virtual void showMainWindow() = 0;
};

} // namespace orv
