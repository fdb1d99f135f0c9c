#include "shell/DialogControls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace orv {

QLabel* DialogControls::label(const QString& name, const QString& text, QWidget* parent,
                              Qt::Alignment alignment)
{
    auto* control = new QLabel(text, parent);
    control->setObjectName(name);
    control->setAlignment(alignment | Qt::AlignVCenter);
    return control;
}

QLineEdit* DialogControls::textBox(const QString& name, QWidget* parent)
{
    auto* control = new QLineEdit(parent);
    control->setObjectName(name);
    return control;
}

QPushButton* DialogControls::button(const QString& name, const QString& text, QWidget* parent)
{
    auto* control = new QPushButton(text, parent);
    control->setObjectName(name);
    control->setAutoDefault(false);
    return control;
}

} // namespace orv
