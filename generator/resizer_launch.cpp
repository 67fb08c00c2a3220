#include "resizer_launch.h"

#include "generation_error.h"
#include "process_launcher.h"
#include "program_names.h"

#include <filesystem>
#include <system_error>

namespace generator {

std::string resizerCommandLine(const std::string& programFolder, const ResizerJob& job)
{
    return programFolder + common::kResizerProgram + " " + std::to_string(job.size) + " " + "\"" + job.input + "\""
        + " " + "\"" + job.output + "\"";
}

void launchResizerJob(ProcessLauncher& launcher, const std::string& programFolder, const ResizerJob& job)
{
    LaunchRequest request;
    request.program = programFolder + common::kResizerProgram;
    request.arguments = {std::to_string(job.size), job.input, job.output};
    request.commandLine = resizerCommandLine(programFolder, job);
    launcher.launch(request);
}

const LaunchPlaceRow& launchPlace(LaunchPlace place)
{
    for (const LaunchPlaceRow& row : kLaunchPlaces) {
        if (row.place == place)
            return row;
    }
    return kLaunchPlaces[0]; // unreachable: every place has its row
}

int pauseUnits(LaunchPlace place, std::uintmax_t inputBytes)
{
    const LaunchPlaceRow& row = launchPlace(place);
    return inputBytes > kLargePhotoBytes ? row.largeUnits : row.smallUnits;
}

std::uintmax_t sourceFileSize(const std::string& path)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error)
        throw GenerationError("impossible de lire la taille de la photo « " + path + " » : " + frenchReason(error));
    return size;
}

} // namespace generator
