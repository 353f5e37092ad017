#include "ListsTestSupport.h"

#include <filesystem>
#include <fstream>

#include <unistd.h>

std::string StdSpeakerZsb(const std::string& name, int pitch, const std::vector<std::string>& taps,
                          const std::string& versionLine)
{
    std::string text = versionLine + "\n";
    text += "0\n";                                  // type code: standard speaker
    text += name + "\n";                            // name
    text += std::to_string(taps.size()) + "\n";     // tap count
    text += "1\n";                                  // meridian rows in the file
    text += "3\n";                                  // polar angle count
    text += std::to_string(pitch) + "\n";           // frequency pitch
    text += "1000\n1000\n";                         // lowest, highest frequency
    for (const std::string& tap : taps)
        text += tap + "\n";
    text += "0,90,180\n";                           // polar angles
    text += "0\n";                                  // meridian angle of the one row
    text += "90,0,84,0,80,0\n";                     // 1000 Hz: level, phase per polar angle
    return text;
}

std::string WriteTempFile(const std::string& fileName, const std::string& text)
{
    // One folder per test process (the test cases run as parallel
    // processes), removed when the process ends.
    struct CTempFolder {
        std::filesystem::path path =
            std::filesystem::temp_directory_path() / ("kadrel-lists-tests-" + std::to_string(::getpid()));
        CTempFolder() { std::filesystem::create_directories(path); }
        ~CTempFolder()
        {
            std::error_code ec;
            std::filesystem::remove_all(path, ec);
        }
    };
    static const CTempFolder folder;
    const std::filesystem::path& dir = folder.path;
    const std::filesystem::path path = dir / fileName;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return path.string();
}
