// The line-array arrangement dialogs as the program shows them: built from
// their templates, driven through the combo boxes, the preview painted.
#include "dialogs/LV3ModuleArrangementDialog1.h"
#include "dialogs/TypeSModuleArrangementDialog1.h"
#include "platform/AppSettings.h"
#include "platform/MessageBox.h"
#include "platform/qt/TemplateDialog.h"
#include "tests/app_qt/QtTestApplication.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <gtest/gtest.h>

namespace {

int GreenPixels(const QImage& img)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += img.pixelColor(x, y) == QColor(0, 127, 0) ? 1 : 0;
    return n;
}

}  // namespace

TEST(ArrangementDialogsQt, LV3DialogChangesTheBoxCountAndDrawsItsPreview)
{
    AppSettings().m_nSpecialUserLevel = 0;
    CAxisEntityArray e;
    const double splays[8] = {-1.875, -3.75, -3.75, -3.75, 1.875, 3.75, 3.75, 3.75};
    for (double s : splays)
        e.emplace_back(0.12, 0.32, s);
    CLV3ModuleArrangementDialog1 d(0, 4, 4, &e, 0);
    CTemplateDialog dlg(d, *FindDialogTemplate(149));
    dlg.Initialize();

    auto* count = qobject_cast<QComboBox*>(dlg.Control(1052));
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count->currentText(), QStringLiteral("LV-3 x 2"));
    auto* rigging = qobject_cast<QComboBox*>(dlg.Control(2004));
    ASSERT_NE(rigging, nullptr);
    EXPECT_EQ(rigging->count(), 4);
    EXPECT_EQ(rigging->currentText(), QStringLiteral("15deg-mode"));
    EXPECT_TRUE(dlg.IsWindowVisible(2007));
    EXPECT_FALSE(dlg.IsWindowVisible(2008));

    // The user picks "LV-3 x 3".
    count->setCurrentIndex(2);
    emit count->activated(2);
    EXPECT_EQ(e.size(), 12u);
    EXPECT_TRUE(dlg.IsWindowVisible(2011));
    EXPECT_TRUE(dlg.IsWindowVisible(1057));

    QWidget* preview = dlg.Control(1098);
    ASSERT_NE(preview, nullptr);
    const QImage img = preview->grab().toImage();
    EXPECT_EQ(img.pixelColor(0, 0), QColor(255, 255, 255));
    EXPECT_GT(GreenPixels(img), 100);

    EXPECT_TRUE(dlg.PressButton(IDOK));
    EXPECT_EQ(d.GetResult(), IDOK);
    EXPECT_EQ(d.GetViewParam().GetTotalModules(), 12u);
}

TEST(ArrangementDialogsQt, TypeSCheckBoxCurvesTheBottomBox)
{
    CAxisEntityArray e(8, CAxisEntity(0.04, 0.1, 0.0));
    CTypeSModuleArrangementDialog1 d(0, 0, 8, &e, 0);
    CTemplateDialog dlg(d, *FindDialogTemplate(155));
    dlg.Initialize();
    auto* check = qobject_cast<QCheckBox*>(dlg.Control(1101));
    ASSERT_NE(check, nullptr);
    EXPECT_FALSE(check->isChecked());
    check->click();
    EXPECT_EQ(e[7].z, 2.2);
    EXPECT_GT(GreenPixels(dlg.Control(1102)->grab().toImage()), 50);
    EXPECT_TRUE(dlg.PressEscape());
    EXPECT_EQ(d.GetResult(), IDCANCEL);
}
