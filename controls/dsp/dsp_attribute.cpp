// One row of the attribute grid: editors, value edits, the keyboard filter and radix changes.
#include "controls/dsp/dsp_attribute.h"

#include "controls/attribute_base.h"
#include "controls/control_base.h"
#include "controls/dsp/dsp_combo_adapter.h"
#include "controls/dsp/dsp_control.h"
#include "controls/dsp/dsp_input_rules.h"
#include "controls/dsp/dsp_text.h"
#include "controls/model_text.h"
#include "devices/plc_base.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QTextEdit>
#include <QToolTip>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

using COM_GUI_EX::CGUIEXDC;

namespace {

const char* const ROW_FONT_NAME = "宋体"; // UTF-8 here, converted for the font lookup
constexpr int ROW_FONT_SIZE = 10;

QFont RowFont()
{
    QFont font;
    COM_GUI_EX::CGUI_EX_Global::CreateCFontWithNameSize(&font, DspText::ToGbk(QString::fromUtf8(ROW_FONT_NAME)).c_str(),
                                                        ROW_FONT_SIZE);
    return font;
}

bool IsEnterKey(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

bool IsNumberKind(const CAttributeBase* attribute)
{
    return attribute && (attribute->GetType() == CAttributeBase::ATTRIBUTE_INT ||
                         attribute->GetType() == CAttributeBase::ATTRIBUTE_DOUBLE);
}

bool UsesEditBox(const CAttributeBase* attribute)
{
    return IsNumberKind(attribute) || (attribute && attribute->GetType() == CAttributeBase::ATTRIBUTE_STRING);
}

bool UsesComboBox(const CAttributeBase* attribute)
{
    return attribute && (attribute->GetType() == CAttributeBase::ATTRIBUTE_BOOL ||
                         attribute->GetType() == CAttributeBase::ATTRIBUTE_ENUM);
}

int TextLimit(const CAttributeBase* attribute)
{
    switch (attribute->GetType()) {
    case CAttributeBase::ATTRIBUTE_INT: return CDspAttribute::INT_TEXT_LIMIT;
    case CAttributeBase::ATTRIBUTE_DOUBLE: return CDspAttribute::DOUBLE_TEXT_LIMIT;
    default: return CDspAttribute::STRING_TEXT_LIMIT;
    }
}

// The edit text as the row hands it to the attribute: blanks at both ends removed, GBK.
std::string TrimmedGbk(const QString& text)
{
    return DspText::ToGbk(text.trimmed());
}

} // namespace

CDspAttribute::CDspAttribute(CAttributeBase* attribute, const QRect& rect, UINT id, QWidget* parent)
    : CDspWnd(parent), m_pAttribute(attribute)
{
    m_nSplit = 1 + int(NAME_RATIO * rect.width());
    Create(rect, parent, id);
    CreateControl();
}

void CDspAttribute::ChangeAttribute(CAttributeBase* attribute)
{
    // The old attribute may be gone already: the marks are worked out for the new one.
    const bool other = attribute != m_pAttribute;
    m_pAttribute = attribute;
    if (other)
        ShowRefusal(false);
    CreateControl();
    update();
}

// ---- editors ----

void CDspAttribute::CreateControl()
{
    const QRect client = rect();
    const int l = client.x(), t = client.y(), r = client.x() + client.width(), b = client.y() + client.height();
    const int s = m_nSplit;
    if (!m_pAttribute) {
        for (QWidget* editor :
             {static_cast<QWidget*>(m_pName), static_cast<QWidget*>(m_pEdit), static_cast<QWidget*>(m_pCombo)})
            if (editor)
                editor->hide();
        return;
    }
    CreateNameCell();
    m_pName->setGeometry(QRect(QPoint(l + 1, t + 4), QPoint(s - 1, b - 1) - QPoint(1, 1)));
    const QString name = DspText::Shown(m_pAttribute->GetAttributeName());
    if (m_pName->toPlainText() != name)
        m_pName->setPlainText(name);
    m_pName->show();

    if (UsesEditBox(m_pAttribute)) {
        CreateEditBox();
        m_pEdit->setGeometry(QRect(QPoint(s + 2, t + 4), QPoint(r - 1, b - 1) - QPoint(1, 1)));
        // Setting the limit sets the text again, which would empty the box's own undo history.
        const int limit = std::max(TextLimit(m_pAttribute), int(ValueText().size()));
        if (m_pEdit->maxLength() != limit)
            m_pEdit->setMaxLength(limit);
        const bool readonly = m_pAttribute->GetReadonly() != 0;
        m_pEdit->setReadOnly(readonly);
        // A read-only value sits on the button face, like the row's value area behind it.
        QPalette palette = m_pEdit->palette();
        palette.setColor(QPalette::Base, readonly ? QApplication::palette().color(QPalette::Button)
                                                  : QApplication::palette().color(QPalette::Base));
        m_pEdit->setPalette(palette);
        ShowValueText();
        if (!m_bRefused)
            ShowRefusal(false);
        m_pEdit->show();
        if (m_pCombo)
            m_pCombo->hide();
    } else if (UsesComboBox(m_pAttribute)) {
        CreateComboBox();
        m_pCombo->setGeometry(s + 2, t + 1, r - 1 - (s + 2), m_pCombo->sizeHint().height());
        m_pCombo->setEnabled(m_pAttribute->GetReadonly() == 0);
        CDspComboAdapter adapter(m_pCombo);
        m_pAttribute->AddAllItemToComboBox(&adapter);
        adapter.Apply();
        m_pCombo->show();
        if (m_pEdit)
            m_pEdit->hide();
    } else {
        if (m_pEdit)
            m_pEdit->hide();
        if (m_pCombo)
            m_pCombo->hide();
    }
}

void CDspAttribute::CreateNameCell()
{
    if (m_pName)
        return;
    m_pName = new QTextEdit(this);
    m_pName->setObjectName(QStringLiteral("name"));
    m_pName->setReadOnly(true);
    m_pName->setFrameShape(QFrame::NoFrame);
    m_pName->setFocusPolicy(Qt::NoFocus);
    m_pName->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pName->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pName->setLineWrapMode(QTextEdit::NoWrap);
    m_pName->document()->setDocumentMargin(0);
    m_pName->setFont(RowFont());
    QPalette palette = m_pName->palette();
    palette.setColor(QPalette::Base, QColor(CGUIEXDC::ToRgb(NAME_BACK_COLOR)));
    m_pName->setPalette(palette);
}

void CDspAttribute::CreateEditBox()
{
    if (m_pEdit)
        return;
    m_pEdit = new QLineEdit(this);
    m_pEdit->setObjectName(QStringLiteral("value"));
    m_pEdit->setFrame(false);
    m_pEdit->setFont(RowFont());
    m_pEdit->installEventFilter(this);
    connect(m_pEdit, &QLineEdit::textChanged, this, &CDspAttribute::OnEditValueChanged);
}

void CDspAttribute::CreateComboBox()
{
    if (m_pCombo)
        return;
    m_pCombo = new QComboBox(this);
    m_pCombo->setObjectName(QStringLiteral("choice"));
    m_pCombo->setFont(RowFont());
    m_pCombo->setMaxVisibleItems(qMax(1, COMBO_LIST_HEIGHT / qMax(1, m_pCombo->fontMetrics().height() + 4)));
    m_pCombo->setFocusPolicy(Qt::StrongFocus); // a wheel turn over it gives it no focus
    m_pCombo->installEventFilter(this);
    connect(m_pCombo, &QComboBox::activated, this, &CDspAttribute::OnComboBoxValueChanged);
}

void CDspAttribute::resizeEvent(QResizeEvent*)
{
    m_nSplit = 1 + int(NAME_RATIO * width());
    if (m_pAttribute)
        CreateControl();
}

// ---- values ----

QString CDspAttribute::ValueText() const
{
    if (!m_pAttribute)
        return QString();
    if (m_pAttribute->GetType() == CAttributeBase::ATTRIBUTE_DOUBLE)
        return QString::fromStdString(DspInput::ShortestPlain(m_pAttribute->GetValueRef().GetDouble()));
    std::string text;
    m_pAttribute->GetValueString(text, nullptr);
    return DspText::FromGbk(text);
}

bool CDspAttribute::TextStandsForValue(const QString& text) const
{
    const std::string typed = TrimmedGbk(text);
    switch (m_pAttribute->GetType()) {
    case CAttributeBase::ATTRIBUTE_INT:
        return !typed.empty() && ModelText::ParseInt(typed.c_str()) == m_pAttribute->GetValueRef().GetInt32();
    case CAttributeBase::ATTRIBUTE_DOUBLE:
        return !typed.empty() && ModelText::ParseDouble(typed.c_str()) == m_pAttribute->GetValueRef().GetDouble();
    default: {
        std::string value;
        m_pAttribute->GetValueString(value, nullptr);
        return typed == value;
    }
    }
}

void CDspAttribute::ShowValueText()
{
    const QString current = m_pEdit->text();
    // An empty number field the user is clearing stays empty until the focus leaves it, and so
    // does a refused text the user is correcting.
    if (TextStandsForValue(current) || (m_bRefused && m_pEdit->hasFocus()) ||
        (current.trimmed().isEmpty() && m_pEdit->hasFocus() && IsNumberKind(m_pAttribute)))
        return;
    const int cursor = m_pEdit->cursorPosition();
    const int start = m_pEdit->selectionStart();
    const int length = m_pEdit->selectionLength();
    m_bReportChanges = false;
    DspInput::ShowWhole(m_pEdit, ValueText(), TextLimit(m_pAttribute));
    m_bReportChanges = true;
    if (start >= 0)
        m_pEdit->setSelection(start, length);
    else
        m_pEdit->setCursorPosition(qMin(cursor, m_pEdit->text().size()));
}

void CDspAttribute::SendAttributesModifyUndMsg()
{
    if (m_bUndoAnnounced)
        return;
    m_bUndoAnnounced = true;
    emit AttributeModifyUndo();
}

void CDspAttribute::OnEditValueChanged(const QString& text)
{
    if (!m_bReportChanges || !UsesEditBox(m_pAttribute))
        return;
    const std::string value = TrimmedGbk(text);
    if (value.empty()) { // a cleared field refuses nothing; the focus leaving it decides
        ShowRefusal(false);
        return;
    }
    if (OutsideNamedRange(ModelText::ParseInt(value.c_str()))) { // the stored value stays
        ShowRefusal(true);
        return;
    }
    SendAttributesModifyUndMsg();
    const bool taken = m_pAttribute->SetValueString(value.c_str()) != 0;
    ShowRefusal(!taken);
    SendAttributeChangedMessage(1);
}

bool CDspAttribute::OutsideNamedRange(long long value) const
{
    CControlBase* control = m_pAttribute ? m_pAttribute->GetParentControl() : nullptr;
    long long first = 0, last = 0;
    return control && m_pAttribute->GetType() == CAttributeBase::ATTRIBUTE_INT &&
           control->GetValidRange(m_pAttribute, first, last) && (value < first || value > last);
}

QString CDspAttribute::ValidRangeText() const
{
    const AttrPreValueChangeHandle veto = m_pAttribute ? m_pAttribute->GetPreValueChangeHandle() : nullptr;
    CControlBase* control = m_pAttribute ? m_pAttribute->GetParentControl() : nullptr;
    if (!control || m_pAttribute->GetType() != CAttributeBase::ATTRIBUTE_INT)
        return QString();
    const QString format = QCoreApplication::translate("AttributePane", "有效范围：%1 - %2");
    long long named = 0, namedLast = 0;
    if (control->GetValidRange(m_pAttribute, named, namedLast))
        return format.arg(named).arg(namedLast);
    if (!veto)
        return QString();
    auto accepted = [&](long long value) {
        const CAttrValue candidate = CAttrValue::Int32(int(value));
        return veto(control, m_pAttribute, &candidate) != 0;
    };
    const long long current = m_pAttribute->GetValueRef().GetInt32();
    if (!accepted(current))
        return QString();
    // The veto accepts one run of numbers around the stored value: find both of its ends.
    long long low = INT32_MIN, high = current; // accepted(high), the end lies in [low, high]
    if (!accepted(low))
        while (high - low > 1) {
            const long long middle = low + (high - low) / 2;
            (accepted(middle) ? high : low) = middle;
        }
    const long long first = accepted(low) ? low : high;
    low = current;
    high = INT32_MAX;
    if (!accepted(high))
        while (high - low > 1) {
            const long long middle = low + (high - low) / 2;
            (accepted(middle) ? low : high) = middle;
        }
    const long long last = accepted(high) ? high : low;
    return format.arg(first).arg(last);
}

void CDspAttribute::ShowRefusal(bool refused)
{
    const bool outside = !refused && m_pAttribute && OutsideNamedRange(m_pAttribute->GetValueRef().GetInt32());
    if (!m_pEdit || (refused == m_bRefused && outside == m_bStoredOutside))
        return;
    m_bRefused = refused;
    m_bStoredOutside = outside;
    QPalette palette = m_pEdit->palette();
    palette.setColor(QPalette::Text,
                     refused || outside ? QColor(Qt::red) : QApplication::palette().color(QPalette::Text));
    m_pEdit->setPalette(palette);
    QString tip;
    if (refused || outside) {
        const QString range = ValidRangeText();
        tip = refused ? QCoreApplication::translate("AttributePane", "此值不被接受，属性保持原值。")
                      : QCoreApplication::translate("AttributePane", "此值超出有效范围，请改正；项目检查也会报告它。");
        if (!range.isEmpty())
            tip += QLatin1Char('\n') + range;
    }
    m_pEdit->setToolTip(tip);
    if (refused && m_pEdit->isVisible())
        QToolTip::showText(m_pEdit->mapToGlobal(QPoint(0, m_pEdit->height())), tip, m_pEdit);
    else
        QToolTip::hideText();
}

void CDspAttribute::OnEditValueKillFocus()
{
    if (m_bRefused) { // the refused text goes; the field shows what is stored
        ShowRefusal(false);
        m_bReportChanges = false;
        DspInput::ShowWhole(m_pEdit, ValueText(), TextLimit(m_pAttribute));
        m_bReportChanges = true;
    }
    if (!IsNumberKind(m_pAttribute) || !m_pEdit->text().trimmed().isEmpty()) {
        m_bUndoAnnounced = false;
        return;
    }
    // Clearing the field may have been the first change of this focus.
    SendAttributesModifyUndMsg();
    m_bUndoAnnounced = false;
    m_pAttribute->SetValueString("0");
    ShowValueText();
    SendAttributeChangedMessage(1);
}

void CDspAttribute::OnComboBoxValueChanged(int index)
{
    if (!UsesComboBox(m_pAttribute) || index < 0)
        return;
    SendAttributesModifyUndMsg();
    m_pAttribute->SetValue(CAttrValue::Int32(index));
    SendAttributeChangedMessage(1);
}

void CDspAttribute::OnEditorSetFocus(QWidget* editor)
{
    CDspControl::s_lpFocusControl = editor;
    emit AttributeEditorFocused();
}

// ---- input modes ----

void CDspAttribute::SetInputMode(TextInputMode mode, int convert)
{
    const TextInputMode old = m_nInputMode;
    m_nInputMode = mode;
    if (convert && mode != old)
        InputTypeChanged(old, mode);
}

void CDspAttribute::InputTypeChanged(TextInputMode oldMode, TextInputMode newMode)
{
    if (!m_pAttribute || !m_pEdit || !UsesEditBox(m_pAttribute)) {
        SendAttributeChangedMessage(0);
        return;
    }
    DWORD number = 0;
    if (oldMode != INPUT_FREE) {
        const std::string text = DspText::ToGbk(m_pEdit->text().trimmed());
        const DWORD typed = DWORD(ModelText::ParseInt(text.c_str()));
        switch (oldMode) {
        case INPUT_BINARY: number = CPLCBase::ConvertB2D(typed); break;
        case INPUT_OCTAL: number = CPLCBase::ConvertO2D(typed); break;
        case INPUT_HEX:
            // Hexadecimal text may hold letters, which a decimal reading would cut off; for a
            // text of decimal digits this equals ConvertH2D of its decimal reading.
            number = DWORD(std::strtoul(text.c_str(), nullptr, 16));
            break;
        default: number = typed; break;
        }
    }
    const char* format = nullptr;
    DWORD stored = number;
    switch (newMode) {
    case INPUT_DECIMAL: format = "%i"; break;
    case INPUT_BINARY:
        format = "%i";
        stored = CPLCBase::ConvertD2B(number);
        break;
    case INPUT_OCTAL:
        format = "%o";
        stored = CPLCBase::ConvertD2O(number);
        break;
    case INPUT_HEX:
        format = "%X";
        stored = CPLCBase::ConvertD2H(number);
        break;
    default: break;
    }
    if (format) {
        const int cursor = m_pEdit->cursorPosition();
        m_bReportChanges = false;
        m_pAttribute->SetValue(CAttrValue::Int32(int(stored)));
        DspInput::ShowWhole(m_pEdit, QString::asprintf(format, number), TextLimit(m_pAttribute));
        m_bReportChanges = true;
        m_pEdit->setCursorPosition(qMin(cursor, m_pEdit->text().size()));
    }
    SendAttributeChangedMessage(0);
}

// ---- keyboard ----

bool CDspAttribute::AcceptText(QLineEdit* edit, const QString& typed)
{
    bool accepted = true;
    for (QChar ch : typed)
        accepted = accepted && DspInput::IsModeChar(m_nInputMode, ch);
    if (accepted && typed != QString(QChar(8)) && IsNumberKind(m_pAttribute)) {
        QString result = edit->text();
        if (edit->hasSelectedText())
            result.remove(edit->selectionStart(), edit->selectionLength());
        const int at = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
        result.insert(at, typed);
        const bool real = m_pAttribute->GetType() == CAttributeBase::ATTRIBUTE_DOUBLE;
        for (QChar ch : typed)
            accepted = accepted && DspInput::PreviousEditChar(real, result, ch);
    }
    if (!accepted)
        DspInput::Beep();
    return accepted;
}

bool CDspAttribute::eventFilter(QObject* watched, QEvent* event)
{
    QWidget* editor = (watched == m_pEdit || watched == m_pCombo) ? static_cast<QWidget*>(watched) : nullptr;
    if (!editor)
        return CDspWnd::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (IsEnterKey(key)) {
            if (event->type() == QEvent::KeyPress) {
                QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
                QApplication::sendEvent(editor, &tab);
            }
            // The editor keeps Enter from the dialog's default button and from shortcuts.
            event->accept();
            return true;
        }
        // Characters typed into the edit box; shortcuts (Ctrl, Alt) and editing keys pass
        // untouched (a real keyboard's Delete carries the text "\x7f", Escape "\x1b").
        if (event->type() == QEvent::KeyPress && watched == m_pEdit && !key->text().isEmpty() &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
            const QChar ch = key->key() == Qt::Key_Backspace ? QChar(8) : key->text().at(0);
            if ((ch.isPrint() || ch == QChar(8)) && !AcceptText(m_pEdit, QString(ch)))
                return true;
        }
        break;
    }
    case QEvent::InputMethod: {
        // Text an input method commits obeys the same rules as typed text; a refused commit is
        // dropped whole and the composition cleared.
        auto* input = static_cast<QInputMethodEvent*>(event);
        if (watched == m_pEdit && !input->commitString().isEmpty() && !AcceptText(m_pEdit, input->commitString())) {
            QInputMethodEvent cleared;
            QApplication::sendEvent(m_pEdit, &cleared);
            return true;
        }
        break;
    }
    case QEvent::Wheel:
        // The wheel scrolls the pane; only a drop-down the user has focused takes it.
        if (watched == m_pCombo && !m_pCombo->hasFocus()) {
            event->ignore();
            return true;
        }
        break;
    case QEvent::FocusIn:
        // A popup (the drop-down list, a context menu) taking and returning the focus is no
        // change of editor.
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            OnEditorSetFocus(editor);
        break;
    case QEvent::FocusOut:
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason)
            break;
        if (watched == m_pEdit)
            OnEditValueKillFocus();
        else
            m_bUndoAnnounced = false;
        break;
    default: break;
    }
    return CDspWnd::eventFilter(watched, event);
}

// ---- painting ----

void CDspAttribute::DrawWnd(CGUIEXDC* dc, const QRect& client)
{
    const int l = client.x(), t = client.y(), r = client.x() + client.width(), b = client.y() + client.height();
    const int s = m_nSplit;
    dc->FillRectangle(l, t, s - l, b - t, NAME_BACK_COLOR);
    dc->DrawLine(l, t, r, t, LIGHT_LINE_COLOR);
    dc->DrawLine(s + 1, t, s + 1, b, LIGHT_LINE_COLOR);
    dc->DrawLine(s, t, s, b, DARK_LINE_COLOR);
    dc->DrawLine(l, b - 1, r, b - 1, DARK_LINE_COLOR);
    if (m_pAttribute && m_pAttribute->GetReadonly()) {
        const QColor face = QApplication::palette().color(QPalette::Button);
        dc->FillRectangle(s + 2, t + 1, r - (s + 2), b - (t + 1), CGUIEXDC::FromRgb(face.rgb()));
    }
}
