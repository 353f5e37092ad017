#pragma once
// Hand-made project files of every version, current and old form, built byte
// by byte: the tests check the load against them, and the fuzz seeds start
// from them.

#include "DocumentTestSupport.h"

#include "document/ListeningPlane.h"
#include "platform/Types.h"

#include <string>

inline constexpr DWORD V100 = 0x01000000;
inline constexpr DWORD V130 = 0x01030000;
inline constexpr DWORD V142 = 0x01040200;
inline constexpr DWORD V200 = 0x02000000;

// The body of a project as the hand-made files of each version carry it:
// one model-free project with one installation, one condition with a 2 x 1
// plane and one graph.
// The model container record: none unless given.
inline Bytes NoModels()
{
    Bytes m;
    m.W(0).W(0);
    return m;
}

inline Bytes Body(DWORD v, const std::string& name = "Hall A", double power = 15.0, const Bytes& models = NoModels())
{
    const bool v14 = v >= 0x01040000;
    Bytes b;
    b.W(2).W(1).W(2).W(0).W(1).S(name).S("2026-12-07").W(0).W(3);
    b.D(3.0).D(1000.0).D(10.0).D(20.0).D(30.0).D(2.5).D(1.0).D(2.0).D(3.0).D(4.0).W(0);
    if (v != V100) {
        b.W(1);
    }
    b.Append(models);
    // installations
    b.W(0).W(1).D(1.0).D(1.0);
    if (v14) {
        b.D(0.5).D(12.0).D(8.0).D(0.25).D(0.0).D(0.0).D(4.0);
    } else {
        b.D(12.0).D(8.0).D(0.0).D(0.0).D(0.25);
    }
    b.D(15.0).W(1);
    b.D(30.0).D(0.0).D(10.0).D(power).W(1).D(6.0).D(4.0).D(2.5).W(0).W(0);
    // colour-map conditions
    b.W(0).W(1);
    b.W(1).D(3.0).D(1000.0).W(640).W(480).W(110).W(44).W(40).W(324).D(0.5);
    b.W(2).W(25).D(1.0).D(2.0).D(2.0).D(1.0);
    if (v14) {
        b.D(0.0);
    }
    b.D(100.0).D(0.0).D(0.0).D(1.2);
    for (int i = 0; i < 2; ++i) {
        b.D(0.5 + i).D(0.5).D(1.2).D(1.0).D(1.0);
        if (v14) {
            b.D(0.0);
        }
        b.D(90.0 - i);
    }
    for (int k = 0; k < 25; ++k) {
        b.DW(CListeningPlane::kColorScale[k]).D(k < 24 ? 100.0 - 2.0 * k : 0.0);
    }
    b.D(90.0).D(89.0).D(89.5).D(85.5);
    if (v14) {
        b.D(45.0).D(75.0).D(0.0);
    }
    // sound graphs
    b.W(0).W(1).W(60).W(20).W(20).W(40).D(1.0).D(1.0);
    b.W(0).W(1).D(20).D(20000).D(50).D(120).D(1000).D(10).I(1).I(0);
    b.I(3).S("").W(3).D(100).D(80).D(1000).D(85).D(10000).D(70);
    return b;
}

inline Bytes CurrentFile(DWORD v, const std::string& name = "Hall A", double power = 15.0, const Bytes& models = NoModels())
{
    Bytes f;
    f.Raw("ZAVKDRDoc").DW(v).Append(Body(v, name, power, models));
    return f;
}

inline Bytes OldFile(const std::string& versionText, DWORD v, const Bytes& models = NoModels(), bool wide = false)
{
    Bytes f;
    (wide ? f.S16(versionText) : f.S(versionText)).Append(Body(v, "Hall A", 15.0, models));
    return f;
}

// The record of a standard speaker "Tiny" with three polar angles, three
// meridians, four frequencies and two taps (100 V line 10 W, 8 ohm 5 W), as
// a file of version v lays it out: the name suffix and the tap factors came
// with 1.4.0, and 2.0.0 put the balloon before the frequencies.
inline Bytes TinyModelRecord(DWORD v)
{
    const bool v14 = v >= 0x01040000;
    Bytes r;
    r.W(0);                          // type code: standard speaker
    r.W(0).W(0).W(0);                // module counts
    r.D(0.0).D(0.0).D(0.0);          // aim angles
    r.S("Tiny");
    if (v14) {
        r.S("");
    }
    r.D(1.0).D(0.0).D(0.0).D(0.0);   // share, position
    r.D(1.0).W(3).W(3).W(4).D(3.0).D(1000.0).D(2000.0).W(2);
    r.W(1);                          // current tap
    r.W(0).D(100.0).D(10.0);
    if (v14) {
        r.D(1.0);
    }
    r.W(1).D(8.0).D(5.0);
    if (v14) {
        r.D(2.5);
    }
    r.D(0.0).D(90.0).D(180.0);       // polar angles
    r.D(0.0).D(180.0).D(360.0);      // meridian angles
    Bytes cells;
    for (int i = 0; i < 3 * 3 * 4; ++i) {
        cells.D(0.01 * (i + 1)).D(0.0);
    }
    Bytes frequencies;
    frequencies.D(1000.0).D(1258.9254117941673).D(1584.8931924611134).D(1995.2623149688795);
    if (v >= V200) {
        r.Append(cells).Append(frequencies);
    } else {
        r.Append(frequencies).Append(cells);
    }
    return r;
}

// A container of that one model; files before 2.0.0 put a 30-byte summary
// before each model and a second copy of it after.
inline Bytes TinyModels(DWORD v)
{
    Bytes m;
    m.W(0).W(1);
    if (v < V200) {
        m.W(3).W(3).D(3.0).D(1000.0).D(2000.0).W(2);
        m.Append(TinyModelRecord(v));
    }
    m.Append(TinyModelRecord(v));
    return m;
}
