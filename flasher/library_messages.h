// The programming library's messages in the user's language, for every view that shows them (the
// programmer's dialog, zqflash): the library itself stays free of Qt and keeps its own texts.
#pragma once

#include "flasher/flasher_api.h"

#include "flasher/flasher_message.h"

#include <QString>

// text through the translators the application installed, in context "Flasher": a fixed text (the
// library's MSG_ texts, the dialog's own texts) comes back as its entry; a text without an entry
// and an empty text come back unchanged.
FLASHER_API QString TranslateLibraryMessage(const QString& text);

// A numbered message in the user's language: the entry of its form (the library's format with %1
// in place of each number) with the numbers written as the format writes them (FlasherMessageText:
// sign and digits, hex case and zeros); a HEX line's reason through its own entry. Without an
// entry, the library's own English. An unknown code gives an empty text.
FLASHER_API QString DescribeFlasherMessage(const FLASHER_MESSAGE& message);
