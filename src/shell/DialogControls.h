#pragma once

#include <QString>
#include <Qt>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace orv {

// The plain controls of the dialogs, named after the controls of the old forms.
class DialogControls
{
public:
    static QLabel* label(const QString& name, const QString& text, QWidget* parent,
                         Qt::Alignment alignment = Qt::AlignLeft);
    static QLineEdit* textBox(const QString& name, QWidget* parent);
    // Shrinks the label's font until its text fits its width (the old forms' fonts were
    // narrower than ours).
    static void fitText(QLabel* label);
    // A button that Enter does not press.
    static QPushButton* button(const QString& name, const QString& text, QWidget* parent);
};

} // namespace orv
