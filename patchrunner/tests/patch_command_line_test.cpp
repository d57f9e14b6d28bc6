#include "patchrunner/patch_command_line.h"

#include <gtest/gtest.h>

#include <cctype>

namespace ph::patch {
namespace {

std::string AsciiUpper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

TEST(PatchCommandLine, ArgumentsFollowTheProgramNameAndItsBlanks) {
    struct Case {
        const char* line;
        const char* arguments;
    };
    const Case cases[] = {
        {R"("C:\Program Files\P\Patchrunner.exe" C:\P\\temp_\temp1;C:\P\;A.dll;)", R"(C:\P\\temp_\temp1;C:\P\;A.dll;)"},
        {R"(Patchrunner.exe   	 a b;c d;e;)", "a b;c d;e;"},
        {R"("C:\P\Patchrunner.exe")", ""},
        {R"("C:\P\Patch runner.exe"x y;)", "y;"},
        {R"("unclosed quote a;b;)", ""},
        {"Patchrunner.exe", ""},
        {"", ""},
        // Blanks inside the arguments are theirs: folders may hold blanks.
        {"P.exe C:\\My Apps\\temp_\\temp1;C:\\My Apps\\;x y.dat;  ", "C:\\My Apps\\temp_\\temp1;C:\\My Apps\\;x y.dat;  "},
    };
    for (const Case& c : cases) EXPECT_EQ(ArgumentsOf(c.line), c.arguments) << c.line;
}

TEST(PatchCommandLine, FieldsEndWithSemicolons) {
    const auto command = ParsePatchCommand(R"(C:\P\\temp_\temp1;C:\P\;A.dll;B.dat;)");
    ASSERT_TRUE(command);
    EXPECT_EQ(command->sourceFolder, R"(C:\P\\temp_\temp1)");
    EXPECT_EQ(command->targetFolder, R"(C:\P\)");
    EXPECT_EQ(command->names, (std::vector<std::string>{"A.dll", "B.dat"}));
}

TEST(PatchCommandLine, TextAfterTheLastSemicolonIsDropped) {
    const auto command = ParsePatchCommand("s;t;A.dll;B.dll");
    ASSERT_TRUE(command);
    EXPECT_EQ(command->names, std::vector<std::string>{"A.dll"});
    const auto folders = ParsePatchCommand("s;t;tail");
    ASSERT_TRUE(folders);
    EXPECT_TRUE(folders->names.empty());
}

TEST(PatchCommandLine, TwoFoldersAndNoNames) {
    const auto command = ParsePatchCommand("C:\\a b\\temp_\\temp1;C:\\a b\\;");
    ASSERT_TRUE(command);
    EXPECT_EQ(command->sourceFolder, "C:\\a b\\temp_\\temp1");
    EXPECT_EQ(command->targetFolder, "C:\\a b\\");
    EXPECT_TRUE(command->names.empty());
}

TEST(PatchCommandLine, FewerThanTwoSemicolonsIsNothing) {
    for (const char* text : {"", "no fields", "source;", "source;target", ";target"})
        EXPECT_FALSE(ParsePatchCommand(text)) << text;
    EXPECT_TRUE(ParsePatchCommand(";;"));
}

TEST(PatchCommandLine, EmptyFieldsAreKeptAsEmptyNames) {
    const auto command = ParsePatchCommand(";;;A;;");
    ASSERT_TRUE(command);
    EXPECT_EQ(command->sourceFolder, "");
    EXPECT_EQ(command->targetFolder, "");
    EXPECT_EQ(command->names, (std::vector<std::string>{"", "A", ""}));
}

TEST(SkipRule, WordsAnywhereInTheUpperCasedPath) {
    struct Case {
        const char* path;
        bool skipped;
    };
    const Case cases[] = {
        {R"(C:\P\\temp_\temp1\Pictoharvest.exe)", false},
        {R"(C:\P\\temp_\temp1\setup.exe)", true},
        {R"(C:\P\\temp_\temp1\MySeTuP2.dll)", true},
        {R"(C:\P\\temp_\temp1\hinweis.txt)", true},
        {R"(C:\P\\temp_\temp1\Readme-Info.chm)", true},
        {R"(C:\P\\temp_\temp1\Informationen.dat)", true},
        {R"(C:\Setup Tools\P\\temp_\temp1\A.dll)", true},
        {R"(C:\Programme\Hinweise\\temp_\temp1\A.dll)", true},
        {R"(C:\P\\temp_\temp1\set_up.exe)", false},
        {R"(C:\P\\temp_\temp1\inf.dat)", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsSkippedSource(c.path, AsciiUpper), c.skipped) << c.path;
}

TEST(SkipRule, TheHandedInUpperCaseDecides) {
    // The path is tested only in the upper case the caller gives.
    EXPECT_FALSE(IsSkippedSource("c:\\setup.exe", [](std::string_view t) { return std::string(t); }));
    EXPECT_TRUE(IsSkippedSource("c:\\x.exe", [](std::string_view) { return std::string("C:\\INFO"); }));
    std::string seen;
    IsSkippedSource("c:\\a\xe4.dll", [&](std::string_view t) {
        seen = t;
        return std::string(t);
    });
    EXPECT_EQ(seen, "c:\\a\xe4.dll");
}

TEST(InstallPlan, PathsJoinWithABackslashAndSkipsDrop) {
    PatchCommand command{R"(C:\P\\temp_\temp1)", R"(C:\P\)", {"A.dll", "Setup.exe", "", "B.dat"}};
    const auto steps = PlanInstall(command, AsciiUpper);
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].sourcePath, R"(C:\P\\temp_\temp1\A.dll)");
    EXPECT_EQ(steps[0].targetPath, R"(C:\P\\A.dll)");
    EXPECT_EQ(steps[1].sourcePath, R"(C:\P\\temp_\temp1\B.dat)");
    EXPECT_EQ(steps[1].targetPath, R"(C:\P\\B.dat)");
}

TEST(InstallPlan, ASkippedFolderSkipsEveryName) {
    PatchCommand command{R"(C:\SETUPS\P\\temp_\temp1)", R"(C:\SETUPS\P\)", {"A.dll", "B.dat"}};
    EXPECT_TRUE(PlanInstall(command, AsciiUpper).empty());
}

TEST(WorkFolder, EverythingBeforeTheLastBackslash) {
    EXPECT_EQ(WorkFolderOf(R"(C:\P\\temp_\temp1)"), std::optional<std::string>(R"(C:\P\\temp_)"));
    EXPECT_EQ(WorkFolderOf(R"(C:\\temp_\temp1)"), std::optional<std::string>(R"(C:\\temp_)"));
    EXPECT_EQ(WorkFolderOf(R"(C:\P\temp_\temp1\)"), std::optional<std::string>(R"(C:\P\temp_\temp1)"));
    EXPECT_EQ(WorkFolderOf(R"(\\server\share\temp_\temp1)"), std::optional<std::string>(R"(\\server\share\temp_)"));
}

TEST(WorkFolder, NeverADriveOrNothing) {
    for (const char* source : {"temp1", "", R"(C:\temp1)", R"(C:\\temp1)", R"(\temp1)", R"(\\temp1)", R"(C:temp1)",
                               R"(C:\)"})
        EXPECT_FALSE(WorkFolderOf(source)) << source;
}

TEST(MainProgram, InTheTargetFolder) {
    EXPECT_EQ(MainProgramOf(R"(C:\P\)"), R"(C:\P\\Pictoharvest.exe)");
}

}  // namespace
}  // namespace ph::patch
