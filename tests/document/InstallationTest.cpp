#include "Bytes.h"

#include "document/InstallationContainer.h"
#include "platform/Archive.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

CArchive Loading(const Bytes& bytes)
{
    return CArchive(bytes.b);
}

// Three installations with powers 1, 2 and 4 W.
void AddThree(CInstallationContainer& c)
{
    c.AddInstallation(0, 0, 1, 1, 2, 0, 0, 0, 1.0, TRUE);
    c.AddInstallation(0, 0, 2, 1, 2, 0, 0, 0, 2.0, TRUE);
    c.AddInstallation(1, 0, 3, 1, 2, 0, 0, 0, 4.0, TRUE);
}

}  // namespace

TEST(InstallationList, RemovalKeepsTheCurrentIndexInRange)
{
    {
        CInstallationContainer c(0);
        c.AddInstallation(0, 0, 1, 1, 2, 0, 0, 0, 1.0, TRUE);
        c.RemoveInstallation(0);
        EXPECT_EQ(c.GetCount(), 0);
        EXPECT_EQ(c.GetCurrentIndex(), 0);
        EXPECT_EQ(c.GetCurrent(), nullptr);
        EXPECT_EQ(c.GetTotalPower(), 0.0);
    }
    {
        // The last of three while current: index 1.
        CInstallationContainer c(0);
        AddThree(c);
        c.SetCurrentIndex(2);
        c.RemoveInstallation(2);
        EXPECT_EQ(c.GetCurrentIndex(), 1);
        EXPECT_EQ(c.GetTotalPower(), 3.0);
    }
    {
        // The first of three while index 2 is current: index 1, the same installation.
        CInstallationContainer c(0);
        AddThree(c);
        c.SetCurrentIndex(2);
        CInstallationElement* third = c.GetAt(2);
        c.RemoveInstallation(0);
        EXPECT_EQ(c.GetCurrentIndex(), 1);
        EXPECT_EQ(c.GetCurrent(), third);
    }
    {
        // The first of three while index 1 is current: index stays 1 (the former third).
        CInstallationContainer c(0);
        AddThree(c);
        c.SetCurrentIndex(1);
        CInstallationElement* third = c.GetAt(2);
        c.RemoveInstallation(0);
        EXPECT_EQ(c.GetCurrentIndex(), 1);
        EXPECT_EQ(c.GetCurrent(), third);
    }
    {
        // One of two: index 0.
        CInstallationContainer c(0);
        c.AddInstallation(0, 0, 1, 1, 2, 0, 0, 0, 1.0, TRUE);
        c.AddInstallation(0, 0, 2, 1, 2, 0, 0, 0, 2.0, TRUE);
        c.SetCurrentIndex(1);
        c.RemoveInstallation(0);
        EXPECT_EQ(c.GetCurrentIndex(), 0);
        // Out of range: nothing happens.
        c.RemoveInstallation(1);
        c.RemoveInstallation(-1);
        EXPECT_EQ(c.GetCount(), 1);
    }
}

TEST(InstallationList, CurrentSelection)
{
    CInstallationContainer c(0);
    EXPECT_EQ(c.AddInstallation(0, 0, 1, 1, 2, 0, 0, 0, 1.0, TRUE), 1);
    // The current index was not moved, and 0 names the new element.
    EXPECT_EQ(c.GetCurrentIndex(), 0);
    EXPECT_NE(c.GetCurrent(), nullptr);
    EXPECT_EQ(c.SetCurrentIndex(0), FALSE);
    c.AddInstallation(0, 0, 2, 1, 2, 0, 0, 0, 1.0, TRUE);
    EXPECT_EQ(c.GetList().SetCurrent(c.GetAt(1)), TRUE);
    EXPECT_EQ(c.GetCurrentIndex(), 1);
    EXPECT_EQ(c.GetList().SetCurrent(c.GetAt(1)), FALSE);

    CInstallationContainer other(0);
    other.AddInstallation(0, 0, 1, 1, 2, 0, 0, 0, 1.0, TRUE);
    EXPECT_EQ(c.GetList().SetCurrent(other.GetAt(0)), FALSE);
    EXPECT_EQ(c.GetCurrentIndex(), 1);

    // Not checked on setting; GetCurrent yields nothing outside the list.
    EXPECT_EQ(c.SetCurrentIndex(7), TRUE);
    EXPECT_EQ(c.GetCurrent(), nullptr);
}

TEST(InstallationList, RemoveByModelLeavesTheIndexAlone)
{
    CInstallationContainer c(0);
    AddThree(c);
    c.AddInstallation(1, 0, 4, 1, 2, 0, 0, 0, 8.0, TRUE);
    c.SetCurrentIndex(3);
    c.RemoveByModel(1);
    EXPECT_EQ(c.GetCount(), 2);
    EXPECT_EQ(c.GetCurrentIndex(), 3);
    EXPECT_EQ(c.GetCurrent(), nullptr);
    EXPECT_EQ(c.GetTotalPower(), 3.0);
}

