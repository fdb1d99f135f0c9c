#include "print/LayoutCatalogueSection.h"

#include "print/LayoutFormFlow.h"
#include "print/RecordXmlWriter.h"

#include <algorithm>

namespace orv {

namespace {

constexpr int kIndent = 360;
constexpr int kBoxWidth = 520;
constexpr int kCheckBox = 220;
constexpr int kLineGap = 40;

} // namespace

LayoutCatalogueSection::LayoutCatalogueSection(LayoutBuilder* builder, int rowHeight, int groupGap)
    : m_b(builder), m_rowHeight(rowHeight), m_groupGap(groupGap)
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
    const int height = 400;
    m_b->ensureRoom(height + 3 * m_rowHeight);
    if (m_b->y() > m_b->pageTop())
        m_b->advance(120);
    m_b->rectangle(0, m_b->y(), m_b->width(), height, 1.0);
    m_b->label(120, m_b->y(), m_b->width() - 240, height, text, LayoutBuilder::gothic(11, true));
    m_b->advance(height + 40);
    if (!note.isEmpty()) {
        m_b->textField(120, m_b->y(), m_b->width() - 120, m_rowHeight, note,
                       LayoutBuilder::gothic(8.5));
        m_b->advance(m_rowHeight);
    }
}

void LayoutCatalogueSection::groupTitle(const CatalogueGroup& group)
{
    // A long code ("P1-a-a～s") pushes its title to the right rather than being squeezed.
    const int codeWidth = std::max(640, LayoutFormFlow::textWidth(group.code, 9.5) + 40);
    const int titleLeft = 60 + codeWidth;
    const int titleWidth = m_b->width() - titleLeft;
    const int height =
        std::max(m_rowHeight, LayoutFormFlow::textHeight(group.title, titleWidth, 9.5, kLineGap));
    // A title stays with its note and its first row; a title over sub-items (E4 over E4-a)
    // with the first sub-item's title as well.
    const int noteHeight =
        group.note.isEmpty()
            ? 0
            : LayoutFormFlow::textHeight(group.note, m_b->width() - kIndent - 120, 8, kLineGap);
    const int following = group.items.isEmpty() ? m_groupGap + 3 * m_rowHeight : m_rowHeight;
    m_b->ensureRoom(m_groupGap + height + noteHeight + following);
    if (m_b->y() > m_b->pageTop())
        m_b->advance(m_groupGap);
    m_b->line(0, m_b->y(), m_b->width(), m_b->y(), 0.5);
    m_b->label(60, m_b->y(), codeWidth, m_rowHeight, group.code, LayoutBuilder::gothic(9.5, true));
    m_b->label(titleLeft, m_b->y(), titleWidth, height, group.title,
               LayoutBuilder::gothic(9.5, true))
        .wordWrap = true;
    m_b->advance(height);
    if (!group.note.isEmpty())
        legend(group.note);
}

void LayoutCatalogueSection::legend(const QString& text)
{
    const int width = m_b->width() - kIndent - 120;
    const int height = LayoutFormFlow::textHeight(text, width, 8, kLineGap);
    m_b->ensureRoom(height + m_rowHeight);
    m_b->label(kIndent + 120, m_b->y(), width, height, text, LayoutBuilder::gothic(8)).wordWrap =
        true;
    m_b->advance(height);
}

void LayoutCatalogueSection::group(const CatalogueGroup& group)
{
    groupTitle(group);

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
            legend(choicesText(set));
    }

    QVector<const CatalogueItem*> checks;
    auto flushChecks = [&] {
        if (!checks.isEmpty())
            checkItems(checks);
        checks.clear();
    };
    for (const CatalogueItem& item : group.items) {
        if (item.kind == ItemKind::Check) {
            checks << &item;
            continue;
        }
        flushChecks();
        if (item.kind == ItemKind::Code)
            codeItem(item, !sharedLegend);
        else
            valueItem(item);
    }
    flushChecks();
}

