// Project values beyond what the calculation can take: a file that holds one
// is refused with its reason, and a file with every value at its bound opens,
// saves the same bytes and gives a map of finite levels.

#include "DocumentTestSupport.h"
#include "ProjectFileBuilders.h"

#include "document/KDRDoc.h"
#include "document/ProjectFileLimits.h"
#include "platform/Archive.h"
#include "platform/FileIO.h"
#include "views/SPLMapCalculator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

const std::string kFormat = "Unexpected file format.\n";
const std::string kPower =
    "The project file holds an installation whose power is negative, out of range or no valid number.";
const std::string kPlace =
    "The project file holds an installation whose position or angle is out of range or no valid number.";
const std::string kRoom = "The project file holds a room size, grid pitch, reference point or room height that is "
                          "out of range or no valid number.";
const std::string kTotal = "The project file holds a total power that is negative, out of range or no valid number.";
const std::string kGeometry = "The project file holds a calculation plane whose position, size or dot pitch is out "
                              "of range or no valid number.";
const std::string kLevels = "The project file holds a calculation plane whose level scale or stored levels are out "
                            "of range or no valid number.";
const std::string kView = "The project file holds a colour map whose frequency, band, scale or view angle is out of "
                          "range or no valid number.";
const std::string kAuto = "The project file holds automatic-installation values (height, angles, distances, band or "
                          "frequency) that are out of range or no valid number.";

