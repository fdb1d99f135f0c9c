#pragma once

#include "print/view/ReportDesigner.h"

namespace orv {

// One column of the RAP list: a date and up to 22 RAP codes with their titles. Its data file
// is set by the RAP list before each run.
class rptRAP : public ReportDesigner
{
public:
    explicit rptRAP(int number);
    int number() const { return m_number; }

private:
    int m_number;
};

template <int Number> class rptRAPn : public rptRAP
{
public:
    rptRAPn() : rptRAP(Number) {}
};

using rptRAP1 = rptRAPn<1>;
using rptRAP2 = rptRAPn<2>;
using rptRAP3 = rptRAPn<3>;
using rptRAP4 = rptRAPn<4>;
using rptRAP5 = rptRAPn<5>;
using rptRAP6 = rptRAPn<6>;

} // namespace orv
