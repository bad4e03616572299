// Bounded reads of catalogue numbers and the warnings they leave.
#include "devices/catalogue_limits.h"

#include "comkit/init_setting.h"

#include <algorithm>
#include <mutex>

namespace CATALOGUE_LIMITS {

namespace {

std::mutex g_lock;
std::vector<std::string> g_warnings;

void Record(const std::string& warning)
{
    std::lock_guard<std::mutex> hold(g_lock);
    if (std::find(g_warnings.begin(), g_warnings.end(), warning) == g_warnings.end())
        g_warnings.push_back(warning);
}

} // namespace

int ReadBounded(CInitSetting& store, const char* section, const char* key, int high)
{
    const int value = store.GetInt(section, key);
    if (value < 0)
        return 0;
    if (value <= high)
        return value;
    const char* path = store.GetInitFilePath();
    Record(std::string(path ? path : "(no file)") + ": [" + section + "] " + key + "=" + std::to_string(value) +
           " is beyond the largest value the formats hold, " + std::to_string(high) + "; " + std::to_string(high) +
           " is used");
    return high;
}

std::vector<std::string> TakeWarnings()
{
    std::lock_guard<std::mutex> hold(g_lock);
    std::vector<std::string> taken;
    taken.swap(g_warnings);
    return taken;
}

} // namespace CATALOGUE_LIMITS
