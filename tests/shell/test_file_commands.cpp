#include "shell/CommandIds.h"
#include "shell/FrameFixture.h"

#include <QApplication>
#include <QCloseEvent>

#include <filesystem>
#include <fstream>

namespace {

const char* const kSaveQuestion = "Changes have been made. Do you wish to save?";

class FileCommandTest : public FrameTest {
protected:
    void SetUp() override {
        std::filesystem::create_directories(m_dir.Path() / "Fleet");
        m_shell.AllowOkBoxes(false);
    }
    std::string Fleet(const std::string& strName) {
        return (m_dir.Path() / "Fleet" / strName).string();
    }
    bool Exists(const std::string& strPath) { return std::filesystem::exists(strPath); }
    // A system file holding a custom module label.
    void WriteSystemFile(const std::string& strPath, const std::string& strLabel) {
        CShellRecorder shell;
        CSystem other(shell, m_dir.Str());
        other.SetModuleLabel(2, 0, strLabel);
        ASSERT_TRUE(other.SaveSystemFile(strPath));
    }
};

} // namespace

TEST_F(FileCommandTest, SaveAsCapitalisesOnlyTheFileName) {
    sys.SetModified();
    m_shell.AnswerFile(Fleet("bus1"));
    Trigger(ID_FILE_SAVE_SYSTEM_AS);
    ASSERT_EQ(1u, m_shell.m_aFileRequests.size());
    const CFileDialogRequest& request = m_shell.m_aFileRequests[0];
    EXPECT_FALSE(request.bOpen);
    EXPECT_EQ("DVX", request.strDefExt);
    EXPECT_EQ("", request.strFileName);
    EXPECT_EQ("", request.strFilter);
    EXPECT_TRUE(request.nFlags & kFileOverwritePrompt);
    EXPECT_TRUE(Exists(Fleet("BUS1.DVX")));
    EXPECT_EQ((std::vector<std::string>{Fleet("BUS1.DVX") + " file has been written"}),
              m_shell.m_astrStatus);
    EXPECT_EQ("bus1", sys.GetSysLabel(5));
    EXPECT_EQ("bus1.DVX", sys.GetFilePath());
    EXPECT_FALSE(sys.IsModified());
    EXPECT_EQ("CorvelII 6.63 [ bus1.DVX ]", frame.windowTitle().toStdString());
}

TEST_F(FileCommandTest, SaveAsKeepsOneExtensionAndAFifteenCharacterLabel) {
    m_shell.AnswerFile(Fleet("bus2.dvx"));
    Trigger(ID_FILE_SAVE_SYSTEM_AS);
    EXPECT_TRUE(Exists(Fleet("BUS2.DVX")));
    EXPECT_FALSE(Exists(Fleet("BUS2.DVX.DVX")));
    EXPECT_EQ("bus2", sys.GetSysLabel(5));

    m_shell.AnswerFile(Fleet("Coach 17 left side.dvx"));
    Trigger(ID_FILE_SAVE_SYSTEM_AS);
    EXPECT_TRUE(Exists(Fleet("COACH 17 LEFT SIDE.DVX")));
    EXPECT_EQ("Coach 17 left s", sys.GetSysLabel(5));
    EXPECT_EQ("Coach 17 left s.DVX", sys.GetFilePath());
}

TEST_F(FileCommandTest, SaveAsAsksBeforeReplacingTheCapitalisedFile) {
    WriteSystemFile(Fleet("BUS3.DVX"), "ORIGINAL");
    sys.SetModified();
    m_shell.AnswerFile(Fleet("bus3"));
    m_shell.ExpectBox(Fleet("BUS3.DVX") + " already exists.\nDo you want to replace it?",
                      EBoxAnswer::No);
    Trigger(ID_FILE_SAVE_SYSTEM_AS);
    EXPECT_TRUE(sys.IsModified());
    EXPECT_TRUE(m_shell.m_astrStatus.empty());

    m_shell.AnswerFile(Fleet("bus3"));
    m_shell.ExpectBox(Fleet("BUS3.DVX") + " already exists.\nDo you want to replace it?",
                      EBoxAnswer::Yes);
    Trigger(ID_FILE_SAVE_SYSTEM_AS);
    EXPECT_FALSE(sys.IsModified());
    CShellRecorder shell;
    CSystem reread(shell, m_dir.Str());
    ASSERT_TRUE(reread.LoadSystemFile(Fleet("BUS3.DVX")));
    EXPECT_EQ(CSystem::DefaultModuleLabel(2, 0), reread.GetModuleLabel(2, 0));
}

