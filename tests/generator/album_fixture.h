#pragma once

#include "generation_run.h"
#include "process.h"
#include "recording_host.h"
#include "run_context.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace album_testing {

// Records each launch instead of starting a process; the test may act at a launch.
class RecordingLauncher : public generator::ProcessLauncher {
public:
    std::vector<generator::LaunchRequest> launches;
    std::function<void(const generator::LaunchRequest&)> onLaunch;
    testing_host::RecordingHost* log = nullptr;
    std::string hidePrefix; // left out of the logged command lines

    void launch(const generator::LaunchRequest& request) override
    {
        if (onLaunch)
            onLaunch(request);
        launches.push_back(request);
        if (log) {
            std::string line = request.commandLine;
            for (std::size_t at; !hidePrefix.empty() && (at = line.find(hidePrefix)) != std::string::npos;)
                line.erase(at, hidePrefix.size());
            log->record("launch:" + line);
        }
    }

    std::vector<std::string> outputs() const
    {
        std::vector<std::string> paths;
        for (const auto& request : launches)
            paths.push_back(request.arguments.at(2));
        return paths;
    }
};

class RecordingPacing : public generator::LaunchPacing {
public:
    std::vector<int> units;
    void pauseAfterLaunch(generator::RunHost& host, int pause) override
    {
        units.push_back(pause);
        if (auto* recording = dynamic_cast<testing_host::RecordingHost*>(&host))
            recording->record("pause:" + std::to_string(pause));
    }
};

// A photo folder, a web folder and a program folder (with the project's data files) in a
// temporary folder, with settings, fragments and fakes ready for a run or a single writer.
class Album {
public:
    fixtures::TempDir dir;
    std::string photos = dir.path() + "/photos/";
    std::string web = dir.path() + "/web/";
    std::string program = dir.path() + "/program/";
    generator::AlbumSettings settings;
    generator::PageFragments fragments = generator::buildPageFragments();
    testing_host::RecordingHost host;
    RecordingLauncher launcher;
    RecordingPacing pacing;
    generator::JobCounters counters;

    Album()
    {
        std::filesystem::create_directories(photos);
        std::filesystem::create_directories(web);
        std::filesystem::create_directories(program);
        for (const char* data : {"back.don", "index.don"})
            std::filesystem::copy_file(std::string(VARNOOK_SOURCE_DIR) + "/data/" + data, program + data);
        settings.photoFolder = photos;
        settings.webFolder = web;
        settings.programFolder = program;
        host.title = "mes vacances 2001";
        settings.albumTitle = host.title; // what a run takes from the title box
    }

    // Photos P01.jpg, P02.jpg... of a few bytes each.
    void addNumberedPhotos(int count)
    {
        for (int i = 1; i <= count; ++i)
            addPhoto((i < 10 ? "P0" : "P") + std::to_string(i) + ".jpg");
    }

    void addPhoto(const std::string& name, std::uintmax_t bytes = 1000)
    {
        std::ofstream(photos + name).put('x');
        std::filesystem::resize_file(photos + name, bytes);
        settings.photoFiles.push_back(name);
    }

    // Writers need the album's sub-folders and the counters that the run makes first.
    generator::RunContext context()
    {
        for (const char* sub : {"jpeg", "mini", "minia"})
            std::filesystem::create_directories(web + sub);
        counters = generator::startJobCounters(settings.photoFiles.size(), settings.imagesPerPhoto());
        return {settings, host, fragments, launcher, pacing, counters};
    }

    void run() { generator::GenerationRun(settings, host, {fragments, launcher, pacing}); }

    // Logs every launch, and every file that appeared in the web folder since the last event,
    // into the host's events.
    void logEverything()
    {
        launcher.log = &host;
        launcher.hidePrefix = dir.path() + "/";
        host.beforeEvent = [this] {
            for (const std::string& file : files()) {
                if (seen_.insert(file).second)
                    host.events.push_back("file:" + file);
            }
        };
    }

    // Everything under the web folder, folders with a trailing "/", sorted.
    std::vector<std::string> files() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(web)) {
            std::string name = std::filesystem::relative(entry.path(), web).string();
            if (entry.is_directory())
                name += "/";
            names.push_back(name);
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string page(const std::string& name) const
    {
        std::ifstream file(web + name, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

private:
    std::set<std::string> seen_;
};

} // namespace album_testing
