// The attribute pane.
#include "editor/app/dialogs/dlg_attributes_set.h"

#include "controls/control_base.h"
#include "controls/control_creator.h"
#include "controls/dsp/dsp_control.h"
#include "controls/dsp/dsp_screen.h"
#include "controls/dsp/dsp_text.h"
#include "controls/screen_base.h"
#include "editor/app/look/design_management.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QResizeEvent>
#include <QSignalBlocker>

const char* const CDlgAttributesSet::SCREEN_ROW_FORMAT = "%s (%s)";
const char* const CDlgAttributesSet::CONTROL_ROW_FORMAT = " %s (%s)";
const char* const CDlgAttributesSet::CURRENT_SCREEN = QT_TRANSLATE_NOOP("EditorDialogs", "当前画面");

namespace {
// format with its two "%s" replaced by name and kind (which may hold any text).
QString Row(const char* format, const QString& name, const QString& kind)
{
    const QStringList parts = QString::fromUtf8(format).split(QStringLiteral("%s"));
    return parts.value(0) + name + parts.value(1) + kind + parts.value(2);
}
} // namespace

CDlgAttributesSet::CDlgAttributesSet(QWidget* parent) : QWidget(parent), m_pCombo(new QComboBox(this))
{
    QFont font = CDesignManagement::GetInstance()->GetWindowFont();
    font.setPointSize(11);
    setFont(font);
    m_pCombo->setObjectName(QString::number(ID_SELECTION));
    m_pCombo->setGeometry(0, 0, BAR_WIDTH, 24);
    m_pCombo->setEnabled(false);
    setMinimumWidth(BAR_WIDTH);
    setFocusPolicy(Qt::ClickFocus);
    connect(m_pCombo, &QComboBox::activated, this, &CDlgAttributesSet::OnSelectionChosen);
    FitHeight();
}

CDlgAttributesSet::~CDlgAttributesSet() = default;

QString CDlgAttributesSet::ScreenRowText() const
{
    return Row(SCREEN_ROW_FORMAT, DspText::FromGbk(m_pScreen->GetScreenName()),
               QCoreApplication::translate("EditorDialogs", CURRENT_SCREEN));
}

void CDlgAttributesSet::Refresh(CScreenBase* screen)
{
    m_pScreen = screen;
    m_pCombo->setEnabled(screen != nullptr);
    Synchronize();
}

void CDlgAttributesSet::FillRows()
{
    QStringList rows;
    if (m_pScreen) {
        rows << ScreenRowText();
        for (CControlBase* control : m_pScreen->GetLayoutControls()) {
            std::string kind;
            CControlCreator::GetControlBaseName(control->GetControlType(), kind);
            rows << Row(CONTROL_ROW_FORMAT, DspText::FromGbk(control->GetControlName()), DspText::Shown(kind));
        }
    }
    bool same = rows.size() == m_pCombo->count();
    for (int i = 0; same && i < rows.size(); ++i)
        same = m_pCombo->itemText(i) == rows.at(i);
    if (same)
        return;
    const QSignalBlocker blocker(m_pCombo);
    m_pCombo->clear();
    m_pCombo->addItems(rows);
}

void CDlgAttributesSet::Synchronize()
{
    FillRows();
    if (!m_pScreen) {
        m_copy.reset();
        for (CDspWnd* window : {static_cast<CDspWnd*>(m_pControlWindow), static_cast<CDspWnd*>(m_pScreenWindow)})
            if (window)
                window->hide();
        if (m_pControlWindow)
            m_pControlWindow->ChangeDisplayControl(nullptr);
        if (m_pScreenWindow)
            m_pScreenWindow->ChangeDisplayScreen(nullptr);
        emit StatusTextChanged(QString());
        FitHeight();
        return;
    }
    CControlBase* selected = m_pScreen->GetCurrentSelectControl();
    {
        const QSignalBlocker blocker(m_pCombo);
        const int index = m_pScreen->GetSelectedControlIndex();
        m_pCombo->setCurrentIndex(selected && index >= 0 ? index + 1 : 0);
    }
    if (selected) {
        if (m_pScreenWindow)
            m_pScreenWindow->hide();
        m_copy = CopyOf(selected);
        ControlWindow()->ChangeDisplayControl(selected);
        m_pControlWindow->show();
    } else {
        m_copy.reset();
        if (m_pControlWindow) {
            m_pControlWindow->ChangeDisplayControl(nullptr);
            m_pControlWindow->hide();
        }
        ScreenWindow()->ChangeDisplayScreen(m_pScreen);
        m_pScreenWindow->show();
    }
    emit StatusTextChanged(StatusText());
    FitHeight();
}

void CDlgAttributesSet::Clear()
{
    m_pScreen = nullptr;
    m_copy.reset();
    const QSignalBlocker blocker(m_pCombo);
    m_pCombo->clear();
    m_pCombo->setEnabled(false);
    delete m_pControlWindow;
    m_pControlWindow = nullptr;
    delete m_pScreenWindow;
    m_pScreenWindow = nullptr;
    FitHeight();
}

