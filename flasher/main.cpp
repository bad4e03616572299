// The programmer: reads no command line; everything comes from isp.ini beside it.
#include "flasher/flasher_app.h"

int main(int argc, char** argv)
{
    CFlasherApp app(argc, argv);
    return app.InitInstance();
}
