#include "print/ReportLayouts.h"

#include <functional>
#include <utility>

namespace orv {

ReportLayout ReportLayouts::byDesigner(const QString& designer)
{
    static const std::pair<const char*, std::function<ReportLayout()>> builders[] = {
        {"rptOrv21Care_1_2", &ReportLayouts::faceSheet},
        {"rptOrv21Care_a_r", &ReportLayouts::assessment},
        {"rptOrv21Care_rap", &ReportLayouts::rapSelection},
        {"rptOrv21Care_s", &ReportLayouts::rapSummary},
        {"rptOrv21Care_t", &ReportLayouts::medication},
        {"rptRapList", &ReportLayouts::rapList},
    };
    for (const auto& [name, build] : builders) {
        if (designer == QLatin1String(name))
            return build();
    }
    if (designer.startsWith(QLatin1String("rptRAP")))
        return rapColumn(designer.mid(6).toInt());
    return ReportLayout();
}

} // namespace orv
