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

class rptRAP1 : public rptRAP
{
public:
    rptRAP1() : rptRAP(1) {}
};
class rptRAP2 : public rptRAP
{
public:
    rptRAP2() : rptRAP(2) {}
};
class rptRAP3 : public rptRAP
{
public:
    rptRAP3() : rptRAP(3) {}
};
class rptRAP4 : public rptRAP
{
public:
    rptRAP4() : rptRAP(4) {}
};
class rptRAP5 : public rptRAP
{
public:
    rptRAP5() : rptRAP(5) {}
};
class rptRAP6 : public rptRAP
{
public:
    rptRAP6() : rptRAP(6) {}
};

} // namespace orv
