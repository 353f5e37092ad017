#pragma once
// The room and its installations: ceiling kind, total power, the installed
// speakers with the current one, and the room layout.

#include "document/InstallationElementList.h"
#include "platform/Types.h"

class CArchive;

class CInstallationContainer {
public:
    // Entries of the room layout m_dRoom.
    enum RoomEntry {
        kGridPitchZ = 0,
        kGridPitchY = 1,
        kGridPitchX = 2,
        kRoomSizeZ = 3,
        kRoomWidthY = 4,
        kRoomLengthX = 5,
        kReferenceX0 = 6,
        kReferenceY0 = 7,
        kRoomHeight = 8,
        kRoomEntries = 9,
    };

    // Defaults of the application's length unit (0 metres, 1 feet), read
    // from the settings through GetApplicationLengthUnit().
    CInstallationContainer();
    explicit CInstallationContainer(int lengthUnit);
    CInstallationContainer(const CInstallationContainer&) = delete;
    CInstallationContainer& operator=(const CInstallationContainer&) = delete;
    CInstallationContainer(CInstallationContainer&&) = default;
    CInstallationContainer& operator=(CInstallationContainer&&) = default;

    // The unit a new container takes its defaults from; the application sets
    // it from its settings file at start-up and when the unit is switched.
    static int GetApplicationLengthUnit();
    static void SetApplicationLengthUnit(int unit);

    // Appends a new installation and returns the new count; the current
    // index is not changed.
    int AddInstallation(DWORD modelIndex, DWORD tapIndex, double x, double y, double z, double a, double b, double c,
                        double power, BOOL polarityNormal);
    void RemoveInstallation(int index);
    void RemoveAll();
    void RemoveByModel(DWORD modelIndex);
    // The current installation takes the values; returns the count.
    int ModifyInstallation(const CPoint3D& position, const CPoint3D& angles, double power, BOOL polarityNormal);

    CInstallationElementList& GetList() { return m_list; }
    const CInstallationElementList& GetList() const { return m_list; }
    int GetCount() const { return m_list.GetCount(); }
    CInstallationElement* GetAt(int i) const { return m_list.GetAt(i); }
    CInstallationElement* GetCurrent() const { return m_list.GetCurrent(); }
    int GetCurrentIndex() const { return m_list.GetCurrentIndex(); }
    BOOL SetCurrentIndex(int i) { return m_list.SetCurrentIndex(i); }

    int GetCeilingKind() const { return m_nCeilingKind; }
    void SetCeilingKind(int kind) { m_nCeilingKind = kind; }
    double GetTotalPower() const { return m_dTotalPower; }
    void SetTotalPower(double power) { m_dTotalPower = power; }
    // Recomputes the total power as the sum of the installations' powers.
    void UpdateTotalPower() { m_dTotalPower = m_list.GetTotalPower(); }

    double GetRoom(int entry) const { return m_dRoom[entry]; }
    void SetRoom(int entry, double value) { m_dRoom[entry] = value; }
    const double* GetRoomLayout() const { return m_dRoom; }
    double* GetRoomLayout() { return m_dRoom; }

    void Serialize(CArchive& ar, DWORD version);

    // 1 = half space under a solid ceiling, 0 = full space.
    int m_nCeilingKind = 1;
    double m_dTotalPower = 0.0;
    double m_dRoom[kRoomEntries] = {};

private:
    CInstallationElementList m_list;
};
