#pragma once

#include <QString>

namespace orv {

// Text put into the CP932 review sheet. Every character beyond ASCII is written as the
// \'xx escapes of its CP932 bytes (a raw trail byte 0x5C, as in 能 or 表, would read as a
// backslash), or as \uN? when CP932 has no such character.
class RtfText
{
public:
    // Plain text: "\", "{" and "}" escaped as well.
    static QString escape(const QString& text);
    // A line that already is RTF (templates, profile values): only the characters beyond ASCII.
    static QString asciiLine(const QString& rtf);

private:
    static QString encode(const QString& text, bool escapeSpecials);
};

} // namespace orv
