#include "common/PrivateAppBuf.h"

#include "common/AnsiText.h"
#include "common/MessageBoxService.h"
#include "common/StringRoutines.h"

namespace orv {

const QString PrivateAppBuf::GeneralSection = QStringLiteral("PrivateAppBufGeneral");

namespace {

const QString LoaderTitle = QStringLiteral("SetPrivateAppBuf");
const QString OutOfRange = QStringLiteral("インデックスが有効範囲にありません。");

QString trimBlanksLeft(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
    return text.mid(i);
}

QString trimBlanks(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return trimBlanksLeft(text.left(end));
}

QString withLineBreaks(const QString& text)
{
    return QString(text).replace(QStringLiteral("¶"), QStringLiteral("\r\n"));
}

} // namespace

void PrivateAppBuf::SetPrivateAppBuf(const QString& path, MessageBoxService* msg)
{
    ClearPrivateAppBuf();
    m_currentNamed = false;
    AnsiTextReader reader;
    QString error;
    if (!reader.open(path, &error)) {
        if (msg)
            msg->show(error, StyleCritical, LoaderTitle);
        return;
    }
    while (!reader.atEnd()) {
        if (!treatLine(reader.readLine(), msg, &error)) {
            if (msg)
                msg->show(error, StyleCritical, LoaderTitle);
            return;
        }
    }
}

bool PrivateAppBuf::startSection(const QString& name, QString* error)
{
    if (m_sections.size() >= MaxSections) {
        *error = OutOfRange;
        return false;
    }
    m_sections.append(Section{name, {}, {}});
    m_currentNamed = !name.isEmpty();
    return true;
}

bool PrivateAppBuf::treatLine(const QString& rawLine, MessageBoxService* msg, QString* error)
{
    const QString line = trimBlanksLeft(rawLine);
    if (trimBlanks(line).isEmpty())
        return true;
    const QString trimmed = trimBlanks(line);
    if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']')) && trimmed.size() >= 2)
        return startSection(trimmed.mid(1, trimmed.size() - 2), error);
    if (line.startsWith(QLatin1Char(';')))
        return true;

    if (!m_currentNamed && !startSection(GeneralSection, error))
        return false;
    Section& section = m_sections.last();
    const QString tab = QStringLiteral("\t");
    const QString key = Piece2(line, 1, tab, msg);
    const QString value = Piece2(line, 2, tab, msg);
    if (key.isEmpty() && !value.isEmpty()) {
        if (section.keys.isEmpty()) {
            if (msg)
                msg->show(QStringLiteral("セクション内でキーワードが１度も出現していないのに、"
                                         "キーワードが省略されています。\r[") +
                              line + QStringLiteral("]"),
                          StyleCritical, LoaderTitle);
            return true;
        }
        section.values.last() += withLineBreaks(value);
        return true;
    }
    if (section.keys.size() >= MaxKeys) {
        *error = OutOfRange;
        return false;
    }
    section.keys.append(key);
    section.values.append(withLineBreaks(value));
    return true;
}

QString PrivateAppBuf::GetPrivateAppBuf(const QString& sectionName, const QString& key) const
{
    const QString wanted = sectionName.isEmpty() ? GeneralSection : sectionName;
    for (const Section& section : m_sections) {
        if (section.name.isEmpty())
            return QString();
        if (section.name != wanted)
            continue;
        for (qsizetype i = 0; i < section.keys.size(); ++i) {
            if (section.keys.at(i).isEmpty())
                return QString();
            if (section.keys.at(i) == key)
                return section.values.at(i);
        }
        return QString();
    }
    return QString();
}

} // namespace orv
