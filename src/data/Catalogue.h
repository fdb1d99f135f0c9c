#pragma once

#include "data/CatalogueSection.h"

#include <QByteArray>
#include <QHash>
#include <QStringList>

#include <memory>

namespace orv {

// The instrument's item catalogue: sections, items, choices, column types, coma flags and
// the names of the trigger items. The program carries it as a resource; builtIn() reads it
// once.
class Catalogue
{
public:
    static const Catalogue& builtIn();
    static std::unique_ptr<Catalogue> fromJson(const QByteArray& json, QString* error = nullptr);
    static std::unique_ptr<Catalogue> fromFile(const QString& path, QString* error = nullptr);

    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;

    QString name() const { return m_name; }
    const QVector<CatalogueSection>& sections() const { return m_sections; }
    // By id ("KIHON2", "B") or by page file ("B.HTM", any letter case); nullptr if none.
    const CatalogueSection* section(const QString& idOrPage) const;

    // The record tables in order: "KIHON1", "A" to "R", "S", "T".
    QStringList recordTables() const;
    // The date column of a table's record key: "記入日" for Trigger and RAP, else "基準日".
    static QString keyDateColumn(const QString& table);
    // The items of a table in column order (the key columns ID and 基準日 come first in the
    // table and are not items).
    QVector<const CatalogueItem*> items(const QString& table) const;
    // An item by its code; codes are unique across tables. nullptr if none.
    const CatalogueItem* item(const QString& code) const;
    // The group that holds an item: its heading ("B2" for "B2-a"), or for an item in a table
    // of rows its row ("E4-a" for "E4-a-A"). nullptr if none.
    const CatalogueGroup* groupOf(const QString& code) const;
    // The heading an item is printed under ("E4" for "E4-a-A", "B2" for "B2-a"); nullptr for
    // the rows of a table without a heading of its own (the RAP summary's areas).
    const CatalogueGroup* headingOf(const QString& code) const;
    // The table that holds an item's column; empty if none.
    QString tableOf(const QString& code) const;
    QString title(const QString& code) const;
    QString choiceMeaning(const QString& code, const QString& value) const;

    // The 79 trigger keys in the order of the Trigger table's columns.
    const QVector<TriggerKeyName>& triggerKeys() const { return m_triggerKeys; }
    QString triggerItemName(const QString& key) const;

private:
    Catalogue() = default;
    bool read(const QByteArray& json, QString* error);
    void index();

    QString m_name;
    QVector<CatalogueSection> m_sections;
    QVector<TriggerKeyName> m_triggerKeys;
    QHash<QString, const CatalogueItem*> m_items;
    QHash<QString, QString> m_tables;
    QHash<QString, const CatalogueGroup*> m_groups;
    QHash<QString, const CatalogueGroup*> m_headings;
};

} // namespace orv
