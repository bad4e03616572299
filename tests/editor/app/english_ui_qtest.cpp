// The editor in English: the same project saved and compiled in Chinese and then in English gives
// the same bytes, the windows show the English catalogue, and a catalogue name chosen from an
// English list is stored as the catalogue's own (Chinese) name.
#include "editor_test_support.h"

#include "appkit/ui_language.h"
#include "devices/plc_collection.h"
#include "editor/app/dialogs/dlg_device_select.h"
#include "editor/app/editor_app.h"
#include "editor/app/editor_commands.h"
#include "editor/app/editor_doc.h"
#include "editor/app/editor_view.h"
#include "editor/app/main_frame.h"
#include "editor/project.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray ImageOf(CProject* project)
{
    const DWORD size = project->Compile(nullptr, 0);
    QByteArray image(int(size), '\0');
    if (size == 0 || project->Compile(reinterpret_cast<BYTE*>(image.data()), size) != size)
        return QByteArray();
    return image;
}

} // namespace

class EnglishUiTest : public QObject, private FrameFixture {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QByteArray m_chineseProject;
    QByteArray m_chineseImage;

    // Opens the demo, saves it as name in the scratch folder and compiles it; the saved bytes and
    // the image.
    void SaveAndCompileDemo(const QString& name, QByteArray& project, QByteArray& image)
    {
        QVERIFY(StartFrame());
        QVERIFY(OpenDemo(*m_frame));
        m_prompts->files = {m_dir.filePath(name)};
        QVERIFY(m_frame->SaveDocumentAs());
        project = ReadAll(m_dir.filePath(name));
        image = ImageOf(m_frame->GetDocument()->GetProject());
        QVERIFY(m_prompts->messages.isEmpty());
        QVERIFY(EndFrame());
    }

    QStringList MenuTitles() const
    {
        QStringList titles;
        for (QAction* action : m_frame->menuBar()->actions())
            titles << action->text();
        return titles;
    }

private slots:
    void savedAndCompiledBytesDoNotDependOnTheLanguage()
    {
        QCOMPARE(ZQ_I18N::UiLanguage(), ZQ_I18N::LANGUAGE_CHINESE); // the test environment's choice
        SaveAndCompileDemo(QStringLiteral("zh.ZQE"), m_chineseProject, m_chineseImage);
        QVERIFY(m_chineseProject.startsWith("ZQE"));
        QVERIFY(!m_chineseImage.isEmpty());

        qputenv("ZQ_LANG", "en");
        QCOMPARE(ZQ_I18N::UiLanguage(), ZQ_I18N::LANGUAGE_ENGLISH);
        QVERIFY(ZQ_I18N::InstallTranslator(*qApp)); // the catalogue lies beside the test
        QByteArray englishProject, englishImage;
        SaveAndCompileDemo(QStringLiteral("en.ZQE"), englishProject, englishImage);
        QCOMPARE(englishProject, m_chineseProject);
        QCOMPARE(englishImage, m_chineseImage);
    }

    void theWindowsSpeakEnglish()
    {
        QVERIFY(StartFrame(CZQEditorApp::CreateMainFrame()));
        QVERIFY(MenuTitles().contains(QStringLiteral("&File")));
        QVERIFY(MenuTitles().contains(QStringLiteral("&Help")));
        // The undo entry names its step, and the status bar describes the selection, in English
        // also when the attribute pane reports it.
        QVERIFY(OpenDemo(*m_frame));
        CZQEditorView* view = m_frame->GetActiveView();
        view->SelectControlByLayoutIndex(2); // the register
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Right);
        QCOMPARE(m_frame->GetAction(ID_EDIT_UNDO)->text(), QStringLiteral("&Undo Move"));
        const QString status = m_frame->GetStatusPane(0)->text();
        QVERIFY2(!status.isEmpty() && !status.contains(QRegularExpression(QStringLiteral("[\\x{4e00}-\\x{9fff}]"))),
                 qPrintable(status));
        QVERIFY(EndFrame());
    }

    void aCatalogueNameChosenInEnglishIsStoredInChinese()
    {
        CProject project;
        CDlgDeviceSelect dialog(&project);
        dialog.show();
        QComboBox* plcs = dialog.Child<QComboBox>(CDlgDeviceSelect::ID_PLC);
        plcs->setCurrentIndex(0);
        QCOMPARE(plcs->currentText(), QStringLiteral("MODBUS free protocol"));
        QTest::mouseClick(dialog.Child<QPushButton>(1), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const char* stored = CPLCCollection::GetInstance()->ConvertPLCIDToPLCName(100);
        QVERIFY(stored);
        QCOMPARE(QByteArray::fromStdString(project.GetPLCName()), QByteArray(stored));
    }
};

int main(int argc, char** argv)
{
    UseTemporarySettings();
    QApplication app(argc, argv);
    EnglishUiTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "english_ui_qtest.moc"
