#include "album_layout.h"
#include "album_settings.h"
#include "generation_error.h"
#include "job_counters.h"
#include "photo_list.h"
#include "process.h"
#include "program_folder.h"
#include "recording_host.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace generator;

namespace {

TEST(ProgramFolder, ExactlyOneTrailingSeparator)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/opt/varnook", "/opt/varnook/"},
        {"/opt/varnook/", "/opt/varnook/"},
        {"/", "/"},
        {"/home/moi/mes programmes", "/home/moi/mes programmes/"},
    };
    for (const auto& [folder, expected] : cases) {
        SCOPED_TRACE(folder);
        EXPECT_EQ(programFolderFor(folder), expected);
    }
}

TEST(ProgramFolder, IsTheFolderOfTheRunningExecutable)
{
    // The test executable is built beside brunsk, as varnook is.
    const auto expected = std::filesystem::canonical(fixtures::builtProgram("brunsk")).parent_path().string() + "/";
    EXPECT_EQ(programFolder(), expected);
}

TEST(AlbumLayout, FolderAndFileNames)
{
    EXPECT_EQ(withTrailingSeparator("/srv/album"), "/srv/album/");
    EXPECT_EQ(withTrailingSeparator("/srv/album/"), "/srv/album/");
    EXPECT_EQ(withTrailingSeparator(""), ""); // no folder chosen: relative to the current folder
    EXPECT_EQ(albumSubFolder("/srv/album/", kMiniFolder), "/srv/album/mini/");
    EXPECT_EQ(albumSubFolder("", kJpegFolder), "jpeg/");
    EXPECT_EQ(thumbnailPageName(0), "page00.html");
    EXPECT_EQ(thumbnailPageName(100), "page100.html");
    EXPECT_EQ(choiceFrameName(3), "framec03.html");
}

TEST(AlbumSettings, ImagesPerPhotoFollowTheFormat)
{
    AlbumSettings settings;
    EXPECT_EQ(settings.imagesPerPhoto(), 2);
    settings.pageFormat = PageFormat::noFrames;
    EXPECT_EQ(settings.imagesPerPhoto(), 2);
    settings.pageFormat = PageFormat::both;
    EXPECT_EQ(settings.imagesPerPhoto(), 3);
}

TEST(AlbumSettings, ThumbnailsPerFrameFromText)
{
    const std::pair<const char*, double> cases[] = {
        {"16", 16}, {"20.5", 20.5}, {"2.5", 2.5}, {"  8", 8}, {"12 photos", 12}, {"7,5", 7},
        {"5.", 5}, {".5", 0.5}, {"-3", -3}, {"+5", 5}, {"abc", 0}, {"", 0}, {".", 0}, {"1e3", 1}, {"inf", 0},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(thumbnailsPerFrameFromText(text), expected);
    }
}

TEST(JobCounters, AtMost32767Jobs)
{
    struct Case {
        std::size_t photos;
        int imagesPerPhoto;
        int total; // -1: the run stops
    };
    const Case cases[] = {
        {0, 2, 0}, {10, 3, 30}, {16383, 2, 32766}, {10922, 3, 32766}, {32767, 1, 32767},
        {16384, 2, -1}, {10923, 3, -1}, {32768, 1, -1}, {std::size_t(1) << 40, 3, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.photos) + " x " + std::to_string(c.imagesPerPhoto));
        if (c.total < 0) {
            EXPECT_THROW(startJobCounters(c.photos, c.imagesPerPhoto), GenerationError);
        } else {
            const JobCounters counters = startJobCounters(c.photos, c.imagesPerPhoto);
            EXPECT_EQ(counters.totalJobs, c.total);
            EXPECT_EQ(counters.launchedJobs, 0);
        }
    }
}

TEST(JobCounters, EachLaunchIsShownOnTheGauge)
{
    testing_host::RecordingHost host;
    JobCounters counters = startJobCounters(2, 3);
    countLaunchedJob(counters, host);
    countLaunchedJob(counters, host);
    EXPECT_EQ(counters.launchedJobs, 2);
    EXPECT_EQ(host.progress, (std::vector<std::pair<int, int>>{{1, 6}, {2, 6}}));
}

TEST(PhotoList, JpegFilesSortedIgnoringCase)
{
    fixtures::TempDir dir;
    for (const char* name : {"b.JPG", "A.jpg", "a.jpg", "Été.jpg", "c.Jpg", ".cachée.jpg", "notes.txt", "x.jpeg", "z.jpg.bak"})
        std::ofstream(dir.file(name)) << "x";
    std::filesystem::create_directory(dir.file("dossier.jpg"));
    EXPECT_EQ(listPhotoFiles(dir.path()), (std::vector<std::string>{"A.jpg", "a.jpg", "b.JPG", "c.Jpg", "Été.jpg"}));
    EXPECT_THROW(listPhotoFiles(dir.file("absent")), GenerationError);
}

} // namespace
