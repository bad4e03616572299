// One row of the attribute grid: the attribute's name on the left, an editor for its value on
// the right (an edit box for integers, reals and texts, a drop-down list for yes/no and
// enumerations). The row writes edits straight into the attribute and reports to its group.
#pragma once

#include "controls/dsp/dsp_api.h"

#include "controls/dsp/dsp_wnd.h"

class CAttributeBase;
class QComboBox;
class QLineEdit;
class QTextEdit;

class DSP_API CDspAttribute : public CDspWnd {
    Q_OBJECT
public:
    enum TextInputMode { INPUT_FREE = 0, INPUT_DECIMAL = 1, INPUT_BINARY = 2, INPUT_OCTAL = 3, INPUT_HEX = 4 };
    enum : UINT { ID_NAME = 0x100, ID_EDIT = 0x101, ID_COMBO = 0x102 };
    // Text limits of the edit box by value kind, and the drop-down list's height.
    enum { INT_TEXT_LIMIT = 6, DOUBLE_TEXT_LIMIT = 20, STRING_TEXT_LIMIT = 60, COMBO_LIST_HEIGHT = 500 };
    static constexpr DWORD NAME_BACK_COLOR = 0xFFDFD4;
    static constexpr DWORD LIGHT_LINE_COLOR = 0xFFFFFF;
    static constexpr DWORD DARK_LINE_COLOR = 0xD3D5D5;
    static constexpr double NAME_RATIO = 0.4;

    // A row for attribute (may be null: an empty row) at rect in parent, with child ID id.
    CDspAttribute(CAttributeBase* attribute, const QRect& rect, UINT id, QWidget* parent);

    // Shows another attribute (or none) in this row: re-binds the editors and repaints. The
    // edit text is rewritten only when it does not already stand for the value, so a rebind
    // while the user types keeps what is being typed.
    void ChangeAttribute(CAttributeBase* attribute);
    bool CheckAttributeSame(CAttributeBase* attribute) const { return attribute == m_pAttribute; }
    CAttributeBase* GetAttribute() const { return m_pAttribute; }

    // Stores the mode; with convert non-zero and a different mode, first converts the shown
    // value from the old mode's radix to the new one and reports AttributeChanged(0, 0).
    void SetInputMode(TextInputMode mode, int convert);
    TextInputMode GetInputMode() const { return m_nInputMode; }

    // The name column's right edge: 1 + the integer part of 0.4 x the row width.
    int GetSplit() const { return m_nSplit; }
    // The child editors (null until the row needed them).
    QTextEdit* GetNameCell() const { return m_pName; }
    QLineEdit* GetEditBox() const { return m_pEdit; }
    QComboBox* GetComboBox() const { return m_pCombo; }

protected:
    void DrawWnd(COM_GUI_EX::CGUIEXDC* dc, const QRect& client) override;
    // The keyboard filter of the editors: Enter becomes Tab, refused characters and input-method
    // commits beep; the wheel reaches a drop-down only when it has the focus.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreateControl();
    void CreateNameCell();
    void CreateEditBox();
    void CreateComboBox();
    // Shows the value in the edit box (reporting off, caret kept) unless it already does.
    void ShowValueText();
    bool TextStandsForValue(const QString& text) const;
    // Text the edit box shows for the attribute's value.
    QString ValueText() const;
    // False (after a beep) when typed (one typed character, Backspace as "\b", or an input
    // method's committed text) may not go in at the caret.
    bool AcceptText(QLineEdit* edit, const QString& typed);
    void InputTypeChanged(TextInputMode oldMode, TextInputMode newMode);
    // Marks the edit box as holding a value the attribute refused (red text, a tool tip with
    // the valid range) or clears that mark; the focus leaving a marked box shows the stored value.
    // Without a refusal the box is marked when the stored value itself lies outside the range
    // its control names (an address whose kind was changed), until the value or the kind changes.
    void ShowRefusal(bool refused);
    // True when the integer value lies outside the range the control names for the attribute
    // (CControlBase::GetValidRange); false when it names none.
    bool OutsideNamedRange(long long value) const;
    // "有效范围：a - b" of an integer attribute: the range its control names
    // (CControlBase::GetValidRange), else the run of numbers around the stored value its veto
    // accepts; empty for other attributes and when neither is known.
    QString ValidRangeText() const;
    void SendAttributeChangedMessage(int first) { emit AttributeChanged(first, 0); }
    void SendAttributesModifyUndMsg();

    void OnEditValueChanged(const QString& text);
    void OnEditValueKillFocus();
    void OnComboBoxValueChanged(int index);
    void OnEditorSetFocus(QWidget* editor);

    CAttributeBase* m_pAttribute;
    int m_nSplit = 0;
    QTextEdit* m_pName = nullptr;
    QLineEdit* m_pEdit = nullptr;
    QComboBox* m_pCombo = nullptr;
    bool m_bReportChanges = true;
    bool m_bUndoAnnounced = false;
    bool m_bRefused = false;
    bool m_bStoredOutside = false; // the stored value lies outside the named range
    TextInputMode m_nInputMode = INPUT_FREE;
};
