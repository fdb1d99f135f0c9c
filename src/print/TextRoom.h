#pragma once

#include <QString>

namespace orv {

// The room text needs in a box of a printed form, estimated in ems: a full-width character is
// one em, the others (digits, Latin letters, half-width kana) about half of one. The renderer
// sets text by the same measures, so a box planned here holds the text planned for it.
class TextRoom
{
public:
    // Text that outgrows its box is set smaller, down to this size and never below it.
    static constexpr double kFloorPoints = 6.0;
    // Baselines of wrapped lines stand this many ems apart.
    static constexpr double kLinePitch = 1.15;
    // The most that the ink of one line covers from top to bottom, in ems.
    static constexpr double kLineInk = 1.1;
    // Room kept between the sides of a box and its text, and above and below a value, in
    // twips; a fixed text, drawn for its box, keeps less above and below.
    static constexpr int kSidePadding = 20;
    static constexpr int kEndPadding = 30;
    static constexpr int kFixedTextEndPadding = 10;
    // A value keeps to one line where it fits there at this size or more; a longer one is
    // given the lines it needs at the second size.
    static constexpr double kSmallestOnOneLine = 7.0;
    static constexpr double kWrappedPoints = 8.0;

    static double ems(const QString& text);
    // Width of a box that holds the text on one line.
    static int width(const QString& text, double points);
    // Lines the text takes in a box of the given width, broken where the next character no
    // longer fits.
    static int lines(const QString& text, int boxWidth, double points);
    // Height of a box that holds so many lines.
    static int height(int lines, double points);
    // Height of a box of the given width that holds the text at the given size.
    static int heightFor(const QString& text, int boxWidth, double points);
    // Height of a box of the given width for a value, a line at least.
    static int heightForValue(const QString& text, int boxWidth, int lineHeight);
};

} // namespace orv
