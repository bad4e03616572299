// Device selection dialog.
#include "editor/app/dialogs/dlg_device_select.h"

#include "comkit/serial_attri.h"
#include "controls/dsp/dsp_text.h"
#include "devices/device_collection.h"
#include "devices/plc_collection.h"
#include "editor/app/dialogs/dlg_comm_settings.h"
#include "editor/app/look/user_prompts.h"
#include "editor/project.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>

using COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri;

const char* const CDlgDeviceSelect::INVALID_SELECTION =
    QT_TRANSLATE_NOOP("EditorDialogs", "无效的设备名称或无效的PLC名称！");

namespace {

// Fills combo with a catalogue's names (Start/Next), selects its "LastSelected" row, then the
// row named `current` when there is one.
template <class Catalogue, class Next>
void FillCatalogue(QComboBox* combo, Catalogue* catalogue, Next next, const std::string& current)
{
    char name[CCatalogue::TEXT_SIZE];
    UINT id = 0;
    while ((catalogue->*next)(id, name, nullptr))
        combo->addItem(DspText::Shown(name), QByteArray(name)); // shown translated, kept as stored
    const int last = catalogue->GetLastSelectedIndex();
    combo->setCurrentIndex(last >= 0 && last < combo->count() ? last : -1);
    if (!current.empty()) {
        const int row = combo->findData(QByteArray(current.c_str()));
        if (row >= 0)
            combo->setCurrentIndex(row);
    }
}

} // namespace

CDlgDeviceSelect::CDlgDeviceSelect(CProject* project, QWidget* parent)
    : CDlgBase(parent, QCoreApplication::translate("EditorDialogs", "设备选择"), QSize(386, 249)), m_pProject(project),
      m_serial(std::make_unique<CHADEXSerialAttri>())
{
    m_serial->SetBaudrate(CHADEXSerialAttri::BAUDRATE_38400);
    if (m_pProject && m_pProject->GetPLCSerialAttributes())
        m_serial->Copy(m_pProject->GetPLCSerialAttributes());

    AddLabel(QCoreApplication::translate("EditorDialogs", "选择液晶屏设备"), QRect(35, 33, 125, ROW_HEIGHT));
    QComboBox* devices = AddComboBox(ID_DEVICE, QRect(160, 33, 175, ROW_HEIGHT));
    AddLabel(QCoreApplication::translate("EditorDialogs", "选择PLC"), QRect(35, 82, 125, ROW_HEIGHT));
    QComboBox* plcs = AddComboBox(ID_PLC, QRect(160, 82, 175, ROW_HEIGHT));
    AddLabel(QCoreApplication::translate("EditorDialogs", "液晶屏和PLC通信设置"), QRect(35, 130, 165, 30));
    QPushButton* comm =
        AddButton(ID_COMM_SETTINGS, QCoreApplication::translate("EditorDialogs", "设 置"), QRect(235, 129, 97, 27));
    QPushButton* ok = AddButton(ID_OK, QCoreApplication::translate("EditorDialogs", "确 定"), CentredButton(15));
    ok->setDefault(true);

    CDeviceCollection* deviceCatalogue = CDeviceCollection::GetInstance();
    CPLCCollection* plcCatalogue = CPLCCollection::GetInstance();
    deviceCatalogue->StartGetDevice();
    FillCatalogue(devices, deviceCatalogue, &CDeviceCollection::GetNextDevice,
                  m_pProject ? m_pProject->GetDeviceName() : std::string());
    plcCatalogue->StartGetPLC();
    FillCatalogue(plcs, plcCatalogue, &CPLCCollection::GetNextPLC,
                  m_pProject ? m_pProject->GetPLCName() : std::string());

    connect(devices, &QComboBox::activated, this,
            [](int row) { CDeviceCollection::GetInstance()->SetLastSelectedIndex(row); });
    connect(plcs, &QComboBox::activated, this,
            [](int row) { CPLCCollection::GetInstance()->SetLastSelectedIndex(row); });
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
    // The catalogue's own (GBK) names, whatever language the rows are shown in.
    const std::string device =
        devices->currentIndex() >= 0 ? devices->currentData().toByteArray().toStdString() : std::string();
    const std::string plc = plcs->currentIndex() >= 0 ? plcs->currentData().toByteArray().toStdString() : std::string();
    if (!device.empty() && !plc.empty() && m_pProject &&
        m_pProject->SetDeviceAndPLC(device.c_str(), plc.c_str(), m_serial.get())) {
        CDlgBase::accept();
        return;
    }
    CUserPrompts::Message(this, QCoreApplication::translate("EditorDialogs", INVALID_SELECTION));
    reject();
}
