#include "shell/RecordWorkflows.h"

#include "common/DateFormat.h"
#include "common/MessageBoxService.h"
#include "data/AppState.h"
#include "data/Database.h"
#include "data/RecordFinder.h"
#include "data/Recordset.h"
#include "shell/FirstFaceSheet.h"
#include "shell/WorkflowHost.h"

namespace orv {

namespace {

const QString SectionLetters = QStringLiteral("ABCDEFGHIJKLMNOPQR");

QString keyQuery(const QString& table)
{
    return QStringLiteral("SELECT * FROM %1 WHERE [ID]=? AND [基準日]=?").arg(table);
}

} // namespace

// The two record kinds that hang off one face sheet: the RAP summary and the medication survey.
struct RecordWorkflows::SurveyKind
{
    QString table;
    QString dateColumn;
    QString nameColumn;
    int finderMode;
    QString dialogCaption;
    QString page;
};

namespace {

const QString SurveyDateLabel = QStringLiteral("記入年月日");

} // namespace

bool RecordWorkflows::openCurrent(const QString& table)
{
    QString error;
    std::unique_ptr<Recordset> rs = m_state.Db->openRecordset(
        keyQuery(table), {Value(m_state.CurID), Value(m_state.CurKijunbi)}, &error);
    if (rs && rs->eof())
        error = QStringLiteral("レコードが見つかりません。");
    if (!rs || rs->eof())
        return reportFailure(error);
    m_state.CurRs = std::move(rs);
    return true;
}

bool RecordWorkflows::reportFailure(const QString& error)
{
    if (m_state.msg)
        m_state.msg->show(QStringLiteral("データベースの処理でエラーが発生しました。\n") + error,
                          StyleCritical);
    return false;
}

void RecordWorkflows::duplicateMessage(const QString& name)
{
    m_state.msg->show(
        QStringLiteral("既に、対象者[") + name + QStringLiteral("]、アセスメント基準日[") +
            DateFormat::eraLong(m_state.CurKijunbi) + QStringLiteral("]のデータが登録されています"),
        StyleCritical);
}

bool RecordWorkflows::openPage(const QString& page, bool faceSheetJumps, bool sectionJumps)
{
    m_host.showEntryWindow(faceSheetJumps, sectionJumps);
    return loadPage(page);
}

// The guard checks the program's own navigation while the page loads, so NavPermit holds
// until the page is complete. The user may close the entry window meanwhile, which closes
// the record: then there is nothing to fill.
bool RecordWorkflows::loadPage(const QString& page)
{
    m_state.NavPermit = true;
    m_host.navigateEntryPage(page);
    const bool shown = m_host.waitForEntryPage();
    m_state.NavPermit = false;
    if (!shown || !m_state.CurRs)
        return false;
    m_host.loadEntryPage();
    return true;
}

// The page's scripts run the event loop, so the record may have been closed by now.
void RecordWorkflows::editCurrent()
{
    if (m_state.CurRs)
        m_state.CurRs->edit();
}

void RecordWorkflows::Face_new()
{
    m_state.CurID.clear();
    m_state.CurKijunbi = DateValue();
    m_state.finder->pick(0, true);
    if (m_state.CurID.isEmpty())
        return;

    const FirstFaceSheet first(*m_state.Db, m_state.CurID);
    const QString dateText = DateFormat::ymd(m_state.CurKijunbi);
    const QString table = m_state.CurTable;
    {
        QString error;
        std::unique_ptr<Recordset> rs = m_state.Db->openRecordset(table, {}, &error);
        if (!rs)
            return void(reportFailure(error));
        rs->addNew();
        const QVector<QPair<QString, Value>> values = {
            {QStringLiteral("ID"), Value(m_state.CurID)},
            {QStringLiteral("基準日"), Value(dateText)},
            {QStringLiteral("1-12"), Value(dateText)},
            {QStringLiteral("1-1-1"), Value(NullToStr(first.namePart(0)))},
            {QStringLiteral("1-1-2"), Value(NullToStr(first.namePart(1)))},
            {QStringLiteral("1-1-3"), Value(NullToStr(first.namePart(2)))},
            {QStringLiteral("1-1-4"), Value(NullToStr(first.namePart(3)))},
            {QStringLiteral("1-3-1"),
             first.birthDate().isNull() ? Value(DateValue()) : first.birthDate()},
        };
        for (const auto& value : values) {
            if (!rs->setValue(value.first, value.second, &error)) {
                rs->cancelUpdate();
                return void(reportFailure(error));
            }
        }
        if (!rs->update(&error))
            return void(reportFailure(error));
        rs->close();
    }

    if (!openCurrent(table))
        return;
    m_state.CurRs->edit();
    openPage(QStringLiteral("KIHON1.HTM"), true, false);
}

void RecordWorkflows::Face_EDIT()
{
    m_state.CurID.clear();
    m_state.CurKijunbi = DateValue();
    m_state.finder->pick(0, false);
    if (m_state.CurID.isEmpty())
        return;
    if (!openCurrent(m_state.CurTable))
        return;
    if (openPage(QStringLiteral("KIHON1.HTM"), true, false))
        editCurrent();
}

void RecordWorkflows::Assessment_new()
{
    m_state.CurID.clear();
    m_state.finder->pick(0, false);
    if (m_state.CurID.isEmpty())
        return;
    m_state.CurKijunbi = DateValue();
    m_host.showDateDialog(QString(), QString());
    if (m_state.CurKijunbi.isZero())
        return;

    Database& db = *m_state.Db;
    const QVector<Value> key = {Value(m_state.CurID), Value(m_state.CurKijunbi)};
    {
        std::unique_ptr<Recordset> existing = db.openRecordset(keyQuery(QStringLiteral("A")), key);
        if (existing && !existing->eof()) {
            duplicateMessage(NullToStr(existing->value(QStringLiteral("A1-1"))) +
                             NullToStr(existing->value(QStringLiteral("A1-2"))));
            return;
        }
    }

    // All eighteen rows of the assessment, or none of them.
    const FirstFaceSheet first(db, m_state.CurID);
    QString error;
    TransactionGuard transaction(db);
    if (!transaction.ok())
        return void(reportFailure(QStringLiteral("トランザクションを開始できません。")));
    for (const QChar letter : SectionLetters) {
        std::unique_ptr<Recordset> rs = db.openRecordset(QString(letter), {}, &error);
        if (!rs)
            return void(reportFailure(error));
        rs->addNew();
        if (!rs->setValue(QStringLiteral("ID"), Value(m_state.CurID), &error) ||
            !rs->setValue(QStringLiteral("基準日"), Value(m_state.CurKijunbi), &error) ||
            !rs->update(&error))
            return void(reportFailure(error));
    }
    {
        std::unique_ptr<Recordset> rowA =
            db.openRecordset(keyQuery(QStringLiteral("A")), key, &error);
        if (!rowA || rowA->eof())
            return void(reportFailure(error));
        rowA->edit();
        static const char* const copies[] = {"A1-1", "A1-2", "A1-3", "A1-4"};
        for (int i = 0; i < 4; ++i) {
            if (!rowA->setValue(QString::fromLatin1(copies[i]), first.namePart(i), &error))
                return void(reportFailure(error));
        }
        if (!rowA->setValue(QStringLiteral("A3"), Value(DateFormat::ymd(m_state.CurKijunbi)),
                            &error) ||
            !rowA->setValue(QStringLiteral("A5"), Value(m_state.CurID), &error) ||
            !rowA->update(&error))
            return void(reportFailure(error));
    }
    if (!transaction.commit(&error))
        return void(reportFailure(error));

    if (!openCurrent(QStringLiteral("A")))
        return;
    if (openPage(QStringLiteral("A.HTM"), false, true))
        editCurrent();
}

void RecordWorkflows::Assessment_EDIT()
{
    m_state.CurID.clear();
    m_state.CurKijunbi = DateValue();
    m_state.finder->pick(1, false);
    if (m_state.CurID.isEmpty())
        return;

    const FirstFaceSheet first(*m_state.Db, m_state.CurID);
    m_state.KonsuiMode = m_host.IsKonsui();
    if (!openCurrent(QStringLiteral("A")))
        return;
    // The names follow the face sheet at every start of an edit.
    QString error;
    m_state.CurRs->edit();
    static const char* const copies[] = {"A1-1", "A1-2", "A1-3", "A1-4"};
    for (int i = 0; i < 4; ++i) {
        if (!m_state.CurRs->setValue(QString::fromLatin1(copies[i]), first.namePart(i), &error)) {
            m_state.CurRs->cancelUpdate();
            return void(reportFailure(error));
        }
    }
    if (!m_state.CurRs->update(&error))
        return void(reportFailure(error));

    m_host.showEntryWindow(false, true);
    m_host.KonsuiMenu();
    if (loadPage(QStringLiteral("A.HTM")))
        editCurrent();
}

namespace {

const QString RapSummaryCaption = QStringLiteral("RAPサマリー 記入年月日指定");
const QString MedicationCaption = QStringLiteral("薬物治療調査票 記入年月日指定");

} // namespace

void RecordWorkflows::RAP_new()
{
    static const SurveyKind kind{QStringLiteral("S"),    QStringLiteral("S0-1"),
                                 QStringLiteral("S0-2"), 2,
                                 RapSummaryCaption,      QStringLiteral("S.HTM")};
    newSurvey(kind, true);
}

void RecordWorkflows::RAP_EDIT()
{
    static const SurveyKind kind{QStringLiteral("S"),    QStringLiteral("S0-1"),
                                 QStringLiteral("S0-2"), 2,
                                 RapSummaryCaption,      QStringLiteral("S.HTM")};
    editSurvey(kind);
}

void RecordWorkflows::DRAG_new()
{
    static const SurveyKind kind{QStringLiteral("T"),    QStringLiteral("T0-1"),
                                 QStringLiteral("T0-2"), 3,
                                 MedicationCaption,      QStringLiteral("T.HTM")};
    newSurvey(kind, false);
}

void RecordWorkflows::DRAG_EDIT()
{
    static const SurveyKind kind{QStringLiteral("T"),    QStringLiteral("T0-1"),
                                 QStringLiteral("T0-2"), 3,
                                 MedicationCaption,      QStringLiteral("T.HTM")};
    editSurvey(kind);
}

void RecordWorkflows::newSurvey(const SurveyKind& kind, bool residentFromRapRun)
{
    // A RAP summary takes the resident of the RAP run; the run's date is the RAP date.
    const DateValue rapDate = m_state.CurKijunbi;
    if (!residentFromRapRun) {
        m_state.CurID.clear();
        m_state.finder->pick(0, false);
    }
    if (m_state.CurID.isEmpty())
        return;
    m_state.CurKijunbi = DateValue();
    m_host.showDateDialog(kind.dialogCaption, SurveyDateLabel);
    if (m_state.CurKijunbi.isZero())
        return;

    Database& db = *m_state.Db;
    const QVector<Value> key = {Value(m_state.CurID), Value(m_state.CurKijunbi)};
    {
        std::unique_ptr<Recordset> existing = db.openRecordset(keyQuery(kind.table), key);
        if (existing && !existing->eof()) {
            duplicateMessage(NullToStr(existing->value(kind.nameColumn)));
            return;
        }
    }

    QString error;
    {
        TransactionGuard transaction(db);
        if (!transaction.ok())
            return void(reportFailure(QStringLiteral("トランザクションを開始できません。")));
        std::unique_ptr<Recordset> rs = db.openRecordset(kind.table, {}, &error);
        if (!rs)
            return void(reportFailure(error));
        rs->addNew();
        if (!rs->setValue(QStringLiteral("ID"), Value(m_state.CurID), &error) ||
            !rs->setValue(QStringLiteral("基準日"), Value(DateFormat::ymd(m_state.CurKijunbi)),
                          &error) ||
            !rs->update(&error))
            return void(reportFailure(error));
        rs->close();

        const FirstFaceSheet first(db, m_state.CurID);
        std::unique_ptr<Recordset> row = db.openRecordset(keyQuery(kind.table), key, &error);
        if (!row || row->eof())
            return void(reportFailure(error));
        row->edit();
        if (!row->setValue(kind.dateColumn, Value(DateFormat::ymd(m_state.CurKijunbi)), &error) ||
            !row->setValue(kind.nameColumn, first.fullName(), &error) || !row->update(&error))
            return void(reportFailure(error));
        if (!transaction.commit(&error))
            return void(reportFailure(error));
    }
    if (residentFromRapRun)
        m_host.RAP_SAM_SET(rapDate);

    if (openCurrent(kind.table) && openPage(kind.page, false, false))
        editCurrent();
}

void RecordWorkflows::editSurvey(const SurveyKind& kind)
{
    m_state.CurID.clear();
    m_state.CurKijunbi = DateValue();
    m_state.finder->pick(kind.finderMode, false);
    if (m_state.CurID.isEmpty())
        return;
    if (!openCurrent(kind.table))
        return;

    // The name follows the face sheet; this is committed before the page opens.
    const FirstFaceSheet first(*m_state.Db, m_state.CurID);
    QString error;
    m_state.CurRs->edit();
    if (!m_state.CurRs->setValue(kind.nameColumn, first.fullName(), &error) ||
        !m_state.CurRs->update(&error)) {
        m_state.CurRs->cancelUpdate();
        return void(reportFailure(error));
    }

    if (openPage(kind.page, false, false))
        editCurrent();
}

} // namespace orv
