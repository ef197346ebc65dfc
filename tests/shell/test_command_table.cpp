#include "shell/CommandIds.h"
#include "shell/FrameFixture.h"

#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QStatusBar>
#include <QToolBar>

#include <string>
#include <vector>

namespace {

struct ExpectedCommand {
    int nId;
    const char* szText;
    const char* szPrompt;
    const char* szTooltip;
};

const ExpectedCommand kExpected[] = {
    {32788, "&Open", "Reads a DVX system definition file", ""},
    {32789, "Save &As", "Write DVX definition file", ""},
    {32819, "&Import ZLV file", "Import (read) old zlv format file", ""},
    {32820, "E&xport ZLV file", "Export (write) old ZLV file", ""},
    {57665, "E&xit", "Quit the application; prompts to save documents", "Exit"},
    {59392, "&Toolbar", "Show or hide the toolbar", "Toggle ToolBar"},
    {59393, "&Status Bar", "Show or hide the status bar", "Toggle StatusBar"},
    {104, "Ti&p of the Day...", "Displays a Tip of the Day.", "Tip of the Day"},
    {57667, "&Help Topics", "List Help topics", "Help Topics"},
    {57664, "&About Corvel...", "Display program information, version number and copyright",
     "About"},
    {32771, "Open &Port", "Opens(closes) the comm port.", ""},
    {32780, "&Transfer to DVX CPU", "Transfers info from PC to DVX CPU", ""},
    {32779, "&Retrieve from DVX CPU", "Transfers info from DVX CPU to PC", ""},
    {32825, "Co&mpare with DVX CPU...", "Compares the system in the DVX CPU with the one on the PC",
     ""},
    {32802, "Select &Comm port", "-", ""},
    {32830, "Sim&ulate DVX CPU",
     "Runs the DVX CPU simulator and opens the port on it, to try a system without a vehicle", ""},
    {32801, "&Module labels", "Editor for DVX module labels", ""},
    {32787, "&Channel labels", "Editor for DVX channel labels", ""},
    {32813, "&Assign module type", "Assigns a defined module type to a DVX module.", ""},
    {32807, "Create &new module type", "Create then edit a new module.", ""},
    {32808, "&Edit module type", "Edit an existing DVX module.", ""},
    {32809, "&Delete module type", "Delete a DVX module from the library.", ""},
    {32810, "&Read module library file", "Read the DVX module library file \"ModuleTypes.dat\"",
     ""},
    {32811, "&Write module library file",
     "Write the DVX module library file \"ModuleTypes.dat\" to disk.", ""},
    {32812, "&Preferences", "Set module types options such as strict type checking.", ""},
    {32803, "&System Labels", "System label entry such as Vehicle Model, Author, etc.", ""},
    {32781, "Clear &all", "Clears (restores defaults) for entire system", ""},
    {32794, "&Editor", "Editor for Boolean relationships.", ""},
    {32795, "&Clear", "Clears the Boolean for the designated channel.", ""},
    {32796, "C&opy", "Copies a Boolean from one channel to another", ""},
    {32790, "T&imer setup", "Edit the timer reload values`", ""},
    {32791, "&Sleep mode", "Edit system parameters such as sleep mode & hi speed chls", ""},
    {32804, "&High speed channels (Blue Loop)", "Allows assigning specific channels as high speed.",
     ""},
    {57600, "&Designer", "Launches the full spreadsheet designer", "Spreadsheet Designer"},
    {32821, "&Loop Status Controller", "", ""},
    {32822, "Loop &Status Viewer", "", ""},
    {32772, "&Start DVX link", "Initiates communication from DVX CPU to all modules", ""},
    {32773, "St&op DVX link", "Stops communication from DVX CPU to modules", ""},
    {32792, "CPU &processing time", "Retreives Boolean processor task execution time from CPU", ""},
    {32815, "Serial &Viewer", "Shows serial stream between PC and DVX CPU.", ""},
    {32826, "&Check system", "Checks the logic of the system for what will not work on the vehicle",
     ""},
    {32818, "&Save current work", "Back up current changes to disk drive", ""},
    {32827, "Import &text...", "Import (read) a system written as text (.json)", ""},
    {32828, "&Export as text...", "Export (write) the system as text (.json)", ""},
    {57603, "Save", "Save the active document", "Save"},
    {57635, "Cut", "Cut the selection and put it on the Clipboard", "Cut"},
    {57634, "Copy", "Copy the selection and put it on the Clipboard", "Copy"},
    {57637, "Paste", "Insert Clipboard contents", "Paste"},
    {57607, "Print", "Print the active document", "Print"},
    {57669, "Help", "Display help for clicked buttons, menus and windows", "Help"},
    {32814, "Boolean Editor", "Editor for Boolean relationships.", "Boolean Editor"},
    {32823, "LOOP CONTROLLER", "", "LOOP CONTROLLER"},
    {32824, "LOOP VIEWER", "", "LOOP VIEWER"},
    {57601, "Open", "Open an existing document", "Open"},
    {57643, "Undo", "Undo the last action", "Undo"},
    {57680, "Next Pane", "Switch to the next window pane", "Next Pane"},
    {57681, "Previous Pane", "Switch back to the previous window pane", "Previous Pane"},
    {57670, "Help", "Display help for current task or command", "Help"},
};

} // namespace