class ProjectValueBounds : public ::testing::Test {
protected:
    void SetUp() override
    {
        CInstallationContainer::SetApplicationLengthUnit(0);
        dir = fs::temp_directory_path() /
              ("kadrel-bounds-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string Write(const std::string& name, const std::vector<BYTE>& bytes) const
    {
        const std::string path = (dir / name).string();
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    // The hand-made project with the speaker model "Tiny" (1000 to 2000 Hz,
    // third-octave data), one installation 15 W at (6, 4, 2.5) under a solid
    // ceiling at 4, and a plane of two dots at height 1.2 showing 1 kHz.
    static std::vector<BYTE> Base() { return CurrentFile(V200, "Hall A", 15.0, TinyModels(V200)).b; }

    // The bytes a save writes after the change.
    static std::vector<BYTE> Changed(const std::function<void(CKDRDoc&)>& change)
    {
        CKDRDoc doc;
        CArchive in(Base());
        doc.Serialize(in);
        change(doc);
        CArchive out;
        doc.Serialize(out);
        return out.Buffer();
    }

    static CListeningPlane& Plane(CKDRDoc& doc) { return doc.m_colorMapConditions.GetAtOrNull(0)->GetPlane(); }

    fs::path dir;
    RecordingMessages messages;
};

TEST_F(ProjectValueBounds, AValueBeyondItsBoundRefusesTheFileAndSaysWhy)
{
    using Change = std::function<void(CKDRDoc&)>;
    const struct {
        const char* name;
        Change change;
        const std::string& reason;
    } cases[] = {
        {"power 1e300", [](CKDRDoc& d) { d.m_installations.GetAt(0)->SetPower(1e300); }, kPower},
        {"power of the largest double", [](CKDRDoc& d) { d.m_installations.GetAt(0)->SetPower(DBL_MAX); }, kPower},
        {"power just above 1e100 W", [](CKDRDoc& d) { d.m_installations.GetAt(0)->SetPower(std::nextafter(1e100, kInf)); },
         kPower},
        {"position 1e155", [](CKDRDoc& d) { d.m_installations.GetAt(0)->SetPosition(1e155, 4.0, 2.5); }, kPlace},
        {"height -2e6", [](CKDRDoc& d) { d.m_installations.GetAt(0)->SetPosition(6.0, 4.0, -2e6); }, kPlace},
        {"azimuth 1e308", [](CKDRDoc& d) { d.m_installations.GetAt(0)->SetAngles(1e308, 0.0, 10.0); }, kPlace},
        {"elevation minus infinity", [](CKDRDoc& d) { d.m_installations.GetAt(0)->SetAngles(30.0, 0.0, -kInf); },
         kPlace},
        {"room height 1e200",
         [](CKDRDoc& d) { d.m_installations.SetRoom(CInstallationContainer::kRoomHeight, 1e200); }, kRoom},
        {"grid pitch no number",
         [](CKDRDoc& d) { d.m_installations.SetRoom(CInstallationContainer::kGridPitchX, kNaN); }, kRoom},
        {"reference point -2e6",
         [](CKDRDoc& d) { d.m_installations.SetRoom(CInstallationContainer::kReferenceX0, -2e6); }, kRoom},
        {"total power 1e300", [](CKDRDoc& d) { d.m_installations.SetTotalPower(1e300 * 1e10); }, kTotal},
        {"total power negative", [](CKDRDoc& d) { d.m_installations.SetTotalPower(-1.0); }, kTotal},
        {"dot centre no number", [](CKDRDoc& d) { Plane(d).GetCells().GetAt(0)->SetCenter(kNaN, 0.5, 1.2); },
         kGeometry},
        {"dot centre 1e155", [](CKDRDoc& d) { Plane(d).GetCells().GetAt(1)->SetCenter(1.5, 0.5, 1e155); },
         kGeometry},
        {"dot size infinite", [](CKDRDoc& d) { Plane(d).GetCells().GetAt(1)->SetSize(1.0, kInf, 0.0); },
         kGeometry},
        {"plane origin 1e7", [](CKDRDoc& d) { Plane(d).Set(1e7, 0.0, 1.2, 2.0, 1.0, 0.0, 1.0, 100.0, 2.0); },
         kGeometry},
        {"dot level plus infinity", [](CKDRDoc& d) { Plane(d).GetCells().GetAt(0)->SetLevel(kInf); }, kLevels},
        {"dot level no number", [](CKDRDoc& d) { Plane(d).GetCells().GetAt(1)->SetLevel(kNaN); }, kLevels},
        {"maximum no number", [](CKDRDoc& d) { Plane(d).SetMaxLevel(kNaN); }, kLevels},
        {"speech average 1e300", [](CKDRDoc& d) { Plane(d).SetSpeechAverageLevel(1e300); }, kLevels},
        {"top level 1e300", [](CKDRDoc& d) { Plane(d).Set(0.0, 0.0, 1.2, 2.0, 1.0, 0.0, 1.0, 1e300, 2.0); },
         kLevels},
        {"frequency 1e300", [](CKDRDoc& d) { d.m_colorMapConditions.GetAtOrNull(0)->SetFrequency(1e300); }, kView},
        {"frequency negative", [](CKDRDoc& d) { d.m_colorMapConditions.GetAtOrNull(0)->SetFrequency(-1000.0); },
         kView},
        {"band no number", [](CKDRDoc& d) { d.m_colorMapConditions.GetAtOrNull(0)->SetBandFraction(kNaN); }, kView},
        {"scale infinite", [](CKDRDoc& d) { d.m_colorMapConditions.GetAtOrNull(0)->SetScale(kInf); }, kView},
        {"view angle 1e308",
         [](CKDRDoc& d) { d.m_colorMapConditions.GetAtOrNull(0)->SetViewAngles(45.0, 1e308, 0.0); }, kView},
        {"automatic band negative", [](CKDRDoc& d) { d.m_dAutoBand = -3.0; }, kAuto},
        {"automatic centre infinite", [](CKDRDoc& d) { d.m_dAutoCenterFreq = kInf; }, kAuto},
        {"automatic elevation 1e308", [](CKDRDoc& d) { d.m_ptAutoAngles.z = 1e308; }, kAuto},
        {"automatic height 1e200", [](CKDRDoc& d) { d.m_dAutoHeight = 1e200; }, kAuto},
        {"automatic row distance no number", [](CKDRDoc& d) { d.m_dAutoDistance[2] = kNaN; }, kAuto},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        messages.shown.clear();
        CKDRDoc doc;
        EXPECT_FALSE(doc.OnOpenDocument(Write("poisoned.zkdr", Changed(c.change))));
        EXPECT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown.empty() ? std::string() : messages.shown[0].first, kFormat + c.reason);
        EXPECT_EQ(doc.m_models.GetCount(), 0);
        EXPECT_EQ(doc.m_installations.GetCount(), 0);
        EXPECT_EQ(doc.m_colorMapConditions.GetCount(), 0);
    }

    // A threshold of the colour scale, which no setter reaches: the sixth
    // colour and its threshold 90 dB made infinite in the bytes.
    std::vector<BYTE> bytes = Base();
    Bytes sixth;
    sixth.DW(CListeningPlane::kColorScale[5]).D(90.0);
    const auto at = std::search(bytes.begin(), bytes.end(), sixth.b.begin(), sixth.b.end());
    ASSERT_NE(at, bytes.end());
    const double inf = kInf;
    std::memcpy(&*(at + 4), &inf, 8);
    messages.shown.clear();
    CKDRDoc doc;
    EXPECT_FALSE(doc.OnOpenDocument(Write("threshold.zkdr", bytes)));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].first, kFormat + kLevels);
}

