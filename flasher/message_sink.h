// Where the programmer's non-GUI code shows its messages; the dialog implements it.
#pragma once

#include "flasher/flasher_api.h"

#include "flasher/flasher_message.h"

class FLASHER_API IMessageSink {
public:
    virtual ~IMessageSink() = default;
    // A message box without caption. text is zero-terminated GBK.
    virtual void ShowMessage(const char* text) = 0;
    // A numbered message in a message box without caption. A sink that does not put it into words
    // itself (DescribeFlasherMessage) shows its English text through ShowMessage.
    virtual void ShowNumberedMessage(const FLASHER_MESSAGE& message)
    {
        ShowMessage(FlasherMessageText(message).c_str());
    }
};
