// Program image files: Intel HEX (".hex") and raw (".bin", ".dat", ".vxc", ".vxg") files turned into
// the process-wide program image, deciphered with the cipher library unless the settings say plain.
#pragma once

#include "flasher/flasher_api.h"

#include "cipher/vexorenc.h"
#include "comkit/types.h"
#include "flasher/flasher_message.h"
#include "flasher/message_sink.h"

#include <bitset>

// The program image: offset i goes to panel address begin + i. Filled with 0xFF before each load.
constexpr INT PROGRAM_IMAGE_SIZE = 0xA0000;
// Largest raw file, and the part of the image HEX records may write.
constexpr INT IMAGE_FILE_LIMIT = 0x10000;
// A HEX line holds at most this many characters (255 data bytes) without its LF or CR LF; the line
// buffer given to ReadHexLine holds more.
constexpr INT HEX_LINE_MAX = 1 + 2 * (5 + 255);
constexpr INT HEX_LINE_BUFFER_SIZE = HEX_LINE_MAX + 4;
// The image key: this many bytes, each 0 to 9.
constexpr INT IMAGE_KEY_LENGTH = 15;

// Messages, exactly as shown (the numbered ones in flasher_message.h).
extern FLASHER_API const char* const MSG_IMAGE_BAD_KIND;   // "file must be .hex or .bin or .vxc or .vxg!"
extern FLASHER_API const char* const MSG_IMAGE_RAW_OPEN;   // "open input file error"
extern FLASHER_API const char* const MSG_IMAGE_HEX_OPEN;   // "open input file error!"
extern FLASHER_API const char* const MSG_IMAGE_SIZE_ZERO;  // "error:file size is zero"
extern FLASHER_API const char* const MSG_IMAGE_SIZE_OVER;  // "error:file size over 65535!"
extern FLASHER_API const char* const MSG_IMAGE_HEX_FORMAT; // "HEX format error"
extern FLASHER_API const char* const MSG_IMAGE_NO_CIPHER;  // enciphered file but no cipher library
extern FLASHER_API const char* const MSG_IMAGE_PLAIN;      // a plain download image read as enciphered
// A refused HEX file: FMT_IMAGE_HEX_LINE with the line (from 1) and one of the reasons below.
extern FLASHER_API const char* const MSG_HEX_NO_COLON;   // the line does not start with ':'
extern FLASHER_API const char* const MSG_HEX_BAD_DIGIT;  // a character that is not a hex digit
extern FLASHER_API const char* const MSG_HEX_BAD_LENGTH; // too short or long, odd digits, count mismatch
extern FLASHER_API const char* const MSG_HEX_BAD_SUM;    // the checksum
extern FLASHER_API const char* const MSG_HEX_BAD_TYPE;   // a record type other than 00 to 05
extern FLASHER_API const char* const MSG_HEX_TOO_HIGH;   // data past offset 0xFFFF
extern FLASHER_API const char* const MSG_HEX_SEGMENTS;   // data in two 64 KiB segments
extern FLASHER_API const char* const MSG_HEX_AFTER_END;  // a record after the end-of-file record
extern FLASHER_API const char* const MSG_HEX_NO_END;     // the text ends without an end-of-file record

enum ImageFileKind {
    IMAGE_KIND_NONE = 0, // not accepted
    IMAGE_KIND_RAW = 1,  // ".bin", ".dat", ".vxc", ".vxg"
    IMAGE_KIND_HEX = 2,  // ".hex"
};

// Answers of ParseHexRecord.
enum HexRecordResult {
    HEX_RECORD_DATA = 0,        // data copied (type 00)
    HEX_RECORD_END = 1,         // end-of-file record (type 01)
    HEX_RECORD_ADDRESS = 2,     // segment or linear address record (02, 04): moves no data
    HEX_RECORD_START = 3,       // start address record (03, 05): nothing to program
    HEX_RECORD_BAD_LENGTH = -1, // line shorter than 11 or longer than HEX_LINE_MAX characters
    HEX_RECORD_NO_COLON = -2,
    HEX_RECORD_EVEN_LENGTH = -3,
    HEX_RECORD_BAD_DIGIT = -4,
    HEX_RECORD_BAD_SUM = -5,    // checksum
    HEX_RECORD_TOO_HIGH = -6,   // address + count above 64 KiB
    HEX_RECORD_OTHER_TYPE = -7, // a record type above 05
    HEX_RECORD_CONFLICT = -8,   // data for bytes an earlier record of the file gave other values
    HEX_RECORD_BAD_COUNT = -9,  // length not matching the count, or a count the type does not have
    HEX_RECORD_SEGMENT = -10,   // data behind an address record naming another 64 KiB segment
};

// What ParseHexRecord remembers across the records of one file: the bytes data records wrote and
// the address records' segments.
struct FLASHER_API HEX_WRITTEN_BYTES {
    std::bitset<IMAGE_FILE_LIMIT> written;
    INT nConflict = -1;       // first address two records gave different values; -1: none
    long long nBase = 0;      // the segment the last address record named (its address / 0x10000 * 0x10000)
    long long nDataBase = -1; // the segment of the first data record; -1: no data yet
};

