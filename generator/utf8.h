#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Strict UTF-8 reading for names and page texts. Names on Linux are bytes and may hold
// raw Latin-1; callers decide what an invalid byte means in their context.
namespace generator::detail {

// The code point starting at text[pos], advancing pos past it; nullopt (pos unchanged)
// when the bytes there are not a well-formed UTF-8 sequence (overlong forms, surrogates
// and values above U+10FFFF are rejected).
std::optional<char32_t> nextCodePoint(std::string_view text, std::size_t& pos);

bool isValidUtf8(std::string_view text);

void appendUtf8(std::string& out, char32_t code);

} // namespace generator::detail
