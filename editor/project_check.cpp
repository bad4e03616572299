// The project check: the project's own limits, then each screen's controls one by one and in pairs.
#include "editor/project_check.h"

#include "comkit/download_image.h"
#include "comkit/gbk.h"
#include "comkit/message_text.h"
#include "controls/control_base.h"
#include "controls/control_function.h"
#include "controls/control_register.h"
#include "controls/control_static_text.h"
#include "controls/screen_base.h"
#include "editor/address_xref.h"
#include "editor/pixel_resources.h"
#include "editor/project.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <tuple>

namespace {

const char* const CONTEXT = "ProjectCheck";
using Finding = CProjectCheck::FINDING;
using Xref = CAddressXref;

std::string Text(const char* text)
{
    return COMMON_EX::Tr(CONTEXT, text);
}

std::string Args(const char* text, std::initializer_list<std::string> args)
{
    return COMMON_EX::TrArgs(CONTEXT, text, args);
}

std::string Num(long long value)
{
    return std::to_string(value);
}

std::string Utf8(const std::string& gbk)
{
    return COMMON_EX::GbkToUtf8Lossy(gbk.c_str());
}

bool FontHolds(BYTE lead, BYTE code)
{
    DWORD size = 0;
    const BYTE* font = CPixelResources::GetResource(CPixelResources::PIC_PIXEL_FONT, &size);
    if (!font)
        return true; // without the table nothing can be told
    const BYTE* glyph;
    DWORD bytes;
    if (lead) {
        const WORD character = WORD(lead | code << 8);
        if (character == 0xA1A1) // the full-width blank
            return true;
        const long offset = CPixelResources::GetChineseCharOffset(character);
        if (offset < 0 || DWORD(offset) + DOWNLOAD_IMAGE::DOUBLE_GLYPH_FONT_BYTES > size)
            return false;
        glyph = font + offset;
        bytes = DOWNLOAD_IMAGE::DOUBLE_GLYPH_FONT_BYTES;
    } else {
        if (code == ' ')
            return true;
        if (code < 0x20 || code > 0x7E)
            return false;
        glyph = font + DWORD(code) * DOWNLOAD_IMAGE::SINGLE_GLYPH_SIZE;
        bytes = DOWNLOAD_IMAGE::SINGLE_GLYPH_SIZE;
    }
    return std::any_of(glyph, glyph + bytes, [](BYTE b) { return b != 0; });
}

// Collects the findings of one project.
class CChecker {
public:
    explicit CChecker(CProject& project) : m_project(project) {}

    std::vector<Finding> Run()
    {
        Project();
        for (int number = 1; number <= m_project.GetScreenCount(); ++number)
            if (CScreenBase* screen = m_project.GetScreenByNumber(number))
                Screen(screen, number);
        Reachability();
        std::stable_sort(m_findings.begin(), m_findings.end(),
                         [](const Finding& a, const Finding& b) { return a.screenNumber < b.screenNumber; });
        return std::move(m_findings);
    }

private:
    void Add(CProjectCheck::Severity severity, CProjectCheck::Code code, std::string text)
    {
        Finding f;
        f.severity = severity;
        f.code = code;
        f.screenNumber = m_screenNumber;
        f.screenName = m_screenName;
        if (m_control) {
            f.hasControl = true;
            f.controlID = m_control->GetControlID();
            f.controlType = m_control->GetControlType();
            f.controlName = Xref::StoredName(m_control);
        }
        f.text = std::move(text);
        m_findings.push_back(std::move(f));
    }

