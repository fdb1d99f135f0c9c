#include "rap/VerificationMode.h"

#include "common/MessageBoxService.h"
#include "data/AppState.h"
#include "data/Database.h"
#include "data/Recordset.h"
#include "rap/RapRun.h"
#include "rap/SqliteStatement.h"

#include <QStringList>

#include <sqlite3.h>

namespace orv {

namespace {

constexpr int MaxListedSkips = 30;
constexpr int BatchCacheKiB = 64 * 1024;

// A larger page cache for the batch: its one transaction writes a RAP row per assessment, and
// changes that outgrow the cache are spilled to the journal while the batch still runs.
class BatchPageCache
{
public:
    explicit BatchPageCache(Database& db) : m_db(db)
    {
        SqliteStatement size;
        if (size.prepare(db.handle(), QStringLiteral("PRAGMA cache_size"), nullptr) &&
            size.step(nullptr))
            m_previous = QString::number(sqlite3_column_int64(size.handle(), 0));
        if (!m_previous.isEmpty())
            m_db.execute(QStringLiteral("PRAGMA cache_size=-%1").arg(BatchCacheKiB));
    }
    ~BatchPageCache()
    {
        if (!m_previous.isEmpty())
            m_db.execute(QStringLiteral("PRAGMA cache_size=") + m_previous);
    }

private:
    Database& m_db;
    QString m_previous;
};

} // namespace

void VerificationMode::KenteiMode()
{
    MessageBoxService* msg = m_state.msg;
    const auto show = [msg](const QString& text, int style, const QString& title = QString()) {
        if (msg)
            msg->show(text, style, title);
    };
    show(QStringLiteral("検定モードに突入します。"), StyleInformation);
    m_state.TestMode = true;

    RapRun run(m_state);
    RapStore* store = run.store();
    QString error;
    QStringList skipped;
    // The batch is one transaction: a failure leaves the RAP rows as they were.
    std::unique_ptr<BatchPageCache> cache;
    std::unique_ptr<TransactionGuard> batch;
    if (store) {
        cache = std::make_unique<BatchPageCache>(store->database());
        batch = std::make_unique<TransactionGuard>(store->database());
    }
    bool ok = batch && batch->ok();
    QVector<AssessmentKey> keys;
    ok = ok && store->database().execute(QStringLiteral("DELETE FROM [RAP]"), {}, &error) &&
         store->assessmentKeys(&keys, &error);
    for (int i = 0; ok && i < keys.size(); ++i) {
        m_state.CurID = keys.at(i).id;
        m_state.CurKijunbi = keys.at(i).date;
        AssessmentProblem problem;
        const RapRunOutcome outcome = run.evaluateSelection(&problem, &error);
        if (outcome == RapRunOutcome::Evaluated)
            continue;
        const QString what =
            RapRun::describeAssessment(keys.at(i).id, keys.at(i).date, run.lastName());
        if (outcome == RapRunOutcome::NotEvaluated)
            skipped << what + QStringLiteral("：") + RapRun::problemText(problem);
        ok = outcome != RapRunOutcome::Failed;
        if (!ok)
            error = what + QStringLiteral("：") + error;
    }
    if (ok)
        ok = batch->commit(&error);
    batch.reset();
    cache.reset();
    m_state.RapRs.reset();

    if (!ok) {
        if (error.isEmpty())
            error = QStringLiteral("データベースが開かれていません。");
        show(QStringLiteral("検定モードの処理を中止しました。RAPの記録は変更していません。\r\n") +
                 error,
             StyleCritical, QStringLiteral("エラーが発生しました"));
        return;
    }
    show(QStringLiteral("終了しました"), StyleInformation);
    if (!skipped.isEmpty()) {
        QStringList listed = skipped.mid(0, MaxListedSkips);
        if (skipped.size() > MaxListedSkips)
            listed << QStringLiteral("ほか %1 件").arg(skipped.size() - MaxListedSkips);
        show(QStringLiteral("次の %1 件のアセスメントはデータに不備があるため判定しませんでした。"
                            "\r\n\r\n")
                     .arg(skipped.size()) +
                 listed.join(QStringLiteral("\r\n")),
             StyleExclamation);
    }
}

} // namespace orv
