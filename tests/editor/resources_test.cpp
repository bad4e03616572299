// The editor's pictures as a program sees them once zq_add_editor_resources compiled them in: every
// icon of the source folder under :/icons as a 16 x 16 drawing in one ink, named in the folder's
// README, and the generated splash picture under :/about.png.
#include "comkit/gui_ex_dc.h"

#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

const QString SOURCE_ICONS = QStringLiteral(ZQ_SOURCE_DIR "/editor/app/resources/icons");

class EditorResources : public ::testing::Test {
protected:
    static void SetUpTestSuite() { COM_GUI_EX::CGUI_EX_Global::Start(); }
};

TEST_F(EditorResources, EveryIconOfTheFolderIsCompiledInAsA16PixelDrawingInOneInk)
{
    const QStringList sources = QDir(SOURCE_ICONS).entryList({"*.svg"}, QDir::Files, QDir::Name);
    const QStringList compiled = QDir(":/icons").entryList(QDir::Files, QDir::Name);
    ASSERT_GE(sources.size(), 35);
    EXPECT_EQ(compiled, sources) << "icons.qrc lists exactly the folder's icons";

    for (const QString& name : compiled) {
        SCOPED_TRACE(name.toStdString());
        QSvgRenderer renderer(":/icons/" + name);
        ASSERT_TRUE(renderer.isValid());
        EXPECT_EQ(renderer.viewBox(), QRect(0, 0, 16, 16));
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        // Every visible pixel is the ink of the first one (give or take the edges' rounding).
        int inked = 0, stray = 0;
        QColor ink;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const QColor pixel = image.pixelColor(x, y);
                if (pixel.alpha() < 64)
                    continue;
                if (!inked++)
                    ink = pixel;
                if (std::abs(pixel.red() - ink.red()) + std::abs(pixel.green() - ink.green()) +
                        std::abs(pixel.blue() - ink.blue()) >
                    48)
                    ++stray;
            }
        EXPECT_GE(inked, 12) << "a visible drawing";
        EXPECT_EQ(stray, 0) << "one ink, so the icon reads on any theme";
        EXPECT_FALSE(QIcon(":/icons/" + name).pixmap(16, 16).isNull()) << "Qt's SVG icon plugin";
    }
}

TEST_F(EditorResources, TheReadmeNamesEveryIconFile)
{
    QFile readme(SOURCE_ICONS + "/../README.md");
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(readme.readAll());
    for (const QString& name : QDir(SOURCE_ICONS).entryList({"*.svg"}, QDir::Files))
        EXPECT_TRUE(text.contains(name)) << name.toStdString();
}

TEST_F(EditorResources, TheSplashPictureIsAGenerated500By400PngWithTextOnIt)
{
    QFile file(":/about.png");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(8).startsWith("\x89PNG"));
    const QImage image(":/about.png");
    ASSERT_EQ(image.size(), QSize(500, 400));
    // The product name is drawn in white on the dark top area: it needs light and dark pixels.
    int light = 0, dark = 0;
    for (int y = 80; y < 140; ++y)
        for (int x = 30; x < 260; ++x)
            (qGray(image.pixel(x, y)) > 200 ? light : dark) += 1;
    EXPECT_GT(light, 500);
    EXPECT_GT(dark, 5000);
}

} // namespace
