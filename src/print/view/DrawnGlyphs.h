#pragma once

#include "print/view/DrawnTextRecorder.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMap>
#include <QRawFont>
#include <QString>

namespace orv {

// What the codes of one PDF font stand for.
struct FontText
{
    QMap<quint32, QString> toUnicode;
    // Codes whose glyph was drawn for more than one character (a face may share a glyph between
    // "〜" and "～"): the character of each drawing, in drawing order.
    QHash<quint32, QStringList> drawings;
};

// The characters drawn in each font face, by the face's PostScript name (the name a PDF gives
// its fonts), with the glyph each one took.
class DrawnGlyphs
{
public:
    explicit DrawnGlyphs(const QList<DrawnText>& runs);

    bool hasFace(const QByteArray& postScriptName) const;
    // A PDF writer that maps each glyph back to the first code point of the face that uses it
    // gives a look-alike where a face shares one glyph between characters (a CJK radical and
    // its ideograph), and nothing for characters beyond U+FFFF. Given such a map (code to
    // text), returns it with every code that stands for a drawn glyph mapped to the drawn
    // character, and the drawings of glyphs drawn for several characters.
    FontText drawnText(const QByteArray& postScriptName,
                       const QMap<quint32, QString>& written) const;

private:
    struct Face
    {
        QRawFont font;
        QHash<char32_t, quint32> glyphOfCharacter; // 0 for a character the face lacks
        QHash<quint32, QList<char32_t>> charactersOfGlyph;
        QList<quint32> glyphs;                    // distinct, in the order first drawn
        QHash<quint32, QList<char32_t>> drawings; // every drawing of each glyph, in order
    };

    static quint32 glyphOf(const QRawFont& font, char32_t character);
    static QByteArray postScriptName(const QRawFont& font);
    static QString chosen(const QList<char32_t>& characters);

    QHash<QByteArray, Face> m_faces;
};

} // namespace orv
