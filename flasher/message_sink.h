// Where the programmer's non-GUI code shows its messages; the dialog implements it.
#pragma once

#include "flasher/flasher_api.h"

class FLASHER_API IMessageSink {
public:
    virtual ~IMessageSink() = default;
    // A message box without caption. text is zero-terminated GBK.
    virtual void ShowMessage(const char* text) = 0;
};
