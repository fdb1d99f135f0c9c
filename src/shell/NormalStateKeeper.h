#pragma once

#include <QObject>

class QWidget;

namespace orv {

// Keeps a fixed-size dialog in its normal state. The dialog asks for neither a minimize nor a
// maximize button, but a window manager may offer them anyway (openbox offers minimize on every
// dialog, and minimizes the program's windows with it): the dialog comes straight back.
class NormalStateKeeper : public QObject
{
public:
    // Watches the dialog for as long as it lives.
    explicit NormalStateKeeper(QWidget* dialog);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_dialog;
};

} // namespace orv
