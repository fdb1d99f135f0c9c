#include "data/PageBinding.h"

#include "common/DateFormat.h"
#include "common/DateParser.h"
#include "common/HalfWidth.h"
#include "common/MessageBoxService.h"
#include "data/AppState.h"
#include "data/ColumnInfo.h"
#include "data/DaoType.h"
#include "data/Database.h"
#include "data/EntryWindowHost.h"
#include "data/FailureMessage.h"
#include "data/Recordset.h"
#include "data/StoreText.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace orv {

namespace {

const QString red = QStringLiteral("#ff0000");
const QString white = QStringLiteral("#ffffff");

QString unknownTypeText(const QString& type)
{
    return QStringLiteral("知らないType:") + type;
}

// Digits with at most one point; the text has passed the numeric check.
double numberOf(const QString& text)
{
    if (text == QLatin1String("."))
        return 0.0;
    QString digits = text;
    if (digits.startsWith(QLatin1Char('.')))
        digits.prepend(QLatin1Char('0'));
    if (digits.endsWith(QLatin1Char('.')))
        digits.append(QLatin1Char('0'));
    return digits.toDouble();
}

} // namespace

PageBinding::PageBinding(AppState& state, PageDocument& document, EntryWindowHost* host)
    : m_state(state), m_document(document), m_host(host)
{
}

bool PageBinding::takesValue(const QString& type)
{
    return type == QLatin1String("text") || type == QLatin1String("select-one") ||
           type == QLatin1String("textarea") || type == QLatin1String("hidden");
}

bool PageBinding::isCheckBox(const QString& type)
{
    return type == QLatin1String("checkbox");
}

bool PageBinding::ticks(const QString& columnText)
{
    return columnText == QLatin1String("1");
}

QString PageBinding::columnOfElement(const QString& elementName)
{
    if (!elementName.startsWith(QLatin1String("orv")))
        return QString();
    return elementName.mid(4).replace(QLatin1Char('_'), QLatin1Char('-'));
}

QString PageBinding::elementOfColumn(const QString& col)
{
    return QStringLiteral("orv_") + QString(col).replace(QLatin1Char('-'), QLatin1Char('_'));
}

QString PageBinding::tableOfPage(const QString& pageFile)
{
    if (pageFile.toUpper().startsWith(QLatin1String("KIHON")))
        return QStringLiteral("KIHON1");
    const int dot = pageFile.indexOf(QLatin1Char('.'));
    return dot < 0 ? pageFile : pageFile.left(dot);
}

QString PageBinding::pagePath(const QString& programFolder, const QString& pageFile)
{
    const QDir forms(programFolder + QStringLiteral("/FORM"));
    const QString exact = forms.filePath(pageFile);
    if (pageFile.isEmpty() || QFileInfo::exists(exact))
        return exact;
    const QStringList names = forms.entryList({pageFile}, QDir::Files);
    return names.isEmpty() ? exact : forms.filePath(names.first());
}

QString PageBinding::GetFormatProperty(const ColumnInfo& column)
{
    for (const auto& property : column.properties) {
        if (property.first.toUpper() == QLatin1String("FORMAT"))
            return property.second;
    }
    return QString();
}

QString PageBinding::displayText(const Value& value, const ColumnInfo& column)
{
    if (value.isNull())
        return QString();
    const QString format = GetFormatProperty(column);
    if (format.isEmpty())
        return value.toText();
    const bool isDate = value.kind() == Value::Kind::Date || column.type == dbDate;
    if (isDate) {
        bool ok = false;
        const DateValue date = value.toDate(&ok);
        if (!ok)
            return value.toText();
        if (date.isZero())
            return QString();
        return DateFormat::format(date, format);
    }
    return value.toText();
}

QString PageBinding::GetFieldText(const QString& col) const
{
    Recordset* rs = m_state.CurRs.get();
    const int index = rs ? rs->columnIndex(col) : -1;
    if (index < 0)
        return QString();
    return displayText(rs->value(index), rs->column(index));
}

bool PageBinding::readPage()
{
    QString error;
    m_pending.clear();
    if (m_document.readValues(&m_elements, &error))
        return true;
    m_elements.clear();
    m_state.msg->show(QStringLiteral("ページを読み取れませんでした。\n") + error, StyleCritical);
    return false;
}

