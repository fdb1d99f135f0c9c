#include "data/Catalogue.h"

#include "data/DaoType.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace orv {

namespace {

struct KindName
{
    const char* name;
    ItemKind kind;
};

constexpr KindName KindNames[] = {
    {"code", ItemKind::Code}, {"check", ItemKind::Check}, {"number", ItemKind::Number},
    {"date", ItemKind::Date}, {"text", ItemKind::Text},   {"memo", ItemKind::Memo},
};

struct TypeName
{
    const char* name;
    int daoType;
};

constexpr TypeName TypeNames[] = {
    {"BYTE", dbByte},     {"INTEGER", dbInteger}, {"LONG", dbLong},
    {"SINGLE", dbSingle}, {"DOUBLE", dbDouble},   {"DATETIME", dbDate},
    {"TEXT", dbText},     {"MEMO", dbMemo},       {"LONGBINARY", dbLongBinary},
};

bool kindOf(const QString& name, ItemKind* kind)
{
    for (const KindName& entry : KindNames) {
        if (name == QLatin1String(entry.name)) {
            *kind = entry.kind;
            return true;
        }
    }
    return false;
}

int daoTypeOf(const QString& name)
{
    for (const TypeName& entry : TypeNames) {
        if (name == QLatin1String(entry.name))
            return entry.daoType;
    }
    return 0;
}

QVector<CatalogueChoice> choicesOf(const QJsonArray& array)
{
    QVector<CatalogueChoice> choices;
    for (const QJsonValue& pair : array) {
        const QJsonArray codeAndMeaning = pair.toArray();
        choices.append({codeAndMeaning.at(0).toString(), codeAndMeaning.at(1).toString()});
    }
    return choices;
}

bool fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

} // namespace

const Catalogue& Catalogue::builtIn()
{
    static const std::unique_ptr<Catalogue> catalogue = [] {
        QString error;
        std::unique_ptr<Catalogue> loaded =
            fromFile(QStringLiteral(":/catalogue/catalogue.json"), &error);
        if (!loaded)
            qFatal("%s", qPrintable(error));
        return loaded;
    }();
    return *catalogue;
}

std::unique_ptr<Catalogue> Catalogue::fromFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(error, QStringLiteral("%1: %2").arg(path, file.errorString()));
        return nullptr;
    }
    return fromJson(file.readAll(), error);
}

std::unique_ptr<Catalogue> Catalogue::fromJson(const QByteArray& json, QString* error)
{
    std::unique_ptr<Catalogue> catalogue(new Catalogue);
    if (!catalogue->read(json, error))
        return nullptr;
    catalogue->index();
    return catalogue;
}

bool Catalogue::read(const QByteArray& json, QString* error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (!document.isObject())
        return fail(error, parseError.errorString());
    const QJsonObject root = document.object();
    m_name = root.value(QLatin1String("name")).toString();

    QHash<QString, QVector<CatalogueChoice>> choiceSets;
    const QJsonObject sets = root.value(QLatin1String("choiceSets")).toObject();
    for (auto it = sets.begin(); it != sets.end(); ++it)
        choiceSets.insert(it.key(), choicesOf(it.value().toArray()));

    for (const QJsonValue& sectionValue : root.value(QLatin1String("sections")).toArray()) {
        const QJsonObject sectionObject = sectionValue.toObject();
        CatalogueSection section;
        section.id = sectionObject.value(QLatin1String("id")).toString();
        section.table = sectionObject.value(QLatin1String("table")).toString();
        section.page = sectionObject.value(QLatin1String("page")).toString();
        section.title = sectionObject.value(QLatin1String("title")).toString();
        section.note = sectionObject.value(QLatin1String("note")).toString();
        for (const QJsonValue& groupValue :
             sectionObject.value(QLatin1String("groups")).toArray()) {
            const QJsonObject groupObject = groupValue.toObject();
            CatalogueGroup group;
            group.code = groupObject.value(QLatin1String("code")).toString();
            group.title = groupObject.value(QLatin1String("title")).toString();
            group.note = groupObject.value(QLatin1String("note")).toString();
            const QJsonObject grid = groupObject.value(QLatin1String("grid")).toObject();
            group.gridRows = grid.value(QLatin1String("rows")).toInt();
            group.inline_ = groupObject.value(QLatin1String("inline")).toBool();
            for (const QJsonValue& column : grid.value(QLatin1String("columns")).toArray())
                group.gridColumns.append(column.toString());
            for (const QJsonValue& itemValue :
                 groupObject.value(QLatin1String("items")).toArray()) {
                const QJsonObject itemObject = itemValue.toObject();
                CatalogueItem item;
                item.code = itemObject.value(QLatin1String("code")).toString();
                item.title = itemObject.value(QLatin1String("title")).toString();
                if (!kindOf(itemObject.value(QLatin1String("kind")).toString(), &item.kind))
                    return fail(error, QStringLiteral("%1: unknown kind").arg(item.code));
                item.daoType = daoTypeOf(itemObject.value(QLatin1String("type")).toString());
                if (item.daoType == 0)
                    return fail(error, QStringLiteral("%1: unknown type").arg(item.code));
                item.size = itemObject.value(QLatin1String("size")).toInt();
                const QJsonValue choices = itemObject.value(QLatin1String("choices"));
                if (choices.isString()) {
                    if (!choiceSets.contains(choices.toString()))
                        return fail(error, QStringLiteral("%1: unknown choices").arg(item.code));
                    item.choices = choiceSets.value(choices.toString());
                } else {
                    item.choices = choicesOf(choices.toArray());
                }
                item.comaDependent = itemObject.value(QLatin1String("coma")).toBool();
                item.defaultValue = itemObject.value(QLatin1String("default")).toString();
                item.format = itemObject.value(QLatin1String("format")).toString();
                item.unit = itemObject.value(QLatin1String("unit")).toString();
                item.ageElement = itemObject.value(QLatin1String("ageElement")).toString();
                group.items.append(item);
            }
            section.groups.append(group);
        }
        m_sections.append(section);
    }

    for (const QJsonValue& keyValue : root.value(QLatin1String("triggerKeys")).toArray()) {
        const QJsonObject keyObject = keyValue.toObject();
        m_triggerKeys.append({keyObject.value(QLatin1String("key")).toString(),
                              keyObject.value(QLatin1String("item")).toString()});
    }
    if (m_sections.isEmpty())
        return fail(error, QStringLiteral("the catalogue holds no section"));
    return true;
}

