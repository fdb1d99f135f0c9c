#pragma once

#include "shell/NewDataLogic.h"
#include "shell/PlainDialog.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace orv {

struct AppState;

// "フェイスシート情報の作成": the ID and date of a new face sheet, with the name of the
// resident the ID already belongs to. OK leaves the key in CurID / CurKijunbi, Cancel empties
// them, the close box leaves them as they were.
class frmNewData : public PlainDialog
{
    Q_OBJECT
public:
    explicit frmNewData(AppState& state, QWidget* parent = nullptr);

    // Shown modal, the ID box preset with the given text (empty: as designed).
    static void showModal(AppState& state, const QString& presetId, QWidget* parent = nullptr);

    void setId(const QString& id);

private:
    void buildLayout();
    void cmdOK_Click();
    void cmdCancel_Click();
    void txtIDs_Change(const QString& id);

    AppState& m_state;
    NewDataLogic m_logic;
    QLabel* m_lbFullName = nullptr;
    QLineEdit* m_txtIDs = nullptr;
    QLineEdit* m_txtAssDate = nullptr;
};

} // namespace orv