    void Project()
    {
        const int controls = m_project.GetControlsCount();
        if (controls == m_project.GetStaticControlsCount())
            Add(CProjectCheck::SEVERITY_ERROR, CProjectCheck::NO_PARAMETER_CONTROL,
                Text(QT_TRANSLATE_NOOP("ProjectCheck",
                                       "项目中没有参数控件(指示灯、寄存器、功能键或图表)，不能编译和下载")));
        if (controls > CProject::MAX_CONTROLS)
            Add(CProjectCheck::SEVERITY_ERROR, CProjectCheck::TOO_MANY_CONTROLS,
                Args(QT_TRANSLATE_NOOP("ProjectCheck", "项目有 %1 个控件，最多 %2 个才能编译和下载"),
                     {Num(controls), Num(CProject::MAX_CONTROLS)}));
        const int screens = m_project.GetScreenCount();
        if (screens > CProject::MAX_SCREENS)
            Add(CProjectCheck::SEVERITY_ERROR, CProjectCheck::TOO_MANY_SCREENS,
                Args(QT_TRANSLATE_NOOP("ProjectCheck", "项目有 %1 个画面，最多 %2 个"),
                     {Num(screens), Num(CProject::MAX_SCREENS)}));
        const DWORD size = m_project.Compile(nullptr, 0);
        const DWORD room = CProjectCheck::PANEL_IMAGE_ROOM;
        if (size > DOWNLOAD_IMAGE::MAX_IMAGE_SIZE)
            Add(CProjectCheck::SEVERITY_ERROR, CProjectCheck::IMAGE_TOO_LARGE,
                Args(QT_TRANSLATE_NOOP("ProjectCheck", "下载映像需要 %1 字节，超过映像格式的上限 %2 字节"),
                     {Num(size), Num(DOWNLOAD_IMAGE::MAX_IMAGE_SIZE)}));
        else if (size > room)
            Add(CProjectCheck::SEVERITY_ERROR, CProjectCheck::IMAGE_BEYOND_FLASH,
                Args(QT_TRANSLATE_NOOP("ProjectCheck", "下载映像需要 %1 字节，面板只能容纳 %2 字节"),
                     {Num(size), Num(room)}));
        else if (size * 10 >= room * 9)
            Add(CProjectCheck::SEVERITY_WARNING, CProjectCheck::IMAGE_NEAR_LIMIT,
                Args(QT_TRANSLATE_NOOP("ProjectCheck", "下载映像需要 %1 字节，已接近面板的上限 %2 字节"),
                     {Num(size), Num(room)}));
        for (int page = 0; page < CProject::FUNCTION_PAGE_COUNT; ++page) {
            const int target = m_project.GetFunctionPage(page);
            if (target > screens || target < 0)
                Add(CProjectCheck::SEVERITY_ERROR, CProjectCheck::FUNCTION_PAGE_MISSING,
                    Args(QT_TRANSLATE_NOOP("ProjectCheck", "功能页 %1 指向不存在的画面 %2"),
                         {Num(page + 1), Num(target)}));
            else if (target > 0)
                m_reached.insert(target);
        }
    }

    void Screen(CScreenBase* screen, int number)
    {
        m_screen = screen;
        m_screenNumber = number;
        m_screenName = Xref::StoredName(screen);
        m_registerKinds = Xref::Kinds(screen, Xref::ADDRESS_REGISTER);
        m_coilKinds = Xref::Kinds(screen, Xref::ADDRESS_COIL);
        m_keys.clear();
        const std::vector<CControlBase*> controls = screen->GetLayoutControls();
        for (CControlBase* control : controls) {
            m_control = control;
            Geometry();
            Address();
            if (auto* reg = dynamic_cast<CControlRegister*>(control))
                Register(reg);
            if (auto* key = dynamic_cast<CControlFunction*>(control))
                Key(key);
            if (auto* text = dynamic_cast<CControlStaticText*>(control))
                StaticText(text);
        }
        Overlaps(controls);
        m_control = nullptr;
    }

    void Geometry()
    {
        const int width = m_screen->GetScreenWidth();
        const int height = m_screen->GetScreenHeight();
        const CControlBase* c = m_control;
        if (width > 0 && height > 0 &&
            (c->GetX() < 0 || c->GetY() < 0 || c->GetX() + c->GetWidth() > width ||
             c->GetY() + c->GetHeight() > height))
            Add(CProjectCheck::SEVERITY_ERROR, CProjectCheck::BEYOND_SCREEN_EDGE,
                Args(QT_TRANSLATE_NOOP("ProjectCheck", "控件 (%1, %2, %3 x %4) 超出 %5 x %6 的画面"),
                     {Num(c->GetX()), Num(c->GetY()), Num(c->GetWidth()), Num(c->GetHeight()), Num(width),
                      Num(height)}));
    }

