#include "album_settings.h"

#include <charconv>
#include <cmath>

namespace generator {

double thumbnailsPerFrameFromText(std::string_view text)
{
    std::size_t pos = text.find_first_not_of(" \t");
    if (pos == std::string_view::npos)
        return 0;
    bool negative = false;
    if (text[pos] == '+' || text[pos] == '-') {
        negative = text[pos] == '-';
        ++pos;
    }
    // Digits with an optional fraction only: an exponent or "inf" is not a count.
    std::size_t end = pos;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9')
        ++end;
    if (end < text.size() && text[end] == '.') {
        ++end;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9')
            ++end;
    }
    double value = 0;
    const auto [ptr, error] = std::from_chars(text.data() + pos, text.data() + end, value, std::chars_format::fixed);
    (void)ptr;
    if (error != std::errc() || !std::isfinite(value))
        return 0;
    return negative ? -value : value;
}

} // namespace generator
