#pragma once

#include "common/SaveFileChooser.h"

#include <QStringList>

class QWidget;

namespace orv {

// The save dialog: the old "name|pattern|..." filter shown as its choices, asking before it
// overwrites a file and never reading or writing the record files of the program folder.
class QtSaveFileChooser : public SaveFileChooser
{
public:
    explicit QtSaveFileChooser(const QString& programFolder, QWidget* parent = nullptr)
        : m_programFolder(programFolder), m_parent(parent)
    {
    }
    QString chooseSaveFile(const QString& filter, const QString& title) override;
    QString chooseSaveFile(const QString& filter, const QString& title,
                           const QString& suggestedPath, QWidget* owner) override;

    // "RTFファイル|*.rtf|すべてのファイル|*.*" gives "RTFファイル (*.rtf)" and "すべてのファイル
    // (*)".
    static QStringList nameFilters(const QString& filter);

private:
    QString m_programFolder;
    QWidget* m_parent;
};

} // namespace orv
