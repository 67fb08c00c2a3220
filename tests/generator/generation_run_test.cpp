#include "album_fixture.h"
#include "generation_error.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

using namespace generator;

namespace {

std::string launchEvent(int size, const std::string& photo, const std::string& output)
{
    return "launch:program/brunsk " + std::to_string(size) + " \"photos/" + photo + "\" \"web/" + output + "\"";
}

TEST(GenerationRun, StatusesLaunchesPausesAndPagesInOrder)
{
    album_testing::Album album;
    album.addPhoto("a.jpg", 1000);
    album.addPhoto("b.jpg", 800001);
    album.settings.pageFormat = PageFormat::both;
    album.logEverything();
    album.run();

    const std::vector<std::string> expected = {
        "busy:on",
        "frames:16",
        "title",
        "file:back.gif",
        "file:jpeg/",
        "status:création du sous répertoires mini",
        "file:mini/",
        "status:création des pages miniatures ",
        "yield",
        "status: création miniature A.JPG",
        launchEvent(160, "a.jpg", "mini/A.JPG"),
        "progress:1/6",
        "pause:10",
        "yield",
        "status: création miniature B.JPG",
        launchEvent(160, "b.jpg", "mini/B.JPG"),
        "progress:2/6",
        "pause:50",
        "yield",
        "file:page01.html",
        "yield",
        "file:minia/",
        "file:page00.html",
        "yield",
        "file:frame1.html",
        "status:création photo du cadre choix A.JPG",
        launchEvent(120, "a.jpg", "minia/A.JPG"),
        "progress:3/6",
        "pause:10",
        "yield",
        "yield",
        "status:création photo du cadre choix B.JPG",
        launchEvent(120, "b.jpg", "minia/B.JPG"),
        "progress:4/6",
        "pause:50",
        "yield",
        "yield",
        "file:framec00.html",
        "status:création cadre photo ",
        "yield",
        "file:framep.html",
        "status:création page index ",
        "yield",
        "file:index.html",
        "status:création des pages photos ",
        "yield",
        "yield",
        "file:jpeg/A.html",
        "status:création  page photo A.JPG",
        "yield",
        launchEvent(640, "a.jpg", "jpeg/A.JPG"),
        "progress:5/6",
        "pause:8",
        "yield",
        "yield",
        "file:jpeg/B.html",
        "status:création  page photo B.JPG",
        "yield",
        launchEvent(640, "b.jpg", "jpeg/B.JPG"),
        "progress:6/6",
        "pause:40",
        "yield",
        "busy:off",
        "status:patientez encore tant que des taches  \"brunsk\" sont actives ",
    };
    EXPECT_EQ(album.host.events, expected);
    EXPECT_EQ(album.settings.albumTitle, "mes vacances 2001");
}

struct FormatCase {
    PageFormat format;
    BackgroundMode background;
    std::vector<std::string> files;
    std::vector<std::string> outputs; // relative to the web folder
    int totalJobs;
};

TEST(GenerationRun, FoldersFilesAndJobsOfEachFormat)
{
    const std::vector<std::string> photoPages = {"jpeg/", "jpeg/A.html", "jpeg/B.html"};
    const auto with = [&](std::vector<std::string> files) {
        files.insert(files.end(), photoPages.begin(), photoPages.end());
        std::sort(files.begin(), files.end());
        return files;
    };
    const FormatCase cases[] = {
        {PageFormat::frames, BackgroundMode::image,
         with({"back.gif", "frame1.html", "framec00.html", "framep.html", "index.html", "minia/"}),
         {"minia/A.JPG", "minia/B.JPG", "jpeg/A.JPG", "jpeg/B.JPG"}, 4},
        {PageFormat::noFrames, BackgroundMode::image, with({"back.gif", "mini/", "page00.html", "page01.html"}),
         {"mini/A.JPG", "mini/B.JPG", "jpeg/A.JPG", "jpeg/B.JPG"}, 4},
        {PageFormat::both, BackgroundMode::image,
         with({"back.gif", "frame1.html", "framec00.html", "framep.html", "index.html", "mini/", "minia/",
               "page00.html", "page01.html"}),
         {"mini/A.JPG", "mini/B.JPG", "minia/A.JPG", "minia/B.JPG", "jpeg/A.JPG", "jpeg/B.JPG"}, 6},
        // A colour background copies no picture; the pages still name back.gif.
        {PageFormat::noFrames, BackgroundMode::colour, with({"mini/", "page00.html", "page01.html"}),
         {"mini/A.JPG", "mini/B.JPG", "jpeg/A.JPG", "jpeg/B.JPG"}, 4},
    };
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.format));
        album_testing::Album album;
        album.addPhoto("a.jpg");
        album.addPhoto("b.jpg");
        album.settings.pageFormat = c.format;
        album.settings.backgroundMode = c.background;
        album.run();
        EXPECT_EQ(album.files(), c.files);
        std::vector<std::string> outputs;
        for (const std::string& output : c.outputs)
            outputs.push_back(album.web + output);
        EXPECT_EQ(album.launcher.outputs(), outputs);
        ASSERT_FALSE(album.host.progress.empty());
        EXPECT_EQ(album.host.progress.back(), std::make_pair(c.totalJobs, c.totalJobs));
        if (c.background == BackgroundMode::colour)
            EXPECT_NE(album.page("page01.html").find("<body background=\"back.gif\""), std::string::npos);
        else
            EXPECT_EQ(album.page("back.gif"), album.page("../program/back.don"));
    }
}

