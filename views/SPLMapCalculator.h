#pragma once
// The level calculation of an SPL map window: the level of every colour dot
// of the window's calculation plane over a 1/N-octave band, summed over all
// installations by interference (complex sum) or by energy; the plane's
// maximum, minimum and averages; the band levels at one point for the
// frequency-response graphs; and the coverage scan of the automatic
// installation.
//
// Two evaluations give the same numbers to the last bit:
//  - Reference: the plain loop over dots, frequencies, installations and
//    elements, asking every model for its pressure at every frequency.
//  - Fast (the default): everything that does not depend on the receiver
//    point is prepared once per calculation (element sources and aims,
//    image sources, the band's data-frequency indices, cell levels and
//    phases); the colour map then spreads its dots over worker threads while
//    the calling thread keeps pumping the progress dialog.

#include "models/Point3D.h"
#include "models/SPComplex.h"

#include <cmath>
#include <functional>
#include <memory>

class CColorMapCondition;
class CInstallationElement;
class CKDRDoc;
class CProgressScale;
class IProgress;

class CSPLMapCalculator {
public:
    enum class Evaluation { Reference, Fast };

    // String-table id of the progress message "Calculating...".
    static constexpr unsigned kIdsCalculating = 61605;
    // Step of the coverage scan, in the document's length unit.
    static constexpr double kCoverageStep = 0.1;
    // Steps of the coverage scan in one direction: 10000 length units, the
    // largest room the dialogs accept.
    static constexpr int kMaxCoverageSteps = 100000;
    // The running maximum of a colour map starts here, and a map in which
    // nothing sounds keeps it; where every speaker is silent the level is
    // minus infinity. A level at or below it is no sound.
    static constexpr double kNoSoundLevel = -1000.0;
    // Whether a level stands for sound: above kNoSoundLevel and finite.
    static bool IsSoundLevel(double level) { return level > kNoSoundLevel && std::isfinite(level); }

    // The calculator of the window whose colour-map condition has the index
    // conditionIndex in the document's list.
    CSPLMapCalculator(CKDRDoc& doc, int conditionIndex);

    void SetConditionIndex(int index) { m_nCondition = index; }
    int GetConditionIndex() const { return m_nCondition; }

    void SetEvaluation(Evaluation e) { m_evaluation = e; }
    Evaluation GetEvaluation() const { return m_evaluation; }
    // Worker threads of the fast colour map; 0 (the default) uses every core.
    void SetThreadCount(unsigned n) { m_nThreads = n; }
    unsigned GetThreadCount() const { return m_nThreads; }

    // Makes the progress dialog of the colour map (created only when there is
    // something to calculate, destroyed when the calculation ends; the window
    // that shows it also disables the main window meanwhile). Without a
    // factory the colour map runs without a dialog and cannot be stopped.
    using ProgressFactory = std::function<std::unique_ptr<IProgress>()>;
    void SetProgressFactory(ProgressFactory factory) { m_progressFactory = std::move(factory); }

    // ---- bands ------------------------------------------------------------
    // Frequency i of the 1/ppo-octave series, 10^(0.3 i / ppo) Hz.
    static double SeriesFrequency(int i, double ppo);
    // The series points of the 1/N-octave band around fc used by the map and
    // the graphs: iLo <= i < iHi, the points above fc/k up to fc*k. A band
    // that cannot be formed (N or fc not positive, values out of range)
    // gives iLo = iHi = 0.
    static void CalcBandIndices(double fc, double bandFraction, double ppo, int& iLo, int& iHi);
    // The band of the coverage scan: rounded to the nearest index with the
    // whole number trunc(ppo / 3), from fc/k up to just below fc*k.
    static void CalcCoverageBandIndices(double fc, double bandFraction, double ppo, int& iLo, int& iHi);

    // ---- the operations -----------------------------------------------------
    // The pressure of one installation at point and frequency f (out is
    // cleared first; an installation without model gives 0 with out = 0).
    // 0 done, 1 failed (f inside the model's range but not one of its data
    // frequencies).
    int CalcPressureFromInstallation(CSPComplex& out, const CPoint3D& point, double f,
                                     const CInstallationElement& installation, double ppo,
                                     int ceilingKind) const;
    // The band pressure of all installations at point over iLo <= i < iHi,
    // summed as the window's sum mode says. 0 done, 1 failed (a model
    // failed, or the band is empty); p is 0.0 after a failure.
    int CalcPressureAt(double& p, const CPoint3D& point, int iLo, int iHi, double ppo) const;
    // Computes the window's plane: every dot's level and the four results.
    void CalcColorMap();
    // Fills curve 0 of every frequency-response graph with the band levels
    // at point (cleared to one zero point when there is no installation).
    void CalcFrequencyResponse(const CPoint3D& point);
    // The distances along +x (forward) and -x (backward) from the first
    // installation at which the judgment-band level at the plane falls by
    // drop dB below its running maximum, and where the maximum lies
    // (offset). 0 done, 1 failed (a model failed, the band is empty, a level
    // is not finite, or no crossing within kMaxCoverageSteps).
    int CalcCoverageX(double& forward, double& backward, double& offset, double drop);
    // The same along y.
    int CalcCoverageY(double& forward, double& backward, double& offset, double drop);

    // The frequency pitch of the first installation's model: the series all
    // frequencies are taken from (0.0 without installation or model).
    double GetFirstInstallationPitch() const;

private:
    CColorMapCondition* GetCondition() const;
    int SumMode() const;
    int CalcPressureAtReference(double& p, const CPoint3D& point, int iLo, int iHi, double ppo,
                                int sumMode) const;
    void CalcColorMapReference(IProgress& progress, const CProgressScale& bar, int iLo, int iHi, double ppo,
                               int sumMode);
    void CalcColorMapFast(IProgress& progress, const CProgressScale& bar, int iLo, int iHi, double ppo, int sumMode);
    // Stores the maximum, minimum and both averages of a complete map.
    void StoreResults(double maxLevel, double minLevel);
    int CalcCoverage(int axis, double& forward, double& backward, double& offset, double drop);

    CKDRDoc& m_doc;
    int m_nCondition = 0;
    Evaluation m_evaluation = Evaluation::Fast;
    unsigned m_nThreads = 0;
    ProgressFactory m_progressFactory;
};
