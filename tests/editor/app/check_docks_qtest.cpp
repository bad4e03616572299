// The problems and address docks on real windows: filled when a project opens, refreshed after an
// edit made with the mouse, a double-click on a row selects its control on its screen, F7 checks
// at once, and the download refuses a project with errors (every message answered).
#include "editor_test_support.h"

#include "editor/app/address_pane.h"
#include "editor/app/editor_commands.h"
#include "editor/app/editor_doc.h"
#include "editor/app/editor_view.h"
#include "editor/app/main_frame.h"
#include "editor/app/problems_pane.h"
#include "editor/project.h"

#include "controls/control_base.h"
#include "controls/screen_base.h"

#include <QDockWidget>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace {

// Double-clicks the row's centre in its tree, as a user does.
void DoubleClick(QTreeWidget* tree, QTreeWidgetItem* item)
{
    tree->scrollToItem(item);
    const QRect row = tree->visualItemRect(item);
    const QPoint at(row.left() + qMin(row.width(), tree->viewport()->width() - row.left()) / 2, row.center().y());
    QVERIFY2(tree->viewport()->rect().contains(at), "the row is on screen");
    // A real double-click: press, release, then the double-click press and its release.
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

CControlBase* ControlWithID(CScreenBase* screen, unsigned id)
{
    for (CControlBase* control : screen->GetLayoutControls())
        if (control->GetControlID() == id)
            return control;
    return nullptr;
}

} // namespace

class CheckDocksTest : public QObject, private FrameFixture {
    Q_OBJECT

private:
    CProject* Project() { return m_frame->GetDocument()->GetProject(); }
    QTreeWidget* Problems() { return m_frame->GetProblemsPane()->GetList(); }
    QTreeWidget* Addresses() { return m_frame->GetAddressPane()->GetTable(); }

private slots:
    void init() { QVERIFY(StartFrame()); }
    void cleanup() { QVERIFY(EndFrame()); }

    void theDemoFillsBothDocks()
    {
        QVERIFY(OpenDemo(*m_frame));
        QCOMPARE(m_frame->GetProblemsPane()->GetSummary(), QStringLiteral("0 个错误，0 个警告，0 个提示"));
        QCOMPARE(Problems()->topLevelItemCount(), 0);
        QCOMPARE(Addresses()->topLevelItemCount(), 6);
        QCOMPARE(Addresses()->topLevelItem(2)->text(CAddressPane::COLUMN_ADDRESS), QStringLiteral("Y10"));
        QCOMPARE(Addresses()->topLevelItem(2)->text(CAddressPane::COLUMN_LINE), QStringLiteral("264"));
        // Sorting by line address descending puts M101 first; numbers sort as numbers.
        Addresses()->sortByColumn(CAddressPane::COLUMN_LINE, Qt::DescendingOrder);
        QCOMPARE(Addresses()->topLevelItem(0)->text(CAddressPane::COLUMN_ADDRESS), QStringLiteral("M101"));
        QCOMPARE(Addresses()->topLevelItem(5)->text(CAddressPane::COLUMN_ADDRESS), QStringLiteral("D100"));
        m_frame->CloseDocument();
        QCOMPARE(Addresses()->topLevelItemCount(), 0);
    }

    void aDragOntoAnotherControlShowsAndDoubleClickSelects()
    {
        QVERIFY(OpenDemo(*m_frame));
        CZQEditorView* view = m_frame->GetActiveView();
        CScreenBase* screen = view->GetScreen();
        CControlBase* furnace = ControlWithID(screen, 2); // "炉温" at (44, 20)
        CControlBase* temp = ControlWithID(screen, 1);    // "TEMP" at (4, 20)
        QVERIFY(furnace && temp);
        Drag(view, CenterOf(view, furnace), CenterOf(view, temp));
        QVERIFY(furnace->GetX() < 36);
        // The check runs once the burst of edits is over: wait for that state, not for a time.
        QTRY_VERIFY(!m_frame->IsCheckPending());
        QCOMPARE(Problems()->topLevelItemCount(), 1);
        QTreeWidgetItem* row = Problems()->topLevelItem(0);
        QCOMPARE(row->text(CProblemsPane::COLUMN_SEVERITY), QStringLiteral("警告"));
        QCOMPARE(row->text(CProblemsPane::COLUMN_CONTROL), QStringLiteral("炉温"));

        Click(view, EmptyPoint(view)); // nothing selected on screen 1
        QVERIFY(Selected(view).empty());
        m_frame->ShowScreen(Project()->GetScreenByNumber(3));
        QCOMPARE(m_frame->GetActiveView()->GetScreen(), Project()->GetScreenByNumber(3));
        DoubleClick(Problems(), row);
        QCOMPARE(m_frame->GetActiveView()->GetScreen(), screen);
        QCOMPARE(Selected(m_frame->GetActiveView()), std::vector<CControlBase*>{furnace});
    }

