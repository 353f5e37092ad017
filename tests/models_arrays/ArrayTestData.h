#pragma once
// Speaker-data text of the array kinds built by hand for the tests, a
// dialog double, and small helpers for the archive.

#include "models/ModelDialogs.h"
#include "models/ModuleArrangementRequests.h"
#include "models/OctaveFrequencies.h"
#include "models/SpeakerModel.h"
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
    CStdioFile file;
    file.OpenText(text);
    std::string line;
    if (!file.ReadString(line) || line != "Version 1.0.0" || !file.ReadString(line))
        return nullptr;
    auto model = CSpeakerModel::CreateModel(std::atoi(line.c_str()));
    if (!model || !model->ImportFromFile(file, nullptr))
        return nullptr;
    return model;
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

// Little-endian golden bytes built by hand.
struct Bytes {
    std::vector<BYTE> b;
    Bytes& W(unsigned v)
    {
        b.push_back(static_cast<BYTE>(v & 0xFF));
        b.push_back(static_cast<BYTE>((v >> 8) & 0xFF));
        return *this;
    }
    Bytes& I(std::int32_t v)
    {
        const auto u = static_cast<std::uint32_t>(v);
        for (int i = 0; i < 4; ++i)
            b.push_back(static_cast<BYTE>((u >> (8 * i)) & 0xFF));
        return *this;
    }
    Bytes& D(double v)
    {
        std::uint64_t u = 0;
        std::memcpy(&u, &v, sizeof u);
        for (int i = 0; i < 8; ++i)
            b.push_back(static_cast<BYTE>((u >> (8 * i)) & 0xFF));
        return *this;
    }
    // A short single-byte string: one length byte, then the characters.
    Bytes& S(const std::string& s)
    {
        b.push_back(static_cast<BYTE>(s.size()));
        for (char c : s)
            b.push_back(static_cast<BYTE>(c));
        return *this;
    }
};

// The arrangement dialog double: OK with the counts and vectors or
// parameters it was given, or Cancel; it keeps the request it was shown.
class CFakeArrangementDialogs : public IModelDialogs {
public:
    bool RunModuleArrangement(CModuleArrangementRequest& request) override
    {
        ++runs;
        shownTypeCode = request.m_nTypeCode;
        shownLengthUnit = request.m_nLengthUnit;
        if (auto* v = dynamic_cast<CModuleVectorArrangementRequest*>(&request)) {
            shownCounts = {v->m_nCentre, v->m_nUpper, v->m_nLower};
            shownEntities = v->m_entities;
            if (!ok)
                return false;
            v->m_nCentre = counts[0];
            v->m_nUpper = counts[1];
            v->m_nLower = counts[2];
            v->m_entities = entities;
            return true;
        }
        if (auto* c = dynamic_cast<CCabinetArrangementRequest*>(&request)) {
            shownCounts = {c->m_nCentre, c->m_nUpper, c->m_nLower};
            shownParams = c->m_params;
            shownUnits = c->m_units;
            if (!ok)
                return false;
            c->m_nCentre = counts[0];
            c->m_nUpper = counts[1];
            c->m_nLower = counts[2];
            c->m_params = params;
            return true;
        }
        return false;
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
