// The printed caption and installation table of the SPL map, recorded on a
// printer page of 5100 x 6600 dots.

#include "MapWindow.h"

#include "platform/RecordingDC.h"

#include <gtest/gtest.h>

#include <algorithm>

using roomprint_test::CMapWindow;
using splcalc_test::Scene;
using splcalc_test::SmallSpeaker;

namespace {

constexpr int kHorz = 5100;
constexpr int kVert = 6600;

struct PrintScene {
    explicit PrintScene(int installations, int unit = 0, int advanced = 2)
    {
        CKDRDoc& doc = *scene.doc;
        doc.m_nLengthUnit = unit;
        doc.m_nAdvancedMode = advanced;
        CInstallationContainer& room = doc.m_installations;
        room.SetRoom(CInstallationContainer::kRoomLengthX, 10.0);
        room.SetRoom(CInstallationContainer::kRoomWidthY, 8.0);
        room.SetRoom(CInstallationContainer::kRoomHeight, 3.0);
        room.SetRoom(CInstallationContainer::kGridPitchX, 1.0);
        room.SetRoom(CInstallationContainer::kGridPitchY, 1.0);
        const int model = scene.AddModel(SmallSpeaker());
        for (int i = 0; i < installations; ++i)
            scene.Install(model, 1.0 + 0.125 * i, 2.5, 2.75, 10.0, 20.0, 30.0, 6.0, i % 2 == 0);
        scene.SetPlane(0, 0, 1.2, 10, 8, 0, 1.0, 1000.0, 3.0, 1);
        view = std::make_unique<CMapWindow>(doc);
        view->UpdateScrollSizes(TRUE);
        dc.SetDeviceCaps(HORZRES, kHorz);
        dc.SetDeviceCaps(VERTRES, kVert);
    }

    // Prints the job page by page as the print runner does.
    std::vector<std::vector<CDrawOp>> PrintAll(int maxPages)
    {
        std::vector<std::vector<CDrawOp>> pages;
        CPrintInfo info;
        info.m_nMaxPage = maxPages;
        view->OnBeginPrinting(dc, info);
        printTotal = view->GetTotalSize();
        firstPageRows = view->GetFirstTablePageRows();
        for (int p = 1; p <= maxPages && info.m_bContinuePrinting; ++p) {
            dc.Clear();
            info.m_nCurPage = p;
            view->OnPrint(dc, info);
            pages.push_back(dc.OpsOf(CDrawOp::TextOut));
        }
        view->OnEndPrinting(dc, info);
        return pages;
    }

    Scene scene{0};
    std::unique_ptr<CMapWindow> view;
    CRecordingDC dc{true};
    CSize printTotal;
    int firstPageRows = -1;
};

const CDrawOp* FindText(const std::vector<CDrawOp>& ops, const std::string& text)
{
    for (const CDrawOp& op : ops)
        if (op.text == text)
            return &op;
    return nullptr;
}

// The texts drawn at one y, left to right.
std::vector<std::string> Row(const std::vector<CDrawOp>& ops, int y, int minX = 0)
{
    std::vector<const CDrawOp*> row;
    for (const CDrawOp& op : ops)
        if (op.points[0].y == y && op.points[0].x >= minX)
            row.push_back(&op);
    std::stable_sort(row.begin(), row.end(),
                     [](const CDrawOp* a, const CDrawOp* b) { return a->points[0].x < b->points[0].x; });
    std::vector<std::string> out;
    for (const CDrawOp* op : row)
        out.push_back(op->text);
    return out;
}

}  // namespace

TEST(PrintTable, ThreeInstallationsOnPageOneUnderTheCaption)
{
    PrintScene s(3);
    const auto pages = s.PrintAll(5);
    ASSERT_EQ(pages.size(), 1u);  // the job ends after the page with the last row
    const auto& ops = pages[0];
    const int h = 12 * kVert / 1200;  // 66
    ASSERT_EQ(s.view->m_fontPrint.height, h);
    const int H = s.printTotal.cy;
    const int marginBottom = kVert / 3;

    const CDrawOp* caption = FindText(ops, "This color mapping is shown @1000[Hz] , 1/3 Oct. Band , Energy");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->points[0], CPoint(kHorz * 35 / 100, 28 * h - marginBottom + H));
    const int top = 32 * h - marginBottom + H;
    EXPECT_EQ(s.view->m_nTableTop, top);

    const int left = kHorz * 10 / 100;
    const std::vector<std::string> header{"No", "Speaker Name", "X", "Y", "Z", "Azimuth(Left+)",
                                          "Elevation(Down+)", "Rotation(Right+)", "Power", "Polarity"};
    EXPECT_EQ(Row(ops, top, left), header);
    const int offsets[] = {0, 150, 1150, 1450, 1750, 2050, 2500, 3050, 3550, 3850};
    for (int c = 0; c < 10; ++c) {
        const CDrawOp* op = nullptr;
        for (const CDrawOp& each : ops)
            if (each.text == header[c] && each.points[0].y == top)
                op = &each;
        ASSERT_NE(op, nullptr);
        EXPECT_EQ(op->points[0].x, left + offsets[c]) << header[c];
        EXPECT_EQ(op->font.height, h);
    }
    EXPECT_EQ(Row(ops, top + h, left),
              (std::vector<std::string>{"1", "Test Ceiling", "1[m]", "2.5[m]", "2.75[m]", "10[deg]", "30[deg]",
                                        "20[deg]", "6[W]", "Normal"}));
    EXPECT_EQ(Row(ops, top + 2 * h, left)[4 - 2], "1.125[m]");
    EXPECT_EQ(Row(ops, top + 2 * h, left).back(), "Reverse");
    EXPECT_EQ(Row(ops, top + 3 * h, left)[0], "3");
    EXPECT_TRUE(Row(ops, top + 4 * h, left).empty());
}