    void findAnAddressAndDoubleClickItsUse()
    {
        QVERIFY(OpenDemo(*m_frame));
        m_frame->GetAddressDock()->raise();
        QLineEdit* filter = m_frame->GetAddressPane()->GetFilter();
        filter->setFocus();
        QTest::keyClicks(filter, QStringLiteral("0x800")); // M0 on the line
        int shown = 0;
        QTreeWidgetItem* found = nullptr;
        for (int i = 0; i < Addresses()->topLevelItemCount(); ++i)
            if (!Addresses()->topLevelItem(i)->isHidden()) {
                ++shown;
                found = Addresses()->topLevelItem(i);
            }
        QCOMPARE(shown, 1);
        QCOMPARE(found->text(CAddressPane::COLUMN_ADDRESS), QStringLiteral("M0"));
        QTest::keyClick(filter, Qt::Key_Return);
        QCOMPARE(Addresses()->currentItem(), found);
        QCOMPARE(found->childCount(), 1);
        found->setExpanded(true);
        DoubleClick(Addresses(), found->child(0));
        CScreenBase* second = Project()->GetScreenByNumber(2);
        QCOMPARE(m_frame->GetActiveView()->GetScreen(), second);
        QCOMPARE(Selected(m_frame->GetActiveView()), std::vector<CControlBase*>{ControlWithID(second, 3)});
        QTest::keyClick(filter, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(filter, Qt::Key_Delete);
        QVERIFY(!Addresses()->topLevelItem(0)->isHidden());
    }

    void f7ChecksAtOnceAndTheDownloadRefusesErrors()
    {
        QVERIFY(OpenDemo(*m_frame));
        CControlBase* furnace = ControlWithID(Project()->GetScreenByNumber(1), 2);
        furnace->SetRegisterAddr(9000); // D9000: beyond D, lands on D4840
        m_frame->GetAddressDock()->raise();
        QTest::keyClick(m_frame->GetActiveView(), Qt::Key_F7);
        QVERIFY(!m_frame->IsCheckPending());
        QCOMPARE(m_frame->GetProblemsPane()->GetSummary(), QStringLiteral("1 个错误，0 个警告，0 个提示"));
        QCOMPARE(Problems()->topLevelItem(0)->text(CProblemsPane::COLUMN_TEXT),
                 QStringLiteral("D9000 超出 D(数据寄存器) 的范围 0-8511 (线路地址 4840)"));
        QCOMPARE(Addresses()->topLevelItem(0)->text(CAddressPane::COLUMN_ADDRESS), QStringLiteral("D200"));

        m_frame->GetAddressDock()->raise();
        Trigger(ID_DOWNLOAD_PROGRAM);
        QCOMPARE(m_prompts->messages.size(), 1);
        QCOMPARE(m_prompts->messages.first(),
                 QStringLiteral("项目检查发现 1 个错误，不能下载！\n请在“问题”窗口中查看并改正。"));
        QVERIFY(!m_frame->GetProblemsDock()->visibleRegion().isEmpty());
    }

    void exportReportWritesTheChosenFormat()
    {
        QVERIFY(OpenDemo(*m_frame));
        QTemporaryDir dir;
        const QString html = dir.filePath(QStringLiteral("demo.html"));
        const QString bare = dir.filePath(QStringLiteral("demo-report"));
        m_prompts->files << html << bare;
        Trigger(ID_EXPORT_REPORT);
        QCOMPARE(m_prompts->proposedFiles.size(), 1);
        QVERIFY(m_prompts->proposedFiles.first().endsWith(QStringLiteral("demo.pdf")));
        QFile page(html);
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QByteArray text = page.readAll();
        QVERIFY(text.startsWith("<!DOCTYPE html>"));
        QCOMPARE(text.count("data:image/png;base64,"), 3);
        Trigger(ID_EXPORT_REPORT); // no known ending: a PDF
        QFile pdf(bare + QStringLiteral(".pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
        QVERIFY(m_prompts->messages.isEmpty());
    }
};

QTEST_MAIN(CheckDocksTest)
#include "check_docks_qtest.moc"
