// Wiring of the bars into the main frame.
#include "editor/app/editor_bars.h"

#include "controls/control_base.h"
#include "editor/app/dialogs/dlg_attributes_set.h"
#include "editor/app/dialogs/dlg_backcolor.h"
#include "editor/app/dialogs/dlg_screens_list.h"
#include "editor/app/dialogs/dlg_zoom.h"
#include "editor/app/editor_doc.h"
#include "editor/app/editor_view.h"
#include "editor/app/main_frame.h"
#include "editor/operate_ctrl.h"
#include "editor/project.h"

#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>

namespace {

CProject* ProjectOf(CMainFrame* frame)
{
    return frame->GetDocument() ? frame->GetDocument()->GetProject() : nullptr;
}

// The "设置" button of the screen panel: the document's device selection for the open project; the
// controls then follow the new PLC's register and coil kinds.
void ChangeDevice(CMainFrame* frame, CDlgAttributesSet* pane)
{
    CProject* project = ProjectOf(frame);
    if (!project || !frame->GetDocument()->SelectDevice(*project, frame))
        return;
    project->AdjustControls();
    frame->GetDocument()->SetModified(true);
    for (CZQEditorView* view : frame->GetViews())
        view->UpdateGeometryFromZoom();
    CZQEditorView* view = frame->GetActiveView();
    pane->Refresh(view ? view->GetScreen() : nullptr);
}

void PlugAttributePane(CMainFrame* frame)
{
    auto* pane = new CDlgAttributesSet;
    auto* scroll = new QScrollArea;
    scroll->setWidget(pane);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setFrameShape(QFrame::NoFrame);
    // The dock is as wide as the pane and its scroll bar (a scroll area hints no width of its own).
    scroll->setMinimumWidth(pane->minimumWidth() + scroll->verticalScrollBar()->sizeHint().width());
    frame->SetAttributeBar(scroll);

    QObject::connect(frame, &CMainFrame::activeScreenChanged, pane,
                     [pane](CZQEditorView* view) { pane->Refresh(view ? view->GetScreen() : nullptr); });
    QObject::connect(frame, &CMainFrame::selectionChanged, pane, [pane](CZQEditorView* view) {
        if (view && view->GetScreen() == pane->GetScreen())
            pane->Synchronize();
    });
    QObject::connect(frame, &CMainFrame::documentClosed, pane, &CDlgAttributesSet::Clear);
    QObject::connect(pane, &CDlgAttributesSet::ScreenChosen, frame, &CMainFrame::OnAttributeScreenChosen);
    QObject::connect(pane, &CDlgAttributesSet::ControlChosen, frame, &CMainFrame::OnAttributeControlChosen);
    QObject::connect(pane, &CDlgAttributesSet::AttributeChanged, frame, &CMainFrame::OnAttributeChanged);
    QObject::connect(pane, &CDlgAttributesSet::ScreenNameChanged, frame, &CMainFrame::OnScreenNameChanged);
    QObject::connect(pane, &CDlgAttributesSet::UndoStepRequested, frame, [frame](CControlBase* before) {
        if (CZQEditorView* view = frame->GetActiveView()) {
            view->GetOperateCtrl()->RecordModifyControl(before);
            frame->UpdateCommandStates();
        }
    });
    QObject::connect(pane, &CDlgAttributesSet::StatusTextChanged, frame, [frame](const QString& text) {
        if (QLabel* status = frame->GetStatusPane(0))
            status->setText(text);
    });
    QObject::connect(pane, &CDlgAttributesSet::DeviceSettingRequested, frame,
                     [frame, pane] { ChangeDevice(frame, pane); });
}

void PlugTopBars(CMainFrame* frame)
{
    // The screen and zoom bars serve an open project only: without one they are empty and off.
    auto* screens = new CDlgScreensList;
    frame->SetScreensListBar(screens);
    auto refreshScreens = [frame, screens] {
        screens->Refresh(ProjectOf(frame));
        screens->setEnabled(ProjectOf(frame) != nullptr);
    };
    refreshScreens();
    QObject::connect(frame, &CMainFrame::activeScreenChanged, screens, refreshScreens);
    QObject::connect(frame, &CMainFrame::documentClosed, screens, [screens] {
        screens->Refresh(nullptr);
        screens->setEnabled(false);
    });
    QObject::connect(screens, &CDlgScreensList::ScreenChosen, frame, &CMainFrame::OnScreenChosen);

    auto* zoom = new CDlgZoom;
    frame->SetZoomBar(zoom);
    zoom->setEnabled(ProjectOf(frame) != nullptr);
    QObject::connect(frame, &CMainFrame::activeScreenChanged, zoom, [frame, zoom] {
        zoom->setEnabled(ProjectOf(frame) != nullptr);
        if (CProject* project = ProjectOf(frame))
            zoom->ShowZoomRate(project->GetScreenZoomRate());
    });
    QObject::connect(frame, &CMainFrame::documentClosed, zoom, [zoom] { zoom->setEnabled(false); });
    QObject::connect(frame, &CMainFrame::zoomStepRequested, zoom, &CDlgZoom::OnWheelStep);
    QObject::connect(zoom, &CDlgZoom::ZoomChosen, frame, &CMainFrame::OnZoomChosen);

    auto* colour = new CDlgBackcolor;
    frame->SetBackColorBar(colour);
    QObject::connect(colour, &CDlgBackcolor::BackColorChanged, frame, &CMainFrame::OnBackColorChanged);

    // A renamed screen shows its new name in the screen selection bar too.
    if (auto* pane = frame->findChild<CDlgAttributesSet*>())
        QObject::connect(pane, &CDlgAttributesSet::ScreenNameChanged, screens, refreshScreens);
}

} // namespace

void PlugEditorBars(CMainFrame* frame)
{
    if (!frame)
        return;
    PlugAttributePane(frame);
    PlugTopBars(frame);
}
