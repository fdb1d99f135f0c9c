#include "print/view/DrawnGlyphs.h"

#include <QtEndian>

#include <algorithm>

namespace orv {

namespace {

constexpr quint16 kPostScriptNameId = 6;
constexpr quint16 kWindowsPlatform = 3;
constexpr quint16 kMacintoshPlatform = 1;

quint16 read16(const QByteArray& table, qsizetype at)
{
    return at + 2 <= table.size() ? qFromBigEndian<quint16>(table.constData() + at) : 0;
}

char32_t firstCodePoint(const QString& text)
{
    const QList<uint> ucs4 = text.toUcs4();
    return ucs4.isEmpty() ? 0 : char32_t(ucs4.first());
}

} // namespace

DrawnGlyphs::DrawnGlyphs(const QList<DrawnText>& runs)
{
    QHash<QString, QByteArray> nameOfFont;
    for (const DrawnText& run : runs) {
        const QString fontKey = run.font.family() + QLatin1Char('/') +
                                QString::number(run.font.weight()) + QLatin1Char('/') +
                                QString::number(int(run.font.style()));
        auto named = nameOfFont.find(fontKey);
        if (named == nameOfFont.end()) {
            const QRawFont font = QRawFont::fromFont(run.font);
            const QByteArray name = postScriptName(font);
            if (!name.isEmpty() && !m_faces.contains(name))
                m_faces.insert(name, Face{font, {}, {}, {}, {}});
            named = nameOfFont.insert(fontKey, name);
        }
        if (named->isEmpty())
            continue;
        Face& face = m_faces[*named];
        for (const uint code : run.text.toUcs4()) {
            const char32_t character = char32_t(code);
            auto known = face.glyphOfCharacter.constFind(character);
            if (known == face.glyphOfCharacter.cend()) {
                known = face.glyphOfCharacter.insert(character, glyphOf(face.font, character));
                QList<char32_t>& sharing = face.charactersOfGlyph[*known];
                if (sharing.isEmpty())
                    face.glyphs.append(*known);
                sharing.append(character);
            }
            // a character the face lacks was drawn in a fallback face
            if (*known != 0)
                face.drawings[*known].append(character);
        }
    }
}

bool DrawnGlyphs::hasFace(const QByteArray& postScriptName) const
{
    return m_faces.contains(postScriptName);
}

FontText DrawnGlyphs::drawnText(const QByteArray& postScriptName,
                                const QMap<quint32, QString>& written) const
{
    FontText result{written, {}};
    const auto found = m_faces.constFind(postScriptName);
    if (found == m_faces.cend())
        return result;
    const Face& face = *found;
    QHash<quint32, quint32> glyphOfCode;
    QList<quint32> unknownCodes;
    for (auto it = written.cbegin(); it != written.cend(); ++it) {
        if (it.key() == 0) // the missing-glyph box
            continue;
        const char32_t writtenCharacter = firstCodePoint(it.value());
        if (writtenCharacter == 0)
            unknownCodes.append(it.key());
        else if (const quint32 glyph = glyphOf(face.font, writtenCharacter);
                 glyph != 0 && face.charactersOfGlyph.contains(glyph))
            glyphOfCode.insert(it.key(), glyph);
    }
    // A glyph that only characters beyond U+FFFF reach got no character from the writer. Such
    // glyphs enter the font in the order they were first drawn, as the codes do.
    const QList<quint32> placed = glyphOfCode.values();
    QList<quint32> unplaced;
    for (const quint32 glyph : face.glyphs) {
        const QList<char32_t>& characters = face.charactersOfGlyph.value(glyph);
        const bool beyondBmp = std::all_of(characters.cbegin(), characters.cend(),
                                           [](char32_t c) { return c > 0xFFFF; });
        if (glyph != 0 && beyondBmp && !placed.contains(glyph))
            unplaced.append(glyph);
    }
    for (qsizetype i = 0; i < std::min(unknownCodes.size(), unplaced.size()); ++i)
        glyphOfCode.insert(unknownCodes.at(i), unplaced.at(i));

    for (auto it = glyphOfCode.cbegin(); it != glyphOfCode.cend(); ++it) {
        const QList<char32_t>& characters = face.charactersOfGlyph.value(it.value());
        result.toUnicode.insert(it.key(), chosen(characters));
        if (characters.size() < 2)
            continue;
        QStringList& drawings = result.drawings[it.key()];
        for (const char32_t character : face.drawings.value(it.value()))
            drawings.append(QString::fromUcs4(&character, 1));
    }
    return result;
}

quint32 DrawnGlyphs::glyphOf(const QRawFont& font, char32_t character)
{
    const QList<quint32> glyphs = font.glyphIndexesForString(QString::fromUcs4(&character, 1));
    return glyphs.size() == 1 ? glyphs.first() : 0;
}

QByteArray DrawnGlyphs::postScriptName(const QRawFont& font)
{
    const QByteArray table = font.fontTable("name");
    const quint16 count = read16(table, 2);
    const quint16 storage = read16(table, 4);
    QByteArray macName;
    for (quint16 i = 0; i < count; ++i) {
        const qsizetype record = 6 + qsizetype(i) * 12;
        if (read16(table, record + 6) != kPostScriptNameId)
            continue;
        const quint16 platform = read16(table, record);
        const quint16 length = read16(table, record + 8);
        const qsizetype offset = storage + read16(table, record + 10);
        if (offset + length > table.size())
            continue;
        const QByteArray raw = table.mid(offset, length);
        if (platform == kWindowsPlatform) {
            QString name;
            for (qsizetype at = 0; at + 1 < raw.size(); at += 2)
                name.append(QChar(read16(raw, at)));
            return name.toLatin1();
        }
        if (platform == kMacintoshPlatform)
            macName = raw;
    }
    return macName;
}

// Where one glyph stands for several drawn characters, the one that is its own compatibility
// form (the ideograph rather than the radical) wins; otherwise the first drawn.
QString DrawnGlyphs::chosen(const QList<char32_t>& characters)
{
    for (const char32_t character : characters) {
        const QString text = QString::fromUcs4(&character, 1);
        if (text.normalized(QString::NormalizationForm_KC) == text)
            return text;
    }
    return characters.isEmpty() ? QString() : QString::fromUcs4(&characters.first(), 1);
}

} // namespace orv
