// Where the programmer's non-GUI code shows its messages; the dialog implements it.
#pragma once

class IMessageSink {
public:
    virtual ~IMessageSink() = default;
    // A message box without caption. text is zero-terminated GBK.
    virtual void ShowMessage(const char* text) = 0;
};
