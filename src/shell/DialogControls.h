#pragma once

#include <QFont>
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
    // The font the twips layouts were made for, whatever the desktop's own font: a larger
    // one would clip the labels and boxes of these fixed-size windows.
    static QFont formFont();
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
