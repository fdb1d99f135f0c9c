#include "data/PageDocument.h"

#include "data/PageBinding.h"

#include <QHash>

namespace orv {

int PageDocument::indexOf(const QVector<PageElement>& elements, const QString& name)
{
    for (int i = 0; i < elements.size(); ++i) {
        if (elements[i].name == name)
            return i;
    }
    return -1;
}

QVector<ElementChange> PageDocument::fillChanges(const QVector<PageElement>& elements,
                                                 const BoundTexts& texts, int from, FillStop* stop)
{
    // A column is found by its name as the row spells it, else in any case, as the row finds it.
    QHash<QString, QString> exact;
    QHash<QString, QString> anyCase;
    for (const auto& [column, text] : texts) {
        exact.insert(column, text);
        if (!anyCase.contains(column.toLower()))
            anyCase.insert(column.toLower(), text);
    }
    *stop = FillStop();
    QVector<ElementChange> changes;
    for (int i = qMax(from, 0); i < elements.size(); ++i) {
        const PageElement& element = elements[i];
        const QString column = PageBinding::columnOfElement(element.name);
        if (column.isNull())
            continue;
        const QString text =
            exact.contains(column) ? exact.value(column) : anyCase.value(column.toLower());
        if (PageBinding::takesValue(element.type)) {
            changes.append(ElementChange::value(i, text));
        } else if (PageBinding::isCheckBox(element.type)) {
            changes.append(ElementChange::checked(i, PageBinding::ticks(text)));
        } else {
            *stop = {i, element.type};
            break;
        }
    }
    return changes;
}

bool PageDocument::fill(const BoundTexts& texts, int from, FillStop* stop, QString* error)
{
    QVector<PageElement> elements;
    if (!readValues(&elements, error))
        return false;
    const QVector<ElementChange> changes = fillChanges(elements, texts, from, stop);
    return changes.isEmpty() || apply(changes, error);
}

} // namespace orv
