#pragma once

#include <QString>

namespace orv {

class DrawnGlyphs;

// Rewrites the ToUnicode maps of a PDF file written by Qt, so that text copied or searched in
// it is the text that was drawn: every glyph code of a face that was drawn maps to the
// character drawn with it.
class PdfTextMapper
{
public:
    static bool rewrite(const QString& path, const DrawnGlyphs& drawn, QString* error = nullptr);
};

} // namespace orv
