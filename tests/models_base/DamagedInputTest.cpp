// Randomly damaged model records and import files: each one either loads,
// is refused or ends with an archive error; none crashes, hangs or asks for
// unbounded memory (the sanitizer build checks the rest).
#include "ModelTestData.h"
#include "tools/zsbgen/ZsbWriter.h"

#include "platform/ArchiveException.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

ZsbSpec SmallSpec(int typeCode)
{
    ZsbSpec spec;
    spec.typeCode = typeCode;
    spec.name = "Damaged";
    spec.pitch = 1;
    spec.lowest = 250.0;
    spec.highest = 4000.0;
    spec.meridianStep = 90.0;
    spec.polarStep = 60.0;
    spec.taps = {ZsbTap{'h', 100.0, 10.0}, ZsbTap{'l', 8.0, 60.0, 1.5, true}};
    const ZsbKind* kind = FindZsbKind(typeCode);
    if (kind != nullptr)
        kind->applyDefaults(spec);
    return spec;
}

// Loads bytes as a model record; true when it loaded, false on an archive
// error or an unknown kind. Any loaded model must compute without crashing.
bool TryLoad(const std::vector<BYTE>& bytes, DWORD version)
{
    CArchive in(bytes);
    try {
        const auto model = CSpeakerModel::CreateFromArchive(in, version);
        if (!model)
            return false;
        for (double f : model->GetHeader().GetFrequencies()) {
            CSPComplex p;
            model->CalcPressure(p, CPoint3D(2, 1, 0.5), CPoint3D(0, 0, 2), CPoint3D(10, 0, 30), f, 3.0, false, 1.0,
                                1.0, true, 0);
        }
        return true;
    } catch (const CArchiveException&) {
        return false;
    }
}

TEST(DamagedInputTest, DamagedModelRecordsNeverCrash)
{
    std::mt19937 rng(4711);
    for (int code = 0; code <= 8; ++code) {
        SCOPED_TRACE(code);
        const auto model = modeltest::ImportText(MakeZsbText(SmallSpec(code)));
        ASSERT_NE(model, nullptr);
        for (DWORD version : {0x01000000u, 0x01040000u, 0x02000000u}) {
            CArchive out;
            model->Serialize(out, version);
            const std::vector<BYTE> whole = out.Buffer();
            // A record written now is in the current layout, which the old
            // versions read differently: a damage of its own kind.
            (void)TryLoad(whole, version);
            for (int round = 0; round < 300; ++round) {
                std::vector<BYTE> bytes = whole;
                const int changes = 1 + static_cast<int>(rng() % 4);
                for (int c = 0; c < changes; ++c) {
                    const std::size_t at = rng() % bytes.size();
                    switch (rng() % 3) {
                    case 0:
                        bytes[at] = static_cast<BYTE>(rng());
                        break;
                    case 1:
                        bytes[at] = 0xFF;
                        break;
                    default:
                        bytes.resize(at);
                        break;
                    }
                    if (bytes.empty())
                        break;
                }
                (void)TryLoad(bytes, version);
            }
        }
    }
}

TEST(DamagedInputTest, DamagedImportFilesNeverCrash)
{
    std::mt19937 rng(815);
    const char* replacements[] = {"", "-1", "0", "1e999", "-1e999", "65535", "2147483647", "abc", ",,,", "360",
                                  "h,1e999,1e999", "l", "9", "-0.5"};
    for (int code = 0; code <= 8; ++code) {
        SCOPED_TRACE(code);
        std::vector<std::string> lines;
        std::istringstream in(MakeZsbText(SmallSpec(code)));
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        for (int round = 0; round < 150; ++round) {
            std::vector<std::string> damaged = lines;
            const int changes = 1 + static_cast<int>(rng() % 3);
            for (int c = 0; c < changes; ++c) {
                // Line 0 is the version line, line 1 the type code.
                const std::size_t at = 2 + rng() % (damaged.size() - 2);
                damaged[at] = replacements[rng() % std::size(replacements)];
            }
            std::string text;
            for (const std::string& l : damaged)
                text += l + "\n";
            const auto model = modeltest::ImportText(text);
            if (model) {
                for (double f : model->GetHeader().GetFrequencies()) {
                    CSPComplex p;
                    model->CalcPressure(p, CPoint3D(2, 1, 0.5), CPoint3D(0, 0, 2), CPoint3D(), f, 3.0, false, 1.0,
                                        1.0, true, 0);
                }
            }
        }
    }
}

}  // namespace
