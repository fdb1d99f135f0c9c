#pragma once

#include <QStringList>

namespace orv::test {

// The element names each report layout must bind, written as the printed contract gives
// them: "A10-{a-h}" for every letter from a to h, "I1-{aa-uu}" for the doubled letters,
// "T-A-1-{1-20}-{1-4}" for every row and column, "NUM{01-22}" zero-padded.
class ReportContract
{
public:
    static QStringList expand(const QString& pattern);
    static QStringList expandAll(const QStringList& patterns);
    // By designer: rptOrv21Care_1_2, rptOrv21Care_a_r, rptOrv21Care_rap, rptOrv21Care_s,
    // rptOrv21Care_t, rptRAP1 to rptRAP6.
    static QStringList elements(const QString& designer);
    // The assessment's elements of one section letter.
    static QStringList assessmentSection(QChar letter);
};

} // namespace orv::test
