#include "editor/app/child_frame.h"

#include "editor/app/editor_doc.h"
#include "editor/app/editor_view.h"
#include "editor/project.h"

#include <QCloseEvent>

CChildFrame::CChildFrame(CZQEditorView* view, QWidget* parent) : QMdiSubWindow(parent), m_view(view)
{
    setWidget(view);
    setAttribute(Qt::WA_DeleteOnClose, false);
    resize(DEFAULT_WIDTH, DEFAULT_HEIGHT);
    setWindowTitle(view->GetScreenTitle());
    connect(view, &QWidget::windowTitleChanged, this, &QWidget::setWindowTitle);
}

void CChildFrame::closeEvent(QCloseEvent* event)
{
    CZQEditorDoc* doc = m_view->GetDocument();
    CProject* project = doc ? doc->GetProject() : nullptr;
    event->ignore(); // the frame lives as long as its screen; the main frame destroys it
    if (project && project->GetScreenCount() >= 2) {
        hide();
        doc->MoveViewToHead(m_view);
        emit hiddenInsteadOfClosed(this);
    } else {
        emit projectCloseRequested();
    }
}
