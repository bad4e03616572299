// The attribute pane for the screen (no control or several selected): the screen's name in an
// edit box, its size, control counts, panel model and PLC, and the "设置" button that asks for
// the device selection.
#pragma once

#include "controls/dsp/dsp_api.h"

#include "controls/dsp/dsp_wnd.h"

#include <string>
#include <vector>

class CScreenBase;
class QLineEdit;
class QPushButton;

class DSP_API CDspScreen : public CDspWnd {
    Q_OBJECT
public:
    enum {
        CAPTION_HEIGHT = 22,
        ROW_HEIGHT = 22,
        LABEL_WIDTH = 80,
        LEFT_STRIP_WIDTH = 9,
        BODY_HEIGHT = 170,
        NAME_LIMIT = 20,
        INFO_LINE_HEIGHT = 16,
        DEVICE_BUTTON_X = 151,
        DEVICE_BUTTON_WIDTH = 50,
        INFO_COLUMN_GAP = 8
    };
    enum : UINT { ID_NAME_EDIT = 0x100, ID_DEVICE_BUTTON = 0x101 };
    static constexpr DWORD FRAME_COLOR = 0xD3D5D5;
    static constexpr DWORD BACK_COLOR = 0xFFDFD4;
    // Texts (UTF-8).
    static const char* const CAPTION_SCREEN;     // "·当前页面"
    static const char* const CAPTION_MULTIPLE;   // "·当前页面（选择多个控件）"
    static const char* const INFO_FORMAT;        // width, height, counts, device, PLC, "_"
    static const char* const DEVICE_BUTTON_TEXT; // "设置"

    // Shows screen (may be null) at rect's place and width, 193 pixels high; the new bottom is
    // written back into rect (when not null).
    CDspScreen(CScreenBase* screen, QRect* rect, UINT id, QWidget* parent);

    // Shows another screen (or none): re-creates the child controls and repaints.
    void ChangeDisplayScreen(CScreenBase* screen);
    CScreenBase* GetDisplayScreen() const { return m_pScreen; }
    QLineEdit* GetNameEdit() const { return m_pNameEdit; }
    QPushButton* GetDeviceButton() const { return m_pDeviceButton; }

    // The information text (GBK) of the shown screen as INFO_FORMAT lays it out in blanks.
    std::string FormatInformation() const;
    // One line of the information as painted: the label (GBK, the line of INFO_FORMAT up to its
    // value, trailing blanks removed) and the value (GBK; empty on lines without one).
    struct INFO_ROW {
        std::string label;
        std::string value;
    };
    // The lines of the information in INFO_FORMAT's order; empty without a screen. Painted in two
    // columns measured in the panel's font: labels at the left, values ending together at the
    // right edge of the "设置" button (a value too wide for that starts after its label).
    std::vector<INFO_ROW> InformationRows() const;
    // The caption as painted (UTF-8): depends on whether any control is selected.
    const char* GetCaption() const;

protected:
    void DrawWnd(COM_GUI_EX::CGUIEXDC* dc, const QRect& client) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void CreateControl();
    void ReCalcWindowSize(QRect* rect);
    void OnEditValueChanged(const QString& text);
    void OnDeviceSet() { emit DeviceSettingRequested(); }

    CScreenBase* m_pScreen;
    QLineEdit* m_pNameEdit = nullptr;
    QPushButton* m_pDeviceButton = nullptr;
    bool m_bReportChanges = true;
};
