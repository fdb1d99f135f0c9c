#include "print/view/PdfTextMapper.h"

#include "print/view/DrawnGlyphs.h"
#include "print/view/ToUnicodeCMap.h"

#include <QFile>
#include <QHash>
#include <QSaveFile>

#include <qpdf/Buffer.hh>
#include <qpdf/Pl_Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <algorithm>
#include <exception>

namespace orv {

namespace {

// "ABCDEF+Name", the name of a subset, names the face "Name".
QByteArray faceName(const std::string& baseFont)
{
    QByteArray name = QByteArray::fromStdString(baseFont).mid(1); // without the slash
    const qsizetype plus = name.indexOf('+');
    return plus == 6 ? name.mid(plus + 1) : name;
}

QByteArray bytesOf(const std::shared_ptr<Buffer>& buffer)
{
    return QByteArray(reinterpret_cast<const char*>(buffer->getBuffer()),
                      qsizetype(buffer->getSize()));
}

QByteArray hexCodes(const QList<quint32>& codes)
{
    QByteArray hex = "<";
    for (const quint32 code : codes)
        hex += QByteArray::number(code, 16).rightJustified(4, '0');
    return hex + '>';
}

QByteArray utf16Hex(const QString& text)
{
    QByteArray hex = "FEFF";
    for (const QChar unit : text)
        hex += QByteArray::number(unit.unicode(), 16).rightJustified(4, '0').toUpper();
    return hex;
}

// The text of the fonts of a file that were mapped anew, by font object.
using FontTexts = QHash<quint64, FontText>;
using DrawingCounts = QHash<quint64, QHash<quint32, int>>;

quint64 keyOf(const QPDFObjGen& object)
{
    return (quint64(object.getObj()) << 32) | quint32(object.getGen());
}

// Walks the text a page shows (two-byte codes, one font at a time) and counts the drawings of
// each code; a drawing whose character is not the one its code maps to is marked with the text
// it stands for (ActualText), so that both characters of a shared glyph copy as drawn.
class DrawingFilter : public QPDFObjectHandle::TokenFilter
{
public:
    DrawingFilter(const FontTexts& texts, DrawingCounts* counts, bool rewrite)
        : m_texts(texts), m_counts(counts), m_rewrite(rewrite)
    {
    }

    void setFonts(QPDFObjectHandle fonts) { m_fonts = fonts; }
    bool changed() const { return m_changed; }

    void handleToken(const QPDFTokenizer::Token& token) override
    {
        using T = QPDFTokenizer;
        if (!m_pending.empty()) {
            if (token.getType() == T::tt_space) {
                m_pending.push_back(token);
                return;
            }
            if (token.getType() == T::tt_word && token.getValue() == "Tj")
                return showText();
            flush();
        }
        if (token.getType() == T::tt_string && m_font) {
            m_pending.push_back(token);
            return;
        }
        if (token.getType() == T::tt_name)
            m_lastName = token.getValue();
        if (token.getType() == T::tt_word && token.getValue() == "Tf")
            selectFont();
        pass(token);
    }

    void handleEOF() override { flush(); }

private:
    void pass(const QPDFTokenizer::Token& token)
    {
        if (m_rewrite)
            writeToken(token);
    }

    void flush()
    {
        for (const auto& token : m_pending)
            pass(token);
        m_pending.clear();
    }

    void selectFont()
    {
        m_font = nullptr;
        if (!m_fonts.isDictionary() || !m_fonts.hasKey(m_lastName))
            return;
        const quint64 font = keyOf(m_fonts.getKey(m_lastName).getObjGen());
        const auto found = m_texts.constFind(font);
        if (found != m_texts.cend() && !found->drawings.isEmpty()) {
            m_font = &*found;
            m_fontCounts = &(*m_counts)[font];
        }
    }

    void showText()
    {
        const std::string bytes = m_pending.front().getValue();
        QList<quint32> plain;
        QByteArray shown;
        auto showPlain = [&] {
            if (!plain.isEmpty())
                shown += hexCodes(plain) + " Tj ";
            plain.clear();
        };
        for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
            const quint32 code = (quint32(uchar(bytes[i])) << 8) | uchar(bytes[i + 1]);
            const auto drawings = m_font->drawings.constFind(code);
            if (drawings == m_font->drawings.cend()) {
                plain.append(code);
                continue;
            }
            const int drawing = (*m_fontCounts)[code]++;
            const QString text = drawings->value(drawing);
            if (text.isEmpty() || text == m_font->toUnicode.value(code)) {
                plain.append(code);
                continue;
            }
            showPlain();
            shown += "/Span <</ActualText <" + utf16Hex(text) + ">>> BDC " + hexCodes({code}) +
                     " Tj EMC ";
            m_changed = true;
        }
        if (!m_rewrite)
            return m_pending.clear();
        showPlain();
        write(shown.toStdString());
        m_pending.clear();
    }

