#include "xpbutton/PropertyBag.h"

#include <algorithm>

namespace quorvane {

namespace {

bool sameName(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

PropertyBag::PropertyBag(std::initializer_list<std::pair<std::string, Value>> entries) {
    for (const auto& [name, value] : entries) write(name, value);
}

const std::pair<std::string, PropertyBag::Value>* PropertyBag::find(std::string_view name) const {
    for (const auto& entry : m_entries)
        if (sameName(entry.first, name)) return &entry;
    return nullptr;
}

void PropertyBag::erase(std::string_view name) {
    std::erase_if(m_entries, [&](const auto& entry) { return sameName(entry.first, name); });
}

PropertyBag::Value PropertyBag::read(std::string_view name, const Value& defaultValue) const {
    const auto* entry = find(name);
    if (!entry) return defaultValue;
    const Value& stored = entry->second;
    if (stored.index() == defaultValue.index()) return stored;
    if (const auto* i = std::get_if<std::int16_t>(&stored); i && std::holds_alternative<std::uint32_t>(defaultValue))
        return static_cast<std::uint32_t>(static_cast<std::int32_t>(*i));
    if (const auto* l = std::get_if<std::uint32_t>(&stored); l && std::holds_alternative<std::int16_t>(defaultValue))
        return static_cast<std::int16_t>(*l);
    return defaultValue;
}

void PropertyBag::write(std::string_view name, const Value& value) {
    for (auto& entry : m_entries) {
        if (sameName(entry.first, name)) {
            entry.second = value;
            return;
        }
    }
    m_entries.emplace_back(std::string(name), value);
}

void PropertyBag::write(std::string_view name, const Value& value, const Value& defaultValue) {
    if (value == defaultValue)
        erase(name);
    else
        write(name, value);
}

bool PropertyBag::readBoolean(std::string_view name, bool defaultValue) const {
    return std::get<std::int16_t>(read(name, boolean(defaultValue))) != 0;
}

std::uint32_t PropertyBag::readColour(std::string_view name, std::uint32_t defaultValue) const {
    return std::get<std::uint32_t>(read(name, defaultValue));
}

std::string PropertyBag::readString(std::string_view name, const std::string& defaultValue) const {
    return std::get<std::string>(read(name, defaultValue));
}

StdFont PropertyBag::readFont(std::string_view name, const StdFont& defaultValue) const {
    return std::get<StdFont>(read(name, defaultValue));
}

}  // namespace quorvane
