#include "editor/editor_strings.h"

namespace {

struct STRING_ENTRY {
    UINT id;
    const char* text;
};

const STRING_ENTRY s_strings[] = {
    {CEditorStrings::IDS_PROJECT_MAGIC, "ZQE"},
    {CEditorStrings::IDS_PROJECT_MAKER, "Ostravine Korvane electronics Co.LTD"},
    {CEditorStrings::IDS_PROJECT_DAMAGED, "无法识别的文件格式或文件已经损坏，请打开ZQEditor专用的\".ZQE\"文件！"},
    {CEditorStrings::IDS_IMAGE_VERSION, "OS Korvane Ver 1.00"},
    {CEditorStrings::IDS_DOWNLOAD_POWER, "请先关闭一体机电源，按确定继续，再开一体机电源！"},
    {CEditorStrings::IDS_DOWNLOAD_REFUSED,
     "不能编译、下载当前程序！\n程序中至少存在一个参数控件(指示灯或寄存器)！\n程序中控件的最大数量不能超过255个！"},
    {CEditorStrings::IDS_NO_REGISTER, "画面中不存在寄存器控件！"},
    {CEditorStrings::IDS_CLOSE_WITHOUT_SAVE, "确定不保存就关闭当前项目吗？"},
    {CEditorStrings::IDS_SAVE_FILTER, "ZQEditor 文件(*.ZQE)|*.zqe|所有文件 (*.*)|*.*||"},
    {CEditorStrings::IDS_DELETE_LAST_SCREEN, "不能删除最后一个画面！"},
    {CEditorStrings::IDS_DELETE_SCREEN_ASK, "确实要删除当前画面 [%s] 吗？\n删除画面将无法撤消，请谨慎操作！"},
    {CEditorStrings::IDS_SCREEN_LIMIT, "画面数已经达到最大允许数量！"},
};

} // namespace

const char* CEditorStrings::Get(UINT id)
{
    for (const STRING_ENTRY& entry : s_strings)
        if (entry.id == id)
            return entry.text;
    return "";
}
