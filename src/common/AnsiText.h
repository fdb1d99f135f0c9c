#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace orv {

// Text in the ANSI code page (CP932).
QByteArray toAnsi(const QString& text);
QString fromAnsi(const QByteArray& bytes);

// Reads a CP932 file line by line; a line ends at CR LF, CR or LF.
class AnsiTextReader
{
public:
    bool open(const QString& path, QString* error = nullptr);
    bool atEnd() const { return m_next >= m_lines.size(); }
    QString readLine();
    static bool readAll(const QString& path, QStringList* lines, QString* error = nullptr);

private:
    QStringList m_lines;
    qsizetype m_next = 0;
};

// Writes CP932 lines, each ending in CR LF. Nothing reaches the path until commit(): an
// aborted writer leaves no partial file behind.
class AnsiTextWriter
{
public:
    ~AnsiTextWriter();
    bool open(const QString& path, QString* error = nullptr);
    void writeLine(const QString& line);
    bool commit(QString* error = nullptr);
    void abort();
    bool isOpen() const { return !m_path.isEmpty(); }

private:
    QString m_path;
    QByteArray m_buffer;
};

} // namespace orv
