// Projection of room points into window pixels, scroll size, fit and zoom.

#include "MapViewTestSupport.h"

#include "document/PlaceElement.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace mapview_test;

TEST(Projection, TopViewPixels)
{
    TopView t;
    // Extent: x 0..10, y 0..8 (the origin is a corner).
    EXPECT_EQ(t.view->GetMinX(), 0.0);
    EXPECT_EQ(t.view->GetMaxX(), 10.0);
    EXPECT_EQ(t.view->GetMaxY(), 8.0);
    // w = 10000 * 0.05 = 500, h = 400; cx = T(500 + 150 - 0.5) + 1, cy = T(400 + 368 - 0.5) + 1.
    EXPECT_EQ(t.view->GetTotalSize(), CSize(650, 768));
    EXPECT_EQ(t.scene.Condition().GetTotalSize(), CSize(650, 768));
    // x: T(x * 50 - 0.5) + 111; y: T(-y * 50 - 0.5) - 324 + 768 + 1.
    EXPECT_EQ(t.view->ToDeviceX(0.0), 111);
    EXPECT_EQ(t.view->ToDeviceX(10.0), 610);
    EXPECT_EQ(t.view->ToDeviceX(0.005), 111);  // T(-0.25) = 0
    EXPECT_EQ(t.view->ToDeviceY(0.0), 445);
    EXPECT_EQ(t.view->ToDeviceY(8.0), 45);
    EXPECT_EQ(t.view->ProjectPoint(CPoint3D(2, 4, 1.2)), CPoint(210, 245));
}

// Zoom In stops at the largest scroll size, 2^23 pixels, here of the width
// (s = (2^23 - 1 - 150) / 10000); so does a large scale stored in a
// project. The map still lies inside its margins.
TEST(Projection, DeepZoomStopsAtTheLargestPicture)
{
    TopView t;
    for (int step = 0; step < 120; ++step)
        t.view->ZoomIn();
    for (double scale : {t.scene.Condition().GetScale(), 1.0e100}) {
        t.scene.Condition().SetScale(scale);
        t.view->UpdateScrollSizes(FALSE);
        EXPECT_EQ(t.scene.Condition().GetScale(), 8388457.0 / 10000.0);
        EXPECT_EQ(t.view->GetTotalSize(), CSize(8388607, 6711134));
        EXPECT_EQ(t.view->ProjectPoint(CPoint3D(0, 0, 3)), CPoint(111, 6711134 - 323));
        EXPECT_EQ(t.view->ProjectPoint(CPoint3D(10, 8, 3)), CPoint(8388607 - 40, 45));
    }
}

TEST(Projection, QuadCornersAndOrder)
{
    TopView t;
    CPlaceElement dot(2.0, 4.0, 1.2, 1.0, 2.0, 0.0);
    double c[12];
    CColorMapViewCore::GetQuadXY(dot, c);
    EXPECT_EQ((std::vector<double>(c, c + 12)),
              (std::vector<double>{1.5, 1.5, 2.5, 2.5, 3, 5, 5, 3, 1.2, 1.2, 1.2, 1.2}));
    CPoint q[4];
    t.view->ProjectQuad(q, c);
    // Corners 0, 3, 2, 1.
    EXPECT_EQ(q[0], CPoint(185, 295));
    EXPECT_EQ(q[1], CPoint(235, 295));
    EXPECT_EQ(q[2], CPoint(235, 195));
    EXPECT_EQ(q[3], CPoint(185, 195));

    CPlaceElement wall(0.0, 4.0, 1.5, 0.0, 1.0, 0.5);
    CColorMapViewCore::GetQuadYZ(wall, c);
    EXPECT_EQ((std::vector<double>(c, c + 12)),
              (std::vector<double>{0, 0, 0, 0, 3.5, 3.5, 4.5, 4.5, 1.25, 1.75, 1.75, 1.25}));
    CPlaceElement side(3.0, 2.0, 1.5, 1.0, 0.0, 0.5);
    CColorMapViewCore::GetQuadXZ(side, c);
    EXPECT_EQ((std::vector<double>(c, c + 12)),
              (std::vector<double>{2.5, 2.5, 3.5, 3.5, 2, 2, 2, 2, 1.25, 1.75, 1.75, 1.25}));
}

