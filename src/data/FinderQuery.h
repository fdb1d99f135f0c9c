#pragma once

#include "common/Value.h"

#include <QString>
#include <QVector>

namespace orv {

class Database;

// A statement with its bound values.
struct SqlQuery
{
    QString sql;
    QVector<Value> params;
};

// One record kind of the finder: what it lists and how its columns are searched.
struct FinderMode
{
    QString caption;
    QString dateLabel; // label of the date box, heading of the date column
    QString table;     // the record table listed
    QString deleteTitle;
    QString baseQuery;
    QString idExpression;
    QString dateExpression;
    QString nameExpression;
    QString readingExpression;
    QString birthExpression;
};

// The texts of the five search boxes. Dates are already read; an empty box has no value.
struct FinderCriteria
{
    QString id;
    QString name;
    QString reading;
    DateValue date;
    DateValue birth;
    bool hasDate = false;
    bool hasBirth = false;
};

// One line of the finder's list.
struct FinderRow
{
    QString id;
    DateValue kijun;
    QString name;
    QString reading;
    Value birth;
};

// The list queries of the record finder's four modes (0 face sheets, 1 assessments,
// 2 RAP summaries, 3 medication surveys).
class FinderQuery
{
public:
    static constexpr int modeCount = 4;
    // nullptr for a mode outside 0 to 3.
    static const FinderMode* mode(int mode);

    // The list as it opens: no resident has this ID.
    static SqlQuery emptyList(const FinderMode& mode);
    // The filled boxes joined by OR; an empty criteria gives the empty list.
    static SqlQuery search(const FinderMode& mode, const FinderCriteria& criteria);

    // Runs a list query to its end; false with the error when it fails.
    static bool fetch(Database& db, const SqlQuery& query, QVector<FinderRow>* rows,
                      QString* error = nullptr);

    // A GLOB pattern matching lower-cased texts that contain the typed text: "*" and "?" stay
    // wildcards, "#" stands for one digit, half or full width, and every other character (also
    // "%", "_" and "[") stands for itself, ASCII letters lower-cased.
    static QString containsPattern(const QString& typed);
};

} // namespace orv
