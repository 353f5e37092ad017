// Fuzz target: a project file through the document's open, as File > Open
// runs it: an input that begins with 'Z' is opened as a current ".zkdr"
// file, any other as an old ".kdr" file. A project that opens must save,
// open again from what was saved and save once more to the same bytes; one
// whose version cannot be read opens nothing.

#include "FuzzQuiet.h"

#include "document/KDRDoc.h"
#include "platform/FileIO.h"

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

// A folder of this process for the files of one run, removed at exit.
const fs::path& WorkFolder()
{
    static const fs::path folder = [] {
        fs::path p = fs::temp_directory_path() / ("kadrel-fuzz-project-" + std::to_string(::getpid()));
        fs::remove_all(p);
        fs::create_directories(p);
        std::atexit([] {
            std::error_code ec;
            fs::remove_all(WorkFolder(), ec);
        });
        return p;
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool installed = (InstallQuietUi(), true);
    (void)installed;

    const bool current = size > 0 && data[0] == 'Z';
    const std::string path = (WorkFolder() / (current ? "in.zkdr" : "in.kdr")).string();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        FUZZ_CHECK(out.good());
    }

    // The check made when another project is open accepts exactly the files
    // that begin with the type name.
    {
        CKDRDoc open;
        const bool magic = size >= CKDRDoc::kTypeNameLength &&
                           std::memcmp(data, CKDRDoc::kTypeName, CKDRDoc::kTypeNameLength) == 0;
        FUZZ_CHECK((open.CheckFileMagic(path) != FALSE) == magic);
    }

    CKDRDoc doc;
    if (!doc.OnOpenDocument(path))
        return 0;
    FUZZ_CHECK(doc.m_bOldFormat == FALSE);
    FUZZ_CHECK(doc.GetVersion() == CKDRDoc::kCurrentVersion);

    const std::string first = (WorkFolder() / "first.zkdr").string();
    const std::string second = (WorkFolder() / "second.zkdr").string();
    // A version that cannot be read opens nothing: whatever opens came from
    // the file.
    FUZZ_CHECK(doc.m_bOpenedFromFile != FALSE);

    FUZZ_CHECK(doc.OnSaveDocument(first));
    CKDRDoc reopened;
    FUZZ_CHECK(reopened.OnOpenDocument(first));
    FUZZ_CHECK(reopened.OnSaveDocument(second));
    FUZZ_CHECK(FileIO::ReadWholeFile(first) == FileIO::ReadWholeFile(second));
    return 0;
}
