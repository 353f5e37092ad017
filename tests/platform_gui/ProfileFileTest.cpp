// The settings file: "GetPrivateProfileInt" reading, one-line section
// writes, and where the file goes.

#include "TestSupport.h"

#include "platform/AppSettings.h"
#include "platform/ProfileFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
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

    // An empty file gives the defaults.
    WriteAll(f, "");
    CAppSettings s;
    s.m_nLengthUnit = s.m_nDeveloperID = s.m_nSpecialUserLevel = 1;
    s.m_bAppFirstTime = 0;
    s.SetFilePath(f);
    s.Load();
    EXPECT_EQ(std::vector<int>({s.m_nLengthUnit, s.m_bAppFirstTime, s.m_nDeveloperID, s.m_nSpecialUserLevel}),
              std::vector<int>({0, 1, 0, 0}));
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

// Another running program is halfway through writing the settings: a
// write of this one leaves the other's unfinished file alone, so each
// program puts a whole file of its own in place and the lines never mix.
TEST(ProfileFile, AWriteLeavesTheUnfinishedFileOfAnotherInstanceAlone)
{
    TempDir dir;
    const std::string f = dir.File("a.ini");
    WriteAll(f, "[A]\r\nx=1\r\n");
    // The other program's file beside the settings, still open for writing,
    // under the name a shared temporary name would have.
    const std::string others = f + ".tmp";
    WriteAll(others, "[A]\r\nx=2\r\n[B]\r\n");
    const int other = ::open(others.c_str(), O_WRONLY | O_APPEND);
    ASSERT_GE(other, 0);

    ASSERT_TRUE(ProfileFile::WritePrivateProfileSection("C", "z=3", f));
    EXPECT_EQ(ReadAll(f), "[A]\r\nx=1\r\n[C]\r\nz=3\r\n");
    EXPECT_EQ(ReadAll(others), "[A]\r\nx=2\r\n[B]\r\n");

    // The other program finishes and puts its file in place.
    const std::string rest = "y=4\r\n";
    ASSERT_EQ(::write(other, rest.data(), rest.size()), static_cast<ssize_t>(rest.size()));
    ::close(other);
    ASSERT_EQ(std::rename(others.c_str(), f.c_str()), 0);
    EXPECT_EQ(ReadAll(f), "[A]\r\nx=2\r\n[B]\r\ny=4\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), std::filesystem::directory_iterator()), 1);
}

// A settings file kept elsewhere and linked into place stays a link, and
// the file keeps its mode.
TEST(ProfileFile, AWrittenFileKeepsItsModeAndItsLink)
{
    TempDir dir;
    const std::string real = dir.File("dotfiles.ini");
    const std::string link = dir.File("ZAV_KDR.ini");
    WriteAll(real, "[A]\r\nx=1\r\n");
    std::filesystem::permissions(real, static_cast<std::filesystem::perms>(0600));
    std::filesystem::create_symlink("dotfiles.ini", link);
    const mode_t old = ::umask(022);
    const bool written = ProfileFile::WritePrivateProfileSection("A", "x=2", link);
    ::umask(old);
    ASSERT_TRUE(written);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadAll(real), "[A]\r\nx=2\r\n");
    EXPECT_EQ(static_cast<int>(std::filesystem::status(real).permissions()), 0600);
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

// An installed program's folder cannot be written: the file an
// administrator put there is read until the user's copy exists; the first
// write starts that copy from it, keeping its other settings, and from then
// on the copy is read. A writable folder keeps everything beside the
// program; a read-only file there sends the writes to the user's copy.
TEST(AppSettings, TheFileBesideAnInstalledProgramIsReadUntilTheUsersCopyExists)
{
    TempDir dir;
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    setenv("XDG_CONFIG_HOME", (dir.Path() + "/cfg").c_str(), 1);
    const std::string program = dir.Path() + "/bin/";
    const std::string user = dir.Path() + "/cfg/ZAV_KDR.ini";
    std::filesystem::create_directories(program);
    WriteAll(program + "ZAV_KDR.ini", "[IS_APP_FIRST_TIME]\r\nIsAppFirstTime=0\r\n[DEVELOPER_ID]\r\nDeveloperID=1\r\n");

    CAppSettings writable;
    writable.ChooseFiles(program);
    EXPECT_EQ(writable.GetFilePath(), program + "ZAV_KDR.ini");
    EXPECT_EQ(writable.GetWritePath(), program + "ZAV_KDR.ini");

    std::filesystem::permissions(program, static_cast<std::filesystem::perms>(0555));
    CAppSettings s;
    s.ChooseFiles(program);
    EXPECT_EQ(s.GetFilePath(), program + "ZAV_KDR.ini");
    EXPECT_EQ(s.GetWritePath(), user);
    s.Load();
    EXPECT_EQ(s.m_bAppFirstTime, 0);
    EXPECT_EQ(s.m_nDeveloperID, 1);
    // The user's copy is a new file of the user's: the umask decides its mode.
    const mode_t oldMask = ::umask(027);
    const bool written = s.WriteIniInt("LENGTH_UNIT", "LengthUnit", 1);
    ::umask(oldMask);
    ASSERT_TRUE(written);
    EXPECT_EQ(static_cast<int>(std::filesystem::status(user).permissions()), 0640);
    EXPECT_EQ(ReadAll(user),
              "[IS_APP_FIRST_TIME]\r\nIsAppFirstTime=0\r\n[DEVELOPER_ID]\r\nDeveloperID=1\r\n[LENGTH_UNIT]\r\nLengthUnit=1\r\n");
    EXPECT_EQ(ReadAll(program + "ZAV_KDR.ini"),
              "[IS_APP_FIRST_TIME]\r\nIsAppFirstTime=0\r\n[DEVELOPER_ID]\r\nDeveloperID=1\r\n");

    // The next start reads the user's copy.
    WriteAll(user, "[DEVELOPER_ID]\r\nDeveloperID=0\r\n");
    CAppSettings next;
    next.ChooseFiles(program);
    EXPECT_EQ(next.GetFilePath(), user);
    next.Load();
    EXPECT_EQ(next.m_nDeveloperID, 0);
    std::filesystem::permissions(program, static_cast<std::filesystem::perms>(0755));

    // A writable folder whose file is read-only.
    std::filesystem::remove(user);
    std::filesystem::permissions(program + "ZAV_KDR.ini", static_cast<std::filesystem::perms>(0444));
    CAppSettings locked;
    locked.ChooseFiles(program);
    EXPECT_EQ(locked.GetFilePath(), program + "ZAV_KDR.ini");
    EXPECT_EQ(locked.GetWritePath(), user);

    if (old)
        setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}

// A pipe in the settings file's place is neither waited on nor replaced:
// reading gives the default and a write fails, at once (a timer ends the
// child should it wait).
TEST(ProfileFile, APipeInTheFilesPlaceIsNotWaitedOn)
{
    TempDir dir;
    const std::string f = dir.File("ZAV_KDR.ini");
    ASSERT_EQ(::mkfifo(f.c_str(), 0666), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(2);
        const bool refused = ProfileFile::GetPrivateProfileInt("LENGTH_UNIT", "LengthUnit", 7, f) == 7 &&
                             !ProfileFile::WritePrivateProfileSection("LENGTH_UNIT", "LengthUnit=1", f);
        ::_exit(refused ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "waited on the pipe or wrote it";
}
