#pragma once

#include <string>
#include <string_view>

namespace generator {

// Page text is built as UTF-8 and converted once, when the page is written: a character
// that ISO-8859-1 has becomes its byte, any other a numeric reference ("&#8364;"). Bytes
// that are not UTF-8 (a name stored in Latin-1 on disk) are kept as they are.
std::string encodeLatin1(std::string_view utf8);

// A file name placed in an href or src. Characters that would end the attribute or change
// the URL's meaning (% # ? : " < > & \, control characters, a leading blank) are
// percent-encoded, and so is every byte beyond ASCII (a letter such as É as its UTF-8
// bytes, %C3%89), so the link reaches the file on disk whatever character set the browser
// reads the page in. Any other name is returned unchanged.
std::string nameForUrl(std::string_view name);

// A file name shown as page text: < > & " become entities; anything else is unchanged.
std::string nameForText(std::string_view name);

} // namespace generator
