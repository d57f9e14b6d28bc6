#pragma once
// How a group of a module is found: by its integer identifier, or by its
// text name when the resource has one. Portable: no windows.h here.
#include <string>

namespace ph {

struct ModuleGroupKey {
    int number = 0;    // the integer identifier (the group number)
    std::string name;  // the text name; empty for a group with an identifier

    bool IsNamed() const { return !name.empty(); }
    friend bool operator==(const ModuleGroupKey&, const ModuleGroupKey&) = default;
};

}  // namespace ph
