// The picture key of the SPL map window: the window keeps its drawn map
// while the key stays, so every change of what the pass draws must change
// it, and a hover's readout must not.

#include "MapViewTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

using namespace mapview_test;
using splcalc_test::SmallSpeaker;

namespace {

// The top view with two speakers, levels and results.
struct Scene2 : TopView {
    Scene2()
    {
        scene.AddModel(SmallSpeaker());
        scene.Install(0, 2, 3, 2.5);
        scene.Install(0, 7, 5, 2.5);
        scene.FillLevels(90.0);
        scene.Plane().SetMaxLevel(93.0);
        scene.doc->m_strProjectName = "Hall";
    }
    CKDRDoc& Doc() { return *scene.doc; }
};

}  // namespace

TEST(MapPictureKey, EveryChangeOfThePictureChangesTheKey)
{
    const struct {
        const char* what;
        std::function<void(Scene2&)> change;
    } cases[] = {
        {"a dot's level", [](Scene2& s) { s.scene.Plane().GetCells().GetAt(7)->SetLevel(60.0); }},
        {"the colour scale", [](Scene2& s) { s.scene.Plane().Set(0, 0, 1.2, 10, 8, 0, 1.0, 90.0, 2.0); }},
        {"the plane", [](Scene2& s) { s.scene.Plane().Set(0, 0, 1.5, 10, 8, 0, 1.0, 100.0, 2.0); }},
        {"the scale", [](Scene2& s) { s.view->Zoom(1.2); }},
        {"the direction", [](Scene2& s) { s.view->ViewDiagonal(); }},
        {"the margins", [](Scene2& s) { s.scene.Condition().GetMargin().left += 1; }},
        {"the size", [](Scene2& s) { s.view->client = CSize(1000, 700), s.view->Fit(); }},
        {"a moved speaker", [](Scene2& s) { s.Doc().m_installations.GetAt(1)->SetPosition(7.0, 5.5, 2.5); }},
        {"a further speaker", [](Scene2& s) { s.scene.Install(0, 4, 4, 2.5); }},
        {"no speaker", [](Scene2& s) { s.Doc().m_installations.RemoveAll(); }},
        {"the current speaker", [](Scene2& s) { s.Doc().m_installations.SetCurrentIndex(0); }},
        {"the room", [](Scene2& s) { s.Doc().m_installations.SetRoom(CInstallationContainer::kRoomLengthX, 9.0); }},
        {"the grid", [](Scene2& s) { s.Doc().m_installations.SetRoom(CInstallationContainer::kGridPitchY, 0.5); }},
        {"the ceiling", [](Scene2& s) { s.Doc().m_installations.m_nCeilingKind ^= 1; }},
        {"the unit", [](Scene2& s) { s.Doc().m_nLengthUnit = 1; }},
        {"the project name", [](Scene2& s) { s.Doc().m_strProjectName = "Aula"; }},
        {"a result", [](Scene2& s) { s.scene.Plane().SetMaxLevel(94.0); }},
        {"the automatic installation", [](Scene2& s) { s.Doc().m_bAutoInstalled = 1; }},
        {"the legend strip", [](Scene2& s) { s.view->comboStrip += 1; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Scene2 s;
        s.Doc().m_installations.SetCurrentIndex(1);
        const std::uint64_t before = s.view->GetPictureKey();
        EXPECT_EQ(s.view->GetPictureKey(), before);
        c.change(s);
        EXPECT_NE(s.view->GetPictureKey(), before);
    }
}

TEST(MapPictureKey, AHoverDoesNotChangeTheKey)
{
    Scene2 s;
    const std::uint64_t before = s.view->GetPictureKey();
    const double point[3] = {4.5, 3.5, 1.2};
    s.view->DrawCursorSPL(point);
    ASSERT_FALSE(s.view->GetCursorLevelText().empty());
    EXPECT_EQ(s.view->GetPictureKey(), before);
    EXPECT_EQ(s.view->redraws, 0);
}