TEST(GenerationRun, EntryPageIsTheDataFileAsItIs)
{
    album_testing::Album album;
    album.addPhoto("a.jpg");
    album.run();
    EXPECT_EQ(album.page("index.html"), album.page("../program/index.don"));
}

struct FrameCountCase {
    const char* text;
    const char* shown;
    std::vector<std::string> frames;
};

TEST(GenerationRun, FrameCountIsClampedShownAndRoundedOnceForTheFrames)
{
    const FrameCountCase cases[] = {
        {"abc", "4", {"framec00.html", "framec01.html"}},
        {"2.5", "4", {"framec00.html", "framec01.html"}},
        {"100", "32", {"framec00.html"}},
        {"20.5", "20.5", {"framec00.html"}},
        {"16", "16", {"framec00.html"}},
    };
    for (const FrameCountCase& c : cases) {
        SCOPED_TRACE(c.text);
        album_testing::Album album;
        album.addNumberedPhotos(5);
        album.settings.thumbnailsPerFrame = thumbnailsPerFrameFromText(c.text);
        album.run();
        EXPECT_EQ(album.host.frameCounts, (std::vector<std::string>{c.shown}));
        std::vector<std::string> frames;
        for (const std::string& file : album.files()) {
            if (file.rfind("framec", 0) == 0)
                frames.push_back(file);
        }
        EXPECT_EQ(frames, c.frames);
    }
}

// Runs the album expecting a GenerationError; checks the host was freed with the message.
std::string failingRun(album_testing::Album& album)
{
    try {
        album.run();
    } catch (const GenerationError& error) {
        EXPECT_EQ(album.host.busy, (std::vector<bool>{true, false}));
        EXPECT_EQ(album.host.statuses.back(), error.what());
        return error.what();
    }
    ADD_FAILURE() << "the run did not fail";
    return {};
}

TEST(GenerationRunFailures, MissingBackgroundDataFileEndsTheRunBeforeAnyPage)
{
    album_testing::Album album;
    album.addPhoto("a.jpg");
    std::filesystem::remove(album.program + "back.don");
    const std::string message = failingRun(album);
    EXPECT_NE(message.find(album.program + "back.don"), std::string::npos) << message;
    EXPECT_EQ(album.files(), (std::vector<std::string>{"jpeg/"}));
    EXPECT_TRUE(album.launcher.launches.empty());
}