// Answers of ReadHexLine besides a line length >= 0.
constexpr INT HEX_LINE_TOO_LONG = -20; // more than HEX_LINE_MAX characters
constexpr INT HEX_LINE_END = -21;      // the text has no more lines

// Why ParseIntelHex refused a text.
struct FLASHER_API HEX_PARSE_ERROR {
    INT nLine = 0;      // 1 for the first line; 0: no refusal
    INT nResult = 0;    // the HexRecordResult, or HEX_LINE_TOO_LONG, or HEX_RECORD_END for a record
                        // after the end-of-file record, or HEX_LINE_END for a missing one
    INT nConflict = -1; // with HEX_RECORD_CONFLICT, the address
};

struct FLASHER_API IMAGE_LOAD_SETTINGS {
    BOOL bNotEnc = FALSE;              // 1: files are plain, never deciphered ("notenc")
    PFN_DES_GO pfnDesGo = nullptr;     // the loaded cipher library's Des_Go; null: not available
    const BYTE* pKey = nullptr;        // IMAGE_KEY_LENGTH bytes; null: the built-in image key
    IMessageSink* pMessages = nullptr; // where failures are shown; null: not shown
};

// The process-wide image (PROGRAM_IMAGE_SIZE bytes) and the result of the last load.
FLASHER_API BYTE* GetProgramImage();
FLASHER_API INT GetProgramImageLength();

// The built-in image key, built from its configured digits.
FLASHER_API void BuildImageKey(BYTE key[IMAGE_KEY_LENGTH]);

// Kind by the last four characters of the lowercased path.
FLASHER_API ImageFileKind GetImageFileKind(const char* path);

// Loads a file into the image and returns the image length: above 0 on success; 0 or below when
// the load failed (the image is then empty for the download). Shows its own messages. A raw file
// that is a download image as it stands but not once deciphered is a plain image read without
// notenc: refused with MSG_IMAGE_PLAIN, for programming its noise would succeed.
FLASHER_API INT LoadProgramImage(const char* path, const IMAGE_LOAD_SETTINGS& settings);

// True when size bytes have the shape of the editor's compiled download image: the length field
// (big-endian, first two bytes) is the size, byte 36 is 6, bytes 41-49 are zero, the character index
// and glyph offsets (bytes 52-55) lie in order inside the image, and parameter controls are no more
// than controls. Noise passes with a chance below 2^-90.
FLASHER_API bool IsDownloadImage(const BYTE* bytes, size_t size);

// The check behind "Open File...": a ".hex" path is loaded as above and accepted with a length of
// at least 1; any other path is accepted without opening it.
FLASHER_API BOOL ValidateChosenFile(const char* path, const IMAGE_LOAD_SETTINGS& settings);

// Parses HEX text of length bytes (no NUL needed) into the image. Returns the highest end address
// of the records (>= 0; address records count with their own address + count), or -1 when the file
// is refused: any record failing a check, a record after the end-of-file record, no end-of-file
// record, two data records giving one byte different values, data in two 64 KiB segments. *pError,
// when given, then says where and why. Lines end with LF or CR LF (the last one may lack it); empty
// lines are skipped; after the end-of-file record only blanks and NULs may follow. Addresses are
// the records' own 16-bit offsets from the program begin address: address records (02, 04) move
// nothing, but all data must lie behind address records naming one 64 KiB segment.
FLASHER_API INT ParseIntelHex(const char* text, INT length, HEX_PARSE_ERROR* pError = nullptr);

// The refusal as a message: FLASHER_MESSAGE_HEX_LINE with the line and the reason of its result
// (MSG_IMAGE_HEX_FORMAT for a result without a reason of its own, the address for a conflict).
FLASHER_API FLASHER_MESSAGE HexErrorMessage(const HEX_PARSE_ERROR& error);
// The refusal in words: FMT_IMAGE_HEX_LINE with the line and the reason, into text (size bytes,
// cut to fit and zero-terminated).
FLASHER_API void FormatHexError(const HEX_PARSE_ERROR& error, char* text, size_t size);

// Reads the next line from text at *pPosition into line (HEX_LINE_BUFFER_SIZE bytes) and returns
// its length without LF or CR LF (0 for an empty line), HEX_LINE_END when the text has no more
// characters, or HEX_LINE_TOO_LONG (the position is then past that line). A last line without LF
// counts whole.
FLASHER_API INT ReadHexLine(const char* text, INT length, INT* pPosition, char* line);

// Checks one record of lineLength characters (without LF), copies a data record into the image at
// its 16-bit address and raises *pHighestEnd to the record's address + count (for every accepted
// record type). Returns a HexRecordResult. pWritten, when given, remembers the bytes written and
// the segment: a data record that would change a byte an earlier one wrote answers
// HEX_RECORD_CONFLICT, one behind another segment than the first data HEX_RECORD_SEGMENT, and
// neither is copied (the same values again are fine).
FLASHER_API INT ParseHexRecord(const char* line, INT lineLength, INT* pHighestEnd,
                               HEX_WRITTEN_BYTES* pWritten = nullptr);
