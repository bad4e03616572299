// The editor's string resources that the project file, the compile and the download use. Texts
// are UTF-8 (shown at the user-interface boundary); the file and image texts are plain ASCII.
#pragma once

#include "editor/editor_api.h"

#include "comkit/types.h"

class EDITOR_API CEditorStrings {
public:
    enum {
        IDS_PROJECT_MAGIC = 3000,      // "ZQE"
        IDS_PROJECT_MAKER = 3001,      // maker text of the project header
        IDS_PROJECT_DAMAGED = 3002,    // a file that is no project or is damaged
        IDS_IMAGE_VERSION = 3003,      // version text of the download image
        IDS_DOWNLOAD_POWER = 3004,     // power the panel off and on again
        IDS_DOWNLOAD_REFUSED = 3005,   // no parameter control, or more than 255 controls
        IDS_NO_REGISTER = 3006,        // order mode on a screen without registers
        IDS_CLOSE_WITHOUT_SAVE = 5002, // a dropped file replaces a modified project
        IDS_SAVE_FILTER = 300,
        IDS_DELETE_LAST_SCREEN = 15000,
        IDS_DELETE_SCREEN_ASK = 15001,
        IDS_SCREEN_LIMIT = 15200,
    };

    // The text of a string resource; an empty text for an unknown number.
    static const char* Get(UINT id);
};
