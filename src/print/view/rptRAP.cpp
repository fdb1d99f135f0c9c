#include "print/view/rptRAP.h"

#include "print/ReportLayouts.h"

namespace orv {

rptRAP::rptRAP(int number)
    : ReportDesigner(QStringLiteral("rptRAP%1").arg(number), ReportLayouts::rapColumn(number)),
      m_number(number)
{
}

} // namespace orv