TEST_F(FrameTest, EveryCommandHasItsTextPromptAndTooltip) {
    for (const ExpectedCommand& expected : kExpected) {
        SCOPED_TRACE(expected.nId);
        QAction* pAction = frame.Action(expected.nId);
        ASSERT_NE(nullptr, pAction);
        EXPECT_EQ(expected.szText, pAction->text().toStdString());
        EXPECT_EQ(expected.szPrompt, pAction->statusTip().toStdString());
        if (*expected.szTooltip) {
            EXPECT_EQ(expected.szTooltip, pAction->toolTip().toStdString());
        }
    }
}

TEST_F(FrameTest, MenusHoldTheirItemsInOrder) {
    struct MenuCase {
        std::vector<const char*> aszPath; // from the menu bar; empty for the bar itself
        std::vector<std::string> astrItems;
    };
    const MenuCase kMenus[] = {
        {{},
         {"&File", "&View", "&Help", "&CPU Comm", "DVX &Labels", "DVX S&etup", "&Spreadsheet",
          "&Diagnostic", "&Utility"}},
        {{"&File"},
         {"&Open", "Save &As", "&Import ZLV file", "E&xport ZLV file", "Import &text...",
          "&Export as text...", "E&xit"}},
        {{"&View"}, {"&Toolbar", "&Status Bar"}},
        {{"&Help"}, {"&Help Topics", "-", "&About Corvel..."}},
        {{"&CPU Comm"},
         {"Open &Port", "&Transfer to DVX CPU", "&Retrieve from DVX CPU",
          "Co&mpare with DVX CPU...", "Select &Comm port", "-", "Sim&ulate DVX CPU"}},
        {{"DVX &Labels"},
         {"&Module labels", "&Channel labels", "Module &Type", "&System Labels", "Clear &all"}},
        {{"DVX &Labels", "Module &Type"},
         {"&Assign module type", "Create &new module type", "&Edit module type",
          "&Delete module type", "&Read module library file", "&Write module library file",
          "&Preferences"}},
        {{"DVX S&etup"},
         {"&Booleans", "T&imer setup", "&Sleep mode", "&High speed channels (Blue Loop)"}},
        {{"DVX S&etup", "&Booleans"}, {"&Editor", "&Clear", "C&opy"}},
        {{"&Spreadsheet"}, {"&Designer"}},
        {{"&Diagnostic"},
         {"&Loop Status Controller", "Loop &Status Viewer", "&Start DVX link", "St&op DVX link"}},
        {{"&Utility"},
         {"CPU &processing time", "Serial &Viewer", "&Check system", "&Save current work"}},
    };
    for (const MenuCase& menu : kMenus) {
        const QWidget* pOwner = frame.menuBar();
        for (const char* szText : menu.aszPath) {
            SCOPED_TRACE(szText);
            pOwner = MenuOf(pOwner, szText);
            ASSERT_NE(nullptr, pOwner);
        }
        EXPECT_EQ(menu.astrItems, Texts(pOwner))
            << (menu.aszPath.empty() ? "menu bar" : menu.aszPath.back());
    }
}

// The items of the menu bar or a menu each have a mnemonic letter, and no
// two share one.
static void ExpectLettersOfTheirOwn(const QWidget& owner) {
    QSet<QChar> letters;
    for (const QAction* pItem : owner.actions()) {
        if (pItem->isSeparator())
            continue;
        const qsizetype nAt = pItem->text().indexOf('&');
        ASSERT_GE(nAt, 0) << pItem->text().toStdString();
        const QChar letter = pItem->text().at(nAt + 1).toLower();
        EXPECT_FALSE(letters.contains(letter)) << pItem->text().toStdString();
        letters.insert(letter);
    }
}

