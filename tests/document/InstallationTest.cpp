#include "DocumentTestSupport.h"

#include "document/InstallationContainer.h"
#include "platform/Archive.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr DWORD V130 = 0x01030000;
constexpr DWORD V200 = 0x02000000;
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// Installations of model 0, 0, 1, ... with powers 1, 2, 4, ... W.
void AddInstallations(CInstallationContainer& c, int count)
{
    for (int i = 0; i < count; ++i) {
        c.AddInstallation(i >= 2 ? 1 : 0, 0, i + 1, 1, 2, 0, 0, 0, double(1 << i), TRUE);
    }
}

// A container record of the current version with the given layout and no
// installation.
Bytes ContainerRecord(const double (&layout)[9])
{
    Bytes rec;
    rec.W(0).W(0);
    for (double d : layout) {
        rec.D(d);
    }
    rec.D(0).W(1);
    return rec;
}

// An element record: angles, power, polarity, position, model, tap.
Bytes ElementRecord(double angle, double power, double x)
{
    Bytes rec;
    rec.D(angle).D(0).D(0).D(power).W(1).D(x).D(2).D(3).W(0).W(0);
    return rec;
}

}  // namespace

TEST(InstallationList, RemovalKeepsTheCurrentIndexInRange)
{
    struct Case {
        int count, current, removed, index;
        int currentWas;  // the installation current afterwards, by its index before; -1 for none
        double total;
    };
    const Case cases[] = {
        {1, 0, 0, 0, -1, 0.0},  // the only one
        {3, 2, 2, 1, 1, 3.0},   // the last while current
        {3, 2, 0, 1, 2, 6.0},   // the first while the last is current: the same installation
        {3, 1, 0, 1, 2, 6.0},   // the first while the second is current: the index stays
        {2, 1, 0, 0, 1, 2.0},   // one of two
        {2, 1, 2, 1, 1, 3.0},   // out of range: nothing happens
        {2, 1, -1, 1, 1, 3.0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << k.count << " current " << k.current << " remove " << k.removed);
        CInstallationContainer c(0);
        AddInstallations(c, k.count);
        c.SetCurrentIndex(k.current);
        const CInstallationElement* expected = k.currentWas < 0 ? nullptr : c.GetAt(k.currentWas);
        c.RemoveInstallation(k.removed);
        EXPECT_EQ(c.GetCurrentIndex(), k.index);
        EXPECT_EQ(c.GetCurrent(), expected);
        EXPECT_EQ(c.GetTotalPower(), k.total);
    }
}

TEST(InstallationList, CurrentSelectionAndRemoveByModel)
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
    AddInstallations(other, 1);
    EXPECT_EQ(c.GetList().SetCurrent(other.GetAt(0)), FALSE);
    EXPECT_EQ(c.GetCurrentIndex(), 1);

    // Not checked on setting; GetCurrent yields nothing outside the list.
    EXPECT_EQ(c.SetCurrentIndex(7), TRUE);
    EXPECT_EQ(c.GetCurrent(), nullptr);

    // Removing by model leaves the index alone.
    CInstallationContainer d(0);
    AddInstallations(d, 4);
    d.SetCurrentIndex(3);
    d.RemoveByModel(1);
    EXPECT_EQ(d.GetCount(), 2);
    EXPECT_EQ(d.GetCurrentIndex(), 3);
    EXPECT_EQ(d.GetCurrent(), nullptr);
    EXPECT_EQ(d.GetTotalPower(), 3.0);
}

TEST(InstallationContainer, DefaultsFollowTheLengthUnit)
{
    // The metric defaults are in the saved file of a new project.
    CInstallationContainer imperial(1);
    const double ft[9] = {0, 2, 2, 0, 30, 30, 0, 0, 10};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(imperial.GetRoom(i), ft[i]) << i;
    }
    CInstallationContainer::SetApplicationLengthUnit(1);
    EXPECT_EQ(CInstallationContainer().GetRoom(CInstallationContainer::kRoomHeight), 10.0);
    CInstallationContainer::SetApplicationLengthUnit(0);
    EXPECT_EQ(CInstallationContainer().GetRoom(CInstallationContainer::kRoomHeight), 3.0);
}

