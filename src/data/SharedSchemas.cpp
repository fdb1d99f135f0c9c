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

void SharedSchemas::store(const QString& table, qint64 version,
                          const std::shared_ptr<TableSchema>& schema)
{
    if (version != m_version) {
        forget();
        m_version = version;
    }
    m_schemas.insert(table.toLower(), schema);
}

void SharedSchemas::forget()
{
    for (const auto& schema : std::as_const(m_schemas))
        m_retired.append(schema);
    m_schemas.clear();
    m_version = -1;
}

} // namespace orv
