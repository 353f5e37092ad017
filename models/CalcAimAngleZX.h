#pragma once
// Stacking of line-array modules in the side view (x toward the front, z
// up): a running splay angle and a running edge point where the next
// module's rear edge begins. Per module the caller first adds its splay with
// AddAngle, then places it with Calc. The base class places nothing; the
// Upper and Lower calculators stack upward and downward.

class CCalcAimAngleZX {
public:
    CCalcAimAngleZX() = default;
    virtual ~CCalcAimAngleZX() = default;

    // Start height of the running point (before the first module).
    void SetOffset(double z) { m_dZ = z; }
    // Adds the splay (degrees) to the running angle and returns the new one.
    double AddAngle(double splay)
    {
        m_dAngle += splay;
        return m_dAngle;
    }
    // Writes the centre of the next module (length along the array, offset
    // from its front) and advances the running point. The base class writes
    // nothing and changes nothing.
    virtual void Calc(double* x, double* z, double length, double offset);

    double GetAngle() const { return m_dAngle; }
    double GetX() const { return m_dX; }
    double GetZ() const { return m_dZ; }

    double m_dAngle = 0.0;
    double m_dX = 0.0;
    double m_dZ = 0.0;
};
