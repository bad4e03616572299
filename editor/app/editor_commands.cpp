#include "editor/app/editor_commands.h"

#include <QCoreApplication>

#include <utility>

namespace {

EditorCommandInfo Cmd(unsigned id, const char* menu, QStringList keys, const char* prompt, const char* icon)
{
    // Texts in the user's language; the table is built once, after the catalogue is installed.
    const QString text = QCoreApplication::translate("Editor", prompt);
    const int cut = text.indexOf(QLatin1Char('\n'));
    return {id,
            *menu ? QCoreApplication::translate("Editor", menu) : QString(),
            std::move(keys),
            cut < 0 ? text : text.left(cut),
            cut < 0 ? QString() : text.mid(cut + 1),
            QString::fromLatin1(icon)};
}

std::vector<EditorCommandInfo> BuildTable()
{
    return {
        Cmd(ID_FILE_NEW, QT_TRANSLATE_NOOP("Editor", "新建(&N)"), {"Ctrl+N"},
            QT_TRANSLATE_NOOP("Editor", "建立新项目\n新建"), "new"),
        Cmd(ID_FILE_OPEN, QT_TRANSLATE_NOOP("Editor", "打开(&O)"), {"Ctrl+O"},
            QT_TRANSLATE_NOOP("Editor", "打开一个现有项目\n打开"), "open"),
        Cmd(ID_FILE_CLOSE, QT_TRANSLATE_NOOP("Editor", "关闭"), {}, QT_TRANSLATE_NOOP("Editor", "关闭当前项目\n关闭"),
            ""),
        Cmd(ID_FILE_SAVE, QT_TRANSLATE_NOOP("Editor", "保存(&S)"), {"Ctrl+S"},
            QT_TRANSLATE_NOOP("Editor", "保存当前项目\n保存"), "save"),
        Cmd(ID_FILE_SAVE_AS, QT_TRANSLATE_NOOP("Editor", "另存为(&A)..."), {},
            QT_TRANSLATE_NOOP("Editor", "用新名称保存当前项目\n另存为"), ""),
        Cmd(ID_COMPILE, QT_TRANSLATE_NOOP("Editor", "编译(P)"), {}, QT_TRANSLATE_NOOP("Editor", "编译当前项目\n编译"),
            "compile"),
        Cmd(ID_CHECK_PROJECT, QT_TRANSLATE_NOOP("Editor", "检查项目"), {"F7"},
            QT_TRANSLATE_NOOP("Editor", "检查项目中会被下载拒绝或在面板上出错的地方\n检查项目"), ""),
        Cmd(ID_EXPORT_REPORT, QT_TRANSLATE_NOOP("Editor", "导出报告(&R)..."), {},
            QT_TRANSLATE_NOOP("Editor", "把项目的画面、控件、地址表和检查结果导出为 PDF 或 HTML 文档\n导出报告"), ""),
        Cmd(ID_DOWNLOAD_COMM_SETTINGS, QT_TRANSLATE_NOOP("Editor", "下载串口设置"), {},
            QT_TRANSLATE_NOOP("Editor", "选择下载程序使用的串口\n下载串口设置"), "download_serial_settings"),
        Cmd(ID_DOWNLOAD_PROGRAM, QT_TRANSLATE_NOOP("Editor", "下载程序"), {},
            QT_TRANSLATE_NOOP("Editor", "编译当前项目并下载到显示器\n下载程序"), "download_program"),
        Cmd(ID_SIMULATE_OFFLINE, QT_TRANSLATE_NOOP("Editor", "离线模拟"), {"Ctrl+F5"},
            QT_TRANSLATE_NOOP("Editor",
                              "在电脑上运行当前项目，PLC 由内存中的模拟代替，旁边的表格可修改其寄存器和线圈\n离线模拟"),
            ""),
        Cmd(ID_SIMULATE_ONLINE, QT_TRANSLATE_NOOP("Editor", "在线模拟"), {"Shift+F5"},
            QT_TRANSLATE_NOOP("Editor", "在电脑上运行当前项目，连接串口或 Modbus TCP 上的 PLC\n在线模拟"), ""),
        Cmd(ID_APP_EXIT, QT_TRANSLATE_NOOP("Editor", "退出(&X)"), {},
            QT_TRANSLATE_NOOP("Editor", "退出程序，提示保存项目\n退出"), ""),
        Cmd(ID_EDIT_CUT, QT_TRANSLATE_NOOP("Editor", "剪切(&T)"), {"Ctrl+X", "Shift+Del"},
            QT_TRANSLATE_NOOP("Editor", "剪切选择的控件并放到剪贴板上\n剪切"), "cut"),
        Cmd(ID_EDIT_COPY, QT_TRANSLATE_NOOP("Editor", "复制(&C)"), {"Ctrl+C", "Ctrl+Ins"},
            QT_TRANSLATE_NOOP("Editor", "复制选择的控件并放到剪贴板上\n复制"), "copy"),
        Cmd(ID_EDIT_PASTE, QT_TRANSLATE_NOOP("Editor", "粘帖(&P)"), {"Ctrl+V", "Shift+Ins"},
            QT_TRANSLATE_NOOP("Editor", "插入剪贴板中的控件\n粘帖"), "paste"),
        Cmd(ID_EDIT_DELETE, QT_TRANSLATE_NOOP("Editor", "删除(&D)"), {"Del"},
            QT_TRANSLATE_NOOP("Editor", "删除选择的控件\n删除"), "delete"),
        Cmd(ID_EDIT_UNDO, QT_TRANSLATE_NOOP("Editor", "撤消(&U)"), {"Ctrl+Z", "Alt+Backspace"},
            QT_TRANSLATE_NOOP("Editor", "撤消上一个操作\n撤消"), "undo"),
        Cmd(ID_EDIT_REDO, QT_TRANSLATE_NOOP("Editor", "重做(&R)"), {"Ctrl+Y"},
            QT_TRANSLATE_NOOP("Editor", "重做已撤消的操作\n重做"), "redo"),
        Cmd(ID_EDIT_SELECT_ALL, QT_TRANSLATE_NOOP("Editor", "全选(&A)"), {"Ctrl+A"},
            QT_TRANSLATE_NOOP("Editor", "选择画面中的全部控件\n全选"), ""),
        Cmd(ID_ORDER_MODE, QT_TRANSLATE_NOOP("Editor", "寄存器输入顺序(&O)"), {"Ctrl+D"},
            QT_TRANSLATE_NOOP("Editor", "设置寄存器输入顺序\n寄存器输入顺序"), "order_mode"),
        Cmd(ID_INSERT_TEXT, QT_TRANSLATE_NOOP("Editor", "文本(&W)"), {},
            QT_TRANSLATE_NOOP("Editor", "插入文本控件\n文本"), "insert_text"),
        Cmd(ID_INSERT_REGISTER, QT_TRANSLATE_NOOP("Editor", "寄存器(&R)"), {},
            QT_TRANSLATE_NOOP("Editor", "插入寄存器控件\n寄存器"), "insert_register"),
        Cmd(ID_INSERT_LAMP, QT_TRANSLATE_NOOP("Editor", "指示灯(&L)"), {},
            QT_TRANSLATE_NOOP("Editor", "插入指示灯控件\n指示灯"), "insert_lamp"),
        Cmd(ID_INSERT_FUNCTION_KEY, QT_TRANSLATE_NOOP("Editor", "功能键(&F)"), {},
            QT_TRANSLATE_NOOP("Editor", "插入功能键控件\n功能键"), "insert_function_key"),
        Cmd(ID_INSERT_TREND, QT_TRANSLATE_NOOP("Editor", "趋势图(&V)"), {},
            QT_TRANSLATE_NOOP("Editor", "插入趋势图控件\n趋势图"), "insert_trend"),
        Cmd(ID_INSERT_BAR, QT_TRANSLATE_NOOP("Editor", "棒状图(&B)"), {},
            QT_TRANSLATE_NOOP("Editor", "插入棒状图控件\n棒状图"), "insert_bar"),
        Cmd(ID_INSERT_PICTURE, QT_TRANSLATE_NOOP("Editor", "图片(&P)"), {},
            QT_TRANSLATE_NOOP("Editor", "插入图片控件\n图片"), "insert_picture"),
        Cmd(ID_INSERT_DYNAMIC_TEXT, QT_TRANSLATE_NOOP("Editor", "动态文本(&A)"), {},
            QT_TRANSLATE_NOOP("Editor", "插入动态文本控件\n动态文本"), "insert_dynamic_text"),
        Cmd(ID_SCREEN_NEW, QT_TRANSLATE_NOOP("Editor", "新建画面(&N)"), {},
            QT_TRANSLATE_NOOP("Editor", "在项目中新建一个画面\n新建画面"), "new_screen"),
        Cmd(ID_SCREEN_COPY, QT_TRANSLATE_NOOP("Editor", "复制画面(&C)"), {},
            QT_TRANSLATE_NOOP("Editor", "复制当前画面\n复制画面"), "copy_screen"),
        Cmd(ID_SCREEN_DELETE, QT_TRANSLATE_NOOP("Editor", "删除画面(&D)"), {},
            QT_TRANSLATE_NOOP("Editor", "删除当前画面\n删除画面"), "delete_screen"),
        Cmd(ID_SCREEN_PREVIOUS, QT_TRANSLATE_NOOP("Editor", "上一个画面(&P)"), {"Ctrl+Left"},
            QT_TRANSLATE_NOOP("Editor", "显示上一个画面\n上一个画面"), "previous_screen"),
        Cmd(ID_SCREEN_NEXT, QT_TRANSLATE_NOOP("Editor", "下一个画面(&E)"), {"Ctrl+Right"},
            QT_TRANSLATE_NOOP("Editor", "显示下一个画面\n下一个画面"), "next_screen"),
        Cmd(ID_SCREEN_ATTRIBUTES, QT_TRANSLATE_NOOP("Editor", "画面属性(&A)"), {},
            QT_TRANSLATE_NOOP("Editor", "设置背景灯与功能画面\n画面属性"), "screen_attributes"),
        Cmd(ID_ALIGN_LEFT, "", {}, QT_TRANSLATE_NOOP("Editor", "选择的控件左对齐\n左对齐"), "align_left"),
        Cmd(ID_ALIGN_TOP, "", {}, QT_TRANSLATE_NOOP("Editor", "选择的控件顶端对齐\n顶端对齐"), "align_top"),
        Cmd(ID_ALIGN_BOTTOM, "", {}, QT_TRANSLATE_NOOP("Editor", "选择的控件底端对齐\n底端对齐"), "align_bottom"),
        Cmd(ID_ALIGN_VERTICAL_CENTER, "", {}, QT_TRANSLATE_NOOP("Editor", "选择的控件垂直居中对齐\n垂直居中"),
            "align_vertical_center"),
        Cmd(ID_ALIGN_HORIZONTAL_CENTER, "", {}, QT_TRANSLATE_NOOP("Editor", "选择的控件水平居中对齐\n水平居中"),
            "align_horizontal_center"),
        Cmd(ID_SPREAD_VERTICAL, "", {}, QT_TRANSLATE_NOOP("Editor", "选择的控件垂直等间距\n垂直等间距"),
            "spread_vertical"),
        Cmd(ID_SPREAD_HORIZONTAL, "", {}, QT_TRANSLATE_NOOP("Editor", "选择的控件水平等间距\n水平等间距"),
            "spread_horizontal"),
        Cmd(ID_ALIGN_RIGHT, "", {}, QT_TRANSLATE_NOOP("Editor", "选择的控件右对齐\n右对齐"), "align_right"),
        Cmd(ID_VIEW_STATUS_BAR, QT_TRANSLATE_NOOP("Editor", "状态栏(&S)"), {},
            QT_TRANSLATE_NOOP("Editor", "显示或隐藏状态栏\n显隐状态栏"), ""),
        Cmd(ID_HELP, QT_TRANSLATE_NOOP("Editor", "帮助(&H)"), {"F1"}, QT_TRANSLATE_NOOP("Editor", "打开用户手册\n帮助"),
            "help"),
        Cmd(ID_APP_ABOUT, QT_TRANSLATE_NOOP("Editor", "关于 ZQEditor...(&A)"), {},
            QT_TRANSLATE_NOOP("Editor", "显示程序信息、版本号和版权\n关于"), "about"),
        Cmd(ID_NEXT_PANE, "", {"F6"}, QT_TRANSLATE_NOOP("Editor", "切换到下一个窗格\n下一窗格"), ""),
        Cmd(ID_PREV_PANE, "", {"Shift+F6"}, QT_TRANSLATE_NOOP("Editor", "切换回上一个窗格\n前一窗格"), ""),
    };
}

} // namespace