TEST(InstallationContainer, DefaultsFollowTheLengthUnit)
{
    CInstallationContainer metric(0);
    const double m[9] = {0, 1, 1, 0, 10, 10, 0, 0, 3};
    CInstallationContainer imperial(1);
    const double ft[9] = {0, 2, 2, 0, 30, 30, 0, 0, 10};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(metric.GetRoom(i), m[i]) << i;
        EXPECT_EQ(imperial.GetRoom(i), ft[i]) << i;
    }
    EXPECT_EQ(metric.GetCeilingKind(), 1);
    EXPECT_EQ(metric.GetTotalPower(), 0.0);

    CInstallationContainer::SetApplicationLengthUnit(1);
    EXPECT_EQ(CInstallationContainer().GetRoom(CInstallationContainer::kRoomHeight), 10.0);
    CInstallationContainer::SetApplicationLengthUnit(0);
    EXPECT_EQ(CInstallationContainer().GetRoom(CInstallationContainer::kRoomHeight), 3.0);
}

TEST(InstallationContainer, ModifyChangesTheCurrentInstallation)
{
    CInstallationContainer c(0);
    AddThree(c);
    c.SetCurrentIndex(1);
    EXPECT_EQ(c.ModifyInstallation(CPoint3D(5, 6, 7), CPoint3D(10, 20, 30), 16.0, FALSE), 3);
    const CInstallationElement* e = c.GetAt(1);
    EXPECT_EQ(e->GetPosition(), CPoint3D(5, 6, 7));
    EXPECT_EQ(e->GetAngles(), CPoint3D(10, 20, 30));
    EXPECT_EQ(e->GetPolarity(), 0);
    EXPECT_EQ(e->GetModelIndex(), 0u);
    EXPECT_EQ(c.GetTotalPower(), 21.0);
}

// The element record: angles, power, polarity word, position, model and tap words.
TEST(InstallationRecord, ElementIs62Bytes)
{
    CInstallationElement e(CPoint3D(1.5, -2.0, 3.25), CPoint3D(45.0, 0.0, -30.0), 0x12345, 3, 7.5, false);
    CArchive ar;
    e.Serialize(ar, 0x02000000);
    Bytes expected;
    expected.D(45.0).D(0.0).D(-30.0).D(7.5).W(0).D(1.5).D(-2.0).D(3.25).W(0x2345).W(3);
    ASSERT_EQ(expected.size(), 62u);
    EXPECT_EQ(ar.Buffer(), expected.b);
}

TEST(InstallationRecord, PolarityReadsAnyNonZeroAsNormal)
{
    Bytes rec;
    rec.D(1).D(2).D(3).D(4).W(2).D(5).D(6).D(7).W(0xFFFF).W(1);
    CArchive ar = Loading(rec);
    CInstallationElement e(ar, 0x02000000);
    EXPECT_EQ(e.GetPolarity(), 1);
    EXPECT_EQ(e.GetAngles(), CPoint3D(1, 2, 3));
    EXPECT_EQ(e.GetPower(), 4.0);
    EXPECT_EQ(e.GetPosition(), CPoint3D(5, 6, 7));
    EXPECT_EQ(e.GetModelIndex(), 65535u);
    EXPECT_EQ(e.GetTapIndex(), 1u);
    CArchive out;
    e.Serialize(out, 0x02000000);
    EXPECT_EQ(out.Buffer()[32], 1);  // written back as 1
}

TEST(InstallationRecord, ContainerOfTheCurrentVersion)
{
    CInstallationContainer c(0);
    c.AddInstallation(2, 1, 1, 2, 3, 4, 5, 6, 10.0, TRUE);
    c.SetCurrentIndex(0x10001);  // only the low 16 bits reach the file
    c.SetCeilingKind(0);
    for (int i = 0; i < 9; ++i) {
        c.SetRoom(i, 100.0 + i);
    }
    CArchive ar;
    c.Serialize(ar, 0x02000000);
    Bytes expected;
    expected.W(1).W(1).D(102).D(101).D(100).D(105).D(104).D(103).D(106).D(107).D(108).D(10.0).W(0);
    expected.D(4).D(5).D(6).D(10.0).W(1).D(1).D(2).D(3).W(2).W(1);
    EXPECT_EQ(ar.Buffer(), expected.b);

    CArchive in(ar.Buffer());
    CInstallationContainer back(1);
    back.Serialize(in, 0x02000000);
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_EQ(back.GetCurrentIndex(), 1);
    EXPECT_EQ(back.GetCount(), 1);
    EXPECT_EQ(back.GetCeilingKind(), 0);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(back.GetRoom(i), 100.0 + i);
    }
    EXPECT_EQ(back.GetAt(0)->GetPosition(), CPoint3D(1, 2, 3));
}

