#pragma once
// A single-element speaker measured as one source. Type code 0 fires
// forward; type code 1 is the ceiling kind that fires downward.

#include "models/SpeakerModel.h"

class CStdSPModel : public CSpeakerModel {
public:
    static constexpr int kForwardType = 0;
    static constexpr int kCeilingType = 1;

    explicit CStdSPModel(int typeCode);
    ~CStdSPModel() override;

    void SerializeModuleCounts(CArchive& ar) override;
    void SerializeAxisData(CArchive& ar) override;
    BOOL ReadModuleCounts(CStdioFile& file) override;
    BOOL ReadAxisData(CStdioFile& file) override;
    void CalcAimAngles() override;
    void BuildSpeakerElements() override;
    BOOL CanAutoInstall() const override;
    BOOL HasModuleArrangement() const override;
    BOOL IsAutoInstallDoubtful() const override;
    double GetDefaultElevation() const override;

private:
    // The fixed layout: one module, one axis element, one balloon.
    void SetFixedLayout();
};
