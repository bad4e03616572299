// The editor's dialogs and bars, offscreen, driven by real clicks and keys: device selection
// (catalogue memory, refusal, serial settings through its button), serial settings, panel
// settings, the zoom, screen and background colour bars, and the attribute pane's routing.
#include "comkit/module_path.h"
#include "comkit/serial_attri.h"
#include "controls/control_register.h"
#include "controls/dsp/dsp_attr_list.h"
#include "controls/dsp/dsp_attribute.h"
#include "controls/dsp/dsp_control.h"
#include "controls/dsp/dsp_screen.h"
#include "controls/global_draw.h"
#include "controls/screen_base.h"
#include "controls/screens_list.h"
#include "devices/device_collection.h"
#include "devices/plc_collection.h"
#include "editor/app/dialogs/dlg_attributes_set.h"
#include "editor/app/dialogs/dlg_backcolor.h"
#include "editor/app/dialogs/dlg_comm_settings.h"
#include "editor/app/dialogs/dlg_device_select.h"
#include "editor/app/dialogs/dlg_screen_attributes.h"
#include "editor/app/dialogs/dlg_screens_list.h"
#include "editor/app/dialogs/dlg_zoom.h"
#include "editor/app/editor_app.h"
#include "editor/app/editor_commands.h"
#include "editor/app/editor_doc.h"
#include "editor/app/editor_view.h"
#include "editor/app/look/user_prompts.h"
#include "editor/app/main_frame.h"
#include "editor/project.h"

#include "editor_test_support.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri;

namespace {

// Chooses row of a drop-down list the way a user does with the keyboard (Home, then Down).
void Choose(QComboBox* combo, int row)
{
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Home);
    for (int i = 0; i < row; ++i)
        QTest::keyClick(combo, Qt::Key_Down);
}

