// Shared pieces of the project's JSON form (see docs/project-json.md): the names it uses for
// kinds, and checked access to JSON values with the place of every error.
#pragma once

#include "editor/editor_api.h"

#include "comkit/message_text.h"
#include "comkit/types.h"

#include <nlohmann/json.hpp>

#include <initializer_list>
#include <string>
#include <vector>

namespace PROJECT_JSON {

// Keys keep the order they were written in, so a form reads in record order.
using Json = nlohmann::ordered_json;

// Why a form or a file cannot be converted, and where (thrown inside the converter only).
struct EDITOR_API FORM_ERROR {
    std::string message;
};

[[noreturn]] EDITOR_API void Fail(const std::string& where, const std::string& what);

// A message of the form in the user's language (COMMON_EX::TrArgs in context "ProjectJson"): text
// marked with QT_TRANSLATE_NOOP("ProjectJson", ...), its %1 to %9 filled with args.
EDITOR_API std::string Say(const char* text, std::initializer_list<std::string> args = {});

// GBK bytes as a JSON text and back; texts that are not GBK are refused.
EDITOR_API std::string GbkToJsonText(const std::string& gbk, const std::string& where);
EDITOR_API std::string JsonTextToGbk(const Json& value, const std::string& where);
// UTF-16 as a JSON text and back.
EDITOR_API std::string Utf16ToJsonText(const std::u16string& text, const std::string& where);
EDITOR_API std::u16string JsonTextToUtf16(const Json& value, const std::string& where);

// A member that must be there, and typed reads with range checks.
EDITOR_API const Json& Member(const Json& object, const char* key, const std::string& where);
EDITOR_API const Json* OptionalMember(const Json& object, const char* key);
EDITOR_API long long Integer(const Json& value, long long min, long long max, const std::string& where);
EDITOR_API double Number(const Json& value, const std::string& where);
EDITOR_API std::string Text(const Json& value, const std::string& where);
EDITOR_API const Json& Array(const Json& value, const std::string& where);
EDITOR_API const Json& Object(const Json& value, const std::string& where);

EDITOR_API std::string Child(const std::string& where, const char* key);
EDITOR_API std::string Child(const std::string& where, const char* key, size_t index);

// Attribute kinds 1-5: "bool", "int", "double", "string", "enum"; 0 for an unknown key.
EDITOR_API const char* AttributeKindKey(DWORD kind);
EDITOR_API DWORD AttributeKindOf(const std::string& key);
// Control kinds 1-8: "static-text", "register", "lamp", "function-key", "trend-chart",
// "bar-chart", "picture", "dynamic-text".
EDITOR_API const char* ControlKindKey(DWORD type);
// A control type from its number or its key; fails for anything else.
EDITOR_API DWORD ControlTypeOf(const Json& value, const std::string& where);
// Value carriers: "empty", "i2", "i4", "r8", "bstr"; and the carrier an attribute kind uses.
EDITOR_API const char* VariantKey(WORD vt);
EDITOR_API WORD VariantOf(const std::string& key, const std::string& where);
EDITOR_API WORD NaturalVariant(DWORD kind);

// The whole conversion: a ".ZQE" file image (whose records have been checked to load) to its
// form, and a form to a file image. Both throw FORM_ERROR.
EDITOR_API Json DecodeProjectFile(const BYTE* data, DWORD size);
// With `warnings`, the doubts about the form that do not refuse it (overlapping controls) are
// given there.
EDITOR_API std::vector<BYTE> EncodeProjectFile(const Json& form, std::vector<std::string>* warnings = nullptr);

constexpr const char* FORMAT_NAME = "zqe-project";
constexpr int FORMAT_VERSION = 1;

} // namespace PROJECT_JSON
