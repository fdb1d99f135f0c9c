#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace orv {

// Japanese era names and era years, taken from ICU's Japanese calendar.
class EraCalendar
{
public:
    struct EraDate
    {
        QString eraName;
        int eraYear = 0;
        // Meiji or later: the eras whose dates the forms print (earlier ones print in the
        // western calendar).
        bool modern = true;
    };

    static std::optional<EraDate> toEra(const QDate& date);
    // The Gregorian date of an era date; empty when the era is unknown or the day does not
    // exist in that era.
    static std::optional<QDate> fromEra(const QString& eraName, int eraYear, int month, int day);
    // Era names, newest first, for the parser to recognise.
    static const QStringList& eraNamesNewestFirst();
    // The era a letter stands for (M 明治, T 大正, S 昭和, H 平成, R 令和), in either case; empty
    // for any other character.
    static QString eraNameOfLetter(QChar letter);
};

} // namespace orv
