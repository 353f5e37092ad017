#pragma once
// The abstract speaker model: one imported speaker data set with its data
// header, taps, module descriptions, balloons and element placements, the
// reading of its import file, its project-file record, and the complex
// pressure that one installed speaker of it produces at a point.
//
// Concrete models (the standard speaker and the array families) override
// the virtual operations below; they are declared in a fixed order that the
// families rely on.

#include "models/AxisElement.h"
#include "models/BalloonElement.h"
#include "models/Point3D.h"
#include "models/SPComplex.h"
#include "models/SPVariableParam.h"
#include "models/SpeakerDataHeader.h"
#include "models/SpeakerDataProblem.h"
#include "models/SpeakerElement.h"
#include "models/SpeakerTapTable.h"
#include "platform/Types.h"

#include <memory>
#include <string>

class CArchive;
class CStdioFile;
class IProgress;

class CSpeakerModel {
public:
    // Project-file versions that change the model record.
    static constexpr DWORD kVersion100 = 0x01000000;
    static constexpr DWORD kVersion130 = 0x01030000;
    static constexpr DWORD kVersion200 = 0x02000000;
    // Metres per foot (the double next below 0.3048).
    static constexpr double kMetresPerFoot = 0.30479999999999996;

    explicit CSpeakerModel(int typeCode);
    CSpeakerModel(const CSpeakerModel&) = delete;
    CSpeakerModel& operator=(const CSpeakerModel&) = delete;

    // --- factory -------------------------------------------------------
    // A new model of the kind of the type code (0 to 8); nullptr for any
    // other code.
    static std::unique_ptr<CSpeakerModel> CreateModel(int typeCode);
    // Reads a u16 type code, creates the model and loads its record.
    // nullptr (with nothing more read) for an unknown type code.
    static std::unique_ptr<CSpeakerModel> CreateFromArchive(CArchive& ar, DWORD version);

    // --- virtual operations, in their fixed order ------------------------
    virtual ~CSpeakerModel();
    // The module-count record; loading also sizes the axis and balloon arrays.
    virtual void SerializeModuleCounts(CArchive& ar) = 0;
    // The axis record and the family's own parameters.
    virtual void SerializeAxisData(CArchive& ar) = 0;
    // Reads the model's part of an import file (after the type-code line).
    // progress may be nullptr; problem, when given, is told why a file is
    // refused.
    virtual BOOL ImportFromFile(CStdioFile& file, IProgress* progress, CSpeakerDataProblem* problem = nullptr);
    virtual BOOL ReadModuleCounts(CStdioFile& file) = 0;
    virtual BOOL ReadAxisData(CStdioFile& file) = 0;
    // Positions and aim angles of every placement.
    virtual void CalcAimAngles() = 0;
    // Fills the element array from the placements and balloons.
    virtual void BuildSpeakerElements() = 0;
    virtual BOOL CanAutoInstall() const = 0;
    virtual BOOL HasModuleArrangement() const = 0;
    virtual BOOL IsAutoInstallDoubtful() const = 0;
    // Placement i takes axis element i (bFull: name, geometry and share;
    // otherwise the geometry only).
    virtual void AssignAxisData(BOOL bFull);
    virtual double GetDefaultElevation() const;
    // Runs the family's arrangement dialog: 0.0 when cancelled or when the
    // model has none, else old element count / new element count.
    virtual double DoModuleArrangement(int nLengthUnit);
    // Text appended to the name in lists, prints, captions and the file.
    virtual std::string GetNameSuffix() const;
    // Placements sized to the element count, every share 1 / element count.
    virtual void ResizeVariableParams();
    // Adds the pressure of one installed speaker at point to result (which is
    // not cleared). point, position and ceilingHeight are in the document's
    // length unit (feet when unitFlag is 1); angles is the installation's
    // (azimuth, rotation, elevation). pitch is not used here. Returns 0 when
    // done, 1 when f lies inside the measured range but is not one of the
    // data frequencies (the contributions added so far stay in result).
    virtual int CalcPressure(CSPComplex& result, const CPoint3D& point, const CPoint3D& position,
                             const CPoint3D& angles, double f, double ceilingHeight, bool reversed,
                             double power, double pitch, bool ceilingReflection, int unitFlag);

    // --- the steps of the pressure calculation --------------------------
    // (CalcPressure is exactly: for each element, GetElementSource, then
    // AddSourcePressure for the direct source and, with a ceiling
    // reflection, MakeImageSource and AddSourcePressure for the image.)

