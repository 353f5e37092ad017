// Project files whose version the program cannot read: each is refused with
// "Not available file.", opens no window, stays out of the recent-file list,
// and no later Save or Close touches it.

#include "AppTestSupport.h"

#include "app/KDRChildFrame.h"
#include "app/KDRDocTemplate.h"
#include "app/KDRMainFrame.h"
#include "document/KDRDoc.h"
#include "platform/CommandTarget.h"
#include "resources/CommandIds.h"

#include <filesystem>
#include <string>
#include <vector>

namespace {

class UnreadableProjectTest : public AppTest {
protected:
    void SetUp() override
    {
        WriteAll(dir.File("ZAV_KDR.ini"), "[IS_APP_FIRST_TIME]\r\nIsAppFirstTime=0\r\n");
        ASSERT_TRUE(Start({}, true));
        frame = app.GetMainFrame();

        // A project with a name, saved in the current form: the frame
        // (type name, version) and the body that every kind below shares.
        CKDRDoc doc;
        doc.m_strProjectName = "Main hall, north balcony and stage";
        const std::string saved = dir.File("saved.zkdr");
        ASSERT_TRUE(doc.OnSaveDocument(saved));
        current = ReadAll(saved);
        ASSERT_GT(current.size(), 91u);  // holds a whole string of 'Z' (90) characters
    }

    // The body of the saved project under an old file's first string.
    std::string OldForm(const std::string& firstString) const
    {
        return std::string(1, static_cast<char>(firstString.size())) + firstString + current.substr(13);
    }

    // Opens path, which must be refused with "Not available file." alone;
    // then saves and closes whatever is open. The file keeps its bytes.
    void ExpectRefusedAndUntouched(const std::string& path)
    {
        const std::string bytes = ReadAll(path);
        const size_t documents = app.GetDocTemplate()->GetDocuments().size();
        const auto windows = frame->ChildFrames().size();
        const QStringList recent = app.RecentFiles();
        msgs.texts.clear();

        EXPECT_EQ(app.OpenDocumentFile(path), nullptr);
        EXPECT_EQ(msgs.texts, std::vector<std::string>{"Not available file."});
        EXPECT_EQ(app.GetDocTemplate()->GetDocuments().size(), documents);
        EXPECT_EQ(frame->ChildFrames().size(), windows);
        EXPECT_EQ(app.RecentFiles(), recent);

        frame->RouteCommand(ID_FILE_SAVE);
        frame->RouteCommand(ID_FILE_CLOSE);
        EXPECT_EQ(ReadAll(path), bytes);
        for (CKDRDoc* doc : app.GetDocTemplate()->GetDocuments())
            EXPECT_NE(doc->GetPathName(), path);
    }

    CKDRMainFrame* frame = nullptr;
    std::string current;
};

}  // namespace

TEST_F(UnreadableProjectTest, EachKindOpensNothingAndIsNeverWritten)
{
    std::string newer = current;
    newer[12] = 0x03;  // version 3.0.0
    std::string unknown = current;
    unknown[11] = 0x02;  // version 2.2.0
    const std::pair<const char*, std::string> files[] = {
        {"newer.zkdr", newer},
        {"unknown.zkdr", unknown},
        {"renamed.kdr", current},
        {"unlisted.kdr", OldForm("Version 1.2.0")},
        {"nameless.kdr", OldForm("KDR 2.0.0")},
    };
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        const std::string path = dir.File(name);
        WriteAll(path, bytes);
        ExpectRefusedAndUntouched(path);
        EXPECT_TRUE(frame->ChildFrames().isEmpty());
    }

    // The same body under an accepted old version opens, and the two
    // current-form files are refused the same way while a project is open
    // (they pass the type-name check); Save and Close then act on that
    // project only.
    const std::string good = dir.File("good.kdr");
    WriteAll(good, OldForm("Version 2.0.0"));
    CKDRDoc* opened = app.OpenDocumentFile(good);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->GetProjectName(), "Main hall, north balcony and stage");
    ASSERT_FALSE(app.RecentFiles().isEmpty());
    EXPECT_EQ(app.RecentFiles().front().toStdString(), std::filesystem::absolute(good).string());
    for (const char* name : {"newer.zkdr", "unknown.zkdr"}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(frame->ChildFrames().size(), 1);
        ExpectRefusedAndUntouched(dir.File(name));
        app.OpenDocumentFile(good);
    }
}
