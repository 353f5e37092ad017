// The settings file: "GetPrivateProfileInt" reading, one-line section
// writes, and where the file goes.

#include "TestSupport.h"

#include "platform/AppSettings.h"
#include "platform/ProfileFile.h"

#include <gtest/gtest.h>

#include <unistd.h>

TEST(ProfileFile, ReadsIntegersLikeTheClassicFunction)
{
    TempDir dir;
    const std::string f = dir.File("a.ini");
    WriteAll(f, "; comment\r\n[Developer_ID]\r\n  developerid = 12xyz\r\n[S2]\r\nA=-3\r\nB=text\r\nC=\r\n"
                "[OTHER]\r\nLengthUnit=1\r\n");
    const struct {
        const char* section;
        const char* key;
        int expected;
    } cases[] = {
        {"DEVELOPER_ID", "DeveloperID", 12},  // names ignore case; the value's leading number counts
        {"S2", "A", -3},
        {"S2", "B", 0},
        {"S2", "C", 0},
        {"LENGTH_UNIT", "LengthUnit", 9},  // a missing section gives the default
        {"S2", "D", 9},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProfileFile::GetPrivateProfileInt(c.section, c.key, 9, f), c.expected) << c.section << c.key;
    EXPECT_EQ(ProfileFile::GetPrivateProfileInt("S2", "A", 7, dir.File("none.ini")), 7);
}

TEST(ProfileFile, WritingASectionReplacesAllItsLinesAndKeepsTheOthers)
{
    TempDir dir;
    const std::string f = dir.File("a.ini");
    WriteAll(f, "[A]\r\nx=1\r\n[LENGTH_UNIT]\r\nLengthUnit=0\r\nOther=5\r\n[B]\r\ny=2\r\n");
    ASSERT_TRUE(ProfileFile::WritePrivateProfileSection("LENGTH_UNIT", "LengthUnit=1", f));
    EXPECT_EQ(ReadAll(f), "[A]\r\nx=1\r\n[LENGTH_UNIT]\r\nLengthUnit=1\r\n[B]\r\ny=2\r\n");
    ASSERT_TRUE(ProfileFile::WritePrivateProfileSection("NEW", "K=3", f));
    EXPECT_EQ(ReadAll(f), "[A]\r\nx=1\r\n[LENGTH_UNIT]\r\nLengthUnit=1\r\n[B]\r\ny=2\r\n[NEW]\r\nK=3\r\n");
    EXPECT_FALSE(ProfileFile::WritePrivateProfileSection("S", "K=1", dir.Path() + "/missing/x.ini"));
}

TEST(AppSettings, SettingsGoToTheUserConfigFolderWhenTheProgramFolderCannotBeWritten)
{
    TempDir dir;
    EXPECT_EQ(ChooseSettingsFilePath(dir.Path()), dir.Path() + "/ZAV_KDR.ini");
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    setenv("XDG_CONFIG_HOME", (dir.Path() + "/cfg").c_str(), 1);
    // A folder that cannot be written (here: one that is not there).
    EXPECT_EQ(ChooseSettingsFilePath(dir.Path() + "/installed/bin/"), dir.Path() + "/cfg/ZAV_KDR.ini");
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path() + "/cfg"));
    if (old)
        setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}
