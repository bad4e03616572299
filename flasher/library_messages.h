// The programming library's messages in the user's language, for every view that shows them (the
// programmer's dialog, zqflash): the library itself stays free of Qt and keeps its own texts.
#pragma once

#include "flasher/flasher_api.h"

#include <QString>

// text through the translators the application installed, in context "Flasher". A fixed text (the
// library's MSG_ texts, the dialog's own texts) comes back as its entry. A numbered text as the
// library formats it (FMT_ISP_ERROR, FMT_ISP_CRC_ERROR, FMT_IMAGE_HEX_CONFLICT) is recognised by its
// format, translated through the entry of its form with %1 in place of the number, and the number
// is put back exactly as the library wrote it (sign, digits, hex case and zeros kept). Anything else,
// a text without an entry and an empty text come back unchanged.
FLASHER_API QString TranslateLibraryMessage(const QString& text);
