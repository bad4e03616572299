// splashgen: writes the editor's splash and About picture, a 500 x 400 PNG showing the product
// name and a drawn text panel; the words in the UI's language and the version are drawn on it by
// the editor's About box (editor/app/about_dlg), so the picture itself holds no other text.
#include "appkit/tool_cli.h"
#include "comkit/gui_ex_dc.h"

#include <QCommandLineParser>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>

namespace {

const int WIDTH = 500;
const int HEIGHT = 400;
const char* const PRODUCT = "ZQEditor";

QFont Font(const QString& family, int pixels, bool bold = false)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// The panel beside the title: bezel, a monochrome display (its lines are the About box's), four
// function keys.
void DrawPanel(QPainter& p, const QString& family)
{
    const QRectF bezel(292, 56, 176, 196);
    p.setPen(QPen(QColor(0x9A, 0xA5, 0xB1), 2));
    p.setBrush(QColor(0xD9, 0xDE, 0xE3));
    p.drawRoundedRect(bezel, 10, 10);

    const QRectF display(308, 74, 144, 92);
    p.setPen(QPen(QColor(0x4A, 0x55, 0x40), 2));
    p.setBrush(QColor(0xB7, 0xC9, 0x8E));
    p.drawRect(display);

    p.setFont(Font(family, 12, true));
    for (int i = 0; i < 4; ++i) {
        const QRectF key(310 + 36 * i, 184, 30, 24);
        p.setPen(QPen(QColor(0x5B, 0x66, 0x72), 1.5));
        p.setBrush(QColor(0xF4, 0xF6, 0xF8));
        p.drawRoundedRect(key, 4, 4);
        p.setPen(QColor(0x22, 0x2A, 0x33));
        p.drawText(key, Qt::AlignCenter, QStringLiteral("F%1").arg(i + 1));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3F, 0xB9, 0x50));
    p.drawEllipse(QPointF(318, 230), 4, 4);
}

QImage DrawSplash()
{
    const QString family = COM_GUI_EX::CGUI_EX_Global::ResolveFontFamily("");
    QImage image(WIDTH, HEIGHT, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient sky(0, 0, 0, HEIGHT);
    sky.setColorAt(0, QColor(0x1F, 0x3A, 0x56));
    sky.setColorAt(1, QColor(0x0E, 0x1A, 0x28));
    p.fillRect(image.rect(), sky);
    p.fillRect(QRect(0, 300, WIDTH, 100), QColor(0xEE, 0xF1, 0xF4));
    p.fillRect(QRect(0, 296, WIDTH, 4), QColor(0x3F, 0xB9, 0x50));

    DrawPanel(p, family);

    p.setPen(Qt::white);
    p.setFont(Font(family, 46, true));
    p.drawText(QPointF(32, 130), QString::fromLatin1(PRODUCT));
    p.end();
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    ZQ_CLI::SetProgramName("splashgen");
    QCommandLineParser parser;
    ZQ_CLI::AddStandardOptions(parser, "Draws the editor's splash and About picture (500 x 400 PNG).");
    parser.addPositionalArgument("output", "The PNG file to write.", "OUTPUT.png");
    int exitCode = 0;
    if (!ZQ_CLI::ParseOrExit(parser, ZQ_CLI::ArgumentsOf(argc, argv), exitCode))
        return exitCode;
    if (parser.positionalArguments().size() != 1) {
        ZQ_CLI::PrintError(std::string("name one output file"));
        return ZQ_CLI::EXIT_USAGE;
    }
    const QString output = parser.positionalArguments().first();
    COM_GUI_EX::CGUI_EX_Global::Start(); // fonts without a window system
    QSaveFile file(output);
    const bool written = file.open(QIODevice::WriteOnly) && DrawSplash().save(&file, "PNG") && file.commit();
    if (!written)
        ZQ_CLI::PrintError(QStringLiteral("cannot write %1: %2").arg(output, file.errorString()));
    COM_GUI_EX::CGUI_EX_Global::End();
    return written ? ZQ_CLI::EXIT_DONE : ZQ_CLI::EXIT_FAILED;
}
