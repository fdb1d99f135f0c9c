#include "shell/frmDBFind2.h"

#include "common/MessageBoxService.h"
#include "data/AppState.h"
#include "data/Database.h"
#include "data/RecordDeleter.h"
#include "shell/DialogControls.h"
#include "shell/ScreenCentring.h"
#include "shell/FinderRowModel.h"
#include "shell/TwipsLayout.h"
#include "shell/frmDTPICK.h"
#include "shell/frmNewData.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace orv {

namespace {

constexpr int dialogWidth = 10170;
constexpr int dialogHeight = 4815;

} // namespace

frmDBFind2::frmDBFind2(AppState& state, QWidget* parent)
    : PlainDialog(parent), m_state(state), m_logic(state)
{
    setObjectName(QStringLiteral("frmDBFind2"));
    setWindowTitle(QStringLiteral("登録データの選択"));
    setFont(DialogControls::formFont());
    buildLayout();
    ScreenCentring::centre(this);
    openList();
}

frmDBFind2::~frmDBFind2() = default;

void frmDBFind2::buildLayout()
{
    const TwipsLayout layout(this);
    layout.setClientSize(dialogWidth, dialogHeight);
    using C = DialogControls;

    m_frJoken = new QGroupBox(QStringLiteral("検索条件"), this);
    m_frJoken->setObjectName(QStringLiteral("frJoken"));
    layout.place(m_frJoken, 120, 60, 7440, 1560);
    QWidget* frame = m_frJoken;
    layout.place(C::label(QStringLiteral("lbID"), QStringLiteral("ID"), frame, Qt::AlignRight), 120,
                 300, 900, 255);
    m_txtIDs = C::textBox(QStringLiteral("txtIDs"), frame);
    layout.place(m_txtIDs, 1080, 300, 2400, 270);
    layout.place(
        C::label(QStringLiteral("lbTaisyo"), QStringLiteral("対象者氏名"), frame, Qt::AlignRight),
        120, 720, 900, 255);
    m_txtTaisyo = C::textBox(QStringLiteral("txtTaisyo"), frame);
    layout.place(m_txtTaisyo, 1080, 720, 2400, 270);
    layout.place(
        C::label(QStringLiteral("lbYom"), QStringLiteral("対象者よみ"), frame, Qt::AlignRight), 120,
        1140, 900, 255);
    m_txtYom = C::textBox(QStringLiteral("txtYom"), frame);
    layout.place(m_txtYom, 1080, 1140, 2400, 270);
    m_lbAD = C::label(QStringLiteral("lbAD"), QStringLiteral("記入日"), frame, Qt::AlignRight);
    layout.place(m_lbAD, 3600, 300, 1020, 255);
    m_txtAssDate = C::textBox(QStringLiteral("txtAssDate"), frame);
    layout.place(m_txtAssDate, 4680, 300, 2160, 270);
    QPushButton* cmdDTPICK = C::button(QStringLiteral("cmdDTPICK"), QStringLiteral("..."), frame);
    layout.place(cmdDTPICK, 6900, 300, 375, 270);
    layout.place(
        C::label(QStringLiteral("lbBorn"), QStringLiteral("生年月日"), frame, Qt::AlignRight), 3600,
        720, 1020, 255);
    m_txtBorn = C::textBox(QStringLiteral("txtBorn"), frame);
    layout.place(m_txtBorn, 4680, 720, 2160, 270);
    QPushButton* cmdBorn = C::button(QStringLiteral("cmdBorn"), QStringLiteral("..."), frame);
    layout.place(cmdBorn, 6900, 720, 375, 270);

    m_cmdS1 = C::button(QStringLiteral("cmdS1"), QStringLiteral("データ検索"), this);
    layout.place(m_cmdS1, 7800, 180, 2235, 375);
    m_cmdSel = C::button(QStringLiteral("cmdSel"), QStringLiteral("選　択"), this);
    layout.place(m_cmdSel, 7800, 720, 1095, 375);
    m_cmdNew = C::button(QStringLiteral("cmdNew"), QStringLiteral("新　規"), this);
    layout.place(m_cmdNew, 8940, 720, 1095, 375);
    m_cmdNew->hide();
    m_cmdDel = C::button(QStringLiteral("cmdDel"), QStringLiteral("削　除"), this);
    layout.place(m_cmdDel, 7800, 1200, 1095, 375);

    m_model = new FinderRowModel(this);
    m_DBG = new QTableView(this);
    m_DBG->setObjectName(QStringLiteral("DBG"));
    m_DBG->setModel(m_model);
    m_DBG->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_DBG->setSelectionMode(QAbstractItemView::SingleSelection);
    m_DBG->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_DBG->verticalHeader()->setDefaultSectionSize(layout.twips().toPixels(270));
    m_DBG->horizontalHeader()->setStretchLastSection(true);
    layout.place(m_DBG, 120, 1740, 9930, 2955);
    const int widths[] = {1500, 1800, 2400, 2400};
    for (int column = 0; column < 4; ++column)
        m_DBG->setColumnWidth(column, layout.twips().toPixels(widths[column]));

    setTabOrder(m_txtIDs, m_txtTaisyo);
    setTabOrder(m_txtTaisyo, m_txtYom);
    setTabOrder(m_txtYom, m_txtAssDate);
    setTabOrder(m_txtAssDate, cmdDTPICK);
    setTabOrder(cmdDTPICK, m_txtBorn);
    setTabOrder(m_txtBorn, cmdBorn);
    setTabOrder(cmdBorn, m_cmdS1);
    setTabOrder(m_cmdS1, m_DBG);
    setTabOrder(m_DBG, m_cmdSel);
    setTabOrder(m_cmdSel, m_cmdNew);
    setTabOrder(m_cmdNew, m_cmdDel);
    m_txtIDs->setFocus();

    connect(m_cmdS1, &QPushButton::clicked, this, &frmDBFind2::cmdS1_Click);
    connect(m_cmdSel, &QPushButton::clicked, this, &frmDBFind2::cmdSel_Click);
    connect(m_DBG, &QTableView::doubleClicked, this, &frmDBFind2::cmdSel_Click);
    connect(m_cmdDel, &QPushButton::clicked, this, &frmDBFind2::cmdDel_Click);
    connect(m_cmdNew, &QPushButton::clicked, this, &frmDBFind2::cmdNew_Click);
    connect(cmdDTPICK, &QPushButton::clicked, this,
            [this] { frmDTPICK::pickInto(m_state, m_txtAssDate, this); });
    connect(cmdBorn, &QPushButton::clicked, this,
            [this] { frmDTPICK::pickInto(m_state, m_txtBorn, this); });
}

