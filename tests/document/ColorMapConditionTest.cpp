#include "DocumentTestSupport.h"

#include "document/ColorMapConditionList.h"
#include "platform/Archive.h"

#include <gtest/gtest.h>

namespace {

CColorMapCondition* AddOne(CColorMapConditionList& list, double frequency)
{
    CListeningPlane plane;
    plane.Set(0, 0, 1.2, 2, 1, 0, 1, 100, 2);
    return list.AddNew(frequency, 3, 1, 0, 0, 110, 44, 40, 324, 0.0, plane, 45, 75, 0);
}

// A condition record up to its plane: summation, band, frequency, size,
// margins, scale.
Bytes ConditionHead(unsigned sum)
{
    Bytes r;
    r.W(sum).D(12.0).D(4000.0).W(800).W(600).W(1).W(2).W(3).W(4).D(0.5);
    return r;
}

}  // namespace

TEST(ColorMapConditionList, AddAndRemoveRules)
{
    CColorMapConditionList list;
    EXPECT_EQ(list.AddCopyOf(-1), nullptr);
    EXPECT_EQ(list.AddCopyOf(0), nullptr);

    AddOne(list, 1000);
    EXPECT_EQ(list.GetCurrentIndex(), 0);
    list.RemoveAt(0);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetCurrentIndex(), -1);
    EXPECT_EQ(list.GetCurrent(), nullptr);

    AddOne(list, 250);
    AddOne(list, 500);
    list.RemoveAt(5);
    EXPECT_EQ(list.GetCount(), 2);
    AddOne(list, 1000);
    EXPECT_EQ(list.GetCurrentIndex(), 2);
    list.RemoveAt(0);
    EXPECT_EQ(list.GetCurrentIndex(), 1);
    EXPECT_EQ(list.GetCurrent()->GetFrequency(), 1000.0);

    list.RemoveAll();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetCurrentIndex(), 1);
}

TEST(ColorMapConditionList, ACopyIsIndependentOfItsSource)
{
    CColorMapConditionList list;
    AddOne(list, 1000)->GetPlane().GetCells().GetAt(0)->SetLevel(88.0);
    CColorMapCondition* copy = list.AddCopyOf(0);
    ASSERT_NE(copy, nullptr);
    const CColorMapCondition* source = list.GetAt(0);
    EXPECT_EQ(list.GetCurrentIndex(), 1);
    EXPECT_EQ(copy->GetPlane().GetCells().GetAt(0)->GetLevel(), 88.0);

    copy->SetScale(2.5);
    copy->GetViewAngles()[0] = 10.0;
    copy->GetPlane().GetCells().GetAt(0)->SetLevel(1.0);
    EXPECT_EQ(source->GetScale(), 0.0);
    EXPECT_EQ(source->GetViewAngles()[0], 45.0);
    EXPECT_EQ(source->GetPlane().GetCells().GetAt(0)->GetLevel(), 88.0);
}

TEST(ColorMapConditionRecord, WithViewAngles)
{
    CListeningPlane plane;
    CColorMapCondition c(1000.0, 3.0, 0.125, 1, CSize(70000, 500), CRect(110, 44, 40, -1), CPoint3D(45, 75, 0),
                         plane);
    CArchive ar;
    c.Serialize(ar, 0x02000000);
    Bytes expected;
    expected.W(1).D(3.0).D(1000.0).W(70000 & 0xFFFF).W(500).W(110).W(44).W(40).W(0xFFFF).D(0.125);
    expected.Append(EmptyPlaneRecord(true)).D(45).D(75).D(0);
    EXPECT_EQ(ar.Buffer(), expected.b);

    CArchive in(ar.Buffer());
    CColorMapCondition back;
    back.Serialize(in, 0x02000000);
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_EQ(back.GetTotalSize(), CSize(4464, 500));
    EXPECT_EQ(back.GetMargin(), CRect(110, 44, 40, 65535));
    EXPECT_EQ(back.GetViewAngles()[1], 75.0);
    EXPECT_EQ(back.GetSumMode(), 1);
}

TEST(ColorMapConditionRecord, WithoutViewAnglesBefore140)
{
    Bytes rec = ConditionHead(0).Append(EmptyPlaneRecord(false));
    CArchive in(rec.b);
    CColorMapCondition c;
    c.Serialize(in, 0x01030000);
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_EQ(c.GetFrequency(), 4000.0);
    EXPECT_EQ(c.GetBandFraction(), 12.0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(c.GetViewAngles()[i], 0.0);
    }
    CArchive out;
    c.Serialize(out, 0x02000000);
    EXPECT_EQ(out.Size(), rec.size() + 8 + 24);  // extent z, then the three angles

    // An unknown summation is refused.
    Bytes bad = ConditionHead(2).Append(EmptyPlaneRecord(true)).D(0).D(0).D(0);
    CArchive badIn(bad.b);
    EXPECT_THROW(c.Serialize(badIn, 0x02000000), CArchiveException);
}

TEST(ColorMapConditionRecord, ListRecord)
{
    CColorMapConditionList list;
    AddOne(list, 1000);
    AddOne(list, 2000);
    list.SetCurrentIndex(1);
    CArchive ar;
    list.Serialize(ar, 0x02000000);
    EXPECT_EQ(ar.Buffer()[0], 1);
    EXPECT_EQ(ar.Buffer()[2], 2);

    CArchive in(ar.Buffer());
    CColorMapConditionList back;
    back.Serialize(in, 0x02000000);
    EXPECT_EQ(in.Remaining(), 0u);
    ASSERT_EQ(back.GetCount(), 2);
    EXPECT_EQ(back.GetCurrentIndex(), 1);
    EXPECT_EQ(back.GetAt(1)->GetFrequency(), 2000.0);
    EXPECT_EQ(back.GetAt(1)->GetPlane().GetCellCount(), 2u);

    Bytes huge;
    huge.W(0).W(50000).W(0);
    CArchive bad(huge.b);
    CColorMapConditionList none;
    EXPECT_THROW(none.Serialize(bad, 0x02000000), CArchiveException);
}

TEST(ColorMapConditionRecord, AListOfShortOldRecordsIsNotMistakenForATruncatedOne)
{
    // Before 1.4.0 a condition with an empty plane takes 138 bytes: no
    // extent z and no view angles. Nothing needs to follow the list.
    Bytes rec;
    rec.W(0).W(2);
    for (int i = 0; i < 2; ++i) {
        rec.Append(ConditionHead(1)).Append(EmptyPlaneRecord(false));
    }
    ASSERT_EQ(rec.size(), 4u + 2 * 138u);
    CArchive in(rec.b);
    CColorMapConditionList list;
    list.Serialize(in, 0x01030000);
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_EQ(list.GetCount(), 2);

    // One byte short is still the end of the file.
    rec.b.pop_back();
    CArchive shortIn(rec.b);
    CColorMapConditionList none;
    EXPECT_THROW(none.Serialize(shortIn, 0x01030000), CArchiveException);
}
