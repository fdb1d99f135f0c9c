#include "shell/EntryCommands.h"

#include "common/DateFormat.h"
#include "common/MessageBoxService.h"
#include "common/StringRoutines.h"
#include "data/AppState.h"
#include "data/Database.h"
#include "data/FailureMessage.h"
#include "data/Recordset.h"
#include "shell/EntryCommandHost.h"

#include <QRegularExpression>

namespace orv {

namespace {

const QString sectionLetters = QStringLiteral("abcdefghijklmnopqr");

} // namespace

EntryCommands::EntryCommands(AppState& state, PageDocument& document, EntryCommandHost& host)
    : m_state(state), m_document(document), m_host(host), m_binding(state, document, &host)
{
}

bool EntryCommands::isSwallowedKey(int key, Qt::KeyboardModifiers modifiers)
{
    return key == Qt::Key_N && modifiers.testFlag(Qt::ControlModifier);
}

void EntryCommands::reportDocumentError(const QString& error)
{
    m_state.msg->show(QStringLiteral("ページを操作できませんでした。\n") + error, StyleCritical);
}

bool EntryCommands::clearStatus()
{
    QString error;
    if (m_document.setStatus(QString(), &error))
        return true;
    reportDocumentError(error);
    return false;
}

void EntryCommands::handleStatusText(const QString& text)
{
    if (text.isEmpty())
        return;
    const QChar command = text.at(0);
    if (command != QLatin1Char('!') && command != QLatin1Char('#') && command != QLatin1Char('$'))
        return;
    if (!clearStatus())
        return;
    const QString rest = text.mid(1);
    if (command == QLatin1Char('!')) {
        pickDate(rest);
    } else if (command == QLatin1Char('#')) {
        m_state.CurTable = Piece2(rest, 1, QStringLiteral("|"), m_state.msg);
        m_state.NextPage = Piece2(rest, 2, QStringLiteral("|"), m_state.msg);
        m_binding.SavePage();
    } else {
        switchComa(rest.toUpper());
    }
}

void EntryCommands::pickDate(const QString& fields)
{
    const QString separator = QStringLiteral("|");
    m_state.PickElementName = Piece2(fields, 1, separator, m_state.msg);
    const QString format = Piece2(fields, 2, separator, m_state.msg);
    const QString timeFlag = Piece2(fields, 3, separator, m_state.msg);
    const QString ageElement = Piece2(fields, 4, separator, m_state.msg);
    m_state.DateOnly = timeFlag.toUpper() != QLatin1String("TIME");
    m_state.DatePicked = false;
    m_host.runDatePicker();
    if (!m_state.DatePicked)
        return;

    QVector<PageElement> elements;
    QString error;
    if (!m_document.readElements(&elements, &error)) {
        reportDocumentError(error);
        return;
    }
    QVector<ElementChange> changes;
    const int dateIndex = PageDocument::indexOf(elements, m_state.PickElementName);
    if (dateIndex >= 0)
        changes.append(
            ElementChange::value(dateIndex, DateFormat::format(m_state.PickedDate, format)));
    if (!ageElement.isEmpty()) {
        const int ageIndex = PageDocument::indexOf(elements, ageElement);
        const int age = m_today().year() - m_state.PickedDate.date().year();
        if (ageIndex >= 0)
            changes.append(ElementChange::value(ageIndex, QString::number(age)));
    }
    if (!changes.isEmpty() && !m_document.apply(changes, &error))
        reportDocumentError(error);
}

void EntryCommands::switchComa(const QString& word)
{
    bool on = false;
    if (word == QLatin1String("KONSUI"))
        on = true;
    else if (word != QLatin1String("NOKONSUI"))
        return;
    if (m_state.KonsuiMode != on) {
        QString error;
        if (!ComaMode(m_state).KonsuiChg(on, &error)) {
            m_state.msg->show(QStringLiteral("昏睡状態の切り替えでエラーが発生しました。\n") +
                                  error,
                              StyleCritical);
            return;
        }
    }
    m_state.KonsuiMode = on;
    DispKonsui(on);
    m_host.KonsuiMenu();
}

void EntryCommands::KonsuiChg(bool St)
{
    QString error;
    if (!ComaMode(m_state).KonsuiChg(St, &error))
        m_state.msg->show(QStringLiteral("昏睡状態の切り替えでエラーが発生しました。\n") + error,
                          StyleCritical);
}

void EntryCommands::DispKonsui(bool St)
{
    QString error;
    if (!ComaMode::DispKonsui(m_document, St, &error))
        reportDocumentError(error);
}

void EntryCommands::jump(const QString& nextPage)
{
    m_state.CurTable = m_state.CurRs ? m_state.CurRs->name() : QString();
    m_state.NextPage = nextPage;
    m_binding.SavePage();
}

QString EntryCommands::tableOfRecordset(const QString& name)
{
    if (name.left(6).toUpper() != QLatin1String("SELECT"))
        return name;
    const int from = int(name.toUpper().indexOf(QLatin1String("FROM ")));
    if (from < 0)
        return QString();
    return Piece2(name.mid(from + 5).trimmed(), 1, QStringLiteral(" "));
}

bool EntryCommands::isAssessmentTable(const QString& table)
{
    static const QRegularExpression letter(QStringLiteral("^[A-R]$"));
    return letter.match(table).hasMatch();
}

bool EntryCommands::discardNewRecord(QString* error)
{
    if (!m_state.CurRs)
        return true;
    const QString table = tableOfRecordset(m_state.CurRs->name());
    static const QRegularExpression plainName(QStringLiteral("^[A-Za-z0-9_]+$"));
    if (!m_state.Db || !plainName.match(table).hasMatch()) {
        if (error)
            *error = QStringLiteral("テーブルが分かりません: ") + m_state.CurRs->name();
        return false;
    }
    QStringList tables;
    if (isAssessmentTable(table)) {
        for (const QChar letter : sectionLetters)
            tables << QString(letter);
    } else {
        tables << table;
    }
    // One transaction, so that a failure leaves the record whole and the window open.
    TransactionGuard transaction(*m_state.Db);
    if (!transaction.ok()) {
        if (error)
            *error = QStringLiteral("トランザクションを開始できません。");
        return false;
    }
    const QVector<Value> key{Value(m_state.CurID), Value(m_state.CurKijunbi)};
    for (const QString& section : std::as_const(tables)) {
        const QString sql =
            QStringLiteral("DELETE FROM %1 WHERE [ID]=? AND [基準日]=?").arg(section);
        if (!m_state.Db->execute(sql, key, error))
            return false;
    }
    if (!transaction.commit(error))
        return false;
    closeRecord();
    return true;
}

void EntryCommands::closeRecord()
{
    if (!m_state.CurRs)
        return;
    if (m_state.CurRs->editMode() != Recordset::EditMode::None)
        m_state.CurRs->cancelUpdate();
    m_state.CurRs->close();
    m_state.CurRs.reset();
}

bool EntryCommands::leaveUnsaved()
{
    if (m_state.IsNewRecord) {
        QString error;
        if (!discardNewRecord(&error)) {
            m_state.msg->show(QStringLiteral("データの削除でエラーが発生しました。\n") + error,
                              StyleCritical);
            return false;
        }
    } else {
        closeRecord();
    }
    m_state.SkipSave = true;
    return true;
}

void EntryCommands::leaveForMissingPage(const QString& pagePath)
{
    m_state.msg->show(FailureMessage::text(FailureMessage::Kind::PageMissing, pagePath),
                      StyleCritical);
    if (leaveUnsaved())
        m_host.unloadWindow();
}

void EntryCommands::showPageAgain(const QString& pagePath, const QString& reason)
{
    m_state.msg->show(reason + QStringLiteral("\n入力中の画面を表示し直します。まだ登録して"
                                              "いない入力は失われました。"),
                      StyleCritical);
    if (!m_state.CurRs || pagePath.isEmpty())
        return;
    // Until it is filled again the page must not be stored: its inputs do not hold the row.
    m_binding.pageLoadStarted();
    const bool permit = std::exchange(m_state.NavPermit, true);
    m_host.navigateAndWait(pagePath);
    m_state.NavPermit = permit;
    if (m_binding.LoadPage() && m_state.KonsuiMode)
        DispKonsui(true);
}

bool EntryCommands::queryUnload(bool fromUser)
{
    if (m_unloading)
        return true; // the close that SavePage makes while this unload stores the page
    if (fromUser) {
        const int answer = m_state.msg->show(QStringLiteral("データを保存しないで終了しますか？"),
                                             StyleYesNoExclamation);
        if (answer != AnswerYes || !leaveUnsaved())
            return false;
    }
    if (!m_state.SkipSave) {
        m_unloading = true;
        const bool stored = m_binding.SavePage();
        m_unloading = false;
        if (!stored)
            return false;
    }
    m_host.showMainWindow();
    return true;
}

} // namespace orv
