#pragma once

#include <string>
#include <vector>

namespace fixtures {
class TempDir;
}

// Checks of an album as it lies on disk, shared by the tests that make whole albums.
namespace album_checks {

inline bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// Every entry under the web folder, relative to it, folders with a trailing "/", sorted.
std::vector<std::string> albumFiles(const std::string& web);

// What is wrong with the album left in the web folder, one line each; empty when every
// page ends with its closing text and CR LF, index.html and back.gif are their data files
// (from programFolder) byte for byte, no picture is empty and no temporary file is left.
std::vector<std::string> unwholeFiles(const std::string& web, const std::string& programFolder);

// The URLs (href, src, background) of one page's text, in order, as written.
std::vector<std::string> pageLinks(const std::string& text);

// Every link of every page that leads to no file, as "page -> url". A link is resolved as a
// browser does: blanks around it dropped, tabs and line breaks removed, cut at '#' and
// '?', '\' read as '/', percent-escapes decoded, relative to the page's folder. Links to
// ftp:, http:, https: and mailto: are not followed; any other scheme is broken.
std::vector<std::string> brokenLinks(const std::string& web);

// The browser's own check (album_check.html in headless Chromium), from the album's
// index.html and page00.html, album being the web folder's name inside dir: one line each,
// "PAGE p", "BROKEN p -> link", "DONE ...". chromiumProgram() is empty without Chromium.
std::string chromiumProgram();
std::vector<std::string> browseAlbum(const fixtures::TempDir& dir, const std::string& album);

// The lines that start with prefix, without it.
std::vector<std::string> withPrefix(const std::vector<std::string>& lines, const std::string& prefix);

std::string readBytes(const std::string& path);

} // namespace album_checks
