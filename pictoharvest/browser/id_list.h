#pragma once
// An item identifier list owned by the program and returned to the shell
// allocator when its holder goes.
#include <windows.h>
#include <shlobj.h>

#include <cstddef>
#include <utility>

namespace ph {

// The shell's allocator, asked for once and kept for the life of the process.
// Null only when the shell refuses it.
IMalloc* ShellAllocator();

// Bytes of a list, terminator included; a null list counts as empty (2).
std::size_t IdListSize(LPCITEMIDLIST list);
// True for a null list and for one that holds only its terminator.
bool IsEmptyIdList(LPCITEMIDLIST list);

class IdList {
public:
    IdList() = default;
    // Takes over a list from the shell allocator.
    explicit IdList(LPITEMIDLIST list) : list_(list) {}
    IdList(const IdList&) = delete;
    IdList& operator=(const IdList&) = delete;
    IdList(IdList&& other) noexcept : list_(std::exchange(other.list_, nullptr)) {}
    IdList& operator=(IdList&& other) noexcept {
        if (this != &other) {
            Reset();
            list_ = std::exchange(other.list_, nullptr);
        }
        return *this;
    }
    ~IdList() { Reset(); }

    LPITEMIDLIST Get() const { return list_; }
    // Holds a list at all (an empty list, the desktop's, still counts).
    explicit operator bool() const { return list_ != nullptr; }
    std::size_t Size() const { return IdListSize(list_); }
    bool IsEmpty() const { return IsEmptyIdList(list_); }

    void Reset();
    // For out parameters: frees the current list first.
    LPITEMIDLIST* Put() {
        Reset();
        return &list_;
    }
    // Hands the list over; the caller frees it with the shell allocator.
    LPITEMIDLIST Detach() { return std::exchange(list_, nullptr); }

private:
    LPITEMIDLIST list_ = nullptr;
};

}  // namespace ph
