#include "print/LayoutCatalogueSection.h"

#include "print/LayoutFormFlow.h"
#include "print/LongestValue.h"
#include "print/RecordXmlWriter.h"
#include "print/TextRoom.h"

#include <algorithm>
#include <numeric>

namespace orv {

namespace {

constexpr int kIndent = 360;
constexpr int kBoxWidth = 520;
constexpr int kCheckBox = 220;
constexpr int kLineGap = 40;
constexpr int kMemoLines = 4;      // rows of room for a memo
constexpr int kNumberWidth = 1000; // eight digits
constexpr int kDateWidth = 2800;
constexpr int kShortTextWidth = 1600;
constexpr int kLongestShortText = 4200; // wider texts take the whole width right of the title
constexpr int kFieldLeftOfWide = 2400;  // room for the title beside a wide field
constexpr double kValuePoints = 9.5;
constexpr int kUnderlineGap = 20;

int heightOf(const QVector<int>& heights)
{
    return std::accumulate(heights.begin(), heights.end(), 0);
}

// The start of the codes of the groups under a title: "G4-" for G4; for a range such as
// "R2-d～h", the part before the letters ("R2-").
QString stemOf(const QString& code)
{
    const qsizetype range = code.indexOf(QStringLiteral("～"));
    if (range < 0)
        return code + QLatin1Char('-');
    return code.left(code.lastIndexOf(QLatin1Char('-'), range) + 1);
}

} // namespace

LayoutCatalogueSection::LayoutCatalogueSection(LayoutBuilder* builder, int rowHeight, int groupGap,
                                               LongestValues* longest)
    : m_b(builder), m_rowHeight(rowHeight), m_groupGap(groupGap),
      m_longest(longest ? longest : &m_ownLongest)
{
}

QString LayoutCatalogueSection::choicesText(const QVector<CatalogueChoice>& choices)
{
    QStringList parts;
    for (const CatalogueChoice& choice : choices)
        parts << choice.code + QStringLiteral("．") + choice.meaning;
    return parts.join(QStringLiteral("　"));
}

void LayoutCatalogueSection::heading(const QString& text, const QString& note)
{
    m_open.clear();
    const int width = m_b->width();
    m_waiting.append({120, 400, [this, text, width](int top) {
                          m_b->rectangle(0, top, width, 400, 1.0);
                          m_b->label(120, top, width - 240, 400, text,
                                     LayoutBuilder::gothic(11, true));
                      }});
    m_waiting.last().height += 40;
    if (!note.isEmpty()) {
        m_waiting.append({0, m_rowHeight, [this, note, width](int top) {
                              m_b->textField(120, top, width - 120, m_rowHeight, note,
                                             LayoutBuilder::gothic(8.5));
                          }});
    }
}

LayoutCatalogueSection::Rows LayoutCatalogueSection::titleRows(const CatalogueGroup& group) const
{
    // A long code ("P1-a-a～s") pushes its title to the right rather than being squeezed.
    const int codeWidth = std::max(640, LayoutFormFlow::textWidth(group.code, 9.5) + 40);
    const int titleLeft = 60 + codeWidth;
    const int titleWidth = m_b->width() - titleLeft;
    const int height =
        std::max(m_rowHeight, LayoutFormFlow::textHeight(group.title, titleWidth, 9.5, kLineGap));
    Rows rows;
    const QString code = group.code;
    const QString title = group.title;
    rows.append({m_groupGap, height, [=](int top) {
                     m_b->line(0, top, m_b->width(), top, 0.5);
                     m_b->label(60, top, codeWidth, m_rowHeight, code,
                                LayoutBuilder::gothic(9.5, true));
                     m_b->label(titleLeft, top, titleWidth, height, title,
                                LayoutBuilder::gothic(9.5, true));
                 }});
    if (!group.note.isEmpty())
        rows.append(legendRow(group.note));
    return rows;
}

LayoutCatalogueSection::Row LayoutCatalogueSection::legendRow(const QString& text) const
{
    const int width = m_b->width() - kIndent - 120;
    const int height = LayoutFormFlow::textHeight(text, width, 8, kLineGap);
    return {0, height, [=](int top) {
                m_b->label(kIndent + 120, top, width, height, text, LayoutBuilder::gothic(8));
            }};
}

void LayoutCatalogueSection::group(const CatalogueGroup& group)
{
    while (!m_open.isEmpty() && !group.code.startsWith(m_open.last().stem))
        m_open.removeLast();
    Rows heading = titleRows(group);
    if (group.items.isEmpty()) {
        m_waiting += heading;
        m_open.append({stemOf(group.code), heading});
        return;
    }
    // Coded items that share their choices show the list once, above them.
    QVector<QVector<CatalogueChoice>> choiceSets;
    int codeItems = 0;
    for (const CatalogueItem& item : group.items) {
        if (item.kind != ItemKind::Code)
            continue;
        ++codeItems;
        const bool known = std::any_of(choiceSets.begin(), choiceSets.end(), [&](const auto& set) {
            return choicesText(set) == choicesText(item.choices);
        });
        if (!known)
            choiceSets << item.choices;
    }
    const bool sharedLegend = codeItems > choiceSets.size();
    if (sharedLegend) {
        for (const auto& set : choiceSets)
            heading.append(legendRow(choicesText(set)));
    }

    Rows body;
    QVector<const CatalogueItem*> checks;
    auto flushChecks = [&] {
        if (!checks.isEmpty())
            body += checkRows(checks);
        checks.clear();
    };
    for (const CatalogueItem& item : group.items) {
        if (item.kind == ItemKind::Check) {
            checks << &item;
            continue;
        }
        flushChecks();
        body.append(item.kind == ItemKind::Code ? codeRow(item, !sharedLegend) : valueRow(item));
    }
    flushChecks();
    place(heading, body);
}

void LayoutCatalogueSection::place(const Rows& heading, const Rows& body)
{
    // A page the group goes on to opens with the titles over it and its own; a page it moves to
    // whole, with the titles over it that an earlier page holds.
    Rows again;
    Rows over;
    for (OpenTitle& title : m_open) {
        again += title.rows;
        if (title.placed)
            over += title.rows;
        title.placed = true;
    }
    again += heading;

    Rows rows = std::move(m_waiting);
    m_waiting = Rows();
    const int leading = int(rows.size() + heading.size());
    rows += heading;
    rows += body;
    QVector<int> heights;
    for (const Row& row : rows)
        heights << row.gap + row.height;
    // Where it fits on a page the group stays whole; a longer one keeps its title with its
    // first row.
    const int whole = heightOf(heights) - rows.first().gap;
    const int together = whole <= m_b->layout().printableHeight()
                             ? whole + rows.first().gap
                             : heightOf(heights.mid(0, leading + 1));
    if (m_b->y() > m_b->pageTop() && m_b->y() + together > m_b->pageBottom()) {
        m_b->newPage();
        for (const Row& title : over)
            placeRow(title);
    }
    for (int i = 0; i < rows.size(); ++i) {
        if (i > leading && m_b->y() + heights.at(i) > m_b->pageBottom()) {
            m_b->newPage();
            for (const Row& title : again)
                placeRow(title);
        }
        placeRow(rows.at(i));
    }
}

void LayoutCatalogueSection::placeRow(const Row& row)
{
    if (m_b->y() > m_b->pageTop())
        m_b->advance(row.gap);
    row.place(m_b->y());
    m_b->advance(row.height);
}

LayoutCatalogueSection::Row LayoutCatalogueSection::codeRow(const CatalogueItem& item,
                                                            bool withChoices) const
{
    const int right = m_b->width() - kBoxWidth - 120;
    const int questionWidth = withChoices ? (right - kIndent) * 45 / 100 : right - kIndent;
    const QString choices = withChoices ? choicesText(item.choices) : QString();
    const int choicesLeft = kIndent + questionWidth + 120;
    const int choicesWidth = right - choicesLeft;
    const int height = std::max(
        {m_rowHeight, LayoutFormFlow::textHeight(item.title, questionWidth, 9, kLineGap),
         choices.isEmpty() ? 0 : LayoutFormFlow::textHeight(choices, choicesWidth, 8, kLineGap)});
    const int boxHeight = std::min(m_rowHeight - 40, 280);
    const QString title = item.title;
    const QString element = xmlElementName(item.code);
    return {0, height, [=](int top) {
                m_b->label(kIndent, top, questionWidth, height, title, LayoutBuilder::mincho(9));
                if (!choices.isEmpty())
                    m_b->label(choicesLeft, top, choicesWidth, height, choices,
                               LayoutBuilder::gothic(8));
                m_b->field(m_b->width() - kBoxWidth, top + (height - boxHeight) / 2, kBoxWidth,
                           boxHeight, element, LayoutBuilder::gothic(9.5), HAlign::Centre)
                    .border = true;
            }};
}

LayoutCatalogueSection::Rows
LayoutCatalogueSection::checkRows(const QVector<const CatalogueItem*>& items) const
{
    const int columns = items.size() > 2 ? 2 : 1;
    const int columnWidth = (m_b->width() - kIndent) / columns;
    const int textWidth = columnWidth - kCheckBox - 240;
    const int rowCount = int((items.size() + columns - 1) / columns);
    Rows rows;
    for (int row = 0; row < rowCount; ++row) {
        int height = m_rowHeight;
        QVector<QPair<QString, QString>> cells; // title, element
        for (int column = 0; column < columns; ++column) {
            const int i = column * rowCount + row;
            if (i >= items.size()) {
                cells.append(QPair<QString, QString>());
                continue;
            }
            height = std::max(
                height, LayoutFormFlow::textHeight(items.at(i)->title, textWidth, 9, kLineGap));
            cells.append({items.at(i)->title, xmlElementName(items.at(i)->code)});
        }
        rows.append({0, height, [=](int top) {
                         for (int column = 0; column < cells.size(); ++column) {
                             if (cells.at(column).second.isEmpty())
                                 continue;
                             const int left = kIndent + column * columnWidth;
                             m_b->label(left, top, textWidth, height, cells.at(column).first,
                                        LayoutBuilder::mincho(9));
                             m_b->checkField(left + textWidth + 60, top + (height - kCheckBox) / 2,
                                             kCheckBox, cells.at(column).second);
                         }
                     }});
    }
    return rows;
}

LayoutCatalogueSection::Row LayoutCatalogueSection::valueRow(const CatalogueItem& item)
{
    const int wide = m_b->width() - kIndent - kFieldLeftOfWide;
    auto known = m_longest->constFind(item.code);
    if (known == m_longest->constEnd())
        known = m_longest->insert(item.code, longestValueText(item));
    const QString longest = known.value();
    int fieldWidth = kDateWidth;
    switch (item.kind) {
    case ItemKind::Number:
        fieldWidth = kNumberWidth;
        break;
    case ItemKind::Memo:
        fieldWidth = wide;
        break;
    case ItemKind::Text: {
        const int needed = TextRoom::width(longest, kValuePoints);
        fieldWidth = needed <= kLongestShortText ? std::max(kShortTextWidth, needed) : wide;
        break;
    }
    default:
        break;
    }
    // The day and minute counts carry their unit in the data.
    const XmlFamily family = xmlFamilyOf(item.code);
    const QString unit =
        family == XmlFamily::Days || family == XmlFamily::Minutes ? QString() : item.unit;
    const int unitWidth = unit.isEmpty() ? 0 : 500;
    const int fieldLeft = m_b->width() - fieldWidth - unitWidth;
    const int titleWidth = fieldLeft - kIndent - 120;
    // A memo has the room of a few lines for what the staff wrote; any other value the room
    // its longest text needs.
    const int valueHeight =
        item.kind == ItemKind::Memo
            ? kMemoLines * m_rowHeight
            : TextRoom::heightForValue(longest, fieldWidth, m_rowHeight - kUnderlineGap) +
                  kUnderlineGap;
    const int height =
        std::max(valueHeight, LayoutFormFlow::textHeight(item.title, titleWidth, 9, kLineGap));
    const QString title = item.title;
    const QString element = xmlElementName(item.code);
    const bool memo = item.kind == ItemKind::Memo;
    return {0, height, [=](int top) {
                m_b->label(kIndent, top, titleWidth, height, title, LayoutBuilder::mincho(9));
                // The rule under the value stays inside the row, off the page's end.
                const int bottom = top + height - kUnderlineGap;
                ReportControl& value = m_b->field(fieldLeft, top, fieldWidth, bottom - top, element,
                                                  LayoutBuilder::gothic(kValuePoints));
                if (memo)
                    value.vAlign = VAlign::Top;
                m_b->line(fieldLeft, bottom, fieldLeft + fieldWidth, bottom, 0.25);
                if (!unit.isEmpty())
                    m_b->label(fieldLeft + fieldWidth + 60, top, unitWidth - 60, height, unit);
            }};
}

} // namespace orv
