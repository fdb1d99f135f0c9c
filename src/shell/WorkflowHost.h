#pragma once

#include "common/DateValue.h"

#include <QString>

namespace orv {

// What the record workflows need of the windows and of the other operations of the main
// window. frmMenu supplies it; tests record the calls.
class WorkflowHost
{
public:
    virtual ~WorkflowHost() = default;

    // frmDateSet shown modal; an empty caption or label keeps the designed one. Leaves the
    // entered date in CurKijunbi (still zero when the dialog was closed).
    virtual void showDateDialog(const QString& caption, const QString& label) = 0;

    // The entry window: shown modeless with the face-sheet jumps and/or the section jumps.
    virtual void showEntryWindow(bool faceSheetJumps, bool sectionJumps) = 0;
    // Navigates its browser to FORM/<page> of the program folder.
    virtual void navigateEntryPage(const QString& page) = 0;
    // Waits, the event loop running, until the page is complete; false when the user closed
    // the entry window meanwhile.
    virtual bool waitForEntryPage() = 0;
    // LoadPage of the shown page from CurRs.
    virtual void loadEntryPage() = 0;

    virtual bool IsKonsui() = 0;
    virtual void KonsuiMenu() = 0;
    virtual void RAP_SAM_SET(const DateValue& rapDate) = 0;
};

} // namespace orv
