// Caller-owned 20-byte name buffers for the device's and the PLC's collection queries.
#pragma once

#include "controls/controls_api.h"

#include <string>
#include <vector>

struct CONTROLS_API CNameBuffers {
    static constexpr int MAX_NAMES = 50; // the most kinds or keys a control offers
    static constexpr int NAME_SIZE = 20; // a name of at most 19 bytes and its terminator

    char text[MAX_NAMES][NAME_SIZE] = {};
    char* pointers[MAX_NAMES];

    CNameBuffers()
    {
        for (int i = 0; i < MAX_NAMES; ++i)
            pointers[i] = text[i];
    }

    // The first count names (count as a query returned it, clamped to the buffers).
    std::vector<std::string> Collect(int count)
    {
        std::vector<std::string> names;
        for (int i = 0; i < count && i < MAX_NAMES; ++i) {
            text[i][NAME_SIZE - 1] = 0;
            names.emplace_back(text[i]);
        }
        return names;
    }
};
