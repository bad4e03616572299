#include "comkit/gui_ex_dc.h"

#include "comkit/gbk.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace COM_GUI_EX {

namespace {

// Family and size of the default text font; the name is GBK for "黑体".
const char DEFAULT_FONT_NAME[] = "\xBA\xDA\xCC\xE5";
constexpr float DEFAULT_FONT_SIZE = 10.0f;
// 96 dpi, so point sizes give the pixel sizes a desktop shows.
constexpr int DOTS_PER_METER = 3780;
// Families tried, in order, when the named one is not installed.
const char* const CJK_FALLBACKS[] = {"WenQuanYi Zen Hei", "WenQuanYi Zen Hei Sharp", "WenQuanYi Micro Hei",
                                     "Noto Sans CJK SC", "AR PL UMing CN"};

QString FromGbk(const char* text)
{
    return text ? QString::fromStdString(COMMON_EX::GbkToUtf8Lossy(text)) : QString();
}

// Sets up a painter for one smoothed call: anti-aliased, with integer coordinates on pixel centres.
void PrepareSmooth(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(0.5, 0.5);
}

QColor ToColor(DWORD colour, BYTE alpha = 255)
{
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF), alpha);
}

// The rounded rectangle's outline: four 90-degree corner arcs joined by straight sides. Arcs run
// clockwise on the surface (negative sweeps for Qt's counter-clockwise angles).
QPainterPath RoundCornerPath(int x, int y, int width, int height)
{
    QPainterPath path;
    const int r = CGUIEXDC::RoundCornerRadius(width, height);
    if (r == 0) {
        path.addRect(QRectF(x, y, width, height));
        return path;
    }
    const qreal d = 2 * r;
    const QRectF topLeft(x, y, d, d);
    const QRectF topRight(x + width - d, y, d, d);
    const QRectF bottomRight(x + width - d, y + height - d, d, d);
    const QRectF bottomLeft(x, y + height - d, d, d);
    path.arcMoveTo(topLeft, 180);
    path.arcTo(topLeft, 180, -90);
    path.arcTo(topRight, 90, -90);
    path.arcTo(bottomRight, 0, -90);
    path.arcTo(bottomLeft, 270, -90);
    path.closeSubpath();
    return path;
}

// Source coordinates of each destination pixel of a stretch: [first, first + count).
struct SpanMap {
    std::vector<int> first;
    std::vector<int> count;
};

SpanMap MapSpans(int destSize, int sourceSize)
{
    SpanMap map;
    map.first.resize(destSize);
    map.count.resize(destSize);
    for (int i = 0; i < destSize; ++i) {
        const int a = int(qint64(i) * sourceSize / destSize);
        const int b = int(qint64(i + 1) * sourceSize / destSize);
        map.first[i] = a;
        map.count[i] = std::max(1, b - a);
    }
    return map;
}

// Where a stretch of `source` onto (x, y, width, height) of a `surface`-sized picture reads and
// writes: the destination columns [c0, c1) and rows [r0, r1) that lie on the surface.
struct StretchPlan {
    SpanMap cols;
    SpanMap rows;
    int c0 = 0, c1 = 0, r0 = 0, r1 = 0;
};

bool PlanStretch(QSize surface, int x, int y, int width, int height, const QImage& source, StretchPlan& plan)
{
    if (width <= 0 || height <= 0 || source.isNull())
        return false;
    plan.c0 = std::max(0, -x);
    plan.c1 = std::min(width, surface.width() - x);
    plan.r0 = std::max(0, -y);
    plan.r1 = std::min(height, surface.height() - y);
    if (plan.c0 >= plan.c1 || plan.r0 >= plan.r1)
        return false;
    plan.cols = MapSpans(width, source.width());
    plan.rows = MapSpans(height, source.height());
    return true;
}

} // namespace

CGUIEXDC::CGUIEXDC(const CGUIEXDC* target, int width, int height) : m_pen(QColor(Qt::black), 1.0), m_brush(Qt::black)
{
    (void)target;
    Allocate(QSize(std::max(0, width), std::max(0, height)));
    SetDefaultStringFont();
}

CGUIEXDC::CGUIEXDC(int width, int height) : CGUIEXDC(nullptr, width, height)
{
}

CGUIEXDC::~CGUIEXDC() = default;

