#include "print/view/ToUnicodeCMap.h"

#include <QList>

namespace orv {

namespace {

constexpr int kEntriesPerSection = 100; // the most a bfchar section may hold

struct Token
{
    enum Kind
    {
        Hex,
        OpenArray,
        CloseArray,
        Word
    } kind;
    QByteArray bytes; // decoded bytes of a hex string, or the word
};

QList<Token> tokenize(const QByteArray& text)
{
    QList<Token> tokens;
    for (qsizetype i = 0; i < text.size();) {
        const char c = text.at(i);
        if (c == '<' && i + 1 < text.size() && text.at(i + 1) != '<') {
            const qsizetype end = text.indexOf('>', i);
            if (end < 0)
                break;
            tokens.append(Token{Token::Hex, QByteArray::fromHex(text.mid(i + 1, end - i - 1))});
            i = end + 1;
        } else if (c == '[' || c == ']') {
            tokens.append(Token{c == '[' ? Token::OpenArray : Token::CloseArray, {}});
            ++i;
        } else if (QChar::isSpace(uchar(c))) {
            ++i;
        } else {
            qsizetype end = i + 1;
            while (end < text.size() && !QChar::isSpace(uchar(text.at(end))) &&
                   !QByteArrayView("<>[]").contains(text.at(end)))
                ++end;
            tokens.append(Token{Token::Word, text.mid(i, end - i)});
            i = end;
        }
    }
    return tokens;
}

quint32 codeOf(const QByteArray& bytes)
{
    quint32 code = 0;
    for (const char b : bytes)
        code = (code << 8) | uchar(b);
    return code;
}

QString utf16Of(const QByteArray& bytes)
{
    QString text;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        text.append(QChar(char16_t((uchar(bytes.at(i)) << 8) | uchar(bytes.at(i + 1)))));
    return text;
}

QByteArray hexOf(const QString& text)
{
    QByteArray bytes;
    for (const QChar unit : text) {
        bytes.append(char(unit.unicode() >> 8));
        bytes.append(char(unit.unicode() & 0xFF));
    }
    return bytes.toHex().toUpper();
}

// A range that maps to one start text: the last UTF-16 unit counts up along the codes.
QString stepped(QString start, quint32 step)
{
    if (!start.isEmpty())
        start[start.size() - 1] = QChar(char16_t(start.back().unicode() + step));
    return start;
}

} // namespace

QMap<quint32, QString> ToUnicodeCMap::parse(const QByteArray& cmap)
{
    QMap<quint32, QString> map;
    const QList<Token> tokens = tokenize(cmap);
    enum
    {
        Outside,
        Chars,
        Ranges
    } section = Outside;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens.at(i);
        if (t.kind == Token::Word) {
            if (t.bytes == "beginbfchar")
                section = Chars;
            else if (t.bytes == "beginbfrange")
                section = Ranges;
            else if (t.bytes == "endbfchar" || t.bytes == "endbfrange")
                section = Outside;
            continue;
        }
        if (section == Chars && t.kind == Token::Hex && i + 1 < tokens.size() &&
            tokens.at(i + 1).kind == Token::Hex) {
            map.insert(codeOf(t.bytes), utf16Of(tokens.at(i + 1).bytes));
            ++i;
        } else if (section == Ranges && t.kind == Token::Hex && i + 2 < tokens.size() &&
                   tokens.at(i + 1).kind == Token::Hex) {
            const quint32 first = codeOf(t.bytes);
            const quint32 last = codeOf(tokens.at(i + 1).bytes);
            i += 2;
            if (tokens.at(i).kind == Token::Hex) {
                const QString start = utf16Of(tokens.at(i).bytes);
                for (quint32 code = first; code <= last && code >= first; ++code)
                    map.insert(code, stepped(start, code - first));
            } else if (tokens.at(i).kind == Token::OpenArray) {
                quint32 code = first;
                for (++i; i < tokens.size() && tokens.at(i).kind == Token::Hex; ++i, ++code) {
                    if (code <= last)
                        map.insert(code, utf16Of(tokens.at(i).bytes));
                }
            }
        }
    }
    return map;
}

QByteArray ToUnicodeCMap::write(const QMap<quint32, QString>& map)
{
    QByteArray out = "/CIDInit /ProcSet findresource begin\n"
                     "12 dict begin\n"
                     "begincmap\n"
                     "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                     "/CMapName /Adobe-Identity-UCS def\n"
                     "/CMapType 2 def\n"
                     "1 begincodespacerange\n"
                     "<0000> <FFFF>\n"
                     "endcodespacerange\n";
    QList<QByteArray> entries;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        // a code for nothing (the writer's mark for a glyph it found no character for) is left out
        if (it.value().isEmpty() || it.value() == QString(QChar(0)))
            continue;
        const QByteArray code = QByteArray::number(it.key(), 16).rightJustified(4, '0').toUpper();
        entries.append('<' + code + "> <" + hexOf(it.value()) + '>');
    }
    for (qsizetype first = 0; first < entries.size(); first += kEntriesPerSection) {
        const QList<QByteArray> section = entries.mid(first, kEntriesPerSection);
        out += QByteArray::number(section.size()) + " beginbfchar\n";
        for (const QByteArray& entry : section)
            out += entry + '\n';
        out += "endbfchar\n";
    }
    out += "endcmap\n"
           "CMapName currentdict /CMap defineresource pop\n"
           "end\n"
           "end\n";
    return out;
}

} // namespace orv
