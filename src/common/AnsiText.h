#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace orv {

// Text in the ANSI code page (CP932).
QByteArray toAnsi(const QString& text);
QString fromAnsi(const QByteArray& bytes);
// Whether the code page holds the character: written and read back unchanged ("〜" U+301C,
// "−" U+2212 and characters beyond the BMP are not). U+FFFD only seems to: it is written as
// the substitute bytes FC FC, which no Shift_JIS reader accepts, and they read back as U+FFFD.
bool ansiHolds(char32_t c);

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
    // Synced: commit waits until the file is on the disk. Unsynced suits a file that is
    // written anew for each use, such as a report-data file: it still replaces the old one
    // only when complete.
    enum class Durability
    {
        Synced,
        Unsynced
    };

    explicit AnsiTextWriter(Durability durability = Durability::Synced) : m_durability(durability)
    {
    }
    ~AnsiTextWriter();
    bool open(const QString& path, QString* error = nullptr);
    void writeLine(const QString& line);
    bool commit(QString* error = nullptr);
    void abort();
    bool isOpen() const { return !m_path.isEmpty(); }

private:
    bool replaceWith(const QByteArray& bytes);

    Durability m_durability;
    QString m_path;
    QString m_buffer; // encoded once, at commit
};

} // namespace orv
