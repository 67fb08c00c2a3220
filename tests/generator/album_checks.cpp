#include "album_checks.h"

#include "process.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <utility>

namespace album_checks {

namespace fs = std::filesystem;

namespace {

bool endsWith(const std::string& text, const std::string& ending)
{
    return text.size() >= ending.size() && text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

std::string lowered(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::string percentDecoded(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The scheme a URL starts with ("ftp"), or "" for a relative URL.
std::string schemeOf(const std::string& url)
{
    if (url.empty() || !std::isalpha(static_cast<unsigned char>(url[0])))
        return {};
    for (std::size_t i = 1; i < url.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(url[i]);
        if (c == ':')
            return lowered(url.substr(0, i));
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.')
            return {};
    }
    return {};
}

bool isAsciiBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// Where a link leads on disk, or "" when it leaves the disk on purpose; sets broken when it
// cannot lead anywhere.
std::string linkTarget(const fs::path& pageFolder, std::string url, bool& broken)
{
    broken = false;
    const auto first = std::find_if_not(url.begin(), url.end(), isAsciiBlank);
    const auto last = std::find_if_not(url.rbegin(), url.rend(), isAsciiBlank).base();
    url = first < last ? std::string(first, last) : std::string();
    url.erase(std::remove_if(url.begin(), url.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }),
              url.end());
    const std::string scheme = schemeOf(url);
    if (scheme == "ftp" || scheme == "http" || scheme == "https" || scheme == "mailto")
        return {};
    if (!scheme.empty() || url.empty()) {
        broken = true;
        return {};
    }
    url = url.substr(0, url.find('#'));
    url = url.substr(0, url.find('?'));
    std::replace(url.begin(), url.end(), '\\', '/');
    return (pageFolder / percentDecoded(url)).lexically_normal().string();
}

} // namespace

std::string readBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<std::string> albumFiles(const std::string& web)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(web)) {
        std::string name = fs::relative(entry.path(), web).string();
        if (entry.is_directory())
            name += "/";
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> unwholeFiles(const std::string& web, const std::string& programFolder)
{
    std::vector<std::string> problems;
    const std::string index = readBytes(programFolder + "/index.don");
    const std::string background = readBytes(programFolder + "/back.don");
    for (const std::string& name : albumFiles(web)) {
        const std::string leaf = fs::path(name).filename().string();
        if (endsWith(name, "/"))
            continue;
        if (!leaf.empty() && leaf.front() == '.') {
            problems.push_back(name + ": temporary file left behind");
            continue;
        }
        const std::string bytes = readBytes(web + "/" + name);
        const std::string type = lowered(fs::path(leaf).extension().string());
        if (name == "index.html") {
            if (bytes != index)
                problems.push_back(name + ": not index.don as it is");
        } else if (name == "back.gif") {
            if (bytes != background)
                problems.push_back(name + ": not back.don as it is");
        } else if (type == ".html") {
            if (!endsWith(bytes, "</html>\r\n"))
                problems.push_back(name + ": page cut short");
        } else if (type == ".jpg") {
            if (bytes.empty())
                problems.push_back(name + ": empty picture");
        } else {
            problems.push_back(name + ": unexpected file");
        }
    }
    return problems;
}

std::vector<std::string> pageLinks(const std::string& text)
{
    const std::string lower = lowered(text);
    std::vector<std::pair<std::size_t, std::string>> found;
    for (const std::string attribute : {"href", "src", "background"}) {
        for (std::size_t at = lower.find(attribute); at != std::string::npos; at = lower.find(attribute, at + 1)) {
            // A whole attribute name: after a blank, followed by optional blanks, '=', a quote.
            if (at == 0 || !isAsciiBlank(lower[at - 1]))
                continue;
            std::size_t pos = at + attribute.size();
            while (pos < lower.size() && isAsciiBlank(lower[pos]))
                ++pos;
            if (pos >= lower.size() || lower[pos] != '=')
                continue;
            ++pos;
            while (pos < lower.size() && isAsciiBlank(lower[pos]))
                ++pos;
            if (pos >= lower.size() || lower[pos] != '"')
                continue;
            const std::size_t end = text.find('"', pos + 1);
            if (end == std::string::npos)
                continue;
            found.emplace_back(at, text.substr(pos + 1, end - pos - 1));
        }
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> links;
    for (auto& [at, url] : found)
        links.push_back(std::move(url));
    return links;
}

std::vector<std::string> brokenLinks(const std::string& web)
{
    std::vector<std::string> broken;
    for (const std::string& name : albumFiles(web)) {
        if (lowered(fs::path(name).extension().string()) != ".html")
            continue;
        const fs::path page = fs::path(web) / name;
        for (const std::string& url : pageLinks(readBytes(page.string()))) {
            bool unusable = false;
            const std::string target = linkTarget(page.parent_path(), url, unusable);
            if (unusable || (!target.empty() && !fs::is_regular_file(target)))
                broken.push_back(name + " -> " + url);
        }
    }
    return broken;
}

std::string chromiumProgram()
{
    for (const char* candidate : {"/usr/bin/chromium", "/usr/bin/chromium-browser"}) {
        if (fs::exists(candidate))
            return candidate;
    }
    return {};
}

std::vector<std::string> browseAlbum(const fixtures::TempDir& dir, const std::string& album)
{
    const std::string checker = dir.file("album_check.html");
    fs::copy_file(std::string(VARNOOK_SOURCE_DIR) + "/tests/generator/album_check.html", checker,
                  fs::copy_options::overwrite_existing);
    const fixtures::ProcessResult result = fixtures::runProgram(
        "/usr/bin/timeout",
        {"120", chromiumProgram(), "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
         "--allow-file-access-from-files", "--user-data-dir=" + dir.file("chromium"), "--virtual-time-budget=60000",
         "--dump-dom", "file://" + checker + "#" + album + "/index.html," + album + "/page00.html"});
    const std::size_t start = result.out.find("<pre id=\"out\">");
    const std::size_t end = result.out.find("</pre>");
    if (start == std::string::npos || end == std::string::npos)
        return {"NO RESULT (status " + std::to_string(result.status) + ")"};
    std::string text = result.out.substr(start + 14, end - start - 14);
    for (const auto& [entity, c] : {std::pair{"&gt;", '>'}, std::pair{"&lt;", '<'}, std::pair{"&amp;", '&'}}) {
        for (std::size_t at; (at = text.find(entity)) != std::string::npos;)
            text.replace(at, std::string(entity).size(), 1, c);
    }
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> withPrefix(const std::vector<std::string>& lines, const std::string& prefix)
{
    std::vector<std::string> found;
    for (const std::string& line : lines) {
        if (line.rfind(prefix, 0) == 0)
            found.push_back(line.substr(prefix.size()));
    }
    return found;
}

} // namespace album_checks
