#pragma once

#include "data/CatalogueItem.h"

#include <QStringList>

namespace orv {

// Items printed under one heading of the form ("B2 記憶"); a grid holds rows of columns.
struct CatalogueGroup
{
    QString code;
    QString title;
    QString note;
    int gridRows = 0;     // rows of a grid group, 0 for a list of items
    bool inline_ = false; // the items stand side by side in one row of the form
    QStringList gridColumns;
    QVector<CatalogueItem> items;
};

// One entry page: a part of the face sheet, an assessment section, the RAP summary or the
// medication survey.
struct CatalogueSection
{
    QString id;    // "KIHON1", "KIHON2", "A" to "R", "S", "T"
    QString table; // both face-sheet pages edit table "KIHON1"
    QString page;  // "B.HTM"
    QString title; // as the jump menu shows it
    QString note;
    QVector<CatalogueGroup> groups;
};

// A trigger key and the name of the item it stands for.
struct TriggerKeyName
{
    QString key;
    QString item;
};

} // namespace orv
