// The installation and automatic-installation dialogs built from their
// templates as the program shows them (offscreen).

#include "app_qt/QtTestApplication.h"

#include "dialogs/AutoInstallationDialog1.h"
#include "dialogs/InstallationDialog1.h"
#include "platform/MessageBox.h"
#include "platform/qt/TemplateDialog.h"
#include "resources/DialogTemplates.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <memory>

namespace {

class RecordedMessages : public IMessageBox {
public:
    RecordedMessages() { SetMessages(this); }
    ~RecordedMessages() override { SetMessages(nullptr); }
    std::vector<std::string> texts;
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
    return QString();
}

TEST(InstallationDialogQt, ReducedModeShowsThePositionRowsAndRefusesAnOutOfRangeValue)
{
    RecordedMessages msgs;
    CInstallationDialog1 d;
    const double pos[3] = {8.88359158707393, 5.0, 3.0};
    const double angles[3] = {0.0, 0.0, 90.0};
    d.SetParameters(pos, angles, 6.0, 1, 1, 0);
    CTemplateDialog dlg(d, *FindDialogTemplate(CInstallationDialog1::IDD));
    dlg.Initialize();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Properties for Installation"));
    EXPECT_EQ(Text(dlg, 1020), QStringLiteral("X"));
    EXPECT_EQ(Text(dlg, 1002), QStringLiteral("[ft]"));
    EXPECT_EQ(Text(dlg, 1026), QStringLiteral("8.88359158707393"));
    EXPECT_EQ(qobject_cast<QLineEdit*>(dlg.Control(1026))->cursorPosition(), 0);  // shown from its start
    for (int id : {1029, 1030, 1031, 1032, 1033, 1011, 1022, 1023, 1008})
        EXPECT_TRUE(dlg.Control(id)->isHidden()) << id;
    EXPECT_FALSE(dlg.Control(1028)->isHidden());
    auto* polarity = qobject_cast<QComboBox*>(dlg.Control(1033));
    ASSERT_NE(polarity, nullptr);
    ASSERT_EQ(polarity->count(), 2);
    EXPECT_EQ(polarity->itemText(1), QStringLiteral("reverse"));
    EXPECT_EQ(polarity->currentIndex(), 0);

    qobject_cast<QLineEdit*>(dlg.Control(1027))->setText(QStringLiteral("-10000.5"));
    EXPECT_FALSE(dlg.PressButton(IDOK));
    EXPECT_EQ(msgs.texts, std::vector<std::string>{"Enter a number between -10000 and 10000."});
    EXPECT_EQ(dlg.LastFocusId(), 1027);
    qobject_cast<QLineEdit*>(dlg.Control(1027))->setText(QStringLiteral("7.25"));
    EXPECT_TRUE(dlg.PressButton(IDOK));
    EXPECT_EQ(d.m_dY, 7.25);
    EXPECT_EQ(d.m_dElevation, 90.0);
    EXPECT_EQ(d.m_bPolarityNormal, 1);
}

TEST(AutoInstallationDialogQt, ChoosingABandRefillsTheCentreList)
{
    CAutoInstallationDialog1 d;
    const double angles[3] = {0.0, 0.0, 90.0};
    d.SetParameters(4.0, angles, 2, 0, 3.0, 0.0, 0.0, 0, 2);
    CTemplateDialog dlg(d, *FindDialogTemplate(CAutoInstallationDialog1::IDD));
    dlg.Initialize();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Properties for Auto Installation"));
    auto* band = qobject_cast<QComboBox*>(dlg.Control(1010));
    auto* centre = qobject_cast<QComboBox*>(dlg.Control(1015));
    ASSERT_TRUE(band && centre);
    EXPECT_EQ(band->count(), 4);
    EXPECT_EQ(band->currentText(), QStringLiteral("2 Oct. Band"));
    EXPECT_EQ(centre->currentText(), QStringLiteral("1000[Hz]"));
    EXPECT_EQ(Text(dlg, 1016), QStringLiteral("501[Hz] - 2000[Hz]"));

    band->setCurrentIndex(0);  // as the user picks "1/3 Oct. Band"
    d.OnControlCommand(1010, CBN_SELCHANGE);
    EXPECT_EQ(centre->count(), 30);
    EXPECT_EQ(centre->currentText(), QStringLiteral("1000[Hz]"));
    EXPECT_EQ(Text(dlg, 1016), QStringLiteral("891[Hz] - 1120[Hz]"));
    EXPECT_TRUE(dlg.PressButton(IDOK));
    EXPECT_EQ(d.m_dOctaveBand, 3.0);
}

}  // namespace
