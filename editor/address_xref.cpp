// The project's address cross-reference: collection from the controls, sorting, search and the
// CSV and JSON forms.
#include "editor/address_xref.h"

#include "comkit/gbk.h"
#include "comkit/message_text.h"
#include "controls/attr_groups.h"
#include "controls/control_base.h"
#include "controls/control_creator.h"
#include "controls/control_function.h"
#include "controls/control_register.h"
#include "controls/screen_base.h"
#include "devices/catalogue_limits.h"
#include "devices/plc_base.h"
#include "editor/project.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <map>
#include <tuple>

namespace {

const char* const CONTEXT = "AddressXref";

std::string Utf8(const std::string& gbk)
{
    return COMMON_EX::GbkToUtf8Lossy(gbk.c_str());
}

QString QUtf8(const std::string& gbk)
{
    return QString::fromStdString(Utf8(gbk));
}

std::string PrefixOf(const std::string& name)
{
    const size_t cut = name.find_first_of("( \t");
    return cut == std::string::npos || cut == 0 ? name : name.substr(0, cut);
}

std::string Lower(std::string text)
{
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string Trimmed(const std::string& text)
{
    const size_t b = text.find_first_not_of(" \t");
    if (b == std::string::npos)
        return std::string();
    return text.substr(b, text.find_last_not_of(" \t") - b + 1);
}

// A whole unsigned number of the text in the radix; false for anything else.
bool ParseNumber(const std::string& text, int radix, unsigned long long& value)
{
    if (text.empty() || text.size() > 12)
        return false;
    value = 0;
    for (char c : text) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else
            return false;
        if (digit >= radix)
            return false;
        value = value * unsigned(radix) + unsigned(digit);
    }
    return true;
}

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

const char* AccessName(int access)
{
    switch (access) {
    case CAddressXref::ACCESS_READ: return "read";
    case CAddressXref::ACCESS_WRITE: return "write";
    case CAddressXref::ACCESS_READ_WRITE: return "read-write";
    default: return "";
    }
}

} // namespace

std::vector<CAddressXref::KIND> CAddressXref::Kinds(const CScreenBase* screen, AddressClass addressClass)
{
    std::vector<KIND> kinds;
    if (!screen)
        return kinds;
    constexpr int MAX = CATALOGUE_LIMITS::MAX_KINDS;
    char buffers[MAX][CPLCBase::PHYSICS_NAME_SIZE] = {};
    char* names[MAX];
    for (int i = 0; i < MAX; ++i)
        names[i] = buffers[i];
    DWORD minima[MAX] = {};
    DWORD maxima[MAX] = {};
    const int n = addressClass == ADDRESS_REGISTER
                      ? screen->GetPLCRegisterCollection(nullptr, names, minima, maxima, MAX)
                      : screen->GetPLCCoilCollection(nullptr, names, minima, maxima, MAX);
    for (int i = 0; i < n && i < MAX; ++i) {
        KIND kind;
        kind.name.assign(buffers[i], strnlen(buffers[i], sizeof buffers[i]));
        kind.prefix = PrefixOf(kind.name);
        kind.minimum = INT(minima[i]);
        kind.maximum = INT(maxima[i]);
        kinds.push_back(kind);
    }
    return kinds;
}

bool CAddressXref::AddressOf(CControlBase* control, AddressClass& addressClass, int& access)
{
    if (!control)
        return false;
    switch (control->GetControlType()) {
    case CControlBase::CONTROL_REGISTER: {
        auto* reg = dynamic_cast<CControlRegister*>(control);
        addressClass = ADDRESS_REGISTER;
        access = reg && reg->GetEditable() ? ACCESS_READ_WRITE : ACCESS_READ;
        return reg != nullptr;
    }
    case CControlBase::CONTROL_LIGHT:
        addressClass = ADDRESS_COIL;
        access = ACCESS_READ;
        return true;
    case CControlBase::CONTROL_FUNCTION: {
        auto* key = dynamic_cast<CControlFunction*>(control);
        if (!key || key->GetFunction() != CControlFunction::FUNCTION_SET_COIL)
            return false;
        addressClass = ADDRESS_COIL;
        access = ACCESS_WRITE;
        return true;
    }
    default: return false;
    }
}

bool CAddressXref::IsOctalCoil(CControlBase* control)
{
    AddressClass addressClass;
    int access;
    if (!AddressOf(control, addressClass, access) || addressClass != ADDRESS_COIL || !control->GetScreenPointer())
        return false;
    CAttributeBase* attribute = control->GetDataAtttribute()->GetAttributeAt(CDataAttributes::POS_COIL_ADDR);
    return CControlCreator::GetControlAttributeInputType(attribute) == CControlCreator::INPUT_OCTAL;
}

