#pragma once

#include "shell/DateSetLogic.h"
#include "shell/PlainDialog.h"

class QLabel;
class QLineEdit;

namespace orv {

struct AppState;

// "アセスメント基準日の設定": one date, left in CurKijunbi on OK; the close box leaves
// CurKijunbi as it was. Callers may retitle it for one showing.
class frmDateSet : public PlainDialog
{
    Q_OBJECT
public:
    explicit frmDateSet(AppState& state, QWidget* parent = nullptr);

    // Shown modal with the given captions; an empty text keeps the designed one.
    static void showModal(AppState& state, const QString& caption = QString(),
                          const QString& labelCaption = QString(), QWidget* parent = nullptr);

    void setLabelCaption(const QString& caption);

private:
    void buildLayout();
    void cmdOK_Click();

    AppState& m_state;
    DateSetLogic m_logic;
    QLabel* m_lbAD = nullptr;
    QLineEdit* m_txtAssDate = nullptr;
};

} // namespace orv
