// The device selection dialog ("设备选择") of a new project, and of the "设置" button for the open
// one: panel model and PLC protocol from the catalogues, and the serial line settings.
#pragma once

#include "editor/app/dialogs/dlg_base.h"

#include <memory>

class CProject;
namespace COM_HARDWARE_ATTRIBUTES_EX {
class CHADEXSerialAttri;
}

class CDlgDeviceSelect : public CDlgBase {
    Q_OBJECT
public:
    enum : UINT { IDD = 6000, ID_DEVICE = 6001, ID_PLC = 6002, ID_COMM_SETTINGS = 6003 };
    // The refusal when no model or PLC is chosen or the project cannot take them (UTF-8).
    static const char* const INVALID_SELECTION; // "无效的设备名称或无效的PLC名称！"

    // Works for project (not owned, must outlive the dialog). The lists start on the
    // catalogues' "LastSelected" rows, then on the project's own model and PLC when it has them;
    // the serial settings start as the project's (38400 baud when it has none).
    explicit CDlgDeviceSelect(CProject* project, QWidget* parent = nullptr);
    ~CDlgDeviceSelect() override;

    // OK: with a model and a PLC chosen that the project accepts, the project takes them (and the
    // serial settings) and the dialog closes with OK; otherwise the refusal is shown and it
    // closes with Cancel.
    void accept() override;

    COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri* GetSerialAttributes() const { return m_serial.get(); }

private:
    void OnCommSettings();

    CProject* m_pProject;
    std::unique_ptr<COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri> m_serial;
};
