#pragma once

#include <QString>

namespace orv {

// How the record store measures and keeps text. A column's size counts UTF-16 code units, so a
// character beyond U+FFFF (𠮷) takes two; every length check counts this way and says so when
// it matters. Half of such a pair alone cannot be kept as typed: SQLite would store "?".
class StoreText
{
public:
    static int length(const QString& text) { return int(text.size()); }
    static bool fits(const QString& text, int size) { return size <= 0 || length(text) <= size; }
    static bool hasLoneSurrogate(const QString& text);
    // Added to a "too long" message: how the text was counted, when it holds characters that
    // count as two; empty otherwise.
    static QString countingNote(const QString& text);
    // The refusal of a text holding a lone surrogate.
    static const QString UnstorableCharacter;
};

} // namespace orv
