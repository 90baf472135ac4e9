#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "xpbutton/StdFont.h"

namespace quorvane {

// A control's stored properties: named values in the order they were written. Names are compared
// without regard to case (stored layouts carry them in lower case). Booleans are stored as 16-bit
// integers, -1 for true and 0 for false; colours as 32-bit values 0x00BBGGRR.
class PropertyBag {
public:
    using Value = std::variant<std::int16_t, std::uint32_t, std::string, StdFont>;

    PropertyBag() = default;
    PropertyBag(std::initializer_list<std::pair<std::string, Value>> entries);

    // The stored value, or `defaultValue` when the name is missing. A stored number is converted to
    // the default's kind of number; a value of another kind gives the default.
    Value read(std::string_view name, const Value& defaultValue) const;
    // Always stored.
    void write(std::string_view name, const Value& value);
    // Stored unless it equals `defaultValue`; then the name is left out of the bag.
    void write(std::string_view name, const Value& value, const Value& defaultValue);

    bool readBoolean(std::string_view name, bool defaultValue) const;
    std::uint32_t readColour(std::string_view name, std::uint32_t defaultValue) const;
    std::string readString(std::string_view name, const std::string& defaultValue) const;
    StdFont readFont(std::string_view name, const StdFont& defaultValue) const;

    static Value boolean(bool value) { return static_cast<std::int16_t>(value ? -1 : 0); }

    bool contains(std::string_view name) const { return find(name) != nullptr; }
    const std::vector<std::pair<std::string, Value>>& entries() const { return m_entries; }

private:
    const std::pair<std::string, Value>* find(std::string_view name) const;
    void erase(std::string_view name);

    std::vector<std::pair<std::string, Value>> m_entries;
};

}  // namespace quorvane