    void Address()
    {
        Xref::AddressClass addressClass;
        int access;
        if (!Xref::AddressOf(m_control, addressClass, access))
            return;
        const int station = m_control->GetPLCStation();
        if (station < 0 || station > 0xFF)
            Add(CProjectCheck::SEVERITY_ERROR, CProjectCheck::STATION_OUT_OF_RANGE,
                Args(QT_TRANSLATE_NOOP("ProjectCheck", "PLC 站号 %1 不在 0-255 之内"), {Num(station)}));
        const bool isRegister = addressClass == Xref::ADDRESS_REGISTER;
        const int kind = isRegister ? m_control->GetRegister() : m_control->GetCoil();
        const long long address = isRegister ? m_control->GetRegisterAddr() : m_control->GetCoilAddr();
        const std::vector<Xref::KIND>& kinds = isRegister ? m_registerKinds : m_coilKinds;
        if (kind < 0 || size_t(kind) >= kinds.size()) {
            Add(CProjectCheck::SEVERITY_ERROR, CProjectCheck::KIND_UNKNOWN,
                Args(QT_TRANSLATE_NOOP("ProjectCheck", "PLC 没有第 %1 种%2"),
                     {Num(kind + 1), Xref::ClassText(addressClass)}));
            return;
        }
        const Xref::KIND& k = kinds[size_t(kind)];
        long long first = k.minimum, last = k.maximum;
        const std::string typed = Utf8(Xref::TypedAddress(m_control));
        const bool octal = Xref::IsOctalCoil(m_control);
        const std::string digits = Num(address);
        const DWORD line = isRegister ? m_screen->ConvertPLCRegisterAddress(kind, DWORD(address))
                                      : m_screen->ConvertPLCCoilAddress(kind, DWORD(address));
        if (octal && digits.find_first_of("89") != std::string::npos)
            Add(CProjectCheck::SEVERITY_ERROR, CProjectCheck::OCTAL_DIGIT,
                Args(QT_TRANSLATE_NOOP("ProjectCheck", "%1 按八进制输入，不能含数字 8 或 9"), {typed}));
        else if (!InRange(isRegister, address, first, last))
            Add(CProjectCheck::SEVERITY_ERROR, CProjectCheck::ADDRESS_OUT_OF_RANGE,
                Args(QT_TRANSLATE_NOOP("ProjectCheck", "%1 超出 %2 的范围 %3-%4 (线路地址 %5)"),
                     {typed, Xref::KindText(k.name), Num(first), Num(last), Num(line)}));
        if (line > 0xFFFF)
            Add(CProjectCheck::SEVERITY_ERROR, CProjectCheck::LINE_ADDRESS_CUT,
                Args(QT_TRANSLATE_NOOP("ProjectCheck", "%1 的线路地址 %2 超过 65535，映像只保留 %3"),
                     {typed, Num(line), Num(line & 0xFFFF)}));
        if (!isRegister && access == Xref::ACCESS_WRITE)
            m_coilWriters[std::make_tuple(station, line)].push_back(
                {m_screenNumber, m_control, typed, static_cast<CControlFunction*>(m_control)->GetValueSetting()});
    }

    // The range the attribute pane holds the address to (CControlBase::GetValidRange).
    bool InRange(bool isRegister, long long address, long long& first, long long& last) const
    {
        const CDataAttributes* data = m_control->GetDataAtttribute();
        m_control->GetValidRange(isRegister ? data->GetRegisterAddrAttribute() : data->GetCoilAddrAttribute(), first,
                                 last);
        return address >= first && address <= last;
    }

