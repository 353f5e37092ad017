// The window's condition from its first update to its destruction, the
// update hint and the print set-up.

#include "MapViewTestSupport.h"

#include "platform/RecordingDC.h"

#include <gtest/gtest.h>

using namespace mapview_test;
using splcalc_test::SmallSpeaker;

namespace {

// Sets the application's length unit for the test and puts it back.
struct AppUnit {
    explicit AppUnit(int unit) : saved(CInstallationContainer::GetApplicationLengthUnit())
    {
        CInstallationContainer::SetApplicationLengthUnit(unit);
    }
    ~AppUnit() { CInstallationContainer::SetApplicationLengthUnit(saved); }
    int saved;
};

}  // namespace

TEST(MapViewLife, NewProjectMakesItsCondition)
{
    AppUnit unit(0);
    CKDRDoc doc;
    CTestMapView view(doc);
    view.InitialUpdate();
    ASSERT_EQ(doc.m_colorMapConditions.GetCount(), 1);
    EXPECT_EQ(view.GetConditionIndex(), 0);
    const CColorMapCondition& cond = *view.GetCondition();
    EXPECT_EQ(cond.GetFrequency(), 0.0);
    EXPECT_EQ(cond.GetBandFraction(), 0.0);
    EXPECT_EQ(cond.GetSumMode(), 1);
    EXPECT_EQ(cond.GetMargin(), CRect(110, 44, 40, 324));
    const double* a = cond.GetViewAngles();
    EXPECT_EQ((std::vector<double>{a[0], a[1], a[2]}), (std::vector<double>{45, 75, 0}));
    const CListeningPlane& plane = cond.GetPlane();
    EXPECT_EQ(plane.GetOrigin(2), 1.5);
    EXPECT_EQ(plane.GetExtent(0), 10.0);
    EXPECT_EQ(plane.GetExtent(1), 10.0);
    EXPECT_EQ(plane.GetPitch(), 0.25);
    EXPECT_GT(cond.GetScale(), 0.0);  // fitted
    EXPECT_EQ(cond.GetTotalSize(), view.GetTotalSize());
    EXPECT_TRUE(view.Band().items.empty());  // no model yet
}

TEST(MapViewLife, FeetPlaneAndSecondWindowCopiesTheCurrent)
{
    AppUnit unit(1);
    CKDRDoc doc;
    CTestMapView first(doc);
    first.InitialUpdate();
    EXPECT_EQ(first.GetCondition()->GetPlane().GetExtent(0), 30.0);
    EXPECT_EQ(first.GetCondition()->GetPlane().GetOrigin(2), 5.0);
    EXPECT_EQ(first.GetCondition()->GetPlane().GetPitch(), 0.5);
    first.GetCondition()->SetSumMode(0);
    CTestMapView second(doc);
    second.InitialUpdate();
    EXPECT_EQ(doc.m_colorMapConditions.GetCount(), 2);
    EXPECT_EQ(second.GetConditionIndex(), 1);
    EXPECT_EQ(second.GetCondition()->GetSumMode(), 0);
    first.OnActivateView();
    EXPECT_EQ(doc.m_colorMapConditions.GetCurrentIndex(), 0);
}

TEST(MapViewLife, ClosingRenumbersTheLaterWindows)
{
    AppUnit unit(0);
    CKDRDoc doc;
    auto a = std::make_unique<CTestMapView>(doc);
    a->InitialUpdate();
    auto b = std::make_unique<CTestMapView>(doc);
    b->InitialUpdate();
    auto c = std::make_unique<CTestMapView>(doc);
    c->InitialUpdate();
    c->GetCondition()->SetFrequency(500.0);
    a.reset();
    EXPECT_EQ(doc.m_colorMapConditions.GetCount(), 2);
    EXPECT_EQ(b->GetConditionIndex(), 0);
    EXPECT_EQ(c->GetConditionIndex(), 1);
    EXPECT_EQ(c->GetCondition()->GetFrequency(), 500.0);
    b.reset();
    c.reset();
    EXPECT_EQ(doc.m_colorMapConditions.GetCount(), 0);
}

TEST(MapViewLife, LoadedProjectKeepsItsStoredMap)
{
    splcalc_test::Scene scene;
    scene.AddModel(SmallSpeaker());
    scene.Install(0, 5, 5, 3);
    scene.SetPlane(0, 0, 1.2, 10, 8, 0, 1.0, 1000.0, 3.0, 1);
    scene.FillLevels(81.0);
    scene.doc->m_bOpenedFromFile = TRUE;
    auto view = std::make_unique<CTestMapView>(*scene.doc);
    view->InitialUpdate();
    EXPECT_EQ(scene.doc->m_colorMapConditions.GetCount(), 1);
    EXPECT_EQ(view->GetConditionIndex(), 0);
    EXPECT_EQ(scene.Levels().front(), 81.0);  // not calculated
    EXPECT_EQ(view->Selected(CColorMapViewCore::kIdComboFrequency), "1000[Hz]");
    EXPECT_EQ(view->Selected(CColorMapViewCore::kIdComboBand), "1/3 Oct. Band");
    EXPECT_EQ(view->Selected(CColorMapViewCore::kIdComboSumMode), "Energy");

    // A further window gets its own entry: closing the first leaves it a map.
    auto second = std::make_unique<CTestMapView>(*scene.doc);
    second->InitialUpdate();
    EXPECT_EQ(second->GetConditionIndex(), 1);
    view.reset();
    ASSERT_EQ(scene.doc->m_colorMapConditions.GetCount(), 1);
    EXPECT_EQ(second->GetConditionIndex(), 0);
    EXPECT_EQ(second->GetCondition()->GetFrequency(), 1000.0);
}

