#include "flasher/image_file.h"

#include "comkit/download_image.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#ifndef ZQ_IMAGE_KEY_DIGITS
#define ZQ_IMAGE_KEY_DIGITS "271828182845904"
#endif

const char* const MSG_IMAGE_BAD_KIND = "file must be .hex or .bin or .vxc or .vxg!";
const char* const MSG_IMAGE_RAW_OPEN = "open input file error";
const char* const MSG_IMAGE_HEX_OPEN = "open input file error!";
const char* const MSG_IMAGE_SIZE_ZERO = "error:file size is zero";
const char* const MSG_IMAGE_SIZE_OVER = "error:file size over 65535!";
const char* const MSG_IMAGE_HEX_FORMAT = "HEX format error";
const char* const MSG_IMAGE_NO_CIPHER = "file is enciphered but libvexorenc.so is not loaded!";
const char* const FMT_IMAGE_HEX_CONFLICT = "HEX format error: two records give address 0x%04X different values";
const char* const MSG_IMAGE_PLAIN =
    "file is not enciphered: program it as not enciphered (notenc=1 in isp.ini, zqflash --notenc)!";

namespace {

constexpr bool IsKeyText(const char* digits, int n)
{
    for (int i = 0; i < n; ++i) {
        if (digits[i] < '0' || digits[i] > '9') {
            return false;
        }
    }
    return digits[n] == '\0';
}
static_assert(IsKeyText(ZQ_IMAGE_KEY_DIGITS, IMAGE_KEY_LENGTH), "the image key needs 15 decimal digits");

BYTE s_image[PROGRAM_IMAGE_SIZE];
INT s_imageLength = 0;

// The image reads as erased flash from the start, before any file is loaded.
[[maybe_unused]] const bool s_imageErased = (std::memset(s_image, 0xFF, sizeof(s_image)), true);

// Largest HEX file whose rounded size still fits the parser's length.
constexpr long long HEX_FILE_LIMIT = INT_MAX - 7;

enum FileReadResult { READ_OK, READ_OPEN_FAILED, READ_EMPTY, READ_TOO_LARGE, READ_NO_CIPHER, READ_PLAIN };

struct FileText {
    std::vector<BYTE> bytes; // the file rounded up to a multiple of 8, zero after its end
    long long size = 0;      // the file's own size
};

void Show(const IMAGE_LOAD_SETTINGS& settings, const char* text)
{
    if (settings.pMessages != nullptr) {
        settings.pMessages->ShowMessage(text);
    }
}

bool ReadWholeFile(const char* path, long long limit, FileText* file, FileReadResult* result)
{
    // Opened without waiting: a FIFO or a device named as the program file must not block; only
    // regular files are read.
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    FILE* stream = fd >= 0 ? ::fdopen(fd, "rb") : nullptr;
    if (stream == nullptr) {
        if (fd >= 0) {
            ::close(fd);
        }
        *result = READ_OPEN_FAILED;
        return false;
    }
    struct stat info {};
    bool ok = false;
    if (fstat(fileno(stream), &info) != 0 || !S_ISREG(info.st_mode)) {
        *result = READ_OPEN_FAILED;
    } else if (info.st_size == 0) {
        *result = READ_EMPTY;
    } else if (info.st_size > limit) {
        *result = READ_TOO_LARGE;
    } else {
        file->size = info.st_size;
        try {
            file->bytes.assign(size_t((file->size + 7) / 8 * 8), 0);
            ok = std::fread(file->bytes.data(), 1, size_t(file->size), stream) == size_t(file->size);
        } catch (const std::bad_alloc&) {
            ok = false;
        }
        *result = ok ? READ_OK : READ_OPEN_FAILED;
    }
    std::fclose(stream);
    return ok;
}

// Reads and, unless the settings say the files are plain, deciphers the whole file. With
// checkPlain a download image that deciphering would turn into noise is READ_PLAIN.
FileReadResult ReadImageFile(const char* path, long long limit, const IMAGE_LOAD_SETTINGS& settings, FileText* file,
                             bool checkPlain)
{
    FileReadResult result = READ_OK;
    if (!ReadWholeFile(path, limit, file, &result) || settings.bNotEnc) {
        return result;
    }
    if (settings.pfnDesGo == nullptr) {
        return READ_NO_CIPHER;
    }
    BYTE builtIn[IMAGE_KEY_LENGTH];
    BuildImageKey(builtIn);
    const BYTE* key = settings.pKey != nullptr ? settings.pKey : builtIn;
    BYTE* data = file->bytes.data();
    const size_t size = size_t(file->size);
    const bool plainImage = checkPlain && IsDownloadImage(data, size);
    if (settings.pfnDesGo(data, data, INT(file->bytes.size()), key, IMAGE_KEY_LENGTH, 1) != 1) {
        return READ_NO_CIPHER;
    }
    if (plainImage && !IsDownloadImage(data, size)) {
        return READ_PLAIN;
    }
    return READ_OK;
}

// Shows the message of a failed read and answers the load's length.
INT FailedRead(FileReadResult result, const char* openMessage, const IMAGE_LOAD_SETTINGS& settings)
{
    switch (result) {
    case READ_EMPTY: Show(settings, MSG_IMAGE_SIZE_ZERO); return 0;
    case READ_TOO_LARGE: Show(settings, MSG_IMAGE_SIZE_OVER); return -1;
    case READ_NO_CIPHER: Show(settings, MSG_IMAGE_NO_CIPHER); return -1;
    case READ_PLAIN: Show(settings, MSG_IMAGE_PLAIN); return -1;
    default: Show(settings, openMessage); return -1;
    }
}

INT LoadRawImage(const char* path, const IMAGE_LOAD_SETTINGS& settings)
{
    FileText file;
    const FileReadResult result = ReadImageFile(path, IMAGE_FILE_LIMIT, settings, &file, true);
    if (result != READ_OK) {
        return FailedRead(result, MSG_IMAGE_RAW_OPEN, settings);
    }
    std::memcpy(s_image, file.bytes.data(), size_t(file.size));
    return INT(file.size);
}

INT LoadHexImage(const char* path, const IMAGE_LOAD_SETTINGS& settings)
{
    FileText file;
    const FileReadResult result = ReadImageFile(path, HEX_FILE_LIMIT, settings, &file, false);
    if (result == READ_TOO_LARGE) {
        Show(settings, MSG_IMAGE_HEX_FORMAT);
        return -1;
    }
    if (result != READ_OK) {
        return FailedRead(result, MSG_IMAGE_HEX_OPEN, settings);
    }
    INT conflict = -1;
    const INT length =
        ParseIntelHex(reinterpret_cast<const char*>(file.bytes.data()), INT(file.bytes.size()), &conflict);
    if (conflict >= 0) {
        char text[96];
        std::snprintf(text, sizeof text, FMT_IMAGE_HEX_CONFLICT, unsigned(conflict));
        Show(settings, text);
    } else if (length <= 0) {
        Show(settings, MSG_IMAGE_HEX_FORMAT);
    }
    return length;
}

// Hex digit values; -1 for anything else.
struct HexDigits {
    signed char value[256];
    constexpr HexDigits() : value()
    {
        for (int c = 0; c < 256; ++c) {
            value[c] = -1;
        }
        for (int d = 0; d < 10; ++d) {
            value['0' + d] = static_cast<signed char>(d);
        }
        for (int d = 0; d < 6; ++d) {
            value['a' + d] = static_cast<signed char>(10 + d);
            value['A' + d] = static_cast<signed char>(10 + d);
        }
    }
};
constexpr HexDigits HEX_DIGITS;

} // namespace

