#include "pictoharvest/browser/list_rules.h"

#include <cmath>

namespace ph {
namespace {

// Days from 1970-01-01 to a proleptic Gregorian date.
std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day) {
    year -= month <= 2;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

void CivilFromUnixDays(std::int64_t days, int& year, int& month, int& day) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned mp = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2));
}

constexpr std::int64_t kUnixDaysOf1899 = -25569;  // 1899-12-30
constexpr double kMillisecondsPerDay = 86400000.0;

template <class T>
int Order(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

int OrderText(std::string_view a, std::string_view b) {
    // Byte by byte, as unsigned bytes.
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

}  // namespace

std::string AttributeLetters(std::uint32_t attributes) {
    std::string letters;
    if (attributes & 0x1) letters += 'R';
    if (attributes & 0x2) letters += 'H';
    if (attributes & 0x4) letters += 'S';
    if (attributes & 0x20) letters += 'A';
    return letters;
}

std::uint64_t KilobytesForSize(std::int64_t size) {
    if (size <= 0) return 0;
    const auto bytes = static_cast<std::uint64_t>(size);
    return bytes / 1024 + (bytes % 1024 != 0 ? 1 : 0);
}

std::string GroupThousands(std::uint64_t value, std::string_view separator) {
    const std::string digits = std::to_string(value);
    std::string text;
    text.reserve(digits.size() + digits.size() / 3 * separator.size());
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += separator;
        text += digits[i];
    }
    return text;
}

std::string_view FileExtension(std::string_view path) {
    const std::size_t at = path.find_last_of(".\\:");
    if (at == std::string_view::npos || path[at] != '.') return {};
    return path.substr(at);
}

FilterVerdict FilterItem(int filterMode, bool isFolder, std::string_view upperExtension) {
    if (isFolder) return FilterVerdict::Admit;
    switch (filterMode) {
        case 1:
            return FilterVerdict::AskIconCount;
        case 2:
            return upperExtension == ".EXE" || upperExtension == ".DLL" ? FilterVerdict::Admit
                                                                         : FilterVerdict::Reject;
        case 3:
            return upperExtension == ".ICO" ? FilterVerdict::Admit : FilterVerdict::Reject;
        default:
            return FilterVerdict::Admit;
    }
}

int CompareSortFields(const SortFields& a, const SortFields& b, int column, bool ascending) {
    if (a.isFolder != b.isFolder) {
        const int folderFirst = a.isFolder ? -1 : 1;
        return ascending ? folderFirst : -folderFirst;
    }
    int order = 0;
    switch (column) {
        case 0: order = OrderText(a.name, b.name); break;
        case 1: order = Order(a.size, b.size); break;
        case 2: order = OrderText(a.type, b.type); break;
        case 3: order = Order(a.modified, b.modified); break;
        case 4: order = OrderText(a.attributes, b.attributes); break;
        default: break;
    }
    return ascending ? order : -order;
}

double DaysSince1899(const CivilTime& time) {
    const std::int64_t whole =
        DaysFromCivil(time.year, static_cast<unsigned>(time.month), static_cast<unsigned>(time.day)) -
        kUnixDaysOf1899;
    const double milliseconds =
        ((time.hour * 60.0 + time.minute) * 60.0 + time.second) * 1000.0 + time.millisecond;
    const double fraction = milliseconds / kMillisecondsPerDay;
    return whole >= 0 ? static_cast<double>(whole) + fraction : static_cast<double>(whole) - fraction;
}

CivilTime CivilFromDays(double days) {
    const double whole = std::trunc(days);
    auto milliseconds = static_cast<std::int64_t>(std::llround(std::fabs(days - whole) * kMillisecondsPerDay));
    std::int64_t day = static_cast<std::int64_t>(whole);
    if (milliseconds >= static_cast<std::int64_t>(kMillisecondsPerDay)) {
        // Rounded up to the next midnight.
        milliseconds = 0;
        day += days >= 0 ? 1 : -1;
    }
    CivilTime time;
    CivilFromUnixDays(day + kUnixDaysOf1899, time.year, time.month, time.day);
    time.millisecond = static_cast<int>(milliseconds % 1000);
    time.second = static_cast<int>(milliseconds / 1000 % 60);
    time.minute = static_cast<int>(milliseconds / 60000 % 60);
    time.hour = static_cast<int>(milliseconds / 3600000);
    return time;
}

}  // namespace ph
