#include "data/SharedSchemas.h"

#include <QDir>
#include <QFileInfo>

#include <map>

namespace orv {

std::shared_ptr<SharedSchemas> SharedSchemas::of(const QString& path)
{
    static std::map<QString, std::weak_ptr<SharedSchemas>> files;
    const QString key = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    std::shared_ptr<SharedSchemas> schemas = files[key].lock();
    if (!schemas) {
        schemas = std::make_shared<SharedSchemas>();
        files[key] = schemas;
    }
    return schemas;
}

std::shared_ptr<TableSchema> SharedSchemas::find(const QString& table, qint64 version) const
{
    return version == m_version ? m_schemas.value(table.toLower()) : nullptr;
}

void SharedSchemas::useVersion(qint64 version)
{
    if (version != m_version) {
        forget();
        m_version = version;
    }
}

void SharedSchemas::store(const QString& table, qint64 version,
                          const std::shared_ptr<TableSchema>& schema)
{
    useVersion(version);
    m_schemas.insert(table.toLower(), schema);
}

std::optional<SourcePlan> SharedSchemas::plan(const QString& source, qint64 version) const
{
    auto found = m_plans.constFind(source);
    if (version != m_version || found == m_plans.constEnd())
        return std::nullopt;
    return *found;
}

void SharedSchemas::storePlan(const QString& source, qint64 version, const SourcePlan& plan)
{
    useVersion(version);
    m_plans.insert(source, plan);
}

void SharedSchemas::forget()
{
    for (const auto& schema : std::as_const(m_schemas))
        m_retired.append(schema);
    m_schemas.clear();
    m_plans.clear();
    m_version = -1;
}

} // namespace orv
