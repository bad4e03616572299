#include "emulator/poll_plan.h"

#include <algorithm>

std::vector<POLL_REQUEST> CPollPlan::Group(std::vector<ITEM> items, int maxCount)
{
    std::sort(items.begin(), items.end(), [](const ITEM& a, const ITEM& b) {
        return a.station != b.station ? a.station < b.station : a.address < b.address;
    });
    std::vector<POLL_REQUEST> requests;
    for (const ITEM& item : items) {
        if (!requests.empty()) {
            POLL_REQUEST& last = requests.back();
            const int next = last.address + last.count;
            if (last.station == item.station && item.address < next)
                continue; // read already
            if (last.station == item.station && item.address == next && last.count < maxCount) {
                ++last.count;
                continue;
            }
        }
        requests.push_back({item.station, item.address, 1});
    }
    return requests;
}