void CGUIEXDC::Allocate(QSize size)
{
    m_image = QImage(size, QImage::Format_RGB32);
    // A size Qt cannot allocate leaves an empty surface that ignores all drawing.
    m_size = m_image.isNull() ? QSize(0, 0) : size;
    m_image.setDotsPerMeterX(DOTS_PER_METER);
    m_image.setDotsPerMeterY(DOTS_PER_METER);
}

void CGUIEXDC::SetSize(const CGUIEXDC* target, QSize size)
{
    (void)target;
    Allocate(QSize(std::max(0, size.width()), std::max(0, size.height())));
}

void CGUIEXDC::CopyBack(QPainter* target) const
{
    if (target)
        target->drawImage(0, 0, m_image);
}

void CGUIEXDC::CopyBack(CGUIEXDC* target) const
{
    if (target)
        target->BitCopy(0, 0, m_size.width(), m_size.height(), this, 0, 0);
}

void CGUIEXDC::CopyDC(const CGUIEXDC* source)
{
    if (source)
        BitCopy(0, 0, m_size.width(), m_size.height(), source, 0, 0);
}

void CGUIEXDC::SetPixel(int x, int y, DWORD colour)
{
    if (unsigned(x) < unsigned(m_size.width()) && unsigned(y) < unsigned(m_size.height()))
        reinterpret_cast<QRgb*>(m_image.scanLine(y))[x] = ToRgb(colour);
}

DWORD CGUIEXDC::GetPixel(int x, int y) const
{
    if (unsigned(x) >= unsigned(m_size.width()) || unsigned(y) >= unsigned(m_size.height()))
        return CLR_INVALID;
    return FromRgb(reinterpret_cast<const QRgb*>(m_image.constScanLine(y))[x]);
}

void CGUIEXDC::Clear(DWORD colour)
{
    if (!m_image.isNull())
        m_image.fill(ToRgb(colour));
}

void CGUIEXDC::FillSpan(int x, int y, int width, int height, QRgb rgb)
{
    const int x0 = std::max(x, 0);
    const int y0 = std::max(y, 0);
    const int x1 = int(std::min<qint64>(qint64(x) + width, m_size.width()));
    const int y1 = int(std::min<qint64>(qint64(y) + height, m_size.height()));
    if (x0 >= x1 || y0 >= y1)
        return;
    uchar* bits = m_image.bits();
    const qsizetype stride = m_image.bytesPerLine();
    for (int row = y0; row < y1; ++row) {
        QRgb* line = reinterpret_cast<QRgb*>(bits + row * stride);
        std::fill(line + x0, line + x1, rgb);
    }
}

void CGUIEXDC::FillRectangle(const QRect* rect, DWORD colour)
{
    if (rect)
        FillSpan(rect->x(), rect->y(), rect->width(), rect->height(), ToRgb(colour));
}

void CGUIEXDC::FillRectangle(int x, int y, int width, int height, DWORD colour)
{
    FillSpan(x, y, width, height, ToRgb(colour));
}

void CGUIEXDC::DrawRectangle(const QRect* rect, DWORD colour)
{
    if (!rect || rect->width() <= 0 || rect->height() <= 0)
        return;
    const QRgb rgb = ToRgb(colour);
    const int x = rect->x(), y = rect->y(), w = rect->width(), h = rect->height();
    FillSpan(x, y, w, 1, rgb);
    FillSpan(x, y + h - 1, w, 1, rgb);
    FillSpan(x, y, 1, h, rgb);
    FillSpan(x + w - 1, y, 1, h, rgb);
}

void CGUIEXDC::FrawRectangleWithBg(const QRect* rect, DWORD colour, DWORD backColour)
{
    FillRectangle(rect, backColour);
    DrawRectangle(rect, colour);
}

