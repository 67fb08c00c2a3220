#include "photo_list.h"

#include "generation_error.h"
#include "photo_names.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

namespace generator {

namespace {

bool hasJpgExtension(const std::string& name)
{
    if (name.size() < 4)
        return false;
    std::string ending = name.substr(name.size() - 4);
    for (char& c : ending) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return ending == ".jpg";
}

[[noreturn]] void failFolder(const std::string& folder, const std::error_code& error)
{
    throw GenerationError("impossible de lire le dossier « " + folder + " » : " + frenchReason(error));
}

} // namespace

std::vector<std::string> listPhotoFiles(const std::string& folder)
{
    namespace fs = std::filesystem;
    std::error_code error;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), error);
    if (error)
        failFolder(folder, error);
    std::vector<std::pair<std::string, std::string>> keyed; // (name without case, name)
    for (; it != fs::directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.empty() || name.front() == '.' || !hasJpgExtension(name))
            continue;
        std::error_code ignored;
        if (!it->is_regular_file(ignored))
            continue;
        keyed.emplace_back(lowerCase(name), name);
    }
    if (error)
        failFolder(folder, error);
    std::sort(keyed.begin(), keyed.end());
    std::vector<std::string> names;
    names.reserve(keyed.size());
    for (auto& entry : keyed)
        names.push_back(std::move(entry.second));
    return names;
}

} // namespace generator