TEST_F(FileCommandTest, FailedSaveAsChangesNothingAndClaimsNothing) {
    sys.SetSysLabel(5, "BUS 9");
    frame.UpdateTitle();
    sys.SetModified();
    std::string strMissing = (m_dir.Path() / "no such folder" / "bus4").string();
    m_shell.AnswerFile(strMissing);
    m_shell.AnswerBox(EBoxAnswer::Ok);
    Trigger(ID_FILE_SAVE_SYSTEM_AS);
    ASSERT_EQ(1u, m_shell.m_aBoxes.size());
    EXPECT_EQ("Could not open/create data file " +
                  (m_dir.Path() / "no such folder" / "BUS4.DVX").string() +
                  "\nNo such file or directory",
              m_shell.m_aBoxes[0].strText);
    EXPECT_TRUE(m_shell.m_astrStatus.empty());
    EXPECT_TRUE(sys.IsModified());
    EXPECT_EQ("BUS 9", sys.GetSysLabel(5));
    EXPECT_EQ("BUS 9.DVX", sys.GetFilePath());
    EXPECT_EQ("CorvelII 6.63 [ BUS 9.DVX ]", frame.windowTitle().toStdString());
}

TEST_F(FileCommandTest, CancelledSaveAsChangesNothing) {
    sys.SetModified();
    m_shell.CancelFile();
    Trigger(ID_FILE_SAVE_SYSTEM_AS);
    EXPECT_TRUE(sys.IsModified());
    EXPECT_EQ("", sys.GetFilePath());
}

TEST_F(FileCommandTest, OpenReadsTheFileAndNamesTheSystemAfterIt) {
    WriteSystemFile(Fleet("bus.v2.dvx"), "HEADLAMPS");
    sys.SetModified();
    m_shell.ExpectBox(kSaveQuestion, EBoxAnswer::No);
    m_shell.AnswerFile(Fleet("bus.v2.dvx"));
    Trigger(ID_FILE_OPEN_SYSTEM);
    const CFileDialogRequest& request = m_shell.m_aFileRequests.at(0);
    EXPECT_TRUE(request.bOpen);
    EXPECT_EQ("DVX", request.strDefExt);
    EXPECT_EQ("*.DVX", request.strFileName);
    EXPECT_EQ("DVX (*.DVX) | *.DVX | All Files | *.* ||", request.strFilter);
    EXPECT_EQ("HEADLAMPS", sys.GetModuleLabel(2, 0));
    EXPECT_EQ("bus.v2", sys.GetSysLabel(5));
    EXPECT_EQ("bus.v2.DVX", sys.GetFilePath());
    EXPECT_TRUE(sys.IsModified());
    EXPECT_EQ("CorvelII 6.63 [ bus.v2.DVX ]", frame.windowTitle().toStdString());
}

TEST_F(FileCommandTest, OpenStartsInTheFolderOfAStoredPath) {
    sys.SetFilePath("C:\\Fleet\\BUS1.DVX");
    m_shell.CancelFile();
    Trigger(ID_FILE_OPEN_SYSTEM);
    EXPECT_EQ("C:\\Fleet\\", m_shell.m_aFileRequests.at(0).strInitialDir);
    EXPECT_EQ("C:\\Fleet\\BUS1.DVX", sys.GetFilePath());
}

TEST_F(FileCommandTest, OpenStopsWhenTheSaveBeforeItFailed) {
    sys.SetModuleLabel(2, 0, "UNSAVED");
    sys.SetModified();
    m_shell.ExpectBox(kSaveQuestion, EBoxAnswer::Yes);
    m_shell.AnswerFile((m_dir.Path() / "no such folder" / "x").string());
    m_shell.AnswerBox(EBoxAnswer::Ok);
    Trigger(ID_FILE_OPEN_SYSTEM);
    EXPECT_EQ(1u, m_shell.m_aFileRequests.size());
    EXPECT_EQ("UNSAVED", sys.GetModuleLabel(2, 0));
}

TEST_F(FileCommandTest, OpenGoesOnAfterACancelledSave) {
    WriteSystemFile(Fleet("BUS5.DVX"), "FROM FILE");
    sys.SetModified();
    m_shell.ExpectBox(kSaveQuestion, EBoxAnswer::Yes);
    m_shell.CancelFile();
    m_shell.AnswerFile(Fleet("BUS5.DVX"));
    Trigger(ID_FILE_OPEN_SYSTEM);
    EXPECT_EQ("FROM FILE", sys.GetModuleLabel(2, 0));
}

