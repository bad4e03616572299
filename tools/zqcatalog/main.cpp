// zqcatalog: lists the panel models and PLC protocols of the catalogues beside the program.
#include "catalogue_report.h"

#include "devices/device_collection.h"
#include "devices/plc_collection.h"

#include <cstring>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--dir") == 0 && i + 1 < argc) {
            std::string dir = std::string(argv[++i]) + "/";
            CDeviceCollection::GetInstance()->ReadCatalogue((dir + CDeviceCollection::FILE_NAME).c_str());
            CPLCCollection::GetInstance()->ReadCatalogue((dir + CPLCCollection::FILE_NAME).c_str());
        } else {
            std::cerr << "usage: zqcatalog [--dir DIRECTORY]\n"
                         "Lists the panel models of DeviceRegister.ini and the PLC protocols of\n"
                         "PLCRegister.ini (beside the program, or in DIRECTORY).\n";
            return 2;
        }
    }
    int listed = WriteCatalogueReport(std::cout, *CDeviceCollection::GetInstance(), *CPLCCollection::GetInstance());
    return listed > 0 ? 0 : 1;
}