void LayoutCatalogueSection::codeItem(const CatalogueItem& item, bool withChoices)
{
    const int right = m_b->width() - kBoxWidth - 120;
    const int questionWidth = withChoices ? (right - kIndent) * 45 / 100 : right - kIndent;
    const QString choices = withChoices ? choicesText(item.choices) : QString();
    const int choicesLeft = kIndent + questionWidth + 120;
    const int choicesWidth = right - choicesLeft;
    const int height = std::max(
        {m_rowHeight, LayoutFormFlow::textHeight(item.title, questionWidth, 9, kLineGap),
         choices.isEmpty() ? 0 : LayoutFormFlow::textHeight(choices, choicesWidth, 8, kLineGap)});
    m_b->ensureRoom(height);
    const int top = m_b->y();
    m_b->label(kIndent, top, questionWidth, height, item.title, LayoutBuilder::mincho(9)).wordWrap =
        true;
    if (!choices.isEmpty())
        m_b->label(choicesLeft, top, choicesWidth, height, choices, LayoutBuilder::gothic(8))
            .wordWrap = true;
    const int boxHeight = std::min(m_rowHeight - 40, 280);
    ReportControl& box =
        m_b->field(m_b->width() - kBoxWidth, top + (height - boxHeight) / 2, kBoxWidth, boxHeight,
                   xmlElementName(item.code), LayoutBuilder::gothic(9.5), HAlign::Centre);
    box.border = true;
    m_b->advance(height);
}

void LayoutCatalogueSection::checkItems(const QVector<const CatalogueItem*>& items)
{
    const int columns = items.size() > 2 ? 2 : 1;
    const int columnWidth = (m_b->width() - kIndent) / columns;
    const int textWidth = columnWidth - kCheckBox - 240;
    const int rows = int((items.size() + columns - 1) / columns);
    for (int row = 0; row < rows; ++row) {
        int height = m_rowHeight;
        for (int column = 0; column < columns; ++column) {
            const int i = column * rows + row;
            if (i < items.size())
                height = std::max(
                    height, LayoutFormFlow::textHeight(items.at(i)->title, textWidth, 9, kLineGap));
        }
        m_b->ensureRoom(height);
        const int top = m_b->y();
        for (int column = 0; column < columns; ++column) {
            const int i = column * rows + row;
            if (i >= items.size())
                continue;
            const CatalogueItem& item = *items.at(i);
            const int left = kIndent + column * columnWidth;
            m_b->label(left, top, textWidth, height, item.title, LayoutBuilder::mincho(9))
                .wordWrap = true;
            m_b->checkField(left + textWidth + 60, top + (height - kCheckBox) / 2, kCheckBox,
                            xmlElementName(item.code));
        }
        m_b->advance(height);
    }
}

void LayoutCatalogueSection::valueItem(const CatalogueItem& item)
{
    int fieldWidth = 2800;
    switch (item.kind) {
    case ItemKind::Number:
        fieldWidth = 1000;
        break;
    case ItemKind::Memo:
        fieldWidth = m_b->width() - kIndent - 2400;
        break;
    case ItemKind::Text:
        fieldWidth = item.size > 0 && item.size <= 10 ? 1600 : 3600;
        break;
    default:
        break;
    }
    const int unitWidth = item.unit.isEmpty() ? 0 : 500;
    const int fieldLeft = m_b->width() - fieldWidth - unitWidth;
    const int titleWidth = fieldLeft - kIndent - 120;
    const int height =
        std::max(m_rowHeight, LayoutFormFlow::textHeight(item.title, titleWidth, 9, kLineGap));
    m_b->ensureRoom(height);
    const int top = m_b->y();
    m_b->label(kIndent, top, titleWidth, height, item.title, LayoutBuilder::mincho(9)).wordWrap =
        true;
    ReportControl& value = m_b->field(fieldLeft, top, fieldWidth, height, xmlElementName(item.code),
                                      LayoutBuilder::gothic(9.5));
    value.wordWrap = item.kind == ItemKind::Memo || item.kind == ItemKind::Text;
    m_b->line(fieldLeft, top + height - 20, fieldLeft + fieldWidth, top + height - 20, 0.25);
    if (!item.unit.isEmpty())
        m_b->label(fieldLeft + fieldWidth + 60, top, unitWidth - 60, height, item.unit);
    m_b->advance(height);
}

} // namespace orv
