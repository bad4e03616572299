// Grouping of the addresses a screen shows into as few read requests as the protocol allows.
#pragma once

#include "emulator/emulator_api.h"

#include <vector>

struct EMULATOR_API POLL_REQUEST {
    int station = 0;
    int address = 0; // first address
    int count = 0;   // addresses from `address` on
};

class EMULATOR_API CPollPlan {
public:
    static constexpr int MAX_REGISTERS = 125; // per read-registers request
    static constexpr int MAX_COILS = 2000;    // per read-coils request

    struct ITEM {
        int station;
        int address;
    };
    // Requests covering every item: adjacent addresses of one station share a request of at most
    // `maxCount` addresses; duplicates are read once. Ordered by station, then address.
    static std::vector<POLL_REQUEST> Group(std::vector<ITEM> items, int maxCount);
};
