#pragma once

#include "album_settings.h"
#include "launch_pacing.h"
#include "page_fragments.h"
#include "process_launcher.h"
#include "run_host.h"

#include <string>

namespace generator {

// What a run works with besides the settings and the host.
struct RunTools {
    const PageFragments& fragments;
    ProcessLauncher& launcher;
    LaunchPacing& pacing;
};

// The status left when a run has launched its last job.
inline constexpr const char* kRunEndStatus = "patientez encore tant que des taches  \"brunsk\" sont actives ";
inline constexpr const char* kRunStoppedStatus = "réalisation interrompue";

// Runs one generation. On GenerationError it calls host.setBusy(false) and
// host.setStatus(<French message>) and rethrows; when host.stopRequested() turns true it
// stops before the next launch or page and returns.
void GenerationRun(AlbumSettings& settings, RunHost& host, const RunTools& tools);

// The clamped frame count as the thumbnails-per-frame box shows it: 16, 4, 20.5.
std::string frameCountText(double thumbnailsPerFrame);

} // namespace generator
