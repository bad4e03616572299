// zqflash's texts from elsewhere in the user's language.
#include "tools/zqflash/shown_text.h"

#include "appkit/tool_cli.h"
#include "flasher/library_messages.h"

std::string ShownLibraryText(const char* text)
{
    const QString plain = QString::fromLocal8Bit(text);
    const QString shown = TranslateLibraryMessage(plain);
    return shown == plain ? std::string(text) : shown.toLocal8Bit().toStdString();
}

std::string ShownLibraryMessage(const FLASHER_MESSAGE& message)
{
    return DescribeFlasherMessage(message).toLocal8Bit().toStdString();
}

std::string ShownRecordError(const std::string& text)
{
    const std::string own = ZQ_CLI::Tr(text);
    return own != text ? own : ShownLibraryText(text.c_str());
}
