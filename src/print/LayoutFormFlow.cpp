#include "print/LayoutFormFlow.h"

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

constexpr int kBoxWidth = 520;
constexpr int kQuestionShare = 55; // percent of the width for the question of a code row

// Width of text in em: full-width characters one em, the others half.
double emWidth(const QString& text)
{
    double em = 0;
    for (const QChar c : text)
        em += c.unicode() < 0x2000 || (c.unicode() >= 0xff61 && c.unicode() <= 0xff9f) ? 0.55 : 1.0;
    return em;
}

} // namespace

LayoutFormFlow::LayoutFormFlow(LayoutBuilder* builder) : m_b(builder) {}

int LayoutFormFlow::textHeight(const QString& text, int width, double points, int lineGap)
{
    const double em = points * 20.0;
    int lines = 0;
    for (const QString& paragraph : text.split(QLatin1Char('\n')))
        lines += std::max(1, int(std::ceil(emWidth(paragraph) * em / std::max(width, 1))));
    return int(lines * (em * 1.35)) + lineGap;
}

int LayoutFormFlow::textWidth(const QString& text, double points)
{
    return int(std::ceil(emWidth(text) * points * 20.0));
}

void LayoutFormFlow::title(const QString& text, double points)
{
    const int height = int(points * 20 * 1.6);
    m_b->label(0, m_b->y(), m_b->width(), height, text, LayoutBuilder::gothic(points, true),
               HAlign::Centre);
    m_b->advance(height + 120);
}

void LayoutFormFlow::heading(const QString& text, double points)
{
    const int height = int(points * 20 * 1.7);
    m_b->ensureRoom(height + 2 * kRowHeight);
    if (m_b->y() > m_b->pageTop())
        m_b->advance(80);
    m_b->rectangle(0, m_b->y(), m_b->width(), height, 0.75);
    m_b->label(120, m_b->y(), m_b->width() - 240, height, text,
               LayoutBuilder::gothic(points, true));
    m_b->advance(height + 60);
}

void LayoutFormFlow::subHeading(const QString& text)
{
    m_b->ensureRoom(2 * kRowHeight);
    m_b->label(kIndent, m_b->y(), m_b->width() - kIndent, kRowHeight, text,
               LayoutBuilder::gothic(9, true));
    m_b->advance(kRowHeight);
}

void LayoutFormFlow::item(const QString& code, const QString& title)
{
    const int width = m_b->width() - 700;
    const int height = std::max(kRowHeight, textHeight(title, width, 9.5));
    m_b->ensureRoom(height + kRowHeight);
    m_b->label(0, m_b->y(), 680, kRowHeight, code, LayoutBuilder::gothic(9.5, true));
    m_b->label(700, m_b->y(), width, height, title, LayoutBuilder::gothic(9.5, true)).wordWrap =
        true;
    m_b->advance(height);
}

void LayoutFormFlow::codeRow(const QString& title, const QString& element, const QString& choices)
{
    const int questionWidth = (m_b->width() - kIndent) * kQuestionShare / 100;
    const int choicesLeft = kIndent + questionWidth + 120;
    const int choicesWidth = m_b->width() - kBoxWidth - 120 - choicesLeft;
    const int height = std::max({kRowHeight, textHeight(title, questionWidth, 9),
                                 choices.isEmpty() ? 0 : textHeight(choices, choicesWidth, 8)});
    m_b->ensureRoom(height);
    const int top = m_b->y();
    m_b->label(kIndent, top, questionWidth, height, title, LayoutBuilder::gothic(9)).wordWrap =
        true;
    if (!choices.isEmpty()) {
        ReportControl& c =
            m_b->label(choicesLeft, top, choicesWidth, height, choices, LayoutBuilder::gothic(8));
        c.wordWrap = true;
    }
    ReportControl& box =
        m_b->field(m_b->width() - kBoxWidth, top + (height - kRowHeight + 40) / 2, kBoxWidth,
                   kRowHeight - 40, element, LayoutBuilder::gothic(10), HAlign::Centre);
    box.border = true;
    m_b->line(kIndent, top + height, m_b->width(), top + height, 0.25);
    m_b->advance(height);
}

void LayoutFormFlow::valueRow(const QString& title, const QString& element, int fieldWidth,
                              const QString& unit)
{
    const int unitWidth = unit.isEmpty() ? 0 : 400;
    const int fieldLeft = m_b->width() - fieldWidth - unitWidth;
    const int titleWidth = fieldLeft - kIndent - 120;
    const int height = std::max(kRowHeight, textHeight(title, titleWidth, 9));
    m_b->ensureRoom(height);
    const int top = m_b->y();
    m_b->label(kIndent, top, titleWidth, height, title, LayoutBuilder::gothic(9)).wordWrap = true;
    ReportControl& value =
        m_b->field(fieldLeft, top, fieldWidth, height, element, LayoutBuilder::gothic(10));
    value.wordWrap = true;
    m_b->line(fieldLeft, top + height, fieldLeft + fieldWidth, top + height, 0.25);
    if (!unit.isEmpty())
        m_b->label(fieldLeft + fieldWidth + 60, top, unitWidth - 60, height, unit);
    m_b->advance(height);
}

void LayoutFormFlow::checkRows(const QStringList& texts, const QStringList& elements, int columns)
{
    const int boxSize = 240;
    const int columnWidth = (m_b->width() - kIndent) / columns;
    const int rows = int((texts.size() + columns - 1) / columns);
    for (int row = 0; row < rows; ++row) {
        int height = kRowHeight;
        for (int column = 0; column < columns; ++column) {
            const int i = column * rows + row;
            if (i < texts.size())
                height = std::max(height, textHeight(texts.at(i), columnWidth - boxSize - 240, 9));
        }
        m_b->ensureRoom(height);
        const int top = m_b->y();
        for (int column = 0; column < columns; ++column) {
            const int i = column * rows + row;
            if (i >= texts.size())
                continue;
            const int left = kIndent + column * columnWidth;
            m_b->label(left, top, columnWidth - boxSize - 240, height, texts.at(i),
                       LayoutBuilder::gothic(9))
                .wordWrap = true;
            m_b->checkField(left + columnWidth - boxSize - 180, top + (height - boxSize) / 2,
                            boxSize, elements.at(i));
        }
        m_b->advance(height);
    }
}

void LayoutFormFlow::note(const QString& text)
{
    const int height = textHeight(text, m_b->width() - kIndent, 8, 20);
    m_b->ensureRoom(height);
    m_b->label(kIndent, m_b->y(), m_b->width() - kIndent, height, text, LayoutBuilder::gothic(8))
        .wordWrap = true;
    m_b->advance(height);
}

void LayoutFormFlow::frame(int top, int bottom, double points)
{
    m_b->rectangle(0, top, m_b->width(), bottom - top, points);
}

} // namespace orv
