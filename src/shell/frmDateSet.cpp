#include "shell/frmDateSet.h"

#include "data/AppState.h"
#include "shell/DialogControls.h"
#include "shell/ScreenCentring.h"
#include "shell/TwipsLayout.h"
#include "shell/frmDTPICK.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace orv {

namespace {

constexpr int dialogWidth = 5430;
constexpr int dialogHeight = 600;

} // namespace

frmDateSet::frmDateSet(AppState& state, QWidget* parent)
    : PlainDialog(parent), m_state(state), m_logic(state)
{
    setObjectName(QStringLiteral("frmDateSet"));
    setWindowTitle(QStringLiteral("アセスメント基準日の設定"));
    setFont(DialogControls::formFont());
    buildLayout();
    ScreenCentring::centre(this);
}

void frmDateSet::buildLayout()
{
    const TwipsLayout layout(this);
    layout.setClientSize(dialogWidth, dialogHeight);

    m_lbAD = DialogControls::label(QStringLiteral("lbAD"), QStringLiteral("アセスメント基準日"),
                                   this, Qt::AlignRight);
    layout.place(m_lbAD, 120, 165, 1455, 255);
    DialogControls::fitText(m_lbAD);
    m_txtAssDate = DialogControls::textBox(QStringLiteral("txtAssDate"), this);
    layout.place(m_txtAssDate, 1680, 120, 1935, 270);
    QPushButton* cmdDTPICK =
        DialogControls::button(QStringLiteral("cmdDTPICK"), QStringLiteral("..."), this);
    layout.place(cmdDTPICK, 3600, 120, 375, 255);
    QPushButton* cmdOK =
        DialogControls::button(QStringLiteral("cmdOK"), QStringLiteral("OK"), this);
    layout.place(cmdOK, 4200, 120, 1095, 375);

    setTabOrder(m_txtAssDate, cmdDTPICK);
    setTabOrder(cmdDTPICK, cmdOK);
    m_txtAssDate->setFocus();

    connect(cmdOK, &QPushButton::clicked, this, &frmDateSet::cmdOK_Click);
    connect(cmdDTPICK, &QPushButton::clicked, this,
            [this] { frmDTPICK::pickInto(m_state, m_txtAssDate, this); });
}

void frmDateSet::setLabelCaption(const QString& caption)
{
    m_lbAD->setText(caption);
    DialogControls::fitText(m_lbAD);
}

void frmDateSet::cmdOK_Click()
{
    if (m_logic.accept(m_txtAssDate->text()))
        accept();
}

void frmDateSet::showModal(AppState& state, const QString& caption, const QString& labelCaption,
                           QWidget* parent)
{
    frmDateSet dialog(state, parent);
    if (!caption.isEmpty())
        dialog.setWindowTitle(caption);
    if (!labelCaption.isEmpty())
        dialog.setLabelCaption(labelCaption);
    dialog.exec();
}

} // namespace orv
