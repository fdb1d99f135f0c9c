#pragma once

#include <QString>

// Writes the main-menu page: one button per command word, grouped by record kind.
class MainMenuWriter
{
public:
    explicit MainMenuWriter(const QString& applicationTitle);
    QString page() const;

private:
    QString m_title;
};
