#include "shell/DialogControls.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace orv {

QFont DialogControls::formFont()
{
    // Latin text from a font of ordinary line height (the calendar sizes its cells by it),
    // Japanese from the Japanese face.
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK JP")});
    font.setPointSize(9);
    return font;
}

QLabel* DialogControls::label(const QString& name, const QString& text, QWidget* parent,
                              Qt::Alignment alignment)
{
    auto* control = new QLabel(text, parent);
    control->setObjectName(name);
    control->setAlignment(alignment | Qt::AlignVCenter);
    return control;
}

void DialogControls::fitText(QLabel* label)
{
    QFont font = label->parentWidget() ? label->parentWidget()->font() : label->font();
    while (font.pointSizeF() > 6 &&
           QFontMetrics(font).horizontalAdvance(label->text()) > label->contentsRect().width())
        font.setPointSizeF(font.pointSizeF() - 0.5);
    label->setFont(font);
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
