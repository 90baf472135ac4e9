#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// What assistive technology reads of a button, from its caption (UTF-8).

// The caption as it reads: without the "&" that marks the access key, "&&" read as one "&", a
// lone "&" at the end dropped ("E&xit" reads "Exit", "A&&B" reads "A&B").
std::string captionName(std::string_view caption);

// The keyboard shortcut that presses a button with this access key (accessKeyOf's lower-case
// character), as the system's buttons name it: "Alt+X"; "" for no access key.
std::string accessKeyShortcut(std::string_view accessKey);

}  // namespace quorvane
