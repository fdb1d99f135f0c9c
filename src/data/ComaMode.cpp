#include "data/ComaMode.h"

#include "common/StringRoutines.h"
#include "data/AppState.h"
#include "data/Catalogue.h"
#include "data/ColumnInfo.h"
#include "data/Database.h"
#include "data/Recordset.h"

#include <QStringList>

namespace orv {

namespace {

bool isComaInputType(const QString& type)
{
    return type == QLatin1String("text") || type == QLatin1String("select-one") ||
           type == QLatin1String("checkbox") || type == QLatin1String("textarea");
}

// A default written as a quoted literal ("" or "abc") stands for the text inside the quotes;
// no default at all puts the column back to blank, as a new row starts.
Value defaultValueOf(const ColumnInfo& column)
{
    QString text = column.property(QStringLiteral("DefaultValue"));
    if (text.isEmpty())
        return Value();
    if (text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"')))
        text = text.mid(1, text.size() - 2);
    return Value(text);
}

// A button's tip names the page it goes to, as the jump menu names it; empty for a page the
// catalogue does not know.
QString titleOfTarget(const QString& target)
{
    const CatalogueSection* section = Catalogue::builtIn().section(
        Piece2(target, 2, QStringLiteral("|")) + QStringLiteral(".htm"));
    return section ? section->title : QString();
}

} // namespace

const QStringList& ComaMode::changedTables()
{
    static const QStringList tables = QStringLiteral("C,D,E,F,N").split(QLatin1Char(','));
    return tables;
}

bool ComaMode::isComaDependent(const ColumnInfo& column)
{
    return column.property(QStringLiteral("Description")).contains(QLatin1String("KONSUI"));
}

bool ComaMode::isComaInput(const PageElement& element)
{
    return isComaInputType(element.type) &&
           element.name.left(3).toUpper() == QLatin1String("ORV") &&
           element.className.toUpper() == QLatin1String("KONSUI");
}

bool ComaMode::isComaButton(const PageElement& element)
{
    return element.type == QLatin1String("button") &&
           element.className.left(7).toUpper() == QLatin1String("KONSUI=");
}

bool ComaMode::IsKonsui() const
{
    if (!m_state.Db)
        return false;
    auto rs =
        m_state.Db->openRecordset(QStringLiteral("SELECT B1 FROM B WHERE [ID]=? AND [基準日]=?"),
                                  {Value(m_state.CurID), Value(m_state.CurKijunbi)});
    if (!rs)
        return false;
    bool comatose = false;
    if (!rs->eof()) {
        bool ok = false;
        const qint64 b1 = rs->value(0).toInteger(&ok);
        comatose = ok && b1 == 1;
    }
    rs->close();
    return comatose;
}

bool ComaMode::applyTo(Recordset& rs, bool St, QString* error) const
{
    for (int i = 0; i < rs.fieldCount(); ++i) {
        const ColumnInfo& column = rs.column(i);
        if (!isComaDependent(column))
            continue;
        QString why;
        if (!rs.setValue(i, St ? Value() : defaultValueOf(column), &why)) {
            if (error)
                *error = column.name + QStringLiteral(": ") + why;
            return false;
        }
    }
    return true;
}

bool ComaMode::KonsuiChg(bool St, QString* error)
{
    // The stored rows first: when they fail, the open record's buffer stays as it was.
    if (m_state.Db && !changeStoredRows(St, error))
        return false;
    if (!m_state.CurRs)
        return true;
    if (m_state.CurRs->editMode() == Recordset::EditMode::None)
        m_state.CurRs->edit();
    return applyTo(*m_state.CurRs, St, error);
}

bool ComaMode::changeStoredRows(bool St, QString* error) const
{
    // The five rows change together or not at all.
    TransactionGuard transaction(*m_state.Db);
    if (!transaction.ok()) {
        if (error)
            *error = QStringLiteral("トランザクションを開始できません。");
        return false;
    }
    for (const QString& table : changedTables()) {
        QString why;
        auto rs = m_state.Db->openRecordset(
            QStringLiteral("SELECT * FROM %1 WHERE [ID]=? AND [基準日]=?").arg(table),
            {Value(m_state.CurID), Value(m_state.CurKijunbi)}, &why);
        if (!rs) {
            if (error)
                *error = table + QStringLiteral(": ") + why;
            return false;
        }
        if (rs->eof())
            continue; // no row of that section: nothing to change
        rs->edit();
        if (!applyTo(*rs, St, error)) {
            rs->cancelUpdate();
            return false;
        }
        if (!rs->update(&why)) {
            if (error)
                *error = table + QStringLiteral(": ") + why;
            return false;
        }
        rs->close();
    }
    return transaction.commit(error);
}

const QStringList& ComaMode::keptButtonAttributes()
{
    static const QStringList names = {QStringLiteral("accesskey"), QStringLiteral("title"),
                                      QStringLiteral("tabindex"), QStringLiteral("disabled")};
    return names;
}

QString ComaMode::buttonHtml(const PageElement& button, bool St)
{
    const QString targets = Piece2(button.className, 2, QStringLiteral("="));
    const QString target = Piece2(targets, St ? 2 : 1, QStringLiteral(";"));
    QString html = QStringLiteral("<INPUT class=") + button.className +
                   QStringLiteral(" onclick=\"") + QStringLiteral("window.status='#") + target +
                   QStringLiteral(".htm'\"") + QStringLiteral(" type=button value=") +
                   button.value + QStringLiteral(" name=") + button.name;
    // The rewritten button keeps what the user works it by: its key, tip, tab stop and state;
    // the tip now names where the button goes.
    const QString targetTitle = titleOfTarget(target);
    for (const auto& [name, value] : button.attributes) {
        if (!keptButtonAttributes().contains(name, Qt::CaseInsensitive))
            continue;
        const bool tip = name.compare(QLatin1String("title"), Qt::CaseInsensitive) == 0;
        const QString text = tip && !targetTitle.isEmpty() ? targetTitle : value;
        html += QLatin1Char(' ') + name + QStringLiteral("=\"") + text.toHtmlEscaped() +
                QLatin1Char('"');
    }
    return html + QStringLiteral(">");
}

QVector<ElementChange> ComaMode::displayChanges(const QVector<PageElement>& elements, bool St)
{
    QVector<ElementChange> changes;
    for (int i = 0; i < elements.size(); ++i) {
        const PageElement& element = elements[i];
        if (isComaInput(element))
            changes.append(ElementChange::visibility(i, St ? QStringLiteral("hidden") : QString()));
        else if (isComaButton(element))
            changes.append(ElementChange::outerHTML(i, buttonHtml(element, St)));
    }
    return changes;
}

bool ComaMode::DispKonsui(PageDocument& document, bool St, QString* error)
{
    QVector<PageElement> elements;
    if (!document.readElements(&elements, error))
        return false;
    const QVector<ElementChange> changes = displayChanges(elements, St);
    return changes.isEmpty() || document.apply(changes, error);
}

} // namespace orv
