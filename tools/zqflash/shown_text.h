// zqflash's texts from elsewhere in the user's language: the programming library's messages and
// the errors a line run keeps in its production record.
#pragma once

#include "flasher/flasher_message.h"

#include <string>

// A message of the programming library (bytes in the locale's encoding) in the user's language,
// through the "Flasher" entries the programmer's dialog shows too; the bytes themselves when the
// catalogue gives no other text.
std::string ShownLibraryText(const char* text);
// A numbered message of the programming library in the user's language (DescribeFlasherMessage),
// in the locale's encoding.
std::string ShownLibraryMessage(const FLASHER_MESSAGE& message);

// An error as a line run records it (the source texts, the same in every language) in the user's
// language: a whole zqflash text or a whole library message by its entry; anything else, a composed
// message for example, as it is.
std::string ShownRecordError(const std::string& text);
