#pragma once

#include "data/PageDocument.h"

#include <QString>
#include <QVector>

namespace orv {

struct AppState;
struct ColumnInfo;
class EntryWindowHost;
class Value;

// Binds the inputs of the shown entry page to the columns of the current row (CurRs): fills the
// page, checks and stores it, and moves to the next page. An input named "orv_A1_1" is bound to
// column "A1-1". Messages go through the state's message box service.
class PageBinding
{
public:
    PageBinding(AppState& state, PageDocument& document, EntryWindowHost* host = nullptr);

    // Stores every bound input into CurRs and commits it, then opens NextPage or, when it is
    // empty, closes the entry window. False, with the message shown, when a value or the commit
    // is refused; the page then stays.
    bool SavePage();
    // Fills every bound input from CurRs; false when the page could not be read or written.
    bool LoadPage();
    // A page has begun to load: until LoadPage has filled it, SavePage refuses, as its inputs
    // do not yet hold the row.
    void pageLoadStarted() { m_pageFilled = false; }

    bool SetFieldValue(const QString& col, const QString& value);
    QString GetFieldText(const QString& col) const;
    static QString GetFormatProperty(const ColumnInfo& column);

    bool CheckNumeric(const QString& value, const QString& col);
    bool CheckLength(const QString& value, const QString& col);
    // A text holding a character the store cannot keep as typed is refused like a long one.
    bool CheckCharacters(const QString& value, const QString& col);
    bool CheckDate(const QString& value, const QString& col);

    // Inputs whose value a page stores: text, select-one, textarea and hidden.
    static bool takesValue(const QString& type);
    static bool isCheckBox(const QString& type);
    // A check box shows ticked when its column's text is "1" and only then: an empty text, as of
    // a Null column, leaves it unticked. The page's own fill takes this answer from here.
    static bool ticks(const QString& columnText);
    // "orv_A1_1" gives "A1-1"; an element that is not bound gives the empty text.
    static QString columnOfElement(const QString& elementName);
    static QString elementOfColumn(const QString& col);
    // The table behind a page file: "KIHON2.HTM" gives "KIHON1", "C.HTM" gives "C".
    static QString tableOfPage(const QString& pageFile);
    // The path of FORM/<pageFile> in the program folder; the name is matched without regard to
    // case, as the pages name each other in either case.
    static QString pagePath(const QString& programFolder, const QString& pageFile);
    // A stored value as a page shows it, with the column's format.
    static QString displayText(const Value& value, const ColumnInfo& column);

private:
    bool readPage();
    bool flush();
    void refuse(const QString& message, const QString& col);
    void paint(const QString& col, const QString& color);
    bool openNextRow();

    AppState& m_state;
    PageDocument& m_document;
    EntryWindowHost* m_host;
    QVector<PageElement> m_elements;
    QVector<ElementChange> m_pending;
    bool m_pageFilled = true;
};

} // namespace orv
