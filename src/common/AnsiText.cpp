#include "common/AnsiText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cstdio>

namespace orv {

namespace {

// The user reads these in a box; the system's own texts are English.
QString fileErrorText(const QString& path, bool reading)
{
    const QFileInfo info(path);
    if (!info.dir().exists())
        return QStringLiteral("パスが見つかりません。");
    if (reading && !info.exists())
        return QStringLiteral("ファイルが見つかりません。");
    return reading ? QStringLiteral("ファイルを読み込めません。")
                   : QStringLiteral("書き込みできません。");
}

} // namespace

QByteArray toAnsi(const QString& text)
{
    QStringEncoder encoder("windows-31j");
    return encoder.encode(text);
}

QString fromAnsi(const QByteArray& bytes)
{
    QStringDecoder decoder("windows-31j");
    return decoder.decode(bytes);
}

bool ansiHolds(char32_t c)
{
    if (c < 0x80)
        return true;
    if (c == QChar::ReplacementCharacter)
        return false;
    // a round trip through the code page costs a converter; names and memos repeat their kanji
    thread_local QHash<char32_t, bool> known;
    const auto found = known.constFind(c);
    if (found != known.constEnd())
        return found.value();
    const QString text = QString::fromUcs4(&c, 1);
    return known[c] = fromAnsi(toAnsi(text)) == text;
}

bool AnsiTextReader::open(const QString& path, QString* error)
{
    m_lines.clear();
    m_next = 0;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = fileErrorText(path, true);
        return false;
    }
    QString text = fromAnsi(file.readAll());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_lines = text.split(QLatin1Char('\n'));
    // A final line break ends the last line; it does not start an empty one.
    if (!m_lines.isEmpty() && m_lines.last().isEmpty())
        m_lines.removeLast();
    return true;
}

QString AnsiTextReader::readLine()
{
    return atEnd() ? QString() : m_lines.at(m_next++);
}

bool AnsiTextReader::readAll(const QString& path, QStringList* lines, QString* error)
{
    AnsiTextReader reader;
    if (!reader.open(path, error))
        return false;
    *lines = reader.m_lines;
    return true;
}

AnsiTextWriter::~AnsiTextWriter()
{
    abort();
}

bool AnsiTextWriter::open(const QString& path, QString* error)
{
    m_buffer.clear();
    QFile probe(path);
    const bool existed = probe.exists();
    if (!probe.open(QIODevice::WriteOnly | QIODevice::Append)) {
        if (error)
            *error = fileErrorText(path, false);
        return false;
    }
    probe.close();
    if (!existed)
        QFile::remove(path);
    m_path = path;
    return true;
}

void AnsiTextWriter::writeLine(const QString& line)
{
    m_buffer += line;
    m_buffer += QLatin1String("\r\n");
}

bool AnsiTextWriter::commit(QString* error)
{
    if (m_path.isEmpty())
        return false;
    const QByteArray bytes = toAnsi(m_buffer);
    bool ok = false;
    if (m_durability == Durability::Unsynced) {
        ok = replaceWith(bytes);
    } else {
        QSaveFile file(m_path);
        ok = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    }
    if (!ok && error)
        *error = fileErrorText(m_path, false);
    m_path.clear();
    m_buffer.clear();
    return ok;
}

bool AnsiTextWriter::replaceWith(const QByteArray& bytes)
{
    const QString written = m_path + QStringLiteral(".new");
    QFile file(written);
    bool ok =
        file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
    file.close();
    ok = ok && file.error() == QFileDevice::NoError &&
         std::rename(QFile::encodeName(written).constData(),
                     QFile::encodeName(m_path).constData()) == 0;
    if (!ok)
        QFile::remove(written);
    return ok;
}

void AnsiTextWriter::abort()
{
    m_path.clear();
    m_buffer.clear();
}

} // namespace orv