    void Register(CControlRegister* reg)
    {
        const long long minimum = reg->GetMinimum();
        const long long maximum = reg->GetMaximum();
        for (long long value : {minimum, maximum})
            if (value < 0 || value > 0xFFFF) {
                Add(CProjectCheck::SEVERITY_ERROR, CProjectCheck::LIMIT_OUT_OF_RANGE,
                    Args(QT_TRANSLATE_NOOP("ProjectCheck", "最小值 %1 或最大值 %2 不在 0-65535 之内"),
                         {Num(minimum), Num(maximum)}));
                break;
            }
        if (!reg->GetEditable()) // the limits bound the operator's entry only
            return;
        if (minimum > maximum)
            Add(CProjectCheck::SEVERITY_ERROR, CProjectCheck::MINIMUM_ABOVE_MAXIMUM,
                Args(QT_TRANSLATE_NOOP("ProjectCheck", "最小值 %1 大于最大值 %2"), {Num(minimum), Num(maximum)}));
        const int digits = reg->GetIntegerDigits() + reg->GetDecimalDigits();
        long long shown = 1;
        for (int i = 0; i < digits && i < 18; ++i)
            shown *= 10;
        if (maximum >= shown)
            Add(CProjectCheck::SEVERITY_WARNING, CProjectCheck::MAXIMUM_BEYOND_DIGITS,
                Args(QT_TRANSLATE_NOOP("ProjectCheck", "最大值 %1 需要的位数超过 %2 位 (整数 %3 位，小数 %4 位)"),
                     {Num(maximum), Num(digits), Num(reg->GetIntegerDigits()), Num(reg->GetDecimalDigits())}));
    }

    void Key(CControlFunction* key)
    {
        const int keyIndex = key->GetKeyIndex();
        const int keyCount = m_screen->GetDeviceAllKeysCollection(nullptr, nullptr, 0);
        if (keyIndex < 0 || keyIndex >= keyCount)
            Add(CProjectCheck::SEVERITY_ERROR, CProjectCheck::KEY_UNKNOWN,
                Args(QT_TRANSLATE_NOOP("ProjectCheck", "面板没有第 %1 个按键 (共 %2 个)"),
                     {Num(keyIndex + 1), Num(keyCount)}));
        else {
            auto earlier = m_keys.find(keyIndex);
            if (earlier != m_keys.end())
                Add(CProjectCheck::SEVERITY_ERROR, CProjectCheck::DUPLICATE_KEY,
                    Args(QT_TRANSLATE_NOOP("ProjectCheck", "与本画面的 %1 用同一个按键"),
                         {Xref::ControlLabel(earlier->second->GetControlType(), earlier->second->GetControlID(),
                                             Xref::StoredName(earlier->second))}));
            else
                m_keys.emplace(keyIndex, key);
        }
        if (key->GetFunction() != CControlFunction::FUNCTION_JUMP)
            return;
        const int target = key->GetJumpScreen();
        if (target <= 0)
            Add(CProjectCheck::SEVERITY_WARNING, CProjectCheck::JUMP_WITHOUT_TARGET,
                Text(QT_TRANSLATE_NOOP("ProjectCheck", "画面跳转键没有目标画面")));
        else if (target > m_project.GetScreenCount())
            Add(CProjectCheck::SEVERITY_ERROR, CProjectCheck::JUMP_TARGET_MISSING,
                Args(QT_TRANSLATE_NOOP("ProjectCheck", "画面跳转键指向不存在的画面 %1"), {Num(target)}));
        else if (target != m_screenNumber)
            m_reached.insert(target);
    }

    void StaticText(CControlStaticText* text)
    {
        const BYTE* p = reinterpret_cast<const BYTE*>(text->GetText() ? text->GetText() : "");
        std::string missing;
        int count = 0;
        while (*p) {
            const bool pair = *p > 0x7F && p[1];
            const BYTE lead = pair ? p[0] : 0;
            const BYTE code = pair ? p[1] : p[0];
            if (!FontHolds(lead, code)) {
                char one[3] = {char(pair ? lead : code), char(pair ? code : 0), 0};
                std::string shown;
                if (!COMMON_EX::GbkToUtf8(one, shown) || shown.empty() || BYTE(one[0]) < 0x20) {
                    char hex[16];
                    std::snprintf(hex, sizeof hex, pair ? "\\x%02X\\x%02X" : "\\x%02X", pair ? lead : code, code);
                    shown = hex;
                }
                if (missing.find(shown) == std::string::npos)
                    missing += (missing.empty() ? "" : " ") + shown;
            }
            p += pair ? 2 : 1;
            ++count;
        }
        if (!missing.empty())
            Add(CProjectCheck::SEVERITY_WARNING, CProjectCheck::CHARACTER_NOT_IN_FONT,
                Args(QT_TRANSLATE_NOOP("ProjectCheck", "面板字库中没有这些字符，面板上显示为空白：%1"), {missing}));
        if (count > CControlBase::MAX_COMPILE_TEXT_CHARS)
            Add(CProjectCheck::SEVERITY_WARNING, CProjectCheck::TEXT_CUT,
                Args(QT_TRANSLATE_NOOP("ProjectCheck", "文字有 %1 个字符，面板只显示前 %2 个"),
                     {Num(count), Num(CControlBase::MAX_COMPILE_TEXT_CHARS)}));
    }

