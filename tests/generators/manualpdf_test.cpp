// The user manual as the build makes it (a PDF of many pages beside the editor), and the renderer
// on chapters of the test's own: page per chapter after the title and contents pages, pictures
// embedded, and refusals that leave an existing file as it was.
#include "comkit/module_path.h"
#include "comkit/test_temp_dir.h"

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// Page objects of a PDF (not the page tree's own "/Type /Pages").
int PageCount(const std::string& pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
    const QString text = QString::fromLatin1(QByteArray::fromStdString(pdf));
    int count = 0;
    for (auto it = page.globalMatch(text); it.hasNext(); it.next())
        ++count;
    return count;
}

struct RUN {
    int exitCode;
    std::string errors;
};

RUN RunManualPdf(const QStringList& arguments)
{
    QProcess process;
    // Under the leak checker, only the font library's own caches are forgiven.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LSAN_OPTIONS"),
                       QStringLiteral("suppressions=" ZQ_SOURCE_DIR "/tests/generators/fontconfig_leaks.supp"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ZQ_MANUALPDF), arguments);
    EXPECT_TRUE(process.waitForFinished(120000));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardError().toStdString()};
}

TEST(ManualPdf, TheBuildPutsAManualOfManyPagesBesideThePrograms)
{
    const std::string pdf = CTestTempDir::ReadBytes(COMMON_EX::GetProgramFilePath("Manual.pdf"));
    ASSERT_GT(pdf.size(), 10000u);
    EXPECT_EQ(pdf.compare(0, 5, "%PDF-"), 0);
    EXPECT_NE(pdf.find("%%EOF", pdf.size() - 16), std::string::npos) << "a whole file";
    EXPECT_GE(PageCount(pdf), 10);
    EXPECT_NE(pdf.find("/Subtype /Image"), std::string::npos) << "the screenshots are embedded";
}

class ManualPdfRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directory(dir.File("pictures"));
        std::filesystem::copy_file(ZQ_SOURCE_DIR "/docs/demo-screen-1.png", dir.File("pictures/demo.png"));
        CTestTempDir::WriteBytes(dir.File("01-first.md"),
                                 "# First\n\nText with a picture:\n\n![Demo](pictures/demo.png)\n");
        CTestTempDir::WriteBytes(dir.File("02-second.md"), "# Second\n\n## Part\n\n| a | b |\n|---|---|\n| 1 | 2 |\n");
    }
    QString File(const char* name) const { return QString::fromStdString(dir.File(name)); }

    CTestTempDir dir;
};

TEST_F(ManualPdfRun, EachChapterStartsAPageAfterTheTitleAndContentsWithItsPicturesEmbedded)
{
    const RUN run = RunManualPdf(
        {"--title", "T", "--subtitle", "S", "-o", File("out.pdf"), File("01-first.md"), File("02-second.md")});
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const std::string pdf = CTestTempDir::ReadBytes(dir.File("out.pdf"));
    EXPECT_EQ(pdf.compare(0, 5, "%PDF-"), 0);
    EXPECT_EQ(PageCount(pdf), 4) << "title, contents, one page per chapter";
    EXPECT_NE(pdf.find("/Subtype /Image"), std::string::npos);
}

TEST_F(ManualPdfRun, AMissingPictureOrChapterFailsAndLeavesTheOldFile)
{
    CTestTempDir::WriteBytes(dir.File("out.pdf"), "old manual");
    CTestTempDir::WriteBytes(dir.File("03-broken.md"), "# Broken\n\n![Gone](pictures/gone.png)\n");
    RUN run = RunManualPdf({"-o", File("out.pdf"), File("01-first.md"), File("03-broken.md")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.errors.find("pictures/gone.png"), std::string::npos) << run.errors;

    run = RunManualPdf({"-o", File("out.pdf"), File("01-first.md"), File("04-absent.md")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.errors.find("04-absent.md"), std::string::npos) << run.errors;
    EXPECT_EQ(CTestTempDir::ReadBytes(dir.File("out.pdf")), "old manual");

    EXPECT_EQ(RunManualPdf({File("01-first.md")}).exitCode, 2) << "no output named";
    EXPECT_EQ(RunManualPdf({"-o", File("out.pdf")}).exitCode, 2) << "no chapters";
    int outputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        outputs += entry.path().filename().string().rfind("out.pdf", 0) == 0;
    EXPECT_EQ(outputs, 1) << "no temporary file left behind";
}

} // namespace