CDspControl* CDlgAttributesSet::ControlWindow()
{
    if (!m_pControlWindow) {
        QRect place(0, DESIGN_WINDOW_TOP, width(), 0);
        m_pControlWindow = new CDspControl(nullptr, &place, ID_CONTROL_WINDOW, this);
        connect(m_pControlWindow, &CDspWnd::AttributeChanged, this, &CDlgAttributesSet::OnAttributeChanged);
        connect(m_pControlWindow, &CDspWnd::AttributeModifyUndo, this, &CDlgAttributesSet::OnAttributeModifyUndo);
        connect(m_pControlWindow, &CDspWnd::AttributeEditorFocused, this, &CDlgAttributesSet::AttributeEditorFocused);
    }
    return m_pControlWindow;
}

CDspScreen* CDlgAttributesSet::ScreenWindow()
{
    if (!m_pScreenWindow) {
        QRect place(0, DESIGN_WINDOW_TOP, width(), 0);
        m_pScreenWindow = new CDspScreen(nullptr, &place, ID_SCREEN_WINDOW, this);
        connect(m_pScreenWindow, &CDspWnd::AttributeChanged, this, &CDlgAttributesSet::OnAttributeChanged);
        connect(m_pScreenWindow, &CDspWnd::ScreenNameChanged, this, &CDlgAttributesSet::OnScreenNameChanged);
        connect(m_pScreenWindow, &CDspWnd::AttributeEditorFocused, this, &CDlgAttributesSet::AttributeEditorFocused);
        connect(m_pScreenWindow, &CDspWnd::DeviceSettingRequested, this, &CDlgAttributesSet::DeviceSettingRequested);
    }
    return m_pScreenWindow;
}

void CDlgAttributesSet::FitHeight()
{
    int bottom = DESIGN_WINDOW_TOP;
    for (QWidget* window : {static_cast<QWidget*>(m_pControlWindow), static_cast<QWidget*>(m_pScreenWindow)})
        if (window && !window->isHidden())
            bottom = std::max(bottom, window->y() + window->height());
    setMinimumHeight(bottom);
    resize(width(), std::max(height(), bottom));
}

void CDlgAttributesSet::OnSelectionChosen(int row)
{
    if (row == 0)
        emit ScreenChosen();
    else if (row > 0)
        emit ControlChosen(row - 1);
}

QString CDlgAttributesSet::StatusText() const
{
    CControlBase* selected = m_pScreen ? m_pScreen->GetCurrentSelectControl() : nullptr;
    if (!selected)
        return QString();
    std::string status;
    selected->GetSelectedStatusString(status);
    return DspText::ShownStatus(status); // in the user's language, as the view shows it
}

void CDlgAttributesSet::OnAttributeChanged()
{
    emit StatusTextChanged(StatusText());
    FitHeight();
    emit AttributeChanged();
}

void CDlgAttributesSet::OnScreenNameChanged()
{
    if (m_pScreen && m_pCombo->count() > 0) {
        const QSignalBlocker blocker(m_pCombo);
        m_pCombo->setItemText(0, ScreenRowText());
    }
    emit ScreenNameChanged();
}

void CDlgAttributesSet::OnAttributeModifyUndo()
{
    CControlBase* selected = m_pScreen ? m_pScreen->GetCurrentSelectControl() : nullptr;
    if (!selected)
        return;
    // The announcement comes before the change, so the control as it is now is the state the
    // undo step must bring back; the copy held since the previous step may be older.
    m_copy = CopyOf(selected);
    emit UndoStepRequested(m_copy.get());
}

std::unique_ptr<CControlBase> CDlgAttributesSet::CopyOf(CControlBase* control) const
{
    int cursor[4];
    m_pScreen->GetDefPosCursor(cursor[0], cursor[1], cursor[2], cursor[3]);
    std::unique_ptr<CControlBase> copy(control->Clone(m_pScreen, 0));
    m_pScreen->SetDefPosCursor(cursor[0], cursor[1], cursor[2], cursor[3]);
    if (copy && control->HasControlName())
        copy->SetControlName(control->GetControlName());
    return copy;
}

void CDlgAttributesSet::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (event->size().width() == event->oldSize().width())
        return;
    const int width = event->size().width();
    m_pCombo->resize(width, m_pCombo->height());
    if (m_pControlWindow) {
        m_pControlWindow->resize(width, m_pControlWindow->height());
        m_pControlWindow->ChangeDisplayControl(m_pControlWindow->GetDisplayControl());
    }
    if (m_pScreenWindow) {
        m_pScreenWindow->resize(width, m_pScreenWindow->height());
        m_pScreenWindow->ChangeDisplayScreen(m_pScreenWindow->GetDisplayScreen());
    }
    FitHeight();
}

void CDlgAttributesSet::focusInEvent(QFocusEvent* event)
{
    if (m_pControlWindow && m_pControlWindow->isVisible())
        m_pControlWindow->setFocus(event->reason());
    else if (m_pScreenWindow && m_pScreenWindow->isVisible())
        m_pScreenWindow->setFocus(event->reason());
}
