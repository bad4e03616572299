#include "editor/project_json_form.h"

#include "comkit/attr_value.h"
#include "comkit/gbk.h"

#include <QString>

namespace PROJECT_JSON {

namespace {

const char* const ATTRIBUTE_KINDS[] = {nullptr, "bool", "int", "double", "string", "enum"};
const char* const CONTROL_KINDS[] = {nullptr,       "static-text", "register", "lamp",        "function-key",
                                     "trend-chart", "bar-chart",   "picture",  "dynamic-text"};

std::string TypeName(const Json& value)
{
    return value.type_name();
}

std::string OutOfRange(const std::string& value, long long min, long long max)
{
    return Say(QT_TRANSLATE_NOOP("ProjectJson", "%1 is out of range %2 to %3"),
               {value, std::to_string(min), std::to_string(max)});
}

} // namespace

void Fail(const std::string& where, const std::string& what)
{
    throw FORM_ERROR{where.empty() ? what : where + ": " + what};
}

std::string Say(const char* text, std::initializer_list<std::string> args)
{
    return COMMON_EX::TrArgs("ProjectJson", text, args);
}

std::string GbkToJsonText(const std::string& gbk, const std::string& where)
{
    std::string utf8;
    if (!COMMON_EX::GbkToUtf8(gbk.data(), gbk.size(), utf8) && !gbk.empty())
        Fail(where, Say(QT_TRANSLATE_NOOP("ProjectJson", "the text is not GBK")));
    return utf8;
}

std::string JsonTextToGbk(const Json& value, const std::string& where)
{
    const std::string utf8 = Text(value, where);
    std::string gbk;
    if (!COMMON_EX::Utf8ToGbk(utf8.data(), utf8.size(), gbk) && !utf8.empty())
        Fail(where,
             Say(QT_TRANSLATE_NOOP("ProjectJson", "\"%1\" has characters outside GBK, which the panel cannot show"),
                 {utf8}));
    return gbk;
}

std::string Utf16ToJsonText(const std::u16string& text, const std::string& where)
{
    const QString string = QString::fromUtf16(text.data(), qsizetype(text.size()));
    if (string.toStdU16String() != text)
        Fail(where, Say(QT_TRANSLATE_NOOP("ProjectJson", "the text is not valid UTF-16")));
    const QByteArray utf8 = string.toUtf8();
    if (QString::fromUtf8(utf8).toStdU16String() != text)
        Fail(where, Say(QT_TRANSLATE_NOOP("ProjectJson", "the text is not valid UTF-16")));
    return utf8.toStdString();
}

std::u16string JsonTextToUtf16(const Json& value, const std::string& where)
{
    return QString::fromStdString(Text(value, where)).toStdU16String();
}

const Json& Member(const Json& object, const char* key, const std::string& where)
{
    const Json* member = OptionalMember(Object(object, where), key);
    if (!member)
        Fail(where, Say(QT_TRANSLATE_NOOP("ProjectJson", "\"%1\" is missing"), {key}));
    return *member;
}

const Json* OptionalMember(const Json& object, const char* key)
{
    if (!object.is_object())
        return nullptr;
    const auto it = object.find(key);
    return it == object.end() ? nullptr : &*it;
}

long long Integer(const Json& value, long long min, long long max, const std::string& where)
{
    long long v = 0;
    if (value.is_number_unsigned()) {
        const auto u = value.get<unsigned long long>();
        if (u > static_cast<unsigned long long>(max))
            Fail(where, OutOfRange(std::to_string(u), min, max));
        v = static_cast<long long>(u);
    } else if (value.is_number_integer()) {
        v = value.get<long long>();
    } else if (value.is_boolean()) {
        v = value.get<bool>() ? 1 : 0;
    } else {
        Fail(where, Say(QT_TRANSLATE_NOOP("ProjectJson", "expected an integer, found %1"), {TypeName(value)}));
    }
    if (v < min || v > max)
        Fail(where, OutOfRange(std::to_string(v), min, max));
    return v;
}

double Number(const Json& value, const std::string& where)
{
    if (!value.is_number())
        Fail(where, Say(QT_TRANSLATE_NOOP("ProjectJson", "expected a number, found %1"), {TypeName(value)}));
    return value.get<double>();
}

std::string Text(const Json& value, const std::string& where)
{
    if (!value.is_string())
        Fail(where, Say(QT_TRANSLATE_NOOP("ProjectJson", "expected a text, found %1"), {TypeName(value)}));
    return value.get<std::string>();
}

const Json& Array(const Json& value, const std::string& where)
{
    if (!value.is_array())
        Fail(where, Say(QT_TRANSLATE_NOOP("ProjectJson", "expected an array, found %1"), {TypeName(value)}));
    return value;
}

const Json& Object(const Json& value, const std::string& where)
{
    if (!value.is_object())
        Fail(where, Say(QT_TRANSLATE_NOOP("ProjectJson", "expected an object, found %1"), {TypeName(value)}));
    return value;
}

std::string Child(const std::string& where, const char* key)
{
    return where.empty() ? std::string(key) : where + "." + key;
}

std::string Child(const std::string& where, const char* key, size_t index)
{
    return (*key ? Child(where, key) : where) + "[" + std::to_string(index) + "]";
}

const char* AttributeKindKey(DWORD kind)
{
    return kind >= 1 && kind <= 5 ? ATTRIBUTE_KINDS[kind] : nullptr;
}

DWORD AttributeKindOf(const std::string& key)
{
    for (DWORD kind = 1; kind <= 5; ++kind)
        if (key == ATTRIBUTE_KINDS[kind])
            return kind;
    return 0;
}

const char* ControlKindKey(DWORD type)
{
    return type >= 1 && type <= 8 ? CONTROL_KINDS[type] : nullptr;
}

DWORD ControlTypeOf(const Json& value, const std::string& where)
{
    if (value.is_string()) {
        for (DWORD type = 1; type <= 8; ++type)
            if (value.get<std::string>() == CONTROL_KINDS[type])
                return type;
        std::string kinds;
        for (DWORD type = 1; type <= 8; ++type)
            kinds += std::string(type > 1 ? ", " : "") + CONTROL_KINDS[type];
        Fail(where, Say(QT_TRANSLATE_NOOP("ProjectJson", "\"%1\" is no control kind (%2)"),
                        {value.get<std::string>(), kinds}));
    }
    return static_cast<DWORD>(Integer(value, 1, 8, where));
}

const char* VariantKey(WORD vt)
{
    switch (vt) {
    case COMMON_EX::CAttrValue::VT_EMPTY: return "empty";
    case COMMON_EX::CAttrValue::VT_I2: return "i2";
    case COMMON_EX::CAttrValue::VT_I4: return "i4";
    case COMMON_EX::CAttrValue::VT_R8: return "r8";
    case COMMON_EX::CAttrValue::VT_BSTR: return "bstr";
    default: return nullptr;
    }
}

WORD VariantOf(const std::string& key, const std::string& where)
{
    for (WORD vt : {0, 2, 3, 5, 8})
        if (key == VariantKey(vt))
            return vt;
    Fail(where, Say(QT_TRANSLATE_NOOP("ProjectJson", "\"%1\" is no value carrier (empty, i2, i4, r8, bstr)"), {key}));
}

WORD NaturalVariant(DWORD kind)
{
    switch (kind) {
    case 1: return COMMON_EX::CAttrValue::VT_I2;
    case 3: return COMMON_EX::CAttrValue::VT_R8;
    case 4: return COMMON_EX::CAttrValue::VT_BSTR;
    default: return COMMON_EX::CAttrValue::VT_I4;
    }
}

} // namespace PROJECT_JSON
