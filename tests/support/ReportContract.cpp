#include "support/ReportContract.h"

#include <QHash>
#include <QRegularExpression>

namespace orv::test {

namespace {

QStringList alternatives(const QString& inside)
{
    QStringList result;
    for (const QString& part : inside.split(QLatin1Char(','))) {
        const int dash = int(part.indexOf(QLatin1Char('-')));
        if (dash < 0) {
            result << part;
            continue;
        }
        const QString from = part.left(dash);
        const QString to = part.mid(dash + 1);
        bool numeric = false;
        const int first = from.toInt(&numeric);
        if (numeric) {
            for (int n = first; n <= to.toInt(); ++n)
                result << QStringLiteral("%1").arg(n, int(from.size()), 10, QLatin1Char('0'));
        } else {
            const int repeat = int(from.size()); // "aa-uu": doubled letters
            for (ushort c = from.at(0).unicode(); c <= to.at(0).unicode(); ++c)
                result << QString(repeat, QChar(c));
        }
    }
    return result;
}

const QHash<QChar, QStringList>& sections()
{
    static const QHash<QChar, QStringList> table = {
        {'A', {"A1-{1-4}", "A{2-5}", "A6-{a-c}", "A7-{1-2}", "A8", "A9-{a-d}", "A10-{a-h}", "A11"}},
        {'B', {"B1", "B2-{A,B}", "B3-{a-e}", "B4", "B5-{A-F}", "B6"}},
        {'C', {"C1", "C2-{a-d}", "C3-{a-g}", "C{4-7}"}},
        {'D', {"D1", "D2-{a-c}", "D3"}},
        {'E', {"E1-{A-P}", "E2", "E3", "E4-{A-E}-{A,B}", "E5"}},
        {'F', {"F1-{a-g}", "F2-{a-h}", "F3-{a-d}"}},
        {'G',
         {"G1-{A-F}", "G1-G-{A,B}", "G1-H", "G1-I-{A,B}", "G1-J", "G2-{A,B}", "G3-{A,B}",
          "G4-{A-F}-{A,B}", "G5-{a-e}", "G6-{a-f}", "G7", "G8-{a-e}", "G9"}},
        {'H', {"H1-{A,B}", "H2-{a-e}", "H3-{a-j}", "H4"}},
        {'I', {"I1-{a-z}", "I1-{aa-uu}", "I2-{a-m}", "I3-{A-E}-{1,2}"}},
        {'J', {"J1-{a-p}", "J2-{A,B}", "J3-{a-j}", "J4-{a-e}", "J5-{a-d}"}},
        {'K', {"K1-{A-C}", "K2-{A,B}", "K3-{A,B}", "K4-{a-d}", "K5-{a-i}", "K6-{A,B}"}},
        {'L', {"L1-{a-g}"}},
        {'M', {"M1-{A-D}", "M2-{A,B}", "M3", "M4-{a-h}", "M5-{a-j}", "M6-{a-g}"}},
        {'N', {"N1-{a-d}", "N2", "N3-{a-e}", "N4-{a-m}", "N5-{A,B}"}},
        {'O', {"O{1-3}", "O4-{A-E}"}},
        {'P', {"P1-a-{a-s}", "P1-b-{a-e}-{A,B}", "P2-{a-f}", "P3-{a-k}", "P4-{A-E}", "P{5-9}"}},
        {'Q', {"Q1-{A-C}", "Q2", "Q3-{A-E}"}},
        {'R',
         {"R1-{A-C}", "R2-A-{1,2}", "R2-b", "R2-c", "R2-D-{1-4}", "R2-d-5", "R2-E-{1-4}", "R2-e-5",
          "R2-F-{1-4}", "R2-f-5", "R2-G-{1-4}", "R2-g-5", "R2-H-{1-4}", "R2-h-5"}},
    };
    return table;
}

} // namespace

QStringList ReportContract::expand(const QString& pattern)
{
    const int open = int(pattern.indexOf(QLatin1Char('{')));
    if (open < 0)
        return {pattern};
    const int close = int(pattern.indexOf(QLatin1Char('}'), open));
    QStringList result;
    for (const QString& choice : alternatives(pattern.mid(open + 1, close - open - 1))) {
        result << expand(pattern.left(open) + choice + pattern.mid(close + 1));
    }
    return result;
}

QStringList ReportContract::expandAll(const QStringList& patterns)
{
    QStringList result;
    for (const QString& pattern : patterns)
        result << expand(pattern);
    return result;
}

QStringList ReportContract::assessmentSection(QChar letter)
{
    return expandAll(sections().value(letter));
}

QStringList ReportContract::elements(const QString& designer)
{
    if (designer == QLatin1String("rptOrv21Care_1_2")) {
        return expandAll({"m1-1-{1-4}", "m1-2", "m1-3-{1,2}", "m1-4-{1,2}", "m1-5", "m1-6", "m1-7",
                          "m1-8-{1-7}", "m1-9-{1,2}", "m1-10", "m1-12", "m2-1-{a-y}"});
    }
    if (designer == QLatin1String("rptOrv21Care_a_r")) {
        QStringList all;
        for (char letter = 'A'; letter <= 'R'; ++letter)
            all << assessmentSection(QLatin1Char(letter));
        return all;
    }
    if (designer == QLatin1String("rptOrv21Care_rap")) {
        return expandAll({"B{1-5}", "C{1-4}", "D{1,2}", "E{1-9}", "F{1-5}", "G{1-6}", "H{1-5}",
                          "I{1-6}", "J{1-9}", "K{1-7}", "L{1,2}", "M{1-4}", "N{1-4}", "O{1-4}",
                          "P{1-3}", "OH{1-3}", "OJ1", "rap{1-22}"});
    }
    if (designer == QLatin1String("rptOrv21Care_s"))
        return expandAll({"S0-{1-3}", "S{1-20}-a", "S{1-20}-B", "S{1-20}-c"});
    if (designer == QLatin1String("rptOrv21Care_t")) {
        return expandAll({"T0-{1-3}", "T-A-1-{1-20}-{1-4}", "T-A-2-{1-9}-{1-4}",
                          "T-B-1-{1-8}-{1-4}", "T-B-2-{1-8}-{1-5}", "T-C-1-{1-4}-{1-3}",
                          "T-C-2-{1-4}-{1-3}"});
    }
    if (designer.startsWith(QLatin1String("rptRAP")))
        return expandAll({"PRINTDATE", "NUM{01-22}", "RAP{01-22}"});
    return {};
}

} // namespace orv::test