    const FontTexts& m_texts;
    DrawingCounts* m_counts;
    const bool m_rewrite;
    QPDFObjectHandle m_fonts;
    std::string m_lastName;
    const FontText* m_font = nullptr;
    QHash<quint32, int>* m_fontCounts = nullptr;
    std::vector<QPDFTokenizer::Token> m_pending;
    bool m_changed = false;
};

// The highest code of a font: its descendant's widths list every glyph of the subset.
quint32 lastCode(QPDFObjectHandle font)
{
    QPDFObjectHandle descendants = font.getKey("/DescendantFonts");
    if (!descendants.isArray() || descendants.getArrayNItems() < 1)
        return 0;
    QPDFObjectHandle widths = descendants.getArrayItem(0).getKey("/W");
    if (!widths.isArray())
        return 0;
    long long last = 0;
    const int count = widths.getArrayNItems();
    for (int i = 0; i < count;) {
        QPDFObjectHandle first = widths.getArrayItem(i);
        QPDFObjectHandle next = i + 1 < count ? widths.getArrayItem(i + 1) : QPDFObjectHandle();
        if (!first.isInteger() || !next.isInitialized())
            break;
        if (next.isArray()) { // c [w1 w2 ...]
            last = std::max(last, first.getIntValue() + next.getArrayNItems() - 1);
            i += 2;
        } else { // c1 c2 w
            if (next.isInteger())
                last = std::max(last, next.getIntValue());
            i += 3;
        }
    }
    return quint32(std::clamp(last, 0LL, 0xFFFFLL));
}

// Maps the fonts' codes anew; returns the text of every font that was mapped.
FontTexts remapFonts(QPDF& pdf, const DrawnGlyphs& drawn)
{
    FontTexts texts;
    for (QPDFObjectHandle font : pdf.getAllObjects()) {
        if (!font.isDictionary() || !font.getKey("/Type").isNameAndEquals("/Font") ||
            !font.getKey("/Subtype").isNameAndEquals("/Type0") ||
            !font.getKey("/BaseFont").isName())
            continue;
        QPDFObjectHandle toUnicode = font.getKey("/ToUnicode");
        const QByteArray face = faceName(font.getKey("/BaseFont").getName());
        if (!toUnicode.isStream() || !drawn.hasFace(face))
            continue;
        QMap<quint32, QString> written = ToUnicodeCMap::parse(bytesOf(toUnicode.getStreamData()));
        // a code the writer left out stands for a glyph it found no character for
        for (quint32 code = lastCode(font); code > 0; --code) {
            if (!written.contains(code))
                written.insert(code, QString(QChar(0)));
        }
        const FontText text = drawn.drawnText(face, written);
        if (text.toUnicode == written && text.drawings.isEmpty())
            continue;
        toUnicode.replaceStreamData(ToUnicodeCMap::write(text.toUnicode).toStdString(),
                                    QPDFObjectHandle::newNull(), QPDFObjectHandle::newNull());
        texts.insert(keyOf(font.getObjGen()), text);
    }
    return texts;
}

bool hasDrawings(const FontTexts& texts)
{
    for (const FontText& text : texts) {
        if (!text.drawings.isEmpty())
            return true;
    }
    return false;
}

// Marks the drawings of shared glyphs on every page. The drawings are matched by their count,
// so nothing is marked unless each such code is shown exactly as often as it was drawn.
void markDrawings(QPDF& pdf, const FontTexts& texts)
{
    std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(pdf).getAllPages();
    DrawingCounts counts;
    for (QPDFPageObjectHelper& page : pages) {
        DrawingFilter counter(texts, &counts, false);
        counter.setFonts(page.getAttribute("/Resources", false).getKey("/Font"));
        page.filterContents(&counter);
    }
    for (auto font = texts.cbegin(); font != texts.cend(); ++font) {
        for (auto code = font->drawings.cbegin(); code != font->drawings.cend(); ++code) {
            if (counts.value(font.key()).value(code.key()) != code->size())
                return;
        }
    }
    counts.clear();
    for (QPDFPageObjectHelper& page : pages) {
        DrawingFilter marker(texts, &counts, true);
        marker.setFonts(page.getAttribute("/Resources", false).getKey("/Font"));
        Pl_Buffer buffer("page");
        page.filterContents(&marker, &buffer);
        if (marker.changed())
            page.getObjectHandle().replaceKey(
                "/Contents", QPDFObjectHandle::newStream(&pdf, buffer.getBufferSharedPointer()));
    }
}

} // namespace

bool PdfTextMapper::rewrite(const QString& path, const DrawnGlyphs& drawn, QString* error)
{
    auto fail = [&](const QString& reason) {
        if (error)
            *error = QStringLiteral("%1 の文字情報を書き込めません。%2").arg(path, reason);
        return false;
    };
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return fail(in.errorString());
    const QByteArray original = in.readAll();
    in.close();
    std::shared_ptr<Buffer> rewritten;
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processMemoryFile(path.toStdString().c_str(), original.constData(),
                              size_t(original.size()));
        const FontTexts texts = remapFonts(pdf, drawn);
        if (texts.isEmpty())
            return true;
        if (hasDrawings(texts))
            markDrawings(pdf, texts);
        QPDFWriter writer(pdf);
        writer.setOutputMemory();
        writer.write();
        rewritten = writer.getBufferSharedPointer();
    } catch (const std::exception& e) {
        return fail(QString::fromLocal8Bit(e.what()));
    }
    QSaveFile out(path);
    out.setDirectWriteFallback(true);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytesOf(rewritten)) < 0 || !out.commit())
        return fail(out.errorString());
    return true;
}

} // namespace orv