// Alt and a letter opens one menu only; each top-level menu has its own.
TEST_F(FrameTest, EveryTopLevelMenuHasALetterOfItsOwn) {
    ExpectLettersOfTheirOwn(*frame.menuBar());
}

// The CPU Comm items are reached by their letters without a second press.
TEST_F(FrameTest, EveryCpuCommItemHasALetterOfItsOwn) {
    const QMenu* pComm = MenuOf(frame.menuBar(), "&CPU Comm");
    ASSERT_NE(nullptr, pComm);
    ExpectLettersOfTheirOwn(*pComm);
}

TEST_F(FrameTest, ToolbarHasElevenButtonsWithIcons) {
    auto* pBar = frame.findChild<QToolBar*>("ToolBar");
    ASSERT_NE(nullptr, pBar);
    std::vector<int> anIds;
    for (QAction* pAction : pBar->actions()) {
        anIds.push_back(pAction->isSeparator() ? 0 : pAction->data().toInt());
        if (!pAction->isSeparator()) {
            EXPECT_FALSE(pAction->icon().isNull()) << pAction->data().toInt();
        }
    }
    EXPECT_EQ((std::vector<int>{57600, 57603, 57635, 57634, 57637, 0, 57607, 57664, 57669, 0, 32814,
                                32823, 32824}),
              anIds);
}

TEST_F(FrameTest, AcceleratorsReachTheirCommands) {
    const std::pair<int, const char*> aKeys[] = {
        {57600, "Ctrl+N"},
        {57601, "Ctrl+O"},
        {57603, "Ctrl+S"},
        {57607, "Ctrl+P"},
        {57643, "Ctrl+Z, Alt+Backspace"},
        {57635, "Ctrl+X, Shift+Del"},
        {57634, "Ctrl+C, Ctrl+Ins"},
        {57637, "Ctrl+V, Shift+Ins"},
        {57680, "F6"},
        {57681, "Shift+F6"},
        {57669, "Shift+F1"},
        {57670, "F1"},
    };
    for (const auto& [nId, szKeys] : aKeys) {
        QStringList astrKeys;
        for (const QKeySequence& keys : frame.Action(nId)->shortcuts())
            astrKeys << keys.toString();
        EXPECT_EQ(szKeys, astrKeys.join(", ").toStdString()) << nId;
    }
}

TEST_F(FrameTest, OwnCommandsAreAlwaysEnabledAndEditingCommandsNever) {
    for (const ExpectedCommand& expected : kExpected) {
        bool bNever = expected.nId == ID_EDIT_CUT || expected.nId == ID_EDIT_COPY ||
                      expected.nId == ID_EDIT_PASTE || expected.nId == ID_EDIT_UNDO ||
                      expected.nId == ID_NEXT_PANE || expected.nId == ID_PREV_PANE;
        bool bDocument = expected.nId == ID_FILE_SAVE || expected.nId == ID_FILE_PRINT;
        EXPECT_EQ(!bNever && !bDocument, frame.Action(expected.nId)->isEnabled()) << expected.nId;
    }
}

TEST_F(FrameTest, SaveAndPrintFollowTheDocumentationWindow) {
    Trigger(ID_FILE_NEW);
    EXPECT_TRUE(frame.Action(ID_FILE_SAVE)->isEnabled());
    EXPECT_TRUE(frame.Action(ID_FILE_PRINT)->isEnabled());
    EXPECT_FALSE(frame.Action(ID_EDIT_CUT)->isEnabled());
    frame.MdiArea()->closeAllSubWindows();
    EXPECT_FALSE(frame.Action(ID_FILE_SAVE)->isEnabled());
    EXPECT_FALSE(frame.Action(ID_FILE_PRINT)->isEnabled());
}

TEST_F(FrameTest, ViewItemsToggleToolbarAndStatusBar) {
    frame.show();
    auto* pBar = frame.findChild<QToolBar*>("ToolBar");
    QAction* pToolbar = frame.Action(ID_VIEW_TOOLBAR);
    QAction* pStatus = frame.Action(ID_VIEW_STATUS_BAR);
    EXPECT_TRUE(pToolbar->isChecked());
    EXPECT_TRUE(pStatus->isChecked());
    pToolbar->trigger();
    pStatus->trigger();
    EXPECT_FALSE(pBar->isVisible());
    EXPECT_FALSE(frame.statusBar()->isVisible());
    EXPECT_FALSE(pToolbar->isChecked());
    pToolbar->trigger();
    EXPECT_TRUE(pBar->isVisible());
    frame.hide();
}
