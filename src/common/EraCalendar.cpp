#include "common/EraCalendar.h"

#include <QHash>
#include <QStringList>

#include <unicode/calendar.h>
#include <unicode/dtfmtsym.h>
#include <unicode/smpdtfmt.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>

#include <memory>
#include <mutex>

namespace orv {

namespace {

const icu::Locale& japaneseLocale()
{
    static const icu::Locale locale("ja_JP@calendar=japanese");
    return locale;
}

std::unique_ptr<icu::Calendar> makeCalendar()
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Calendar> calendar(
        icu::Calendar::createInstance(icu::TimeZone::getGMT()->clone(), japaneseLocale(), status));
    if (U_FAILURE(status))
        return nullptr;
    return calendar;
}

// The calling thread's calendar, cleared: making one costs far more than a conversion with it.
icu::Calendar* clearedCalendar()
{
    thread_local const std::unique_ptr<icu::Calendar> calendar = makeCalendar();
    if (calendar)
        calendar->clear();
    return calendar.get();
}

QString toQString(const icu::UnicodeString& text)
{
    return QString(reinterpret_cast<const QChar*>(text.getBuffer()), text.length());
}

// The eras' names (平成) or their narrow names (H), by ICU's era index.
QStringList eraSymbols(bool narrow)
{
    // The symbols of a formatter follow the calendar of its locale.
    UErrorCode status = U_ZERO_ERROR;
    icu::SimpleDateFormat formatter(icu::UnicodeString(u"GGGG"), japaneseLocale(), status);
    if (U_FAILURE(status))
        return {};
    int32_t count = 0;
    const icu::DateFormatSymbols* symbols = formatter.getDateFormatSymbols();
    const icu::UnicodeString* eras =
        narrow ? symbols->getNarrowEras(count) : symbols->getEraNames(count);
    QStringList names;
    for (int32_t i = 0; i < count; ++i)
        names << toQString(eras[i]);
    return names;
}

const QStringList& eraNamesByIndex()
{
    static const QStringList names = eraSymbols(false);
    return names;
}

// Era names by their letter: the narrow names of the modern eras are letters.
const QHash<QChar, QString>& eraNamesByLetter()
{
    static const QHash<QChar, QString> names = [] {
        QHash<QChar, QString> byLetter;
        const QStringList letters = eraSymbols(true);
        for (int i = 0; i < letters.size() && i < eraNamesByIndex().size(); ++i) {
            const QString& letter = letters.at(i);
            if (letter.size() == 1 && letter.at(0).unicode() < 0x80 && letter.at(0).isLetter())
                byLetter.insert(letter.at(0).toUpper(), eraNamesByIndex().at(i));
        }
        return byLetter;
    }();
    return names;
}

int meijiIndex()
{
    static const int index = int(eraNamesByIndex().lastIndexOf(QStringLiteral("明治")));
    return index;
}

} // namespace

std::optional<EraCalendar::EraDate> EraCalendar::toEra(const QDate& date)
{
    if (!date.isValid())
        return std::nullopt;
    icu::Calendar* calendar = clearedCalendar();
    if (!calendar)
        return std::nullopt;
    calendar->set(UCAL_EXTENDED_YEAR, date.year());
    calendar->set(UCAL_MONTH, date.month() - 1);
    calendar->set(UCAL_DATE, date.day());
    UErrorCode status = U_ZERO_ERROR;
    const int32_t era = calendar->get(UCAL_ERA, status);
    const int32_t year = calendar->get(UCAL_YEAR, status);
    if (U_FAILURE(status) || era < 0 || era >= eraNamesByIndex().size())
        return std::nullopt;
    return EraDate{eraNamesByIndex().at(era), int(year), era >= meijiIndex()};
}

std::optional<QDate> EraCalendar::fromEra(const QString& eraName, int eraYear, int month, int day)
{
    const QStringList& names = eraNamesByIndex();
    const int era = int(names.lastIndexOf(eraName));
    if (era < 0 || eraYear < 1 || month < 1 || month > 12 || day < 1 || day > 31)
        return std::nullopt;
    icu::Calendar* calendar = clearedCalendar();
    if (!calendar)
        return std::nullopt;
    calendar->set(UCAL_ERA, era);
    calendar->set(UCAL_YEAR, eraYear);
    calendar->set(UCAL_MONTH, month - 1);
    calendar->set(UCAL_DATE, day);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t gregorianYear = calendar->get(UCAL_EXTENDED_YEAR, status);
    const int32_t gregorianMonth = calendar->get(UCAL_MONTH, status) + 1;
    const int32_t gregorianDay = calendar->get(UCAL_DATE, status);
    if (U_FAILURE(status))
        return std::nullopt;
    const QDate date(gregorianYear, gregorianMonth, gregorianDay);
    // The day must exist as written: no 30 February, no year of an era that had ended.
    const std::optional<EraDate> back = toEra(date);
    if (!date.isValid() || !back || back->eraName != eraName || back->eraYear != eraYear ||
        gregorianMonth != month || gregorianDay != day)
        return std::nullopt;
    return date;
}

const QStringList& EraCalendar::eraNamesNewestFirst()
{
    static QStringList names;
    static std::once_flag once;
    std::call_once(once, [] {
        const QStringList& byIndex = eraNamesByIndex();
        for (auto it = byIndex.crbegin(); it != byIndex.crend(); ++it) {
            if (!names.contains(*it))
                names << *it;
        }
    });
    return names;
}

QString EraCalendar::eraNameOfLetter(QChar letter)
{
    return eraNamesByLetter().value(letter.toUpper());
}

} // namespace orv
