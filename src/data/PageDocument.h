#pragma once

#include <QPair>
#include <QString>
#include <QVector>

namespace orv {

// One input element of the first form of the shown page, as read in one pass.
struct PageElement
{
    QString name;
    QString type;
    QString value;
    bool checked = false;
    QString className;
    bool focused = false;
    QString backgroundColor; // "#rrggbb" or empty
    QString visibility;
    QString outerHTML;
    // The attributes of a button as the page writes them (name, value), in order; buttons only.
    QVector<QPair<QString, QString>> attributes;
};

// One change to an element of the first form, addressed by its index there.
struct ElementChange
{
    enum class Kind
    {
        Value,
        Checked,
        Focus,
        BackgroundColor,
        Visibility,
        OuterHTML
    };

    int index = -1;
    Kind kind = Kind::Value;
    QString text;
    bool flag = false;

    static ElementChange value(int index, const QString& text)
    {
        return {index, Kind::Value, text, false};
    }
    static ElementChange checked(int index, bool on)
    {
        return {index, Kind::Checked, QString(), on};
    }
    static ElementChange focus(int index) { return {index, Kind::Focus, QString(), false}; }
    static ElementChange backgroundColor(int index, const QString& color)
    {
        return {index, Kind::BackgroundColor, color, false};
    }
    static ElementChange visibility(int index, const QString& text)
    {
        return {index, Kind::Visibility, text, false};
    }
    static ElementChange outerHTML(int index, const QString& html)
    {
        return {index, Kind::OuterHTML, html, false};
    }
};

// The shown entry page as the program sees it: the elements of its first form, read all at once,
// and changes applied in batches, so that a page costs a few round trips, not one per element.
class PageDocument
{
public:
    virtual ~PageDocument() = default;

    // Every element of the first form in document order; an empty list when there is no form.
    virtual bool readElements(QVector<PageElement>* elements, QString* error = nullptr) = 0;
    // Applies the changes in their order.
    virtual bool apply(const QVector<ElementChange>& changes, QString* error = nullptr) = 0;
    // The page's window.status.
    virtual bool setStatus(const QString& text, QString* error = nullptr) = 0;

    // Index of the first element of that name, -1 when there is none.
    static int indexOf(const QVector<PageElement>& elements, const QString& name);
};

} // namespace orv
