#pragma once

#include <QDialog>

namespace orv {

// A fixed-size dialog with a close box, never minimized or maximized, and no default or cancel
// button: Enter and Escape do nothing by themselves.
class PlainDialog : public QDialog
{
    Q_OBJECT
public:
    explicit PlainDialog(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace orv