BYTE* GetProgramImage()
{
    return s_image;
}

bool IsDownloadImage(const BYTE* bytes, size_t size)
{
    using namespace DOWNLOAD_IMAGE;
    if (bytes == nullptr || size < MIN_IMAGE_SIZE || size > size_t(IMAGE_FILE_LIMIT)) {
        return false;
    }
    if (ReadBE16(bytes + OFFSET_LENGTH) != (size & 0xFFFF) || bytes[OFFSET_CONSTANT] != CONSTANT_VALUE) {
        return false;
    }
    for (size_t i = OFFSET_RESERVED; i < OFFSET_RESERVED + RESERVED_SIZE; ++i) {
        if (bytes[i] != 0) {
            return false;
        }
    }
    const unsigned index = ReadBE16(bytes + OFFSET_INDEX);
    const unsigned glyphs = ReadBE16(bytes + OFFSET_GLYPHS);
    return index >= MIN_IMAGE_SIZE && index <= glyphs && glyphs <= size &&
           bytes[OFFSET_PARAMETER_COUNT] <= bytes[OFFSET_CONTROL_COUNT];
}

INT GetProgramImageLength()
{
    return s_imageLength;
}

void BuildImageKey(BYTE key[IMAGE_KEY_LENGTH])
{
    const char* digits = ZQ_IMAGE_KEY_DIGITS;
    for (int i = 0; i < IMAGE_KEY_LENGTH; ++i) {
        key[i] = BYTE(digits[i] - '0');
    }
}

ImageFileKind GetImageFileKind(const char* path)
{
    if (path == nullptr) {
        return IMAGE_KIND_NONE;
    }
    const size_t n = std::strlen(path);
    if (n < 4) {
        return IMAGE_KIND_NONE;
    }
    std::string tail(path + n - 4);
    for (char& c : tail) {
        c = char(std::tolower(static_cast<unsigned char>(c)));
    }
    if (tail == ".hex") {
        return IMAGE_KIND_HEX;
    }
    if (tail == ".bin" || tail == ".dat" || tail == ".vxc" || tail == ".vxg") {
        return IMAGE_KIND_RAW;
    }
    return IMAGE_KIND_NONE;
}

