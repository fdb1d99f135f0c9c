#pragma once

#include "print/ReportLayout.h"

namespace orv {

// The layouts of the printed forms, each built from its tables.
namespace ReportLayouts {

ReportLayout faceSheet();           // rptOrv21Care_1_2
ReportLayout assessment();          // rptOrv21Care_a_r
ReportLayout rapSelection();        // rptOrv21Care_rap
ReportLayout rapSummary();          // rptOrv21Care_s
ReportLayout medication();          // rptOrv21Care_t
ReportLayout rapList();             // rptRapList
ReportLayout rapColumn(int number); // rptRAP1 to rptRAP6
// Blank forms of our own, printed only as PDF.
ReportLayout carePlan();   // 施設サービス計画書(1)(2)
ReportLayout weeklyPlan(); // 週間サービス計画表

// The layout of a designer by name; an empty layout for an unknown name.
ReportLayout byDesigner(const QString& designer);

} // namespace ReportLayouts

} // namespace orv
