#include "data/Catalogue.h"
#include "print/LayoutBuilder.h"
#include "print/LayoutCatalogueSection.h"
#include "print/LayoutFormFlow.h"
#include "print/LongestValue.h"
#include "print/RecordXmlWriter.h"
#include "print/ReportCatalogue.h"
#include "print/ReportLayouts.h"
#include "print/TextRoom.h"

#include <algorithm>

namespace orv {

namespace {

constexpr int kTitleWidth = 2200;
constexpr int kRowHeight = 360;
constexpr int kBoxWidth = 520;
constexpr int kCheckBox = 240;
// The family diagram has no column; it is drawn before the item that follows it.
const QString kDiagramBefore = QStringLiteral("1-12");
const QString kDiagramTitle = QStringLiteral("家族構成（家族図）");

QString itemNumber(const QString& groupCode)
{
    // "1-6" is printed "Ⅰ-6", "2-1" "Ⅱ-1".
    const QString part =
        groupCode.startsWith(QLatin1Char('2')) ? QStringLiteral("Ⅱ") : QStringLiteral("Ⅰ");
    return part + groupCode.mid(1);
}

int fieldWidth(const CatalogueItem& item)
{
    switch (item.kind) {
    case ItemKind::Date:
        return 2600;
    case ItemKind::Number:
        return 700;
    default:
        return item.size > 0 && item.size <= 10 ? 1600 : item.size <= 20 ? 2400 : 5200;
    }
}

class FaceSheetWriter
{
public:
    explicit FaceSheetWriter(LayoutBuilder* b) : m_b(b) {}

    void itemTitle(const QString& number, const QString& title, int height)
    {
        QString text = number.isEmpty() ? title : number + QStringLiteral("　") + title;
        // A title too long for one line breaks before its bracketed part, not inside a word.
        const int width = kTitleWidth - 180;
        const int bracket = int(text.indexOf(QStringLiteral("（")));
        if (bracket > 0 && LayoutFormFlow::textHeight(text, width, 9.5) >
                               LayoutFormFlow::textHeight(QStringLiteral("Ⅰ"), width, 9.5))
            text.insert(bracket, QLatin1Char('\n'));
        m_b->textField(120, m_b->y(), width, height, text, LayoutBuilder::gothic(9.5, true));
    }

    void group(const CatalogueGroup& group)
    {
        const int top = m_b->y();
        const bool checks = std::all_of(group.items.begin(), group.items.end(),
                                        [](const auto& i) { return i.kind == ItemKind::Check; });
        const bool code = group.items.size() == 1 && group.items.front().kind == ItemKind::Code &&
                          xmlFamilyOf(group.items.front().code) == XmlFamily::Default;
        int height = 0;
        if (checks)
            height = checkList(group, kTitleWidth, 2);
        else if (code)
            height = codeItem(group.items.front());
        else
            height = values(group);
        m_b->setY(top);
        itemTitle(itemNumber(group.code), group.title, height);
        m_b->setY(top + height + 60);
        m_b->line(0, m_b->y() - 30, m_b->width(), m_b->y() - 30, 0.25);
    }

    void diagram()
    {
        const int height = 2400;
        itemTitle(QStringLiteral("Ⅰ-11"), kDiagramTitle, 2 * kRowHeight);
        m_b->rectangle(kTitleWidth, m_b->y() + 60, m_b->width() - kTitleWidth - 120, height);
        m_b->advance(height + 120);
        m_b->line(0, m_b->y() - 30, m_b->width(), m_b->y() - 30, 0.25);
    }

    // Check items in columns with their letters; returns the height used.
    int checkList(const CatalogueGroup& group, int left, int columns)
    {
        const int top = m_b->y();
        int y = top;
        if (!group.note.isEmpty()) {
            m_b->label(left, y, m_b->width() - left, 280, group.note, LayoutBuilder::gothic(8.5));
            y += 300;
        }
        const int columnWidth = (m_b->width() - left - 120) / columns;
        const int textWidth = columnWidth - kCheckBox - 180;
        const int rows = int((group.items.size() + columns - 1) / columns);
        for (int row = 0; row < rows; ++row) {
            int height = kRowHeight - 60;
            for (int column = 0; column < columns; ++column) {
                const int i = column * rows + row;
                if (i < group.items.size())
                    height = std::max(height, LayoutFormFlow::textHeight(label(group.items.at(i)),
                                                                         textWidth, 9, 40));
            }
            for (int column = 0; column < columns; ++column) {
                const int i = column * rows + row;
                if (i >= group.items.size())
                    continue;
                const CatalogueItem& item = group.items.at(i);
                const int x = left + column * columnWidth;
                m_b->label(x, y, textWidth, height, label(item), LayoutBuilder::mincho(9));
                m_b->checkField(x + textWidth + 60, y + (height - kCheckBox) / 2, kCheckBox,
                                xmlElementName(item.code));
            }
            y += height;
        }
        return y - top;
    }

private:
    static QString label(const CatalogueItem& item)
    {
        const QString letter = item.code.section(QLatin1Char('-'), -1);
        const bool lettered = letter.size() == 1 && letter.at(0).isLower();
        return lettered ? letter + QStringLiteral("．") + item.title : item.title;
    }

    int codeItem(const CatalogueItem& item)
    {
        const QString choices = LayoutCatalogueSection::choicesText(item.choices);
        const int choicesWidth = m_b->width() - kTitleWidth - kBoxWidth - 360;
        const int height =
            std::max(kRowHeight, LayoutFormFlow::textHeight(choices, choicesWidth, 8.5));
        m_b->label(kTitleWidth, m_b->y(), choicesWidth, height, choices,
                   LayoutBuilder::gothic(8.5));
        ReportControl& box =
            m_b->field(m_b->width() - kBoxWidth - 120, m_b->y() + (height - 300) / 2, kBoxWidth,
                       300, xmlElementName(item.code), LayoutBuilder::gothic(10), HAlign::Centre);
        box.border = true;
        return height;
    }

