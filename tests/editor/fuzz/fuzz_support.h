// Shared pieces of the model's fuzz targets: a scratch file for inputs that must be files.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace ZQ_FUZZ {

// A file of this process under /tmp with `bytes` in it; its path.
inline std::string ScratchFile(const char* name, const uint8_t* bytes, size_t size)
{
    const std::string path = "/tmp/zq-fuzz-" + std::to_string(::getpid()) + "-" + name;
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        if (size)
            std::fwrite(bytes, 1, size, f);
        std::fclose(f);
    }
    return path;
}

} // namespace ZQ_FUZZ
