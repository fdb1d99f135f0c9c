#pragma once

#include <QString>
#include <QVector>

namespace orv {

class MessageBoxService;

// The loaded profile: up to 100 sections of up to 201 keys, in file order.
class PrivateAppBuf
{
public:
    static constexpr int MaxSections = 100;
    static constexpr int MaxKeys = 201;
    static const QString GeneralSection;

    // Empties the buffer and loads the file; errors are reported in boxes titled
    // "SetPrivateAppBuf" and what was read before them stays loaded.
    void SetPrivateAppBuf(const QString& path, MessageBoxService* msg);
    QString GetPrivateAppBuf(const QString& section, const QString& key) const;
    void ClearPrivateAppBuf() { m_sections.clear(); }

    int sectionCount() const { return int(m_sections.size()); }

private:
    struct Section
    {
        QString name;
        QVector<QString> keys;
        QVector<QString> values;
    };
    bool treatLine(const QString& rawLine, MessageBoxService* msg, QString* error);
    bool startSection(const QString& name, QString* error);

    QVector<Section> m_sections; // index 0 here is record 1
    bool m_currentNamed = false;
};

} // namespace orv
