#include "shell/frmNewData.h"

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

constexpr int dialogWidth = 3480;
constexpr int dialogHeight = 1665;

} // namespace

frmNewData::frmNewData(AppState& state, QWidget* parent)
    : PlainDialog(parent), m_state(state), m_logic(state)
{
    setObjectName(QStringLiteral("frmNewData"));
    setWindowTitle(QStringLiteral("フェイスシート情報の作成"));
    setFont(DialogControls::formFont());
    buildLayout();
    ScreenCentring::centre(this);
}

void frmNewData::buildLayout()
{
    const TwipsLayout layout(this);
    layout.setClientSize(dialogWidth, dialogHeight);
    using C = DialogControls;

    layout.place(
        C::label(QStringLiteral("lbName"), QStringLiteral("対象者名"), this, Qt::AlignRight), 120,
        120, 735, 255);
    m_lbFullName = C::label(QStringLiteral("lbFullName"), NewDataLogic::newResidentText(), this);
    layout.place(m_lbFullName, 1080, 120, 1815, 255);
    layout.place(C::label(QStringLiteral("lbID"), QStringLiteral("ID"), this, Qt::AlignRight), 240,
                 525, 735, 255);
    m_txtIDs = C::textBox(QStringLiteral("txtIDs"), this);
    layout.place(m_txtIDs, 1080, 480, 1935, 270);
    layout.place(C::label(QStringLiteral("lbAD"), QStringLiteral("記入日"), this, Qt::AlignRight),
                 0, 885, 975, 255);
    m_txtAssDate = C::textBox(QStringLiteral("txtAssDate"), this);
    layout.place(m_txtAssDate, 1080, 840, 1935, 270);
    QPushButton* cmdDTPICK = C::button(QStringLiteral("cmdDTPICK"), QStringLiteral("..."), this);
    layout.place(cmdDTPICK, 3000, 840, 375, 255);
    QPushButton* cmdOK = C::button(QStringLiteral("cmdOK"), QStringLiteral("OK"), this);
    layout.place(cmdOK, 2280, 1200, 1095, 375);
    QPushButton* cmdCancel =
        C::button(QStringLiteral("cmdCancel"), QStringLiteral("キャンセル"), this);
    layout.place(cmdCancel, 960, 1200, 1095, 375);

    setTabOrder(m_txtIDs, m_txtAssDate);
    setTabOrder(m_txtAssDate, cmdDTPICK);
    setTabOrder(cmdDTPICK, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    m_txtIDs->setFocus();

    connect(m_txtIDs, &QLineEdit::textChanged, this, &frmNewData::txtIDs_Change);
    connect(cmdOK, &QPushButton::clicked, this, &frmNewData::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmNewData::cmdCancel_Click);
    connect(cmdDTPICK, &QPushButton::clicked, this,
            [this] { frmDTPICK::pickInto(m_state, m_txtAssDate, this); });
}

void frmNewData::setId(const QString& id)
{
    m_txtIDs->setText(id);
}

void frmNewData::txtIDs_Change(const QString& id)
{
    m_lbFullName->setText(m_logic.fullName(id));
    DialogControls::fitText(m_lbFullName);
}

void frmNewData::cmdOK_Click()
{
    if (m_logic.accept(m_txtIDs->text(), m_txtAssDate->text()))
        accept();
}

void frmNewData::cmdCancel_Click()
{
    m_logic.cancel();
    reject();
}

void frmNewData::showModal(AppState& state, const QString& presetId, QWidget* parent)
{
    frmNewData dialog(state, parent);
    if (!presetId.isEmpty())
        dialog.setId(presetId);
    dialog.exec();
}

} // namespace orv
