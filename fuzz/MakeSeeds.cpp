// kadrel_fuzz_seeds: writes the seed inputs of the fuzz targets into
// FOLDER/<target>/: small speaker-data files of every kind from the sample
// generator, projects the program saved with those speakers imported, the
// hand-made project files of every old version, and a few number texts and
// archive strings.

#include "FuzzQuiet.h"
#include "ProjectFileBuilders.h"

#include "document/KDRDoc.h"
#include "platform/Archive.h"
#include "platform/TextFile.h"
#include "tools/zsbgen/ZsbWriter.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

void WriteFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void WriteFile(const fs::path& path, const std::vector<BYTE>& bytes)
{
    WriteFile(path, std::string(bytes.begin(), bytes.end()));
}

// Two small grids per kind: 1/1 octave with four meridian rows and five
// polar angles, and 1/3 octave with three rows, seven angles and a line and
// a low-impedance tap.
std::vector<std::string> SpeakerFiles(const ZsbKind& kind)
{
    std::vector<std::string> out;
    for (int variant = 0; variant < 2; ++variant) {
        ZsbRecipe recipe;
        recipe.typeCode = kind.typeCode;
        recipe.name = "Seed " + std::to_string(kind.typeCode);
        if (variant == 0) {
            recipe.pitch = 1;
            recipe.lowest = 125.0;
            recipe.highest = 4000.0;
            recipe.meridianStep = 90.0;
            recipe.polarStep = 45.0;
            recipe.taps = {ZsbTap{}};
        } else {
            recipe.pitch = 3;
            recipe.lowest = 250.0;
            recipe.highest = 2000.0;
            recipe.meridianStep = 120.0;
            recipe.polarStep = 30.0;
            recipe.taps = {ZsbTap{'h', 70.7, 6.0, 1.0, true}, ZsbTap{'l', 8.0, 100.0, 2.5, true}};
        }
        kind.applyDefaults(recipe);
        out.push_back(MakeZsbText(recipe));
    }
    return out;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kadrel_fuzz_seeds FOLDER\n");
        return 2;
    }
    InstallQuietUi();
    const fs::path root(argv[1]);
    const fs::path zsb = root / "zsb_import";
    const fs::path project = root / "project_open";
    const fs::path numbers = root / "numbers_strings";
    for (const fs::path& p : {zsb, project, numbers})
        fs::create_directories(p);

    // Speaker data, and a project the program saved with each speaker
    // imported into the hand-made current project.
    for (const ZsbKind& kind : ZsbKinds()) {
        const std::vector<std::string> files = SpeakerFiles(kind);
        for (std::size_t i = 0; i < files.size(); ++i) {
            const std::string stem = "kind" + std::to_string(kind.typeCode) + "-" + std::to_string(i);
            WriteFile(zsb / (stem + ".zsb"), files[i]);

            CKDRDoc doc;
            CArchive in(CurrentFile(V200).b);
            doc.Serialize(in);
            CStdioFile file;
            file.OpenText(files[i]);
            if (!doc.ImportSpeakerFile(file) || !doc.OnSaveDocument((project / ("saved-" + stem)).string())) {
                std::fprintf(stderr, "kadrel_fuzz_seeds: %s does not import\n", stem.c_str());
                return 1;
            }
        }
    }

    // Hand-made projects of every version (the old ones in their own form).
    WriteFile(project / "current-200", CurrentFile(V200).b);
    WriteFile(project / "current-200-model", CurrentFile(V200, "Hall A", 15.0, TinyModels(V200)).b);
    WriteFile(project / "current-130-model", CurrentFile(V130, "Hall A", 15.0, TinyModels(V130)).b);
    WriteFile(project / "old-100", OldFile("Version 1.0.0", V100).b);
    WriteFile(project / "old-130-model", OldFile("Version 1.3.0", V130, TinyModels(V130)).b);
    WriteFile(project / "old-140-model", OldFile("Version 1.4.0", 0x01040000, TinyModels(0x01040000)).b);
    WriteFile(project / "old-141", OldFile("Version 1.4.1", 0x01040100).b);
    WriteFile(project / "old-142-model", OldFile("Version 1.4.2", V142, TinyModels(V142)).b);
    WriteFile(project / "old-142-wide", OldFile("Version 1.4.2", V142, NoModels(), true).b);

    // Number texts, and archive strings of every prefix form.
    WriteFile(numbers / "decimal", std::string("  -12.5e3xyz"));
    WriteFile(numbers / "hex", std::string("0x1p3"));
    WriteFile(numbers / "words", std::string("inf nan 1e400 4.9e-324"));
    WriteFile(numbers / "integer", std::string("+2147483648 9"));
    std::string strings;
    strings += '\x05';
    strings += "hello";
    strings += std::string("\xFF\xFF\x00", 3) + std::string(255, 'a');
    strings += std::string("\xFF\xFE\xFF\x03" "a\0b\0\xE4\0", 10);
    strings += std::string("\x03\x80\xE9\x81", 4);
    WriteFile(numbers / "strings", strings);
    return 0;
}
