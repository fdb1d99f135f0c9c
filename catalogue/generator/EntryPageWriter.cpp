#include "EntryPageWriter.h"

#include "Html.h"

#include "data/DaoType.h"

#include <algorithm>

using orv::CatalogueGroup;
using orv::CatalogueItem;
using orv::CatalogueSection;
using orv::ItemKind;

namespace {

const char StyleSheet[] =
    "body { font-family: \"Noto Sans CJK JP\", \"Noto Sans JP\", sans-serif; font-size: 15px;\n"
    "       margin: 10px 18px; color: #000; background: #fbfbf7; }\n"
    "h1 { font-size: 21px; margin: 6px 0 4px 0; padding-bottom: 3px; border-bottom: 2px solid "
    "#345; }\n"
    "p.lead { margin: 4px 0 8px 0; font-size: 14px; }\n"
    "table.form { border-collapse: collapse; width: 100%; background: #fff; }\n"
    "table.form th, table.form td { border: 1px solid #9aa; padding: 3px 6px; vertical-align: "
    "middle; }\n"
    "table.form th.code { width: 6em; text-align: left; font-weight: normal; white-space: nowrap; "
    "}\n"
    "tr.group th, tr.group td { background: #e3eaf3; font-weight: bold; }\n"
    "span.note { font-weight: normal; font-size: 13px; margin-left: 1em; }\n"
    "td.input { width: 46%; }\n"
    "span.unit { margin-left: 0.3em; }\n"
    "div.choices { font-weight: normal; font-size: 13px; color: #234; margin-top: 2px; }\n"
    "table.rows { width: 100%; }\n"
    "table.rows td.area { white-space: nowrap; }\n"
    "table.rows td.center { text-align: center; }\n"
    "table.rows input[type=\"text\"]:not([inputmode]) { width: 10em; }\n"
    "table.grid th { white-space: nowrap; }\n"
    "div.choices span { margin-right: 1.2em; white-space: nowrap; }\n"
    "table.grid { border-collapse: collapse; margin: 2px 0; }\n"
    "table.grid th, table.grid td { border: 1px solid #9aa; padding: 2px 4px; font-size: 14px; }\n"
    "table.grid th { background: #eef2f6; font-weight: normal; }\n"
    "select { font-size: 14px; max-width: 100%; }\n"
    "input, select, textarea { font-family: inherit; }\n"
    "input:focus, select:focus, textarea:focus { outline: 3px solid #e80; }\n"
    "div.nav { margin: 8px 0; }\n"
    "div.nav input { font-size: 14px; margin-right: 8px; padding: 3px 10px; }\n";

// The longest date a date column takes: "平成17年12月31日 23:59:59".
constexpr int DateInputLength = 20;

// The page order of the record kinds; the face sheet and the assessment each move within
// their own pages.
const QStringList FaceSheetPages = {QStringLiteral("KIHON1"), QStringLiteral("KIHON2")};
const QStringList AssessmentPages = {"A", "B", "C", "D", "E", "F", "G", "H", "I",
                                     "J", "K", "L", "M", "N", "O", "P", "Q", "R"};

// While the resident is comatose the way from B goes straight to G and back.
QString comaTarget(const QString& from, const QString& to)
{
    if (from == QLatin1String("B") && to == QLatin1String("C"))
        return QStringLiteral("G|G");
    if (from == QLatin1String("G") && to == QLatin1String("F"))
        return QStringLiteral("B|B");
    return QString();
}

QString pageStem(const QString& page)
{
    return page.section(QLatin1Char('.'), 0, 0);
}

// The codes printed beside an item, as the paper form lists them; a count ("3日") needs none.
QString choiceLegend(const QVector<orv::CatalogueChoice>& choices)
{
    const bool counts = std::all_of(choices.begin(), choices.end(), [](const auto& choice) {
        return choice.meaning.startsWith(choice.code);
    });
    if (counts)
        return QString();
    QString html = QStringLiteral("<div class=\"choices\">");
    for (const orv::CatalogueChoice& choice : choices) {
        html += QStringLiteral("<span>%1．%2</span>")
                    .arg(Html::escape(choice.code), Html::escape(choice.meaning));
    }
    return html + QStringLiteral("</div>");
}

// A group whose coded items all share one list of codes prints the list once, at its head.
bool sharesOneLegend(const CatalogueGroup& group)
{
    if (group.items.size() < 2)
        return false;
    for (const CatalogueItem& item : group.items) {
        if (item.kind != ItemKind::Code ||
            item.choices.size() != group.items.first().choices.size())
            return false;
        for (int i = 0; i < item.choices.size(); ++i) {
            if (item.choices.at(i).code != group.items.first().choices.at(i).code ||
                item.choices.at(i).meaning != group.items.first().choices.at(i).meaning)
                return false;
        }
    }
    return true;
}

QString inputAttributes(const CatalogueItem& item, bool first)
{
    QString attributes = QStringLiteral("name=\"%1\" id=\"%1\"").arg(item.elementName());
    if (item.comaDependent)
        attributes += QStringLiteral(" class=\"KONSUI\"");
    if (first)
        attributes += QStringLiteral(" autofocus=\"autofocus\"");
    return attributes;
}

} // namespace