bool PageBinding::flush()
{
    if (m_pending.isEmpty())
        return true;
    QString error;
    const QVector<ElementChange> changes = std::exchange(m_pending, {});
    if (m_document.apply(changes, &error))
        return true;
    m_state.msg->show(QStringLiteral("ページに書き込めませんでした。\n") + error, StyleCritical);
    return false;
}

void PageBinding::paint(const QString& col, const QString& color)
{
    const int index = PageDocument::indexOf(m_elements, elementOfColumn(col));
    if (index >= 0)
        m_pending.append(ElementChange::backgroundColor(index, color));
}

void PageBinding::refuse(const QString& message, const QString& col)
{
    const int index = PageDocument::indexOf(m_elements, elementOfColumn(col));
    // The refused item is focused, and so in view, while its message is read: the key that
    // stored the page may have left the focus on a button at the page's foot.
    if (index >= 0) {
        m_pending.append(ElementChange::focus(index));
        flush();
    }
    m_state.msg->show(message, StyleCritical);
    if (index >= 0) {
        m_pending.append(ElementChange::focus(index));
        m_pending.append(ElementChange::backgroundColor(index, red));
    }
}

bool PageBinding::CheckNumeric(const QString& value, const QString& col)
{
    const QString text = toHalfWidth(value);
    int points = 0;
    for (const QChar c : text) {
        const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        if (c == QLatin1Char('.'))
            ++points;
        if (!digit && c != QLatin1Char('.')) {
            refuse(QStringLiteral("数値を入力する項目で、数字以外の文字が入力されています。"), col);
            return false;
        }
    }
    if (points > 1) {
        refuse(QStringLiteral("数値を入力する項目で、小数点が複数入力されています。"), col);
        return false;
    }
    return true;
}

bool PageBinding::CheckLength(const QString& value, const QString& col)
{
    const int index = m_state.CurRs ? m_state.CurRs->columnIndex(col) : -1;
    const int size = index < 0 ? 0 : m_state.CurRs->column(index).size;
    if (StoreText::length(value) > size) {
        refuse(QStringLiteral("文字数が多すぎます。") + QString::number(size) +
                   QStringLiteral("文字以内で入力してください。") + StoreText::countingNote(value),
               col);
        return false;
    }
    paint(col, white);
    return true;
}

bool PageBinding::CheckCharacters(const QString& value, const QString& col)
{
    if (!StoreText::hasLoneSurrogate(value))
        return true;
    refuse(StoreText::UnstorableCharacter, col);
    return false;
}

bool PageBinding::CheckDate(const QString& value, const QString& col)
{
    if (DateParser::isDate(toHalfWidth(value))) {
        paint(col, white);
        return true;
    }
    refuse(QStringLiteral("日付または時間を入力する項目で、正しく入力していないところがあります"),
           col);
    return false;
}

bool PageBinding::SetFieldValue(const QString& col, const QString& value)
{
    Recordset* rs = m_state.CurRs.get();
    const int index = rs ? rs->columnIndex(col) : -1;
    if (index < 0)
        return true; // an input without a column of its own has nowhere to go
    Value assigned;
    switch (rs->column(index).type) {
    case dbByte:
    case dbInteger:
    case dbLong:
    case dbSingle:
        if (!CheckNumeric(value, col))
            return false;
        if (!value.isEmpty())
            assigned = Value(numberOf(toHalfWidth(value)));
        break;
    case dbDate:
        if (!value.isEmpty()) {
            // Half-width first, so that full-width points separate a date as points do.
            const QString text = toHalfWidth(value).replace(QLatin1Char('.'), QLatin1Char('/'));
            if (!CheckDate(text, col))
                return false;
            assigned = Value(*DateParser::parse(text));
        }
        break;
    case dbText:
        if (!CheckCharacters(value, col) || !CheckLength(value, col))
            return false;
        assigned = Value(value);
        break;
    case dbMemo:
        if (!CheckCharacters(value, col))
            return false;
        assigned = Value(value);
        break;
    default:
        break;
    }
    QString error;
    if (!rs->setValue(index, assigned, &error)) {
        refuse(QStringLiteral("入力された値を登録できません。\n") + error, col);
        return false;
    }
    return true;
}

