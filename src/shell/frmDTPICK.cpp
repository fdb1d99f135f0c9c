#include "shell/frmDTPICK.h"

#include "common/DateFormat.h"
#include "data/AppState.h"
#include "data/PageDocument.h"
#include "shell/CalendarHeading.h"
#include "shell/DialogControls.h"
#include "shell/NormalStateKeeper.h"
#include "shell/PickerPlacement.h"
#include "shell/PickerPreload.h"
#include "shell/PickerResult.h"
#include "shell/TwipsLayout.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace orv {

namespace {

constexpr int dialogWidth = 3225;
constexpr int dialogHeight = 2835;

QComboBox* numberList(int count, QWidget* parent)
{
    auto* list = new QComboBox(parent);
    list->setEditable(true);
    // A typed "1" is one o'clock, not completed to "10"; Enter adds nothing to the list.
    list->setCompleter(nullptr);
    list->setInsertPolicy(QComboBox::NoInsert);
    for (int n = 0; n < count; ++n)
        list->addItem(QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')));
    list->setCurrentIndex(0);
    return list;
}

} // namespace

frmDTPICK::frmDTPICK(AppState& state, ElementReader reader, QWidget* parent)
    : QDialog(parent), m_state(state), m_reader(std::move(reader))
{
    setObjectName(QStringLiteral("frmDTPICK"));
    // The screen under the pointer is the one it opens on.
    if (QScreen* screen = QGuiApplication::screenAt(QCursor::pos()))
        setScreen(screen);
    setWindowTitle(QStringLiteral("カレンダー"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    new NormalStateKeeper(this);
    setFont(DialogControls::formFont());
    buildLayout();
    placeAtPointer();
    preload();
    if (m_state.DateOnly) {
        m_lbJikan->hide();
        m_cbHour->hide();
        m_lbHm->hide();
        m_cbMinutes->hide();
    }
    // The window sees every key first, whichever control has the focus.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

void frmDTPICK::buildLayout()
{
    const TwipsLayout layout(this);
    layout.setClientSize(dialogWidth, dialogHeight);

    m_cal = new QCalendarWidget(this);
    m_cal->setObjectName(QStringLiteral("Cal"));
    m_cal->setFirstDayOfWeek(Qt::Sunday);
    m_cal->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_cal->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
    CalendarHeading::yearFirst(m_cal);
    layout.place(m_cal, 0, 0, 3255, 2415);

    m_lbJikan = new QLabel(QStringLiteral("時間"), this);
    m_lbJikan->setObjectName(QStringLiteral("lbJikan"));
    layout.place(m_lbJikan, 120, 2595, 375, 255);

    m_cbHour = numberList(24, this);
    m_cbHour->setObjectName(QStringLiteral("cbHour"));
    layout.place(m_cbHour, 600, 2520, 735, 300);

    m_lbHm = new QLabel(QStringLiteral("："), this);
    m_lbHm->setObjectName(QStringLiteral("lbHm"));
    layout.place(m_lbHm, 1320, 2595, 255, 255);

    m_cbMinutes = numberList(60, this);
    m_cbMinutes->setObjectName(QStringLiteral("cbMinutes"));
    layout.place(m_cbMinutes, 1560, 2520, 735, 300);

    m_cmdOK = new QPushButton(QStringLiteral("OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setAutoDefault(false);
    layout.place(m_cmdOK, 2400, 2400, 735, 375);
    connect(m_cmdOK, &QPushButton::clicked, this, &frmDTPICK::cmdOK_Click);

    setTabOrder(m_cal, m_cbHour);
    setTabOrder(m_cbHour, m_cbMinutes);
    setTabOrder(m_cbMinutes, m_cmdOK);
}

void frmDTPICK::placeAtPointer()
{
    const TwipsLayout layout(this);
    const QPoint pointer = QCursor::pos() - layout.screenGeometry().topLeft();
    const Twips& twips = layout.twips();
    const QPointF at = PickerPlacement::place(
        QPointF(twips.fromPixels(pointer.x()), twips.fromPixels(pointer.y())),
        QSizeF(dialogWidth, dialogHeight), layout.screenTwips());
    layout.moveTo(at.x(), at.y());
}

void frmDTPICK::preload()
{
    QString text;
    if (!m_state.PickElementName.isEmpty() && m_reader)
        text = m_reader(m_state.PickElementName);
    const PickerPreload start = PickerPreload::from(text, QDateTime::currentDateTime());
    m_cal->setSelectedDate(start.date);
    m_cbHour->setCurrentIndex(start.hour);
    m_cbMinutes->setCurrentIndex(start.minute);
}

QComboBox* frmDTPICK::unreadableTimeList() const
{
    const QDate date = m_cal->selectedDate();
    if (PickerResult::compose(date, m_cbHour->currentText(), m_cbMinutes->currentText()))
        return nullptr;
    return PickerResult::compose(date, m_cbHour->currentText(), QStringLiteral("00")) ? m_cbMinutes
                                                                                      : m_cbHour;
}

void frmDTPICK::cmdOK_Click()
{
    // A typed time that reads as no time would hand back the previous pick as this one.
    if (QComboBox* list = unreadableTimeList()) {
        list->setFocus();
        list->lineEdit()->selectAll();
        return;
    }
    accept();
}

bool frmDTPICK::eventFilter(QObject* watched, QEvent* event)
{
    // Escape in an open list or menu closes only that popup.
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::KeyPress && widget && widget->window() == this &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        reject();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmDTPICK::done(int result)
{
    if (result == QDialog::Accepted)
        m_state.DatePicked = true;
    // Every close composes the result, also Escape and the close box.
    if (const std::optional<DateValue> picked = PickerResult::compose(
            m_cal->selectedDate(), m_cbHour->currentText(), m_cbMinutes->currentText()))
        m_state.PickedDate = *picked;
    QDialog::done(result);
}

bool frmDTPICK::pick(AppState& state, const QString& elementName, bool dateOnly,
                     const ElementReader& reader, QWidget* parent)
{
    state.DatePicked = false;
    state.PickElementName = elementName;
    state.DateOnly = dateOnly;
    frmDTPICK picker(state, reader, parent);
    picker.exec();
    return state.DatePicked;
}

void frmDTPICK::pickInto(AppState& state, QLineEdit* box, QWidget* parent)
{
    if (pick(state, QString(), true, {}, parent))
        box->setText(DateFormat::eraLong(state.PickedDate));
}

frmDTPICK::ElementReader frmDTPICK::pageReader(PageDocument& page)
{
    return [&page](const QString& elementName) {
        QVector<PageElement> elements;
        if (!page.readElements(&elements))
            return QString();
        const int index = PageDocument::indexOf(elements, elementName);
        return index < 0 ? QString() : elements.at(index).value;
    };
}

void frmDTPICK::showForPage(AppState& state, PageDocument& page, QWidget* parent)
{
    frmDTPICK picker(state, pageReader(page), parent);
    picker.exec();
}

} // namespace orv
