#pragma once

#include <QString>

namespace orv {

struct AppState;
class WorkflowHost;

// The new and edit workflows of face sheets, assessments, RAP summaries and medication
// surveys: they pick the record, write the rows a new record starts with, open the record
// as CurRs and put its first page on the entry window.
class RecordWorkflows
{
public:
    RecordWorkflows(AppState& state, WorkflowHost& host) : m_state(state), m_host(host) {}

    void Face_new();
    void Face_EDIT();
    void Assessment_new();
    void Assessment_EDIT();
    void RAP_new();
    void RAP_EDIT();
    void DRAG_new();
    void DRAG_EDIT();

private:
    struct SurveyKind;
    void newSurvey(const SurveyKind& kind, bool residentFromRapRun);
    void editSurvey(const SurveyKind& kind);

    bool openCurrent(const QString& table);
    bool reportFailure(const QString& error);
    void duplicateMessage(const QString& name);
    bool openPage(const QString& page, bool faceSheetJumps, bool sectionJumps);
    bool loadPage(const QString& page);
    void editCurrent();

    AppState& m_state;
    WorkflowHost& m_host;
};

} // namespace orv
