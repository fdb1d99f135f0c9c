#include "support/TestDatabase.h"

#include "data/SchemaBuilder.h"

namespace orv::test {

TestDatabase::TestDatabase() : m_path(m_folder.file(QStringLiteral("Orv21.db")))
{
    SchemaBuilder().createFile(m_path, &m_error);
}

} // namespace orv::test