void Catalogue::index()
{
    for (const CatalogueSection& section : m_sections) {
        const CatalogueGroup* heading = nullptr;
        for (const CatalogueGroup& group : section.groups) {
            // A table of rows stands under the heading with no items of its own before it.
            if (!group.inline_)
                heading = group.items.isEmpty() ? &group : nullptr;
            for (const CatalogueItem& item : group.items) {
                m_items.insert(item.code, &item);
                m_tables.insert(item.code, section.table);
                m_groups.insert(item.code, &group);
                if (group.inline_ && heading)
                    m_headings.insert(item.code, heading);
            }
        }
    }
}

const CatalogueSection* Catalogue::section(const QString& idOrPage) const
{
    for (const CatalogueSection& section : m_sections) {
        if (section.id == idOrPage || section.page.compare(idOrPage, Qt::CaseInsensitive) == 0)
            return &section;
    }
    return nullptr;
}

QStringList Catalogue::recordTables() const
{
    QStringList tables;
    for (const CatalogueSection& section : m_sections) {
        if (!tables.contains(section.table))
            tables.append(section.table);
    }
    return tables;
}

QString Catalogue::keyDateColumn(const QString& table)
{
    return table.compare(QLatin1String("Trigger"), Qt::CaseInsensitive) == 0 ||
                   table.compare(QLatin1String("RAP"), Qt::CaseInsensitive) == 0
               ? QStringLiteral("記入日")
               : QStringLiteral("基準日");
}

QVector<const CatalogueItem*> Catalogue::items(const QString& table) const
{
    QVector<const CatalogueItem*> columns;
    for (const CatalogueSection& section : m_sections) {
        if (section.table.compare(table, Qt::CaseInsensitive) != 0)
            continue;
        for (const CatalogueGroup& group : section.groups) {
            for (const CatalogueItem& item : group.items)
                columns.append(&item);
        }
    }
    return columns;
}

const CatalogueItem* Catalogue::item(const QString& code) const
{
    return m_items.value(code, nullptr);
}

const CatalogueGroup* Catalogue::groupOf(const QString& code) const
{
    return m_groups.value(code, nullptr);
}

const CatalogueGroup* Catalogue::headingOf(const QString& code) const
{
    const CatalogueGroup* group = groupOf(code);
    if (!group || !group->inline_)
        return group;
    return m_headings.value(code, nullptr);
}

QString Catalogue::tableOf(const QString& code) const
{
    return m_tables.value(code);
}

QString Catalogue::title(const QString& code) const
{
    const CatalogueItem* found = item(code);
    return found ? found->title : QString();
}

QString Catalogue::choiceMeaning(const QString& code, const QString& value) const
{
    const CatalogueItem* found = item(code);
    return found ? found->choiceMeaning(value) : QString();
}

QString Catalogue::triggerItemName(const QString& key) const
{
    for (const TriggerKeyName& entry : m_triggerKeys) {
        if (entry.key == key)
            return entry.item;
    }
    return QString();
}

} // namespace orv
