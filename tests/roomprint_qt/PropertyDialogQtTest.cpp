// The Room Parameters dialog built from its template as the program shows
// it (offscreen).

#include "dialogs/PropertyDialog1.h"
#include "platform/MessageBox.h"
#include "platform/qt/TemplateDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <memory>

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "test_roomprint_qt";
        static char* argv[] = {name, nullptr};
        m_app = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    std::unique_ptr<QApplication> m_app;
};

[[maybe_unused]] ::testing::Environment* const g_env =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

class RecordedMessages : public IMessageBox {
public:
    std::vector<std::string> texts;
    RecordedMessages() { SetMessages(this); }
    ~RecordedMessages() override { SetMessages(nullptr); }
    int Show(const std::string& text, unsigned) override
    {
        texts.push_back(text);
        return IDOK;
    }
    void Beep(unsigned) override {}
};

QString Text(CTemplateDialog& dlg, int id)
{
    if (auto* l = qobject_cast<QLabel*>(dlg.Control(id)))
        return l->text();
    if (auto* e = qobject_cast<QLineEdit*>(dlg.Control(id)))
        return e->text();
    if (auto* b = qobject_cast<QAbstractButton*>(dlg.Control(id)))
        return b->text();
    return QString();
}

}  // namespace

TEST(PropertyDialogQt, ANewProjectShowsNoCancelAndTakesTheFieldsOnOk)
{
    RecordedMessages msgs;
    CPropertyDialog1 d;
    d.SetParameters("Hall", "Today", 0, 0, 0, 10, 8, 3, 1, 1, 0, 0, 0, 10, 8, 1.2, 0.5, 100, 3, 1, 1, 0, 3, 0);
    CTemplateDialog dlg(d, *FindDialogTemplate(CPropertyDialog1::IDD));
    dlg.Initialize();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Room Parameters"));
    EXPECT_FALSE(dlg.windowFlags() & Qt::WindowSystemMenuHint);
    EXPECT_TRUE(dlg.Control(IDCANCEL)->isHidden());
    EXPECT_TRUE(dlg.Control(1059)->isHidden());  // reduced mode: zero rows hidden
    EXPECT_EQ(Text(dlg, 1053), QStringLiteral("Length(X) : "));
    EXPECT_EQ(Text(dlg, 1073), QStringLiteral("Height(Z) from XY Plane :"));
    EXPECT_EQ(Text(dlg, 1062), QStringLiteral("[m]"));
    EXPECT_EQ(Text(dlg, 1043), QStringLiteral("10"));
    EXPECT_EQ(Text(dlg, 1094), QStringLiteral("Same as room dimensions"));
    EXPECT_FALSE(dlg.Control(1068)->isEnabled());

    // The ceiling kinds are a pair of radio buttons, one of them checked;
    // clicking the other moves the check.
    auto* half = qobject_cast<QRadioButton*>(dlg.Control(CPropertyDialog1::IDC_RADIO_HALF_SPACE));
    auto* full = qobject_cast<QRadioButton*>(dlg.Control(CPropertyDialog1::IDC_RADIO_FULL_SPACE));
    ASSERT_NE(half, nullptr);
    ASSERT_NE(full, nullptr);
    EXPECT_TRUE(half->isChecked());
    EXPECT_FALSE(full->isChecked());
    full->click();
    EXPECT_FALSE(half->isChecked());
    EXPECT_TRUE(full->isChecked());
    half->click();
    EXPECT_TRUE(half->isChecked());
    EXPECT_FALSE(full->isChecked());
    half->click();
    EXPECT_TRUE(half->isChecked());

    auto* units = qobject_cast<QComboBox*>(dlg.Control(1046));
    ASSERT_NE(units, nullptr);
    EXPECT_EQ(units->count(), 2);
    EXPECT_EQ(units->currentText(), QStringLiteral("Metric"));
    auto* orientation = qobject_cast<QComboBox*>(dlg.Control(1096));
    ASSERT_NE(orientation, nullptr);
    EXPECT_EQ(orientation->currentText(), QStringLiteral("Parallel to XY Plane"));

    // Switching to Imperial through the list converts the shown lengths.
    units->setCurrentIndex(1);
    d.OnControlCommand(1046, CBN_SELCHANGE);
    EXPECT_EQ(Text(dlg, 1043), QStringLiteral("32.81"));
    EXPECT_EQ(Text(dlg, 1062), QStringLiteral("[ft]"));

    qobject_cast<QLineEdit*>(dlg.Control(1050))->setText(QStringLiteral("0"));
    EXPECT_FALSE(dlg.PressButton(IDOK));
    EXPECT_EQ(msgs.texts, std::vector<std::string>{"Enter a number between 0.001 and 10000."});
    EXPECT_EQ(dlg.LastFocusId(), 1050);
    qobject_cast<QLineEdit*>(dlg.Control(1050))->setText(QStringLiteral("3"));
    EXPECT_TRUE(dlg.PressButton(IDOK));
    EXPECT_EQ(d.GetResult(), IDOK);
    EXPECT_EQ(d.m_nUnit, 1);
    EXPECT_DOUBLE_EQ(d.m_dRoomLength, 32.81);
    EXPECT_DOUBLE_EQ(d.m_dPlaneLength, 32.81);  // same as room
    EXPECT_EQ(d.m_bHalfSpace, 1);
}
