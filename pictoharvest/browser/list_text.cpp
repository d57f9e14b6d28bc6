#include "pictoharvest/browser/list_text.h"

#include <shellapi.h>

#include "pictoharvest/browser/list_rules.h"

namespace ph {
namespace {

std::string LocaleText(LCTYPE what, const char* fallback) {
    char buffer[16] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, what, buffer, sizeof(buffer)) <= 0) return fallback;
    return buffer;
}

// The error mode that keeps the system from asking for a medium.
class CriticalErrorsOff {
public:
    CriticalErrorsOff() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    ~CriticalErrorsOff() { SetErrorMode(previous_); }
    CriticalErrorsOff(const CriticalErrorsOff&) = delete;
    CriticalErrorsOff& operator=(const CriticalErrorsOff&) = delete;

private:
    UINT previous_;
};

}  // namespace

std::string AnsiUpperCase(std::string_view text) {
    std::string upper(text);
    if (!upper.empty()) CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
    return upper;
}

std::string SizeText(std::int64_t size) {
    const std::uint64_t kilobytes = KilobytesForSize(size);
    if (kilobytes == 0) return "0 KB";
    std::string thousands = LocaleText(LOCALE_STHOUSAND, ",");
    std::string decimal = LocaleText(LOCALE_SDECIMAL, ".");
    // The default number format groups only once under some systems; an
    // explicit one with a grouping of 3 groups every three digits.
    NUMBERFMTA format{};
    format.NumDigits = 0;
    format.LeadingZero = 0;
    format.Grouping = 3;
    format.lpDecimalSep = decimal.data();
    format.lpThousandSep = thousands.data();
    format.NegativeOrder = 1;
    const std::string digits = std::to_string(kilobytes);
    char buffer[64] = {};
    if (GetNumberFormatA(LOCALE_USER_DEFAULT, 0, digits.c_str(), &format, buffer, sizeof(buffer)) > 0)
        return std::string(buffer) + " KB";
    return GroupThousands(kilobytes, thousands) + " KB";
}

std::string DateTimeText(double days) {
    const CivilTime civil = CivilFromDays(days);
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(civil.year);
    time.wMonth = static_cast<WORD>(civil.month);
    time.wDay = static_cast<WORD>(civil.day);
    time.wHour = static_cast<WORD>(civil.hour);
    time.wMinute = static_cast<WORD>(civil.minute);
    time.wSecond = static_cast<WORD>(civil.second);
    char date[80] = {};
    if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, sizeof(date)) <= 0)
        return {};
    std::string text = date;
    if (civil.hour || civil.minute || civil.second) {
        char clock[80] = {};
        if (GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, nullptr, clock, sizeof(clock)) > 0)
            text += std::string(" ") + clock;
    }
    return text;
}

double LocalDaysFromFileTime(const FILETIME& utc) {
    FILETIME local{};
    SYSTEMTIME time{};
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &time)) return 0;
    return DaysSince1899({time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond,
                          time.wMilliseconds});
}

bool TestDirectoryExists(const std::string& path) {
    CriticalErrorsOff quiet;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool TestFileExists(const std::string& path) {
    CriticalErrorsOff quiet;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void ExecuteIDL(HWND window, LPCITEMIDLIST absolute) {
    char empty[1] = {};
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_INVOKEIDLIST;
    info.hwnd = window;
    info.lpParameters = empty;
    info.lpDirectory = empty;
    info.nShow = SW_SHOWNORMAL;
    info.lpIDList = const_cast<LPITEMIDLIST>(absolute);
    ShellExecuteExA(&info);
}

}  // namespace ph
