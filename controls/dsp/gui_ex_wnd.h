// The owner-drawn child window of the design views: every paint draws a whole picture off screen
// and copies it to the window in one step.
#pragma once

#include "controls/dsp/dsp_api.h"

#include "comkit/gui_ex_dc.h"

#include <QWidget>

namespace COM_GUI_EX {

class DSP_API CGUIEXWnd : public QWidget {
    Q_OBJECT
public:
    explicit CGUIEXWnd(QWidget* parent = nullptr);

    // Makes this a visible child of parent at rect (parent coordinates) with child ID id.
    // Returns false (nothing changed) without a parent.
    bool Create(const QRect& rect, QWidget* parent, UINT id);
    UINT GetDlgCtrlID() const { return m_uID; }

protected:
    // Called on every paint with a surface of the client size cleared to white; draws nothing
    // here.
    virtual void DrawWnd(CGUIEXDC* dc, const QRect& client);

    void paintEvent(QPaintEvent* event) override;

private:
    UINT m_uID = 0;
};

} // namespace COM_GUI_EX
