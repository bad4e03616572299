#include "editor_test_support.h"

#include "editor/app/editor_doc.h"
#include "editor/app/editor_view.h"
#include "editor/app/main_frame.h"

#include "controls/control_base.h"
#include "controls/dsp/dsp_attr_list.h"
#include "controls/dsp/dsp_attribute.h"
#include "controls/dsp/dsp_control.h"
#include "controls/screen_base.h"
#include "editor/app/dialogs/dlg_attributes_set.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <cmath>

PromptAnswers::PromptAnswers()
{
    CUserPrompts::SetMessageHook([this](const QString& text, QMessageBox::StandardButtons buttons) {
        messages << text;
        if (!answers.isEmpty())
            return answers.takeFirst();
        return buttons.testFlag(QMessageBox::Ok) ? QMessageBox::Ok : QMessageBox::Yes;
    });
    CUserPrompts::SetFileHook([this](CUserPrompts::FileDialogKind, const QString& proposed) {
        proposedFiles << proposed;
        return files.isEmpty() ? QString() : files.takeFirst();
    });
}

PromptAnswers::~PromptAnswers()
{
    CUserPrompts::SetMessageHook(nullptr);
    CUserPrompts::SetFileHook(nullptr);
}

bool FrameFixture::StartFrame(std::unique_ptr<CMainFrame> frame)
{
    m_prompts = std::make_unique<PromptAnswers>();
    m_frame = frame ? std::move(frame) : std::make_unique<CMainFrame>();
    m_frame->show();
    return QTest::qWaitForWindowExposed(m_frame.get());
}

bool FrameFixture::EndFrame()
{
    if (m_frame && m_frame->GetDocument())
        m_frame->GetDocument()->SetModified(false);
    m_frame.reset();
    const bool allAsked = m_prompts->answers.isEmpty() && m_prompts->files.isEmpty();
    m_prompts.reset();
    return allAsked;
}

bool FrameFixture::Enabled(unsigned command) const
{
    return m_frame->GetAction(command)->isEnabled();
}

void FrameFixture::Trigger(unsigned command) const
{
    m_frame->GetAction(command)->trigger();
}

void UseTemporarySettings()
{
    static QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
}

bool OpenDemo(CMainFrame& frame)
{
    return frame.OpenDocument(QStringLiteral(ZQ_DEMO_PROJECT));
}

QPoint ViewportPointOfDesign(CZQEditorView* view, const QPoint& design)
{
    return view->ToViewport(design);
}

QPoint CenterOf(CZQEditorView* view, CControlBase* control)
{
    QRect rect;
    control->GetControlRect(rect);
    const double z = view->GetScreen()->GetScreenZoomRate();
    const QPoint design(int(std::lround(z * (rect.x() + rect.width() / 2.0))),
                        int(std::lround(z * (rect.y() + rect.height() / 2.0))));
    return view->ToViewport(design);
}

QPoint EmptyPoint(CZQEditorView* view)
{
    const QRect screen = view->GetScreenRect();
    const double z = view->GetScreen()->GetScreenZoomRate();
    for (int y = screen.y() + screen.height() - 3; y > screen.y(); y -= 3)
        for (int x = screen.x() + screen.width() - 3; x > screen.x(); x -= 3) {
            const QPoint at(int(std::lround((x - 1) / z)) + 1, int(std::lround((y - 1) / z)) + 1);
            bool free = true;
            for (CControlBase* control : view->GetScreen()->GetLayoutControls()) {
                QRect rect;
                control->GetControlFrameRect(rect);
                free = free && !rect.contains(at);
            }
            if (free)
                return view->ToViewport(QPoint(x, y));
        }
    return QPoint(-1, -1);
}

void Click(CZQEditorView* view, const QPoint& at, Qt::KeyboardModifiers modifiers)
{
    QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, at);
}

void Drag(CZQEditorView* view, const QPoint& from, const QPoint& to, Qt::KeyboardModifiers modifiers)
{
    QWidget* port = view->viewport();
    QTest::mousePress(port, Qt::LeftButton, modifiers, from);
    const int steps = 4;
    for (int i = 1; i <= steps; ++i)
        QTest::mouseMove(port, from + (to - from) * i / steps);
    QTest::mouseRelease(port, Qt::LeftButton, modifiers, to);
}

void Wheel(CZQEditorView* view, int delta, Qt::KeyboardModifiers modifiers)
{
    const QPointF at(10, 10);
    QWheelEvent event(at, view->viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(view->viewport(), &event);
}

std::vector<CControlBase*> Layout(CZQEditorView* view)
{
    return view->GetScreen()->GetLayoutControls();
}

std::vector<CControlBase*> Selected(CZQEditorView* view)
{
    return view->GetScreen()->GetSelectedControls();
}

CDspAttribute* RowOf(CDlgAttributesSet* pane, const CAttributeBase* attribute)
{
    if (!pane->GetControlWindow())
        return nullptr;
    for (CDspAttrList* group : pane->GetControlWindow()->GetGroupWindows())
        for (CDspAttribute* row : group ? group->GetRows() : std::vector<CDspAttribute*>())
            if (row->GetAttribute() == attribute)
                return row;
    return nullptr;
}