TEST(GenerationRunFailures, WebFolderThatCannotBeMade)
{
    album_testing::Album album;
    album.addPhoto("a.jpg");
    std::ofstream(album.dir.file("fichier")).put('x');
    album.settings.webFolder = album.dir.file("fichier") + "/web/";
    const std::string message = failingRun(album);
    EXPECT_NE(message.find("impossible de créer le dossier"), std::string::npos) << message;
    EXPECT_NE(message.find(album.dir.file("fichier")), std::string::npos) << message;
}

TEST(GenerationRunFailures, PhotoDeletedDuringTheRunKeepsEverythingWrittenBefore)
{
    album_testing::Album album;
    album.addNumberedPhotos(3);
    album.settings.pageFormat = PageFormat::frames;
    // A frame of an earlier run: a failure must not leave it half-written or empty.
    std::ofstream(album.web + "framec00.html") << "ancien cadre";
    album.launcher.onLaunch = [&](const LaunchRequest& request) {
        if (request.arguments[1] == album.photos + "P02.jpg")
            std::filesystem::remove(album.photos + "P02.jpg");
    };
    const std::string message = failingRun(album);
    EXPECT_NE(message.find(album.photos + "P02.jpg"), std::string::npos) << message;
    EXPECT_EQ(album.launcher.launches.size(), 2u);
    EXPECT_EQ(album.page("framec00.html"), "ancien cadre");
    EXPECT_EQ(album.files(), (std::vector<std::string>{"back.gif", "frame1.html", "framec00.html", "jpeg/", "minia/"}));
}

TEST(GenerationRunFailures, MoreThan32767JobsWritesNothing)
{
    for (const auto& [format, photos] : {std::pair{PageFormat::frames, 16384}, std::pair{PageFormat::both, 10923}}) {
        SCOPED_TRACE(photos);
        album_testing::Album album;
        album.settings.pageFormat = format;
        album.settings.photoFiles.assign(static_cast<std::size_t>(photos), "a.jpg");
        const std::string message = failingRun(album);
        EXPECT_NE(message.find("32767"), std::string::npos) << message;
        EXPECT_TRUE(album.files().empty());
    }
}

TEST(GenerationRunFailures, PhotosReadFromAnAlbumSubFolderAreNeverOverwritten)
{
    for (const char* sub : {"jpeg", "mini", "minia"}) {
        SCOPED_TRACE(sub);
        album_testing::Album album;
        album.settings.photoFolder = album.web + sub + "/";
        std::filesystem::create_directories(album.settings.photoFolder);
        std::ofstream(album.settings.photoFolder + "A.JPG") << "photo";
        album.settings.photoFiles = {"A.JPG"};
        const std::string message = failingRun(album);
        EXPECT_NE(message.find(std::string("« ") + sub + " »"), std::string::npos) << message;
        EXPECT_TRUE(album.launcher.launches.empty());
        EXPECT_EQ(album.page(std::string(sub) + "/A.JPG"), "photo");
    }
}

TEST(GenerationRunFailures, AnyOtherErrorStillFreesTheHost)
{
    album_testing::Album album;
    album.addPhoto("a.jpg");
    album.launcher.onLaunch = [](const LaunchRequest&) { throw std::runtime_error("plus de mémoire"); };
    EXPECT_THROW(album.run(), std::runtime_error);
    EXPECT_EQ(album.host.busy, (std::vector<bool>{true, false}));
    EXPECT_NE(album.host.statuses.back().find("plus de mémoire"), std::string::npos);
}

TEST(GenerationRun, StopRequestedEndsBeforeTheNextLaunchOrPage)
{
    album_testing::Album album;
    album.addNumberedPhotos(5);
    album.settings.pageFormat = PageFormat::frames;
    album.host.stop = [&] { return album.launcher.launches.size() >= 3; };
    album.run();
    EXPECT_EQ(album.launcher.launches.size(), 3u);
    EXPECT_EQ(album.host.busy, (std::vector<bool>{true, false}));
    EXPECT_EQ(album.host.statuses.back(), kRunStoppedStatus);
    // The frame whose jobs were not all launched is not written.
    EXPECT_EQ(album.files(), (std::vector<std::string>{"back.gif", "frame1.html", "jpeg/", "minia/"}));
}

} // namespace
