#pragma once

namespace orv {

// The operations of the main window that the menu page's commands call.
class MenuOperations
{
public:
    virtual ~MenuOperations() = default;

    virtual void AppQuit() = 0;
    virtual void Face_new() = 0;
    virtual void Face_EDIT() = 0;
    virtual void Assessment_new() = 0;
    virtual void Assessment_EDIT() = 0;
    virtual void KonsuiMenu() = 0;
    virtual void RAP_new() = 0;
    virtual void RAP_EDIT() = 0;
    virtual void DRAG_new() = 0;
    virtual void DRAG_EDIT() = 0;
    virtual void Face_Print() = 0;
    virtual void Assessment_PRINT() = 0;
    virtual void SAM_PRINT() = 0;
    virtual void DRAG_PRINT() = 0;
    virtual void RAP_PRINT() = 0;
    virtual void RAPL_PRINT() = 0;
    virtual void KENTO_PRINT() = 0;
    virtual void RAP_CREATE() = 0;
    // Unloads the section-entry window frmOrv21 if it is loaded.
    virtual void unloadEntryWindow() = 0;
    // Shows the blank-forms window frmPDFPrint modeless.
    virtual void showPdfPrint() = 0;
};

} // namespace orv