    static bool Visible(CControlBase* control)
    {
        auto* key = dynamic_cast<CControlFunction*>(control);
        return !(key && key->GetInvisible()) && control->GetWidth() > 0 && control->GetHeight() > 0;
    }

    void Overlaps(const std::vector<CControlBase*>& controls)
    {
        for (size_t i = 0; i < controls.size(); ++i) {
            if (!Visible(controls[i]))
                continue;
            const QRect a(controls[i]->GetX(), controls[i]->GetY(), controls[i]->GetWidth(), controls[i]->GetHeight());
            for (size_t j = 0; j < i; ++j) {
                if (!Visible(controls[j]))
                    continue;
                const QRect b(controls[j]->GetX(), controls[j]->GetY(), controls[j]->GetWidth(),
                              controls[j]->GetHeight());
                if (!a.intersects(b))
                    continue;
                m_control = controls[i];
                Add(CProjectCheck::SEVERITY_WARNING, CProjectCheck::CONTROLS_OVERLAP,
                    Args(QT_TRANSLATE_NOOP("ProjectCheck", "与 %1 重叠"),
                         {Xref::ControlLabel(controls[j]->GetControlType(), controls[j]->GetControlID(),
                                             Xref::StoredName(controls[j]))}));
            }
        }
    }

    // Keys writing one coil: a momentary key beside any other, a toggling key beside a setting
    // one, or the coil under two typed addresses.
    void CoilConflicts()
    {
        for (const auto& item : m_coilWriters) {
            const std::vector<WRITER>& writers = item.second;
            for (size_t i = 1; i < writers.size(); ++i) {
                const WRITER& w = writers[i];
                const WRITER* other = nullptr;
                for (size_t j = 0; j < i && !other; ++j)
                    if (Conflict(writers[j], w))
                        other = &writers[j];
                if (!other)
                    continue;
                m_screenNumber = w.screen;
                m_screen = m_project.GetScreenByNumber(w.screen);
                m_screenName = Xref::StoredName(m_screen);
                m_control = w.control;
                Add(CProjectCheck::SEVERITY_WARNING, CProjectCheck::COIL_CONFLICT,
                    Args(QT_TRANSLATE_NOOP("ProjectCheck", "与画面%1的 %2 写同一线圈 (%3, 线路地址 %4)，含义不同"),
                         {Num(other->screen),
                          Xref::ControlLabel(other->control->GetControlType(), other->control->GetControlID(),
                                             Xref::StoredName(other->control)),
                          other->typed == w.typed ? w.typed : other->typed + " / " + w.typed,
                          Num(std::get<1>(item.first))}));
            }
        }
    }

    struct WRITER {
        int screen;
        CControlBase* control;
        std::string typed;
        int setting;
    };

    static bool Conflict(const WRITER& a, const WRITER& b)
    {
        if (a.typed != b.typed)
            return true;
        if (a.setting == b.setting)
            return false;
        const auto latching = [](int s) { return s == CControlFunction::VALUE_ON || s == CControlFunction::VALUE_OFF; };
        return !(latching(a.setting) && latching(b.setting));
    }

    void Reachability()
    {
        CoilConflicts();
        m_control = nullptr;
        for (int number = 2; number <= m_project.GetScreenCount(); ++number) {
            if (m_reached.count(number))
                continue;
            m_screenNumber = number;
            m_screenName = Xref::StoredName(m_project.GetScreenByNumber(number));
            Add(CProjectCheck::SEVERITY_INFO, CProjectCheck::SCREEN_UNREACHABLE,
                Text(QT_TRANSLATE_NOOP("ProjectCheck", "没有按键或功能页通向这个画面")));
        }
    }

