// Fuzz target: a project file through the document's open, as File > Open
// runs it: an input that begins with 'Z' is opened as a current ".zkdr"
// file, any other as an old ".kdr" file. A project that opens must save,
// open again from what was saved and save once more to the same bytes; one
// whose version cannot be read opens nothing. A project that opens must
// also give levels that are numbers and never endless at a few dots of each
// of its maps.
//
// The files go to a folder in memory (/dev/shm where there is one): every
// save syncs its file, which on a disk costs more than the whole run.

#include "FuzzQuiet.h"

#include "document/KDRDoc.h"
#include "platform/FileIO.h"
#include "views/SPLMapCalculator.h"

#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// The folder the files of one run go to: in memory when the machine has
// one, else the temporary folder.
fs::path BaseFolder()
{
    std::error_code ec;
    const fs::path shm("/dev/shm");
    if (fs::is_directory(shm, ec) && ::access(shm.c_str(), W_OK) == 0)
        return shm;
    return fs::temp_directory_path();
}

// A folder of this process for the files of one run, removed at exit.
struct CWorkFolder {
    fs::path path = BaseFolder() / ("kadrel-fuzz-project-" + std::to_string(::getpid()));
    CWorkFolder()
    {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~CWorkFolder()
    {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

const fs::path& WorkFolder()
{
    static const CWorkFolder folder;
    return folder.path;
}

// Work of one band pressure: frequencies times the elements of every
// installation. Beyond this a few dots take longer than the run's time
// limit; such projects are large, not wrong.
constexpr double kMaxBandWork = 2.0e6;

double BandWork(const CKDRDoc& doc, int iLo, int iHi)
{
    double elements = 0.0;
    for (const auto& inst : doc.m_installations.GetList()) {
        const CSpeakerModel* model = inst->GetModelIndex() < static_cast<DWORD>(doc.m_models.GetCount())
                                         ? doc.m_models.GetAt(static_cast<int>(inst->GetModelIndex()))
                                         : nullptr;
        elements += model ? static_cast<double>(model->GetElements().size()) + 1.0 : 1.0;
    }
    return elements * static_cast<double>(iHi - iLo);
}

// The pressure at one dot, by the evaluation the program uses and by the
// plain reference loop: the same answer to the last bit, a pressure that is
// a number and not endless, and so a level that is a number and not +inf.
// Minus infinity is the level of a dot where nothing sounds.
void CheckDot(CKDRDoc& doc, int conditionIndex, const CPoint3D& centre, int iLo, int iHi, double ppo)
{
    CSPLMapCalculator fast(doc, conditionIndex);
    CSPLMapCalculator reference(doc, conditionIndex);
    reference.SetEvaluation(CSPLMapCalculator::Evaluation::Reference);
    double p = -1.0;
    double q = -1.0;
    const int result = fast.CalcPressureAt(p, centre, iLo, iHi, ppo);
    const int referenceResult = reference.CalcPressureAt(q, centre, iLo, iHi, ppo);
    FUZZ_CHECK(result == referenceResult);
    if (result != 0)
        return;
    FUZZ_CHECK(std::memcmp(&p, &q, sizeof p) == 0);
    FUZZ_CHECK(p >= 0.0 && std::isfinite(p));
    const double level = 20.0 * std::log10(p / CSPComplex::kRefPressure);
    FUZZ_CHECK(!std::isnan(level) && level != std::numeric_limits<double>::infinity());
}

// The first, middle and last dot of every map, in the map's own band and in
// the octave around 1 kHz, summed by interference and by energy.
void CheckLevels(CKDRDoc& doc)
{
    if (doc.m_installations.GetCount() == 0)
        return;
    for (int c = 0; c < doc.m_colorMapConditions.GetCount(); ++c) {
        CColorMapCondition* condition = doc.m_colorMapConditions.GetAtOrNull(c);
        const CPlaceElementList& dots = condition->GetPlane().GetCells();
        if (dots.IsEmpty())
            continue;
        const double ppo = CSPLMapCalculator(doc, c).GetFirstInstallationPitch();
        const double bands[2][2] = {{condition->GetFrequency(), condition->GetBandFraction()}, {1000.0, 1.0}};
        const std::size_t picks[3] = {0, dots.GetCount() / 2, dots.GetCount() - 1};
        for (const auto& band : bands) {
            int iLo = 0;
            int iHi = 0;
            CSPLMapCalculator::CalcBandIndices(band[0], band[1], ppo, iLo, iHi);
            if (BandWork(doc, iLo, iHi) > kMaxBandWork)
                continue;
            for (int sum : {0, 1}) {
                condition->SetSumMode(sum);
                for (std::size_t d : picks) {
                    const double* centre = dots.GetAt(d)->GetCenter();
                    CheckDot(doc, c, CPoint3D(centre[0], centre[1], centre[2]), iLo, iHi, ppo);
                }
            }
        }
    }
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

    // The check of the first bytes, made before every open, accepts exactly
    // the current files that begin with the type name, and every old file
    // that the reader reads.
    {
        CKDRDoc open;
        const bool checked = open.CheckFileMagic(path) != FALSE;
        if (current) {
            FUZZ_CHECK(checked == (size >= CKDRDoc::kTypeNameLength &&
                                   std::memcmp(data, CKDRDoc::kTypeName, CKDRDoc::kTypeNameLength) == 0));
        } else if (!checked) {
            CKDRDoc reader;
            reader.m_bOldFormat = TRUE;
            CArchive ar(std::vector<BYTE>(data, data + size));
            bool read = true;
            try {
                reader.Serialize(ar);
            } catch (const std::exception&) {
                read = false;
            }
            FUZZ_CHECK(!read);
        }
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

    // Only now, since choosing the sums changes the project.
    CheckLevels(doc);
    return 0;
}