std::string CAddressXref::TypedAddress(CControlBase* control)
{
    AddressClass addressClass;
    int access;
    if (!AddressOf(control, addressClass, access))
        return std::string();
    const int kind = addressClass == ADDRESS_REGISTER ? control->GetRegister() : control->GetCoil();
    const int address = addressClass == ADDRESS_REGISTER ? control->GetRegisterAddr() : control->GetCoilAddr();
    const std::vector<KIND> kinds = Kinds(control->GetScreenPointer(), addressClass);
    const std::string prefix =
        kind >= 0 && size_t(kind) < kinds.size() ? kinds[size_t(kind)].prefix : "#" + std::to_string(kind) + ":";
    return prefix + std::to_string(address);
}

std::string CAddressXref::StoredName(CScreenBase* screen)
{
    return screen && screen->HasScreenName() ? std::string(screen->GetScreenName()) : std::string();
}

std::string CAddressXref::StoredName(CControlBase* control)
{
    return control && control->HasControlName() ? std::string(control->GetControlName()) : std::string();
}

std::string CAddressXref::ScreenLabel(int screenNumber, const std::string& storedName)
{
    const std::string number =
        COMMON_EX::TrArgs(CONTEXT, QT_TRANSLATE_NOOP("AddressXref", "画面%1"), {std::to_string(screenNumber)});
    return storedName.empty() ? number : number + " " + Utf8(storedName);
}

std::string CAddressXref::ControlLabel(int controlType, unsigned controlID, const std::string& storedName)
{
    if (!storedName.empty())
        return Utf8(storedName);
    std::string kind;
    CControlCreator::GetControlBaseName(unsigned(controlType), kind);
    return COMMON_EX::Tr("Model", Utf8(kind).c_str()) + " " + std::to_string(controlID);
}

std::vector<CAddressXref::ENTRY> CAddressXref::Build(CProject& project)
{
    using Key = std::tuple<int, int, int, long long>; // class, station, kind, address
    std::map<Key, ENTRY> found;
    for (int number = 1; number <= project.GetScreenCount(); ++number) {
        CScreenBase* screen = project.GetScreenByNumber(number);
        if (!screen)
            continue;
        const std::vector<KIND> registers = Kinds(screen, ADDRESS_REGISTER);
        const std::vector<KIND> coils = Kinds(screen, ADDRESS_COIL);
        for (CControlBase* control : screen->GetLayoutControls()) {
            AddressClass addressClass;
            int access;
            if (!AddressOf(control, addressClass, access))
                continue;
            const bool isRegister = addressClass == ADDRESS_REGISTER;
            const int kind = isRegister ? control->GetRegister() : control->GetCoil();
            const long long address = isRegister ? control->GetRegisterAddr() : control->GetCoilAddr();
            const Key key(addressClass, control->GetPLCStation(), kind, address);
            auto it = found.find(key);
            if (it == found.end()) {
                ENTRY entry;
                entry.addressClass = addressClass;
                entry.station = control->GetPLCStation();
                entry.kind = kind;
                const std::vector<KIND>& kinds = isRegister ? registers : coils;
                if (kind >= 0 && size_t(kind) < kinds.size())
                    entry.kindName = kinds[size_t(kind)].name;
                entry.typed = TypedAddress(control);
                entry.address = address;
                entry.octal = IsOctalCoil(control);
                entry.lineAddress = isRegister ? screen->ConvertPLCRegisterAddress(kind, DWORD(address))
                                               : screen->ConvertPLCCoilAddress(kind, DWORD(address));
                it = found.emplace(key, entry).first;
            }
            USE use;
            use.screenNumber = number;
            use.screenName = StoredName(screen);
            use.controlID = control->GetControlID();
            use.controlName = StoredName(control);
            use.controlType = control->GetControlType();
            use.access = access;
            it->second.uses.push_back(use);
            it->second.access |= access;
        }
    }
    std::vector<ENTRY> entries;
    entries.reserve(found.size());
    for (auto& item : found)
        entries.push_back(std::move(item.second));
    std::stable_sort(entries.begin(), entries.end(), [](const ENTRY& a, const ENTRY& b) {
        return std::make_tuple(int(a.addressClass), a.station, a.lineAddress, a.kind, a.address) <
               std::make_tuple(int(b.addressClass), b.station, b.lineAddress, b.kind, b.address);
    });
    return entries;
}

