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

// The texts that fill the bound inputs of a page: column name and text, in column order.
using BoundTexts = QVector<QPair<QString, QString>>;

// Where a fill stopped: at a bound input of a type it cannot fill (index -1: it went through).
struct FillStop
{
    int index = -1;
    QString type;
};

// The shown entry page as the program sees it: the elements of its first form, read all at once,
// and changes applied in batches, so that a page costs a few round trips, not one per element.
class PageDocument
{
public:
    virtual ~PageDocument() = default;

    // Every element of the first form in document order; an empty list when there is no form.
    virtual bool readElements(QVector<PageElement>* elements, QString* error = nullptr) = 0;
    // The same with only name, type, value and checked of each element, what a store needs.
    virtual bool readValues(QVector<PageElement>* elements, QString* error = nullptr)
    {
        return readElements(elements, error);
    }
    // Fills the bound inputs of the first form from the element at index from on, in document
    // order: a text, select-one, textarea or hidden input gets the text of its column as its
    // value, a check box is checked when that text is "1"; a column without a text counts as
    // the empty text. A bound input of any other type stops the fill there, before it, and is
    // named in stop. Here one read and one batch of changes; a browser does it in one script.
    virtual bool fill(const BoundTexts& texts, int from, FillStop* stop, QString* error = nullptr);
    // Applies the changes in their order.
    virtual bool apply(const QVector<ElementChange>& changes, QString* error = nullptr) = 0;
    // The page's window.status.
    virtual bool setStatus(const QString& text, QString* error = nullptr) = 0;

    // Index of the first element of that name, -1 when there is none.
    static int indexOf(const QVector<PageElement>& elements, const QString& name);
    // The changes of fill() for elements read already.
    static QVector<ElementChange> fillChanges(const QVector<PageElement>& elements,
                                              const BoundTexts& texts, int from, FillStop* stop);
};

} // namespace orv
