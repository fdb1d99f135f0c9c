#pragma once

#include <QDialog>

#include <functional>

class QCalendarWidget;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orv {

class PageDocument;
struct AppState;

// The calendar picker. It opens at the mouse pointer, preloads from a page element of the
// entry window (through the reader it is handed) or the present moment, and answers through
// the picker protocol of the state: DatePicked after OK, PickedDate at every close.
class frmDTPICK : public QDialog
{
    Q_OBJECT
public:
    // Reads the value of a page element by name; an empty text when it cannot.
    using ElementReader = std::function<QString(const QString& elementName)>;

    explicit frmDTPICK(AppState& state, ElementReader reader = {}, QWidget* parent = nullptr);

    // The whole protocol: DatePicked cleared, PickElementName and DateOnly set, the picker
    // shown modal. True when a date was picked; it is then in state.PickedDate.
    static bool pick(AppState& state, const QString& elementName, bool dateOnly,
                     const ElementReader& reader = {}, QWidget* parent = nullptr);

    // The picker as a page command runs it, the caller having set the protocol variables:
    // preloaded from the element PickElementName of the page's first form.
    static void showForPage(AppState& state, PageDocument& page, QWidget* parent = nullptr);
    // Reads the value of an element of the page's first form; an empty text when it cannot.
    static ElementReader pageReader(PageDocument& page);

    // The "..." button beside a date box: a date alone, written into the box in era form.
    static void pickInto(AppState& state, QLineEdit* box, QWidget* parent);

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    void placeAtPointer();
    void preload();
    void cmdOK_Click();
    // The hour or minute list whose typed text makes no time; nullptr when both read.
    QComboBox* unreadableTimeList() const;

    AppState& m_state;
    ElementReader m_reader;
    QCalendarWidget* m_cal = nullptr;
    QLabel* m_lbJikan = nullptr;
    QComboBox* m_cbHour = nullptr;
    QLabel* m_lbHm = nullptr;
    QComboBox* m_cbMinutes = nullptr;
    QPushButton* m_cmdOK = nullptr;
};

} // namespace orv
