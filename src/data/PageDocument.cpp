#include "data/PageDocument.h"

namespace orv {

int PageDocument::indexOf(const QVector<PageElement>& elements, const QString& name)
{
    for (int i = 0; i < elements.size(); ++i) {
        if (elements[i].name == name)
            return i;
    }
    return -1;
}

} // namespace orv
