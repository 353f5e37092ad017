// The cabinet arrangement dialogs as the program shows them: built from
// their templates, driven through the combo boxes, the preview painted.
#include "dialogs/TypeAModuleArrangementDialog1.h"
#include "dialogs/TypeHModuleArrangementDialog.h"
#include "platform/MessageBox.h"
#include "platform/qt/TemplateDialog.h"
#include "tests/app_qt/QtTestApplication.h"

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

CAxisElementArray Units(int count, double length)
{
    CAxisElementArray units(static_cast<std::size_t>(count));
    for (CAxisElement& u : units)
        u.SetVector(CAxisEntity(0.0, length, 0.0));
    return units;
}

void Pick(QComboBox* combo, int index)
{
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

}  // namespace

TEST(CabinetDialogsQt, TypeADialogGrowsTheColumnAndDrawsIt)
{
    CTypeAModuleArrangementDialog1 d(0, 0, 1, Units(2, 0.4), 0);
    CTemplateDialog dlg(d, *FindDialogTemplate(157));
    dlg.Initialize();

    auto* count = qobject_cast<QComboBox*>(dlg.Control(3000));
    auto* joint = qobject_cast<QComboBox*>(dlg.Control(3011));
    auto* second = qobject_cast<QComboBox*>(dlg.Control(3002));
    ASSERT_NE(count, nullptr);
    ASSERT_NE(joint, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(count->currentText(), QStringLiteral("DM-K14 x 1"));
    EXPECT_EQ(joint->currentText(), QStringLiteral("5deg"));
    EXPECT_FALSE(joint->isEnabled());
    EXPECT_FALSE(second->isEnabled());

    Pick(count, 3);
    EXPECT_TRUE(joint->isEnabled());
    EXPECT_TRUE(second->isEnabled());
    Pick(second, 1);
    Pick(joint, 0);
    EXPECT_EQ(d.GetParams()[1], CTypeAandCParam(1, 10.0));

    QWidget* preview = dlg.Control(1103);
    ASSERT_NE(preview, nullptr);
    const QImage img = preview->grab().toImage();
    EXPECT_EQ(img.pixelColor(0, 0), QColor(255, 255, 255));
    EXPECT_GT(GreenPixels(img), 100);

    EXPECT_TRUE(dlg.PressButton(IDOK));
    EXPECT_EQ(d.GetResult(), IDOK);
    EXPECT_EQ(d.GetViewParam().GetTotalModules(), 4u);
}

TEST(CabinetDialogsQt, TypeHDialogOffersTheCurvedKindsOnlyForOneBox)
{
    CTypeHModuleArrangementDialog d(0, 0, 9, Units(4, 0.05), 0);
    CTemplateDialog dlg(d, *FindDialogTemplate(168));
    dlg.Initialize();

    auto* boxes = qobject_cast<QComboBox*>(dlg.Control(3003));
    auto* first = qobject_cast<QComboBox*>(dlg.Control(1105));
    auto* second = qobject_cast<QComboBox*>(dlg.Control(1106));
    ASSERT_NE(boxes, nullptr);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first->count(), 4);
    EXPECT_FALSE(second->isEnabled());

    Pick(boxes, 1);
    EXPECT_EQ(first->count(), 2);
    EXPECT_EQ(first->currentText(), QStringLiteral("DM-W5L"));
    EXPECT_TRUE(second->isEnabled());
    EXPECT_EQ(second->currentText(), QStringLiteral("DM-W7L"));
    EXPECT_EQ(d.GetViewParam().GetTotalModules(), 25u);

    Pick(boxes, 0);
    EXPECT_EQ(first->count(), 4);
    Pick(first, 2);
    EXPECT_FALSE(boxes->isEnabled());
    EXPECT_EQ(d.GetParams()[8], CTypeAandCParam(2, 4.93));

    const QImage img = dlg.Control(1107)->grab().toImage();
    EXPECT_GT(GreenPixels(img), 100);

    EXPECT_TRUE(dlg.PressButton(IDOK));
    EXPECT_EQ(d.GetResult(), IDOK);
    EXPECT_EQ(d.GetViewParam().GetTotalModules(), 9u);
}