TEST(MapViewLife, HintOneRecalculatesUnlessHeldBack)
{
    splcalc_test::Scene scene;
    scene.AddModel(SmallSpeaker());
    scene.Install(0, 5, 4, 3);
    scene.SetPlane(0, 0, 1.2, 10, 8, 0, 2.0, 1000.0, 3.0, 1);
    CTestMapView view(*scene.doc);
    scene.FillLevels(0.0);

    scene.doc->UpdateAllViews(nullptr, kHintInstallationList);
    EXPECT_EQ(view.redraws, 0);  // other hints are ignored
    scene.doc->m_bManualRecalculation = TRUE;
    scene.doc->UpdateAllViews(nullptr, kHintRecalcMaps);
    EXPECT_EQ(view.redraws, 1);
    EXPECT_EQ(scene.Levels().front(), 0.0);
    scene.doc->m_bRecalcRequested = TRUE;
    scene.doc->UpdateAllViews(nullptr, kHintRecalcMaps);
    EXPECT_EQ(view.redraws, 2);
    EXPECT_GT(scene.Levels().front(), 40.0);
    scene.doc->m_bManualRecalculation = FALSE;
    scene.doc->m_bRecalcRequested = FALSE;
    scene.FillLevels(0.0);
    scene.doc->UpdateAllViews(nullptr, kHintRecalcMaps);
    EXPECT_GT(scene.Levels().front(), 40.0);
}

TEST(MapViewLife, PrintSetUpAndRestore)
{
    splcalc_test::Scene scene;
    scene.doc->m_installations.SetRoom(CInstallationContainer::kRoomLengthX, 10.0);
    scene.doc->m_installations.SetRoom(CInstallationContainer::kRoomWidthY, 8.0);
    scene.SetPlane(0, 0, 1.2, 10, 8, 0, 1.0);
    scene.Condition().SetScale(0.05);
    CTestMapView view(*scene.doc);
    view.UpdateScrollSizes(FALSE);
    const CSize screenSize = view.GetTotalSize();
    const int scrollChanges = view.scrollChanges;

    CRecordingDC paper(true);
    paper.SetDeviceCaps(HORZRES, 4800);
    paper.SetDeviceCaps(VERTRES, 6600);
    CPrintInfo info;
    EXPECT_TRUE(view.OnPreparePrinting(info));
    EXPECT_EQ(info.m_nMaxPage, 0xFFFF);  // unknown before the printer is
    view.OnBeginPrinting(paper, info);
    EXPECT_TRUE(view.IsPrintingMap());
    EXPECT_EQ(view.m_rectPrintMargin, CRect(1680, 660, 0, 2200));
    EXPECT_EQ(scene.Condition().GetMargin(), CRect(1680, 660, 0, 2200));
    EXPECT_EQ(view.m_nPrintFontHeight, 66);
    EXPECT_EQ(scene.doc->m_nPrintRowsPerPage, 57);
    EXPECT_EQ(scene.doc->m_nPrintPageCount, 1);
    EXPECT_EQ(info.m_nMaxPage, 1);
    EXPECT_NE(scene.Condition().GetScale(), 0.05);  // fitted to 80 % of the page
    EXPECT_EQ(view.scrollChanges, scrollChanges);   // the screen's scroll size stays

    info.m_nCurPage = 1;
    paper.Clear();
    view.OnPrint(paper, info);
    EXPECT_FALSE(info.m_bContinuePrinting);  // one page for an empty table
    EXPECT_EQ(paper.OpsOf(CDrawOp::FillPolygon).size(), 1u);
    EXPECT_EQ(paper.OpsOf(CDrawOp::FillSolidRect).size(), 25u);
    for (const auto& op : paper.OpsOf(CDrawOp::TextOut)) {
        EXPECT_NE(op.text, "This color mapping is shown @");  // the caption is the printed one
        EXPECT_EQ(op.font.height, 66);
    }
    info.m_nCurPage = 2;
    paper.Clear();
    view.OnPrint(paper, info);
    EXPECT_TRUE(paper.OpsOf(CDrawOp::FillPolygon).empty());

    view.OnEndPrinting(paper, info);
    EXPECT_FALSE(view.IsPrintingMap());
    EXPECT_EQ(scene.Condition().GetMargin(), CRect(110, 44, 40, 324));
    EXPECT_EQ(scene.Condition().GetScale(), 0.05);
    EXPECT_EQ(view.GetTotalSize(), screenSize);

    // A later job on a printer of half the resolution gets a font of its own.
    CRecordingDC coarse(true);
    coarse.SetDeviceCaps(HORZRES, 2400);
    coarse.SetDeviceCaps(VERTRES, 3300);
    view.OnBeginPrinting(coarse, info);
    EXPECT_EQ(view.m_nPrintFontHeight, 33);
    view.OnEndPrinting(coarse, info);
}
