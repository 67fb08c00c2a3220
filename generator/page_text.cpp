#include "page_text.h"

#include "utf8.h"

namespace generator {

namespace {

void appendPercent(std::string& out, unsigned char byte)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    out += '%';
    out += kHex[byte >> 4];
    out += kHex[byte & 0x0F];
}

bool breaksUrl(unsigned char c, bool first)
{
    switch (c) {
    case '%': case '#': case '?': case '"': case '<': case '>': case '&': case '\\':
        return true;
    case ':':
        return true; // "A:B.JPG" alone, as a photo page's image, would read as scheme "a:"
    case ' ':
        return first; // browsers strip blanks around an attribute's URL
    default:
        return c < 0x20 || c == 0x7F; // browsers drop tabs and line breaks from URLs
    }
}

} // namespace

std::string encodeLatin1(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t start = pos;
        const auto code = detail::nextCodePoint(utf8, pos);
        if (!code) {
            out += utf8[start];
            pos = start + 1;
        } else if (*code <= 0xFF) {
            out += static_cast<char>(*code);
        } else {
            out += "&#" + std::to_string(static_cast<unsigned long>(*code)) + ';';
        }
    }
    return out;
}

std::string nameForUrl(std::string_view name)
{
    std::string out;
    out.reserve(name.size());
    for (std::size_t pos = 0; pos < name.size();) {
        const std::size_t start = pos;
        const auto code = detail::nextCodePoint(name, pos);
        if (!code) {
            appendPercent(out, static_cast<unsigned char>(name[start]));
            pos = start + 1;
        } else if (*code < 0x80 && breaksUrl(static_cast<unsigned char>(*code), start == 0)) {
            appendPercent(out, static_cast<unsigned char>(*code));
        } else if (*code >= 0x80) {
            // Thumbnail and photo pages declare no character set, so a browser may read
            // their bytes as UTF-8; an all-ASCII URL means the same whatever it assumes.
            for (std::size_t i = start; i < pos; ++i)
                appendPercent(out, static_cast<unsigned char>(name[i]));
        } else {
            out.append(name.substr(start, pos - start));
        }
    }
    return out;
}

std::string nameForText(std::string_view name)
{
    std::string out;
    out.reserve(name.size());
    for (const char c : name) {
        switch (c) {
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '&': out += "&amp;"; break;
        case '"': out += "&quot;"; break;
        default: out += c; break;
        }
    }
    return out;
}

} // namespace generator
