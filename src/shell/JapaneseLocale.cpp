#include "shell/JapaneseLocale.h"

#include "shell/FileDialogDates.h"

#include <QApplication>
#include <QLocale>

namespace orv {

void installJapaneseLocale(QApplication& app)
{
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    app.installEventFilter(new FileDialogDates(&app));
}

} // namespace orv
