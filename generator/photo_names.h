#pragma once

#include <string>
#include <string_view>

namespace generator {

// The album's name for a listed photo: the stem (up to and including the first '.') in
// capitals or small letters by upperCaseName, the rest likewise by upperCaseExtension.
// Letters beyond ASCII follow Unicode (é <-> É); a part that is not valid UTF-8 is kept
// byte for byte.
std::string adjustedName(std::string_view listedName, bool upperCaseName, bool upperCaseExtension);

// adjustedName up to and including its first '.', then "html". A name without a dot gets
// ".html" appended, so a page never takes the photo's own name.
std::string photoPageName(std::string_view adjustedName);

// At least two digits: 0 -> "00", 7 -> "07", 123 -> "123".
std::string pageNumberText(int number);

// Unicode-aware case changes used by the name rule and by sorting photo lists.
std::string upperCase(std::string_view text);
std::string lowerCase(std::string_view text);

} // namespace generator
