#pragma once
// The fast evaluation of band pressures for the SPL map calculation.
//
// Everything that does not depend on the receiver point is prepared once
// when the evaluator is built: each element's world source and aim (and
// their mirror images under a solid ceiling) with the sines and cosines of
// the aim, each power factor, the data-frequency index of every series
// point of the band in every model, and (for maps) the level and phase of
// every balloon cell at the band's frequencies. Per point, the geometry of
// each element (distance, direction, grid bracket and interpolation
// weights) is worked out once and used for every frequency.
//
// Every floating-point operation that reaches a result is the one the
// model's own pressure calculation performs, with the same operands in the
// same order, so the band pressure is the same to the last bit as the plain
// evaluation. The evaluator owns copies of everything it reads: once built,
// it does not touch the document, and one evaluator may serve several
// threads, each with its own scratch.

#include "models/Point3D.h"
#include "models/SPComplex.h"

#include <memory>
#include <vector>

class CKDRDoc;

class CSPLFastEvaluator {
public:
    // Prepares the document's installations for the series points
    // iMin <= i < iMax of the 1/ppo-octave series. cellTables: also convert
    // every balloon cell at those frequencies to level and phase (worth it
    // when many points follow, as in a map; without the tables the four
    // cells around a direction are converted when needed).
    CSPLFastEvaluator(const CKDRDoc& doc, int iMin, int iMax, double ppo, int sumMode, bool cellTables);
    ~CSPLFastEvaluator();
    CSPLFastEvaluator(const CSPLFastEvaluator&) = delete;
    CSPLFastEvaluator& operator=(const CSPLFastEvaluator&) = delete;

    // Work buffers of one thread.
    class CScratch;
    struct ScratchDeleter {
        void operator()(CScratch* s) const;
    };
    using ScratchPtr = std::unique_ptr<CScratch, ScratchDeleter>;
    ScratchPtr MakeScratch() const;

    // Works out the geometry of every element towards point.
    void PreparePoint(const CPoint3D& point, CScratch& scratch) const;
    // The band pressure over iLo <= i < iHi (within the prepared range) at
    // the point last prepared: 0 done, 1 failed (a model lacks one of the
    // band frequencies inside its range, or the band is empty).
    int EvaluateBand(CScratch& scratch, int iLo, int iHi, double& p) const;
    // PreparePoint, then EvaluateBand.
    int Evaluate(const CPoint3D& point, int iLo, int iHi, double& p, CScratch& scratch) const;

    // FindAngleBracketIn (models/AngleBracket.h) with the same results; by
    // bisection when ascending (IsAscending of the angles) is true.
    static int FindBracket(const std::vector<double>& angles, bool ascending, double a, double& lo, double& hi,
                           int& iLo, int& iHi);
    // True when the angles are finite and strictly ascending.
    static bool IsAscending(const std::vector<double>& angles);

    struct Impl;

private:
    std::unique_ptr<Impl> m_impl;
};
