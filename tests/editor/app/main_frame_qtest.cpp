// The main frame's file and screen commands with every prompt answered by the test: screens up
// to the limit and down to the last, hidden screen windows, damaged files, the save prompt on
// new, open, drop and close, saving under a proposed name, and the keys of edit boxes in bars.
#include "editor_test_support.h"

#include "editor/app/about_dlg.h"
#include "editor/app/child_frame.h"
#include "editor/app/controls_clipboard.h"
#include "editor/app/dialogs/dlg_attributes_set.h"
#include "editor/app/editor_app.h"
#include "editor/app/editor_bars.h"
#include "editor/app/editor_commands.h"
#include "editor/app/editor_doc.h"
#include "editor/app/editor_view.h"
#include "editor/app/main_frame.h"
#include "editor/app/recent_files.h"
#include "editor/editor_strings.h"
#include "editor/project.h"
#include "editor/project_file.h"

#include "controls/control_base.h"
#include "controls/dsp/dsp_screen.h"
#include "controls/screen_base.h"
#include "controls/screens_list.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

QString Text(UINT id)
{
    return QString::fromUtf8(CEditorStrings::Get(id));
}

QByteArray DemoBytes()
{
    QFile file(QStringLiteral(ZQ_DEMO_PROJECT));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

int VisibleFrames(CMainFrame& frame)
{
    int visible = 0;
    for (CZQEditorView* view : frame.GetViews())
        visible += frame.FrameOf(view)->isVisible() ? 1 : 0;
    return visible;
}

// Receives the URLs the program asks the desktop to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void Open(const QUrl& url) { urls << url; }
};

} // namespace

class MainFrameTest : public QObject, private FrameFixture {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    CProject* Project() { return m_frame->GetDocument() ? m_frame->GetDocument()->GetProject() : nullptr; }

private slots:
    void init() { QVERIFY(StartFrame()); }
    void cleanup() { QVERIFY(EndFrame()); }