TEST(Projection, FitByHeightOrWidth)
{
    TopView t;
    // Client 800 x 600: A = 650, B = 556; (B - b) / A = 0.357 <= 8000 / 10000,
    // so s = (556 - 0.6 * 324) / 8000.
    t.view->UpdateScrollSizes(TRUE);
    EXPECT_DOUBLE_EQ(t.scene.Condition().GetScale(), (556 - 0.6 * 324) / 8000.0);
    // A tall window: s = A / W.
    t.view->client = CSize(400, 3000);
    t.view->UpdateScrollSizes(TRUE);
    EXPECT_DOUBLE_EQ(t.scene.Condition().GetScale(), 250.0 / 10000.0);
    // The map is 250 pixels wide; the scroll width is raised to 470 + margins.
    EXPECT_EQ(t.view->GetTotalSize().cx, 470 + 150);
}

TEST(Projection, DegenerateSceneKeepsTheScale)
{
    TopView t;
    t.scene.doc->m_installations.SetRoom(CInstallationContainer::kRoomLengthX, 0.0);
    t.scene.doc->m_installations.SetRoom(CInstallationContainer::kRoomWidthY, 0.0);
    t.scene.Condition().GetPlane().Set(0, 0, 1, 0, 0, 0, 1, 100, 2);  // refused: stays 10 x 8
    t.scene.SetPlane(0, 0, 1.2, 0, 5, 3, 1.0);  // a wall: no width seen from above
    t.scene.Condition().SetViewAngles(0, 0, 0);
    t.scene.Condition().SetScale(0.05);
    t.view->UpdateScrollSizes(TRUE);
    EXPECT_EQ(t.scene.Condition().GetScale(), 0.05);
    // A window smaller than its margins keeps it too.
    TopView u;
    u.view->client = CSize(100, 100);
    u.view->UpdateScrollSizes(TRUE);
    EXPECT_EQ(u.scene.Condition().GetScale(), 0.05);
}

TEST(Projection, ZoomAndDirections)
{
    TopView t;
    EXPECT_TRUE(t.view->OnViewRoomCommand(CKDRDoc::kCmdViewRoomSizeZoomIn));
    EXPECT_DOUBLE_EQ(t.scene.Condition().GetScale(), 0.06);
    EXPECT_TRUE(t.view->OnViewRoomCommand(CKDRDoc::kCmdViewRoomSizeZoomOut));
    EXPECT_NEAR(t.scene.Condition().GetScale(), 0.05, 1e-15);
    // Each direction by its command id; directions keep the scale.
    const struct {
        unsigned id;
        std::vector<double> angles;
    } directions[] = {{CKDRDoc::kCmdViewRoomDirectionDiagonal, {45, 75, 0}},
                      {CKDRDoc::kCmdViewRoomDirectionXAxisMinus, {90, 90, 0}},
                      {CKDRDoc::kCmdViewRoomDirectionYAxisPlus, {0, 90, 0}},
                      {CKDRDoc::kCmdViewRoomDirectionZAxisMinus, {0, 0, 0}}};
    const double* a = t.scene.Condition().GetViewAngles();
    for (const auto& d : directions) {
        EXPECT_TRUE(t.view->OnViewRoomCommand(d.id));
        EXPECT_EQ((std::vector<double>{a[0], a[1], a[2]}), d.angles) << d.id;
        EXPECT_NEAR(t.scene.Condition().GetScale(), 0.05, 1e-15);
    }
    EXPECT_FALSE(t.view->OnViewRoomCommand(CKDRDoc::kCmdSpeakerImport));
    EXPECT_FALSE(t.scene.doc->IsModified());
}

TEST(Projection, SideViewsTurnTheRoom)
{
    TopView t;
    // Looking along y (0, 90, 0): the room's height shows upwards.
    t.view->SetViewAngles(0, 90, 0);
    CPoint3D floor(0, 0, 0), ceiling(0, 0, 3);
    floor.Rotate(t.view->GetViewRotation());
    ceiling.Rotate(t.view->GetViewRotation());
    EXPECT_NEAR(std::fabs(ceiling.y - floor.y), 3.0, 1e-12);
    // The scene's projected height then is the room's height, not its width.
    EXPECT_NEAR(t.view->GetMaxY() - t.view->GetMinY(), 3.0, 1e-12);
}