TEST(PrintTable, ReducedModeDropsTheFiveAdvancedColumnsAndFeetShowFt)
{
    PrintScene s(1, 1, 0);
    const auto pages = s.PrintAll(3);
    ASSERT_EQ(pages.size(), 1u);
    const int top = s.view->m_nTableTop;
    const int left = kHorz * 10 / 100;
    EXPECT_EQ(Row(pages[0], top, left), (std::vector<std::string>{"No", "Speaker Name", "X", "Y", "Z"}));
    EXPECT_EQ(Row(pages[0], top + 66, left),
              (std::vector<std::string>{"1", "Test Ceiling", "1[ft]", "2.5[ft]", "2.75[ft]"}));
}

TEST(PrintTable, CaptionNamesEveryBandAndFrequencyWithTwoDigits)
{
    PrintScene s(1);
    s.scene.Condition().SetFrequency(1258.9);
    s.scene.Condition().SetBandFraction(0.5);
    s.scene.Condition().SetSumMode(0);
    auto pages = s.PrintAll(1);
    EXPECT_NE(FindText(pages[0], "This color mapping is shown @1300[Hz] , 2 Oct. Band , Interference"), nullptr);
    s.scene.Condition().SetBandFraction(2.0);  // no name
    pages = s.PrintAll(1);
    EXPECT_NE(FindText(pages[0], "This color mapping is shown @1300[Hz] ,  , Interference"), nullptr);
}

TEST(PrintTable, RowsContinueOnLaterPagesFromTheTopMarginAndNoneIsLost)
{
    const int n = 130;
    PrintScene s(n);
    const auto pages = s.PrintAll(200);
    const int R = s.scene.doc->m_nPrintRowsPerPage;
    EXPECT_EQ(R, (kVert - kVert / 10 - kVert / 3) / 66 + 1);  // 57
    const int firstRows = s.firstPageRows;
    // Page 1 holds what fits between the table top and the page's lower edge.
    EXPECT_EQ(firstRows, std::min(R - 1, (kVert - s.view->m_nTableTop) / 66 - 1));
    EXPECT_GE(firstRows, 0);
    EXPECT_LT(firstRows, R - 1);
    const int expectedPages = 1 + (n - firstRows + R - 2) / (R - 1);
    EXPECT_EQ(CMapWindow::CalcTablePageCount(n, firstRows, R), expectedPages);
    ASSERT_EQ(static_cast<int>(pages.size()), expectedPages);

    // Every installation number appears exactly once, in order, and every
    // text lies on the page.
    std::vector<std::string> numbers;
    const int left = kHorz * 10 / 100;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        for (const CDrawOp& op : pages[p]) {
            EXPECT_LE(op.points[0].y + 66, kVert) << "page " << p + 1 << " " << op.text;
            if (op.points[0].x == left && op.text != "No")
                numbers.push_back(op.text);
        }
    }
    ASSERT_EQ(static_cast<int>(numbers.size()), n);
    for (int i = 0; i < n; ++i)
        EXPECT_EQ(numbers[i], std::to_string(i + 1));

    // Page 2: header at the table's top margin, then installations from firstRows + 1.
    const int top2 = kVert / 10;
    EXPECT_EQ(Row(pages[1], top2, left)[0], "No");
    EXPECT_EQ(Row(pages[1], top2 + 66, left)[0], std::to_string(firstRows + 1));
    EXPECT_EQ(Row(pages[1], top2 + 56 * 66, left)[0], std::to_string(firstRows + 56));
    EXPECT_TRUE(Row(pages[1], top2 + 57 * 66, left).empty());
}

TEST(PrintTable, AProjectWithoutInstallationsPrintsNoCaptionAndNoTable)
{
    PrintScene s(0);
    s.view->m_nTableTop = 1234;
    const auto pages = s.PrintAll(3);
    ASSERT_EQ(pages.size(), 1u);
    for (const CDrawOp& op : pages[0]) {
        EXPECT_EQ(op.text.find("This color mapping"), std::string::npos);
        EXPECT_NE(op.text, "Speaker Name");
    }
    EXPECT_EQ(s.view->m_nTableTop, 1234);
    EXPECT_EQ(CMapWindow::CalcTablePageCount(0, 5, 57), 1);
}
