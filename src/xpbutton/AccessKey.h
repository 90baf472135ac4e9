#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// The access key of a button caption (UTF-8): the character after the first "&" that is not part
// of a literal "&&", in lower case, as the caption drawing underlines it; "" when there is none.
// Only the first two "&" marks are looked at: after two "&&" pairs a caption has no access key.
std::string accessKeyOf(std::string_view caption);

// Lower case of one character (a code point), for the scripts captions are written in here:
// Latin (ASCII and Latin-1), Greek and Cyrillic; other characters are returned unchanged.
char32_t lowerCase(char32_t c);

}  // namespace quorvane
