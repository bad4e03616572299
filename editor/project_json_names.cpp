// The ASCII aliases of the JSON form's stored names, and the form rewritten with them.
#include "editor/project_json_names.h"

namespace PROJECT_JSON {

namespace {

bool IsAscii(const std::string& text)
{
    for (unsigned char c : text)
        if (c >= 0x80)
            return false;
    return !text.empty();
}

std::string AliasIn(const std::vector<NAME_ALIAS>& table, const std::string& name)
{
    for (const NAME_ALIAS& entry : table)
        if (name == entry.name)
            return entry.ascii;
    return std::string();
}

std::string NameIn(const std::vector<NAME_ALIAS>& table, const std::string& nameOrAlias)
{
    for (const NAME_ALIAS& entry : table)
        if (nameOrAlias == entry.ascii)
            return entry.name;
    return nameOrAlias;
}

const ITEM_ALIASES* ItemTable(const std::string& attribute)
{
    for (const ITEM_ALIASES& entry : ItemAliases())
        if (attribute == entry.attribute)
            return &entry;
    return nullptr;
}

// The stored name of an attribute object of a full entry, or of a "set" key.
std::string StoredAttributeName(const Json& attribute)
{
    const Json* name = attribute.is_object() ? OptionalMember(attribute, "name") : nullptr;
    return name && name->is_string() ? AttributeName(name->get<std::string>()) : std::string();
}

void RewriteText(Json& text, const std::string& attribute)
{
    if (!text.is_string() || !ItemTable(attribute))
        return;
    const std::string alias = ItemAlias(attribute, text.get<std::string>());
    if (!alias.empty())
        text = alias;
}

void AsciiAttribute(Json& attribute)
{
    const std::string name = StoredAttributeName(attribute);
    if (name.empty())
        return;
    const std::string alias = AttributeAlias(name);
    if (!alias.empty())
        attribute["name"] = alias;
    if (attribute.value("kind", "") != "enum")
        return;
    if (Json* items = attribute.contains("items") ? &attribute["items"] : nullptr; items && items->is_array())
        for (Json& item : *items)
            RewriteText(item, name);
    if (attribute.contains("text"))
        RewriteText(attribute["text"], name);
}

void AsciiControl(Json& control)
{
    if (control.contains("groups") && control["groups"].is_array()) {
        for (Json& group : control["groups"]) {
            if (!group.is_object())
                continue;
            if (group.contains("name") && group["name"].is_string()) {
                const std::string alias = GroupAlias(group["name"].get<std::string>());
                if (!alias.empty())
                    group["name"] = alias;
            }
            if (group.contains("attributes") && group["attributes"].is_array())
                for (Json& attribute : group["attributes"])
                    AsciiAttribute(attribute);
        }
    }
    if (control.contains("set") && control["set"].is_object()) {
        Json set = Json::object();
        for (auto& entry : control["set"].items()) {
            const std::string alias = AttributeAlias(entry.key());
            Json value = entry.value();
            RewriteText(value, entry.key());
            set[alias.empty() ? entry.key() : alias] = std::move(value);
        }
        control["set"] = std::move(set);
    }
}

} // namespace

const std::vector<NAME_ALIAS>& GroupAliases()
{
    static const std::vector<NAME_ALIAS> table = {
        {"隐藏", "hidden"},     {"布局", "layout"}, {"外观", "appearance"},
        {"特性", "properties"}, {"数据", "data"},   {"杂项", "miscellaneous"},
    };
    return table;
}

const std::vector<NAME_ALIAS>& AttributeAliases()
{
    static const std::vector<NAME_ALIAS> table = {
        {"X", "x"},
        {"Y", "y"},
        {"宽度", "width"},
        {"高度", "height"},
        {"反色显示", "inverse"},
        {"文字串", "text"},
        {"PLC站号", "plc_station"},
        {"寄存器号", "register_kind"},
        {"寄存器地址", "register_address"},
        {"线圈号", "coil_kind"},
        {"线圈地址", "coil_address"},
        {"整数位数", "integer_digits"},
        {"小数位数", "decimal_digits"},
        {"星号(*)显示", "show_asterisks"},
        {"无效0显示", "show_leading_zeros"},
        {"是否编辑", "editable"},
        {"最小值", "minimum"},
        {"最大值", "maximum"},
        {"显示外形", "shape"},
        {"显示键类型", "key"},
        {"显示手型", "show_hand"},
        {"隐形", "invisible"},
        {"功能设置", "function"},
        {"画面跳转至", "target_screen"},
        {"值设置", "coil_action"},
    };
    return table;
}

const std::vector<ITEM_ALIASES>& ItemAliases()
{
    static const std::vector<ITEM_ALIASES> table = {
        {"寄存器号", {}, true},
        {"线圈号", {}, true},
        {"整数位数", {}, false},
        {"小数位数", {}, false},
        {"显示键类型", {}, false},
        {"显示外形", {{"圆形", "round"}, {"方形", "square"}}, false},
        {"功能设置", {{"设定线圈", "set_coil"}, {"画面跳转", "jump_to_screen"}}, false},
        {"值设置", {{"设定为ON", "set_on"}, {"设定为OFF", "set_off"}, {"交替", "toggle"}, {"保持", "hold"}}, false},
    };
    return table;
}

std::string GroupAlias(const std::string& name)
{
    return AliasIn(GroupAliases(), name);
}
std::string AttributeAlias(const std::string& name)
{
    return AliasIn(AttributeAliases(), name);
}
std::string GroupName(const std::string& nameOrAlias)
{
    return NameIn(GroupAliases(), nameOrAlias);
}
std::string AttributeName(const std::string& nameOrAlias)
{
    return NameIn(AttributeAliases(), nameOrAlias);
}

std::string ItemAlias(const std::string& attribute, const std::string& item)
{
    const ITEM_ALIASES* table = ItemTable(attribute);
    if (table) {
        std::string alias = AliasIn(table->items, item);
        if (!alias.empty())
            return alias;
    }
    if (IsAscii(item))
        return item;
    const size_t open = item.find('(');
    if (table && table->kindLetters && open != std::string::npos && open > 0 && item.back() == ')' &&
        IsAscii(item.substr(0, open)))
        return item.substr(0, open);
    return std::string();
}

std::string ItemOf(const std::string& attribute, const std::string& value, const std::vector<std::string>& items)
{
    for (const std::string& item : items)
        if (item == value)
            return item;
    for (const std::string& item : items)
        if (ItemAlias(attribute, item) == value)
            return item;
    return value;
}

std::string NameList(const std::vector<std::pair<std::string, std::string>>& namesAndAliases)
{
    const auto add = [](std::string& list, const std::string& name) {
        list += (list.empty() ? "\"" : ", \"") + name + "\"";
    };
    std::string stored, ascii, mixed;
    for (const auto& [name, alias] : namesAndAliases) {
        const bool aliased = !alias.empty() && alias != name;
        add(stored, name);
        if (aliased)
            add(ascii, alias);
        add(mixed, aliased ? alias : name);
    }
    if (ascii.empty())
        return stored;
    if (COMMON_EX::MessageLanguage() == COMMON_EX::MESSAGE_ENGLISH)
        return Say(QT_TRANSLATE_NOOP("ProjectJson", "%1; in stored names %2"), {mixed, stored});
    return Say(QT_TRANSLATE_NOOP("ProjectJson", "%1; in ASCII names %2"), {stored, ascii});
}

Json WithAsciiNames(const Json& form)
{
    Json ascii = form;
    if (ascii.is_object() && ascii.contains("screens") && ascii["screens"].is_array())
        for (Json& screen : ascii["screens"])
            if (screen.is_object() && screen.contains("controls") && screen["controls"].is_array())
                for (Json& control : screen["controls"])
                    if (control.is_object())
                        AsciiControl(control);
    return ascii;
}

std::string AliasTableMarkdown()
{
    std::string table = "| Stored name | ASCII name |\n|---|---|\n";
    for (const NAME_ALIAS& entry : GroupAliases())
        table += "| group `" + std::string(entry.name) + "` | `" + entry.ascii + "` |\n";
    for (const NAME_ALIAS& entry : AttributeAliases())
        table += "| `" + std::string(entry.name) + "` | `" + entry.ascii + "` |\n";
    for (const ITEM_ALIASES& attribute : ItemAliases()) {
        const std::string prefix = "| `" + std::string(attribute.attribute) + "`: ";
        for (const NAME_ALIAS& entry : attribute.items)
            table += prefix + "`" + entry.name + "` | `" + entry.ascii + "` |\n";
        if (attribute.kindLetters)
            table += prefix + "a kind `D(数据寄存器)` | its letters: `D` |\n";
    }
    return table;
}

} // namespace PROJECT_JSON
