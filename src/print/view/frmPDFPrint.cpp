#include "print/view/frmPDFPrint.h"

#include "common/DocumentLauncher.h"
#include "common/Twips.h"
#include "data/AppState.h"
#include "print/view/ReportRenderer.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace orv {

namespace {

constexpr int kClientWidth = 6630;
constexpr int kClientHeight = 6060;

struct Notice
{
    const char* name;
    int top;
    const char* text;
};
const Notice kNotices[] = {
    {"lbMsg", 5280, "※空表を表示・印刷するには、"},
    {"lbMsg2", 5520, "PDFを出力できるソフトウェアが必要です。"},
    {"lbMsg3", 5760, "（無償の Adobe Acrobat Reader などをお使いください）"},
};

} // namespace

const frmPDFPrint::Button frmPDFPrint::Buttons[7] = {
    {"cmdFaceSheet", "入院・入所時のフェイスシート", "\\PDF\\FaceSheet.pdf"},
    {"CmdAssessment", "アセスメント表", "\\PDF\\Assessment.pdf"},
    {"cmdRapSummry", "RAPサマリー(ケアプラン作成評価票)", "\\PDF\\RapSummary.pdf"},
    {"cmdMedication", "薬物治療調査票", "\\PDF\\Medication.pdf"},
    {"cmdRapSelect", "RAP選定表", "\\PDF\\RapSelect.pdf"},
    {"cmdSisetuSrv", "施設サービス計画書(1)(2)", "\\PDF\\SisetuSrv.pdf"},
    {"cmdSyukanSrv", "週間サービス計画表", "\\PDF\\SyukanSrv.pdf"},
};

frmPDFPrint::frmPDFPrint(AppState& state, QWidget* parent) : QDialog(parent), m_state(state)
{
    setObjectName(QStringLiteral("frmPDFPrint"));
    setWindowTitle(QStringLiteral("空表出力(PDF)"));
    setModal(false);
    buildControls();
    Form_Load();
}

frmPDFPrint* frmPDFPrint::showOrRaise(QPointer<frmPDFPrint>& slot, AppState& state, QWidget* parent)
{
    if (!slot) {
        slot = new frmPDFPrint(state, parent);
        slot->setAttribute(Qt::WA_DeleteOnClose);
    }
    slot->show();
    slot->raise();
    slot->activateWindow();
    return slot;
}

void frmPDFPrint::buildControls()
{
    const Twips twips(logicalDpiY());
    auto place = [&](QWidget* w, int left, int top, int width, int height) {
        w->setGeometry(twips.toPixels(left), twips.toPixels(top), twips.toPixels(width),
                       twips.toPixels(height));
    };
    setFixedSize(twips.toPixels(kClientWidth, kClientHeight));

    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Shape1"));
    frame->setFrameShape(QFrame::Box);
    place(frame, 360, 120, 5895, 855);

    QFont titleFont(ReportRenderer::gothicFamily());
    titleFont.setPointSize(20);
    titleFont.setBold(true);
    auto* shadow = new QLabel(QStringLiteral("空表(PDF)印刷"), this);
    shadow->setObjectName(QStringLiteral("lbTitle1"));
    shadow->setFont(titleFont);
    shadow->setStyleSheet(QStringLiteral("color: #a0a0a0;"));
    place(shadow, 960, 120, 5175, 855);
    auto* title = new QLabel(QStringLiteral("空表(PDF)印刷"), this);
    title->setObjectName(QStringLiteral("lbTitle2"));
    title->setFont(titleFont);
    title->setAttribute(Qt::WA_TranslucentBackground);
    place(title, 1020, 180, 5295, 735);

    int top = 1080;
    for (const Button& button : Buttons) {
        auto* push = new QPushButton(QString::fromUtf8(button.caption), this);
        push->setObjectName(QString::fromUtf8(button.name));
        push->setAutoDefault(false);
        place(push, 120, top, 6375, 495);
        connect(push, &QPushButton::clicked, this, [this, &button] { open(button); });
        top += 600;
    }
    for (const Notice& notice : kNotices) {
        auto* label = new QLabel(QString::fromUtf8(notice.text), this);
        label->setObjectName(QString::fromUtf8(notice.name));
        place(label, 120, notice.top, 6375, 255);
    }
}

void frmPDFPrint::Form_Load()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const Twips twips(logicalDpiY());
    const QRect area = screen->geometry();
    const int left = Twips::centredOffset(twips.fromPixels(area.width()), kClientWidth);
    const int top = Twips::centredOffset(twips.fromPixels(area.height()), kClientHeight);
    move(area.left() + twips.toPixels(left), area.top() + twips.toPixels(top));
}

QString frmPDFPrint::documentPath(const Button& button) const
{
    return m_state.folder.file(QString::fromUtf8(button.document));
}

void frmPDFPrint::open(const Button& button)
{
    if (m_state.launcher)
        m_state.launcher->ShellOpenFile(documentPath(button));
}

} // namespace orv
