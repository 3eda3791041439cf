// The framework's side of the shell's requests on the headless backend: the
// command line, opening the named files, printing them directly.

#include "shell_request.h"
#include "support/set_window.h"
#include "support/temp_folder.h"

#include "platform/framework/std_ids.h"

namespace {

CCommandLineInfo Parse(std::vector<CString> args) {
    CWinApp app;
    app.m_commandLine = std::move(args);
    CCommandLineInfo info;
    app.ParseCommandLine(info);
    return info;
}

TEST(ShellCommandLine, FilesOpenPrintAndPrintTo) {
    CCommandLineInfo open = Parse({"a.qrl", "/tmp/b.qrl"});
    EXPECT_EQ(open.m_nShellCommand, CCommandLineInfo::FileOpen);
    EXPECT_EQ(open.m_files, (std::vector<CString>{"a.qrl", "/tmp/b.qrl"}));
    EXPECT_EQ(open.m_strFileName, "a.qrl");

    CCommandLineInfo print = Parse({"--print", "a.qrl", "b.qrl"});
    EXPECT_EQ(print.m_nShellCommand, CCommandLineInfo::FilePrint);
    EXPECT_EQ(print.m_files.size(), 2u);
    EXPECT_TRUE(print.m_strPrinterName.empty());

    // The printer is the option's value, not a file.
    CCommandLineInfo printTo = Parse({"--print-to", "Office Laser", "a.qrl"});
    EXPECT_EQ(printTo.m_nShellCommand, CCommandLineInfo::FilePrintTo);
    EXPECT_EQ(printTo.m_strPrinterName, "Office Laser");
    EXPECT_EQ(printTo.m_files, (std::vector<CString>{"a.qrl"}));

    CCommandLineInfo none = Parse({});
    EXPECT_EQ(none.m_nShellCommand, CCommandLineInfo::FileNew);
    EXPECT_TRUE(none.m_files.empty());
}

TEST(ShellCommandLine, DoubleDashEndsTheOptions) {
    CCommandLineInfo info = Parse({"--", "--print", "-x.qrl"});
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileOpen);
    EXPECT_EQ(info.m_files, (std::vector<CString>{"--print", "-x.qrl"}));
    // A print-to without its printer prints to the default one.
    CCommandLineInfo bare = Parse({"--print-to"});
    EXPECT_EQ(bare.m_nShellCommand, CCommandLineInfo::FilePrintTo);
    EXPECT_TRUE(bare.m_strPrinterName.empty());
    EXPECT_TRUE(bare.m_files.empty());
}

class ShellRequestTest : public SetWindowTest {
protected:
    CString WriteSet(const char* name) {
        return folder.Write(name, SetFileBytes(-2.0, 1.0, -1.0, 1.0, 60, 10));
    }

    TempFolder folder;
};

TEST_F(ShellRequestTest, OpenRequestOpensEachFileInASetWindow) {
    const CString a = WriteSet("a.qrl");
    const CString b = WriteSet("b.qrl");
    const auto docs = app.OpenShellFiles(ShellRequest(CCommandLineInfo::FileOpen, {a, b}));
    ASSERT_EQ(docs.size(), 2u);
    EXPECT_EQ(docs[0]->GetPathName(), a);
    EXPECT_EQ(docs[1]->GetPathName(), b);
    EXPECT_EQ(host.ChildFrames().size(), 2u);
    EXPECT_EQ(dynamic_cast<CQuirl32Doc*>(docs[1])->m_nIterations, 60);

    // A file that is open already comes to the front; no second window.
    const auto again = app.OpenShellFiles(ShellRequest(CCommandLineInfo::FileOpen, {a}));
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0], docs[0]);
    EXPECT_EQ(host.ChildFrames().size(), 2u);
    EXPECT_EQ(host.GetActiveChildFrame()->GetActiveView()->GetDocument(), docs[0]);
}

TEST_F(ShellRequestTest, AFileThatCannotBeOpenedIsLeftOutWithAMessage) {
    const CString good = WriteSet("good.qrl");
    const CString missing = folder.Path("missing.qrl");
    const auto docs = app.OpenShellFiles(ShellRequest(CCommandLineInfo::FileOpen, {missing, good}));
    ASSERT_EQ(docs.size(), 1u);
    EXPECT_EQ(docs[0]->GetPathName(), good);
    EXPECT_EQ(host.ChildFrames().size(), 1u);
    EXPECT_EQ(host.MessageBoxes().size(), 1u);
}

TEST_F(ShellRequestTest, PrintRequestPrintsDirectlyWithoutTheDialog) {
    const CString a = WriteSet("a.qrl");
    const CCommandLineInfo request = ShellRequest(CCommandLineInfo::FilePrint, {a});
    const auto docs = app.OpenShellFiles(request);
    ASSERT_EQ(docs.size(), 1u);
    // Another window is active when the print comes: the printed one is
    // brought to the front and printed, not the active one.
    app.OnFileNew();
    EXPECT_TRUE(app.PrintShellDocument(docs[0], request));
    EXPECT_EQ(host.PrintDialogs(), 0);
    ASSERT_EQ(host.PrintJobs().size(), 1u);
    EXPECT_TRUE(host.PrintJobs()[0].bDirect);
    EXPECT_TRUE(host.PrintJobs()[0].printerName.empty());
    EXPECT_EQ(host.GetActiveChildFrame()->GetActiveView()->GetDocument(), docs[0]);
    EXPECT_EQ(app.m_pCmdInfo, nullptr);
}

TEST_F(ShellRequestTest, PrintToRequestNamesThePrinterForThatJobOnly) {
    const CString a = WriteSet("a.qrl");
    const CCommandLineInfo request =
        ShellRequest(CCommandLineInfo::FilePrintTo, {a}, "Office Laser");
    const auto docs = app.OpenShellFiles(request);
    ASSERT_EQ(docs.size(), 1u);
    EXPECT_TRUE(app.PrintShellDocument(docs[0], request));
    ASSERT_EQ(host.PrintJobs().size(), 1u);
    EXPECT_EQ(host.PrintJobs()[0].printerName, "Office Laser");
    EXPECT_EQ(host.PrintDialogs(), 0);

    // The next print from the menu asks as always and names no printer.
    host.SendCommand(ID_FILE_PRINT);
    EXPECT_EQ(host.PrintDialogs(), 1);
    ASSERT_EQ(host.PrintJobs().size(), 2u);
    EXPECT_TRUE(host.PrintJobs()[1].printerName.empty());
}

TEST_F(ShellRequestTest, ADocumentClosedMeanwhileIsNotPrinted) {
    const CString a = WriteSet("a.qrl");
    const CCommandLineInfo request = ShellRequest(CCommandLineInfo::FilePrint, {a});
    const auto docs = app.OpenShellFiles(request);
    ASSERT_EQ(docs.size(), 1u);
    EXPECT_TRUE(app.IsDocumentOpen(docs[0]));
    host.GetActiveChildFrame()->MDIDestroy();
    EXPECT_FALSE(app.IsDocumentOpen(docs[0]));
    EXPECT_FALSE(app.PrintShellDocument(docs[0], request));
    EXPECT_TRUE(host.PrintJobs().empty());
}

} // namespace
