#pragma once
// The geometry of one module of a line array: x the offset of the unit from
// the module front (metres), y the module length along the column (metres),
// z the splay against the previous module (degrees).

#include "platform/Types.h"

#include <vector>

class CStdioFile;

class CAxisEntity {
public:
    CAxisEntity() = default;
    CAxisEntity(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}

    void SetX(double v) { x = v; }
    void SetY(double v) { y = v; }
    void SetZ(double v) { z = v; }
    double GetX() const { return x; }
    double GetY() const { return y; }
    double GetZ() const { return z; }

    // Three lines: y (length), x (offset), z (splay). A line that cannot be
    // read leaves its field as it was; TRUE when all three were read.
    BOOL ReadText(CStdioFile& file);

    bool operator==(const CAxisEntity&) const = default;

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

using CAxisEntityArray = std::vector<CAxisEntity>;
