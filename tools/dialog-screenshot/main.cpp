// dialog-screenshot GRID.png DEVICE.png SCREEN.png
// Renders, for the manual, the attribute pane showing a register of a new project, the device
// selection dialog and the panel settings dialog. Run it offscreen from the output folder (it reads
// the catalogues beside the program and writes nothing else):
//   QT_QPA_PLATFORM=offscreen out/dialog-screenshot docs/attribute-grid.png docs/device-select.png docs/screen-attributes.png
#include "controls/control_register.h"
#include "controls/screen_base.h"
#include "devices/device_collection.h"
#include "devices/plc_collection.h"
#include "editor/app/dialogs/dlg_attributes_set.h"
#include "editor/app/dialogs/dlg_device_select.h"
#include "editor/app/dialogs/dlg_screen_attributes.h"
#include "editor/project.h"

#include <QApplication>

#include <cstdio>

namespace {

bool Save(QWidget& widget, const char* path)
{
    widget.show();
    QApplication::processEvents();
    if (widget.grab().save(QString::fromLocal8Bit(path)))
        return true;
    std::fprintf(stderr, "cannot write %s\n", path);
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
    if (argc != 4) {
        std::fprintf(stderr, "usage: dialog-screenshot GRID.png DEVICE.png SCREEN.png\n");
        return 2;
    }
    QApplication application(argc, argv);
    CProject project;
    if (!SetUpProject(project)) {
        std::fprintf(stderr, "the catalogues beside the program offer no panel model and PLC\n");
        return 1;
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
    const bool saved = Save(paneWindow, argv[1]) && Save(device, argv[2]) && Save(attributes, argv[3]);
    return saved ? 0 : 1;
}