bool CAddressXref::Matches(const ENTRY& entry, const std::string& query)
{
    const std::string q = Lower(Trimmed(query));
    if (q.empty())
        return true;
    if (Lower(COMMON_EX::GbkToUtf8Lossy(entry.typed.c_str())) == q)
        return true;
    unsigned long long value = 0;
    if (ParseNumber(q, 10, value) && value == entry.lineAddress)
        return true;
    if (q.size() > 2 && q.compare(0, 2, "0x") == 0 && ParseNumber(q.substr(2), 16, value))
        return value == entry.lineAddress;
    if (q.size() > 1 && q.back() == 'h' && ParseNumber(q.substr(0, q.size() - 1), 16, value))
        return value == entry.lineAddress;
    return false;
}

std::string CAddressXref::AccessText(int access)
{
    switch (access) {
    case ACCESS_READ: return COMMON_EX::Tr(CONTEXT, QT_TRANSLATE_NOOP("AddressXref", "读"));
    case ACCESS_WRITE: return COMMON_EX::Tr(CONTEXT, QT_TRANSLATE_NOOP("AddressXref", "写"));
    case ACCESS_READ_WRITE: return COMMON_EX::Tr(CONTEXT, QT_TRANSLATE_NOOP("AddressXref", "读写"));
    default: return std::string();
    }
}

std::string CAddressXref::ClassText(AddressClass addressClass)
{
    return addressClass == ADDRESS_REGISTER ? COMMON_EX::Tr(CONTEXT, QT_TRANSLATE_NOOP("AddressXref", "寄存器"))
                                            : COMMON_EX::Tr(CONTEXT, QT_TRANSLATE_NOOP("AddressXref", "线圈"));
}

std::string CAddressXref::HexAddress(DWORD lineAddress)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", unsigned(lineAddress));
    return text;
}

std::string CAddressXref::UsesText(const ENTRY& entry)
{
    std::string text;
    for (const USE& use : entry.uses) {
        if (!text.empty())
            text += "; ";
        text +=
            COMMON_EX::TrArgs(CONTEXT, QT_TRANSLATE_NOOP("AddressXref", "%1：%2 (%3)"),
                              {ScreenLabel(use.screenNumber, use.screenName),
                               ControlLabel(use.controlType, use.controlID, use.controlName), AccessText(use.access)});
    }
    return text;
}

std::string CAddressXref::FormatCsv(const std::vector<ENTRY>& entries)
{
    const char* const headers[] = {
        QT_TRANSLATE_NOOP("AddressXref", "类别"),     QT_TRANSLATE_NOOP("AddressXref", "站号"),
        QT_TRANSLATE_NOOP("AddressXref", "地址"),     QT_TRANSLATE_NOOP("AddressXref", "类型"),
        QT_TRANSLATE_NOOP("AddressXref", "线路地址"), QT_TRANSLATE_NOOP("AddressXref", "线路地址(十六进制)"),
        QT_TRANSLATE_NOOP("AddressXref", "读写"),     QT_TRANSLATE_NOOP("AddressXref", "使用者"),
    };
    std::string csv;
    for (size_t i = 0; i < sizeof headers / sizeof headers[0]; ++i)
        csv += (i ? "," : "") + CsvField(COMMON_EX::Tr(CONTEXT, headers[i]));
    csv += "\r\n";
    for (const ENTRY& e : entries) {
        const std::string fields[] = {
            ClassText(e.addressClass),     std::to_string(e.station), Utf8(e.typed),        Utf8(e.kindName),
            std::to_string(e.lineAddress), HexAddress(e.lineAddress), AccessText(e.access), UsesText(e)};
        for (size_t i = 0; i < sizeof fields / sizeof fields[0]; ++i)
            csv += (i ? "," : "") + CsvField(fields[i]);
        csv += "\r\n";
    }
    return csv;
}

std::string CAddressXref::FormatJson(const std::vector<ENTRY>& entries)
{
    QJsonArray list;
    for (const ENTRY& e : entries) {
        QJsonArray uses;
        for (const USE& use : e.uses)
            uses.append(QJsonObject{{"screen", use.screenNumber},
                                    {"screenName", QUtf8(use.screenName)},
                                    {"control", qint64(use.controlID)},
                                    {"controlName", QUtf8(use.controlName)},
                                    {"type", use.controlType},
                                    {"access", AccessName(use.access)}});
        list.append(QJsonObject{{"class", e.addressClass == ADDRESS_REGISTER ? "register" : "coil"},
                                {"station", e.station},
                                {"typed", QUtf8(e.typed)},
                                {"kind", QUtf8(e.kindName)},
                                {"address", qint64(e.address)},
                                {"octal", e.octal},
                                {"line", qint64(e.lineAddress)},
                                {"lineHex", QString::fromStdString(HexAddress(e.lineAddress))},
                                {"access", AccessName(e.access)},
                                {"uses", uses}});
    }
    return QJsonDocument(QJsonObject{{"addresses", list}}).toJson(QJsonDocument::Indented).toStdString();
}
