#pragma once

#include "common/ProgramFolder.h"
#include "print/view/ReportDesigner.h"

namespace orv {

// A report of one data file: the five record forms and the RAP selection table. Initialize
// maximises the preview, points the data control at the file in the program folder and sets
// the caption of the catalogue.
class MainReportDesigner : public ReportDesigner
{
public:
    MainReportDesigner(const QString& name, const ProgramFolder& folder);
    void ActiveReport_Initialize() override;

private:
    ProgramFolder m_folder;
};

class rptOrv21Care_1_2 : public MainReportDesigner
{
public:
    explicit rptOrv21Care_1_2(const ProgramFolder& folder)
        : MainReportDesigner(QStringLiteral("rptOrv21Care_1_2"), folder)
    {
    }
};

class rptOrv21Care_a_r : public MainReportDesigner
{
public:
    explicit rptOrv21Care_a_r(const ProgramFolder& folder)
        : MainReportDesigner(QStringLiteral("rptOrv21Care_a_r"), folder)
    {
    }
};

class rptOrv21Care_rap : public MainReportDesigner
{
public:
    explicit rptOrv21Care_rap(const ProgramFolder& folder)
        : MainReportDesigner(QStringLiteral("rptOrv21Care_rap"), folder)
    {
    }
};

class rptOrv21Care_s : public MainReportDesigner
{
public:
    explicit rptOrv21Care_s(const ProgramFolder& folder)
        : MainReportDesigner(QStringLiteral("rptOrv21Care_s"), folder)
    {
    }
};

class rptOrv21Care_t : public MainReportDesigner
{
public:
    explicit rptOrv21Care_t(const ProgramFolder& folder)
        : MainReportDesigner(QStringLiteral("rptOrv21Care_t"), folder)
    {
    }
};

} // namespace orv
