#pragma once

#include "common/DateValue.h"

#include <QString>

namespace orv::bench {

// The residents of the benchmarks' record files: three assessments each, every column filled
// as staff fill it.
constexpr int AssessmentsEach = 3;

QString residentId(int resident);
// The date of a resident's n-th assessment (0, 1, 2), also the date of its face sheet for n 0.
DateValue assessmentDate(int assessment);
// The family name and given name of a resident, and their readings.
QString familyName(int resident);
QString givenName(int resident);
QString familyReading(int resident);
QString givenReading(int resident);

enum class Records
{
    Assessments,             // a face sheet per resident, the section rows A to R and a RAP row
    AssessmentsAndSummaries, // and a RAP summary S and a medication survey T of the same date
};

// Makes a record file with the program's tables at path, holding `assessments` assessments,
// three per resident.
bool buildRecordFile(const QString& path, int assessments, Records records = Records::Assessments,
                     QString* error = nullptr);

} // namespace orv::bench