    // Fields flow left to right after their captions and wrap onto further lines; a line is
    // as high as its longest value needs.
    int values(const CatalogueGroup& group)
    {
        struct Placed
        {
            QString caption;
            QString element;
            QString unit;
            QString longest;
            int left = 0;
            int captionWidth = 0;
            int width = 0;
            int unitWidth = 0;
        };
        const int right = m_b->width() - 120;
        QVector<QVector<Placed>> lines(1);
        int left = kTitleWidth;
        for (const CatalogueItem& item : group.items) {
            Placed p;
            p.caption = item.title == group.title ? QString() : item.title;
            p.element = xmlElementName(item.code);
            // The sex prints its word: its choices follow it as a reminder.
            p.unit = item.unit;
            if (xmlFamilyOf(item.code) == XmlFamily::Sex) {
                QStringList meanings;
                for (const CatalogueChoice& choice : item.choices)
                    meanings << choice.meaning;
                p.unit = QStringLiteral("（") + meanings.join(QStringLiteral("・")) +
                         QStringLiteral("）");
            }
            p.longest = longestValueText(item);
            p.captionWidth = p.caption.isEmpty() ? 0 : 180 * int(p.caption.size()) + 120;
            p.unitWidth = p.unit.isEmpty() ? 0 : 180 * int(p.unit.size()) + 120;
            int width = item.kind == ItemKind::Code
                            ? 700
                            : std::max(fieldWidth(item),
                                       TextRoom::width(p.longest, TextRoom::kSmallestOnOneLine));
            if (left + p.captionWidth + width + p.unitWidth > right && left > kTitleWidth) {
                left = kTitleWidth;
                lines.append(QVector<Placed>());
            }
            p.left = left;
            p.width = std::min(width, right - left - p.captionWidth - p.unitWidth);
            lines.last().append(p);
            left += p.captionWidth + p.width + p.unitWidth + 180;
        }

        const int top = m_b->y();
        int y = top;
        for (const QVector<Placed>& line : lines) {
            int height = kRowHeight;
            for (const Placed& p : line)
                height = std::max(height, TextRoom::heightForValue(p.longest, p.width, kRowHeight));
            for (const Placed& p : line) {
                // Captions and units stand level with their values.
                if (!p.caption.isEmpty())
                    m_b->label(p.left, y, p.captionWidth, height - 20, p.caption,
                               LayoutBuilder::gothic(8.5));
                const int fieldLeft = p.left + p.captionWidth;
                m_b->field(fieldLeft, y, p.width, height - 20, p.element,
                           LayoutBuilder::gothic(10));
                m_b->line(fieldLeft, y + height - 20, fieldLeft + p.width, y + height - 20, 0.25);
                if (!p.unit.isEmpty())
                    m_b->label(fieldLeft + p.width + 60, y, p.unitWidth, height - 20, p.unit,
                               LayoutBuilder::gothic(9));
            }
            y += height;
        }
        return y - top;
    }

    LayoutBuilder* m_b;
};

void partHeading(LayoutBuilder& b, const QString& title)
{
    // "Ⅰ.基本情報" is printed "Ⅰ．基本情報".
    QString text = title;
    text.replace(QLatin1Char('.'), QStringLiteral("．"));
    b.textField(0, b.y(), b.width(), 420, text, LayoutBuilder::gothic(12, true));
    b.advance(440);
}

} // namespace

ReportLayout ReportLayouts::faceSheet()
{
    ReportLayout layout;
    ReportCatalogue::apply(QStringLiteral("rptOrv21Care_1_2"), &layout);
    LayoutBuilder b(&layout);
    LayoutFormFlow flow(&b);
    FaceSheetWriter writer(&b);
    const Catalogue& catalogue = Catalogue::builtIn();
    flow.title(QStringLiteral("施設ケアアセスメント表（Orv2.1）"));

    const CatalogueSection* partOne = catalogue.section(QStringLiteral("KIHON1"));
    const CatalogueSection* partTwo = catalogue.section(QStringLiteral("KIHON2"));
    if (partOne) {
        partHeading(b, partOne->title);
        const int frameTop = b.y();
        b.advance(80);
        for (const CatalogueGroup& group : partOne->groups) {
            if (group.code == kDiagramBefore)
                writer.diagram();
            writer.group(group);
        }
        flow.frame(frameTop, b.y());
    }
    if (partTwo) {
        b.advance(40);
        b.newPage();
        partHeading(b, partTwo->title);
        for (const CatalogueGroup& group : partTwo->groups) {
            if (group.items.isEmpty()) {
                // The item that the lists answer: its number, title and what to tick.
                b.textField(120, b.y(), b.width() - 240, 320,
                            itemNumber(group.code) + QStringLiteral("　") + group.title,
                            LayoutBuilder::gothic(9.5, true));
                b.advance(340);
                b.label(LayoutFormFlow::kIndent, b.y(), b.width() - LayoutFormFlow::kIndent, 300,
                        group.note, LayoutBuilder::gothic(8.5));
                b.advance(360);
                continue;
            }
            const int frameTop = b.y();
            b.advance(80);
            const int top = b.y();
            CatalogueGroup list = group;
            list.note.clear();
            const int height = writer.checkList(list, kTitleWidth, 1);
            b.setY(top);
            writer.itemTitle(QString(), group.title, height);
            b.setY(top + height + 80);
            flow.frame(frameTop, b.y());
            b.advance(120);
        }
    }
    return layout;
}

} // namespace orv
