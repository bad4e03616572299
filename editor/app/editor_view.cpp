#include "editor/app/editor_view.h"

#include "editor/app/editor_commands.h"
#include "editor/app/editor_doc.h"
#include "editor/app/look/design_management.h"
#include "editor/app/look/user_prompts.h"
#include "editor/editor_strings.h"
#include "editor/project.h"

#include "comkit/gbk.h"
#include "comkit/gui_ex_dc.h"
#include "controls/control_base.h"
#include "controls/dsp/dsp_text.h"
#include "controls/global_draw.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

using COM_GUI_EX::CGUIEXDC;

namespace {

void ClearRects(CScreenBase::RectList& rects)
{
    while (QRect* rect = rects.RemoveHead())
        delete rect;
}

int Rounded(double value)
{
    return int(std::lround(value)); // zoom rates are positive
}

// The copy cursor: an arrow with a small plus sign.
QCursor CopyCursor()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    const QPoint arrow[] = {{0, 0}, {0, 16}, {4, 12}, {7, 19}, {9, 18}, {6, 11}, {11, 11}};
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawPolygon(arrow, 7);
    painter.fillRect(14, 16, 11, 11, Qt::white);
    painter.drawRect(14, 16, 10, 10);
    painter.drawLine(16, 21, 22, 21);
    painter.drawLine(19, 18, 19, 24);
    return QCursor(pixmap, 0, 0);
}

} // namespace

CZQEditorView::CZQEditorView(CZQEditorDoc* document, QWidget* parent)
    : QAbstractScrollArea(parent), m_document(document)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
    viewport()->setMouseTracking(false);
    if (m_document)
        m_document->AddView(this);
}

CZQEditorView::~CZQEditorView()
{
    ClearRects(m_dragRects);
    if (m_document)
        m_document->RemoveView(this);
}

void CZQEditorView::SetScreen(CScreenBase* screen)
{
    m_screen = screen;
    m_operate.SetScreen(screen);
    m_orderMode = false;
    m_orderCounter = 0;
    m_keyMoves = 0;
    ClearDrag();
    if (m_screen) { // the screen lies one unit in from the surface's corner
        m_screen->SetScreenX(1);
        m_screen->SetScreenY(1);
    }
    setWindowTitle(GetScreenTitle());
    UpdateGeometryFromZoom();
}

QString CZQEditorView::GetScreenTitle() const
{
    if (!m_screen)
        return QString();
    return QString::fromStdString(COMMON_EX::GbkToUtf8Lossy(m_screen->GetScreenName()));
}

QRect CZQEditorView::GetScreenRect() const
{
    if (!m_screen)
        return QRect();
    const int margin = Rounded(m_screen->GetScreenZoomRate());
    return QRect(margin, margin, m_screen->GetDrawScreenWidth(), m_screen->GetDrawScreenHeight());
}

void CZQEditorView::UpdateGeometryFromZoom()
{
    UpdateScrollBars();
    viewport()->update();
}

void CZQEditorView::UpdateScrollBars()
{
    const QRect screen = GetScreenRect();
    const QSize content(screen.x() + screen.width() + SELECTION_MARGIN,
                        screen.y() + screen.height() + SELECTION_MARGIN);
    const QSize page = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, content.width() - page.width()));
    horizontalScrollBar()->setPageStep(page.width());
    verticalScrollBar()->setRange(0, std::max(0, content.height() - page.height()));
    verticalScrollBar()->setPageStep(page.height());
}

