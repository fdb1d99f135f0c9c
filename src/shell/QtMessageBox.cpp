#include "shell/QtMessageBox.h"

#include "shell/ScreenCentring.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace orv {

int QtMessageBox::show(const QString& text, int style, const QString& title)
{
    // Over its owner while that is on screen, else over the active window; with neither (a box
    // at start-up) in the middle of the screen.
    QWidget* owner =
        m_parent && m_parent->isVisible() ? m_parent : QApplication::activeWindow();
    QMessageBox box(owner);
    if (!owner)
        ScreenCentring::centre(&box);
    box.setWindowTitle(title.isEmpty() ? applicationTitle() : title);
    box.setText(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    switch (style & 0xF0) {
    case StyleCritical:
        box.setIcon(QMessageBox::Critical);
        break;
    case StyleExclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case StyleInformation:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    if (isYesNoStyle(style)) {
        box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
        QAbstractButton* no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == no ? AnswerNo : AnswerYes;
    }
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
    return AnswerOk;
}

} // namespace orv
