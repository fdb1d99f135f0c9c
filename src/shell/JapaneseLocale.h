#pragma once

class QApplication;

namespace orv {

// Makes Japanese the locale of every widget whatever the machine's own: dates, numbers and
// month and day names, and the dates of Qt's file dialogs, which Qt writes in the system's
// locale. Call before the first window is made.
void installJapaneseLocale(QApplication& app);

} // namespace orv
