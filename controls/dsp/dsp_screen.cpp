// The screen panel of the attribute pane.
#include "controls/dsp/dsp_screen.h"

#include "controls/dsp/dsp_input_rules.h"
#include "controls/dsp/dsp_text.h"
#include "controls/screen_base.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <iterator>

using COM_GUI_EX::CGUIEXDC;

const char* const CDspScreen::CAPTION_SCREEN = QT_TRANSLATE_NOOP("AttributePane", "·当前页面");
const char* const CDspScreen::CAPTION_MULTIPLE = QT_TRANSLATE_NOOP("AttributePane", "·当前页面（选择多个控件）");
const char* const CDspScreen::INFO_FORMAT =
    QT_TRANSLATE_NOOP("AttributePane",
                      "宽度%22d\n高度%22d\n控件数%20d\n选中控件数%16d\n\n液晶屏%20s\nPLC%23s\n\n设备重新设置%14s");
const char* const CDspScreen::DEVICE_BUTTON_TEXT = QT_TRANSLATE_NOOP("AttributePane", "设置");

namespace {
const char* const PANEL_FONT_NAME = "宋体";
constexpr int PANEL_FONT_SIZE = 10;

std::string Gbk(const char* utf8)
{
    return DspText::ToGbk(QString::fromUtf8(utf8));
}
// A text of this panel in the user's language, as GBK for the drawing surface.
std::string ShownGbk(const char* utf8)
{
    return DspText::ToGbk(QCoreApplication::translate("AttributePane", utf8));
}
} // namespace

CDspScreen::CDspScreen(CScreenBase* screen, QRect* rect, UINT id, QWidget* parent) : CDspWnd(parent), m_pScreen(screen)
{
    setFocusPolicy(Qt::ClickFocus);
    const QRect place = rect ? *rect : QRect();
    Create(QRect(place.x(), place.y(), place.width(), BODY_HEIGHT + CAPTION_HEIGHT + 1), parent, id);
    ReCalcWindowSize(rect);
    CreateControl();
}

void CDspScreen::ReCalcWindowSize(QRect* rect)
{
    resize(width(), BODY_HEIGHT + CAPTION_HEIGHT + 1);
    if (rect)
        rect->setBottom(y() + height() - 1);
}

void CDspScreen::ChangeDisplayScreen(CScreenBase* screen)
{
    m_pScreen = screen;
    CreateControl();
    update();
}

void CDspScreen::CreateControl()
{
    if (!m_pScreen) {
        if (m_pNameEdit)
            m_pNameEdit->hide();
        if (m_pDeviceButton)
            m_pDeviceButton->hide();
        return;
    }
    QFont font;
    COM_GUI_EX::CGUI_EX_Global::CreateCFontWithNameSize(&font, Gbk(PANEL_FONT_NAME).c_str(), PANEL_FONT_SIZE);
    const int l = 0, t = 0, r = width();
    if (!m_pNameEdit) {
        m_pNameEdit = new QLineEdit(this);
        m_pNameEdit->setObjectName(QStringLiteral("screenName"));
        m_pNameEdit->setFrame(false);
        m_pNameEdit->setFont(font);
        connect(m_pNameEdit, &QLineEdit::textChanged, this, &CDspScreen::OnEditValueChanged);
        setFocusProxy(m_pNameEdit);
    }
    m_pNameEdit->setGeometry(QRect(QPoint(l + 89, t + 26), QPoint(r - 1, t + 43) - QPoint(1, 1)));
    m_bReportChanges = false;
    DspInput::ShowWhole(m_pNameEdit, DspText::FromGbk(m_pScreen->GetScreenName()), NAME_LIMIT);
    m_bReportChanges = true;
    m_pNameEdit->show();
    if (!m_pDeviceButton) {
        m_pDeviceButton = new QPushButton(QCoreApplication::translate("AttributePane", DEVICE_BUTTON_TEXT), this);
        m_pDeviceButton->setObjectName(QStringLiteral("deviceSet"));
        m_pDeviceButton->setFlat(true);
        QFont buttonFont = font;
        buttonFont.setPointSize(10);
        m_pDeviceButton->setFont(buttonFont);
        m_pDeviceButton->setStyleSheet(QStringLiteral("QPushButton { border: 1px solid #D4D5D3; background: #FFFFFF; }"
                                                      "QPushButton:hover { background: #EEF3FA; }"
                                                      "QPushButton:pressed { background: #D4D5D3; }"));
        connect(m_pDeviceButton, &QPushButton::clicked, this, &CDspScreen::OnDeviceSet);
    }
    m_pDeviceButton->setGeometry(l + DEVICE_BUTTON_X, t + 166, DEVICE_BUTTON_WIDTH, 20);
    m_pDeviceButton->show();
}

void CDspScreen::OnEditValueChanged(const QString& text)
{
    if (!m_bReportChanges || !m_pScreen)
        return;
    m_pScreen->SetScreenName(DspText::ToGbk(text.trimmed()).c_str());
    update();
    emit ScreenNameChanged();
}

const char* CDspScreen::GetCaption() const
{
    return m_pScreen && m_pScreen->GetCurrentSelectControlsCount() > 0 ? CAPTION_MULTIPLE : CAPTION_SCREEN;
}

