#include "platform/ArchiveException.h"
#include "platform/FileIO.h"
#include "platform/TextFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// One scratch folder per test program, removed when the program ends.
class ScratchFolder {
public:
    ScratchFolder() : m_dir(fs::temp_directory_path() / ("kadrel-files-" + std::to_string(::getpid())))
    {
        fs::create_directories(m_dir);
    }
    ~ScratchFolder()
    {
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }
    const fs::path& Path() const { return m_dir; }

private:
    fs::path m_dir;
};

fs::path TempDir()
{
    static ScratchFolder folder;
    fs::create_directories(folder.Path());
    return folder.Path();
}

TEST(TextFile, ReadStringGivesLinesWithoutTheirEnds)
{
    CStdioFile f;
    f.OpenText("Version 1.0.0\r\n1\n\nlast");
    std::string line;
    ASSERT_TRUE(f.ReadString(line));
    EXPECT_EQ(line, "Version 1.0.0");
    ASSERT_TRUE(f.ReadString(line));
    EXPECT_EQ(line, "1");
    ASSERT_TRUE(f.ReadString(line));
    EXPECT_EQ(line, "");
    ASSERT_TRUE(f.ReadString(line));
    EXPECT_EQ(line, "last");
    EXPECT_FALSE(f.ReadString(line));
    EXPECT_FALSE(f.ReadString(line));
}

TEST(TextFile, FileOnDiskAndMissingFile)
{
    const fs::path p = TempDir() / "lines.txt";
    {
        std::ofstream o(p, std::ios::binary);
        o << "a\nb\n";
    }
    CStdioFile f;
    ASSERT_TRUE(f.Open(p.string()));
    std::string line;
    EXPECT_TRUE(f.ReadString(line));
    EXPECT_TRUE(f.ReadString(line));
    EXPECT_EQ(line, "b");
    EXPECT_FALSE(f.ReadString(line));
    CStdioFile g;
    EXPECT_FALSE(g.Open((TempDir() / "missing.txt").string()));
    EXPECT_FALSE(g.ReadString(line));
}

TEST(FileIOTest, SafeWriteReplacesTheFile)
{
    const fs::path p = TempDir() / "project.zkdr";
    FileIO::WriteFileSafely(p.string(), {1, 2, 3});
    FileIO::WriteFileSafely(p.string(), {4, 5});
    EXPECT_EQ(FileIO::ReadWholeFile(p.string()), (std::vector<BYTE>{4, 5}));
}

TEST(FileIOTest, FailedWriteLeavesTheOldFileAndNoTemporary)
{
    const fs::path dir = TempDir() / "fault";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path p = dir / "project.zkdr";
    FileIO::WriteFileSafely(p.string(), {9, 9, 9});
    FileIO::SetWriteFaultForTesting(2);
    EXPECT_THROW(FileIO::WriteFileSafely(p.string(), std::vector<BYTE>(100, 7)), CFileException);
    FileIO::SetWriteFaultForTesting(-1);
    EXPECT_EQ(FileIO::ReadWholeFile(p.string()), (std::vector<BYTE>{9, 9, 9}));
    int entries = 0;
    for (const auto& e : fs::directory_iterator(dir)) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST(FileIOTest, WriteIntoMissingFolderThrows)
{
    EXPECT_THROW(FileIO::WriteFileSafely((TempDir() / "no/such/dir/x.zkdr").string(), {1}), CFileException);
    EXPECT_THROW(FileIO::ReadWholeFile((TempDir() / "nothing-here").string()), CFileException);
}

}  // namespace

namespace {

// Permission bits decide, also for the superuser (whom access() lets write
// anything): a read-only file, or one in a folder that cannot be written, is
// not replaced by the write-beside-and-rename.
TEST(FileIOTest, ReadOnlyFilesAndFoldersAreNotReplaced)
{
    const fs::path dir = TempDir() / "modes";
    fs::remove_all(dir);
    fs::create_directories(dir / "locked");
    const struct {
        const char* name;
        bool inLockedFolder;
        int mode;  // -1: no file
        bool replaceable;
    } cases[] = {
        {"plain.zkdr", false, 0644, true},   {"readonly.zkdr", false, 0444, false},
        {"groupw.zkdr", false, 0464, false}, {"new.zkdr", false, -1, true},
        {"inlocked.zkdr", true, 0644, false}, {"newlocked.zkdr", true, -1, false},
    };
    for (const auto& c : cases) {
        const fs::path p = (c.inLockedFolder ? dir / "locked" : dir) / c.name;
        if (c.mode >= 0) {
            FileIO::WriteFileSafely(p.string(), {1, 2});
            fs::permissions(p, static_cast<fs::perms>(c.mode));
        }
    }
    fs::permissions(dir / "locked", static_cast<fs::perms>(0555));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path p = (c.inLockedFolder ? dir / "locked" : dir) / c.name;
        EXPECT_EQ(FileIO::CanReplaceFile(p.string()), c.replaceable);
        if (c.replaceable) {
            EXPECT_NO_THROW(FileIO::WriteFileSafely(p.string(), {7}));
            EXPECT_EQ(FileIO::ReadWholeFile(p.string()), (std::vector<BYTE>{7}));
        } else {
            EXPECT_THROW(FileIO::WriteFileSafely(p.string(), {7}), CFileException);
            if (c.mode >= 0) {
                EXPECT_EQ(FileIO::ReadWholeFile(p.string()), (std::vector<BYTE>{1, 2}));
                EXPECT_EQ(static_cast<int>(fs::status(p).permissions()) & 0777, c.mode);
            } else {
                EXPECT_FALSE(fs::exists(p));
            }
        }
    }
    EXPECT_FALSE(FileIO::IsWritableByPermissionBits((dir / "missing").string()));
    fs::permissions(dir / "locked", static_cast<fs::perms>(0755));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "locked"), fs::directory_iterator()), 1);
    fs::remove_all(dir);
}

}  // namespace