QString IniValue(const QString& path, const QByteArray& key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    for (const QByteArray& line : file.readAll().split('\n'))
        if (line.startsWith(key + "="))
            return QString::fromLatin1(line.mid(key.size() + 1).trimmed());
    return QString();
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QStringList m_messages;

    QString DevicePath() const { return m_dir.filePath(CDeviceCollection::FILE_NAME); }
    QString PlcPath() const { return m_dir.filePath(CPLCCollection::FILE_NAME); }

private slots:
    void initTestCase()
    {
        // Copies of the shipped catalogues: the dialog writes "LastSelected" into them.
        QVERIFY(QFile::copy(QString::fromStdString(COMMON_EX::GetProgramFilePath(CDeviceCollection::FILE_NAME)),
                            DevicePath()));
        QVERIFY(
            QFile::copy(QString::fromStdString(COMMON_EX::GetProgramFilePath(CPLCCollection::FILE_NAME)), PlcPath()));
        QFile::setPermissions(DevicePath(), QFile::ReadOwner | QFile::WriteOwner);
        QFile::setPermissions(PlcPath(), QFile::ReadOwner | QFile::WriteOwner);
        CDeviceCollection::GetInstance()->ReadCatalogue(DevicePath().toLocal8Bit().constData());
        CPLCCollection::GetInstance()->ReadCatalogue(PlcPath().toLocal8Bit().constData());
        CUserPrompts::SetMessageHook([this](const QString& text, QMessageBox::StandardButtons) {
            m_messages << text;
            return QMessageBox::Ok;
        });
    }
    void init() { m_messages.clear(); }
    void cleanupTestCase() { CUserPrompts::SetMessageHook(nullptr); }

    void deviceSelectionWithoutAPlcRefusesAndCancels()
    {
        CProject project;
        CDlgDeviceSelect dialog(&project);
        dialog.show();
        dialog.Child<QComboBox>(CDlgDeviceSelect::ID_PLC)->setCurrentIndex(-1);
        QTest::mouseClick(dialog.Child<QPushButton>(1), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(m_messages, QStringList{QString::fromUtf8("无效的设备名称或无效的PLC名称！")});
        QVERIFY(!project.GetDevice());
    }

    void deviceSelectionRemembersTheRowAndSetsUpTheProject()
    {
        CProject project;
        auto dialog = std::make_unique<CDlgDeviceSelect>(&project);
        dialog->show();
        QCOMPARE(dialog->GetSerialAttributes()->GetBaudrate(), CHADEXSerialAttri::BAUDRATE_38400);
        QComboBox* devices = dialog->Child<QComboBox>(CDlgDeviceSelect::ID_DEVICE);
        QCOMPARE(devices->count(), 2);
        Choose(devices, 1);
        QCOMPARE(IniValue(DevicePath(), "LastSelected"), QString("1"));

        // The serial settings button opens the serial dialog on the dialog's own settings.
        QTimer::singleShot(0, this, [] {
            auto* serial = qobject_cast<CDlgCommSettings*>(QApplication::activeModalWidget());
            QVERIFY(serial);
            Choose(serial->Child<QComboBox>(CDlgCommSettings::ID_PARITY), 2);
            QTest::mouseClick(serial->Child<QPushButton>(1), Qt::LeftButton);
        });
        QTest::mouseClick(dialog->Child<QPushButton>(CDlgDeviceSelect::ID_COMM_SETTINGS), Qt::LeftButton);
        QTest::mouseClick(dialog->Child<QPushButton>(1), Qt::LeftButton);
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(QString::fromStdString(project.GetDeviceName()), QString("QMX300"));
        QCOMPARE(project.GetPLCSerialAttributes()->GetParity(), CHADEXSerialAttri::PARITY_EVEN);
        QCOMPARE(project.GetPLCSerialAttributes()->GetBaudrate(), CHADEXSerialAttri::BAUDRATE_38400);

        // Opened again for the same project, it starts on the project's model and settings.
        CDeviceCollection::GetInstance()->SetLastSelectedIndex(0);
        dialog = std::make_unique<CDlgDeviceSelect>(&project);
        QCOMPARE(dialog->Child<QComboBox>(CDlgDeviceSelect::ID_DEVICE)->currentText(), QString("QMX300"));
        QCOMPARE(dialog->GetSerialAttributes()->GetParity(), CHADEXSerialAttri::PARITY_EVEN);
    }

    void serialSettingsOpenOnTheValuesAndKeepUnmatchedOnes()
    {
        CHADEXSerialAttri serial;
        serial.SetSerialName("COM12");
        serial.SetParity(CHADEXSerialAttri::PARITY_EVEN);
        serial.SetBaudrate(CHADEXSerialAttri::BAUDRATE_19200);
        serial.SetStopBits(CHADEXSerialAttri::STOPBITS_TWO);
        CDlgCommSettings dialog(&serial);
        dialog.show();
        QCOMPARE(dialog.Child<QComboBox>(CDlgCommSettings::ID_PARITY)->currentText(), QString::fromUtf8("偶"));
        QCOMPARE(dialog.Child<QComboBox>(CDlgCommSettings::ID_BAUD)->currentText(), QString("19200"));
        QCOMPARE(dialog.Child<QComboBox>(CDlgCommSettings::ID_STOP_BITS)->currentText(), QString("2"));
        QCOMPARE(dialog.Child<QComboBox>(CDlgCommSettings::ID_PORT)->currentIndex(), -1);
        Choose(dialog.Child<QComboBox>(CDlgCommSettings::ID_BAUD), 14);
        Choose(dialog.Child<QComboBox>(CDlgCommSettings::ID_HANDSHAKE), 2);
        QTest::mouseClick(dialog.Child<QPushButton>(1), Qt::LeftButton);
        QCOMPARE(serial.GetBaudrate(), CHADEXSerialAttri::BAUDRATE_256000);
        QCOMPARE(serial.GetHandshake(), CHADEXSerialAttri::HANDSHAKE_XONXOFF);
        QCOMPARE(QString(serial.GetSerialName()), QString("COM12"));

        // Cancel changes nothing.
        CDlgCommSettings again(&serial);
        again.show();
        Choose(again.Child<QComboBox>(CDlgCommSettings::ID_DATA_BITS), 0);
        QTest::mouseClick(again.Child<QPushButton>(2), Qt::LeftButton);
        QCOMPARE(serial.GetDataBits(), CHADEXSerialAttri::DATABITS_8);
    }

    void panelSettingsBacklightAndFunctionPages()
    {
        CProject project;
        QVERIFY(project.SetDeviceAndPLC("QMX200", "MODBUS\xD7\xD4\xD3\xC9\xD0\xAD\xD2\xE9", nullptr));
        project.AddNewScreen();
        project.SetFunctionPage(1, 2);
        const struct {
            const char* typed;
            WORD stored;
        } cases[] = {{"0", 0xFFFF}, {"", 0xFFFF}, {"x", 0xFFFF}, {"120", 120}, {" 7 ", 7}};
        for (const auto& entry : cases) {
            project.SetBacklightDelay(0xFFFF);
            CDlgScreenAttributes dialog(&project);
            dialog.show();
            QLineEdit* delay = dialog.Child<QLineEdit>(CDlgScreenAttributes::ID_BACKLIGHT_DELAY);
            QVERIFY(!delay->isEnabled());
            QVERIFY(delay->text().isEmpty());
            Choose(dialog.Child<QComboBox>(CDlgScreenAttributes::ID_BACKLIGHT_MODE), 1);
            QVERIFY(delay->isEnabled());
            delay->setFocus();
            QTest::keyClicks(delay, QString::fromLatin1(entry.typed));
            QTest::mouseClick(dialog.Child<QPushButton>(1), Qt::LeftButton);
            QCOMPARE(project.GetBacklightDelay(), entry.stored);
        }
        CDlgScreenAttributes dialog(&project);
        dialog.show();
        QCOMPARE(dialog.Child<QLineEdit>(CDlgScreenAttributes::ID_BACKLIGHT_DELAY)->text(), QString("7"));
        QComboBox* page2 = dialog.Child<QComboBox>(CDlgScreenAttributes::ID_FIRST_FUNCTION_PAGE + 1);
        QCOMPARE(page2->count(), 3);
        QCOMPARE(page2->currentIndex(), 2);
        Choose(page2, 0);
        Choose(dialog.Child<QComboBox>(CDlgScreenAttributes::ID_BACKLIGHT_MODE), 0);
        QVERIFY(dialog.Child<QLineEdit>(CDlgScreenAttributes::ID_BACKLIGHT_DELAY)->text().isEmpty());
        QTest::mouseClick(dialog.Child<QPushButton>(1), Qt::LeftButton);
        QCOMPARE(project.GetFunctionPage(1), 0);
        QCOMPARE(project.GetBacklightDelay(), WORD(0xFFFF));
    }

    void zoomBarRowsAndWheelSteps()
    {
        CDlgZoom zoom;
        zoom.show();
        QSignalSpy chosen(&zoom, &CDlgZoom::ZoomChosen);
        zoom.ShowZoomRate(1.25);
        QCOMPARE(zoom.GetComboBox()->currentIndex(), 0);
        zoom.ShowZoomRate(2.5);
        QCOMPARE(zoom.GetComboBox()->currentIndex(), 3);
        QCOMPARE(chosen.count(), 0);
        zoom.ShowZoomRate(1.0);
        zoom.OnWheelStep(120);
        QCOMPARE(zoom.GetComboBox()->currentIndex(), 0);
        zoom.ShowZoomRate(4.0);
        zoom.OnWheelStep(-240);
        QCOMPARE(zoom.GetComboBox()->currentIndex(), 6);
        zoom.OnWheelStep(0xFF88); // -120 as a 16-bit delta
        QCOMPARE(zoom.GetComboBox()->currentIndex(), 6);
        QCOMPARE(chosen.count(), 3);
        QCOMPARE(chosen.at(0).at(0).toInt(), 0);
        QCOMPARE(chosen.at(1).at(0).toInt(), 6);
        Choose(zoom.GetComboBox(), 2);
        QCOMPARE(chosen.last().at(0).toInt(), 2);
    }

    void screenAndColourBars()
    {
        CProject project;
        QVERIFY(project.SetDeviceAndPLC("QMX200", "MODBUS\xD7\xD4\xD3\xC9\xD0\xAD\xD2\xE9", nullptr));
        project.AddNewScreen();
        project.AddNewScreen();
        project.SetActivateScreen(project.GetScreenByNumber(2));
        CDlgScreensList screens;
        screens.show();
        screens.Refresh(&project);
        QCOMPARE(screens.GetComboBox()->count(), 3);
        QCOMPARE(screens.GetComboBox()->currentIndex(), 1);
        QSignalSpy chosen(&screens, &CDlgScreensList::ScreenChosen);
        Choose(screens.GetComboBox(), 2);
        QCOMPARE(chosen.last().at(0).toInt(), 2);

        CGlobalDraw::GetInstance()->SetBackColorIndex(2);
        CDlgBackcolor colour;
        colour.show();
        QCOMPARE(colour.GetComboBox()->currentIndex(), 2);
        QSignalSpy changed(&colour, &CDlgBackcolor::BackColorChanged);
        Choose(colour.GetComboBox(), 1);
        QCOMPARE(CGlobalDraw::GetInstance()->GetBackColorIndex(), 1);
        QVERIFY(changed.count() >= 1);
        CGlobalDraw::GetInstance()->SetBackColorIndex(0);
    }

    void attributePaneShowsTheSelectionAndRecordsEditsBeforeTheyHappen()
    {
        CProject project;
        QVERIFY(project.SetDeviceAndPLC("QMX200", "MODBUS\xD7\xD4\xD3\xC9\xD0\xAD\xD2\xE9", nullptr));
        CScreenBase* screen = project.GetFirstScreen();
        screen->SetScreenName("Main");
        CControlBase* text = screen->AddControl(CControlBase::CONTROL_STATIC_TEXT);
        CControlBase* reg = screen->AddControl(CControlBase::CONTROL_REGISTER);
        const QRect all(0, 0, 4000, 4000);
        screen->SelectedCtlWithRectanglesChange(0, &all);

        QWidget window;
        window.resize(240, 800);
        auto* pane = new CDlgAttributesSet(&window);
        pane->resize(220, 700);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QSignalSpy status(pane, &CDlgAttributesSet::StatusTextChanged);
        pane->Refresh(screen);
        QComboBox* rows = pane->GetComboBox();
        QCOMPARE(rows->count(), 3);
        QCOMPARE(rows->itemText(0), QString::fromUtf8("Main (当前画面)"));
        QVERIFY(rows->itemText(2).startsWith(' '));
        QVERIFY(rows->itemText(2).endsWith(QString::fromUtf8("(寄存器)")));
        QVERIFY(pane->GetScreenWindow()->isVisible());
        QCOMPARE(QString::fromUtf8(pane->GetScreenWindow()->GetCaption()),
                 QString::fromUtf8("·当前页面（选择多个控件）"));
        QCOMPARE(status.last().at(0).toString(), QString());

        // Choosing a row asks the main frame; the frame selects and synchronizes.
        QSignalSpy controlChosen(pane, &CDlgAttributesSet::ControlChosen);
        Choose(rows, 2);
        QCOMPARE(controlChosen.last().at(0).toInt(), 1);
        screen->SelectControlByLayoutIndex(1, nullptr);
        pane->Synchronize();
        QCOMPARE(rows->currentIndex(), 2);
        QVERIFY(pane->GetControlWindow()->isVisible());
        QVERIFY(!pane->GetScreenWindow()->isVisible());
        QVERIFY(!status.last().at(0).toString().isEmpty());

        // Two sessions of edits in the grid: each records the control as it was just before it.
        std::vector<int> recorded;
        connect(pane, &CDlgAttributesSet::UndoStepRequested, pane,
                [&](CControlBase* before) { recorded.push_back(before->GetX()); });
        QSignalSpy changed(pane, &CDlgAttributesSet::AttributeChanged);
        CDspAttrList* layout = pane->GetControlWindow()->GetGroupWindows()[0];
        QLineEdit* x = layout->GetRows().at(0)->GetEditBox();
        QLineEdit* y = layout->GetRows().at(1)->GetEditBox();
        const int x0 = reg->GetX();
        x->setFocus();
        x->selectAll();
        QTest::keyClicks(x, "12");
        QTest::keyClick(x, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(y));
        x->setFocus();
        x->selectAll();
        QTest::keyClicks(x, "3");
        QCOMPARE(reg->GetX(), 3);
        QCOMPARE(recorded, (std::vector<int>{x0, 12}));
        QVERIFY(changed.count() >= 3);
        (void)text;

        // Back to the screen: renaming it rewrites row 0 and is passed on.
        screen->SetControlsAllNotSelected(nullptr);
        pane->Synchronize();
        QSignalSpy renamed(pane, &CDlgAttributesSet::ScreenNameChanged);
        QLineEdit* name = pane->GetScreenWindow()->GetNameEdit();
        name->setFocus();
        name->selectAll();
        QTest::keyClicks(name, "P1");
        QCOMPARE(renamed.count(), 2);
        QCOMPARE(rows->itemText(0), QString::fromUtf8("P1 (当前画面)"));
        QSignalSpy device(pane, &CDlgAttributesSet::DeviceSettingRequested);
        QTest::mouseClick(pane->GetScreenWindow()->GetDeviceButton(), Qt::LeftButton);
        QCOMPARE(device.count(), 1);

        pane->Clear();
        QVERIFY(!rows->isEnabled());
        QVERIFY(!pane->GetControlWindow() && !pane->GetScreenWindow());
    }

    void newProjectThroughTheDialogEditedInTheGridSavesReopensAndUndoes()
    {
        PromptAnswers prompts;
        const std::unique_ptr<CMainFrame> made = CZQEditorApp::CreateMainFrame();
        CMainFrame& frame = *made;
        frame.show();
        QApplication::setActiveWindow(&frame);
        QVERIFY(QTest::qWaitForWindowActive(&frame));

        // New: the device selection dialog picks QMX200 and the PLC.
        bool dialogSeen = false;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<CDlgDeviceSelect*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialogSeen = true;
            Choose(dialog->Child<QComboBox>(CDlgDeviceSelect::ID_DEVICE), 0);
            QTest::mouseClick(dialog->Child<QPushButton>(1), Qt::LeftButton);
        });
        frame.GetAction(ID_FILE_NEW)->trigger();
        QVERIFY(dialogSeen);
        QVERIFY(frame.GetDocument());
        QCOMPARE(QString::fromStdString(frame.GetDocument()->GetProject()->GetDeviceName()), QString("QMX200"));

        frame.GetAction(ID_INSERT_REGISTER)->trigger();
        CZQEditorView* view = frame.GetActiveView();
        QVERIFY(view);
        auto* reg = dynamic_cast<CControlRegister*>(view->GetScreen()->GetCurrentSelectControl());
        QVERIFY(reg);
        auto* pane = frame.findChild<CDlgAttributesSet*>();
        QVERIFY(pane && pane->GetControlWindow() && pane->GetControlWindow()->isVisible());
        QCOMPARE(pane->GetControlWindow()->GetDisplayControl(), static_cast<CControlBase*>(reg));

        // The register address, typed in the grid: one undo step for the whole focus.
        const int undoBefore = view->GetOperateCtrl()->GetUndoCount();
        const int address0 = reg->GetRegisterAddr();
        CAttributeBase* addressAttribute = reg->GetDataAtttribute()->GetAttributeAt(2);
        QVERIFY(RowOf(pane, addressAttribute));
        QLineEdit* address = RowOf(pane, addressAttribute)->GetEditBox();
        address->setFocus();
        address->selectAll();
        QTest::keyClicks(address, "123");
        QTest::keyClick(address, Qt::Key_Return);
        QCOMPARE(reg->GetRegisterAddr(), 123);
        QCOMPARE(view->GetOperateCtrl()->GetUndoCount(), undoBefore + 1);

        // The integer digits, chosen with two key presses: one more step.
        const int digits = reg->GetIntegerDigits();
        QVERIFY(RowOf(pane, reg->GetIntegerDigitsAttribute()));
        QComboBox* digitsBox = RowOf(pane, reg->GetIntegerDigitsAttribute())->GetComboBox();
        digitsBox->setFocus();
        QTest::keyClick(digitsBox, Qt::Key_Up);
        QTest::keyClick(digitsBox, Qt::Key_Up);
        QCOMPARE(reg->GetIntegerDigits(), digits - 2);
        QCOMPARE(view->GetOperateCtrl()->GetUndoCount(), undoBefore + 2);
        QVERIFY(frame.GetDocument()->IsModified());

        // Undo brings the old digits back in the model (and deselects); choosing the register in
        // the pane's list shows them in the grid. The address stays.
        frame.GetAction(ID_EDIT_UNDO)->trigger();
        QCOMPARE(reg->GetIntegerDigits(), digits);
        QCOMPARE(reg->GetRegisterAddr(), 123);
        QVERIFY(pane->GetScreenWindow()->isVisible());
        Choose(pane->GetComboBox(), 1);
        QVERIFY(pane->GetControlWindow()->isVisible());
        QVERIFY(RowOf(pane, reg->GetIntegerDigitsAttribute()));
        QCOMPARE(RowOf(pane, reg->GetIntegerDigitsAttribute())->GetComboBox()->currentIndex(), digits);
        frame.GetAction(ID_EDIT_UNDO)->trigger();
        QCOMPARE(reg->GetRegisterAddr(), address0);
        Choose(pane->GetComboBox(), 1);
        QVERIFY(RowOf(pane, addressAttribute));
        QCOMPARE(RowOf(pane, addressAttribute)->GetEditBox()->text(), QString::number(address0));
        frame.GetAction(ID_EDIT_REDO)->trigger();
        frame.GetAction(ID_EDIT_REDO)->trigger();
        QCOMPARE(reg->GetRegisterAddr(), 123);
        QCOMPARE(reg->GetIntegerDigits(), digits - 2);

        // Save, reopen: the values are there.
        const QString path = m_dir.filePath("grid.ZQE");
        prompts.files << path;
        frame.GetAction(ID_FILE_SAVE)->trigger();
        QVERIFY(QFile::exists(path));
        QVERIFY(frame.OpenDocument(path));
        CScreenBase* screen = frame.GetDocument()->GetProject()->GetFirstScreen();
        QCOMPARE(screen->GetControlCount(), 1);
        auto* loaded = dynamic_cast<CControlRegister*>(screen->GetCreatedControls().front());
        QVERIFY(loaded);
        QCOMPARE(loaded->GetRegisterAddr(), 123);
        QCOMPARE(loaded->GetIntegerDigits(), digits - 2);

        // The screen panel's "设置" reopens the device selection for the open project.
        QVERIFY(pane->GetScreenWindow()->isVisible());
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<CDlgDeviceSelect*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QCOMPARE(dialog->Child<QComboBox>(CDlgDeviceSelect::ID_DEVICE)->currentText(), QString("QMX200"));
            Choose(dialog->Child<QComboBox>(CDlgDeviceSelect::ID_DEVICE), 1);
            QTest::mouseClick(dialog->Child<QPushButton>(1), Qt::LeftButton);
        });
        QTest::mouseClick(pane->GetScreenWindow()->GetDeviceButton(), Qt::LeftButton);
        QCOMPARE(QString::fromStdString(frame.GetDocument()->GetProject()->GetDeviceName()), QString("QMX300"));
        QVERIFY(frame.GetDocument()->IsModified());
        QVERIFY(pane->GetScreenWindow()->FormatInformation().find("QMX300") != std::string::npos);
        QCOMPARE(loaded->GetRegisterAddr(), 123);
        QVERIFY(prompts.messages.isEmpty());
        frame.GetDocument()->SetModified(false);
    }
};

int main(int argc, char** argv)
{
    UseTemporarySettings();
    QApplication app(argc, argv);
    DialogsTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "dialogs_qtest.moc"
