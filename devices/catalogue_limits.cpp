// Bounded reads of catalogue numbers and the warnings they leave.
#include "devices/catalogue_limits.h"

#include "comkit/init_setting.h"
#include "comkit/message_text.h"

#include <algorithm>
#include <mutex>
#include <tuple>

namespace CATALOGUE_LIMITS {

namespace {

// One value held to its bound. Kept as its parts: the catalogues are read when the library
// loads, before a program has chosen its language, so the text is made when it is taken.
struct CAPPED {
    std::string file;
    std::string section;
    std::string key;
    int value;
    int high;

    bool operator==(const CAPPED& other) const
    {
        return std::tie(file, section, key, value, high) ==
               std::tie(other.file, other.section, other.key, other.value, other.high);
    }
};

std::mutex g_lock;
std::vector<CAPPED> g_capped;

void Record(const CAPPED& capped)
{
    std::lock_guard<std::mutex> hold(g_lock);
    if (std::find(g_capped.begin(), g_capped.end(), capped) == g_capped.end())
        g_capped.push_back(capped);
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
    Record({path ? path : "", section, key, value, high});
    return high;
}

std::vector<std::string> TakeWarnings()
{
    std::vector<CAPPED> taken;
    {
        std::lock_guard<std::mutex> hold(g_lock);
        taken.swap(g_capped);
    }
    std::vector<std::string> warnings;
    warnings.reserve(taken.size());
    for (const CAPPED& capped : taken)
        warnings.push_back(COMMON_EX::TrArgs(
            "Catalogue",
            QT_TRANSLATE_NOOP("Catalogue",
                              "%1: [%2] %3=%4 is beyond the largest value the formats hold, %5; %5 is used"),
            {capped.file.empty() ? COMMON_EX::Tr("Catalogue", QT_TRANSLATE_NOOP("Catalogue", "(no file)"))
                                 : capped.file,
             capped.section, capped.key, std::to_string(capped.value), std::to_string(capped.high)}));
    return warnings;
}

} // namespace CATALOGUE_LIMITS