QPoint CZQEditorView::ToContent(const QPoint& viewportPoint) const
{
    return viewportPoint + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

QPoint CZQEditorView::ToViewport(const QPoint& contentPoint) const
{
    return contentPoint - QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void CZQEditorView::OnActivateView()
{
    if (m_document && m_document->GetProject() && m_screen)
        m_document->GetProject()->SetActivateScreen(m_screen);
    if (m_document)
        m_document->MoveViewToTail(this);
    emit activeScreenChanged(this);
}

void CZQEditorView::DrawSurface()
{
    const QRect screen = GetScreenRect();
    const QSize content(screen.x() + screen.width() + SELECTION_MARGIN,
                        screen.y() + screen.height() + SELECTION_MARGIN);
    const QSize size(std::max(content.width(), ToContent(QPoint(viewport()->width(), 0)).x()),
                     std::max(content.height(), ToContent(QPoint(0, viewport()->height())).y()));
    if (!m_surface)
        m_surface = std::make_unique<CGUIEXDC>(nullptr, size.width(), size.height());
    else if (m_surface->GetSize() != size)
        m_surface->SetSize(nullptr, size);
    m_surface->Clear(DESIGN_COLOR);
    if (!m_screen)
        return;
    m_surface->FillRectangle(&screen, CGlobalDraw::GetInstance()->GetBackColor());
    m_screen->DrawControls(m_surface.get());
    const QRect frame = screen.adjusted(-1, -1, 1, 1);
    m_surface->DrawRectangle(&frame, FRAME_COLOR);
    if (m_buttonDown && m_moved) {
        if (m_hit && !m_dragShift) {
            for (auto* n = m_dragRects.GetHead(); n; n = n->pNext)
                CDesignManagement::DrawDraggedRect(m_surface.get(), *n->pItem);
        } else if (!m_hit && !m_dragCtrl) {
            CDesignManagement::DrawRubberBand(m_surface.get(), m_band);
        }
    }
}

QImage CZQEditorView::RenderImage()
{
    DrawSurface();
    return m_surface->GetDC()->copy();
}

void CZQEditorView::paintEvent(QPaintEvent*)
{
    DrawSurface();
    QPainter painter(viewport());
    const QPoint offset = ToViewport(QPoint(0, 0));
    painter.drawImage(offset, *m_surface->GetDC());
}

void CZQEditorView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CZQEditorView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void CZQEditorView::ClearDrag()
{
    m_buttonDown = false;
    m_moved = false;
    m_hit = 0;
    m_band = QRect();
    ClearRects(m_dragRects);
    m_startRects.clear();
}

void CZQEditorView::mousePressEvent(QMouseEvent* event)
{
    EndKeyRun();
    if (!m_screen)
        return;
    const QPoint point = ToContent(event->position().toPoint());
    if (event->button() == Qt::RightButton) {
        // A click outside the selection selects the control under it (as a left click does), so
        // the context menu offers cut, copy and delete for what was clicked.
        if (!m_screen->RightClicked(point)) {
            QRect invalid;
            m_screen->MouseDown(false, false, point, &invalid);
            m_screen->MouseUp(false, false, point, &invalid);
        }
        viewport()->update();
        ReportSelection();
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    if (m_orderMode) {
        if (m_screen->ClickControlChangOrder(point, m_orderCounter)) {
            ContentChanged();
            ReportSelection();
        }
        return;
    }
    ClearDrag();
    m_buttonDown = true;
    m_dragStart = point;
    m_dragShift = (event->modifiers() & Qt::ShiftModifier) != 0;
    m_dragCtrl = (event->modifiers() & Qt::ControlModifier) != 0;
    QRect invalid;
    m_hit = m_screen->MouseDown(m_dragCtrl, m_dragShift, point, &invalid);
    if (m_hit) {
        m_screen->GetSelectedCtlRectangles(m_dragRects, &m_startBound);
        for (auto* n = m_dragRects.GetHead(); n; n = n->pNext)
            m_startRects.push_back(*n->pItem);
    }
    viewport()->update();
}

void CZQEditorView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_buttonDown || !m_screen)
        return;
    const QPoint point = ToContent(event->position().toPoint());
    const QPoint delta = point - m_dragStart;
    if (std::abs(delta.x()) > DRAG_THRESHOLD || std::abs(delta.y()) > DRAG_THRESHOLD)
        m_moved = true;
    if (m_hit && !m_dragShift && !m_startRects.empty()) {
        // Keep the union of the dragged rectangles inside the screen.
        const QRect screen = GetScreenRect();
        int dx = delta.x(), dy = delta.y();
        dx = std::clamp(dx, screen.x() - m_startBound.x(),
                        std::max(screen.x() - m_startBound.x(),
                                 screen.x() + screen.width() - m_startBound.x() - m_startBound.width()));
        dy = std::clamp(dy, screen.y() - m_startBound.y(),
                        std::max(screen.y() - m_startBound.y(),
                                 screen.y() + screen.height() - m_startBound.y() - m_startBound.height()));
        size_t i = 0;
        for (auto* n = m_dragRects.GetHead(); n && i < m_startRects.size(); n = n->pNext, ++i)
            *n->pItem = m_startRects[i].translated(dx, dy);
        viewport()->setCursor(m_moved && m_dragCtrl ? CopyCursor() : QCursor(Qt::ArrowCursor));
    } else if (!m_hit && !m_dragCtrl) {
        const QRect client(ToContent(QPoint(0, 0)), viewport()->size());
        const QPoint end(std::clamp(point.x(), client.x(), client.x() + client.width() - 1),
                         std::clamp(point.y(), client.y(), client.y() + client.height() - 1));
        m_band = QRect(m_dragStart, end).normalized();
    }
    viewport()->update();
}

void CZQEditorView::mouseReleaseEvent(QMouseEvent* event)
{
    EndKeyRun();
    if (!m_screen)
        return;
    const QPoint point = ToContent(event->position().toPoint());
    if (event->button() == Qt::RightButton) {
        if (m_contextMenu)
            m_contextMenu->exec(viewport()->mapToGlobal(event->position().toPoint()));
        return;
    }
    if (event->button() != Qt::LeftButton || !m_buttonDown)
        return;
    bool changed = false;
    QRect invalid;
    if (!m_moved) {
        m_screen->MouseUp(m_dragCtrl, m_dragShift, point, &invalid);
    } else if (m_hit && m_dragCtrl && !m_dragShift) {
        m_operate.RecordEdit(COperateCtrl::EDIT_COPY_DRAG,
                             [this] { m_screen->CopySelectedCtlToMovedRectanglesChange(m_dragRects); });
        changed = true;
    } else if (m_hit && !m_dragShift) {
        m_operate.RecordEdit(COperateCtrl::EDIT_MOVE, [this] { m_screen->SelectedCtlRectanglesChange(m_dragRects); });
        changed = true;
    } else if (!m_hit && !m_dragCtrl && !m_band.isEmpty()) {
        m_screen->SelectedCtlWithRectanglesChange(m_dragShift, &m_band);
    }
    ClearDrag();
    viewport()->unsetCursor();
    if (changed)
        ContentChanged();
    else
        viewport()->update();
    ReportSelection();
}

void CZQEditorView::wheelEvent(QWheelEvent* event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        emit zoomWheelRequested(event->angleDelta().y());
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

void CZQEditorView::keyPressEvent(QKeyEvent* event)
{
    QSize step;
    switch (event->key()) {
    case Qt::Key_Left: step = QSize(-1, 0); break;
    case Qt::Key_Right: step = QSize(1, 0); break;
    case Qt::Key_Up: step = QSize(0, -1); break;
    case Qt::Key_Down: step = QSize(0, 1); break;
    default: QAbstractScrollArea::keyPressEvent(event); return;
    }
    if (event->modifiers() & Qt::ControlModifier) { // Ctrl+Left/Right belong to the screen commands
        event->ignore();
        return;
    }
    event->accept();
    if (!m_screen || m_orderMode || GetSelectedCount() == 0)
        return;
    // A run of key moves shares one step: only its first move records.
    const auto move = [this, step] { m_screen->MoveSelectedControls(step); };
    if (m_keyMoves % KEY_MOVES_PER_STEP == 0)
        m_operate.RecordEdit(COperateCtrl::EDIT_MOVE, move);
    else
        move();
    ++m_keyMoves;
    ContentChanged();
    ReportSelection();
}

void CZQEditorView::EndKeyRun()
{
    m_keyMoves = 0;
}

void CZQEditorView::ContentChanged()
{
    if (m_document)
        m_document->SetModified(true);
    viewport()->update();
}

void CZQEditorView::ReportSelection()
{
    if (!m_screen)
        return;
    std::string status;
    if (CControlBase* control = m_screen->GetCurrentSelectControl())
        control->GetSelectedStatusString(status);
    emit statusTextChanged(DspText::ShownStatus(status));
    emit selectionChanged(this);
}

// ---------------- commands ----------------

int CZQEditorView::GetSelectedCount() const
{
    return m_screen ? m_screen->GetCurrentSelectControlsCount() : 0;
}

bool CZQEditorView::CanInsert(int type) const
{
    return m_screen && !m_orderMode && type >= CControlBase::CONTROL_STATIC_TEXT &&
           type <= CControlBase::CONTROL_FUNCTION;
}

void CZQEditorView::InsertControl(int type)
{
    if (!CanInsert(type))
        return;
    EndKeyRun();
    m_screen->SetControlsAllNotSelected(nullptr);
    // The new control is the selection the step records.
    if (!m_operate.RecordEdit(COperateCtrl::EDIT_INSERT, [this, type] {
            if (m_screen->AddControl(unsigned(type)))
                m_screen->PlaceSelectionWhereFree();
        }))
        return;
    ContentChanged();
    ReportSelection();
}

void CZQEditorView::Copy()
{
    if (!CanCutCopyDelete())
        return;
    const DWORD size = m_screen->CopySelectedControlsCode(nullptr, 0, 0);
    QByteArray record(int(size), '\0');
    const DWORD written = m_screen->CopySelectedControlsCode(reinterpret_cast<BYTE*>(record.data()), size, 0);
    record.truncate(int(written));
    CControlsClipboard::Put(record);
}

void CZQEditorView::Cut()
{
    if (!CanCutCopyDelete())
        return;
    EndKeyRun();
    const DWORD size = m_screen->CopySelectedControlsCode(nullptr, 0, 0);
    QByteArray record(int(size), '\0');
    DWORD written = 0;
    m_operate.RecordEdit(COperateCtrl::EDIT_CUT, [&] {
        written = m_screen->CopySelectedControlsCode(reinterpret_cast<BYTE*>(record.data()), size, 1);
    });
    record.truncate(int(written));
    CControlsClipboard::Put(record);
    ContentChanged();
    ReportSelection();
}

void CZQEditorView::Paste()
{
    QByteArray record = CControlsClipboard::Get();
    if (!m_screen || record.isEmpty())
        return;
    EndKeyRun();
    DWORD& count = m_pasteCounter.CountFor(record);
    // Nothing pasted leaves nothing selected (the paste deselects first), so no step is taken.
    m_operate.RecordEdit(COperateCtrl::EDIT_PASTE, [&] {
        if (m_screen->PasteControlsFromData(reinterpret_cast<BYTE*>(record.data()) + 8, DWORD(record.size() - 8),
                                            count))
            m_screen->PlaceSelectionWhereFree();
    });
    m_pasteCounter.Advance();
    ContentChanged();
    ReportSelection();
}

void CZQEditorView::DeleteSelection()
{
    if (!CanCutCopyDelete())
        return;
    EndKeyRun();
    m_operate.RecordEdit(COperateCtrl::EDIT_DELETE, [this] { m_screen->DeleteSelectedControls(); });
    ContentChanged();
    ReportSelection();
}

void CZQEditorView::Undo()
{
    EndKeyRun();
    if (m_operate.Undo()) {
        ContentChanged();
        ReportSelection();
    }
}

void CZQEditorView::Redo()
{
    EndKeyRun();
    if (m_operate.Redo()) {
        ContentChanged();
        ReportSelection();
    }
}

bool CZQEditorView::CanAlign(unsigned command) const
{
    const int needed = CEditorCommands::AlignMinimumSelection(command);
    return needed > 0 && GetSelectedCount() >= needed;
}

void CZQEditorView::Align(unsigned command)
{
    if (!CanAlign(command))
        return;
    EndKeyRun();
    m_operate.RecordEdit(COperateCtrl::EDIT_ALIGN, [this, command] {
        switch (command) {
        case ID_ALIGN_LEFT: m_screen->SetSelectedControlAlignLeft(); break;
        case ID_ALIGN_RIGHT: m_screen->SetSelectedControlAlignRight(); break;
        case ID_ALIGN_TOP: m_screen->SetSelectedControlAlignTop(); break;
        case ID_ALIGN_BOTTOM: m_screen->SetSelectedControlAlignBottom(); break;
        case ID_ALIGN_VERTICAL_CENTER: m_screen->SetSelectedControlVerticalCenter(); break;
        case ID_ALIGN_HORIZONTAL_CENTER: m_screen->SetSelectedControlHorizontalCenter(); break;
        case ID_SPREAD_VERTICAL: m_screen->SetSelectedControlVerticalDSame(); break;
        case ID_SPREAD_HORIZONTAL: m_screen->SetSelectedControlHorizontalDSame(); break;
        default: break;
        }
    });
    ContentChanged();
    ReportSelection();
}

void CZQEditorView::ToggleOrderMode()
{
    if (!m_screen)
        return;
    m_orderMode = !m_orderMode;
    m_orderCounter = 0;
    m_screen->SetControlsAllNotSelected(nullptr);
    const int registers = m_screen->SetRegisterOrderNow(m_orderMode ? 1 : 0);
    viewport()->update();
    ReportSelection();
    if (m_orderMode && registers == 0) {
        m_orderMode = false;
        m_screen->SetRegisterOrderNow(0);
        CUserPrompts::Message(this, QCoreApplication::translate("EditorStrings",
                                                                CEditorStrings::Get(CEditorStrings::IDS_NO_REGISTER)));
    }
}

void CZQEditorView::SelectScreenItself()
{
    if (!m_screen)
        return;
    m_screen->SetControlsAllNotSelected(nullptr);
    viewport()->update();
    ReportSelection();
}

void CZQEditorView::SelectAll()
{
    if (!m_screen || m_orderMode)
        return;
    EndKeyRun();
    const QRect everything(-(1 << 20), -(1 << 20), 1 << 21, 1 << 21);
    m_screen->SelectedCtlWithRectanglesChange(0, &everything);
    viewport()->update();
    ReportSelection();
}

void CZQEditorView::SelectControlByLayoutIndex(int index)
{
    if (!m_screen)
        return;
    m_screen->SelectControlByLayoutIndex(index, nullptr);
    viewport()->update();
    ReportSelection();
}
