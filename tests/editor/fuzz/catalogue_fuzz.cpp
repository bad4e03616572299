// libFuzzer target: damaged catalogue files. The input is split at its first NUL byte into
// DeviceRegister.ini and PLCRegister.ini; both catalogues are read, every model is made with every
// protocol and listed as zqcatalog lists them, and a new project is made of the first pair.
#include "fuzz_support.h"

#include "devices/catalogue_limits.h"
#include "devices/device_collection.h"
#include "devices/plc_collection.h"
#include "editor/project.h"
#include "editor/project_file.h"
#include "tools/zqcatalog/catalogue_report.h"

#include <cstring>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const uint8_t* split = static_cast<const uint8_t*>(std::memchr(data, 0, size));
    const size_t first = split ? size_t(split - data) : size;
    const std::string devices = ZQ_FUZZ::ScratchFile("DeviceRegister.ini", data, first);
    const std::string plcs =
        ZQ_FUZZ::ScratchFile("PLCRegister.ini", split ? split + 1 : data + size, split ? size - first - 1 : 0);
    CDeviceCollection::GetInstance()->ReadCatalogue(devices.c_str());
    CPLCCollection::GetInstance()->ReadCatalogue(plcs.c_str());
    std::ostringstream report;
    WriteCatalogueReport(report, *CDeviceCollection::GetInstance(), *CPLCCollection::GetInstance());

    UINT deviceID = 0, plcID = 0;
    char name[CCatalogue::TEXT_SIZE], plcName[CCatalogue::TEXT_SIZE];
    CDeviceCollection::GetInstance()->StartGetDevice();
    CPLCCollection::GetInstance()->StartGetPLC();
    if (CDeviceCollection::GetInstance()->GetNextDevice(deviceID, name, nullptr) &&
        CPLCCollection::GetInstance()->GetNextPLC(plcID, plcName, nullptr)) {
        CProject project;
        if (project.SetDeviceAndPLC(name, plcName, nullptr)) {
            std::vector<BYTE> bytes;
            std::string error;
            CProjectFile::SaveBytes(project, bytes, error);
            CProjectFile::OpenBytes(bytes, error); // the project is freed at once
        }
    }
    CATALOGUE_LIMITS::TakeWarnings();
    return 0;
}
