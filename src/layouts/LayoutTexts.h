#pragma once

#include <span>
#include <string_view>

namespace quorvane {

// One window's layout file as compiled into the core.
struct LayoutText {
    std::string_view name;  // the file's name without ".json": "frmMain"
    std::string_view json;  // its bytes
};

// The layout files of resources/layouts/, embedded at build time (the definition is generated from
// the files), so that every front end reads the same texts without a resource system of its own.
std::span<const LayoutText> layoutTexts();

}  // namespace quorvane
