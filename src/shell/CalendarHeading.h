#pragma once

class QCalendarWidget;

namespace orv {

// The month heading of a calendar as Japanese calendars write it, the year first and with its
// unit: 2026年12月 where Qt shows 12月 2026. The year stays a button that edits the year.
class CalendarHeading
{
public:
    static void yearFirst(QCalendarWidget* calendar);
};

} // namespace orv
