// dialog-screenshot GRID.png DEVICE.png SCREEN.png
// Renders, for the manual, the attribute pane showing a register of a new project, the device
// selection dialog and the panel settings dialog. Run it offscreen from the output folder (it reads
// the catalogues beside the program and writes nothing else):
//   QT_QPA_PLATFORM=offscreen out/dialog-screenshot docs/attribute-grid.png docs/device-select.png docs/screen-attributes.png
// With ZQ_LANG=en the pictures are in English (and refused while a Chinese text is left on them).
#include "appkit/tool_cli.h"
#include "appkit/ui_language.h"
#include "appkit/window_picture.h"
#include "controls/control_register.h"
#include "controls/screen_base.h"
#include "devices/device_collection.h"
#include "devices/plc_collection.h"
#include "editor/app/dialogs/dlg_attributes_set.h"
#include "editor/app/dialogs/dlg_device_select.h"
#include "editor/app/dialogs/dlg_screen_attributes.h"
#include "editor/project.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QSaveFile>

namespace {

// Writes the widget's picture to path whole or not at all.
bool Save(QWidget& widget, const QString& path)
{
    widget.show();
    QApplication::processEvents();
    if (!ZQ_CLI::ShowsUserLanguage(widget))
        return false;
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && widget.grab().save(&file, "PNG") && file.commit())
        return true;
    ZQ_CLI::PrintError(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
    return false;
}

// The first panel model and PLC of the catalogues.
bool SetUpProject(CProject& project)
{
    char device[CCatalogue::TEXT_SIZE] = {};
    char plc[CCatalogue::TEXT_SIZE] = {};
    UINT id = 0;
    CDeviceCollection::GetInstance()->StartGetDevice();
    CPLCCollection::GetInstance()->StartGetPLC();
    return CDeviceCollection::GetInstance()->GetNextDevice(id, device, nullptr) &&
           CPLCCollection::GetInstance()->GetNextPLC(id, plc, nullptr) && project.SetDeviceAndPLC(device, plc, nullptr);
}

} // namespace

int main(int argc, char** argv)
{
    ZQ_CLI::SetProgramName("dialog-screenshot");
    QCommandLineParser parser;
    ZQ_CLI::AddStandardOptions(parser, "Renders the attribute pane of a register, the device selection dialog and "
                                       "the panel settings dialog into PNG files.");
    parser.addPositionalArgument("grid", "The attribute pane's picture.", "GRID.png");
    parser.addPositionalArgument("device", "The device selection dialog's picture.", "DEVICE.png");
    parser.addPositionalArgument("screen", "The panel settings dialog's picture.", "SCREEN.png");
    int exitCode = 0;
    if (!ZQ_CLI::ParseOrExit(parser, ZQ_CLI::ArgumentsOf(argc, argv), exitCode))
        return exitCode;
    const QStringList outputs = parser.positionalArguments();
    if (outputs.size() != 3) {
        ZQ_CLI::PrintError(std::string("name three output files"));
        return ZQ_CLI::EXIT_USAGE;
    }
    for (const QString& output : outputs) {
        std::string error;
        if (!ZQ_CLI::CheckOutputFile(output.toStdString(), error)) {
            ZQ_CLI::PrintError(error);
            return ZQ_CLI::EXIT_FAILED;
        }
    }
    if (!ZQ_CLI::HasDisplay())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ZQ_I18N::InstallWindowTranslators(application);
    CProject project;
    if (!SetUpProject(project)) {
        ZQ_CLI::PrintError(std::string("the catalogues beside the program offer no panel model and PLC"));
        return ZQ_CLI::EXIT_FAILED;
    }
    CScreenBase* screen = project.GetFirstScreen();
    screen->SetScreenName("Main");
    project.AddNewScreen();
    auto* reg = static_cast<CControlRegister*>(screen->AddControl(CControlBase::CONTROL_REGISTER));
    reg->SetRegisterAddr(100);
    reg->SetIntegerDigits(3);
    reg->SetDecimalDigits(1);
    project.SetBacklightDelay(120);
    project.SetFunctionPage(0, 2);

    QWidget paneWindow;
    paneWindow.setAutoFillBackground(true);
    auto* pane = new CDlgAttributesSet(&paneWindow);
    pane->Refresh(screen);
    pane->adjustSize();
    paneWindow.resize(pane->width(), pane->minimumHeight());
    CDlgDeviceSelect device(&project);
    CDlgScreenAttributes attributes(&project);
    const bool saved = Save(paneWindow, outputs[0]) && Save(device, outputs[1]) && Save(attributes, outputs[2]);
    return saved ? ZQ_CLI::EXIT_DONE : ZQ_CLI::EXIT_FAILED;
}
