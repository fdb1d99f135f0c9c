#pragma once

#include "common/SaveFileChooser.h"

#include <QStringList>

class QWidget;

namespace orv {

// The save dialog: the old "name|pattern|..." filter shown as its choices, asking before it
// overwrites a file.
class QtSaveFileChooser : public SaveFileChooser
{
public:
    explicit QtSaveFileChooser(QWidget* parent = nullptr) : m_parent(parent) {}
    QString chooseSaveFile(const QString& filter, const QString& title) override;

    // "RTFファイル|*.rtf|すべてのファイル|*.*" gives "RTFファイル (*.rtf)" and "すべてのファイル
    // (*)".
    static QStringList nameFilters(const QString& filter);

private:
    QWidget* m_parent;
};

} // namespace orv
