// The design view of one screen: draws the screen through an off-screen surface and edits its
// controls with mouse, keyboard, clipboard and undo.
#pragma once

#include "comkit/types.h"
#include "controls/control_base.h"
#include "controls/screen_base.h"
#include "editor/app/controls_clipboard.h"
#include "editor/operate_ctrl.h"

#include <QAbstractScrollArea>
#include <QPoint>
#include <QRect>

#include <memory>
#include <vector>

class CZQEditorDoc;
class QMenu;

namespace COM_GUI_EX {
class CGUIEXDC;
}

class CZQEditorView : public QAbstractScrollArea {
    Q_OBJECT
public:
    // Pixels kept free around the screen for the selection handles.
    static constexpr int SELECTION_MARGIN = CControlBase::SELECTED_RECT_LEN + 2;
    // A drag counts once the mouse moved more than this many pixels in either direction.
    static constexpr int DRAG_THRESHOLD = 2;
    // Arrow-key moves that share one undo step.
    static constexpr int KEY_MOVES_PER_STEP = 20;
    // Background of the design surface outside the screen.
    static constexpr DWORD DESIGN_COLOR = 0x808080;
    static constexpr DWORD FRAME_COLOR = 0x000000;

    explicit CZQEditorView(CZQEditorDoc* document, QWidget* parent = nullptr);
    ~CZQEditorView() override;

    CZQEditorDoc* GetDocument() const { return m_document; }
    // The screen shown (not owned); the undo history starts empty for it. Sets the window title.
    void SetScreen(CScreenBase* screen);
    CScreenBase* GetScreen() const { return m_screen; }
    COperateCtrl* GetOperateCtrl() { return &m_operate; }
    // The window's title: the screen's name.
    QString GetScreenTitle() const;

    // The screen's rectangle in design pixels (content coordinates) at the current zoom.
    QRect GetScreenRect() const;
    // Recomputes the screen rectangle and the scroll range after a zoom change, and repaints.
    void UpdateGeometryFromZoom();

    // The view became the active one: the project's active screen follows; tells the main frame.
    void OnActivateView();
    // The whole design surface as drawn now (content coordinates).
    QImage RenderImage();
    // Design point of a viewport point (adds the scroll offset).
    QPoint ToContent(const QPoint& viewportPoint) const;
    QPoint ToViewport(const QPoint& contentPoint) const;

    // ---- commands and their enable rules ----
    // Types 1-4 outside order mode.
    bool CanInsert(int type) const;
    void InsertControl(int type);
    int GetSelectedCount() const;
    bool CanCutCopyDelete() const { return GetSelectedCount() > 0; }
    static bool CanPaste() { return CControlsClipboard::HasData(); }
    void Cut();
    void Copy();
    void Paste();
    void DeleteSelection();
    bool CanUndo() const { return m_operate.CanUndo() != 0; }
    bool CanRedo() const { return m_operate.CanRedo() != 0; }
    void Undo();
    void Redo();
    // Alignments (2200-2204, 32827) with 2 or more selected; spreading (2205, 2206) with 3 or more.
    bool CanAlign(unsigned command) const;
    void Align(unsigned command);
    // 1000 with exactly one control selected; it has no effect.
    bool CanMultipleCopy() const { return GetSelectedCount() == 1; }
    bool IsOrderMode() const { return m_orderMode; }
    // Toggles the register input order mode; refused (message 3006) on a screen without registers.
    void ToggleOrderMode();
    // The attribute bar's choices: the screen itself (nothing selected) or the control at a
    // draw-order position.
    void SelectScreenItself();
    // Selects every control of the screen; nothing happens in order mode.
    void SelectAll();
    void SelectControlByLayoutIndex(int index);
    // Repaint after a change made elsewhere (attributes, background colour).
    void RefreshScreen() { viewport()->update(); }

    // The menu shown on a right click (the main frame's cut, copy, paste and delete); not owned.
    void SetContextMenu(QMenu* menu) { m_contextMenu = menu; }

signals:
    // The active screen changed (this view was activated).
    void activeScreenChanged(CZQEditorView* view);
    // The selection or the screen's content changed.
    void selectionChanged(CZQEditorView* view);
    // Ctrl + wheel: a zoom step of `delta` (120 per notch) is asked for.
    void zoomWheelRequested(int delta);
    // Text for the first pane of the status bar.
    void statusTextChanged(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void DrawSurface();
    void UpdateScrollBars();
    void ContentChanged();
    // The next arrow-key move starts a new undo step: after mouse buttons and after every other
    // recorded edit, undo and redo (so a move never lands inside another edit's step).
    void EndKeyRun();
    void ReportSelection();
    void ClearDrag();

    CZQEditorDoc* m_document;
    CScreenBase* m_screen = nullptr;
    std::unique_ptr<COM_GUI_EX::CGUIEXDC> m_surface;
    COperateCtrl m_operate;
    QMenu* m_contextMenu = nullptr;

    // Drag state.
    bool m_buttonDown = false;
    QPoint m_dragStart;
    bool m_dragShift = false;
    bool m_dragCtrl = false;
    int m_hit = 0;
    bool m_moved = false;
    QRect m_band;
    CScreenBase::RectList m_dragRects; // the selected controls' rectangles being dragged
    std::vector<QRect> m_startRects;   // their rectangles when the drag began
    QRect m_startBound;

    int m_keyMoves = 0;
    bool m_orderMode = false;
    int m_orderCounter = 0;
    CPasteCounter m_pasteCounter;
};