EntryPageWriter::EntryPageWriter(const orv::Catalogue& catalogue, const CatalogueSection& section)
    : m_catalogue(catalogue), m_section(section)
{
}

QString EntryPageWriter::page() const
{
    const QString heading = m_section.title;
    QString html = Html::pageHead(heading + QStringLiteral(" - ") + m_catalogue.name(),
                                  QString::fromUtf8(StyleSheet));
    html += QStringLiteral("<form name=\"frmEntry\" action=\"about:blank\" "
                           "onsubmit=\"return false;\">\n");
    html += QStringLiteral("<h1>%1</h1>\n").arg(Html::escape(heading));
    if (!m_section.note.isEmpty())
        html += QStringLiteral("<p class=\"lead\">%1</p>\n").arg(Html::escape(m_section.note));
    html += navigation(QStringLiteral("Top"));
    html += QStringLiteral("<table class=\"form\">\n");
    QVector<const CatalogueGroup*> rows;
    for (const CatalogueGroup& each : m_section.groups) {
        if (each.inline_) {
            rows.append(&each);
            continue;
        }
        if (!rows.isEmpty())
            html += inlineTable(rows);
        rows.clear();
        html += each.gridRows > 0 ? grid(each) : group(each);
    }
    if (!rows.isEmpty())
        html += inlineTable(rows);
    html += QStringLiteral("</table>\n");
    html += navigation(QStringLiteral("Bottom"));
    html += QStringLiteral("</form>\n");
    html += Html::pageTail();
    return html;
}

const CatalogueItem* EntryPageWriter::firstItem() const
{
    for (const CatalogueGroup& group : m_section.groups) {
        if (!group.items.isEmpty())
            return &group.items.first();
    }
    return nullptr;
}

EntryPageWriter::Neighbour EntryPageWriter::neighbour(int step) const
{
    const QStringList& order =
        FaceSheetPages.contains(m_section.id) ? FaceSheetPages : AssessmentPages;
    const int index = order.indexOf(m_section.id);
    Neighbour to;
    if (index < 0 || index + step < 0 || index + step >= order.size())
        return to;
    to.section = m_catalogue.section(order.at(index + step));
    if (to.section)
        to.comaTarget = comaTarget(m_section.id, to.section->id);
    return to;
}

QString EntryPageWriter::jumpButton(const QString& name, const QString& caption,
                                    const Neighbour& to, const QString& accessKey) const
{
    const QString command = QStringLiteral("#%1|%2").arg(to.section->table, to.section->page);
    QString attributes = QStringLiteral("accesskey=\"%1\" title=\"%2\"")
                             .arg(accessKey, Html::escape(to.section->title));
    if (!to.comaTarget.isEmpty()) {
        // The coma mode swaps the command for the second target; the caption stays valid.
        attributes += QStringLiteral(" class=\"KONSUI=%1|%2;%3\"")
                          .arg(to.section->table, pageStem(to.section->page), to.comaTarget);
    }
    return Html::commandButton(name, caption, command, attributes);
}