INT LoadProgramImage(const char* path, const IMAGE_LOAD_SETTINGS& settings)
{
    std::memset(s_image, 0xFF, sizeof(s_image));
    switch (GetImageFileKind(path)) {
    case IMAGE_KIND_RAW: s_imageLength = LoadRawImage(path, settings); break;
    case IMAGE_KIND_HEX: s_imageLength = LoadHexImage(path, settings); break;
    default:
        Show(settings, MSG_IMAGE_BAD_KIND);
        s_imageLength = -1;
        break;
    }
    return s_imageLength;
}

BOOL ValidateChosenFile(const char* path, const IMAGE_LOAD_SETTINGS& settings)
{
    if (GetImageFileKind(path) != IMAGE_KIND_HEX) {
        return TRUE;
    }
    std::memset(s_image, 0xFF, sizeof(s_image));
    s_imageLength = LoadHexImage(path, settings);
    return s_imageLength >= 1 ? TRUE : FALSE;
}

INT ParseIntelHex(const char* text, INT length, INT* pConflict)
{
    if (pConflict != nullptr) {
        *pConflict = -1;
    }
    if (text == nullptr) {
        return -1;
    }
    INT position = 0;
    INT highestEnd = 0;
    auto written = std::make_unique<HEX_WRITTEN_BYTES>();
    char line[HEX_LINE_BUFFER_SIZE];
    INT n = ReadHexLine(text, length, &position, line);
    while (n > 0) {
        // Records failing their checks are skipped; records that disagree refuse the file.
        const INT result = ParseHexRecord(line, n, &highestEnd, written.get());
        if (result == HEX_RECORD_END) {
            return highestEnd;
        }
        if (result == HEX_RECORD_CONFLICT) {
            if (pConflict != nullptr) {
                *pConflict = written->nConflict;
            }
            return -1;
        }
        n = ReadHexLine(text, length, &position, line);
    }
    return n == 0 ? highestEnd : -1;
}

INT ReadHexLine(const char* text, INT length, INT* pPosition, char* line)
{
    INT& position = *pPosition;
    if (position < 0 || position >= length) {
        return 0;
    }
    char c = text[position++];
    if (position >= length) {
        return 0;
    }
    INT count = 0;
    while (c != '\n') {
        line[count++] = c;
        if (count > HEX_LINE_MAX) {
            return HEX_LINE_TOO_LONG;
        }
        c = text[position++];
        if (position >= length) {
            return count;
        }
    }
    if (count == 0 || line[count - 1] != '\r') {
        return HEX_LINE_NO_CR;
    }
    return count - 1;
}

INT ParseHexRecord(const char* line, INT lineLength, INT* pHighestEnd, HEX_WRITTEN_BYTES* pWritten)
{
    if (lineLength < 11 || lineLength > HEX_LINE_MAX) {
        return HEX_RECORD_BAD_LENGTH;
    }
    if (line[0] != ':') {
        return HEX_RECORD_NO_COLON;
    }
    if (lineLength % 2 == 0) {
        return HEX_RECORD_EVEN_LENGTH;
    }
    BYTE bytes[HEX_LINE_MAX / 2];
    const INT byteCount = (lineLength - 1) / 2;
    BYTE sum = 0;
    for (INT i = 0; i < byteCount; ++i) {
        const int high = HEX_DIGITS.value[static_cast<unsigned char>(line[1 + 2 * i])];
        const int low = HEX_DIGITS.value[static_cast<unsigned char>(line[2 + 2 * i])];
        if (high < 0 || low < 0) {
            return HEX_RECORD_BAD_DIGIT;
        }
        bytes[i] = BYTE(high * 16 + low);
        sum = BYTE(sum + bytes[i]);
    }
    const INT count = bytes[0];
    if (sum != 0 || count > 16 || lineLength != 2 * count + 11) {
        return HEX_RECORD_BAD_SUM;
    }
    const INT address = bytes[1] * 256 + bytes[2];
    if (address + count > IMAGE_FILE_LIMIT) {
        return HEX_RECORD_TOO_HIGH;
    }
    if (address + count > *pHighestEnd) {
        *pHighestEnd = address + count;
    }
    switch (bytes[3]) {
    case 0:
        if (pWritten != nullptr) {
            for (INT i = 0; i < count; ++i) {
                if (pWritten->written[size_t(address + i)] && s_image[address + i] != bytes[4 + i]) {
                    pWritten->nConflict = address + i;
                    return HEX_RECORD_CONFLICT;
                }
            }
            for (INT i = 0; i < count; ++i) {
                pWritten->written[size_t(address + i)] = true;
            }
        }
        std::memcpy(s_image + address, bytes + 4, size_t(count));
        return HEX_RECORD_DATA;
    case 1: return HEX_RECORD_END;
    default:
        // Address records and the rest: data keeps its 16-bit address whatever they say.
        return HEX_RECORD_OTHER_TYPE;
    }
}
