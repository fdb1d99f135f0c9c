#include "shell/QtSaveFileChooser.h"

#include "shell/SaveFileDialog.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace orv {

QStringList QtSaveFileChooser::nameFilters(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        }
        filters << QStringLiteral("%1 (%2)").arg(parts.at(i), patterns.join(QLatin1Char(' ')));
    }
    return filters;
}

QString QtSaveFileChooser::chooseSaveFile(const QString& filter, const QString& title)
{
    return chooseSaveFile(filter, title, QString(), nullptr);
}

QString QtSaveFileChooser::chooseSaveFile(const QString& filter, const QString& title,
                                          const QString& suggestedPath, QWidget* owner)
{
    SaveFileDialog dialog(owner ? owner : m_parent, title, m_programFolder);
    dialog.setNameFilters(nameFilters(filter));
    if (!suggestedPath.isEmpty()) {
        const QFileInfo suggested(suggestedPath);
        dialog.setDirectory(suggested.absolutePath());
        dialog.selectFile(suggested.fileName());
    }
    // A name typed without an extension takes the one of the chosen choice ("rtf").
    const auto suffixOf = [](const QString& nameFilter) {
        const QRegularExpressionMatch match =
            QRegularExpression(QStringLiteral("\\(\\*\\.(\\w+)\\)$")).match(nameFilter);
        return match.hasMatch() ? match.captured(1) : QString();
    };
    dialog.setDefaultSuffix(suffixOf(dialog.selectedNameFilter()));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, suffixOf](const QString& nameFilter) {
                         dialog.setDefaultSuffix(suffixOf(nameFilter));
                     });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace orv
