// The editor's command table: identifiers, menu texts, shortcut keys, status and tool-tip texts
// and icon names of every menu and toolbar command.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// Command identifiers (they also number the status and tool-tip texts).
enum EditorCommand : unsigned {
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_CLOSE = 57602,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_COMPILE = 32828,
    ID_DOWNLOAD_PROGRAM = 32829,
    ID_DOWNLOAD_COMM_SETTINGS = 32830,
    ID_CHECK_PROJECT = 32840,
    ID_EXPORT_REPORT = 32841,
    ID_SIMULATE_OFFLINE = 32850,
    ID_SIMULATE_ONLINE = 32851,
    ID_FILE_MRU_FIRST = 57616,
    ID_FILE_MRU_LAST = 57631,
    ID_APP_EXIT = 57665,
    ID_EDIT_CUT = 57635,
    ID_EDIT_COPY = 57634,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_DELETE = 2100,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
    ID_EDIT_SELECT_ALL = 57642,
    ID_ORDER_MODE = 32831,
    ID_INSERT_TEXT = 1020, // 1020-1027: control types 1-8
    ID_INSERT_REGISTER = 1021,
    ID_INSERT_LAMP = 1022,
    ID_INSERT_FUNCTION_KEY = 1023,
    ID_INSERT_TREND = 1024,
    ID_INSERT_BAR = 1025,
    ID_INSERT_PICTURE = 1026,
    ID_INSERT_DYNAMIC_TEXT = 1027,
    ID_MULTIPLE_COPY = 1000,
    ID_SCREEN_NEW = 2012,
    ID_SCREEN_COPY = 2013,
    ID_SCREEN_DELETE = 2014,
    ID_SCREEN_PREVIOUS = 2015,
    ID_SCREEN_NEXT = 2016,
    ID_SCREEN_ATTRIBUTES = 2017,
    ID_ALIGN_LEFT = 2200,
    ID_ALIGN_TOP = 2201,
    ID_ALIGN_BOTTOM = 2202,
    ID_ALIGN_VERTICAL_CENTER = 2203,
    ID_ALIGN_HORIZONTAL_CENTER = 2204,
    ID_SPREAD_VERTICAL = 2205,
    ID_SPREAD_HORIZONTAL = 2206,
    ID_ALIGN_RIGHT = 32827,
    ID_VIEW_STATUS_BAR = 59393,
    ID_HELP = 2001,
    ID_APP_ABOUT = 57664,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
};

struct EditorCommandInfo {
    unsigned id;
    QString menuText;   // empty: the command has no menu entry of its own
    QStringList keys;   // portable key sequences, first one shown in the menu
    QString statusText; // shown in the status bar while the command is highlighted
    QString toolTip;    // short name shown over toolbar buttons
    QString iconName;   // ":/icons/<iconName>.svg" when the resource holds it
};

class CEditorCommands {
public:
    // Every command of the table, in table order.
    static const std::vector<EditorCommandInfo>& All();
    // The command's entry; null for an identifier that is not in the table.
    static const EditorCommandInfo* Find(unsigned id);
    // The string resource "status\ntool tip" of a command (empty for an unknown identifier).
    static QString PromptString(unsigned id);
    // The four toolbars (identifiers 5000, 5002, 5003, 5004) and their buttons; 0 is a separator.
    static const std::vector<unsigned>& ToolBarButtons(int toolBarId);
    // Control type (1-8) of an insert command; 0 for other commands.
    static int InsertControlType(unsigned id);
    // Selected controls an alignment needs (2; 3 to spread evenly); 0 for other commands.
    static int AlignMinimumSelection(unsigned id);
};
