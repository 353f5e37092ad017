#include "resources/StringTable.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>

namespace {

// Every id of the string table has one text, wherever it is listed.
TEST(StringTable, NoIdHasTwoTexts)
{
    namespace fs = std::filesystem;
    const std::regex entry(R"re(KADREL_STRING\((\d+),\s*"((?:[^"\\]|\\.)*)"\))re");
    std::map<unsigned, std::pair<std::string, std::string>> seen;  // id -> (text, file)
    for (const auto& f : fs::directory_iterator(fs::path(KADREL_SOURCE_DIR) / "resources" / "strings")) {
        if (f.path().extension() != ".inc")
            continue;
        std::ifstream in(f.path());
        std::string line;
        while (std::getline(in, line)) {
            std::smatch m;
            if (!std::regex_search(line, m, entry))
                continue;
            const unsigned id = static_cast<unsigned>(std::stoul(m[1]));
            const auto [it, inserted] = seen.emplace(id, std::make_pair(m[2].str(), f.path().filename().string()));
            if (!inserted) {
                EXPECT_EQ(it->second.first, m[2].str())
                    << "id " << id << " in " << it->second.second << " and " << f.path().filename();
            }
        }
    }
    ASSERT_FALSE(seen.empty());
    for (const auto& [id, text] : seen)
        EXPECT_TRUE(HasStringId(id)) << id;
}

TEST(StringTable, LoadsByIdAndGivesEmptyForUnknownIds)
{
    EXPECT_EQ(LoadStringId(61697), "Failed to open document.");
    EXPECT_EQ(LoadStringId(1), "");
    EXPECT_FALSE(HasStringId(1));
}

}  // namespace
