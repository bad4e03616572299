#include "flasher/image_file.h"

#include "comkit/download_image.h"
#include "comkit/whole_file.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <utility>
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
const char* const FMT_IMAGE_HEX_LINE = "HEX format error in line %d: %s";
const char* const MSG_HEX_NO_COLON = "the record does not start with ':'";
const char* const MSG_HEX_BAD_DIGIT = "a character that is not a hex digit";
const char* const MSG_HEX_BAD_LENGTH = "the record's length does not match its byte count";
const char* const MSG_HEX_BAD_SUM = "checksum error";
const char* const MSG_HEX_BAD_TYPE = "unknown record type";
const char* const MSG_HEX_TOO_HIGH = "the program does not fit the panel's 64 KiB";
const char* const MSG_HEX_SEGMENTS = "the program does not fit the panel's 64 KiB (data in two 64 KiB segments)";
const char* const FMT_HEX_CONFLICT = "two records give address 0x%04X different values";
const char* const MSG_HEX_AFTER_END = "a record after the end-of-file record";
const char* const MSG_HEX_NO_END = "the file ends without an end-of-file record";
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
    // The open never waits: a FIFO or a device named as the program file is refused at once.
    std::vector<BYTE> bytes;
    const COMMON_EX::FILE_OUTCOME read = COMMON_EX::ReadWholeFile(path, static_cast<unsigned long long>(limit), bytes);
    if (read.fault == COMMON_EX::FILE_FAULT::TOO_LARGE) {
        *result = READ_TOO_LARGE;
    } else if (!read.Ok()) {
        *result = READ_OPEN_FAILED;
    } else if (bytes.empty()) {
        *result = READ_EMPTY;
    } else {
        file->size = static_cast<long long>(bytes.size());
        try {
            bytes.resize(size_t((file->size + 7) / 8 * 8), 0);
        } catch (const std::bad_alloc&) {
            *result = READ_OPEN_FAILED;
            return false;
        }
        file->bytes = std::move(bytes);
        *result = READ_OK;
        return true;
    }
    return false;
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
    HEX_PARSE_ERROR error;
    const INT length = ParseIntelHex(reinterpret_cast<const char*>(file.bytes.data()), INT(file.size), &error);
    if (length < 0) {
        char text[160];
        FormatHexError(error, text, sizeof text);
        Show(settings, text);
    } else if (length == 0) {
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

INT ParseIntelHex(const char* text, INT length, HEX_PARSE_ERROR* pError)
{
    HEX_PARSE_ERROR ignored;
    HEX_PARSE_ERROR& error = pError != nullptr ? *pError : ignored;
    error = HEX_PARSE_ERROR();
    if (text == nullptr) {
        error.nResult = HEX_LINE_END;
        return -1;
    }
    INT position = 0;
    INT highestEnd = 0;
    INT lineNumber = 0;
    bool ended = false;
    auto written = std::make_unique<HEX_WRITTEN_BYTES>();
    char line[HEX_LINE_BUFFER_SIZE];
    for (;;) {
        const INT n = ReadHexLine(text, length, &position, line);
        ++lineNumber;
        if (n == HEX_LINE_END) {
            if (ended) {
                return highestEnd;
            }
            error.nLine = lineNumber > 1 ? lineNumber - 1 : 1;
            error.nResult = HEX_LINE_END;
            return -1;
        }
        INT result = n < 0 ? n : HEX_RECORD_DATA;
        if (n > 0 && ended) {
            // After the end record only blanks and the NULs of a padded file may follow.
            for (INT i = 0; i < n; ++i) {
                if (line[i] != ' ' && line[i] != '\t' && line[i] != '\r' && line[i] != '\0' && line[i] != 0x1A) {
                    result = HEX_RECORD_END;
                    break;
                }
            }
        } else if (n > 0) {
            result = ParseHexRecord(line, n, &highestEnd, written.get());
            ended = result == HEX_RECORD_END;
            if (result >= 0) {
                continue;
            }
        }
        if (result != HEX_RECORD_DATA) {
            error.nLine = lineNumber;
            error.nResult = result;
            error.nConflict = result == HEX_RECORD_CONFLICT ? written->nConflict : -1;
            return -1;
        }
    }
}

void FormatHexError(const HEX_PARSE_ERROR& error, char* text, size_t size)
{
    const char* reason = MSG_IMAGE_HEX_FORMAT;
    char conflict[64];
    switch (error.nResult) {
    case HEX_RECORD_NO_COLON: reason = MSG_HEX_NO_COLON; break;
    case HEX_RECORD_BAD_DIGIT: reason = MSG_HEX_BAD_DIGIT; break;
    case HEX_LINE_TOO_LONG:
    case HEX_RECORD_BAD_LENGTH:
    case HEX_RECORD_EVEN_LENGTH:
    case HEX_RECORD_BAD_COUNT: reason = MSG_HEX_BAD_LENGTH; break;
    case HEX_RECORD_BAD_SUM: reason = MSG_HEX_BAD_SUM; break;
    case HEX_RECORD_OTHER_TYPE: reason = MSG_HEX_BAD_TYPE; break;
    case HEX_RECORD_TOO_HIGH: reason = MSG_HEX_TOO_HIGH; break;
    case HEX_RECORD_SEGMENT: reason = MSG_HEX_SEGMENTS; break;
    case HEX_RECORD_END: reason = MSG_HEX_AFTER_END; break;
    case HEX_LINE_END: reason = MSG_HEX_NO_END; break;
    case HEX_RECORD_CONFLICT:
        std::snprintf(conflict, sizeof conflict, FMT_HEX_CONFLICT, unsigned(error.nConflict));
        reason = conflict;
        break;
    default: break;
    }
    std::snprintf(text, size, FMT_IMAGE_HEX_LINE, int(error.nLine), reason);
}

INT ReadHexLine(const char* text, INT length, INT* pPosition, char* line)
{
    INT& position = *pPosition;
    if (position < 0 || position >= length) {
        return HEX_LINE_END;
    }
    INT count = 0;
    bool tooLong = false;
    while (position < length) {
        const char c = text[position++];
        if (c == '\n') {
            break;
        }
        if (count < HEX_LINE_MAX + 1) {
            line[count++] = c;
        } else {
            tooLong = true;
        }
    }
    if (count > 0 && line[count - 1] == '\r') {
        --count;
    }
    return tooLong || count > HEX_LINE_MAX ? HEX_LINE_TOO_LONG : count;
}

INT ParseHexRecord(const char* line, INT lineLength, INT* pHighestEnd, HEX_WRITTEN_BYTES* pWritten)
{
    if (lineLength < 1 || line[0] != ':') {
        return HEX_RECORD_NO_COLON;
    }
    for (INT i = 1; i < lineLength && i <= HEX_LINE_MAX; ++i) {
        if (HEX_DIGITS.value[static_cast<unsigned char>(line[i])] < 0) {
            return HEX_RECORD_BAD_DIGIT;
        }
    }
    if (lineLength < 11 || lineLength > HEX_LINE_MAX) {
        return HEX_RECORD_BAD_LENGTH;
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
        bytes[i] = BYTE(high * 16 + low);
        sum = BYTE(sum + bytes[i]);
    }
    const INT count = bytes[0];
    if (lineLength != 2 * count + 11) {
        return HEX_RECORD_BAD_COUNT;
    }
    if (sum != 0) {
        return HEX_RECORD_BAD_SUM;
    }
    const BYTE type = bytes[3];
    static constexpr INT TYPE_COUNT[] = {-1, 0, 2, 4, 2, 4};
    if (type > 5) {
        return HEX_RECORD_OTHER_TYPE;
    }
    if (TYPE_COUNT[type] >= 0 && count != TYPE_COUNT[type]) {
        return HEX_RECORD_BAD_COUNT;
    }
    const INT address = bytes[1] * 256 + bytes[2];
    if (address + count > IMAGE_FILE_LIMIT) {
        return HEX_RECORD_TOO_HIGH;
    }
    if (type == 0 && pWritten != nullptr) {
        if (pWritten->nDataBase >= 0 && pWritten->nDataBase != pWritten->nBase) {
            return HEX_RECORD_SEGMENT;
        }
        for (INT i = 0; i < count; ++i) {
            if (pWritten->written[size_t(address + i)] && s_image[address + i] != bytes[4 + i]) {
                pWritten->nConflict = address + i;
                return HEX_RECORD_CONFLICT;
            }
        }
        pWritten->nDataBase = pWritten->nBase;
        for (INT i = 0; i < count; ++i) {
            pWritten->written[size_t(address + i)] = true;
        }
    }
    if (address + count > *pHighestEnd) {
        *pHighestEnd = address + count;
    }
    switch (type) {
    case 0: std::memcpy(s_image + address, bytes + 4, size_t(count)); return HEX_RECORD_DATA;
    case 1: return HEX_RECORD_END;
    case 2:
    case 4: {
        // The segment only: data keeps its 16-bit offset whatever the record says.
        const long long value = bytes[4] * 256 + bytes[5];
        const long long base = type == 2 ? value << 4 : value << 16;
        if (pWritten != nullptr) {
            pWritten->nBase = base & ~0xFFFFLL;
        }
        return HEX_RECORD_ADDRESS;
    }
    default: return HEX_RECORD_START;
    }
}
