#pragma once

class QCoreApplication;

namespace orv {

// Qt's own texts (file, print and message dialogs, edit menus) in Japanese. Returns false when
// Qt's Japanese catalogue is not installed; the texts then stay as Qt ships them.
bool installJapaneseTranslations(QCoreApplication& app);

} // namespace orv
