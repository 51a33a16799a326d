#include "dialer/scheduler/schedule_arithmetic.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <ctime>

#include "framework/clock.h"

namespace {

constexpr std::int64_t kDay = 86'400;
constexpr std::int64_t kWeek = 7 * kDay;
// A "month" is 31 days of seconds, whatever the calendar says.
constexpr std::int64_t kMonth = 31 * kDay;

bool fitsTheClock(std::int64_t instant) {
    return instant >= 0 && instant <= INT32_MAX;
}

// Division that rounds towards minus infinity, for carrying fields over.
constexpr std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    return a / b - (a % b < 0 ? 1 : 0);
}

// Days since 1 January 1970 of a date of the Gregorian calendar; the month and the day carry over
// as mktime carries them.
constexpr std::int64_t dayNumber(std::int64_t year, std::int64_t month, std::int64_t day) {
    year += floorDiv(month - 1, 12);
    month -= 12 * floorDiv(month - 1, 12);
    // From March on, so that a leap day ends its year.
    const std::int64_t y = month <= 2 ? year - 1 : year;
    const std::int64_t era = floorDiv(y, 400);
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5;
    const std::int64_t dayOfEra =
        yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear + day - 1;
    return era * 146'097 + dayOfEra - 719'468;
}

// The dates kEnterableDatesMessage names.
constexpr std::int64_t kFirstEnterableDay = dayNumber(1970, 1, 2);
constexpr std::int64_t kLastEnterableDay = dayNumber(2038, 1, 17);
static_assert(dayNumber(1970, 1, 1) == 0 && kLastEnterableDay == 24'853);

// The local time of an instant the 32-bit clock holds; times before 1970, which only a damaged
// file holds, have no date on every platform alike.
bool hasLocalDate(std::int64_t instant, std::tm& local) {
    return fitsTheClock(instant) && fw::localTime(instant, local);
}

// The hour as the schedule list shows it (0 stays 0) and as the dialog shows it (0 is 12).
int listHour(int hour) {
    return hour > 12 ? hour - 12 : hour;
}
int dialogHour(int hour) {
    return hour == 0 ? 12 : listHour(hour);
}
// Minutes always show two digits: a leading "0" below 10.
std::string minuteText(int minute) {
    return (minute < 10 ? "0" : "") + std::to_string(minute);
}

// atoi's reading of a number, saturating instead of overflowing.
int readNumber(const std::string& text) {
    std::size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) {
        ++at;
    }
    const bool negative = at < text.size() && text[at] == '-';
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        ++at;
    }
    long long value = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
        value = std::min<long long>(value * 10 + (text[at] - '0'), 1LL + INT_MAX);
    }
    return static_cast<int>(negative ? std::max<long long>(-value, INT_MIN)
                                     : std::min<long long>(value, INT_MAX));
}

}  // namespace

std::optional<std::int32_t> EnterTime(int month, int day, int year, int hour, int minute,
                                      int amPm) {
    int hour24 = hour % 12;
    if (amPm != 0) {
        hour24 += 12;
    }
    const std::int64_t date =
        dayNumber(year, month, day) + floorDiv(std::int64_t{hour24} * 60 + minute, 24 * 60);
    if (date < kFirstEnterableDay || date > kLastEnterableDay) {
        return std::nullopt;
    }
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour24;
    local.tm_min = minute;
    local.tm_isdst = -1;
    const std::int64_t instant = fw::makeLocalTime(local);
    // -1 from a platform that cannot convert the time after all.
    if (!fitsTheClock(instant)) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(instant);
}

bool AdvanceTask(CTasks& task) {
    std::int64_t step = kDay;
    switch (task.m_nRecurrence) {
        case kRecurWeekly:
            step = kWeek;
            break;
        case kRecurMonthly:
            step = kMonth;
            break;
        case kRecurNumber:
            // One run or fewer left before this one: it was the last, whatever the count says.
            if (task.m_nNumber <= 1) {
                task.m_nNumber = std::max(task.m_nNumber, INT_MIN + 1) - 1;
                return false;
            }
            --task.m_nNumber;
            break;
        default:
            break;
    }
    const std::int64_t next = std::int64_t{task.m_timeNext} + step;
    if (!fitsTheClock(next)) {
        return false;
    }
    task.m_timeNext = static_cast<std::int32_t>(next);
    return true;
}

int PickNextTask(const CTaskList& tasks) {
    int best = -1;
    for (std::size_t i = 0; i < tasks.size(); ++i) {
        if (tasks[i].m_bDisabled == 0 &&
            (best < 0 || tasks[static_cast<std::size_t>(best)].m_timeNext > tasks[i].m_timeNext)) {
            best = static_cast<int>(i);
        }
    }
    return best;
}

std::optional<DialogTime> DialogTimeOf(std::int64_t instant) {
    std::tm local{};
    if (!hasLocalDate(instant, local)) {
        return std::nullopt;
    }
    DialogTime fields;
    fields.month = local.tm_mon + 1;
    fields.day = local.tm_mday;
    fields.year = local.tm_year + 1900;
    fields.time = std::to_string(dialogHour(local.tm_hour)) + ":" + minuteText(local.tm_min);
    fields.amPm = local.tm_hour >= 12 ? 1 : 0;
    return fields;
}

std::string WillExecuteText(std::int32_t timeNext) {
    std::tm local{};
    if (!hasLocalDate(timeNext, local)) {
        return "Will Execute: ";
    }
    // The list shows midnight's hour as 0, not as the dialog's 12.
    const std::string time =
        std::to_string(listHour(local.tm_hour)) + ":" + minuteText(local.tm_min);
    return WillExecuteText(local.tm_mon + 1, local.tm_mday, local.tm_year + 1900, time,
                           local.tm_hour >= 12 ? 1 : 0);
}

std::string WillExecuteText(int month, int day, int year, const std::string& time, int amPm) {
    return "Will Execute: " + std::to_string(month) + "/" + std::to_string(day) + "/" +
           std::to_string(year) + " " + time + (amPm == 0 ? " AM" : " PM");
}

TimeTextResult ReadTimeText(const std::string& text, int& hour, int& minute) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) {
        return TimeTextResult::noColon;
    }
    hour = readNumber(text.substr(0, colon));
    minute = readNumber(text.substr(colon + 1));
    const bool inRange = hour >= 1 && hour <= 12 && minute >= 0 && minute <= 59;
    return inRange ? TimeTextResult::accepted : TimeTextResult::outOfRange;
}
