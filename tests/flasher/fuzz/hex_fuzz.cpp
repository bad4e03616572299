// libFuzzer target: the HEX parser on raw input, and whole files through the loaders, plain and
// enciphered. Whatever the input, nothing may be written outside the first 64 KiB of the image.
#include "flasher/image_file.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

void Check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

void CheckImage(INT length)
{
    Check(length <= IMAGE_FILE_LIMIT);
    static const std::vector<BYTE> erased(PROGRAM_IMAGE_SIZE - IMAGE_FILE_LIMIT, 0xFF);
    Check(std::memcmp(GetProgramImage() + IMAGE_FILE_LIMIT, erased.data(), erased.size()) == 0);
}

std::string ScratchFile(const char* extension)
{
    return "/tmp/zq_image_fuzz_" + std::to_string(getpid()) + extension;
}

void WriteFile(const std::string& path, const BYTE* data, size_t size)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    Check(file != nullptr);
    if (size > 0) {
        Check(std::fwrite(data, 1, size, file) == size);
    }
    std::fclose(file);
}

INT LoadFile(const char* extension, const BYTE* data, size_t size, const IMAGE_LOAD_SETTINGS& settings)
{
    const std::string path = ScratchFile(extension);
    WriteFile(path, data, size);
    const INT length = LoadProgramImage(path.c_str(), settings);
    if (extension[1] == 'h') {
        ValidateChosenFile(path.c_str(), settings);
    }
    std::remove(path.c_str());
    return length;
}

// The input enciphered with the image key, so that deciphering hands the parser the input itself.
std::vector<BYTE> Encipher(const BYTE* data, size_t size)
{
    std::vector<BYTE> bytes(data, data + size);
    bytes.resize((size + 7) / 8 * 8, 0);
    BYTE key[IMAGE_KEY_LENGTH];
    BuildImageKey(key);
    if (!bytes.empty()) {
        Check(Des_Go(bytes.data(), bytes.data(), int(bytes.size()), key, IMAGE_KEY_LENGTH, 0) == 1);
    }
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const int mode = data[0] % 5;
    ++data;
    --size;
    IMAGE_LOAD_SETTINGS settings;
    settings.pfnDesGo = Des_Go;
    settings.bNotEnc = TRUE;
    switch (mode) {
    case 0: {
        // Exactly the input's bytes, so the sanitizer sees any read past them.
        std::vector<char> text(data, data + size);
        CheckImage(ParseIntelHex(text.data(), INT(text.size())));
        break;
    }
    case 1: CheckImage(LoadFile(".hex", data, size, settings)); break;
    case 2: CheckImage(LoadFile(".BIN", data, size, settings)); break;
    case 3: {
        settings.bNotEnc = FALSE;
        const std::vector<BYTE> file = Encipher(data, size);
        CheckImage(LoadFile(".hex", file.data(), file.size(), settings));
        break;
    }
    default:
        settings.bNotEnc = FALSE;
        CheckImage(LoadFile(".vxg", data, size, settings));
        break;
    }
    return 0;
}
