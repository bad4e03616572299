// One attribute group shown as a titled block of rows: caption band, left strip and one
// CDspAttribute per visible attribute.
#pragma once

#include "controls/dsp/dsp_api.h"

#include "controls/dsp/dsp_wnd.h"

#include <vector>

class CAttrList;
class CAttributeBase;
class CDspAttribute;

class DSP_API CDspAttrList : public CDspWnd {
    Q_OBJECT
public:
    enum { CAPTION_HEIGHT = 22, LEFT_STRIP_WIDTH = 9, ROW_HEIGHT = 22, ROW_LEFT = 10, FIRST_ROW_ID = 256 };
    static constexpr DWORD FRAME_COLOR = 0xD3D5D5;
    static constexpr DWORD NOTE_BACK_COLOR = 0xFFDFD4;
    static const char* const NO_ATTRIBUTE_NOTE; // "此组中没有可用的属性。" (UTF-8)

    // Shows group (may be null: no rows) at rect's place and width; the window's height follows
    // its rows and the new bottom is written back into rect (when not null).
    CDspAttrList(CAttrList* group, QRect* rect, UINT id, QWidget* parent);

    // Shows another group (or none) in this window: rebinds the rows, resizes to rect's width
    // (the current width when rect is null) and writes the new bottom back.
    void ChangeAttributesList(CAttrList* group, QRect* rect);
    CAttrList* GetAttributesList() const { return m_pGroup; }

    // The rows in display order (spare rows are hidden and not listed).
    const std::vector<CDspAttribute*>& GetRows() const { return m_rows; }
    // 22 + 22 x rows + 1, one more row height without rows.
    int CalcHeight() const;

protected:
    void DrawWnd(COM_GUI_EX::CGUIEXDC* dc, const QRect& client) override;

private:
    void CreateControl();
    void ReCalcWindowSize(QRect* rect);
    void DrawNothingDescription(COM_GUI_EX::CGUIEXDC* dc, const QRect& client);
    // A row for a newly visible attribute: a spare one when there is, else a new one.
    CDspAttribute* TakeRow(CAttributeBase* attribute, const QRect& place);

    CAttrList* m_pGroup;
    std::vector<CDspAttribute*> m_rows;  // in display order; Qt's parent owns them
    std::vector<CDspAttribute*> m_spare; // hidden, kept for reuse
    UINT m_uNextRowID = FIRST_ROW_ID;
};
