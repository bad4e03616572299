// The editor's fonts, colours and label styles.
#include "editor/app/look/design_management.h"

#include "comkit/gbk.h"
#include "comkit/gui_ex_dc.h"

#include <QLabel>
#include <QWidget>

#include <memory>

namespace {

std::unique_ptr<CDesignManagement> s_instance;

// A font from a UTF-8 family name (with the CJK fallback of the drawing kit) and a point size.
QFont MakeFont(const char* familyUtf8, int points)
{
    std::string gbk;
    COMMON_EX::Utf8ToGbk(familyUtf8, gbk);
    QFont font;
    COM_GUI_EX::CGUI_EX_Global::CreateCFontWithNameSize(&font, gbk.c_str(), points);
    return font;
}

QString ColorName(DWORD colour)
{
    return CDesignManagement::ToColor(colour).name();
}

} // namespace

CDesignManagement* CDesignManagement::GetInstance()
{
    if (!s_instance)
        s_instance.reset(new CDesignManagement());
    return s_instance.get();
}

void CDesignManagement::Release()
{
    s_instance.reset();
}

CDesignManagement::CDesignManagement()
    : m_labelFont(MakeFont("黑体", 12)), m_windowFont(MakeFont("新宋体", 10)), m_smallFont(MakeFont("新宋体", 9))
{
}

QColor CDesignManagement::ToColor(DWORD colour)
{
    return QColor::fromRgb(COM_GUI_EX::CGUIEXDC::ToRgb(colour));
}

void CDesignManagement::StyleCaptionLabel(QLabel* label) const
{
    if (!label)
        return;
    label->setFont(m_labelFont);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setFrameShape(QFrame::NoFrame);
    label->setStyleSheet(QStringLiteral("QLabel { border: none; padding-left: %1px; color: %2;"
                                        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
                                        " stop:0 %3, stop:1 %4); }")
                             .arg(CAPTION_TEXT_INDENT)
                             .arg(ColorName(COLOR_WHITE), ColorName(COLOR_GREY), ColorName(COLOR_BAND_BORDER)));
}

void CDesignManagement::StylePlainLabel(QLabel* label) const
{
    if (!label)
        return;
    label->setFont(m_labelFont);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setFrameShape(QFrame::NoFrame);
    label->setStyleSheet(QStringLiteral("QLabel { border: none; background: %1; }").arg(ColorName(COLOR_FACE)));
}

void CDesignManagement::SetLabelFont(QWidget* widget) const
{
    if (widget)
        widget->setFont(m_labelFont);
}

void CDesignManagement::DrawRubberBand(COM_GUI_EX::CGUIEXDC* dc, const QRect& band)
{
    const QRect rect = band.normalized();
    if (!dc || rect.isEmpty())
        return;
    dc->FillTransparentRectangleQG(&rect, COLOR_BAND_FILL, BAND_FILL_ALPHA);
    dc->DrawTransparentRectangleQG(&rect, COLOR_BAND_BORDER, BAND_BORDER_ALPHA);
}

void CDesignManagement::DrawDraggedRect(COM_GUI_EX::CGUIEXDC* dc, const QRect& rect)
{
    const QRect r = rect.normalized();
    if (!dc || r.isEmpty())
        return;
    QImage* image = dc->GetDC();
    const QRect clip = r & image->rect();
    if (clip.isEmpty())
        return;
    auto invert = [image](int x, int y) {
        QRgb* line = reinterpret_cast<QRgb*>(image->scanLine(y));
        line[x] = 0xFF000000u | (~line[x] & 0x00FFFFFFu);
    };
    const int left = r.x(), top = r.y();
    const int right = r.x() + r.width() - 1, bottom = r.y() + r.height() - 1;
    for (int x = clip.x(); x < clip.x() + clip.width(); ++x) {
        if (top >= clip.y())
            invert(x, top);
        if (bottom != top && bottom < clip.y() + clip.height())
            invert(x, bottom);
    }
    for (int y = std::max(top + 1, clip.y()); y < std::min(bottom, clip.y() + clip.height()); ++y) {
        if (left >= clip.x())
            invert(left, y);
        if (right != left && right < clip.x() + clip.width())
            invert(right, y);
    }
}