TEST(InstallationContainer, ModifyChangesTheCurrentInstallation)
{
    CInstallationContainer c(0);
    AddInstallations(c, 3);
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
    e.Serialize(ar, V200);
    Bytes expected;
    expected.D(45.0).D(0.0).D(-30.0).D(7.5).W(0).D(1.5).D(-2.0).D(3.25).W(0x2345).W(3);
    ASSERT_EQ(expected.size(), 62u);
    EXPECT_EQ(ar.Buffer(), expected.b);

    // Any non-zero polarity reads as normal and is written back as 1.
    Bytes rec;
    rec.D(1).D(2).D(3).D(4).W(2).D(5).D(6).D(7).W(0xFFFF).W(1);
    CArchive in(rec.b);
    CInstallationElement back(in, V200);
    EXPECT_EQ(back.GetPolarity(), 1);
    EXPECT_EQ(back.GetAngles(), CPoint3D(1, 2, 3));
    EXPECT_EQ(back.GetPower(), 4.0);
    EXPECT_EQ(back.GetPosition(), CPoint3D(5, 6, 7));
    EXPECT_EQ(back.GetModelIndex(), 65535u);
    EXPECT_EQ(back.GetTapIndex(), 1u);
    CArchive out;
    back.Serialize(out, V200);
    EXPECT_EQ(out.Buffer()[32], 1);
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
    c.Serialize(ar, V200);
    Bytes expected;
    expected.W(1).W(1).D(102).D(101).D(100).D(105).D(104).D(103).D(106).D(107).D(108).D(10.0).W(0);
    expected.D(4).D(5).D(6).D(10.0).W(1).D(1).D(2).D(3).W(2).W(1);
    EXPECT_EQ(ar.Buffer(), expected.b);

    CArchive in(ar.Buffer());
    CInstallationContainer back(1);
    back.Serialize(in, V200);
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
    CArchive ar(rec.b);
    CInstallationContainer c(0);
    c.Serialize(ar, V130);
    EXPECT_EQ(ar.Remaining(), 0u);
    // pitch x, y, z, length x, width y, X0, Y0, size z, height; z and height as constructed
    const double expected[9] = {1.5, 2.5, 0.0, 20.0, 15.0, -1.0, -2.0, 4.0, 0.0};
    const int index[9] = {CInstallationContainer::kGridPitchX,  CInstallationContainer::kGridPitchY,
                          CInstallationContainer::kGridPitchZ,  CInstallationContainer::kRoomLengthX,
                          CInstallationContainer::kRoomWidthY,  CInstallationContainer::kReferenceX0,
                          CInstallationContainer::kReferenceY0, CInstallationContainer::kRoomSizeZ,
                          CInstallationContainer::kRoomHeight};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(c.GetRoom(index[i]), expected[i]) << i;
    }
    EXPECT_EQ(c.GetTotalPower(), 33.0);

    // Saved again, it carries all nine doubles.
    CArchive out;
    c.Serialize(out, V200);
    EXPECT_EQ(out.Size(), rec.size() + 16);
}

TEST(InstallationRecord, HostileValuesAreRefused)
{
    // A count the file cannot hold.
    Bytes rec;
    rec.W(0).W(60000).D(1).D(1).D(0).D(10).D(10).D(0).D(0).D(0).D(3).D(0).W(1).Append(ElementRecord(0, 0, 1));
    CArchive ar(rec.b);
    CInstallationContainer c(0);
    EXPECT_THROW(c.Serialize(ar, V200), CArchiveException);

    // A power or place no edit could give.
    for (double power : {-1.0, -1e-300, kNaN, kInf, -kInf}) {
        CArchive a(ElementRecord(0.0, power, 1.0).b);
        EXPECT_THROW(CInstallationElement(a, V200), CArchiveException) << power;
    }
    for (double bad : {kNaN, kInf}) {
        CArchive a1(ElementRecord(bad, 5.0, 1.0).b);
        EXPECT_THROW(CInstallationElement(a1, V200), CArchiveException);
        CArchive a2(ElementRecord(0.0, 5.0, bad).b);
        EXPECT_THROW(CInstallationElement(a2, V200), CArchiveException);
    }
    // No power at all and a large one are what the dialogs and a rescale can give.
    for (double power : {0.0, 10000.0, 25000.0}) {
        CArchive a(ElementRecord(-180.0, power, -10000.0).b);
        EXPECT_EQ(CInstallationElement(a, V200).GetPower(), power);
    }

    // A room length that is no number.
    for (int at = 0; at < 9; ++at) {
        double layout[9] = {1, 1, 0.5, 10, 10, 0.25, 0, 0, 3};
        layout[at] = at % 2 ? kInf : kNaN;
        CArchive a(ContainerRecord(layout).b);
        CInstallationContainer d(0);
        EXPECT_THROW(d.Serialize(a, V200), CArchiveException) << at;
    }
    // Negative and zero lengths are stored as read (an old file has height 0).
    CArchive a(ContainerRecord({0, -1, 0, -10, 0, 0, -5, -5, -3}).b);
    CInstallationContainer d(0);
    d.Serialize(a, V200);
    EXPECT_EQ(d.GetRoom(CInstallationContainer::kRoomLengthX), -10.0);
    EXPECT_EQ(d.GetRoom(CInstallationContainer::kRoomHeight), -3.0);
}