std::string CDspScreen::FormatInformation() const
{
    if (!m_pScreen)
        return std::string();
    std::string device, plc;
    m_pScreen->GetDeviceName(device);
    m_pScreen->GetPLCName(plc);
    char text[1024];
    std::snprintf(text, sizeof text, ShownGbk(INFO_FORMAT).c_str(), m_pScreen->GetScreenWidth(),
                  m_pScreen->GetScreenHeight(), m_pScreen->GetControlCount(),
                  m_pScreen->GetCurrentSelectControlsCount(), DspText::ToGbk(DspText::Shown(device)).c_str(),
                  DspText::ToGbk(DspText::Shown(plc)).c_str(), "_");
    return text;
}

std::vector<CDspScreen::INFO_ROW> CDspScreen::InformationRows() const
{
    std::vector<INFO_ROW> rows;
    if (!m_pScreen)
        return rows;
    std::string device, plc;
    m_pScreen->GetDeviceName(device);
    m_pScreen->GetPLCName(plc);
    const std::string values[] = {std::to_string(m_pScreen->GetScreenWidth()),
                                  std::to_string(m_pScreen->GetScreenHeight()),
                                  std::to_string(m_pScreen->GetControlCount()),
                                  std::to_string(m_pScreen->GetCurrentSelectControlsCount()),
                                  DspText::ToGbk(DspText::Shown(device)),
                                  DspText::ToGbk(DspText::Shown(plc)),
                                  "_"};
    // '%', blank and line feed never occur inside a GBK character, so the bytes can be split.
    const std::string format = ShownGbk(INFO_FORMAT);
    size_t next = 0;
    for (size_t begin = 0; begin <= format.size();) {
        const size_t end = std::min(format.find('\n', begin), format.size());
        const std::string line = format.substr(begin, end - begin);
        const size_t percent = line.find('%');
        INFO_ROW row;
        row.label = line.substr(0, percent);
        row.label.erase(row.label.find_last_not_of(' ') + 1);
        if (percent != std::string::npos && next < std::size(values))
            row.value = values[next++];
        rows.push_back(row);
        begin = end + 1;
    }
    return rows;
}

void CDspScreen::DrawWnd(CGUIEXDC* dc, const QRect& client)
{
    const int l = client.x(), t = client.y(), r = client.x() + client.width(), b = client.y() + client.height();
    if (!m_pScreen) {
        dc->FillRectangle(&client, FRAME_COLOR);
        return;
    }
    dc->FillRectangle(&client, BACK_COLOR);
    dc->FillRectangle(l, t, r - l, CAPTION_HEIGHT, FRAME_COLOR);
    dc->FillRectangle(l, t, LEFT_STRIP_WIDTH, b - t, FRAME_COLOR);
    const QRect nameRow(QPoint(l + 9, t + 22), QPoint(r, t + 44) - QPoint(1, 1));
    dc->DrawRectangle(&nameRow, 0xFFFFFF);
    dc->FillRectangle(l + 89, t + 22, r - (l + 89), 22, 0xFFFFFF);
    dc->SetCurrentStringFont(Gbk(PANEL_FONT_NAME).c_str(), float(PANEL_FONT_SIZE));
    dc->SetCurrentBrush(0x000000);
    const QRect label(QPoint(l + 9, t + 23), QPoint(l + 89, t + 45) - QPoint(1, 1));
    dc->DrawString(ShownGbk(QT_TRANSLATE_NOOP("AttributePane", "页面名称")).c_str(), &label, CGUIEXDC::FORMAT_LEFT);
    const QRect body(QPoint(l + 9, t + 43), QPoint(r, b) - QPoint(1, 1));
    dc->DrawRectangle(&body, 0xFFFFFF);
    dc->DrawString(ShownGbk(GetCaption()).c_str(), 0.0f, 4.0f);
    // One line every 16 pixels whatever the font's own spacing, so the counts stay above the
    // separator at 117 and the last line sits beside the "设置" button. The columns are measured
    // in the drawing font: blanks of a proportional or CJK font line nothing up.
    const QFontMetrics metrics(dc->GetCurrentStringFont());
    const int valueRight = l + DEVICE_BUTTON_X + DEVICE_BUTTON_WIDTH;
    int line = 0;
    for (const INFO_ROW& info : InformationRows()) {
        const QRect row(body.x(), body.y() + INFO_LINE_HEIGHT * line++, body.width(), INFO_LINE_HEIGHT);
        dc->DrawString(info.label.c_str(), &row, CGUIEXDC::FORMAT_LEFT);
        if (info.value.empty())
            continue;
        const int labelEnd = row.x() + metrics.horizontalAdvance(DspText::FromGbk(info.label)) + INFO_COLUMN_GAP;
        const int valueWidth = metrics.horizontalAdvance(DspText::FromGbk(info.value));
        const bool fits = valueRight - valueWidth >= labelEnd;
        const QRect value(labelEnd, row.y(), (fits ? valueRight : r) - labelEnd, row.height());
        dc->DrawString(info.value.c_str(), &value, fits ? CGUIEXDC::FORMAT_RIGHT : CGUIEXDC::FORMAT_LEFT);
    }
    dc->DrawLine(l + 9, t + 117, r, t + 117, 0xFFFFFF);
}

void CDspScreen::focusInEvent(QFocusEvent* event)
{
    if (m_pNameEdit && m_pNameEdit->isVisible())
        m_pNameEdit->setFocus(event->reason());
}
