// The ASCII names the project's JSON form accepts beside the stored (Chinese) names of attribute
// groups, attributes and enumeration items: one table, used by import, export and the docs.
#pragma once

#include "editor/editor_api.h"
#include "editor/project_json_form.h"

#include <string>
#include <utility>
#include <vector>

namespace PROJECT_JSON {

// A stored name (UTF-8) and its ASCII alias.
struct EDITOR_API NAME_ALIAS {
    const char* name;
    const char* ascii;
};

// The enumeration items of one attribute (by its stored name) and their aliases; with
// `kindLetters`, the items are the PLC's register or coil kinds of the catalogue, each named by
// the ASCII letters before its "(": "D(数据寄存器)" is "D".
struct EDITOR_API ITEM_ALIASES {
    const char* attribute;
    std::vector<NAME_ALIAS> items;
    bool kindLetters;
};

// The tables: every group, every named attribute, and the items of the enumerations whose items
// are fixed texts. Aliases are unique within each table (items: within their attribute).
EDITOR_API const std::vector<NAME_ALIAS>& GroupAliases();
EDITOR_API const std::vector<NAME_ALIAS>& AttributeAliases();
EDITOR_API const std::vector<ITEM_ALIASES>& ItemAliases();

// The alias of a stored group or attribute name; empty when the table has none.
EDITOR_API std::string GroupAlias(const std::string& name);
EDITOR_API std::string AttributeAlias(const std::string& name);
// The stored name an alias (or a stored name) stands for; the text itself when it is neither.
EDITOR_API std::string GroupName(const std::string& nameOrAlias);
EDITOR_API std::string AttributeName(const std::string& nameOrAlias);

// The alias of an enumeration item of `attribute`: the table's, else an ASCII item is its own
// alias, else a kind's letters (see ITEM_ALIASES); empty when none of these applies (a screen
// name of the screen-jump list, for instance).
EDITOR_API std::string ItemAlias(const std::string& attribute, const std::string& item);
// The item of `items` that `value` names, by its text or its alias; `value` itself when no item
// has that text or alias.
EDITOR_API std::string ItemOf(const std::string& attribute, const std::string& value,
                              const std::vector<std::string>& items);

// Valid names for a refusal: each stored name (UTF-8) with its alias (empty when it has none),
// quoted and listed in the user's language (COMMON_EX::MessageLanguage). Chinese: the stored
// names, then "; in ASCII names " and the aliases; English: each alias (the stored name where
// there is none), then "; in stored names " and the stored names. An alias equal to its name
// counts as none; without any alias the one list of stored names stays.
EDITOR_API std::string NameList(const std::vector<std::pair<std::string, std::string>>& namesAndAliases);

// A form written with the stored names rewritten to their aliases, where an alias exists:
// group and attribute names, enum items and texts of full entries, and the keys and enum texts
// of short "set" entries. Other texts (screen and control names, devices) stay as they are.
EDITOR_API Json WithAsciiNames(const Json& form);

// The documentation's table of the aliases (Markdown), as docs/project-json.md shows it.
EDITOR_API std::string AliasTableMarkdown();

} // namespace PROJECT_JSON
