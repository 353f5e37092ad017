#include "platform/RegisteredMessages.h"

#include <gtest/gtest.h>

namespace {

class Room : public IMessageTarget {
public:
    LRESULT OnRegisteredMessage(unsigned message, WPARAM, LPARAM lParam) override
    {
        if (message != WM_IS_POINT_IN_ROOM)
            return 0;
        const auto* p = reinterpret_cast<const CPoint*>(lParam);
        return p->x < 100 ? 1 : 2;
    }
};

class Locator : public IWindowLocator {
public:
    Room room;
    IMessageTarget* WindowFromPoint(CPoint screen) override { return screen.y < 50 ? &room : nullptr; }
    bool IsMouseCaptured() const override { return false; }
};

}  // namespace

TEST(RegisteredMessages, NumbersFollowTheUserBase)
{
    EXPECT_EQ(WM_DROP_NEW_SPEAKER, 0x406u);
    EXPECT_EQ(WM_IS_POINT_IN_PLANE, 0x407u);
    EXPECT_EQ(WM_CAN_ACCEPT_DROP, 0x408u);
    EXPECT_EQ(WM_IS_POINT_IN_ROOM, 0x409u);
    EXPECT_EQ(WM_DROP_MOVED_SPEAKER, 0x40Au);
}

TEST(RegisteredMessages, GoToTheWindowUnderThePointAndAnswerZeroElsewhere)
{
    Locator loc;
    SetWindowLocator(&loc);
    CPoint p(10, 10);
    EXPECT_EQ(SendMessageToWindowAt(p, WM_IS_POINT_IN_ROOM, 0, reinterpret_cast<LPARAM>(&p)), 1);
    CPoint q(200, 10);
    EXPECT_EQ(SendMessageToWindowAt(q, WM_IS_POINT_IN_ROOM, 0, reinterpret_cast<LPARAM>(&q)), 2);
    EXPECT_EQ(SendMessageToWindowAt(p, WM_CAN_ACCEPT_DROP, 0, 0), 0);  // not handled
    CPoint nowhere(10, 80);
    EXPECT_EQ(SendMessageToWindowAt(nowhere, WM_IS_POINT_IN_ROOM, 0, reinterpret_cast<LPARAM>(&nowhere)), 0);
    SetWindowLocator(nullptr);
    EXPECT_EQ(SendMessageToWindowAt(p, WM_IS_POINT_IN_ROOM, 0, reinterpret_cast<LPARAM>(&p)), 0);
}
