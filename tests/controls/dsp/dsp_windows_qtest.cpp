// The attribute pane's design windows, offscreen and driven by real key and mouse events: the
// typing rules of a row, focus moves, the notifications and their routing up the stack, radix
// changes, the group layout and the screen panel.
#include "controls/control_function.h"
#include "controls/control_register.h"
#include "controls/dsp/dsp_attr_list.h"
#include "controls/dsp/dsp_attribute.h"
#include "controls/dsp/dsp_control.h"
#include "controls/dsp/dsp_input_rules.h"
#include "controls/dsp/dsp_screen.h"
#include "controls/dsp/dsp_text.h"

#include "support/test_panel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using ControlsTest::CTestPanel;

namespace {

int g_beeps = 0;
void CountBeep()
{
    ++g_beeps;
}

// A shown, active top-level window holding the windows under test.
struct CHost {
    QWidget window;
    CHost()
    {
        window.resize(260, 700);
        window.show();
        QApplication::setActiveWindow(&window);
        active = QTest::qWaitForWindowActive(&window);
    }
    bool active = false;
};

QLineEdit* EditOfRow(CDspAttrList* group, int row)
{
    return group->GetRows().at(size_t(row))->GetEditBox();
}

void Retype(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

} // namespace

class DspWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        g_beeps = 0;
        DspInput::SetBeepHook(CountBeep);
    }
    void cleanup() { DspInput::SetBeepHook(nullptr); }

    void emptyGroupIs45HighAndShowsTheNote()
    {
        CHost host;
        CTestPanel panel;
        CControlBase* text = panel.screen.AddControl(CControlBase::CONTROL_STATIC_TEXT);
        QRect place(0, 0, 200, 0);
        CDspAttrList group(text->GetOtherAtttribute(), &place, 256, &host.window);
        QCOMPARE(group.height(), 22 + 22 + 1);
        QCOMPARE(place.y() + place.height(), 45);
        QVERIFY(group.GetRows().empty());
        const QImage picture = group.grab().toImage();
        QCOMPARE(picture.pixelColor(195, 40).rgb(), COM_GUI_EX::CGUIEXDC::ToRgb(CDspAttrList::NOTE_BACK_COLOR));
        QCOMPARE(picture.pixelColor(3, 40).rgb(), COM_GUI_EX::CGUIEXDC::ToRgb(CDspAttrList::FRAME_COLOR));

        // Rebinding to the layout group makes four rows; back to the empty group parks them.
        group.ChangeAttributesList(text->GetLayoutAtttribute(), &place);
        QCOMPARE(int(group.GetRows().size()), 4);
        QCOMPARE(group.height(), 22 + 4 * 22 + 1);
        group.ChangeAttributesList(text->GetOtherAtttribute(), &place);
        QCOMPARE(group.height(), 45);
    }

    void rowTypingRulesRefuseWithABeep()
    {
        CHost host;
        CAttributeInt integer(nullptr);
        CDspAttribute binary(&integer, QRect(0, 0, 200, 22), 256, &host.window);
        binary.SetInputMode(CDspAttribute::INPUT_BINARY, 0);
        Retype(binary.GetEditBox(), "12");
        QCOMPARE(binary.GetEditBox()->text(), QString("1"));
        QCOMPARE(int(integer), 1);
        QCOMPARE(g_beeps, 1);

        CAttributeDouble real(nullptr);
        real = 1.5;
        CDspAttribute row(&real, QRect(0, 30, 200, 22), 257, &host.window);
        QLineEdit* edit = row.GetEditBox();
        QCOMPARE(edit->text(), QString("1.5"));
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_End);
        QTest::keyClick(edit, Qt::Key_0);
        QCOMPARE(edit->text(), QString("1.5"));
        QCOMPARE(g_beeps, 2);
        // From an empty field: 0, the point and 5 give 0.5; a second leading 0 is refused.
        Retype(edit, "0.5");
        QCOMPARE(edit->text(), QString("0.5"));
        QCOMPARE(double(real), 0.5);
        QCOMPARE(g_beeps, 2);
        Retype(edit, "00");
        QCOMPARE(edit->text(), QString("0"));
        QCOMPARE(g_beeps, 3);
        // Letters never reach a number field; a text field takes them.
        QTest::keyClick(edit, Qt::Key_X);
        QCOMPARE(g_beeps, 4);
        QCOMPARE(row.GetEditBox()->maxLength(), 20);
        QCOMPARE(binary.GetEditBox()->maxLength(), 6);
    }

    void modeChangeConvertsTheRadixAndReportsWithoutValueFlag()
    {
        CHost host;
        CAttributeInt address(nullptr);
        address = 10;
        CDspAttribute row(&address, QRect(0, 0, 200, 22), 256, &host.window);
        row.SetInputMode(CDspAttribute::INPUT_DECIMAL, 0);
        QSignalSpy changed(&row, &CDspWnd::AttributeChanged);
        row.SetInputMode(CDspAttribute::INPUT_OCTAL, 1);
        QCOMPARE(row.GetEditBox()->text(), QString("12"));
        QCOMPARE(int(address), 12);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toInt(), 0);
        row.SetInputMode(CDspAttribute::INPUT_HEX, 1);
        QCOMPARE(row.GetEditBox()->text(), QString("A"));
        row.SetInputMode(CDspAttribute::INPUT_DECIMAL, 1);
        QCOMPARE(row.GetEditBox()->text(), QString("10"));
        QCOMPARE(int(address), 10);
        // The same mode again converts nothing and says nothing.
        row.SetInputMode(CDspAttribute::INPUT_DECIMAL, 1);
        QCOMPARE(changed.count(), 3);
    }

    void editsInTheStackRouteUpWithOneUndoAnnouncementPerFocus()
    {
        CHost host;
        QVERIFY(host.active);
        CTestPanel panel;
        auto* reg = static_cast<CControlRegister*>(panel.screen.AddControl(CControlBase::CONTROL_REGISTER));
        reg->SetX(2);
        QRect place(0, 26, 240, 0);
        CDspControl stack(reg, &place, 6211, &host.window);
        QCOMPARE(place.y() + place.height(), 26 + stack.height());
        QSignalSpy changed(&stack, &CDspWnd::AttributeChanged);
        QSignalSpy focused(&stack, &CDspWnd::AttributeEditorFocused);
        std::vector<int> xWhenAnnounced;
        connect(&stack, &CDspWnd::AttributeModifyUndo, &stack, [&] { xWhenAnnounced.push_back(reg->GetX()); });

        CDspAttrList* layout = stack.GetGroupWindows()[0];
        QLineEdit* x = EditOfRow(layout, 0);
        QLineEdit* y = EditOfRow(layout, 1);
        x->setFocus();
        QCOMPARE(focused.count(), 1);
        QCOMPARE(CDspControl::s_lpFocusControl.data(), static_cast<QWidget*>(x));
        QTest::keyClick(x, Qt::Key_End);
        QTest::keyClicks(x, "57");
        // 25 is taken; 257 would leave the 128-pixel screen, so the control refuses it and the
        // field shows the refusal (red, the valid range in its tool tip) until it is corrected.
        QCOMPARE(reg->GetX(), 25);
        QCOMPARE(x->text(), QString("257"));
        QVERIFY(x->toolTip().contains(QString::fromUtf8("有效范围：0 - ")));
        QCOMPARE(xWhenAnnounced, std::vector<int>{2});
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.last().at(0).toInt(), 1);

        // Clearing the field keeps the old value until the focus leaves; Enter moves on to Y.
        Retype(x, "");
        QCOMPARE(x->text(), QString());
        QTest::keyClick(x, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(y));
        QCOMPARE(reg->GetX(), 0);
        QCOMPARE(x->text(), QString("0"));
        // Back in X, one more keystroke announces once more.
        x->setFocus();
        QTest::keyClick(x, Qt::Key_End);
        QTest::keyClick(x, Qt::Key_5);
        QCOMPARE(reg->GetX(), 5);
        QCOMPARE(int(xWhenAnnounced.size()), 2);
        // Read-only width and height cannot be edited.
        QVERIFY(EditOfRow(layout, 2)->isReadOnly());
    }

    void aValueThatShowsOtherAttributesRebuildsTheStackAModeChangeDoesNot()
    {
        CHost host;
        CTestPanel panel;
        auto* key = static_cast<CControlFunction*>(panel.screen.AddControl(CControlBase::CONTROL_FUNCTION));
        QRect place(0, 26, 240, 0);
        CDspControl stack(key, &place, 6211, &host.window);
        CDspAttrList* custom = stack.GetGroupWindows()[2];
        CDspAttrList* data = stack.GetGroupWindows()[3];
        const size_t customRows = custom->GetRows().size();
        const size_t dataRows = data->GetRows().size();
        const int height = stack.height();
        QSignalSpy changed(&stack, &CDspWnd::AttributeChanged);

        // "功能设置" is the fourth custom row: choose "画面跳转" with the keyboard.
        QComboBox* function = custom->GetRows().at(3)->GetComboBox();
        QVERIFY(function);
        function->setFocus();
        QTest::keyClick(function, Qt::Key_Down);
        QCOMPARE(key->GetFunction(), int(CControlFunction::FUNCTION_JUMP));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toInt(), 1);
        QCOMPARE(custom->GetRows().size(), customRows + 1); // "画面跳转至" appears
        QVERIFY(data->GetRows().size() < dataRows);         // the coil rows go
        QVERIFY(stack.height() != height);

        // A mode change is passed on with 0 and leaves the stack as it is.
        key->SetFunction(CControlFunction::FUNCTION_SET_COIL);
        const size_t rowsBefore = data->GetRows().size();
        CDspAttribute* row = custom->GetRows().at(0);
        row->SetInputMode(CDspAttribute::INPUT_DECIMAL, 1);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.at(1).at(0).toInt(), 0);
        QCOMPARE(data->GetRows().size(), rowsBefore);
    }

    void aCoilKindCountedInOctalConvertsTheShownAddress()
    {
        CHost host;
        CTestPanel panel;
        panel.device.name = "QMX200"; // counts its X and Y coils (kinds 1 and 2) in octal
        CControlBase* lamp = panel.screen.AddControl(CControlBase::CONTROL_LIGHT);
        lamp->SetCoil(0);
        lamp->SetCoilAddr(10);
        QRect place(0, 26, 240, 0);
        CDspControl stack(lamp, &place, 6211, &host.window);
        CDspAttrList* data = stack.GetGroupWindows()[3];
        CDspAttribute* kindRow = nullptr;
        CDspAttribute* addressRow = nullptr;
        for (CDspAttribute* row : data->GetRows()) {
            if (row->GetAttribute() == lamp->GetDataAtttribute()->GetAttributeAt(3))
                kindRow = row;
            if (row->GetAttribute() == lamp->GetDataAtttribute()->GetAttributeAt(4))
                addressRow = row;
        }
        QVERIFY(kindRow && addressRow);
        QCOMPARE(addressRow->GetInputMode(), CDspAttribute::INPUT_DECIMAL);
        QSignalSpy changed(&stack, &CDspWnd::AttributeChanged);
        kindRow->GetComboBox()->setFocus();
        QTest::keyClick(kindRow->GetComboBox(), Qt::Key_Down); // "X"
        QCOMPARE(lamp->GetCoil(), 1);
        QCOMPARE(addressRow->GetInputMode(), CDspAttribute::INPUT_OCTAL);
        QCOMPARE(addressRow->GetEditBox()->text(), QString("12"));
        QCOMPARE(lamp->GetCoilAddr(), 12);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.at(0).at(0).toInt(), 1);
        QCOMPARE(changed.at(1).at(0).toInt(), 0);
        // In octal an 8 is refused.
        QLineEdit* address = addressRow->GetEditBox();
        address->setFocus();
        QTest::keyClick(address, Qt::Key_End);
        QTest::keyClick(address, Qt::Key_8);
        QCOMPARE(address->text(), QString("12"));
        QCOMPARE(g_beeps, 1);
    }

    void screenPanelNameEditTrimsAndStopsAtTwentyCharacters()
    {
        CHost host;
        CTestPanel panel;
        QRect place(0, 26, 240, 0);
        CDspScreen screenPanel(&panel.screen, &place, 6210, &host.window);
        QCOMPARE(screenPanel.height(), 193);
        QCOMPARE(place.y() + place.height(), 26 + 193);
        QSignalSpy renamed(&screenPanel, &CDspWnd::ScreenNameChanged);
        QLineEdit* name = screenPanel.GetNameEdit();
        name->setFocus();
        name->selectAll();
        QTest::keyClick(name, Qt::Key_Backspace);
        renamed.clear();
        QTest::keyClicks(name, "  Main  ");
        QCOMPARE(QString(panel.screen.GetScreenName()), QString("Main"));
        QCOMPARE(renamed.count(), 8);
        QTest::keyClicks(name, QString("x").repeated(20));
        QCOMPARE(name->text().size(), 20);
        QCOMPARE(renamed.count(), 8 + 12);

        QSignalSpy device(&screenPanel, &CDspWnd::DeviceSettingRequested);
        QTest::mouseClick(screenPanel.GetDeviceButton(), Qt::LeftButton);
        QCOMPARE(device.count(), 1);
    }

    void screenPanelCaptionCountsTwoSelectedControls()
    {
        CHost host;
        CTestPanel panel;
        panel.screen.AddControl(CControlBase::CONTROL_STATIC_TEXT);
        panel.screen.AddControl(CControlBase::CONTROL_REGISTER);
        const QRect all(0, 0, 400, 400);
        QCOMPARE(panel.screen.SelectedCtlWithRectanglesChange(0, &all), 2);
        QRect place(0, 0, 240, 0);
        CDspScreen screenPanel(&panel.screen, &place, 6210, &host.window);
        QCOMPARE(QString::fromUtf8(screenPanel.GetCaption()), QString::fromUtf8("·当前页面（选择多个控件）"));
        const QString info = DspText::FromGbk(screenPanel.FormatInformation());
        QVERIFY2(info.contains(QString::fromUtf8("控件数") + QString(19, ' ') + "2"), qPrintable(info));
        QVERIFY2(info.contains(QString::fromUtf8("选中控件数") + QString(15, ' ') + "2"), qPrintable(info));
        QVERIFY(info.startsWith(QString::fromUtf8("宽度") + QString(19, ' ') + "128\n"));
        panel.screen.SetControlsAllNotSelected(nullptr);
        QCOMPARE(QString::fromUtf8(screenPanel.GetCaption()), QString::fromUtf8("·当前页面"));
        // Without a screen the panel hides its editor.
        screenPanel.ChangeDisplayScreen(nullptr);
        QVERIFY(!screenPanel.GetNameEdit()->isVisible());
    }

    void screenPanelInformationStandsInColumnsMeasuredInItsFont()
    {
        CHost host;
        CTestPanel panel;
        panel.screen.AddControl(CControlBase::CONTROL_STATIC_TEXT);
        QRect place(0, 0, 207, 0);
        CDspScreen screenPanel(&panel.screen, &place, 6212, &host.window);
        QStringList labels, values;
        for (const CDspScreen::INFO_ROW& row : screenPanel.InformationRows()) {
            labels << DspText::FromGbk(row.label);
            values << DspText::FromGbk(row.value);
        }
        QCOMPARE(labels, QString::fromUtf8("宽度|高度|控件数|选中控件数||液晶屏|PLC||设备重新设置").split('|'));
        QCOMPARE(values.mid(0, 5), QString("128|64|1|1|").split('|'));
        QCOMPARE(values.last(), QString("_"));
        // The numbers of the first four lines end in one column, at the button's right edge.
        const QImage image = screenPanel.grab().toImage();
        QList<int> ends;
        for (int line = 0; line < 4; ++line) {
            const int top = 43 + CDspScreen::INFO_LINE_HEIGHT * line;
            int end = -1;
            for (int y = top + 1; y < top + CDspScreen::INFO_LINE_HEIGHT - 1; ++y)
                for (int x = 10; x < image.width() - 1; ++x)
                    if (qGray(image.pixel(x, y)) < 128)
                        end = std::max(end, x);
            ends << end;
        }
        const int right = CDspScreen::DEVICE_BUTTON_X + CDspScreen::DEVICE_BUTTON_WIDTH;
        for (int end : ends)
            QVERIFY2(end <= right && end >= right - 2 && std::abs(end - ends.first()) <= 1,
                     qPrintable(QString("%1 ends at %2").arg(ends.indexOf(end)).arg(end)));
    }
};

QTEST_MAIN(DspWindowsTest)
#include "dsp_windows_qtest.moc"
