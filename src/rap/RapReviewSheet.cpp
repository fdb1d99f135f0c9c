#include "rap/RapReviewSheet.h"

#include "common/MessageBoxService.h"
#include "common/SaveFileChooser.h"
#include "common/StringRoutines.h"
#include "data/AppState.h"
#include "data/Database.h"
#include "data/Recordset.h"
#include "rap/RapItemTable.h"
#include "rap/RtfText.h"

namespace orv {

const QString RapReviewSheet::BeginTemplate = QStringLiteral("RAP_BEGIN_RTF.DAT");
const QString RapReviewSheet::BottomTemplate = QStringLiteral("RAP_BOTTOM_RTF.DAT");

namespace {
const QString Comma = QStringLiteral(",");
const QString InternalError = QStringLiteral("内部エラー");
const QString RtfSection = QStringLiteral("RTF");
} // namespace

bool RapReviewSheet::WriteRapReviewSheet(const QString& id, const DateValue& date)
{
    MessageBoxService* msg = m_state.msg;
    QString error;
    const QString list = readRapList(id, date, &error);
    if (!error.isEmpty()) {
        reportError(error);
        return false;
    }
    if (list.isEmpty()) {
        if (msg)
            msg->show(QStringLiteral("RAPされた項目はありませんでしたので、RTFファイルは出力"
                                     "されませんでした。"),
                      StyleInformation);
        return false;
    }
    const QString path = ShowSaveDialog(QStringLiteral("RTFファイル|*.rtf|すべてのファイル|*.*"),
                                        QStringLiteral("作成するファイル名を指定してください。"));
    if (path.isEmpty())
        return false;
    const QString name = readResidentName(id);

    // Nothing reaches the file before commit(): a failure leaves no partial sheet.
    m_RtfFirstItem = true;
    if (!m_sheet.open(path, &error))
        error = QStringLiteral("ファイル %1 に書き込めません。\r\n%2").arg(path, error);
    if (!error.isEmpty() || !copyTemplate(BeginTemplate, true, name, &error)) {
        m_sheet.abort();
        reportError(error);
        return false;
    }
    const int count = PieceCnt(list, Comma) + 1;
    for (int k = 1; k <= count; ++k) {
        const RapItem* item = RapItemTable::instance().find(Piece2(list, k, Comma).toUpper());
        if (item)
            WriteRapItem(item->keys, item->title());
        else if (msg)
            msg->show(QStringLiteral("対応していないRAPです\r\n"), StyleCritical, InternalError);
    }
    if (copyTemplate(BottomTemplate, false, QString(), &error) && !m_sheet.commit(&error))
        error = QStringLiteral("ファイル %1 に書き込めません。\r\n%2").arg(path, error);
    if (!error.isEmpty()) {
        m_sheet.abort();
        reportError(error);
        return false;
    }
    if (msg)
        msg->show(QStringLiteral("RAP検討用紙を作成しました。"), StyleInformation);
    return true;
}

QString RapReviewSheet::ShowSaveDialog(const QString& filter, const QString& title)
{
    return m_state.saveChooser ? m_state.saveChooser->chooseSaveFile(filter, title) : QString();
}

void RapReviewSheet::WriteRapItem(const QString& keys, const QString& title)
{
    QString item = m_state.profile.GetPrivateAppBuf(RtfSection, QStringLiteral("BEGIN_ITEM"));
    item = StrRep(item, QStringLiteral("∈RAP名∋"), RtfText::escape(title));

    QString evidence;
    bool anyValue = false;
    const int count = PieceCnt(keys, Comma) + 1;
    for (int k = 1; k <= count; ++k) {
        const QString key = Piece2(keys, k, Comma);
        std::unique_ptr<Recordset> rows;
        if (m_state.Db)
            rows = m_state.Db->openRecordset(
                QStringLiteral("SELECT * FROM RAPSense WHERE RAPS=? ORDER BY rowid"), {key});
        if (!rows || rows->eof())
            continue;
        if (k >= 2 && anyValue)
            evidence += QStringLiteral("\\par\\par ");
        evidence += RtfText::escape(GetRapItemName(key)) + QStringLiteral("\\par ");
        for (bool first = true; !rows->eof(); rows->moveNext(), first = false) {
            if (!first)
                evidence += QStringLiteral("\\par ");
            evidence += QLatin1Char(' ') + RtfText::escape(NullToStr(rows->value("VALUE")));
            anyValue = true;
        }
        rows->close();
    }
    if (!m_RtfFirstItem)
        m_sheet.writeLine(RtfText::asciiLine(
            m_state.profile.GetPrivateAppBuf(RtfSection, QStringLiteral("APPEND_LINE"))));
    m_sheet.writeLine(RtfText::asciiLine(StrRep(item, QStringLiteral("∈トリガー名∋"), evidence)));
    m_RtfFirstItem = false;
}

QString RapReviewSheet::GetRapItemName(const QString& key)
{
    std::unique_ptr<Recordset> names;
    if (m_state.Db)
        names =
            m_state.Db->openRecordset(QStringLiteral("SELECT * FROM RAPName WHERE RAP=?"), {key});
    if (!names || names->eof()) {
        if (m_state.msg)
            m_state.msg->show(QStringLiteral("Trigger名が間違っています"), StyleCritical,
                              InternalError);
        return QStringLiteral("●");
    }
    const QString name = NullToStr(names->value("ITEM"));
    names->close();
    return name;
}

QString RapReviewSheet::readRapList(const QString& id, const DateValue& date, QString* error)
{
    if (!m_state.Db) {
        *error = QStringLiteral("データベースが開かれていません。");
        return QString();
    }
    m_state.RapRs =
        m_state.Db->openRecordset(QStringLiteral("SELECT * FROM RAP WHERE [ID]=? AND [記入日]=?"),
                                  {Value(id), Value(date.dateOnly())}, error);
    if (!m_state.RapRs)
        return QString();
    // A missing RAP row reads as an empty list.
    const QString list =
        m_state.RapRs->eof() ? QString() : NullToStr(m_state.RapRs->value(QStringLiteral("RAP")));
    m_state.RapRs->close();
    m_state.RapRs.reset();
    return list;
}

QString RapReviewSheet::readResidentName(const QString& id)
{
    std::unique_ptr<Recordset> face =
        m_state.Db->openRecordset(QStringLiteral("SELECT * FROM KIHON1 WHERE [ID]=?"), {id});
    if (!face || face->eof())
        return QString();
    const QString name =
        NullToStr(face->value(QStringLiteral("1-1-1"))) + NullToStr(face->value("1-1-2"));
    face->close();
    return name;
}

bool RapReviewSheet::copyTemplate(const QString& fileName, bool fillName,
                                  const QString& residentName, QString* error)
{
    AnsiTextReader reader;
    const QString path = m_state.folder.file(fileName);
    if (!reader.open(path, error)) {
        *error = QStringLiteral("%1\r\n%2").arg(*error, path);
        return false;
    }
    const QString escapedName = RtfText::escape(residentName);
    while (!reader.atEnd()) {
        QString line = reader.readLine();
        if (fillName)
            line = StrRep(line, QStringLiteral("∈利用者名∋"), escapedName);
        m_sheet.writeLine(RtfText::asciiLine(line));
    }
    return true;
}

void RapReviewSheet::reportError(const QString& error)
{
    if (m_state.msg)
        m_state.msg->show(error, StyleCritical, QStringLiteral("エラーが発生しました"));
}

} // namespace orv