void CGUIEXDC::DrawLine(int x1, int y1, int x2, int y2, DWORD colour)
{
    // Bresenham, stopping one step short of the end point.
    const int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
    const int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1, y = y1;
    while (x != x2 || y != y2) {
        SetPixel(x, y, colour);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void CGUIEXDC::BitCopy(int x, int y, int width, int height, const CGUIEXDC* source, int sx, int sy)
{
    if (!source || width <= 0 || height <= 0)
        return;
    // Copying within one surface goes through a snapshot, so overlapping areas stay intact.
    std::unique_ptr<QImage> snapshot;
    const QImage* src = &source->m_image;
    if (source == this) {
        snapshot = std::make_unique<QImage>(m_image.copy());
        src = snapshot.get();
    }
    // Clip against the source, then against this surface, moving both corners together.
    int left = std::max({0, -sx, -x});
    int top = std::max({0, -sy, -y});
    const int right = std::min({width, src->width() - sx, m_size.width() - x});
    const int bottom = std::min({height, src->height() - sy, m_size.height() - y});
    if (left >= right || top >= bottom)
        return;
    uchar* bits = m_image.bits();
    const qsizetype stride = m_image.bytesPerLine();
    for (int row = top; row < bottom; ++row) {
        const QRgb* from = reinterpret_cast<const QRgb*>(src->constScanLine(sy + row)) + sx + left;
        QRgb* to = reinterpret_cast<QRgb*>(bits + (y + row) * stride) + x + left;
        std::memcpy(to, from, size_t(right - left) * sizeof(QRgb));
    }
}

void CGUIEXDC::CopyInverted(const CGUIEXDC* source)
{
    if (!source)
        return;
    const int w = std::min(m_size.width(), source->m_size.width());
    const int h = std::min(m_size.height(), source->m_size.height());
    if (w <= 0 || h <= 0)
        return;
    const QImage src = source == this ? m_image.copy() : source->m_image;
    uchar* bits = m_image.bits();
    const qsizetype stride = m_image.bytesPerLine();
    for (int row = 0; row < h; ++row) {
        const QRgb* from = reinterpret_cast<const QRgb*>(src.constScanLine(row));
        QRgb* to = reinterpret_cast<QRgb*>(bits + row * stride);
        for (int col = 0; col < w; ++col)
            to[col] = ~from[col] | 0xFF000000u;
    }
}

void CGUIEXDC::StretchAnd(int x, int y, int width, int height, const CGUIEXDC* source)
{
    StretchPlan plan;
    if (!source || source == this || !PlanStretch(m_size, x, y, width, height, source->m_image, plan))
        return;
    const QImage& src = source->m_image;
    const bool enlarging = width >= src.width() && height >= src.height();
    uchar* bits = m_image.bits();
    const qsizetype stride = m_image.bytesPerLine();
    for (int r = plan.r0; r < plan.r1; ++r) {
        QRgb* to = reinterpret_cast<QRgb*>(bits + (y + r) * stride) + x;
        if (enlarging) {
            const QRgb* from = reinterpret_cast<const QRgb*>(src.constScanLine(plan.rows.first[r]));
            for (int c = plan.c0; c < plan.c1; ++c)
                to[c] &= from[plan.cols.first[c]];
            continue;
        }
        // Shrinking keeps black: every source pixel that lands on a destination pixel is ANDed in.
        const int sr0 = plan.rows.first[r], sr1 = sr0 + plan.rows.count[r];
        for (int c = plan.c0; c < plan.c1; ++c) {
            const int sc0 = plan.cols.first[c], sc1 = sc0 + plan.cols.count[c];
            QRgb value = 0xFFFFFFFFu;
            for (int sr = sr0; sr < sr1; ++sr) {
                const QRgb* from = reinterpret_cast<const QRgb*>(src.constScanLine(sr));
                for (int sc = sc0; sc < sc1; ++sc)
                    value &= from[sc];
            }
            to[c] &= value;
        }
    }
}

void CGUIEXDC::StretchTransparent(int x, int y, int width, int height, const CGUIEXDC* source, DWORD transparent)
{
    StretchPlan plan;
    if (!source || source == this || !PlanStretch(m_size, x, y, width, height, source->m_image, plan))
        return;
    const QImage& src = source->m_image;
    const QRgb key = ToRgb(transparent);
    uchar* bits = m_image.bits();
    const qsizetype stride = m_image.bytesPerLine();
    for (int r = plan.r0; r < plan.r1; ++r) {
        QRgb* to = reinterpret_cast<QRgb*>(bits + (y + r) * stride) + x;
        const QRgb* from = reinterpret_cast<const QRgb*>(src.constScanLine(plan.rows.first[r]));
        for (int c = plan.c0; c < plan.c1; ++c) {
            const QRgb value = from[plan.cols.first[c]] | 0xFF000000u;
            if (value != key)
                to[c] = value;
        }
    }
}

int CGUIEXDC::RoundCornerRadius(int width, int height)
{
    return std::max(0, std::min(width / 4, height / 4));
}

void CGUIEXDC::DrawRoundCornerRectangleQG(int x, int y, int width, int height, DWORD colour)
{
    if (m_image.isNull())
        return;
    QPainter painter(&m_image);
    PrepareSmooth(painter);
    painter.setPen(QPen(ToColor(colour), 1.0, Qt::SolidLine, Qt::SquareCap));
    painter.setBrush(Qt::NoBrush);
    if (RoundCornerRadius(width, height) > 0) {
        painter.drawPath(RoundCornerPath(x, y, width, height));
        return;
    }
    // Without corners the four sides are plain lines; square caps fill the corner pixels.
    const QLineF sides[] = {{qreal(x), qreal(y), qreal(x + width), qreal(y)},
                            {qreal(x + width), qreal(y), qreal(x + width), qreal(y + height)},
                            {qreal(x + width), qreal(y + height), qreal(x), qreal(y + height)},
                            {qreal(x), qreal(y + height), qreal(x), qreal(y)}};
    painter.drawLines(sides, 4);
}

void CGUIEXDC::FillRoundCornerRectangleQG(int x, int y, int width, int height, DWORD colour)
{
    if (m_image.isNull())
        return;
    QPainter painter(&m_image);
    PrepareSmooth(painter);
    painter.fillPath(RoundCornerPath(x, y, width, height), ToColor(colour));
}

void CGUIEXDC::DrawEllipseQG(int x, int y, int width, int height, DWORD colour)
{
    if (m_image.isNull())
        return;
    QPainter painter(&m_image);
    PrepareSmooth(painter);
    painter.setPen(QPen(ToColor(colour), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(x, y, width, height));
}

void CGUIEXDC::FillEllipseQG(int x, int y, int width, int height, DWORD colour)
{
    if (m_image.isNull())
        return;
    QPainter painter(&m_image);
    PrepareSmooth(painter);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ToColor(colour));
    painter.drawEllipse(QRectF(x, y, width, height));
}

void CGUIEXDC::DrawArcQG(int x, int y, int width, int height, float startAngle, float sweepAngle, DWORD colour)
{
    if (m_image.isNull())
        return;
    const QRectF box(x, y, width, height);
    QPainterPath path;
    path.arcMoveTo(box, -startAngle);
    path.arcTo(box, -startAngle, -sweepAngle);
    QPainter painter(&m_image);
    PrepareSmooth(painter);
    painter.setPen(QPen(ToColor(colour), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
}

void CGUIEXDC::DrawTransparentRectangleQG(const QRect* rect, DWORD colour, BYTE alpha)
{
    if (!rect || m_image.isNull())
        return;
    QPainter painter(&m_image);
    PrepareSmooth(painter);
    painter.setPen(QPen(ToColor(colour, alpha), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect->x(), rect->y(), rect->width() - 1, rect->height() - 1));
}

void CGUIEXDC::FillTransparentRectangleQG(const QRect* rect, DWORD colour, BYTE alpha)
{
    if (!rect || m_image.isNull())
        return;
    QPainter painter(&m_image);
    PrepareSmooth(painter);
    painter.fillRect(QRectF(rect->x(), rect->y(), rect->width() - 1, rect->height() - 1), ToColor(colour, alpha));
}

void CGUIEXDC::FrawTransparentRectangleWithBgQG(const QRect* rect, DWORD colour, DWORD backColour, BYTE alpha)
{
    FillTransparentRectangleQG(rect, backColour, alpha);
    DrawTransparentRectangleQG(rect, colour, alpha);
}

void CGUIEXDC::SetCurrentStringFont(const char* fontName, float size)
{
    m_fontName = fontName ? fontName : "";
    m_fontSize = size > 0 ? size : DEFAULT_FONT_SIZE;
    m_bFontResolved = false;
}

const QFont& CGUIEXDC::GetCurrentStringFont() const
{
    if (!m_bFontResolved) {
        CGUI_EX_Global::CreateCFontWithNameSize(&m_font, m_fontName.c_str(), 0);
        m_font.setPointSizeF(m_fontSize);
        // Without an application the family cannot be looked up yet; try again next time.
        m_bFontResolved = QGuiApplication::instance() != nullptr;
    }
    return m_font;
}

void CGUIEXDC::SetDefaultStringFont()
{
    SetCurrentStringFont(DEFAULT_FONT_NAME, DEFAULT_FONT_SIZE);
}

void CGUIEXDC::SetCurrentBrush(DWORD colour)
{
    m_brush = ToColor(colour);
}

void CGUIEXDC::SetCurrentPen(DWORD colour, float width)
{
    m_pen = QPen(ToColor(colour), width);
}

void CGUIEXDC::DrawStringFlags(const char* text, const QRectF& box, int flags)
{
    if (!text || !*text || m_image.isNull() || !QGuiApplication::instance())
        return;
    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(GetCurrentStringFont());
    painter.setPen(m_brush);
    painter.drawText(box, flags, FromGbk(text));
}

void CGUIEXDC::DrawString(const char* text, float x, float y)
{
    const QRectF box(x, y, std::max(1, m_size.width()) * 4.0, std::max(1, m_size.height()) * 4.0);
    DrawStringFlags(text, box, Qt::AlignLeft | Qt::AlignTop);
}

void CGUIEXDC::DrawString(const char* text, const QRect* rect, int format)
{
    if (!rect)
        return;
    int flags = 0;
    if (format & FORMAT_LEFT)
        flags |= Qt::AlignLeft;
    else if (format & FORMAT_RIGHT)
        flags |= Qt::AlignRight;
    else
        flags |= Qt::AlignHCenter;
    if (format & FORMAT_TOP)
        flags |= Qt::AlignTop;
    else if (format & FORMAT_BOTTOM)
        flags |= Qt::AlignBottom;
    else
        flags |= Qt::AlignVCenter;
    DrawStringFlags(text, QRectF(*rect), flags);
}

void CGUIEXDC::DrawImage(const char* fileName, int x, int y, int width, int height)
{
    if (!fileName)
        return;
    const QImage image(QString::fromUtf8(fileName));
    DrawImage(image, x, y, width, height);
}

void CGUIEXDC::DrawImage(const QImage& image, int x, int y, int width, int height)
{
    if (image.isNull() || m_image.isNull() || width <= 0 || height <= 0)
        return;
    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(QRect(x, y, width, height), image);
}

namespace {

// The application Start() made; null when the program brought its own.
QGuiApplication* g_pOwnApplication = nullptr;
int g_nArgc = 1;
char g_szArg0[] = "zq";
char* g_apArgv[] = {g_szArg0, nullptr};

} // namespace

void CGUI_EX_Global::Start()
{
    if (QGuiApplication::instance())
        return;
    if (qgetenv("QT_QPA_PLATFORM").isEmpty() && qgetenv("DISPLAY").isEmpty() && qgetenv("WAYLAND_DISPLAY").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    g_pOwnApplication = new QGuiApplication(g_nArgc, g_apArgv);
}

void CGUI_EX_Global::End()
{
    delete g_pOwnApplication;
    g_pOwnApplication = nullptr;
}

QString CGUI_EX_Global::ResolveFontFamily(const char* fontName)
{
    if (!QGuiApplication::instance())
        return FromGbk(fontName);
    static QHash<QByteArray, QString> resolved;
    const QByteArray key(fontName ? fontName : "");
    const auto known = resolved.constFind(key);
    if (known != resolved.constEnd())
        return *known;
    const QString wanted = FromGbk(fontName);
    const QStringList installed = QFontDatabase::families();
    QString family;
    if (!wanted.isEmpty() && installed.contains(wanted, Qt::CaseInsensitive)) {
        family = wanted;
    } else {
        for (const char* candidate : CJK_FALLBACKS) {
            if (installed.contains(QLatin1String(candidate), Qt::CaseInsensitive)) {
                family = QLatin1String(candidate);
                break;
            }
        }
        if (family.isEmpty()) {
            const QStringList cjk = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
            family = cjk.isEmpty() ? wanted : cjk.first();
        }
    }
    resolved.insert(key, family);
    return family;
}

void CGUI_EX_Global::CreateCFontWithNameSize(QFont* font, const char* fontName, int size)
{
    if (!font)
        return;
    QFont made(ResolveFontFamily(fontName));
    made.setStyle(QFont::StyleNormal);
    made.setWeight(QFont::Normal);
    if (size > 0)
        made.setPointSize(size);
    *font = made;
}

} // namespace COM_GUI_EX
