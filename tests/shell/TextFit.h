#pragma once

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace orv::test {

// A desktop whose font is larger than the one the dialogs were laid out for, for as long
// as it lives.
class LargeDesktopFont
{
public:
    LargeDesktopFont() : m_saved(QApplication::font())
    {
        QFont large(QStringLiteral("DejaVu Sans"));
        large.setPointSize(14);
        QApplication::setFont(large);
    }
    ~LargeDesktopFont() { QApplication::setFont(m_saved); }

private:
    QFont m_saved;
};

// Every visible label, button, text box and list of the window shows its whole text.
inline void verifyTextsFit(QWidget* window)
{
    const auto fits = [](QWidget* control, const QString& text, int margin) {
        const int needed = QFontMetrics(control->font()).horizontalAdvance(text) + margin;
        QVERIFY2(needed <= control->width(), qPrintable(QStringLiteral("%1 \"%2\": %3 > %4")
                                                            .arg(control->objectName(), text)
                                                            .arg(needed)
                                                            .arg(control->width())));
    };
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->isVisibleTo(window) && !label->objectName().startsWith(QLatin1String("qt_")))
            fits(label, label->text(), 0);
    }
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        if (button->isVisibleTo(window))
            fits(button, button->text(), 6);
    }
    for (QLineEdit* box : window->findChildren<QLineEdit*>()) {
        if (box->isVisibleTo(window) && !box->text().isEmpty())
            fits(box, box->text(), 6);
    }
    for (QComboBox* list : window->findChildren<QComboBox*>()) {
        if (list->isVisibleTo(window))
            fits(list, list->currentText(), 6);
    }
}

} // namespace orv::test
