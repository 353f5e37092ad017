#include "platform/Archive.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<BYTE> Bytes(std::initializer_list<int> list)
{
    std::vector<BYTE> v;
    for (int b : list)
        v.push_back(static_cast<BYTE>(b));
    return v;
}

std::vector<BYTE> Prefix(const CArchive& ar, std::size_t n)
{
    return std::vector<BYTE>(ar.Buffer().begin(), ar.Buffer().begin() + static_cast<long>(n));
}

TEST(Archive, PrimitivesAreLittleEndianWithoutGaps)
{
    CArchive ar;
    ar << WORD{0x1234} << DWORD{0x89ABCDEF} << std::int32_t{-2} << 1.0;
    EXPECT_EQ(ar.Buffer(), Bytes({0x34, 0x12, 0xEF, 0xCD, 0xAB, 0x89, 0xFE, 0xFF, 0xFF, 0xFF,
                                  0, 0, 0, 0, 0, 0, 0xF0, 0x3F}));

    CArchive in(ar.TakeBuffer());
    WORD w;
    DWORD dw;
    std::int32_t i;
    double d;
    in >> w >> dw >> i >> d;
    EXPECT_EQ(w, 0x1234);
    EXPECT_EQ(dw, 0x89ABCDEFu);
    EXPECT_EQ(i, -2);
    EXPECT_EQ(d, 1.0);
    EXPECT_EQ(in.Remaining(), 0u);
}

TEST(Archive, StringLengthPrefixForms)
{
    struct Case {
        std::size_t length;
        std::vector<BYTE> prefix;
    };
    const Case cases[] = {
        {0, Bytes({0x00})},
        {254, Bytes({0xFE})},
        {255, Bytes({0xFF, 0xFF, 0x00})},
        {300, Bytes({0xFF, 0x2C, 0x01})},
        {65533, Bytes({0xFF, 0xFD, 0xFF})},
        {65534, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        const std::string s(c.length, 'a');
        CArchive ar;
        ar << s;
        ASSERT_EQ(ar.Size(), c.prefix.size() + c.length);
        EXPECT_EQ(Prefix(ar, c.prefix.size()), c.prefix);
        CArchive in(ar.TakeBuffer());
        EXPECT_EQ(in.ReadString(), s);
        EXPECT_EQ(in.Remaining(), 0u);
    }
}

TEST(Archive, EightByteLengthFormIsRead)
{
    CArchive in(Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 2, 0, 0, 0, 0, 0, 0, 0, 'h', 'i'}));
    EXPECT_EQ(in.ReadString(), "hi");
}

TEST(Archive, Utf16StringIsReadAndConverted)
{
    // 0xFF 0xFFFE marks 16-bit characters; "Ab\u00e9\u20ac" (A, b, e-acute, euro).
    CArchive in(Bytes({0xFF, 0xFE, 0xFF, 0x04, 'A', 0, 'b', 0, 0xE9, 0, 0xAC, 0x20, 0x07}));
    EXPECT_EQ(in.ReadString(), "Ab\xC3\xA9\xE2\x82\xAC");
    EXPECT_EQ(in.Remaining(), 1u);
}

TEST(Archive, Windows1252CharactersAreWrittenInTheCodePage)
{
    CArchive ar;
    ar << std::string("caf\xC3\xA9 \xE2\x82\xAC");  // "café €"
    EXPECT_EQ(ar.Buffer(), Bytes({6, 'c', 'a', 'f', 0xE9, ' ', 0x80}));
    CArchive in(ar.TakeBuffer());
    EXPECT_EQ(in.ReadString(), "caf\xC3\xA9 \xE2\x82\xAC");
}

TEST(Archive, OtherCharactersSurviveInTheUtf16Form)
{
    const std::string text = "Halle \xE5\xA4\xA7 \xCE\xA9 \xF0\x9F\x94\x8A";  // CJK, Omega, an emoji
    CArchive ar;
    ar << text;
    ASSERT_GE(ar.Size(), 4u);
    EXPECT_EQ(Prefix(ar, 3), Bytes({0xFF, 0xFE, 0xFF}));
    CArchive in(ar.TakeBuffer());
    EXPECT_EQ(in.ReadString(), text);
    EXPECT_EQ(in.Remaining(), 0u);
}

TEST(Archive, ReadingPastTheEndRaisesEndOfFile)
{
    auto expectEof = [](std::vector<BYTE> bytes, auto read) {
        CArchive in(std::move(bytes));
        try {
            read(in);
            ADD_FAILURE() << "no exception";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.m_cause, CArchiveException::endOfFile);
        }
    };
    expectEof(Bytes({1}), [](CArchive& a) { a.ReadWord(); });
    expectEof(Bytes({1, 2, 3}), [](CArchive& a) { a.ReadDword(); });
    expectEof(Bytes({1, 2, 3, 4, 5, 6, 7}), [](CArchive& a) { a.ReadDouble(); });
    expectEof(Bytes({5, 'a', 'b'}), [](CArchive& a) { a.ReadString(); });
    expectEof(Bytes({0xFF, 0xFE, 0xFF, 3, 'a', 0, 'b'}), [](CArchive& a) { a.ReadString(); });
    // A hostile eight-byte length must not allocate anything.
    expectEof(Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}),
              [](CArchive& a) { a.ReadString(); });
    expectEof(Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}),
              [](CArchive& a) { a.ReadString(); });
    char buf[4];
    expectEof(Bytes({1, 2}), [&](CArchive& a) { a.Read(buf, 3); });
}

TEST(Archive, CheckCountRefusesCountsTheDataCannotHold)
{
    CArchive in(std::vector<BYTE>(80, 0));
    EXPECT_NO_THROW(in.CheckCount(10, 8));
    try {
        in.CheckCount(11, 8);
        ADD_FAILURE() << "no exception";
    } catch (const CArchiveException& e) {
        EXPECT_NE(e.m_cause, CArchiveException::endOfFile);
    }
    EXPECT_THROW(in.CheckCount(0xFFFFFFFFFFFFull, 8), CArchiveException);
}

TEST(Archive, UnreadReservationsAddUpToTheAllowanceOrTheInputSize)
{
    // Three reservations of 30 fit an allowance of 100, the fourth does not,
    // though each alone is far within it; reading does not free any.
    CArchive in(std::vector<BYTE>(40, 0));
    for (int i = 0; i < 3; ++i)
        EXPECT_NO_THROW(in.ReserveUnread(30, 100)) << i;
    in.ReadDouble();
    EXPECT_THROW(in.ReserveUnread(30, 100), CArchiveException);
    EXPECT_NO_THROW(in.ReserveUnread(10, 100));
    EXPECT_THROW(in.ReserveUnread(1, 100), CArchiveException);
    // An input larger than the allowance allows its own size.
    CArchive large(std::vector<BYTE>(500, 0));
    EXPECT_NO_THROW(large.ReserveUnread(300, 100));
    EXPECT_NO_THROW(large.ReserveUnread(200, 100));
    EXPECT_THROW(large.ReserveUnread(1, 100), CArchiveException);
    EXPECT_THROW(CArchive(std::vector<BYTE>(8, 0)).ReserveUnread(0xFFFFFFFFFFFFFFFFull, 100), CArchiveException);
}

TEST(Archive, WordIsWidenedWithoutSign)
{
    CArchive in(Bytes({0xFF, 0xFF, 0x02, 0x00}));
    const int a = in.ReadWord();
    const BOOL b = in.ReadWord() != 0;
    EXPECT_EQ(a, 65535);
    EXPECT_EQ(b, 1);
}

}  // namespace
