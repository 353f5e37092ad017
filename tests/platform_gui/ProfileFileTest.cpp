#include "platform/AppSettings.h"
#include "platform/ProfileFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

class TempDir {
public:
    TempDir()
    {
        std::string tmpl = (std::filesystem::temp_directory_path() / "kadrel_ini_XXXXXX").string();
        m_path = mkdtemp(tmpl.data());
    }
    ~TempDir() { std::filesystem::remove_all(m_path); }
    std::string File(const char* name) const { return m_path + "/" + name; }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteAll(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

}  // namespace

TEST(ProfileFile, MissingFileOrKeyGivesTheDefault)
{
    TempDir dir;
    EXPECT_EQ(ProfileFile::GetPrivateProfileInt("LENGTH_UNIT", "LengthUnit", 7, dir.File("none.ini")), 7);
    WriteAll(dir.File("a.ini"), "[OTHER]\nLengthUnit=1\n");
    EXPECT_EQ(ProfileFile::GetPrivateProfileInt("LENGTH_UNIT", "LengthUnit", 7, dir.File("a.ini")), 7);
}

TEST(ProfileFile, ReadsIntegersLikeTheClassicFunction)
{
    TempDir dir;
    WriteAll(dir.File("a.ini"),
             "; comment\r\n[Developer_ID]\r\n  developerid = 12xyz\r\n[S2]\r\nA=-3\r\nB=text\r\nC=\r\n");
    // Section and key names ignore case; the value's leading number counts.
    EXPECT_EQ(ProfileFile::GetPrivateProfileInt("DEVELOPER_ID", "DeveloperID", 0, dir.File("a.ini")), 12);
    EXPECT_EQ(ProfileFile::GetPrivateProfileInt("S2", "A", 9, dir.File("a.ini")), -3);
    EXPECT_EQ(ProfileFile::GetPrivateProfileInt("S2", "B", 9, dir.File("a.ini")), 0);
    EXPECT_EQ(ProfileFile::GetPrivateProfileInt("S2", "C", 9, dir.File("a.ini")), 0);
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
    EXPECT_EQ(ProfileFile::GetPrivateProfileInt("LENGTH_UNIT", "Other", 42, f), 42);
}

TEST(ProfileFile, WriteFailsWithoutTouchingAnythingWhenTheFolderIsMissing)
{
    TempDir dir;
    EXPECT_FALSE(ProfileFile::WritePrivateProfileSection("S", "K=1", dir.Path() + "/missing/x.ini"));
}

TEST(AppSettings, FirstStartWritesTwoOneLineSections)
{
    TempDir dir;
    CAppSettings s;
    s.SetFilePath(dir.File("ZAV_KDR.ini"));
    s.Load();
    EXPECT_EQ(s.m_bAppFirstTime, 1);
    EXPECT_EQ(s.m_nLengthUnit, 0);
    EXPECT_EQ(s.m_nDeveloperID, 0);
    EXPECT_EQ(s.m_nSpecialUserLevel, 0);
    ASSERT_TRUE(s.WriteIniInt("LENGTH_UNIT", "LengthUnit", 1));
    ASSERT_TRUE(s.WriteIniInt("IS_APP_FIRST_TIME", "IsAppFirstTime", 0));
    EXPECT_EQ(ReadAll(dir.File("ZAV_KDR.ini")), "[LENGTH_UNIT]\r\nLengthUnit=1\r\n[IS_APP_FIRST_TIME]\r\nIsAppFirstTime=0\r\n");
    CAppSettings again;
    again.SetFilePath(dir.File("ZAV_KDR.ini"));
    again.Load();
    EXPECT_EQ(again.m_bAppFirstTime, 0);
    EXPECT_EQ(again.m_nLengthUnit, 1);
}

TEST(AppSettings, ReadsDeveloperAndSpecialUserLevel)
{
    TempDir dir;
    WriteAll(dir.File("ZAV_KDR.ini"), "[DEVELOPER_ID]\nDeveloperID=1\n[SPECIALUSERLEVEL]\nSpecialUserLevel=1\n");
    CAppSettings s;
    s.SetFilePath(dir.File("ZAV_KDR.ini"));
    s.Load();
    EXPECT_EQ(s.m_nDeveloperID, 1);
    EXPECT_EQ(s.m_nSpecialUserLevel, 1);
    EXPECT_EQ(s.m_bAppFirstTime, 1);
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
