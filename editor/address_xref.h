// The PLC addresses a project touches: every station, register and coil, with the controls and
// screens that read or write it, sorted and searchable, and written as CSV or JSON.
#pragma once

#include "editor/editor_api.h"

#include "comkit/types.h"

#include <string>
#include <vector>

class CControlBase;
class CProject;
class CScreenBase;

class EDITOR_API CAddressXref {
public:
    enum AddressClass { ADDRESS_REGISTER = 0, ADDRESS_COIL = 1 };
    // Bits; an entry's access is the union of its uses.
    enum Access { ACCESS_READ = 1, ACCESS_WRITE = 2, ACCESS_READ_WRITE = 3 };

    // One register or coil kind of the panel's PLC, as its catalogue row gives it.
    struct KIND {
        std::string name;   // GBK catalogue name, "D(数据寄存器)"
        std::string prefix; // the name up to its first '(' or blank: "D", "4X"; the whole name without one
        long long minimum = 0;
        long long maximum = 0;
    };

    // One control using an address.
    struct USE {
        int screenNumber = 0;   // 1-based, list order
        std::string screenName; // GBK stored name, empty when the screen has none
        unsigned controlID = 0;
        std::string controlName; // GBK stored name, empty when the control has none
        int controlType = 0;     // CControlBase::ControlsType
        int access = 0;          // Access bits
    };

    // One typed address (class, station, kind, address); two typed addresses that convert to one
    // line address are two entries.
    struct ENTRY {
        AddressClass addressClass = ADDRESS_REGISTER;
        int station = 0;
        int kind = 0;         // position in the PLC's kind table
        std::string kindName; // GBK; empty when the kind lies outside the table
        std::string
            typed; // GBK kind prefix and the address as typed: "D100", "Y10"; "#<kind>:" prefix for an unknown kind
        long long address = 0; // as typed (an octal address keeps its octal digits: Y10 is 10)
        bool octal = false;    // the address is typed in octal
        DWORD lineAddress = 0; // as the PLC's conversion gives it (the image keeps its low 16 bits)
        int access = 0;        // union of the uses' Access bits
        std::vector<USE> uses; // screens in list order, controls in draw order
    };

    // The kinds of the screen's PLC; empty without a panel model or PLC.
    static std::vector<KIND> Kinds(const CScreenBase* screen, AddressClass addressClass);

    // What the control reads or writes: registers read (and write when editable), lamps read their
    // coil, function keys that set a coil write it; every other control (and a jump key) uses no
    // address and gives false.
    static bool AddressOf(CControlBase* control, AddressClass& addressClass, int& access);
    // True when the control's coil address is typed in octal (the panel model's rule for lamps and
    // function keys); false for every other control.
    static bool IsOctalCoil(CControlBase* control);
    // The typed address of a control ("D100"), as in ENTRY::typed; empty when it uses none.
    static std::string TypedAddress(CControlBase* control);

    // The stored name (GBK), empty when there is none. Never asks the model for a missing name,
    // which would give the screen or control one and so change the saved file.
    static std::string StoredName(CScreenBase* screen);
    static std::string StoredName(CControlBase* control);
    // For people (UTF-8): "画面2 参数设置" (just "画面2" without a name), and the control's stored
    // name or its kind and identifier ("寄存器 3").
    static std::string ScreenLabel(int screenNumber, const std::string& storedName);
    static std::string ControlLabel(int controlType, unsigned controlID, const std::string& storedName);

    // Every address of the project, sorted by class (registers first), station, line address,
    // kind, typed address. Empty without a screens list.
    static std::vector<ENTRY> Build(CProject& project);

    // True when query (UTF-8, blanks around it ignored) names the entry: its typed address
    // ("d100", case ignored), its line address in decimal ("100") or hex ("0x64", "64h"). An
    // empty query names every entry.
    static bool Matches(const ENTRY& entry, const std::string& query);

    // Texts of an entry for people (UTF-8, the user's language through the message translator).
    static std::string AccessText(int access);               // "读", "写", "读写"; "" for 0
    static std::string ClassText(AddressClass addressClass); // "寄存器", "线圈"
    static std::string HexAddress(DWORD lineAddress);        // "0x0064" (at least four digits)
    // "画面1 主画面：炉温 (读)" for each use, joined by "; " (UTF-8).
    static std::string UsesText(const ENTRY& entry);

    // RFC 4180 CSV, UTF-8, CRLF lines: a header in the user's language, then one line per entry:
    // class, station, typed address, kind, line address decimal, hex, access, uses.
    static std::string FormatCsv(const std::vector<ENTRY>& entries);
    // JSON for scripts, the same in every language: {"addresses": [{"class": "register"|"coil",
    // "station", "typed", "kind", "address", "octal", "line", "lineHex", "access": "read"|"write"|
    // "read-write", "uses": [{"screen", "screenName", "control", "controlName", "type", "access"}]}]}.
    static std::string FormatJson(const std::vector<ENTRY>& entries);
};
