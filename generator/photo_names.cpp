#include "photo_names.h"

#include "utf8.h"

#include <locale.h>
#include <wctype.h>

namespace generator {

namespace {

// A C.UTF-8 character-type locale of our own, so the global locale chosen by the host
// (Qt sets it from the environment) cannot change album names.
locale_t unicodeLocale()
{
    static const locale_t locale = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return locale;
}

// Without that locale, ASCII and the Latin-1 letters still convert.
char32_t latin1Upper(char32_t c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return c - 0x20;
    if (c == 0xFF)
        return 0x178;
    return c;
}

char32_t latin1Lower(char32_t c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return c + 0x20;
    if (c == 0x178)
        return 0xFF;
    return c;
}

std::string changeCase(std::string_view text, bool upper)
{
    if (!detail::isValidUtf8(text))
        return std::string(text);
    const locale_t locale = unicodeLocale();
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const char32_t c = *detail::nextCodePoint(text, pos);
        char32_t changed = c;
        if (locale)
            changed = static_cast<char32_t>(upper ? ::towupper_l(static_cast<wint_t>(c), locale)
                                                  : ::towlower_l(static_cast<wint_t>(c), locale));
        else
            changed = upper ? latin1Upper(c) : latin1Lower(c);
        detail::appendUtf8(out, changed);
    }
    return out;
}

} // namespace

std::string upperCase(std::string_view text)
{
    return changeCase(text, true);
}

std::string lowerCase(std::string_view text)
{
    return changeCase(text, false);
}

std::string adjustedName(std::string_view listedName, bool upperCaseName, bool upperCaseExtension)
{
    const std::size_t dot = listedName.find('.');
    const std::size_t stemLength = dot == std::string_view::npos ? listedName.size() : dot + 1;
    const std::string_view stem = listedName.substr(0, stemLength);
    const std::string_view extension = listedName.substr(stemLength);
    return changeCase(stem, upperCaseName) + changeCase(extension, upperCaseExtension);
}

std::string photoPageName(std::string_view adjustedName)
{
    const std::size_t dot = adjustedName.find('.');
    if (dot == std::string_view::npos)
        return std::string(adjustedName) + ".html";
    return std::string(adjustedName.substr(0, dot + 1)) + "html";
}

std::string pageNumberText(int number)
{
    std::string text = std::to_string(number);
    if (number >= 0 && number < 10)
        text.insert(0, 1, '0');
    return text;
}

} // namespace generator
