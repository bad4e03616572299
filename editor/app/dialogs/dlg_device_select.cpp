// Device selection dialog.
#include "editor/app/dialogs/dlg_device_select.h"

#include "comkit/serial_attri.h"
#include "controls/dsp/dsp_text.h"
#include "devices/device_collection.h"
#include "devices/plc_collection.h"
#include "editor/app/dialogs/dlg_comm_settings.h"
#include "editor/app/user_prompts.h"
#include "editor/project.h"

#include <QComboBox>
#include <QPushButton>

using COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri;

const char* const CDlgDeviceSelect::INVALID_SELECTION = "无效的设备名称或无效的PLC名称！";

namespace {

// Fills combo with a catalogue's names (Start/Next), selects its "LastSelected" row, then the
// row named `current` when there is one.
template <class Catalogue, class Next>
void FillCatalogue(QComboBox* combo, Catalogue* catalogue, Next next, const std::string& current)
{
    char name[CCatalogue::TEXT_SIZE];
    UINT id = 0;
    while ((catalogue->*next)(id, name, nullptr))
        combo->addItem(DspText::FromGbk(name));
    const int last = catalogue->GetLastSelectedIndex();
    combo->setCurrentIndex(last >= 0 && last < combo->count() ? last : -1);
    if (!current.empty()) {
        const int row = combo->findText(DspText::FromGbk(current));
        if (row >= 0)
            combo->setCurrentIndex(row);
    }
}

} // namespace

CDlgDeviceSelect::CDlgDeviceSelect(CProject* project, QWidget* parent)
    : CDlgBase(parent, QString::fromUtf8("设备选择"), QSize(386, 249)), m_pProject(project),
      m_serial(std::make_unique<CHADEXSerialAttri>())
{
    m_serial->SetBaudrate(CHADEXSerialAttri::BAUDRATE_38400);
    if (m_pProject && m_pProject->GetPLCSerialAttributes())
        m_serial->Copy(m_pProject->GetPLCSerialAttributes());

    AddLabel(QString::fromUtf8("选择液晶屏设备"), QRect(35, 33, 125, ROW_HEIGHT));
    QComboBox* devices = AddComboBox(ID_DEVICE, QRect(160, 33, 175, ROW_HEIGHT));
    AddLabel(QString::fromUtf8("选择PLC"), QRect(35, 82, 125, ROW_HEIGHT));
    QComboBox* plcs = AddComboBox(ID_PLC, QRect(160, 82, 175, ROW_HEIGHT));
    AddLabel(QString::fromUtf8("液晶屏和PLC通信设置"), QRect(35, 130, 165, 30));
    QPushButton* comm = AddButton(ID_COMM_SETTINGS, QString::fromUtf8("设 置"), QRect(235, 129, 97, 27));
    QPushButton* ok = AddButton(ID_OK, QString::fromUtf8("确 定"), CentredButton(15));
    ok->setDefault(true);

    CDeviceCollection* deviceCatalogue = CDeviceCollection::GetInstance();
    CPLCCollection* plcCatalogue = CPLCCollection::GetInstance();
    deviceCatalogue->StartGetDevice();
    FillCatalogue(devices, deviceCatalogue, &CDeviceCollection::GetNextDevice,
                  m_pProject ? m_pProject->GetDeviceName() : std::string());
    plcCatalogue->StartGetPLC();
    FillCatalogue(plcs, plcCatalogue, &CPLCCollection::GetNextPLC, m_pProject ? m_pProject->GetPLCName() : std::string());

    connect(devices, &QComboBox::activated, this, [](int row) { CDeviceCollection::GetInstance()->SetLastSelectedIndex(row); });
    connect(plcs, &QComboBox::activated, this, [](int row) { CPLCCollection::GetInstance()->SetLastSelectedIndex(row); });
    connect(comm, &QPushButton::clicked, this, &CDlgDeviceSelect::OnCommSettings);
    connect(ok, &QPushButton::clicked, this, &CDlgDeviceSelect::accept);
}

CDlgDeviceSelect::~CDlgDeviceSelect() = default;

void CDlgDeviceSelect::OnCommSettings()
{
    CDlgCommSettings dialog(m_serial.get(), this);
    dialog.exec();
}

void CDlgDeviceSelect::accept()
{
    const QComboBox* devices = Child<QComboBox>(ID_DEVICE);
    const QComboBox* plcs = Child<QComboBox>(ID_PLC);
    const std::string device = devices->currentIndex() >= 0 ? DspText::ToGbk(devices->currentText()) : std::string();
    const std::string plc = plcs->currentIndex() >= 0 ? DspText::ToGbk(plcs->currentText()) : std::string();
    if (!device.empty() && !plc.empty() && m_pProject &&
        m_pProject->SetDeviceAndPLC(device.c_str(), plc.c_str(), m_serial.get())) {
        CDlgBase::accept();
        return;
    }
    CUserPrompts::Message(this, QString::fromUtf8(INVALID_SELECTION));
    reject();
}
