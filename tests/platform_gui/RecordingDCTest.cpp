// The recording drawing context the view tests read coordinates from, the
// colour layout, and the private messages routed to the window under a point.

#include "platform/RecordingDC.h"
#include "platform/RegisteredMessages.h"

#include <gtest/gtest.h>

TEST(RecordingDC, RecordsLinesWithThePenInForce)
{
    CRecordingDC dc;
    const CPenSpec old = dc.SelectPen({PS_SOLID, 2, RGB(127, 127, 127)});
    EXPECT_EQ(old, (CPenSpec{PS_SOLID, 1, RGB(0, 0, 0)}));
    dc.MoveTo(10, 20);
    dc.LineTo(30, 40);
    dc.LineTo(30, 50);
    ASSERT_EQ(dc.Lines().size(), 2u);
    EXPECT_EQ(dc.Lines()[0].from, CPoint(10, 20));
    EXPECT_EQ(dc.Lines()[0].to, CPoint(30, 40));
    EXPECT_EQ(dc.Lines()[1].from, CPoint(30, 40));
    EXPECT_EQ(dc.Lines()[1].to, CPoint(30, 50));
    EXPECT_EQ(dc.Lines()[0].pen.width, 2);
    EXPECT_EQ(dc.Lines()[0].pen.color, RGB(127, 127, 127));
    EXPECT_EQ(dc.CurrentPosition(), CPoint(30, 50));
}

TEST(RecordingDC, RecordsTextsFillsAndIcons)
{
    CRecordingDC dc;
    dc.SelectFont({"", 12, 400});
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(5, 7, "X");
    dc.FillSolidRect(CRect(5, 24, 17, 36), RGB(255, 0, 0));
    dc.FillPolygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, RGB(0, 0, 255));
    dc.DrawIcon(84, 84, IDI_CURRENT_SPEAKER);

    const auto texts = dc.OpsOf(CDrawOp::TextOut);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].points[0], CPoint(5, 7));
    EXPECT_EQ(texts[0].text, "X");
    EXPECT_EQ(texts[0].bkMode, TRANSPARENT);
    EXPECT_EQ(texts[0].font.height, 12);

    const auto fills = dc.OpsOf(CDrawOp::FillSolidRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].rect, CRect(5, 24, 17, 36));
    // A solid rectangle fill leaves its colour as the text background.
    dc.TextOut(0, 0, "after");
    EXPECT_EQ(dc.OpsOf(CDrawOp::TextOut)[1].bkColor, RGB(255, 0, 0));

    const auto polys = dc.OpsOf(CDrawOp::FillPolygon);
    ASSERT_EQ(polys.size(), 1u);
    EXPECT_EQ(polys[0].points.size(), 4u);
    EXPECT_EQ(polys[0].color, RGB(0, 0, 255));
    EXPECT_EQ(polys[0].polyFillMode, ALTERNATE);
    EXPECT_TRUE(dc.Lines().empty());  // a region fill draws no outline

    const auto icons = dc.OpsOf(CDrawOp::DrawIcon);
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_EQ(icons[0].points[0], CPoint(84, 84));
    EXPECT_EQ(icons[0].value, 141);
    EXPECT_EQ(dc.Texts(), (std::vector<std::string>{"X", "after"}));
}

TEST(RecordingDC, ScreenResolutionAndColourLayout)
{
    CRecordingDC screen;
    EXPECT_FALSE(screen.IsPrinting());
    EXPECT_EQ(screen.GetDeviceCaps(LOGPIXELSY), 96);
    // Colours are blue-green-red.
    EXPECT_EQ(RGB(200, 100, 50), 0x003264C8u);
    EXPECT_EQ(GetRValue(RGB(200, 100, 50)), 200);
    EXPECT_EQ(GetGValue(RGB(200, 100, 50)), 100);
    EXPECT_EQ(GetBValue(RGB(200, 100, 50)), 50);
}

namespace {

class Room : public IMessageTarget {
public:
    LRESULT OnRegisteredMessage(unsigned message, WPARAM, LPARAM lParam) override
    {
        if (message != WM_IS_POINT_IN_ROOM)
            return 0;
        return reinterpret_cast<const CPoint*>(lParam)->x < 100 ? 1 : 2;
    }
};

class Locator : public IWindowLocator {
public:
    Room room;
    IMessageTarget* WindowFromPoint(CPoint screen) override { return screen.y < 50 ? &room : nullptr; }
    bool IsMouseCaptured() const override { return false; }
};

}  // namespace

TEST(RegisteredMessages, GoToTheWindowUnderThePointAndAnswerZeroElsewhere)
{
    Locator loc;
    SetWindowLocator(&loc);
    CPoint p(10, 10), q(200, 10), nowhere(10, 80);
    const auto send = [](CPoint& at, unsigned msg) {
        return SendMessageToWindowAt(at, msg, 0, reinterpret_cast<LPARAM>(&at));
    };
    EXPECT_EQ(send(p, WM_IS_POINT_IN_ROOM), 1);
    EXPECT_EQ(send(q, WM_IS_POINT_IN_ROOM), 2);
    EXPECT_EQ(send(p, WM_CAN_ACCEPT_DROP), 0);  // not handled
    EXPECT_EQ(send(nowhere, WM_IS_POINT_IN_ROOM), 0);
    SetWindowLocator(nullptr);
    EXPECT_EQ(send(p, WM_IS_POINT_IN_ROOM), 0);
}