TEST(InstallationRecord, ContainerOfVersion130HasSevenLayoutDoubles)
{
    Bytes rec;
    // current, count, pitch x, pitch y, length x, width y, X0, Y0, (size z), total, ceiling
    rec.W(0).W(1).D(1.5).D(2.5).D(20).D(15).D(-1).D(-2).D(4.0).D(33.0).W(1);
    rec.D(0).D(0).D(0).D(33.0).W(1).D(1).D(2).D(3).W(0).W(0);
    CArchive ar = Loading(rec);
    CInstallationContainer c(0);
    c.Serialize(ar, 0x01030000);
    EXPECT_EQ(ar.Remaining(), 0u);
    EXPECT_EQ(c.GetRoom(CInstallationContainer::kGridPitchX), 1.5);
    EXPECT_EQ(c.GetRoom(CInstallationContainer::kGridPitchY), 2.5);
    EXPECT_EQ(c.GetRoom(CInstallationContainer::kGridPitchZ), 0.0);  // as constructed
    EXPECT_EQ(c.GetRoom(CInstallationContainer::kRoomLengthX), 20.0);
    EXPECT_EQ(c.GetRoom(CInstallationContainer::kRoomWidthY), 15.0);
    EXPECT_EQ(c.GetRoom(CInstallationContainer::kReferenceX0), -1.0);
    EXPECT_EQ(c.GetRoom(CInstallationContainer::kReferenceY0), -2.0);
    EXPECT_EQ(c.GetRoom(CInstallationContainer::kRoomSizeZ), 4.0);
    EXPECT_EQ(c.GetRoom(CInstallationContainer::kRoomHeight), 0.0);
    EXPECT_EQ(c.GetTotalPower(), 33.0);

    // Saved again, it carries all nine doubles.
    CArchive out;
    c.Serialize(out, 0x02000000);
    EXPECT_EQ(out.Size(), rec.size() + 16);
}

TEST(InstallationRecord, ACountTheFileCannotHoldIsRefused)
{
    Bytes rec;
    rec.W(0).W(60000).D(1).D(1).D(0).D(10).D(10).D(0).D(0).D(0).D(3).D(0).W(1);
    rec.D(0).D(0).D(0).D(0).W(1).D(1).D(2).D(3).W(0).W(0);
    CArchive ar = Loading(rec);
    CInstallationContainer c(0);
    EXPECT_THROW(c.Serialize(ar, 0x02000000), CArchiveException);
}

TEST(InstallationRecord, APowerOrPlaceNoEditCouldGiveIsRefused)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    // angles, power, polarity, position, model, tap
    auto record = [](double angle, double power, double x) {
        Bytes rec;
        rec.D(angle).D(0).D(0).D(power).W(1).D(x).D(2).D(3).W(0).W(0);
        return rec;
    };
    for (double power : {-1.0, -1e-300, nan, inf, -inf}) {
        CArchive ar = Loading(record(0.0, power, 1.0));
        EXPECT_THROW(CInstallationElement(ar, 0x02000000), CArchiveException) << power;
    }
    for (double bad : {nan, inf}) {
        CArchive a1 = Loading(record(bad, 5.0, 1.0));
        EXPECT_THROW(CInstallationElement(a1, 0x02000000), CArchiveException);
        CArchive a2 = Loading(record(0.0, 5.0, bad));
        EXPECT_THROW(CInstallationElement(a2, 0x02000000), CArchiveException);
    }
    // No power at all and a large one are what the dialogs and a rescale can give.
    for (double power : {0.0, 10000.0, 25000.0}) {
        CArchive ar = Loading(record(-180.0, power, -10000.0));
        CInstallationElement e(ar, 0x02000000);
        EXPECT_EQ(e.GetPower(), power);
    }
}

TEST(InstallationRecord, ARoomLengthThatIsNoNumberIsRefused)
{
    for (int at = 0; at < 9; ++at) {
        double layout[9] = {1, 1, 0.5, 10, 10, 0.25, 0, 0, 3};
        layout[at] = at % 2 ? std::numeric_limits<double>::infinity() : std::numeric_limits<double>::quiet_NaN();
        Bytes rec;
        rec.W(0).W(0);
        for (double d : layout) {
            rec.D(d);
        }
        rec.D(0).W(1);
        CArchive ar = Loading(rec);
        CInstallationContainer c(0);
        EXPECT_THROW(c.Serialize(ar, 0x02000000), CArchiveException) << at;
    }
    // Negative and zero lengths are stored as read (an old file has height 0).
    Bytes rec;
    rec.W(0).W(0).D(0).D(-1).D(0).D(-10).D(0).D(0).D(-5).D(-5).D(-3).D(0).W(1);
    CArchive ar = Loading(rec);
    CInstallationContainer c(0);
    c.Serialize(ar, 0x02000000);
    EXPECT_EQ(c.GetRoom(CInstallationContainer::kRoomLengthX), -10.0);
    EXPECT_EQ(c.GetRoom(CInstallationContainer::kRoomHeight), -3.0);
}
