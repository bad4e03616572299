// The editor in the Chinese UI as a user meets it: Qt's own buttons and the file errors in Chinese
// (the file name aside), the main frame's size and bar layout kept from one run to the next, and the
// screen windows cascaded so every title shows.
#include "editor_test_support.h"

#include "appkit/ui_language.h"
#include "editor/app/child_frame.h"
#include "editor/app/editor_app.h"
#include "editor/app/editor_doc.h"
#include "editor/app/editor_view.h"
#include "editor/app/main_frame.h"

#include <QDockWidget>
#include <QFile>
#include <QMdiArea>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// True when no sentence of text, the file name taken out, is English: two Latin words or more
// without a Chinese character (a lone name such as ".ZQE" is no sentence).
bool EverySentenceChinese(QString text, const QString& path)
{
    text.remove(path);
    static const QRegularExpression stops(QStringLiteral("[：:，,。！!？?；;\\n（）()“”'\"]"));
    static const QRegularExpression word(QStringLiteral("[A-Za-z]+"));
    static const QRegularExpression chinese(QStringLiteral("[\\x{4e00}-\\x{9fff}]"));
    for (const QString& sentence : text.split(stops)) {
        int words = 0;
        for (auto it = word.globalMatch(sentence); it.hasNext(); it.next())
            ++words;
        if (words >= 2 && !sentence.contains(chinese))
            return false;
    }
    return true;
}

} // namespace

class LooksTest : public QObject, FrameFixture {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(ZQ_I18N::InstallWindowTranslators(*qApp)); }

    void qtButtonsAndFileErrorsSpeakChinese()
    {
        QMessageBox box(QMessageBox::Question, QString(), QString(), QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("取消"));

        QVERIFY(StartFrame());
        QTemporaryDir dir;
        const QString missing = dir.filePath(QStringLiteral("gone.ZQE"));
        const QString damaged = dir.filePath(QStringLiteral("damaged.ZQE"));
        QFile file(damaged);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("not a project") > 0);
        file.close();
        QVERIFY(!m_frame->OpenDocument(missing));
        QVERIFY(!m_frame->OpenDocument(damaged));
        // A save into a folder that is not there.
        QVERIFY(OpenDemo(*m_frame));
        const QString unwritable = dir.filePath(QStringLiteral("no-folder/new.ZQE"));
        m_prompts->files << unwritable;
        QVERIFY(!m_frame->SaveDocumentAs());
        const QStringList paths = {missing, damaged, unwritable};
        QCOMPARE(m_prompts->messages.size(), 3);
        for (int i = 0; i < 3; ++i)
            QVERIFY2(EverySentenceChinese(m_prompts->messages[i], paths[i]), qPrintable(m_prompts->messages[i]));
        QVERIFY(m_prompts->messages[0].contains(QStringLiteral("没有那个文件或目录")));
        QVERIFY(EndFrame());
    }

    void windowPlaceIsKeptAndScreenWindowsCascade()
    {
        {
            CZQEditorApp editor;
            QVERIFY(editor.InitInstance({QStringLiteral(ZQ_DEMO_PROJECT)}, false));
            CMainFrame* frame = editor.GetMainFrame();
            QVERIFY(QTest::qWaitForWindowExposed(frame));
            const QList<CZQEditorView*> views = frame->GetViews();
            QCOMPARE(views.size(), 3);
            const int title = frame->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, frame->FrameOf(views[0]));
            for (int i = 1; i < views.size(); ++i) {
                const QPoint step = frame->FrameOf(views[i])->pos() - frame->FrameOf(views[i - 1])->pos();
                QVERIFY(step.x() > 0 && step.y() >= title);
            }
            frame->resize(1000, 700);
            frame->GetProblemsDock()->hide();
            frame->GetDocument()->SetModified(false);
        } // the editor ends: its frame's place is stored
        CZQEditorApp again;
        QVERIFY(again.InitInstance({}, false));
        QCOMPARE(again.GetMainFrame()->size(), QSize(1000, 700));
        QVERIFY(again.GetMainFrame()->GetProblemsDock()->isHidden());
        QVERIFY(!again.GetMainFrame()->GetAddressDock()->isHidden());
    }
};

int main(int argc, char** argv)
{
    UseTemporarySettings(); // never the user's settings
    QApplication app(argc, argv);
    LooksTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "looks_qtest.moc"
