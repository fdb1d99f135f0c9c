#pragma once

#include <QString>

namespace orv {

// What storing a page needs of the entry window: its browser, its unloading and its coma display.
class EntryWindowHost
{
public:
    virtual ~EntryWindowHost() = default;
    // Navigates the window's browser to the page file and returns once the page is complete.
    virtual void navigateAndWait(const QString& filePath) = 0;
    // Closes the window without storing (the caller has set SkipSave).
    virtual void unloadWindow() = 0;
    virtual void DispKonsui(bool St) = 0;
};

} // namespace orv