// A system just imported from an old file is not marked modified, so no
// save question comes first: a damaged file must not replace it.
TEST_F(FileCommandTest, OpenOfADamagedFileKeepsTheSystemInMemory) {
    WriteSystemFile(Fleet("BROKEN.DVX"), "FROM FILE");
    std::filesystem::resize_file(Fleet("BROKEN.DVX"), 2000);
    sys.SetModuleLabel(2, 0, "IMPORTED");
    sys.SetSysLabel(5, "BUS 9");
    m_shell.AnswerFile(Fleet("BROKEN.DVX"));
    m_shell.ExpectBox("Data file " + Fleet("BROKEN.DVX") +
                      " is damaged or incomplete. The system is unchanged.");
    Trigger(ID_FILE_OPEN_SYSTEM);
    EXPECT_EQ("IMPORTED", sys.GetModuleLabel(2, 0));
    EXPECT_EQ("BUS 9.DVX", sys.GetFilePath());
    EXPECT_EQ(EBoxIcon::Exclamation, m_shell.m_aBoxes.back().icon);
}

TEST_F(FileCommandTest, ZlvDialogsHaveTheirOwnCaptionsAndSuggestTheSystemsName) {
    const struct {
        const char* szFilePath;
        const char* szSuggested;
    } aCases[] = {
        {"BUS 9.DVX", "BUS 9.ZLV"},
        {"C:\\Fleet\\BUS1.DVX", "C:\\Fleet\\BUS1.ZLV"},
        {"OLD.ZLV", "OLD.ZLV"},
        {"NO EXTENSION", "NO EXTENSION.ZLV"},
        {"", ""},
    };
    for (const auto& aCase : aCases) {
        sys.SetFilePath(aCase.szFilePath);
        m_shell.CancelFile();
        Trigger(ID_EXPORT_ZLV);
        EXPECT_EQ("Export ZLV file", m_shell.m_aFileRequests.back().strTitle);
        EXPECT_EQ(aCase.szSuggested, m_shell.m_aFileRequests.back().strFileName);
    }
    m_shell.CancelFile();
    Trigger(ID_IMPORT_ZLV);
    EXPECT_EQ("Import ZLV file", m_shell.m_aFileRequests.back().strTitle);
}

TEST_F(FileCommandTest, ExportAndImportOldFiles) {
    sys.SetModuleLabel(4, 0, "WIPERS");
    m_shell.AnswerFile(Fleet("bus1"));
    Trigger(ID_EXPORT_ZLV);
    const CFileDialogRequest& request = m_shell.m_aFileRequests.at(0);
    EXPECT_FALSE(request.bOpen);
    EXPECT_EQ("ZLV", request.strDefExt);
    EXPECT_TRUE(request.nFlags & kFileNoValidate);
    EXPECT_TRUE(Exists(Fleet("BUS1.ZLV")));
    EXPECT_EQ(Fleet("BUS1.ZLV"), sys.GetFilePath());
    EXPECT_EQ((std::vector<std::string>{Fleet("BUS1.ZLV") + " file has been exported."}),
              m_shell.m_astrStatus);

    m_shell.ExpectBox("ARE YOU SURE YOU WANT TO CLEAR THE ENTIRE SYSTEM?", EBoxAnswer::Yes);
    Trigger(ID_CLEAR_ALL);
    EXPECT_EQ(CSystem::DefaultModuleLabel(4, 0), sys.GetModuleLabel(4, 0));
    m_shell.AnswerFile(Fleet("BUS1.ZLV"));
    Trigger(ID_IMPORT_ZLV);
    EXPECT_EQ("OLD ZLV (*.ZLV) | *.ZLV | All Files | *.* ||",
              m_shell.m_aFileRequests.at(1).strFilter);
    EXPECT_EQ("*.ZLV", m_shell.m_aFileRequests.at(1).strFileName);
    EXPECT_EQ("WIPERS", sys.GetModuleLabel(4, 0));
    EXPECT_FALSE(sys.IsModified());
}

TEST_F(FileCommandTest, FailedExportKeepsThePathAndSaysNothing) {
    sys.SetSysLabel(5, "BUS 9");
    m_shell.AnswerFile((m_dir.Path() / "no such folder" / "bus1").string());
    m_shell.AnswerBox(EBoxAnswer::Ok);
    Trigger(ID_EXPORT_ZLV);
    EXPECT_EQ("BUS 9.DVX", sys.GetFilePath());
    EXPECT_TRUE(m_shell.m_astrStatus.empty());
}

