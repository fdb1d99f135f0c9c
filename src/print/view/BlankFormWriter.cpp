#include "print/view/BlankFormWriter.h"

#include "print/ReportLayouts.h"
#include "print/view/ReportRenderer.h"

#include <QDir>

#include <functional>
#include <vector>

namespace orv {

namespace {

struct Prompt
{
    const char* element;
    const char* text;
};

// An element that carries its own caption prints it on the blank form, with room to write.
struct BlankForm
{
    const char* file;
    std::function<ReportLayout()> build;
    std::vector<Prompt> prompts;
};

const BlankForm kForms[] = {
    {"FaceSheet.pdf", &ReportLayouts::faceSheet, {}},
    {"Assessment.pdf", &ReportLayouts::assessment, {}},
    {"RapSummary.pdf",
     &ReportLayouts::rapSummary,
     {{"S0-1", "記入年月日：　　　　年　　月　　日"}}},
    {"Medication.pdf", &ReportLayouts::medication, {}},
    {"RapSelect.pdf", &ReportLayouts::rapSelection, {}},
    {"SisetuSrv.pdf", &ReportLayouts::carePlan, {}},
    {"SyukanSrv.pdf", &ReportLayouts::weeklyPlan, {}},
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
        ReportDocument blank(form.build());
        for (const Prompt& prompt : form.prompts)
            blank.record.insert(QString::fromUtf8(prompt.element), QString::fromUtf8(prompt.text));
        if (!ReportRenderer(blank).writePdf(QDir(folder).filePath(QString::fromUtf8(form.file)),
                                            error))
            return false;
    }
    return true;
}

} // namespace orv
