// Helpers of the image file tests: captured messages, a scratch folder, HEX records, image views.
#pragma once

#include "flasher/image_file.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using Bytes = std::vector<BYTE>;

class CMessageCapture : public IMessageSink {
public:
    void ShowMessage(const char* text) override { messages.emplace_back(text); }
    std::vector<std::string> messages;
};

// A fresh folder under /tmp, removed with everything in it.
class CScratchDir {
public:
    CScratchDir()
    {
        char pattern[] = "/tmp/zq_image_XXXXXX";
        if (mkdtemp(pattern) != nullptr) {
            m_path = pattern;
        }
    }
    ~CScratchDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    CScratchDir(const CScratchDir&) = delete;
    CScratchDir& operator=(const CScratchDir&) = delete;

    std::string File(const std::string& name) const { return m_path + "/" + name; }

    std::string Write(const std::string& name, const std::string& bytes) const
    {
        std::string path = File(name);
        std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        return path;
    }
    std::string Write(const std::string& name, const Bytes& bytes) const
    {
        return Write(name, std::string(bytes.begin(), bytes.end()));
    }

private:
    std::string m_path;
};

// One record ":CCAAAATT<data>SS" in capitals; count = -1 takes the data's size.
inline std::string HexRecord(int type, int address, const Bytes& data, int count = -1)
{
    const int n = count < 0 ? int(data.size()) : count;
    Bytes bytes = {BYTE(n), BYTE(address >> 8), BYTE(address), BYTE(type)};
    bytes.insert(bytes.end(), data.begin(), data.end());
    BYTE sum = 0;
    for (BYTE b : bytes) {
        sum = BYTE(sum + b);
    }
    bytes.push_back(BYTE(0x100 - sum));
    std::string text = ":";
    char pair[3];
    for (BYTE b : bytes) {
        std::snprintf(pair, sizeof(pair), "%02X", b);
        text += pair;
    }
    return text;
}

inline const std::string HEX_END = ":00000001FF";

inline Bytes ImageBytes(INT offset, INT count)
{
    const BYTE* image = GetProgramImage();
    return Bytes(image + offset, image + offset + count);
}

// True when the image holds 0xFF from offset to its end.
inline bool ErasedFrom(INT offset)
{
    const BYTE* image = GetProgramImage();
    for (INT i = offset; i < PROGRAM_IMAGE_SIZE; ++i) {
        if (image[i] != 0xFF) {
            return false;
        }
    }
    return true;
}

inline Bytes SequenceBytes(size_t n, unsigned seed)
{
    Bytes bytes(n);
    unsigned x = seed;
    for (BYTE& b : bytes) {
        x = x * 1103515245u + 12345u;
        b = BYTE(x >> 16);
    }
    return bytes;
}
