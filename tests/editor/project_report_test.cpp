// The project report of the demo: HTML self-contained with every screen's picture exactly as the
// editor draws it, and a PDF whose pages, turned into pictures by pdftoppm, show those pictures.
#include "project_json_test_support.h"

#include "comkit/test_temp_dir.h"
#include "editor/project_render.h"
#include "editor/project_report.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <cstdlib>

// Under the leak checker, only the font library's own caches (the report lays out text through
// it) are forgiven; they are never freed in a process that ends.
// The leak checker calls its hook by this fixed name.
extern "C" const char* __lsan_default_suppressions() // NOLINT(bugprone-reserved-identifier)
{
    return "leak:libfontconfig.so\n";
}

using namespace PROJECT_TEST;

namespace {

QImage Gray(const QImage& image)
{
    return image.convertToFormat(QImage::Format_Grayscale8);
}

// The image shrunk by averaging blocks of `f` x `f` pixels.
QImage Shrunk(const QImage& gray, int f)
{
    QImage out(gray.width() / f, gray.height() / f, QImage::Format_Grayscale8);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            int sum = 0;
            for (int j = 0; j < f; ++j)
                for (int i = 0; i < f; ++i)
                    sum += qGray(gray.pixel(x * f + i, y * f + j));
            out.setPixel(x, y, uint(sum / (f * f)));
        }
    return out;
}

// The smallest mean difference of the picture placed anywhere on the page (both shrunk).
double BestPlacement(const QImage& page, const QImage& picture)
{
    double best = 255;
    for (int y = 0; y + picture.height() <= page.height(); ++y)
        for (int x = 0; x + picture.width() <= page.width(); ++x) {
            long long sum = 0;
            for (int j = 0; j < picture.height() && sum < best * picture.width() * picture.height(); ++j) {
                const uchar* a = page.constScanLine(y + j) + x;
                const uchar* b = picture.constScanLine(j);
                for (int i = 0; i < picture.width(); ++i)
                    sum += std::abs(int(a[i]) - int(b[i]));
            }
            best = std::min(best, double(sum) / (picture.width() * picture.height()));
        }
    return best;
}

double MeanDarkness(const QImage& gray)
{
    long long sum = 0;
    for (int y = 0; y < gray.height(); ++y)
        for (int x = 0; x < gray.width(); ++x)
            sum += 255 - qGray(gray.pixel(x, y));
    return double(sum) / (gray.width() * gray.height());
}

} // namespace

TEST(ProjectReport, HtmlIsSelfContainedWithTheEditorsPictures)
{
    auto project = DemoProject();
    ASSERT_NE(project, nullptr);
    const Bytes saved = SaveBytes(*project);
    const QString html = QString::fromStdString(CProjectReport::Html(*project, "demo.ZQE"));
    EXPECT_EQ(SaveBytes(*project), saved) << "the report changes nothing";
    for (const char* text : {"项目报告：demo.ZQE", "QMX200", "画面2 参数设置", "设定温度", "D200 (200, 站 1, 读写)",
                             "0 - 1200", "F1 → 画面2 参数设置", "F2: 交替", "0x0108", "检查没有发现问题。"})
        EXPECT_TRUE(html.contains(QString::fromUtf8(text))) << text;
    // Every picture is embedded: no other source, and each is the editor's drawing of its screen.
    const QRegularExpression sources(QStringLiteral("src=\"([^\"]*)\""));
    int screen = 0;
    for (auto it = sources.globalMatch(html); it.hasNext();) {
        const QString src = it.next().captured(1);
        ASSERT_TRUE(src.startsWith(QLatin1String("data:image/png;base64,"))) << src.left(40).toStdString();
        const QImage embedded = QImage::fromData(QByteArray::fromBase64(src.mid(22).toLatin1()), "PNG");
        ++screen;
        const QImage drawn =
            CProjectRender::RenderScreen(project->GetScreenByNumber(screen), CProjectReport::PICTURE_ZOOM);
        EXPECT_EQ(embedded.size(), QSize(576, 192));
        EXPECT_EQ(embedded.convertToFormat(QImage::Format_RGB32), drawn.convertToFormat(QImage::Format_RGB32))
            << "screen " << screen;
    }
    EXPECT_EQ(screen, 3);
}

TEST(ProjectReport, PdfPagesShowEveryScreen)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    auto project = DemoProject();
    ASSERT_NE(project, nullptr);
    CTestTempDir dir;
    std::string error;
    const std::string pdf = dir.File("demo.pdf");
    ASSERT_TRUE(CProjectReport::Write(*project, "demo.ZQE", pdf, error)) << error;
    EXPECT_EQ(CTestTempDir::ReadBytes(pdf).rfind("%PDF-", 0), 0u);
    // At 96 dpi a picture pixel is a page pixel, as the report lays it out.
    ASSERT_EQ(QProcess::execute(QStringLiteral("pdftoppm"),
                                {QStringLiteral("-r"), QStringLiteral("96"), QStringLiteral("-gray"),
                                 QStringLiteral("-png"), QString::fromStdString(pdf),
                                 QString::fromStdString(dir.File("page"))}),
              0);
    std::vector<QImage> pages;
    for (const QString& name : QDir(QString::fromStdString(dir.Path())).entryList({QStringLiteral("page*.png")}))
        pages.push_back(Shrunk(Gray(QImage(QString::fromStdString(dir.File(name.toStdString())))), 4));
    ASSERT_GE(pages.size(), 2u);
    for (int screen = 1; screen <= project->GetScreenCount(); ++screen) {
        const QImage picture =
            Shrunk(Gray(CProjectRender::RenderScreen(project->GetScreenByNumber(screen), CProjectReport::PICTURE_ZOOM)),
                   4);
        double best = 255;
        for (const QImage& page : pages)
            best = std::min(best, BestPlacement(page, picture));
        // Found where it stands, far closer than on blank paper.
        EXPECT_LT(best, MeanDarkness(picture) / 3) << "screen " << screen;
    }

    EXPECT_FALSE(CProjectReport::Write(*project, "demo.ZQE", dir.File("demo.txt"), error));
    EXPECT_NE(error.find("demo.txt"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.File("demo.txt")));
}