    void withoutProjectOnlyTheFileCommandsWork()
    {
        QVERIFY(!m_frame->GetDocument());
        QVERIFY(m_frame->GetAction(ID_FILE_NEW)->isEnabled());
        QVERIFY(!m_frame->GetAction(ID_FILE_SAVE)->isVisible());
        QVERIFY(!m_frame->GetEditMenu()->menuAction()->isVisible());
        QVERIFY(!Enabled(ID_SCREEN_NEW));
        QVERIFY(!Enabled(ID_EDIT_UNDO));
        QCOMPARE(m_frame->GetAction(ID_EDIT_CUT)->shortcuts(),
                 (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+X")),
                                      QKeySequence(QStringLiteral("Shift+Del"))}));
        QCOMPARE(m_frame->GetAction(ID_ALIGN_LEFT)->statusTip(), QStringLiteral("选择的控件左对齐"));
        QCOMPARE(m_frame->GetAction(ID_ALIGN_LEFT)->toolTip(), QStringLiteral("左对齐"));
    }

    // A frame runs the dialogs it is given: New and the screen panel's "设置" ask its one device
    // selection (handed on to the document, for the open project too), the panel settings command
    // its own dialog; a frame given none (init's) keeps that command off.
    void theFrameRunsTheDialogsItIsGiven()
    {
        QVERIFY(OpenDemo(*m_frame));
        QVERIFY(!Enabled(ID_SCREEN_ATTRIBUTES));
        QVERIFY(EndFrame());

        QStringList asked;
        CMainFrame::Dialogs dialogs;
        dialogs.selectDevice = [&](CProject& project, QWidget* parent) {
            asked << QStringLiteral("device %1 %2").arg(&project == Project()).arg(parent == m_frame.get());
            return false;
        };
        dialogs.screenAttributes = [&](CProject& project, QWidget* parent) {
            asked << QStringLiteral("panel %1 %2").arg(&project == Project()).arg(parent == m_frame.get());
            return true;
        };
        auto frame = std::make_unique<CMainFrame>(std::move(dialogs));
        PlugEditorBars(frame.get());
        QVERIFY(StartFrame(std::move(frame)));
        QVERIFY(!m_frame->NewDocument()); // the given selection cancels, where none would not
        QVERIFY(!m_frame->GetDocument());
        QVERIFY(OpenDemo(*m_frame));
        auto* pane = m_frame->findChild<CDlgAttributesSet*>();
        QVERIFY(pane && pane->GetScreenWindow() && pane->GetScreenWindow()->isVisible());
        QTest::mouseClick(pane->GetScreenWindow()->GetDeviceButton(), Qt::LeftButton);
        QVERIFY(Enabled(ID_SCREEN_ATTRIBUTES));
        Trigger(ID_SCREEN_ATTRIBUTES);
        QCOMPARE(asked, (QStringList{"device 0 1", "device 1 1", "panel 1 1"}));
        QVERIFY(!m_frame->GetDocument()->IsModified());
    }

    void everyScreenGetsAWindowAndPreviousNextFollowTheList()
    {
        QVERIFY(OpenDemo(*m_frame));
        QCOMPARE(m_frame->GetViews().size(), 3);
        QCOMPARE(m_frame->GetActiveView()->windowTitle(), QStringLiteral("主画面"));
        QCOMPARE(m_frame->FrameOf(m_frame->GetActiveView())->size(), QSize(900, 420));
        QCOMPARE(Project()->GetActivateScreenIndex(), 0);
        QVERIFY(!Enabled(ID_SCREEN_PREVIOUS));
        QVERIFY(Enabled(ID_SCREEN_NEXT));
        QTest::keyClick(m_frame->GetActiveView(), Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(Project()->GetActivateScreenIndex(), 1);
        QTest::keyClick(m_frame->GetActiveView(), Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(Project()->GetActivateScreenIndex(), 2);
        QCOMPARE(m_frame->GetActiveView()->windowTitle(), QStringLiteral("报警"));
        QVERIFY(!Enabled(ID_SCREEN_NEXT));
        QTest::keyClick(m_frame->GetActiveView(), Qt::Key_Left, Qt::ControlModifier);
        QCOMPARE(Project()->GetActivateScreenIndex(), 1);
        QVERIFY(!m_frame->GetDocument()->IsModified());
    }

    void newScreensStopAtSixteen()
    {
        QVERIFY(OpenDemo(*m_frame));
        QSignalSpy activated(m_frame.get(), &CMainFrame::activeScreenChanged);
        for (int i = 3; i < 16; ++i)
            m_frame->GetAction(ID_SCREEN_NEW)->trigger();
        QCOMPARE(Project()->GetScreenCount(), 16);
        QCOMPARE(m_frame->GetViews().size(), 16);
        QVERIFY(activated.count() >= 13);
        QCOMPARE(m_frame->GetActiveView()->GetScreen(), Project()->GetLastScreen());
        QVERIFY(m_frame->GetDocument()->IsModified());
        QCOMPARE(Project()->GetChangeMarker(), 1u);
        m_frame->GetAction(ID_SCREEN_NEW)->trigger();
        m_frame->GetAction(ID_SCREEN_COPY)->trigger();
        QCOMPARE(m_prompts->messages,
                 (QStringList{Text(CEditorStrings::IDS_SCREEN_LIMIT), Text(CEditorStrings::IDS_SCREEN_LIMIT)}));
        QCOMPARE(Project()->GetScreenCount(), 16);
    }

    void copyScreenCopiesTheActiveOne()
    {
        QVERIFY(OpenDemo(*m_frame));
        const int controls = Project()->GetFirstScreen()->GetControlCount();
        m_frame->GetAction(ID_SCREEN_COPY)->trigger();
        QCOMPARE(Project()->GetScreenCount(), 4);
        QCOMPARE(m_frame->GetActiveView()->GetScreen()->GetControlCount(), controls);
        QCOMPARE(m_frame->GetActiveView()->windowTitle(), QStringLiteral("Screen_3"));
    }

    void deleteScreenAsksAndKeepsTheLast()
    {
        QVERIFY(OpenDemo(*m_frame));
        m_frame->OnNextScreen();
        m_prompts->answers = {QMessageBox::Yes, QMessageBox::Cancel}; // keys name the screen: go on
        m_frame->GetAction(ID_SCREEN_DELETE)->trigger();
        QCOMPARE(Project()->GetScreenCount(), 3);
        QCOMPARE(m_prompts->messages.last(),
                 Text(CEditorStrings::IDS_DELETE_SCREEN_ASK).replace(QStringLiteral("%s"), QStringLiteral("参数设置")));
        m_frame->GetAction(ID_SCREEN_DELETE)->trigger(); // answered OK
        QCOMPARE(Project()->GetScreenCount(), 2);
        QStringList titles; // the shown screen went
        for (CZQEditorView* view : m_frame->GetViews())
            titles << view->GetScreenTitle();
        QCOMPARE(titles, (QStringList{QStringLiteral("主画面"), QStringLiteral("报警")}));
        QCOMPARE(m_frame->GetViews().size(), 2);
        QVERIFY(m_frame->GetActiveView());
        QVERIFY(Enabled(ID_SCREEN_DELETE));
        m_frame->GetAction(ID_SCREEN_DELETE)->trigger();
        QCOMPARE(Project()->GetScreenCount(), 1);
        m_frame->GetAction(ID_SCREEN_DELETE)->trigger();
        QCOMPARE(m_prompts->messages.last(), Text(CEditorStrings::IDS_DELETE_LAST_SCREEN));
        QCOMPARE(Project()->GetScreenCount(), 1);
        QCOMPARE(m_frame->GetViews().size(), 1);
    }

    void closingOneOfSeveralScreenWindowsHidesIt()
    {
        QVERIFY(OpenDemo(*m_frame));
        CZQEditorView* first = m_frame->GetActiveView();
        m_frame->FrameOf(first)->close();
        QCOMPARE(Project()->GetScreenCount(), 3);
        QCOMPARE(VisibleFrames(*m_frame), 2);
        QVERIFY(m_frame->GetActiveView() && m_frame->GetActiveView() != first);
        m_frame->OnScreenChosen(0); // the screens list shows it again
        QCOMPARE(m_frame->GetActiveView(), first);
        QCOMPARE(VisibleFrames(*m_frame), 3);
        QVERIFY(m_prompts->messages.isEmpty());
    }

    void closingTheLastScreenWindowClosesTheProject()
    {
        QVERIFY(m_frame->NewDocument()); // first panel model and PLC of the catalogues
        QCOMPARE(Project()->GetScreenCount(), 1);
        QVERIFY(!Project()->GetDeviceName().empty());
        QSignalSpy closed(m_frame.get(), &CMainFrame::documentClosed);
        m_prompts->answers = {QMessageBox::No};
        m_frame->FrameOf(m_frame->GetActiveView())->close();
        QTRY_VERIFY(!m_frame->GetDocument());
        QCOMPARE(closed.count(), 1);
        QCOMPARE(m_prompts->messages.size(), 1); // the save prompt
    }

    void damagedFilesAreRefusedAndTheOpenProjectStays()
    {
        QVERIFY(OpenDemo(*m_frame));
        CZQEditorDoc* doc = m_frame->GetDocument();
        CProject* project = Project();
        m_frame->GetActiveView()->InsertControl(CControlBase::CONTROL_STATIC_TEXT);
        const int controls = project->GetControlsCount();
        QByteArray longer = DemoBytes() + QByteArray(1, '\0');
        QByteArray badMagic = DemoBytes();
        badMagic[1] = 'X';
        const QByteArray shortFile = DemoBytes().left(20);
        for (const QByteArray& bytes : {longer, badMagic, shortFile}) {
            m_prompts->answers = {QMessageBox::No}; // do not save the open project
            QVERIFY(!m_frame->OpenDocument(WriteFile(m_dir, QStringLiteral("bad.ZQE"), bytes)));
            QCOMPARE(m_prompts->messages.last(), Text(CEditorStrings::IDS_PROJECT_DAMAGED));
            QCOMPARE(m_frame->GetDocument(), doc);
            QCOMPARE(Project(), project);
            QCOMPARE(project->GetControlsCount(), controls);
            QVERIFY(doc->IsModified());
            QCOMPARE(m_frame->GetViews().size(), 3);
        }
    }

    void savePromptOnNewOpenAndClose()
    {
        QVERIFY(OpenDemo(*m_frame));
        CZQEditorDoc* doc = m_frame->GetDocument();
        doc->SetModified(true);
        m_prompts->answers = {QMessageBox::Cancel};
        QVERIFY(!m_frame->NewDocument());
        QCOMPARE(m_frame->GetDocument(), doc);
        m_prompts->answers = {QMessageBox::Cancel};
        QVERIFY(!m_frame->CloseDocument());
        QCOMPARE(m_frame->GetDocument(), doc);
        // Yes saves to the project's own file (a copy here), then the open dialog is cancelled.
        const QString copy = WriteFile(m_dir, QStringLiteral("copy.ZQE"), DemoBytes());
        QVERIFY(m_frame->OpenDocument(copy));
        m_frame->GetActiveView()->InsertControl(CControlBase::CONTROL_LIGHT);
        m_prompts->answers = {QMessageBox::Yes};
        QVERIFY(!m_frame->OnFileOpen());
        QCOMPARE(m_prompts->proposedFiles.size(), 1);
        QVERIFY(!m_frame->GetDocument()->IsModified());
        std::string error;
        std::unique_ptr<CProject> saved(CProjectFile::Open(copy.toStdString(), error));
        QVERIFY(saved);
        QCOMPARE(saved->GetControlsCount(), Project()->GetControlsCount());
        // No discards: the new project replaces it.
        m_frame->GetDocument()->SetModified(true);
        m_prompts->answers = {QMessageBox::No};
        QVERIFY(m_frame->NewDocument());
        QCOMPARE(Project()->GetScreenCount(), 1);
        QCOMPARE(CRecentFiles().GetFiles().first(), QFileInfo(copy).absoluteFilePath());
    }

    void droppedFileAsksWhetherToCloseWithoutSaving()
    {
        QVERIFY(OpenDemo(*m_frame));
        CZQEditorDoc* doc = m_frame->GetDocument();
        doc->SetModified(true);
        const QString other = WriteFile(m_dir, QStringLiteral("dropped.ZQE"), DemoBytes());
        auto drop = [&] {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(other)});
            QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(m_frame.get(), &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent event(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(m_frame.get(), &event);
        };
        m_prompts->answers = {QMessageBox::Cancel};
        drop();
        QCOMPARE(m_prompts->messages.size(), 1);
        QCOMPARE(m_prompts->messages.last(), Text(CEditorStrings::IDS_CLOSE_WITHOUT_SAVE));
        QCOMPARE(m_frame->GetDocument(), doc);
        m_prompts->answers = {QMessageBox::Ok};
        drop();
        QVERIFY(m_frame->GetDocument() != doc);
        QCOMPARE(m_frame->GetDocument()->GetPathName(), QFileInfo(other).absoluteFilePath());
    }

    void saveProposesTheTitleAndAppendsTheExtension()
    {
        QVERIFY(m_frame->NewDocument());
        m_prompts->files = {m_dir.filePath(QStringLiteral("out  "))};
        QVERIFY(m_frame->SaveDocument());
        QCOMPARE(m_prompts->proposedFiles, QStringList{QStringLiteral("ZQEdit1.ZQE")});
        const QString saved = m_dir.filePath(QStringLiteral("out.ZQE"));
        QCOMPARE(m_frame->GetDocument()->GetPathName(), saved);
        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(3), QByteArray("ZQE"));
        QVERIFY(!m_frame->GetDocument()->IsModified());
        // Save As with a lower-case extension keeps it; a cancelled dialog writes nothing.
        m_prompts->files = {m_dir.filePath(QStringLiteral("second.zqe"))};
        QVERIFY(m_frame->SaveDocumentAs());
        QVERIFY(QFile::exists(m_dir.filePath(QStringLiteral("second.zqe"))));
        QVERIFY(!m_frame->SaveDocumentAs());
        // A folder that cannot be written: the reason is shown, the project keeps its file.
        m_frame->GetDocument()->SetModified(true);
        m_prompts->files = {m_dir.filePath(QStringLiteral("missing/folder/third"))};
        QVERIFY(!m_frame->SaveDocumentAs());
        QVERIFY(m_prompts->messages.size() == 1 && !m_prompts->messages.first().isEmpty());
        QCOMPARE(m_frame->GetDocument()->GetPathName(), m_dir.filePath(QStringLiteral("second.zqe")));
        QVERIFY(m_frame->GetDocument()->IsModified());
    }

    void editBoxesInBarsKeepTheirClipboardAndDeleteKeys()
    {
        QVERIFY(OpenDemo(*m_frame));
        auto* edit = new QLineEdit(QStringLiteral("炉温"));
        m_frame->SetAttributeBar(edit);
        CZQEditorView* view = m_frame->GetActiveView();
        view->SelectControlByLayoutIndex(0);
        const int controls = view->GetScreen()->GetControlCount();
        QGuiApplication::clipboard()->clear();
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("炉温"));
        QVERIFY(!CControlsClipboard::HasData());
        QTest::keyClick(edit, Qt::Key_Delete);
        QCOMPARE(edit->text(), QString());
        QCOMPARE(view->GetScreen()->GetControlCount(), controls);
        // In the view the same keys act on the controls.
        view->setFocus();
        QTRY_VERIFY(view->hasFocus());
        QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(CControlsClipboard::HasData());
        QTest::keyClick(view, Qt::Key_Delete);
        QCOMPARE(view->GetScreen()->GetControlCount(), controls - 1);
    }

    void exitAsksToSaveAndCancelKeepsTheWindow()
    {
        QVERIFY(OpenDemo(*m_frame));
        m_frame->GetDocument()->SetModified(true);
        m_prompts->answers = {QMessageBox::Cancel};
        m_frame->GetAction(ID_APP_EXIT)->trigger();
        QVERIFY(m_frame->isVisible());
        QVERIFY(m_frame->GetDocument());
        m_prompts->answers = {QMessageBox::No};
        m_frame->GetAction(ID_APP_EXIT)->trigger();
        QVERIFY(!m_frame->isVisible());
        QVERIFY(!m_frame->GetDocument());
        QCOMPARE(m_prompts->messages.size(), 2);
    }

    void startWithoutFileShowsTheSplashThenAnEmptyFrame()
    {
        CZQEditorApp editor;
        bool splashSeen = false, escIgnored = false;
        QTimer::singleShot(200, [&] {
            auto* splash = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
            splashSeen = splash && splash->GetMode() == CAboutDlg::SPLASH && splash->size() == QSize(500, 400);
            if (splash) {
                QTest::keyClick(splash, Qt::Key_Escape);
                escIgnored = splash->isVisible();
            }
        });
        QElapsedTimer shown;
        shown.start();
        QVERIFY(editor.InitInstance({}));
        QVERIFY(shown.elapsed() >= CAboutDlg::SPLASH_MS - 100);
        QVERIFY(splashSeen);
        QVERIFY(escIgnored);
        QVERIFY(editor.GetMainFrame()->isVisible());
        QVERIFY(!editor.GetMainFrame()->GetDocument());
        // A file on the command line opens without the splash.
        CZQEditorApp second;
        shown.restart();
        QVERIFY(second.InitInstance({QStringLiteral(ZQ_DEMO_PROJECT)}));
        QVERIFY(shown.elapsed() < CAboutDlg::SPLASH_MS);
        QCOMPARE(second.GetMainFrame()->GetViews().size(), 3);
    }

    void helpOpensTheManualBesideTheProgram()
    {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "Open");
        QTest::keyClick(m_frame.get(), Qt::Key_F1);
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCOMPARE(catcher.urls.size(), 1);
        QCOMPARE(catcher.urls.first().toLocalFile(),
                 QCoreApplication::applicationDirPath() + QStringLiteral("/Manual.pdf"));
    }

    void barMessagesReachTheViews()
    {
        QVERIFY(OpenDemo(*m_frame));
        CZQEditorView* view = m_frame->GetActiveView();
        m_frame->OnAttributeControlChosen(2);
        QCOMPARE(view->GetScreen()->GetCurrentSelectControl(), view->GetScreen()->GetLayoutControls()[2]);
        m_frame->OnAttributeScreenChosen();
        QCOMPARE(view->GetScreen()->GetCurrentSelectControlsCount(), 0);
        m_frame->OnZoomChosen(0);
        QCOMPARE(Project()->GetScreenZoomRate(), 1.0);
        view->GetScreen()->SetScreenName("Main");
        m_frame->OnScreenNameChanged();
        QCOMPARE(m_frame->FrameOf(view)->windowTitle(), QStringLiteral("Main"));
        QVERIFY(m_frame->GetDocument()->IsModified());
        // A plugged zoom bar gets the wheel steps instead.
        m_frame->SetZoomBar(new QLabel(QStringLiteral("zoom")));
        QSignalSpy steps(m_frame.get(), &CMainFrame::zoomStepRequested);
        Wheel(view, -120, Qt::ControlModifier);
        QCOMPARE(steps.count(), 1);
        QCOMPARE(steps.at(0).at(0).toInt(), -120);
        QCOMPARE(Project()->GetScreenZoomRate(), 1.0);
    }
};

int main(int argc, char** argv)
{
    UseTemporarySettings();
    QApplication app(argc, argv);
    MainFrameTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "main_frame_qtest.moc"