TEST_F(ProjectValueBounds, ValuesAtTheirBoundsOpenSaveTheSameBytesAndGiveFiniteLevels)
{
    using namespace ProjectFileLimits;
    const double far = kMaxLength;
    const std::vector<BYTE> atBounds = Changed([far](CKDRDoc& d) {
        CInstallationContainer& room = d.m_installations;
        // The loudest speaker near the dots, the farthest turned as far as
        // angles go, under a ceiling as high as lengths go.
        room.GetAt(0)->SetPower(kMaxPower);
        room.AddInstallation(0, 0, far, -far, far, kMaxAngle, -kMaxAngle, kMaxAngle, kMaxPower, FALSE);
        room.AddInstallation(0, 1, 0.5, 0.5, 1.2, 0.0, 0.0, 90.0, 0.0, TRUE);  // on a dot, silent
        room.SetTotalPower(kMaxTotalPower);
        room.SetRoom(CInstallationContainer::kRoomHeight, far);
        room.SetRoom(CInstallationContainer::kReferenceX0, -far);
        room.SetRoom(CInstallationContainer::kRoomLengthX, far);
        room.SetRoom(CInstallationContainer::kGridPitchY, far);
        // The second dot at the far corner; the first where a silent band
        // left it, and the scale at its bounds.
        CListeningPlane& plane = Plane(d);
        plane.GetCells().GetAt(1)->SetCenter(far, far, -far);
        plane.GetCells().GetAt(1)->SetSize(far, far, 0.0);
        plane.GetCells().GetAt(0)->SetLevel(-kInf);
        plane.SetMinLevel(-kInf);
        plane.SetMaxLevel(-kMaxLevel);
        plane.SetAverageLevel(kMaxLevel);
        CColorMapCondition& condition = *d.m_colorMapConditions.GetAtOrNull(0);
        condition.SetScale(kMaxScale);
        condition.SetViewAngles(kMaxAngle, -kMaxAngle, 0.0);
        d.m_dAutoBand = kMaxBandFraction;
        d.m_dAutoCenterFreq = kMaxFrequency;
        d.m_ptAutoAngles = CPoint3D(-kMaxAngle, CKDRDoc::kNotSet, kMaxAngle);
        d.m_dAutoHeight = -far;
        d.m_dAutoDistance[3] = far;
    });

    CKDRDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(Write("bounds.zkdr", atBounds)));
    EXPECT_TRUE(messages.shown.empty());
    ASSERT_EQ(doc.m_installations.GetCount(), 3);
    const std::string again = (dir / "again.zkdr").string();
    ASSERT_TRUE(doc.OnSaveDocument(again));
    EXPECT_EQ(FileIO::ReadWholeFile(again), atBounds);

    // The map over both dots, by both evaluations and both sums: every level
    // finite, the two evaluations bit for bit the same.
    for (int sum : {0, 1}) {
        doc.m_colorMapConditions.GetAtOrNull(0)->SetSumMode(sum);
        double levels[2][2] = {};
        int e = 0;
        for (auto evaluation : {CSPLMapCalculator::Evaluation::Reference, CSPLMapCalculator::Evaluation::Fast}) {
            CSPLMapCalculator calc(doc, 0);
            calc.SetEvaluation(evaluation);
            calc.SetThreadCount(1);
            Plane(doc).ClearResults();
            calc.CalcColorMap();
            for (int i = 0; i < 2; ++i) {
                levels[e][i] = Plane(doc).GetCells().GetAt(static_cast<std::size_t>(i))->GetLevel();
                EXPECT_TRUE(std::isfinite(levels[e][i])) << sum << " " << e << " " << i << " " << levels[e][i];
            }
            EXPECT_TRUE(std::isfinite(Plane(doc).GetAverageLevel())) << sum << " " << e;
            ++e;
        }
        EXPECT_EQ(std::memcmp(levels[0], levels[1], sizeof levels[0]), 0) << sum;
    }
}

}  // namespace
