#include "pictoharvest/icons/export_command_line.h"

#include <gtest/gtest.h>

namespace ph {
namespace {

TEST(ExportCommandLine, ReadsTheFiveFields) {
    ExportCommand command;
    ASSERT_EQ(ParseExportCommandLine("/0/C:\\Windows\\System32\\shell32.dll/D:\\Icons\\mine.ico/3/0;2;/", command),
              ExportCommandError::None);
    EXPECT_EQ(command.kind, ExportKind::Icon);
    EXPECT_EQ(command.source, "C:\\Windows\\System32\\shell32.dll");
    EXPECT_EQ(command.destination, "D:\\Icons\\mine.ico");
    EXPECT_EQ(command.group, (ModuleGroupKey{3, ""}));
    EXPECT_EQ(command.positions, (std::vector<int>{0, 2}));

    ASSERT_EQ(ParseExportCommandLine("/2/C:\\Tools\\viewer.exe/D:\\Pics\\viewer(102).jpg/1/1;/", command),
              ExportCommandError::None);
    EXPECT_EQ(command.kind, ExportKind::Jpeg);
    EXPECT_EQ(command.destination, "D:\\Pics\\viewer(102).jpg");
    EXPECT_EQ(command.positions, (std::vector<int>{1}));
}

TEST(ExportCommandLine, NamedGroupsAndPathsWithBlanks) {
    ExportCommand command;
    ASSERT_EQ(ParseExportCommandLine("/1/C:\\Program Files\\a b.dll/C:\\My Pics\\a(5).bmp/IDI_SHELL_OPTIONS/4;1;/", command),
              ExportCommandError::None);
    EXPECT_EQ(command.kind, ExportKind::Bitmap);
    EXPECT_EQ(command.source, "C:\\Program Files\\a b.dll");
    EXPECT_TRUE(command.group.IsNamed());
    EXPECT_EQ(command.group.name, "IDI_SHELL_OPTIONS");
    EXPECT_EQ(command.positions, (std::vector<int>{4, 1}));
}

TEST(ExportCommandLine, RefusesBadText) {
    const struct {
        const char* text;
        ExportCommandError error;
    } cases[] = {
        {"", ExportCommandError::Framing},
        {"/", ExportCommandError::Framing},
        {"0/a/b/1/0;/", ExportCommandError::Framing},
        {"/0/a/b/1/0;", ExportCommandError::Framing},
        {"/0/a/b/1/", ExportCommandError::Framing},
        {"/0/a/b/1/0;/x/", ExportCommandError::Framing},
        {"/3/a/b/1/0;/", ExportCommandError::Kind},
        {"/00/a/b/1/0;/", ExportCommandError::Kind},
        {"//a/b/1/0;/", ExportCommandError::Kind},
        {"/0//b/1/0;/", ExportCommandError::Source},
        {"/0/a//1/0;/", ExportCommandError::Destination},
        {"/0/a/b//0;/", ExportCommandError::Group},
        {"/0/a/b/65536/0;/", ExportCommandError::Group},
        {"/0/a/b/99999999999/0;/", ExportCommandError::Group},
        {"/0/a/b/1/0/", ExportCommandError::Positions},
        {"/0/a/b/1/0;x;/", ExportCommandError::Positions},
        {"/0/a/b/1/;/", ExportCommandError::Positions},
        {"/0/a/b/1/-1;/", ExportCommandError::Positions},
        {"/0/a/b/1/65536;/", ExportCommandError::Positions},
        {"/0/a/b/1//", ExportCommandError::NoPositions},
    };
    for (const auto& c : cases) {
        ExportCommand command;
        EXPECT_EQ(ParseExportCommandLine(c.text, command), c.error) << c.text;
    }
}

TEST(ExportCommandLine, BuildsWhatItReads) {
    ExportCommand command;
    command.kind = ExportKind::Jpeg;
    command.source = "C:\\Tools\\viewer.exe";
    command.destination = "D:\\Pics\\viewer(101).jpg";
    command.group.number = 1;
    command.positions = {0};
    EXPECT_EQ(BuildExportCommandLine(command), "/2/C:\\Tools\\viewer.exe/D:\\Pics\\viewer(101).jpg/1/0;/");

    command.kind = ExportKind::Icon;
    command.group = {0, "MAINICON"};
    command.positions = {1, 4, 7};
    const auto text = BuildExportCommandLine(command);
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, "/0/C:\\Tools\\viewer.exe/D:\\Pics\\viewer(101).jpg/MAINICON/1;4;7;/");
    ExportCommand back;
    ASSERT_EQ(ParseExportCommandLine(*text, back), ExportCommandError::None);
    EXPECT_EQ(back.group, command.group);
    EXPECT_EQ(back.positions, command.positions);
}

TEST(ExportCommandLine, RefusesWhatCannotBeCarried) {
    ExportCommand command;
    command.source = "C:\\a.dll";
    command.destination = "C:\\a.ico";
    command.positions = {0};
    command.group.name = "A/B";
    EXPECT_FALSE(BuildExportCommandLine(command));
    command.group.name = "123";  // would read back as a number
    EXPECT_FALSE(BuildExportCommandLine(command));
    command.group.name.clear();
    command.source = "C:/a.dll";
    EXPECT_FALSE(BuildExportCommandLine(command));
}

}  // namespace
}  // namespace ph