    // Directivity of element e towards meridian angle h and polar angle v
    // (degrees) at frequency f: 0 outside the measured range; when f is not
    // one of the data frequencies, f is set to 0.0 and the result is -60 dB
    // at phase 0; otherwise the balloon value, interpolated between the four
    // surrounding grid cells.
    CSPComplex GetElementDirectivity(const CSpeakerElement& e, double h, double v, double& f) const;
    // World source position and aim of element e of a speaker installed at
    // position with the installation angles.
    static void GetElementSource(const CSpeakerElement& e, const CPoint3D& position,
                                 const CPoint3D& angles, CPoint3D& source, CPoint3D& aim);
    // The mirror image of a source under a solid ceiling.
    static void MakeImageSource(CPoint3D& source, CPoint3D& aim, double ceilingHeight);
    // Adds the contribution of element e placed at source with aim to
    // result. image selects the mirrored meridian of an image source.
    // Returns 1 (nothing added) when f is not a data frequency, else 0.
    int AddSourcePressure(CSPComplex& result, const CSpeakerElement& e, const CPoint3D& source,
                          const CPoint3D& aim, const CPoint3D& point, double f, bool reversed,
                          double power, bool image, int unitFlag) const;

    // --- accessors -------------------------------------------------------
    int GetTypeCode() const { return static_cast<int>(m_header.GetType()); }
    const std::string& GetName() const { return m_header.GetName(); }
    double GetFrequencyPitch() const { return m_header.GetFrequencyPitch(); }
    int GetTapCount() const;
    BOOL IsLowImpedanceTap(int i) const;
    double GetTapValue(int i) const;
    double GetTapPower(int i) const;
    double GetTapFactor(int i) const;
    int GetCurrentTap() const;
    void SetCurrentTap(int i);
    int GetUnitFlag() const;
    void SetUnitFlag(int flag);
    int GetElementCount() const;

    CSpeakerDataHeader& GetHeader() { return m_header; }
    const CSpeakerDataHeader& GetHeader() const { return m_header; }
    CSpeakerTapTable& GetTapTable() { return m_tapTable; }
    const CSpeakerTapTable& GetTapTable() const { return m_tapTable; }
    CAxisElementArray& GetAxisElements() { return m_axisElements; }
    const CAxisElementArray& GetAxisElements() const { return m_axisElements; }
    CBalloonElementArray& GetBalloons() { return m_balloons; }
    const CBalloonElementArray& GetBalloons() const { return m_balloons; }
    CSPVariableParamArray& GetPlacements() { return m_placements; }
    const CSPVariableParamArray& GetPlacements() const { return m_placements; }
    const CSpeakerElementArray& GetElements() const { return m_elements; }

    // True when every value of the model (header, taps, unit descriptions,
    // placements, balloons) is a number within the bounds of
    // SpeakerDataLimits.h, so that every pressure it gives is finite.
    bool AreValuesUsable() const;
    // Which of those values is not (meaningful only when AreValuesUsable
    // is false).
    CSpeakerDataProblem::Value FindUnusableValue() const;

    // --- records ---------------------------------------------------------
    // The name and the name suffix; loading discards the suffix, which files
    // of versions 1.0.0 and 1.3.0 do not have.
    void SerializeName(CArchive& ar, DWORD version);
    // The model record. Storing writes the type code first and always the
    // current layout; loading (the type code has been read by the caller)
    // accepts every version of the project file.
    void Serialize(CArchive& ar, DWORD version);

protected:
    CSpeakerDataHeader m_header;
    CSpeakerTapTable m_tapTable;
    CAxisElementArray m_axisElements;
    CBalloonElementArray m_balloons;
    CSPVariableParamArray m_placements;
    CSpeakerElementArray m_elements;
};

// The world aim of an element inside an installed speaker: its own angles
// e and position q taken through the installation angles g. aim receives
// (azimuth, rotation, elevation); its azimuth is left as the caller set it
// when the element points straight up or down. rotatedPos is q turned by g.
void CalcElementAimAngles(const CPoint3D& e, const CPoint3D& q, const CPoint3D& g,
                          CPoint3D& aim, CPoint3D& rotatedPos);
// Euclidean distance; a distance below 1e-6 is returned as 0.0.
double CalcDistance3D(const CPoint3D& a, const CPoint3D& b);
