// The installed message translator and the argument filling of translated messages.
#include "comkit/message_text.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <locale.h>
#include <string.h>
#include <vector>

namespace COMMON_EX {

namespace {

std::atomic<MESSAGE_TRANSLATOR> g_translator{nullptr};
std::atomic<MESSAGE_LANGUAGE> g_language{MESSAGE_CHINESE};

// The C library's reason for code in its own (English) words, whatever the process's locale: the
// translator, not the locale, puts it into the user's language.
std::string SystemReason(int code)
{
    static const locale_t plain = ::newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return plain ? std::string(::strerror_l(code, plain)) : std::string(std::strerror(code));
}

} // namespace

void SetMessageTranslator(MESSAGE_TRANSLATOR translator, MESSAGE_LANGUAGE language)
{
    g_translator = translator;
    g_language = language;
}

MESSAGE_LANGUAGE MessageLanguage()
{
    return g_language;
}

std::string Tr(const char* context, const char* text)
{
    if (!text)
        return std::string();
    const MESSAGE_TRANSLATOR translator = g_translator;
    return translator ? translator(context ? context : "", text) : std::string(text);
}

std::string TrArgs(const char* context, const char* text, std::initializer_list<std::string> args)
{
    return FillArgs(Tr(context, text), args);
}

std::string TrSystemError(const char* context, const char* text, const std::string& path)
{
    const std::string reason = TrSystemReason(errno);
    return TrArgs(context, text, {path, reason});
}

std::string TrSystemReason(int code)
{
    return Tr("SystemErrors", SystemReason(code).c_str());
}

std::string FillArgs(const std::string& pattern, std::initializer_list<std::string> args)
{
    const std::vector<std::string> values(args);
    std::string result;
    result.reserve(pattern.size());
    for (std::string::size_type i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && next >= '1' && next <= '9' && std::size_t(next - '1') < values.size()) {
            result += values[std::size_t(next - '1')];
            ++i;
        } else {
            result += pattern[i];
        }
    }
    return result;
}

} // namespace COMMON_EX
