// Offline simulation of the demo, offscreen, driven by synthesized clicks and keys: values typed
// into the table reach the panel, the panel's function keys reach the table, and a text that is
// no value is put back.
#include "emulator_test_support.h"

#include "comkit/whole_file.h"
#include "editor/project_file.h"
#include "emulator/app/panel_session.h"
#include "emulator/app/panel_window.h"
#include "emulator/app/simulation_window.h"
#include "emulator/panel_keys.h"

#include <QLineEdit>
#include <QtTest>

using namespace EMULATOR_TEST;

class SimulationWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CPanelSession> m_session;
    std::vector<SIM_ROW> m_rows;

    static int RowOf(const CSimulationTable& table, const char* typed)
    {
        for (int row = 0; row < table.rowCount(); ++row)
            if (table.item(row, CSimulationTable::COLUMN_ADDRESS)->text() == QString::fromUtf8(typed))
                return row;
        return -1;
    }
    // Types text into the value cell of row the way a user does: a double click, the text, Return.
    static void Type(CSimulationTable& table, int row, const QString& text)
    {
        QTableWidgetItem* cell = table.item(row, CSimulationTable::COLUMN_VALUE);
        table.scrollToItem(cell);
        const QPoint at = table.visualItemRect(cell).center();
        QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, at);
        QLineEdit* editor = table.viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        // The item view takes the text from its editor from the event loop.
        QTRY_VERIFY(!table.viewport()->findChild<QLineEdit*>() ||
                    !table.viewport()->findChild<QLineEdit*>()->isVisible());
    }
    QString Value(const CSimulationTable& table, int row) const
    {
        return table.item(row, CSimulationTable::COLUMN_VALUE)->text();
    }

private slots:
    void init()
    {
        CPanelSession::OPTIONS options;
        options.image = ProgramFolder().toStdString() + "/../examples/demo.ZQE";
        options.simulate = true;
        options.pollMs = 20;
        std::string error;
        QVERIFY(COMMON_EX::ReadWholeFile(options.image, CProjectFile::MAX_FILE_SIZE, options.content, error));
        m_rows = CSimulationTable::RowsOf(options.content);
        m_session = CPanelSession::Open(options, error);
        QVERIFY2(m_session, error.c_str());
        QVERIFY(m_session->Simulated());
    }
    void cleanup() { m_session.reset(); }

    void tableValuesReachThePanelAndKeysReachTheTable()
    {
        // Every address of the demo, registers first, each class by line address.
        QStringList typed;
        for (const SIM_ROW& row : m_rows)
            typed << QString::fromStdString(row.typed);
        QCOMPARE(typed.size(), 6);
        QCOMPARE(typed.mid(0, 3), (QStringList{"D100", "D200", "Y10"}));

        CSimulationWindow window(*m_session, m_rows, "demo.ZQE", PANEL_KEYS::SMALL_MODEL_KEY_COUNT, 2);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        CSimulationTable& table = *window.Table();
        const CPanelImage& image = m_session->Runtime().GetImage();
        QTRY_COMPARE(window.Panel()->Shown().screen, 1);
        QVERIFY(!ShowsText(window.Panel()->Shown().panel, image, "123.4", 44, 20));

        Type(table, RowOf(table, "D100"), "1234");
        QTRY_COMPARE(m_session->Simulated()->GetRegister(1, 100), WORD(1234));
        QTRY_VERIFY(ShowsText(window.Panel()->Shown().panel, image, "123.4", 44, 20));

        // Not a value, or out of range: the cell shows the PLC's value again.
        Type(table, RowOf(table, "D100"), "12a");
        QTRY_COMPARE(Value(table, RowOf(table, "D100")), QString("1234"));
        Type(table, RowOf(table, "M0"), "2");
        QTRY_COMPARE(Value(table, RowOf(table, "M0")), QString("0"));
        // A register's negative value is its two's complement.
        Type(table, RowOf(table, "D200"), "-1");
        QTRY_COMPARE(Value(table, RowOf(table, "D200")), QString("65535"));

        // F1 leads to the settings screen, whose F2 toggles M0: the table shows it at once.
        window.Panel()->setFocus();
        QTest::keyClick(window.Panel(), Qt::Key_F1);
        QTRY_COMPARE(window.Panel()->Shown().screen, 2);
        QTest::keyClick(window.Panel(), Qt::Key_F2);
        QTRY_COMPARE(Value(table, RowOf(table, "M0")), QString("1"));
        QTest::keyClick(window.Panel(), Qt::Key_F2);
        QTRY_COMPARE(Value(table, RowOf(table, "M0")), QString("0"));
    }
};

QTEST_MAIN(SimulationWindowTest)
#include "simulation_window_qtest.moc"
