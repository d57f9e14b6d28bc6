#include "pictoharvest/browser/shell_text.h"
#include "pictoharvest/browser/sub_folder_rule.h"

#include <gtest/gtest.h>

#include <vector>

namespace ph {
namespace {

struct TextCase {
    const char* name;
    std::vector<std::uint8_t> bytes;
    std::size_t offset;
    std::string expected;
};

TEST(ShellTextTest, ReadsZeroTerminatedTextWithinItsBuffer) {
    const std::vector<std::uint8_t> list = {6, 0, 'a', 'b', 0, 'z', 0, 0};
    const TextCase cases[] = {
        {"text at an offset", list, 2, "ab"},
        {"text up to the zero", list, 5, "z"},
        {"offset on a zero", list, 4, ""},
        {"offset at the end", list, list.size(), ""},
        {"offset far outside", list, 100000, ""},
        {"no zero: ends with the buffer", {'x', 'y', 'z'}, 0, "xyz"},
        {"empty buffer", {}, 0, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(ZeroTerminatedText(c.bytes, c.offset), c.expected) << c.name;
}

TEST(SubFolderRuleTest, FolderBitThenRemovableThenAsk) {
    struct Case {
        std::uint32_t attributes;
        SubFolderAnswer expected;
    };
    const Case cases[] = {
        {0, SubFolderAnswer::No},
        {kAttributeRemovable, SubFolderAnswer::No},
        {kAttributeHasSubFolder, SubFolderAnswer::No},
        {kAttributeFolder, SubFolderAnswer::AskHasSubFolder},
        {kAttributeFolder | kAttributeRemovable, SubFolderAnswer::Yes},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClassifyForSubFolders(c.attributes), c.expected) << std::hex << c.attributes;
}

}  // namespace
}  // namespace ph
