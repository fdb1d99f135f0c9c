#pragma once

#include "shell/FinderLogic.h"
#include "shell/PlainDialog.h"

#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace orv {

class Database;
class FinderRowModel;
struct AppState;

// "登録データの選択": lists the records of one kind over its own connection to the record
// file, searches them, deletes one after a question, and leaves the pick in CurID /
// CurKijunbi. With the new button shown it hands the pick over to frmNewData instead. It closes
// by a pick, the new button or its close box, not by Escape.
class frmDBFind2 : public PlainDialog
{
    Q_OBJECT
public:
    explicit frmDBFind2(AppState& state, QWidget* parent = nullptr);
    ~frmDBFind2() override;

    // 0 face sheets, 1 assessments, 2 RAP summaries, 3 medication surveys; opens an empty list.
    void ModeSet(int mode);
    void setNewButtonVisible(bool visible);

    // Deletes on the program's connection, as the finder's delete button does them.
    static bool KIHONDel(Database& db, const QString& id, const DateValue& kijun);
    static bool AssessmentDel(Database& db, const QString& id, const DateValue& kijun);

private:
    void buildLayout();
    void openList();
    void refresh();
    int currentRow() const;

    void cmdS1_Click();
    void cmdSel_Click();
    void cmdDel_Click();
    void cmdNew_Click();
    void handOver(const QString& presetId);

    AppState& m_state;
    FinderLogic m_logic;
    std::unique_ptr<Database> m_listDb;
    FinderRowModel* m_model = nullptr;

    QGroupBox* m_frJoken = nullptr;
    QLineEdit* m_txtIDs = nullptr;
    QLineEdit* m_txtTaisyo = nullptr;
    QLineEdit* m_txtYom = nullptr;
    QLabel* m_lbAD = nullptr;
    QLineEdit* m_txtAssDate = nullptr;
    QLineEdit* m_txtBorn = nullptr;
    QPushButton* m_cmdS1 = nullptr;
    QPushButton* m_cmdSel = nullptr;
    QPushButton* m_cmdDel = nullptr;
    QPushButton* m_cmdNew = nullptr;
    QTableView* m_DBG = nullptr;
};

} // namespace orv
