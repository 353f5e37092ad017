#include "GoldenBytes.h"

#include "models/AxisElement.h"
#include "models/AxisEntity.h"
#include "platform/Archive.h"
#include "platform/TextFile.h"

#include <gtest/gtest.h>

TEST(AxisElement, ReadsNameLengthOffsetSplayShare)
{
    CStdioFile f;
    f.OpenText("W5L\n0.2\n0.05\n0\n0.5\nnext\n");
    CAxisElement e;
    EXPECT_TRUE(e.ReadText(f));
    EXPECT_EQ(e.GetName(), "W5L");
    EXPECT_EQ(e.GetVector(), CAxisEntity(0.05, 0.2, 0.0));
    EXPECT_EQ(e.GetPowerShare(), 0.5);
    std::string rest;
    ASSERT_TRUE(f.ReadString(rest));
    EXPECT_EQ(rest, "next");

    // A file ending after the name still counts as read.
    CStdioFile g;
    g.OpenText("W5L\n");
    CAxisElement n;
    EXPECT_TRUE(n.ReadText(g));
    EXPECT_EQ(n.GetName(), "W5L");
    EXPECT_EQ(n.GetVector(), CAxisEntity());
    EXPECT_EQ(n.GetPowerShare(), 1.0);

    // An entity cut short keeps what it had for the lines that are missing.
    CStdioFile h;
    h.OpenText("0.3\n");
    CAxisEntity w(1, 2, 3);
    EXPECT_FALSE(w.ReadText(h));
    EXPECT_EQ(w, CAxisEntity(1, 0.3, 3));
}

TEST(AxisElement, RecordIsNameOffsetLengthSplay)
{
    CAxisElement e;
    e.SetName("W5L");
    e.SetVector(CAxisEntity(0.05, 0.2, -3.0));
    e.SetPowerShare(0.5);
    CAxisElementArray array(2);
    array[0] = e;
    CArchive out;
    array.Serialize(out);
    const std::vector<BYTE> expected =
        CGolden().S("W5L").D(0.05).D(0.2).D(-3.0).S("").D(0).D(0).D(0).bytes;
    EXPECT_EQ(out.Buffer(), expected);

    CArchive in(expected);
    CAxisElementArray back(2);
    back.Serialize(in);
    EXPECT_EQ(back[0].GetName(), "W5L");
    EXPECT_EQ(back[0].GetVector(), CAxisEntity(0.05, 0.2, -3.0));
    // The share is not part of the record.
    EXPECT_EQ(back[0].GetPowerShare(), 1.0);
    EXPECT_EQ(in.Remaining(), 0u);
}
