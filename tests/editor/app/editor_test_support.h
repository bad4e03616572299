// Shared helpers of the editor's widget tests: answering every prompt, opening the demo, and
// mouse and key events at controls of a real design view.
#pragma once

#include "editor/app/look/user_prompts.h"

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class CAttributeBase;
class CControlBase;
class CDlgAttributesSet;
class CDspAttribute;
class CMainFrame;
class CZQEditorView;
class QWidget;

// Answers every message box and file dialog while it lives, recording what was asked.
class PromptAnswers {
public:
    PromptAnswers();
    ~PromptAnswers();
    // Queued answers, used in order; without one a message box gets Ok (or Yes) and a file
    // dialog is cancelled.
    QList<QMessageBox::StandardButton> answers;
    QStringList files;
    // What was asked.
    QStringList messages;
    QStringList proposedFiles;
};

// A shown main frame with every prompt answered, for a test class to derive from (beside QObject).
class FrameFixture {
protected:
    // Shows `frame` (without one, a frame with no dialogs and no bars) and waits until it is on
    // screen; false when it does not show.
    bool StartFrame(std::unique_ptr<CMainFrame> frame = nullptr);
    // Discards the open project's changes and closes the frame; false when a planned answer or
    // file name was not asked for.
    bool EndFrame();
    bool Enabled(unsigned command) const;
    void Trigger(unsigned command) const;

    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<PromptAnswers> m_prompts;
};

// Isolated settings (recent files) for the whole test run: call before the QApplication exists.
void UseTemporarySettings();

// Opens the demo project (3 screens) in the frame; false when it does not open.
bool OpenDemo(CMainFrame& frame);

// Viewport point at the centre of a control (or at an offset from its top-left corner).
QPoint CenterOf(CZQEditorView* view, CControlBase* control);
QPoint ViewportPointOfDesign(CZQEditorView* view, const QPoint& design);
// A viewport point over the screen where no control lies.
QPoint EmptyPoint(CZQEditorView* view);

void Click(CZQEditorView* view, const QPoint& at, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Press at `from`, move in a few steps to `to`, release there.
void Drag(CZQEditorView* view, const QPoint& from, const QPoint& to, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// A wheel notch (delta 120 per notch) over the view's viewport.
void Wheel(CZQEditorView* view, int delta, Qt::KeyboardModifiers modifiers);

std::vector<CControlBase*> Layout(CZQEditorView* view);
// The attribute pane's row that shows attribute; null when none does.
CDspAttribute* RowOf(CDlgAttributesSet* pane, const CAttributeBase* attribute);
std::vector<CControlBase*> Selected(CZQEditorView* view);