QString EntryPageWriter::navigation(const QString& place) const
{
    QString html = QStringLiteral("<div class=\"nav\">\n");
    const Neighbour previous = neighbour(-1);
    const Neighbour next = neighbour(+1);
    if (previous.section)
        html += jumpButton(QStringLiteral("cmdPrev") + place, QStringLiteral("＜前のページ(P)"),
                           previous, QStringLiteral("p")) +
                QLatin1Char('\n');
    if (next.section)
        html += jumpButton(QStringLiteral("cmdNext") + place, QStringLiteral("次のページ(N)＞"),
                           next, QStringLiteral("n")) +
                QLatin1Char('\n');
    html += Html::commandButton(
                QStringLiteral("cmdClose") + place, QStringLiteral("保存して閉じる(S)"),
                QStringLiteral("#") + m_section.table, QStringLiteral("accesskey=\"s\"")) +
            QLatin1Char('\n');
    html += QStringLiteral("</div>\n");
    return html;
}

QString EntryPageWriter::group(const CatalogueGroup& group) const
{
    const QString note =
        group.note.isEmpty()
            ? QString()
            : QStringLiteral("<span class=\"note\">%1</span>").arg(Html::escape(group.note));
    if (group.items.size() == 1 && group.items.first().code == group.code &&
        group.items.first().title == group.title) {
        const CatalogueItem& item = group.items.first();
        return QStringLiteral("<tr class=\"group\"><th class=\"code\"><label for=\"%1\">%2</label>"
                              "</th><td><label for=\"%1\">%3</label>%4</td>"
                              "<td class=\"input\">%5</td></tr>\n")
            .arg(item.elementName(), Html::escape(item.code), Html::escape(item.title),
                 note + (item.kind == ItemKind::Code ? choiceLegend(item.choices) : QString()),
                 input(item));
    }
    const bool oneLegend = sharesOneLegend(group);
    QString html =
        QStringLiteral("<tr class=\"group\"><th class=\"code\">%1</th>"
                       "<td colspan=\"2\">%2%3</td></tr>\n")
            .arg(Html::escape(group.code), Html::escape(group.title),
                 note + (oneLegend ? choiceLegend(group.items.first().choices) : QString()));
    for (const CatalogueItem& item : group.items)
        html += itemRow(item, !oneLegend);
    return html;
}

QString EntryPageWriter::itemRow(const CatalogueItem& item, bool withLegend) const
{
    const QString legend =
        withLegend && item.kind == ItemKind::Code ? choiceLegend(item.choices) : QString();
    return QStringLiteral("<tr><th class=\"code\"><label for=\"%1\">%2</label></th>"
                          "<td><label for=\"%1\">%3</label>%4</td>"
                          "<td class=\"input\">%5</td></tr>\n")
        .arg(item.elementName(), Html::escape(item.code), Html::escape(item.title), legend,
             input(item));
}