void frmDBFind2::openList()
{
    // The list reads through a connection of its own to the same file.
    const QString path =
        m_state.Db ? m_state.Db->path() : m_state.folder.file(QStringLiteral("Orv21.db"));
    QString error;
    m_listDb = Database::open(path, &error);
    if (!m_listDb && m_state.msg)
        m_state.msg->show(QStringLiteral("データベースを開けません。\r\n%1").arg(error),
                          StyleCritical);
}

void frmDBFind2::ModeSet(int mode)
{
    m_logic.modeSet(mode);
    m_cmdDel->setVisible(!m_state.IsNewRecord);
    if (const FinderMode* info = FinderQuery::mode(mode)) {
        m_lbAD->setText(info->dateLabel);
        m_model->setDateHeading(info->dateLabel);
        setWindowTitle(info->caption);
    }
    refresh();
}

void frmDBFind2::setNewButtonVisible(bool visible)
{
    m_cmdNew->setVisible(visible);
}

void frmDBFind2::refresh()
{
    QVector<FinderRow> rows;
    QString error;
    if (m_listDb && !m_logic.recordSource().sql.isEmpty() &&
        !FinderQuery::fetch(*m_listDb, m_logic.recordSource(), &rows, &error) && m_state.msg)
        m_state.msg->show(QStringLiteral("データを読めません。\r\n%1").arg(error), StyleCritical);
    m_model->setRows(std::move(rows));
    if (m_model->rowCount() > 0)
        m_DBG->setCurrentIndex(m_model->index(0, 0));
}

int frmDBFind2::currentRow() const
{
    if (m_model->rowCount() == 0)
        return -1;
    const QModelIndex current = m_DBG->currentIndex();
    return current.isValid() ? current.row() : 0;
}

void frmDBFind2::cmdS1_Click()
{
    const FinderBoxes boxes{m_txtIDs->text(), m_txtTaisyo->text(), m_txtYom->text(),
                            m_txtAssDate->text(), m_txtBorn->text()};
    if (m_logic.search(boxes))
        refresh();
}

void frmDBFind2::cmdSel_Click()
{
    const int row = currentRow();
    if (row < 0)
        return;
    if (m_cmdNew->isVisible()) {
        handOver(m_model->row(row).id);
        return;
    }
    m_logic.pick(m_model->row(row));
    accept();
}

void frmDBFind2::cmdNew_Click()
{
    handOver(QString());
}

void frmDBFind2::handOver(const QString& presetId)
{
    hide();
    frmNewData::showModal(m_state, presetId, parentWidget());
    accept();
}

void frmDBFind2::cmdDel_Click()
{
    const int row = currentRow();
    if (row < 0)
        return;
    if (m_logic.deleteRow(m_model->row(row)))
        refresh();
}

bool frmDBFind2::KIHONDel(Database& db, const QString& id, const DateValue& kijun)
{
    return RecordDeleter(db).KIHONDel(id, kijun);
}

bool frmDBFind2::AssessmentDel(Database& db, const QString& id, const DateValue& kijun)
{
    return RecordDeleter(db).AssessmentDel(id, kijun);
}

} // namespace orv