    CProject& m_project;
    std::vector<Finding> m_findings;
    CScreenBase* m_screen = nullptr;
    int m_screenNumber = 0;
    std::string m_screenName;
    CControlBase* m_control = nullptr;
    std::vector<Xref::KIND> m_registerKinds;
    std::vector<Xref::KIND> m_coilKinds;
    std::map<int, CControlFunction*> m_keys;
    std::set<int> m_reached;
    std::map<std::tuple<int, DWORD>, std::vector<WRITER>> m_coilWriters;
};

} // namespace

std::vector<CProjectCheck::FINDING> CProjectCheck::Run(CProject& project)
{
    if (!project.GetScreensList())
        return {};
    return CChecker(project).Run();
}

const char* CProjectCheck::CodeName(Code code)
{
    static const char* const NAMES[] = {
        "no-parameter-control",
        "too-many-controls",
        "too-many-screens",
        "image-too-large",
        "image-beyond-flash",
        "image-near-limit",
        "kind-unknown",
        "address-out-of-range",
        "octal-digit",
        "line-address-cut",
        "station-out-of-range",
        "limit-out-of-range",
        "minimum-above-maximum",
        "maximum-beyond-digits",
        "key-unknown",
        "jump-target-missing",
        "jump-without-target",
        "function-page-missing",
        "duplicate-key",
        "coil-conflict",
        "controls-overlap",
        "beyond-screen-edge",
        "screen-unreachable",
        "character-not-in-font",
        "text-cut",
    };
    static_assert(sizeof NAMES / sizeof NAMES[0] == TEXT_CUT + 1, "a name for every code");
    return code >= 0 && code <= TEXT_CUT ? NAMES[code] : "";
}

const char* CProjectCheck::SeverityName(Severity severity)
{
    switch (severity) {
    case SEVERITY_ERROR: return "error";
    case SEVERITY_WARNING: return "warning";
    default: return "info";
    }
}

std::string CProjectCheck::SeverityText(Severity severity)
{
    switch (severity) {
    case SEVERITY_ERROR: return Text(QT_TRANSLATE_NOOP("ProjectCheck", "错误"));
    case SEVERITY_WARNING: return Text(QT_TRANSLATE_NOOP("ProjectCheck", "警告"));
    default: return Text(QT_TRANSLATE_NOOP("ProjectCheck", "提示"));
    }
}

int CProjectCheck::Count(const std::vector<FINDING>& findings, Severity severity)
{
    return int(std::count_if(findings.begin(), findings.end(),
                             [severity](const FINDING& f) { return f.severity == severity; }));
}

std::string CProjectCheck::PlaceScreen(const FINDING& finding)
{
    return finding.screenNumber > 0 ? Xref::ScreenLabel(finding.screenNumber, finding.screenName) : std::string();
}

std::string CProjectCheck::PlaceControl(const FINDING& finding)
{
    return finding.hasControl ? Xref::ControlLabel(finding.controlType, finding.controlID, finding.controlName)
                              : std::string();
}

std::string CProjectCheck::FormatJson(const std::vector<FINDING>& findings)
{
    QJsonArray list;
    for (const FINDING& f : findings)
        list.append(QJsonObject{{"severity", SeverityName(f.severity)},
                                {"code", CodeName(f.code)},
                                {"screen", f.screenNumber},
                                {"screenName", QString::fromStdString(Utf8(f.screenName))},
                                {"control", f.hasControl ? QJsonValue(qint64(f.controlID)) : QJsonValue()},
                                {"controlName", QString::fromStdString(Utf8(f.controlName))},
                                {"text", QString::fromStdString(f.text)}});
    return QJsonDocument(QJsonObject{{"findings", list},
                                     {"errors", Count(findings, SEVERITY_ERROR)},
                                     {"warnings", Count(findings, SEVERITY_WARNING)},
                                     {"infos", Count(findings, SEVERITY_INFO)}})
        .toJson(QJsonDocument::Indented)
        .toStdString();
}
