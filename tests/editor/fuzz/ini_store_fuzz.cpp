// libFuzzer target: the INI store on a damaged file. Reads, writes and deletions of sections and
// keys taken from the input itself; a value written must read back as written.
#include "fuzz_support.h"

#include "comkit/init_setting.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The input's first line's words as section and key names ("S", "K" when missing).
void Names(const uint8_t* data, size_t size, std::string& section, std::string& key)
{
    std::string line(reinterpret_cast<const char*>(data), std::min<size_t>(size, 64));
    line = line.substr(0, line.find('\n'));
    const size_t space = line.find(' ');
    section = space == std::string::npos ? line : line.substr(0, space);
    key = space == std::string::npos ? std::string("K") : line.substr(space + 1);
    if (section.empty())
        section = "S";
    if (key.empty())
        key = "K";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = ZQ_FUZZ::ScratchFile("store.ini", data, size);
    std::string section, key;
    Names(data, size, section, key);
    CInitSetting store(path.c_str());
    char value[CInitSetting::MAX_VALUE_LENGTH + 1];
    store.GetValue(section.c_str(), key.c_str(), value, sizeof value, "d", "<", ">");
    store.GetInt(section.c_str(), key.c_str());
    store.GetValueK2K(section.c_str(), key.c_str(), "Copy", key.c_str(), 0);
    // Names and values with line breaks, '=' or ']' cannot be written faithfully; skip those.
    const bool plain = section.find_first_of("\r\n[]=;") == std::string::npos &&
                       key.find_first_of("\r\n[]=;") == std::string::npos && key.find_first_not_of(' ') == 0 &&
                       section.find_first_not_of(' ') == 0 && key.back() != ' ' && section.back() != ' ' &&
                       section.find('\0') == std::string::npos && key.find('\0') == std::string::npos;
    if (plain && store.SetValue(section.c_str(), key.c_str(), "v=1")) {
        store.GetValue(section.c_str(), key.c_str(), value, sizeof value);
        if (std::strcmp(value, "v=1") != 0)
            std::abort();
        store.DeleteKey(section.c_str(), key.c_str());
        store.SetValue(section.c_str(), nullptr, nullptr);
    }
    return 0;
}
