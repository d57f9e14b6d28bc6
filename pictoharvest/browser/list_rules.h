#pragma once
// The file list's rules that are plain logic: attribute letters, the size
// in kilobytes, the file-type filter, the sort order and the date as a day
// number. Portable: no windows.h here.
#include <cstdint>
#include <string>
#include <string_view>

namespace ph {

// "R", "H", "S", "A" for the read-only, hidden, system and archive bits of
// a file's attributes, in this order; empty when none is set.
std::string AttributeLetters(std::uint32_t attributes);

// The number the size text shows: whole kilobytes, rounded up; 0 for a
// size of 0 or less.
std::uint64_t KilobytesForSize(std::int64_t size);

// Digits of value grouped by threes from the right with separator between
// the groups ("1.048.576").
std::string GroupThousands(std::uint64_t value, std::string_view separator);

// The extension of a path with its dot ("x.tar.GZ" gives ".GZ"): from the
// last dot that comes after the last backslash or colon; empty otherwise.
std::string_view FileExtension(std::string_view path);

// What the file-type filter does with one item.
enum class FilterVerdict {
    Admit,
    Reject,
    AskIconCount,  // admitted only when the file holds at least one icon
};

// Filter modes: 0 every item, 1 files holding icons, 2 ".EXE" and ".DLL",
// 3 ".ICO". Folders always pass. upperExtension is FileExtension of the
// item's path, upper-cased.
FilterVerdict FilterItem(int filterMode, bool isFolder, std::string_view upperExtension);

// The sort keys of one list item. Texts are upper-cased by the caller.
struct SortFields {
    bool isFolder = false;
    std::string_view name;
    std::string_view type;
    std::string_view attributes;
    std::int64_t size = 0;
    double modified = 0;
};

// -1, 0, +1. One folder against one file: the folder first when
// ascending, the file first otherwise. Else by column (0 name, 1 size,
// 2 type, 3 modified, 4 attribute letters; texts byte by byte), reversed
// when descending. Equal keys give 0.
int CompareSortFields(const SortFields& a, const SortFields& b, int column, bool ascending);

// A calendar date and time of day.
struct CivilTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// Days since 30 December 1899; the fraction is the time of day.
double DaysSince1899(const CivilTime& time);
// The inverse, to the millisecond; days before 1899 count backwards with
// the time of day still positive, as the day number's convention has it.
CivilTime CivilFromDays(double days);

}  // namespace ph
