// Damaged model records and import files of every kind: each one either
// loads, is refused or ends with an archive error; none crashes, hangs or
// asks for unbounded memory (the sanitizer build checks the rest).
#include "ModelTestData.h"

#include "platform/ArchiveException.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using namespace modeltest;

ZsbRecipe DamageRecipe(int typeCode)
{
    ZsbRecipe recipe = SmallRecipe(typeCode, 250.0, 4000.0, 60.0);
    recipe.taps = {ZsbTap{'h', 100.0, 10.0}, ZsbTap{'l', 8.0, 60.0, 1.5, true}};
    return recipe;
}

// Loads bytes as a model record; a model that loads must compute.
void TryLoad(const std::vector<BYTE>& bytes, DWORD version)
{
    CArchive in(bytes);
    try {
        if (const auto model = CSpeakerModel::CreateFromArchive(in, version))
            Exercise(*model);
    } catch (const CArchiveException&) {
    }
}

TEST(DamagedInputTest, DamagedModelRecordsNeverCrash)
{
    std::mt19937 rng(4711);
    for (int code = 0; code <= 8; ++code) {
        SCOPED_TRACE(code);
        const auto model = Imported(MakeZsbText(DamageRecipe(code)));
        for (DWORD version : {0x01000000u, 0x01040000u, 0x02000000u}) {
            CArchive out;
            model->Serialize(out, version);
            const std::vector<BYTE> whole = out.Buffer();
            // A record written now is in the current layout, which the old
            // versions read differently: a damage of its own kind.
            TryLoad(whole, version);
            for (int round = 0; round < 300; ++round) {
                std::vector<BYTE> bytes = whole;
                const int changes = 1 + static_cast<int>(rng() % 4);
                for (int c = 0; c < changes && !bytes.empty(); ++c) {
                    const std::size_t at = rng() % bytes.size();
                    switch (rng() % 3) {
                    case 0: bytes[at] = static_cast<BYTE>(rng()); break;
                    case 1: bytes[at] = 0xFF; break;
                    default: bytes.resize(at); break;
                    }
                }
                TryLoad(bytes, version);
            }
        }
    }
}

TEST(DamagedInputTest, CutOrDamagedImportFilesImportOrFail)
{
    const char* values[] = {"", "-1", "0", "1e999", "-1e999", "65535", "65536", "4097", "2147483647", "abc", ",,,",
                            "360", "h,1e999,1e999", "l", "9", "-0.5", "nan", "-inf"};
    // A model that imports must hold bounded counts and compute.
    auto check = [](const std::string& text) {
        if (const auto model = ImportText(text)) {
            EXPECT_LE(model->GetTapTable().GetElementCount(), 4096u);
            EXPECT_LE(model->GetElements().size(), model->GetPlacements().size());
            Exercise(*model);
        }
    };
    std::mt19937 rng(815);
    for (int code = 0; code <= 8; ++code) {
        SCOPED_TRACE(code);
        const std::vector<std::string> lines = Lines(MakeZsbText(DamageRecipe(code)));
        // Cut after every line.
        for (std::size_t n = 0; n < lines.size(); ++n)
            check(Join(lines, n));
        // Each line of the header, taps, polar angles and axis blocks (line 0
        // is the version line, line 1 the type code) replaced by each value.
        for (std::size_t i = 2; i < lines.size() && i < 40; ++i) {
            for (const char* value : values) {
                std::vector<std::string> damaged = lines;
                damaged[i] = value;
                check(Join(damaged));
            }
        }
        // A few lines anywhere replaced at random.
        for (int round = 0; round < 150; ++round) {
            std::vector<std::string> damaged = lines;
            const int changes = 1 + static_cast<int>(rng() % 3);
            for (int c = 0; c < changes; ++c)
                damaged[2 + rng() % (damaged.size() - 2)] = values[rng() % std::size(values)];
            check(Join(damaged));
        }
    }
}

}  // namespace