TEST_F(FileCommandTest, ClearAllAnsweredNoChangesNothing) {
    sys.SetModuleLabel(4, 0, "WIPERS");
    sys.SetSysLabel(5, "BUS 9");
    sys.SetModified();
    m_shell.ExpectBox("ARE YOU SURE YOU WANT TO CLEAR THE ENTIRE SYSTEM?", EBoxAnswer::No);
    Trigger(ID_CLEAR_ALL);
    EXPECT_EQ("WIPERS", sys.GetModuleLabel(4, 0));
    m_shell.ExpectBox("ARE YOU SURE YOU WANT TO CLEAR THE ENTIRE SYSTEM?", EBoxAnswer::Yes);
    Trigger(ID_CLEAR_ALL);
    EXPECT_EQ("", sys.GetFilePath());
    EXPECT_TRUE(sys.IsModified());
    EXPECT_EQ("CorvelII 6.63 [  ]", frame.windowTitle().toStdString());
}

TEST_F(FileCommandTest, ExportAndImportText) {
    sys.SetModuleLabel(4, 0, "WIPERS");
    sys.SetSysLabel(5, "BUS 9");
    sys.SetModified();
    m_shell.AnswerFile(Fleet("bus9"));
    Trigger(ID_EXPORT_TEXT);
    const CFileDialogRequest& request = m_shell.m_aFileRequests.at(0);
    EXPECT_FALSE(request.bOpen);
    EXPECT_EQ("Export as text", request.strTitle);
    EXPECT_EQ("json", request.strDefExt);
    EXPECT_EQ("BUS 9.json", request.strFileName);
    EXPECT_EQ("System as text (*.json) | *.json | All Files | *.* ||", request.strFilter);
    EXPECT_TRUE(request.nFlags & kFileOverwritePrompt);
    EXPECT_TRUE(Exists(Fleet("bus9.json")));
    EXPECT_EQ((std::vector<std::string>{Fleet("bus9.json") + " file has been exported."}),
              m_shell.m_astrStatus);
    EXPECT_EQ("BUS 9.DVX", sys.GetFilePath());
    EXPECT_TRUE(sys.IsModified());

    m_shell.ExpectBox("ARE YOU SURE YOU WANT TO CLEAR THE ENTIRE SYSTEM?", EBoxAnswer::Yes);
    Trigger(ID_CLEAR_ALL);
    m_shell.ExpectBox(kSaveQuestion, EBoxAnswer::No);
    m_shell.AnswerFile(Fleet("bus9.json"));
    Trigger(ID_IMPORT_TEXT);
    const CFileDialogRequest& open = m_shell.m_aFileRequests.at(1);
    EXPECT_TRUE(open.bOpen);
    EXPECT_EQ("Import text", open.strTitle);
    EXPECT_EQ("*.json", open.strFileName);
    EXPECT_EQ("System as text (*.json) | *.json | All Files | *.* ||", open.strFilter);
    EXPECT_EQ("WIPERS", sys.GetModuleLabel(4, 0));
    EXPECT_EQ("BUS 9", sys.GetSysLabel(5));
    EXPECT_EQ("BUS 9.DVX", sys.GetFilePath());
}

TEST_F(FileCommandTest, ImportOfABrokenTextKeepsTheSystem) {
    sys.SetModuleLabel(4, 0, "WIPERS");
    std::ofstream(Fleet("BAD.json")) << R"({"format": "Corvel system", "version": 1,
        "modules": [{"module": "Blue Q", "label": "X"}]})";
    m_shell.AnswerFile(Fleet("BAD.json"));
    m_shell.ExpectBox("Text file " + Fleet("BAD.json") +
                      " is not a system: modules[0].module: \"Blue Q\" is not a module (Blue, "
                      "Yellow, Virtual, TmrEnbl, TmrDone or TmrRun, then A to P)");
    Trigger(ID_IMPORT_TEXT);
    EXPECT_EQ("WIPERS", sys.GetModuleLabel(4, 0));
}

TEST_F(FileCommandTest, ExportAsTextAddsItsExtensionOnlyOnce) {
    for (const char* szName : {"a.json", "b.JSON", "c.dvx"}) {
        m_shell.AnswerFile(Fleet(szName));
        Trigger(ID_EXPORT_TEXT);
    }
    EXPECT_TRUE(Exists(Fleet("a.json")));
    EXPECT_TRUE(Exists(Fleet("b.JSON")));
    EXPECT_TRUE(Exists(Fleet("c.dvx.json")));
}
