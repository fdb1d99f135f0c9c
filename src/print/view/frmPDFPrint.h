#pragma once

#include <QDialog>
#include <QPointer>

namespace orv {

struct AppState;

// The blank forms window: seven buttons, each opening one PDF of the folder "PDF" with the
// program the desktop associates with PDF files. Shown modeless; it stays open until closed.
class frmPDFPrint : public QDialog
{
    Q_OBJECT
public:
    struct Button
    {
        const char* name;
        const char* caption;
        const char* document; // below the program folder
    };
    static const Button Buttons[7];

    explicit frmPDFPrint(AppState& state, QWidget* parent = nullptr);

    // Shows the window held by the slot, creating it first if it is not open; an open window
    // is brought forward.
    static frmPDFPrint* showOrRaise(QPointer<frmPDFPrint>& slot, AppState& state,
                                    QWidget* parent = nullptr);

    // The full path that a button opens.
    QString documentPath(const Button& button) const;
    void open(const Button& button);

private:
    void Form_Load();
    void buildControls();

    AppState& m_state;
};

} // namespace orv
