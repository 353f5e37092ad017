#pragma once
// Speaker-data text of the array kinds built by hand for the tests, a
// dialog double, and small helpers for the archive.

#include "models/ModelDialogs.h"
#include "models/ModuleArrangementRequests.h"
#include "models/OctaveFrequencies.h"
#include "models/SpeakerModel.h"
#include "models_base/ModelTestData.h"
#include "models_data/GoldenBytes.h"
#include "platform/Archive.h"
#include "platform/TextFile.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace arraytest {

struct Axis {
    std::string name;
    double length;
    double offset;
    double splay;
    double share;
};

// The balloon grid of every test file: meridian rows 0, 90, 180, 270 (the
// model adds 360), polar angles 0, 45, 90, 135, 180, 1/1-octave series from
// 100 Hz to 1000 Hz.
inline const std::vector<double>& Polars()
{
    static const std::vector<double> p = {0.0, 45.0, 90.0, 135.0, 180.0};
    return p;
}

inline std::vector<double> Frequencies()
{
    int count = 0, end = 0;
    std::vector<double> f;
    GetOctaveFrequencies(count, end, 100.0, 1000.0, 1.0, f);
    return f;
}

// Level of balloon b towards meridian m and polar p at frequency index k: a
// smooth pattern that differs per balloon, so that each unit is told apart.
inline double Level(int b, double m, double p, int k)
{
    return 94.0 - 3.0 * b - p / 12.0 - k + 0.01 * m;
}

inline double Phase(int b, double p, int k)
{
    return 10.0 * b + p / 4.0 + 7.0 * k;
}

inline std::string Num(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.10g", v);
    return buf;
}

// The text of a ".zsb" file: type code, count lines as given, header, one
// line tap, the polar line, the axis blocks and one balloon per unit.
inline std::string MakeText(int typeCode, const std::vector<std::string>& countLines,
                            const std::vector<Axis>& axes, int balloons, const std::string& name = "Test Array",
                            int firstBalloon = 0)
{
    std::string t = "Version 1.0.0\r\n" + std::to_string(typeCode) + "\r\n";
    for (const std::string& c : countLines)
        t += c + "\r\n";
    t += name + "\r\n1\r\n4\r\n5\r\n1\r\n100\r\n1000\r\n";
    t += "h,100,30\r\n";
    t += "0,45,90,135,180\r\n";
    for (const Axis& a : axes)
        t += a.name + "\r\n" + Num(a.length) + "\r\n" + Num(a.offset) + "\r\n" + Num(a.splay) + "\r\n" + Num(a.share) + "\r\n";
    const std::size_t K = Frequencies().size();
    for (int b = firstBalloon; b < firstBalloon + balloons; ++b) {
        for (int row = 0; row < 4; ++row) {
            const double m = 90.0 * row;
            t += Num(m) + "\r\n";
            for (std::size_t k = 0; k < K; ++k) {
                std::string line;
                for (double p : Polars()) {
                    if (!line.empty())
                        line += ",";
                    line += Num(Level(b, m, p, static_cast<int>(k))) + "," + Num(Phase(b, p, static_cast<int>(k)));
                }
                t += line + "\r\n";
            }
        }
    }
    return t;
}

// Imports the text into a new model of its type code; nullptr on failure.
inline std::unique_ptr<CSpeakerModel> Import(const std::string& text)
{
    return modeltest::ImportText(text);
}

using modeltest::Imported;

// n modules named prefix0, prefix1, ... of one length and offset, with the
// given splays (0 where none is given) and equal shares.
inline std::vector<Axis> Modules(int n, double length, double offset, const std::vector<double>& splays = {},
                                 const std::string& prefix = "M")
{
    std::vector<Axis> axes;
    for (int i = 0; i < n; ++i)
        axes.push_back({prefix + std::to_string(i), length, offset,
                        i < static_cast<int>(splays.size()) ? splays[i] : 0.0, 1.0 / n});
    return axes;
}

// The units of the cabinet kinds: U0 .. U3, each of its own length and offset.
const double kUnitLength[4] = {0.4, 0.35, 0.3, 0.25};
const double kUnitOffset[4] = {0.2, 0.21, 0.22, 0.23};
inline std::vector<Axis> Units(int n)
{
    std::vector<Axis> axes;
    for (int i = 0; i < n; ++i)
        axes.push_back({"U" + std::to_string(i), kUnitLength[i], kUnitOffset[i], 0.0, 1.0});
    return axes;
}

