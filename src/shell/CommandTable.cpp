#include "shell/CommandTable.h"

#include "shell/CommandIds.h"

#include <algorithm>

namespace {

const CCommandInfo kCommands[] = {
    {ID_FILE_OPEN_SYSTEM, "&Open", "Reads a DVX system definition file", "", "", "open"},
    {ID_FILE_SAVE_SYSTEM_AS, "Save &As", "Write DVX definition file", "", "", "save-as"},
    {ID_IMPORT_ZLV, "&Import ZLV file", "Import (read) old zlv format file", "", "", "import-zlv"},
    {ID_EXPORT_ZLV, "E&xport ZLV file", "Export (write) old ZLV file", "", "", "export-zlv"},
    {ID_APP_EXIT, "E&xit", "Quit the application; prompts to save documents", "Exit", "", "exit"},
    {ID_VIEW_TOOLBAR, "&Toolbar", "Show or hide the toolbar", "Toggle ToolBar", "", "view"},
    {ID_VIEW_STATUS_BAR, "&Status Bar", "Show or hide the status bar", "Toggle StatusBar", "",
     "view"},
    {ID_TIP_OF_THE_DAY, "Ti&p of the Day...", "Displays a Tip of the Day.", "Tip of the Day", "",
     "tips"},
    {ID_HELP_FINDER, "&Help Topics", "List Help topics", "Help Topics", "", "contents"},
    {ID_APP_ABOUT, "&About Corvel...", "Display program information, version number and copyright",
     "About", "", "about"},
    {ID_PORT_OPEN, "Open &Port", "Opens(closes) the comm port.", "", "", "cpu-comm"},
    {ID_TRANSFER_TO_CPU, "&Transfer to DVX CPU", "Transfers info from PC to DVX CPU", "", "",
     "transfer"},
    {ID_RETRIEVE_FROM_CPU, "&Retrieve from DVX CPU", "Transfers info from DVX CPU to PC", "", "",
     "retrieve"},
    {ID_SELECT_COMM_PORT, "Select &Comm port", "-", "", "", "cpu-comm"},
    {ID_MODULE_LABELS, "&Module labels", "Editor for DVX module labels", "", "", "labels"},
    {ID_CHANNEL_LABELS, "&Channel labels", "Editor for DVX channel labels", "", "", "labels"},
    {ID_ASSIGN_MODULE_TYPE, "&Assign module type", "Assigns a defined module type to a DVX module.",
     "", "", "module-types"},
    {ID_CREATE_MODULE_TYPE, "Create &new module type", "Create then edit a new module.", "", "",
     "module-types"},
    {ID_EDIT_MODULE_TYPE, "&Edit module type", "Edit an existing DVX module.", "", "",
     "module-types"},
    {ID_DELETE_MODULE_TYPE, "&Delete module type", "Delete a DVX module from the library.", "", "",
     "module-types"},
    {ID_READ_MODULE_LIBRARY, "&Read module library file",
     "Read the DVX module library file \"ModuleTypes.dat\"", "", "", "module-library"},
    {ID_WRITE_MODULE_LIBRARY, "&Write module library file",
     "Write the DVX module library file \"ModuleTypes.dat\" to disk.", "", "", "module-library"},
    {ID_MODULE_TYPE_PREFERENCES, "&Preferences",
     "Set module types options such as strict type checking.", "", "", "module-types"},
    {ID_SYSTEM_LABELS, "&System Labels", "System label entry such as Vehicle Model, Author, etc.",
     "", "", "labels"},
    {ID_CLEAR_ALL, "Clear &all", "Clears (restores defaults) for entire system", "", "",
     "clear-all"},
    {ID_BOOLEAN_EDITOR, "&Editor", "Editor for Boolean relationships.", "", "", "boolean-editor"},
    {ID_BOOLEAN_CLEAR, "&Clear", "Clears the Boolean for the designated channel.", "", "",
     "boolean-clear"},
    {ID_BOOLEAN_COPY, "C&opy", "Copies a Boolean from one channel to another", "", "",
     "boolean-copy"},
    {ID_TIMER_SETUP, "T&imer setup", "Edit the timer reload values`", "", "", "setup"},
    {ID_SLEEP_MODE, "&Sleep mode", "Edit system parameters such as sleep mode & hi speed chls", "",
     "", "setup"},
    {ID_HIGH_SPEED_CHANNELS, "&High speed channels (Blue Loop)",
     "Allows assigning specific channels as high speed.", "", "", "setup"},
    {ID_FILE_NEW, "&Designer", "Launches the full spreadsheet designer", "Spreadsheet Designer",
     "Ctrl+N", "spreadsheet"},
    {ID_LOOP_STATUS_CONTROLLER, "&Loop Status Controller", "", "", "", "diagnostic"},
    {ID_LOOP_STATUS_VIEWER, "Loop &Status Viewer", "", "", "", "diagnostic"},
    {ID_START_DVX_LINK, "&Start DVX link", "Initiates communication from DVX CPU to all modules",
     "", "", "module-link"},
    {ID_STOP_DVX_LINK, "St&op DVX link", "Stops communication from DVX CPU to modules", "", "",
     "module-link"},
    {ID_CPU_PROCESSING_TIME, "CPU &processing time",
     "Retreives Boolean processor task execution time from CPU", "", "", "processor-time"},
    {ID_SERIAL_VIEWER, "Serial &Viewer", "Shows serial stream between PC and DVX CPU.", "", "",
     "serial-viewer"},
    {ID_SAVE_CURRENT_WORK, "&Save current work", "Back up current changes to disk drive", "", "",
     "save-current-work"},
    // Toolbar buttons and accelerators without a menu item of their own.
    {ID_FILE_SAVE, "Save", "Save the active document", "Save", "Ctrl+S", "documentation"},
    {ID_EDIT_CUT, "Cut", "Cut the selection and put it on the Clipboard", "Cut",
     "Ctrl+X; Shift+Del", "toolbar"},
    {ID_EDIT_COPY, "Copy", "Copy the selection and put it on the Clipboard", "Copy",
     "Ctrl+C; Ctrl+Ins", "toolbar"},
    {ID_EDIT_PASTE, "Paste", "Insert Clipboard contents", "Paste", "Ctrl+V; Shift+Ins", "toolbar"},
    {ID_FILE_PRINT, "Print", "Print the active document", "Print", "Ctrl+P", "documentation"},
    {ID_CONTEXT_HELP, "Help", "Display help for clicked buttons, menus and windows", "Help",
     "Shift+F1", "help"},
    {ID_BOOLEAN_EDITOR_BUTTON, "Boolean Editor", "Editor for Boolean relationships.",
     "Boolean Editor", "", "boolean-editor"},
    {ID_LOOP_CONTROLLER_BUTTON, "LOOP CONTROLLER", "", "LOOP CONTROLLER", "", "diagnostic"},
    {ID_LOOP_VIEWER_BUTTON, "LOOP VIEWER", "", "LOOP VIEWER", "", "diagnostic"},
    {ID_FILE_OPEN, "Open", "Open an existing document", "Open", "Ctrl+O", "documentation"},
    {ID_EDIT_UNDO, "Undo", "Undo the last action", "Undo", "Ctrl+Z; Alt+Backspace", "toolbar"},
    {ID_NEXT_PANE, "Next Pane", "Switch to the next window pane", "Next Pane", "F6", "toolbar"},
    {ID_PREV_PANE, "Previous Pane", "Switch back to the previous window pane", "Previous Pane",
     "Shift+F6", "toolbar"},
    {ID_HELP, "Help", "Display help for current task or command", "Help", "F1", "help"},
};

} // namespace

std::span<const CCommandInfo> CCommandTable::All() { return kCommands; }

const CCommandInfo* CCommandTable::Find(int nId) {
    auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                           [nId](const CCommandInfo& info) { return info.nId == nId; });
    return it == std::end(kCommands) ? nullptr : &*it;
}
