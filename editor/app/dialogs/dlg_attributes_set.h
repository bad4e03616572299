// The attribute pane: a drop-down list of the active screen and its controls, and below it either
// the attribute stack of the one selected control (CDspControl) or the screen panel (CDspScreen).
// It keeps a copy of the selected control for the undo history of attribute edits.
#pragma once

#include "comkit/types.h"

#include <QWidget>

#include <memory>

class CControlBase;
class CDspControl;
class CDspScreen;
class CScreenBase;
class QComboBox;

class CDlgAttributesSet : public QWidget {
    Q_OBJECT
public:
    enum : UINT { IDD = 6200, ID_SELECTION = 6201, ID_SCREEN_WINDOW = 6210, ID_CONTROL_WINDOW = 6211 };
    enum { DESIGN_WINDOW_TOP = 26, BAR_WIDTH = 214 };
    static const char* const SCREEN_ROW_FORMAT;  // "%s (%s)" (UTF-8)
    static const char* const CONTROL_ROW_FORMAT; // " %s (%s)"
    static const char* const CURRENT_SCREEN;     // "当前画面"

    explicit CDlgAttributesSet(QWidget* parent = nullptr);
    ~CDlgAttributesSet() override;

    QComboBox* GetComboBox() const { return m_pCombo; }
    CDspControl* GetControlWindow() const { return m_pControlWindow; }
    CDspScreen* GetScreenWindow() const { return m_pScreenWindow; }
    CScreenBase* GetScreen() const { return m_pScreen; }
    // The copy of the selected control taken when it was last shown or recorded (null when none).
    CControlBase* GetControlCopy() const { return m_copy.get(); }

public slots:
    // Another screen became active (message 0x401): shows screen (null: the list empty and
    // disabled), as Synchronize does.
    void Refresh(CScreenBase* screen);
    // The selection or content changed (message 0x402): the rows follow the screen's controls
    // (re-filled only when they differ), the row of the selected control is selected and its
    // stack shown (exactly one selected), else the screen panel.
    void Synchronize();
    // The project closed (message 0x602): the list is emptied and disabled and both design
    // windows are deleted.
    void Clear();

signals:
    void ScreenChosen();           // 0x500: row 0 was chosen
    void ControlChosen(int index); // 0x501: the control at that draw-order position
    void AttributeChanged();       // 0x1400
    void ScreenNameChanged();      // 0x1401
    void AttributeEditorFocused(); // 0x1403
    void DeviceSettingRequested(); // 0x1404
    // Record a modify step: `before` is the control as it was before the edit that is about to
    // happen; the receiver clones it during the call.
    void UndoStepRequested(CControlBase* before);
    // The main frame's status text: the selected control's description, or empty.
    void StatusTextChanged(const QString& text);

protected:
    void focusInEvent(QFocusEvent* event) override;
    // The list and the design windows follow the bar's width (the rows are laid out again).
    void resizeEvent(QResizeEvent* event) override;

private:
    // Row 0 "<screen> (当前画面)", then " <control> (<kind>)" per control in draw order.
    void FillRows();
    void OnSelectionChosen(int row);
    void OnAttributeChanged();
    void OnScreenNameChanged();
    void OnAttributeModifyUndo();
    QString ScreenRowText() const;
    QString StatusText() const;
    // A copy of control (same ID) that leaves the screen's default-position cursor alone.
    std::unique_ptr<CControlBase> CopyOf(CControlBase* control) const;
    CDspControl* ControlWindow();
    CDspScreen* ScreenWindow();
    void FitHeight();

    QComboBox* m_pCombo;
    CScreenBase* m_pScreen = nullptr;
    CDspControl* m_pControlWindow = nullptr;
    CDspScreen* m_pScreenWindow = nullptr;
    std::unique_ptr<CControlBase> m_copy;
};