// The centre, upper and lower module counts of a model.
inline std::vector<DWORD> Counts(const CSpeakerModel& m)
{
    const CSpeakerTapTable& t = m.GetTapTable();
    return {t.GetCentreCount(), t.GetUpperCount(), t.GetLowerCount()};
}

// What a model places and sounds with, to compare a model before and after
// a change or a save and load.
struct Snapshot {
    std::string name;
    std::vector<DWORD> counts;
    std::vector<CPoint3D> positions, angles;
    std::vector<double> shares;
    // A TypeT placement takes its splay from the kind's table only when it
    // is placed; a loaded one keeps the stored positions instead.
    CAxisEntityArray vectors;
    std::vector<std::ptrdiff_t> balloons;  // each element's balloon
    std::vector<double> cells;             // a few cells of each element
};

inline Snapshot Take(const CSpeakerModel& m)
{
    Snapshot s{m.GetName(), Counts(m), {}, {}, {}, {}, {}, {}};
    for (const CSPVariableParam& p : m.GetPlacements()) {
        s.positions.push_back(p.GetPositionMetres());
        s.angles.push_back(p.GetAngles());
        s.shares.push_back(p.GetShare());
        if (m.GetTypeCode() != 2)
            s.vectors.push_back(p.GetEntity());
    }
    for (const CSpeakerElement& e : m.GetElements()) {
        s.balloons.push_back(e.GetBalloon() - &m.GetBalloons()[0]);
        for (int k = 0; k < 4; ++k) {
            s.cells.push_back(e.GetBalloonCell(1, 2, k).re);
            s.cells.push_back(e.GetBalloonCell(3, 1, k).im);
        }
    }
    return s;
}

inline void ExpectSame(const Snapshot& a, const Snapshot& b)
{
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.counts, b.counts);
    EXPECT_EQ(a.positions, b.positions);
    EXPECT_EQ(a.angles, b.angles);
    EXPECT_EQ(a.shares, b.shares);
    EXPECT_EQ(a.vectors, b.vectors);
    EXPECT_EQ(a.balloons, b.balloons);
    EXPECT_EQ(a.cells, b.cells);
}

// The model record as the project file holds it.
inline std::vector<BYTE> Store(CSpeakerModel& model)
{
    CArchive ar;
    model.Serialize(ar, CSpeakerModel::kVersion200);
    return ar.TakeBuffer();
}

inline std::unique_ptr<CSpeakerModel> Load(std::vector<BYTE> bytes, DWORD version = CSpeakerModel::kVersion200)
{
    CArchive ar(std::move(bytes));
    return CSpeakerModel::CreateFromArchive(ar, version);
}

// The arrangement dialog double: OK with the counts and vectors or
// parameters it was given, or Cancel; it keeps the request it was shown.
class CFakeArrangementDialogs : public IModelDialogs {
public:
    bool RunModuleArrangement(CModuleArrangementRequest& request) override
    {
        ++runs;
        shownTypeCode = request.m_nTypeCode;
        shownLengthUnit = request.m_nLengthUnit;
        auto* v = dynamic_cast<CModuleVectorArrangementRequest*>(&request);
        auto* c = dynamic_cast<CCabinetArrangementRequest*>(&request);
        if (v != nullptr) {
            shownCounts = {v->m_nCentre, v->m_nUpper, v->m_nLower};
            shownEntities = v->m_entities;
        } else if (c != nullptr) {
            shownCounts = {c->m_nCentre, c->m_nUpper, c->m_nLower};
            shownParams = c->m_params;
            shownUnits = c->m_units;
        }
        if (!ok || (v == nullptr && c == nullptr))
            return false;
        DWORD* result[3] = {v ? &v->m_nCentre : &c->m_nCentre, v ? &v->m_nUpper : &c->m_nUpper,
                            v ? &v->m_nLower : &c->m_nLower};
        for (int i = 0; i < 3; ++i)
            *result[i] = counts[i];
        if (v != nullptr)
            v->m_entities = entities;
        else
            c->m_params = params;
        return true;
    }

    bool ok = true;
    std::vector<DWORD> counts = {0, 0, 0};
    CAxisEntityArray entities;
    CTypeAandCParamArray params;

    int runs = 0;
    int shownTypeCode = -1;
    int shownLengthUnit = -1;
    std::vector<DWORD> shownCounts;
    CAxisEntityArray shownEntities;
    CTypeAandCParamArray shownParams;
    CAxisElementArray shownUnits;
};

}  // namespace arraytest
