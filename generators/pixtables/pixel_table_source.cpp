#include "generators/pixtables/pixel_table_source.h"

#include <cstdlib>
#include <sstream>

namespace PIXTABLES {

const TABLE_LAYOUT LAMP_TABLE = {"lamp", 4, false};
const TABLE_LAYOUT FUNCTION_KEY_TABLE = {"key", 25, true};

namespace {

const char* const PREFIX_KIND = "prefix";

std::string TrimRight(const std::string& line)
{
    size_t end = line.size();
    while (end > 0 && (line[end - 1] == ' ' || line[end - 1] == '\t' || line[end - 1] == '\r'))
        --end;
    return line.substr(0, end);
}

std::string TrimLeft(const std::string& text)
{
    size_t start = 0;
    while (start < text.size() && (text[start] == ' ' || text[start] == '\t'))
        ++start;
    return text.substr(start);
}

class CParser {
public:
    CParser(const TABLE_LAYOUT& layout, PIXEL_TABLE& table, std::string& error)
        : m_layout(layout), m_table(table), m_error(error)
    {
        m_table.bytes.assign(layout.TableSize(), 0);
        m_table.prefixName.clear();
        m_table.imageNames.assign(static_cast<size_t>(layout.imageCount), std::string());
        m_seen.assign(static_cast<size_t>(layout.WordsPerRow()), false);
    }

    bool Run(const std::string& text)
    {
        std::istringstream in(text);
        std::string raw;
        while (std::getline(in, raw)) {
            ++m_lineNumber;
            const std::string line = TrimRight(raw);
            if (m_rowsLeft > 0) {
                if (!ReadRow(line))
                    return false;
            } else if (!line.empty() && line[0] != ';' && !ReadHeader(line)) {
                return false;
            }
        }
        if (m_rowsLeft > 0)
            return Fail("the image ends after " + std::to_string(IMAGE_SIZE - m_rowsLeft) + " of " +
                        std::to_string(IMAGE_SIZE) + " rows");
        return CheckComplete();
    }

private:
    bool Fail(const std::string& what)
    {
        m_error = "line " + std::to_string(m_lineNumber) + ": " + what;
        return false;
    }

    // "<kind> <index>: <name>" or "prefix: <name>".
    bool ReadHeader(const std::string& line)
    {
        const size_t colon = line.find(':');
        if (colon == std::string::npos)
            return Fail("expected an image header \"" + std::string(m_layout.imageKind) + " N: name\"");
        std::istringstream head(line.substr(0, colon));
        std::string kind, index, extra;
        head >> kind >> index >> extra;
        const std::string name = TrimLeft(line.substr(colon + 1));
        if (name.empty())
            return Fail("the image has no name");

        if (kind == PREFIX_KIND && m_layout.hasPrefix && index.empty()) {
            m_word = m_layout.PrefixWord();
            m_table.prefixName = name;
        } else if (kind == m_layout.imageKind && !index.empty() && extra.empty()) {
            char* end = nullptr;
            const long value = std::strtol(index.c_str(), &end, 10);
            if (*end != '\0' || value < 0 || value >= m_layout.imageCount)
                return Fail("image index " + index + " is not 0 to " + std::to_string(m_layout.imageCount - 1));
            m_word = m_layout.ImageWord(static_cast<int>(value));
            m_table.imageNames[static_cast<size_t>(value)] = name;
        } else {
            return Fail("unknown image header \"" + line + "\"");
        }
        if (m_seen[static_cast<size_t>(m_word)])
            return Fail("image \"" + line.substr(0, colon) + "\" appears twice");
        m_seen[static_cast<size_t>(m_word)] = true;
        m_rowsLeft = IMAGE_SIZE;
        return true;
    }

    bool ReadRow(const std::string& line)
    {
        if (line.size() != static_cast<size_t>(IMAGE_SIZE))
            return Fail("a pixel row needs " + std::to_string(IMAGE_SIZE) + " characters, this one has " +
                        std::to_string(line.size()));
        WORD bits = 0;
        for (int c = 0; c < IMAGE_SIZE; ++c) {
            if (line[static_cast<size_t>(c)] == '#')
                bits = static_cast<WORD>(bits | 1u << c);
            else if (line[static_cast<size_t>(c)] != '.')
                return Fail("a pixel row holds only '#' and '.'");
        }
        const int row = IMAGE_SIZE - m_rowsLeft;
        const size_t at = static_cast<size_t>((row * m_layout.WordsPerRow() + m_word) * 2);
        m_table.bytes[at] = static_cast<BYTE>(bits >> 8);
        m_table.bytes[at + 1] = static_cast<BYTE>(bits & 0xFF);
        --m_rowsLeft;
        return true;
    }

    bool CheckComplete()
    {
        m_error.clear();
        for (int i = 0; i < m_layout.imageCount; ++i)
            if (!m_seen[static_cast<size_t>(m_layout.ImageWord(i))])
                m_error += (m_error.empty() ? "" : ", ") + std::string(m_layout.imageKind) + " " + std::to_string(i);
        if (m_layout.hasPrefix && !m_seen[static_cast<size_t>(m_layout.PrefixWord())])
            m_error += (m_error.empty() ? "" : ", ") + std::string(PREFIX_KIND);
        if (m_error.empty())
            return true;
        m_error = "missing images: " + m_error;
        return false;
    }

    const TABLE_LAYOUT& m_layout;
    PIXEL_TABLE& m_table;
    std::string& m_error;
    std::vector<bool> m_seen; // by word
    int m_lineNumber = 0;
    int m_rowsLeft = 0;
    int m_word = 0;
};

} // namespace

bool CPixelTableSource::Parse(const std::string& text, const TABLE_LAYOUT& layout, PIXEL_TABLE& table,
                              std::string& error)
{
    return CParser(layout, table, error).Run(text);
}

} // namespace PIXTABLES
