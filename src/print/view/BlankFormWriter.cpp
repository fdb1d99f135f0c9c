#include "print/view/BlankFormWriter.h"

#include "print/ReportLayouts.h"
#include "print/view/ReportRenderer.h"

#include <QDir>

#include <functional>

namespace orv {

namespace {

struct BlankForm
{
    const char* file;
    std::function<ReportLayout()> build;
};

const BlankForm kForms[] = {
    {"FaceSheet.pdf", &ReportLayouts::faceSheet},    {"Assessment.pdf", &ReportLayouts::assessment},
    {"RapSummary.pdf", &ReportLayouts::rapSummary},  {"Medication.pdf", &ReportLayouts::medication},
    {"RapSelect.pdf", &ReportLayouts::rapSelection}, {"SisetuSrv.pdf", &ReportLayouts::carePlan},
    {"SyukanSrv.pdf", &ReportLayouts::weeklyPlan},
};

} // namespace

QStringList BlankFormWriter::fileNames()
{
    QStringList names;
    for (const BlankForm& form : kForms)
        names << QString::fromUtf8(form.file);
    return names;
}

bool BlankFormWriter::writeAll(const QString& folder, QString* error)
{
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("%1 を作れません。").arg(folder);
        return false;
    }
    for (const BlankForm& form : kForms) {
        const ReportDocument blank(form.build());
        if (!ReportRenderer(blank).writePdf(QDir(folder).filePath(QString::fromUtf8(form.file)),
                                            error))
            return false;
    }
    return true;
}

} // namespace orv