QString EntryPageWriter::inlineTable(const QVector<const CatalogueGroup*>& groups) const
{
    QString html = QStringLiteral(
        "<tr><td colspan=\"3\"><table class=\"grid rows\">\n<tr><th></th><th>項目</th>");
    for (const CatalogueItem& item : groups.first()->items)
        html += QStringLiteral("<th>%1</th>").arg(Html::escape(item.title));
    html += QStringLiteral("</tr>\n");
    bool anyLegend = false;
    QString legends = QStringLiteral("<tr><th></th><td></td>");
    for (const CatalogueItem& item : groups.first()->items) {
        const bool coded = item.kind == ItemKind::Code;
        anyLegend = anyLegend || coded;
        legends +=
            QStringLiteral("<td>%1</td>").arg(coded ? choiceLegend(item.choices) : QString());
    }
    if (anyLegend)
        html += legends + QStringLiteral("</tr>\n");
    for (const CatalogueGroup* group : groups) {
        html += QStringLiteral("<tr><th>%1</th><td class=\"area\">%2</td>")
                    .arg(Html::escape(group->code), Html::escape(group->title));
        for (const CatalogueItem& item : group->items)
            html += QStringLiteral("<td class=\"center\">%1</td>").arg(input(item));
        html += QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</table></td></tr>\n");
}

QString EntryPageWriter::grid(const CatalogueGroup& group) const
{
    QString html = QStringLiteral("<tr class=\"group\"><th class=\"code\">%1</th>"
                                  "<td colspan=\"2\">%2</td></tr>\n")
                       .arg(Html::escape(group.code), Html::escape(group.title));
    html += QStringLiteral("<tr><td colspan=\"3\"><table class=\"grid\">\n<tr><th>行</th>");
    for (const QString& column : group.gridColumns)
        html += QStringLiteral("<th>%1</th>").arg(Html::escape(column));
    html += QStringLiteral("</tr>\n");
    const int columns = int(group.gridColumns.size());
    for (int row = 0; row < group.gridRows; ++row) {
        html += QStringLiteral("<tr><th>%1</th>").arg(row + 1);
        for (int column = 0; column < columns; ++column) {
            const int index = row * columns + column;
            if (index < group.items.size())
                html += QStringLiteral("<td>%1</td>").arg(input(group.items.at(index)));
        }
        html += QStringLiteral("</tr>\n");
    }
    html += QStringLiteral("</table></td></tr>\n");
    return html;
}

QString EntryPageWriter::input(const CatalogueItem& item) const
{
    const QString attributes = inputAttributes(item, &item == firstItem());
    const QString unit =
        item.unit.isEmpty()
            ? QString()
            : QStringLiteral("<span class=\"unit\">%1</span>").arg(Html::escape(item.unit));
    switch (item.kind) {
    case ItemKind::Code: {
        QString html = QStringLiteral("<select %1").arg(attributes);
        if (m_section.id == QLatin1String("B") && item.code == QLatin1String("B1")) {
            // The coma item switches the coma state of the whole assessment.
            html += QStringLiteral(
                " onchange=\"window.status=(this.value=='1')?'$KONSUI':'$NOKONSUI';\"");
        }
        html += QStringLiteral("><option value=\"\"></option>");
        for (const orv::CatalogueChoice& choice : item.choices) {
            html += QStringLiteral("<option value=\"%1\">%1：%2</option>")
                        .arg(Html::escape(choice.code), Html::escape(choice.meaning));
        }
        return html + QStringLiteral("</select>") + unit;
    }
    case ItemKind::Check:
        return QStringLiteral("<input type=\"checkbox\" %1 value=\"1\" />").arg(attributes);
    case ItemKind::Number:
        return QStringLiteral("<input type=\"text\" %1 size=\"6\" maxlength=\"8\" "
                              "inputmode=\"decimal\" />")
                   .arg(attributes) +
               unit;
    case ItemKind::Date: {
        QString command = QStringLiteral("!%1|yyyy/mm/dd||").arg(item.elementName());
        if (!item.ageElement.isEmpty()) {
            const CatalogueItem* age = m_catalogue.item(item.ageElement);
            if (age)
                command += age->elementName();
        }
        // A date column also takes the era form and a time ("平成17年12月31日 23:59:59");
        // a date kept as text takes what its size allows.
        const int length = item.daoType == orv::dbText ? item.size : DateInputLength;
        return QStringLiteral("<input type=\"text\" %1 size=\"14\" maxlength=\"%2\" />")
                   .arg(attributes)
                   .arg(length) +
               Html::commandButton(QStringLiteral("cmdDate") + item.elementName().mid(3),
                                   QStringLiteral("..."), command,
                                   QStringLiteral("title=\"カレンダーから日付を選ぶ\""));
    }
    case ItemKind::Memo:
        return QStringLiteral("<textarea %1 rows=\"3\" cols=\"56\"></textarea>").arg(attributes);
    case ItemKind::Text:
        break;
    }
    const int size = item.size > 0 ? item.size : 50;
    return QStringLiteral("<input type=\"text\" %1 size=\"%2\" maxlength=\"%3\" />")
        .arg(attributes)
        .arg(qMin(size + 2, 48))
        .arg(size);
}