bool PageBinding::SavePage()
{
    // A move while the next page loads (a double click, a menu item): storing the unfilled
    // page would blank the row.
    if (!m_pageFilled)
        return false;
    if (!m_state.CurRs) {
        m_state.msg->show(QStringLiteral("登録するデータが開かれていません。"), StyleCritical);
        return false;
    }
    // The next page must be there before anything is stored on the way to it.
    if (!m_state.NextPage.isEmpty()) {
        const QFileInfo next(pagePath(m_state.folder.path(), m_state.NextPage));
        if (!next.isFile() || !next.isReadable()) {
            m_state.msg->show(
                FailureMessage::text(FailureMessage::Kind::PageMissing, next.filePath()),
                StyleCritical);
            return false;
        }
    }
    if (!readPage())
        return false;
    Recordset& rs = *m_state.CurRs;
    if (rs.editMode() == Recordset::EditMode::None)
        rs.edit();

    for (const PageElement& element : std::as_const(m_elements)) {
        const QString col = columnOfElement(element.name);
        if (col.isNull())
            continue;
        QString text;
        if (takesValue(element.type)) {
            text = element.value;
        } else if (isCheckBox(element.type)) {
            text = element.checked ? QStringLiteral("1") : QStringLiteral("0");
        } else {
            m_state.msg->show(unknownTypeText(element.type), StyleOk);
        }
        if (!SetFieldValue(col, text)) {
            flush();
            return false;
        }
    }

    QString error;
    if (!rs.update(&error)) {
        flush();
        m_state.msg->show(QStringLiteral("登録時にエラーが発生しました"), StyleCritical);
        m_state.msg->show(error, StyleExclamation, QStringLiteral("DEBUG"));
        return false;
    }

    if (m_state.NextPage.isEmpty()) {
        flush();
        m_state.SkipSave = true;
        if (m_host)
            m_host->unloadWindow();
        if (m_state.CurRs) {
            m_state.CurRs->close();
            m_state.CurRs.reset();
        }
        m_state.NextPage.clear();
        return true;
    }

    if (!openNextRow()) {
        flush();
        return false;
    }
    // The inputs painted white go with the page; painting them first would cost a round trip.
    m_pending.clear();

    pageLoadStarted();
    m_state.NavPermit = true;
    if (m_host)
        m_host->navigateAndWait(pagePath(m_state.folder.path(), m_state.NextPage));
    m_state.NavPermit = false;

    LoadPage();
    if (m_state.KonsuiMode && m_host)
        m_host->DispKonsui(true);
    m_state.NextPage.clear();
    return true;
}

bool PageBinding::openNextRow()
{
    static const QRegularExpression tableName(QStringLiteral("^[A-Za-z0-9_]+$"));
    const QString table = tableOfPage(m_state.NextPage);
    std::unique_ptr<Recordset> next;
    QString error;
    if (tableName.match(table).hasMatch() && m_state.Db) {
        next = m_state.Db->openRecordset(
            QStringLiteral("SELECT * FROM %1 WHERE [ID]=? AND [基準日]=?").arg(table),
            {Value(m_state.CurID), Value(m_state.CurKijunbi)}, &error);
    }
    if (!next || next->eof()) {
        m_state.msg->show(QStringLiteral("次のページ（%1）のデータが見つかりません。\n%2")
                              .arg(m_state.NextPage, error),
                          StyleCritical);
        m_state.CurRs->edit(); // the shown row was committed; it stays open for the next save
        return false;
    }
    m_state.CurRs->close();
    next->edit();
    m_state.CurRs = std::move(next);
    return true;
}

bool PageBinding::LoadPage()
{
    m_pageFilled = false;
    m_pending.clear();
    BoundTexts texts;
    if (Recordset* rs = m_state.CurRs.get()) {
        texts.reserve(rs->fieldCount());
        for (int i = 0; i < rs->fieldCount(); ++i)
            texts.append({rs->column(i).name, displayText(rs->value(i), rs->column(i))});
    }
    // One pass over the page; an input of a type it cannot fill is reported where it stands.
    FillStop stop;
    for (int from = 0; from >= 0; from = stop.index < 0 ? -1 : stop.index + 1) {
        QString error;
        if (!m_document.fill(texts, from, &stop, &error)) {
            m_state.msg->show(QStringLiteral("ページに書き込めませんでした。\n") + error,
                              StyleCritical);
            return false;
        }
        if (stop.index >= 0)
            m_state.msg->show(unknownTypeText(stop.type), StyleOk);
    }
    m_pageFilled = true;
    return true;
}

} // namespace orv