const std::vector<EditorCommandInfo>& CEditorCommands::All()
{
    static const std::vector<EditorCommandInfo> table = BuildTable();
    return table;
}

const EditorCommandInfo* CEditorCommands::Find(unsigned id)
{
    for (const EditorCommandInfo& info : All())
        if (info.id == id)
            return &info;
    return nullptr;
}

QString CEditorCommands::PromptString(unsigned id)
{
    const EditorCommandInfo* info = Find(id);
    if (!info)
        return QString();
    return info->toolTip.isEmpty() ? info->statusText : info->statusText + QLatin1Char('\n') + info->toolTip;
}

const std::vector<unsigned>& CEditorCommands::ToolBarButtons(int toolBarId)
{
    static const std::vector<unsigned> standard = {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE,  0,
                                                   ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_DELETE,
                                                   0,           ID_EDIT_UNDO, ID_EDIT_REDO,  0,
                                                   ID_COMPILE,  ID_HELP};
    static const std::vector<unsigned> insert = {ID_INSERT_TEXT,         ID_INSERT_REGISTER,    ID_INSERT_LAMP,
                                                 ID_INSERT_FUNCTION_KEY, ID_INSERT_TREND,       ID_INSERT_BAR,
                                                 ID_INSERT_PICTURE,      ID_INSERT_DYNAMIC_TEXT};
    static const std::vector<unsigned> align = {ID_ALIGN_LEFT,
                                                ID_ALIGN_RIGHT,
                                                ID_ALIGN_TOP,
                                                ID_ALIGN_BOTTOM,
                                                ID_ALIGN_VERTICAL_CENTER,
                                                ID_ALIGN_HORIZONTAL_CENTER,
                                                0,
                                                ID_SPREAD_HORIZONTAL,
                                                ID_SPREAD_VERTICAL,
                                                0,
                                                ID_ORDER_MODE};
    static const std::vector<unsigned> screens = {
        ID_SCREEN_NEW,       ID_SCREEN_COPY, ID_SCREEN_DELETE, 0, ID_SCREEN_PREVIOUS, ID_SCREEN_NEXT, 0,
        ID_SCREEN_ATTRIBUTES};
    static const std::vector<unsigned> none;
    switch (toolBarId) {
    case 5000: return standard;
    case 5002: return insert;
    case 5003: return align;
    case 5004: return screens;
    default: return none;
    }
}

int CEditorCommands::InsertControlType(unsigned id)
{
    return id >= ID_INSERT_TEXT && id <= ID_INSERT_DYNAMIC_TEXT ? int(id - ID_INSERT_TEXT) + 1 : 0;
}

int CEditorCommands::AlignMinimumSelection(unsigned id)
{
    switch (id) {
    case ID_ALIGN_LEFT:
    case ID_ALIGN_RIGHT:
    case ID_ALIGN_TOP:
    case ID_ALIGN_BOTTOM:
    case ID_ALIGN_VERTICAL_CENTER:
    case ID_ALIGN_HORIZONTAL_CENTER: return 2;
    case ID_SPREAD_VERTICAL:
    case ID_SPREAD_HORIZONTAL: return 3;
    default: return 0;
    }
}
