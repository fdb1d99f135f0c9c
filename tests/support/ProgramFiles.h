#pragma once

#include <QString>

namespace orv::test {

// Copies the built program folder's pages, profile and templates into a scratch folder, so a
// test runs the program's own files beside a database of its own.
void copyProgramFiles(const QString& targetFolder);
void copyFolder(const QString& from, const QString& to);

} // namespace orv::test
