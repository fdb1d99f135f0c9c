#include "data/MemoryPageDocument.h"

namespace orv {

namespace {

const QString failureText = QStringLiteral("ページを操作できません。");

QString kindName(ElementChange::Kind kind)
{
    switch (kind) {
    case ElementChange::Kind::Value:
        return QStringLiteral("value");
    case ElementChange::Kind::Checked:
        return QStringLiteral("checked");
    case ElementChange::Kind::Focus:
        return QStringLiteral("focus");
    case ElementChange::Kind::BackgroundColor:
        return QStringLiteral("backgroundColor");
    case ElementChange::Kind::Visibility:
        return QStringLiteral("visibility");
    case ElementChange::Kind::OuterHTML:
        return QStringLiteral("outerHTML");
    }
    return QString();
}

} // namespace

bool MemoryPageDocument::readElements(QVector<PageElement>* elements, QString* error)
{
    ++m_reads;
    if (m_failing) {
        if (error)
            *error = failureText;
        return false;
    }
    *elements = m_elements;
    return true;
}

bool MemoryPageDocument::apply(const QVector<ElementChange>& changes, QString* error)
{
    ++m_applies;
    if (m_failing) {
        if (error)
            *error = failureText;
        return false;
    }
    for (const ElementChange& change : changes) {
        if (change.index < 0 || change.index >= m_elements.size())
            continue;
        PageElement& e = m_elements[change.index];
        QString logged = kindName(change.kind) + QLatin1Char(' ') + e.name;
        switch (change.kind) {
        case ElementChange::Kind::Value:
            e.value = change.text;
            logged += QLatin1Char(' ') + change.text;
            break;
        case ElementChange::Kind::Checked:
            e.checked = change.flag;
            logged += change.flag ? QStringLiteral(" 1") : QStringLiteral(" 0");
            break;
        case ElementChange::Kind::Focus:
            for (PageElement& other : m_elements)
                other.focused = false;
            e.focused = true;
            break;
        case ElementChange::Kind::BackgroundColor:
            e.backgroundColor = change.text;
            logged += QLatin1Char(' ') + change.text;
            break;
        case ElementChange::Kind::Visibility:
            e.visibility = change.text;
            logged += QLatin1Char(' ') + change.text;
            break;
        case ElementChange::Kind::OuterHTML:
            e.outerHTML = change.text;
            logged += QLatin1Char(' ') + change.text;
            break;
        }
        m_log << logged;
    }
    return true;
}

bool MemoryPageDocument::setStatus(const QString& text, QString* error)
{
    if (m_failing) {
        if (error)
            *error = failureText;
        return false;
    }
    m_status = text;
    return true;
}

PageElement& MemoryPageDocument::add(const QString& name, const QString& type, const QString& value,
                                     const QString& className)
{
    PageElement e;
    e.name = name;
    e.type = type;
    e.value = value;
    e.className = className;
    m_elements.append(e);
    return m_elements.last();
}

PageElement& MemoryPageDocument::element(const QString& name)
{
    const int index = indexOf(m_elements, name);
    Q_ASSERT(index >= 0);
    return m_elements[index];
}

int MemoryPageDocument::focusedIndex() const
{
    for (int i = 0; i < m_elements.size(); ++i) {
        if (m_elements[i].focused)
            return i;
    }
    return -1;
}

void MemoryPageDocument::clearLog()
{
    m_log.clear();
    m_reads = 0;
    m_applies = 0;
}

} // namespace orv
