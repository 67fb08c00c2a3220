#include "album_checks.h"
#include "console_host.h"
#include "headless_options.h"
#include "job_slots.h"
#include "jpeg_fixtures.h"
#include "launch_pacing.h"
#include "process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <sys/resource.h>

using namespace generator;
using album_checks::browseAlbum;
using album_checks::chromiumProgram;
using album_checks::withPrefix;
using album_checks::contains;
namespace fs = std::filesystem;

namespace {

TEST(HeadlessOptions, EveryOptionReachesTheSettings)
{
    const ParsedOptions parsed = parseHeadlessOptions(
        {"--photos", "mes photos", "--web=album", "--title", "No\xC3\xABl", "--format", "both", "--per-frame", "20.5",
         "--one-frame", "--background", "colour", "--colour", "00ff80", "--sound", "wav", "--index-link",
         "--no-author-links", "--lower-name", "--lower-ext", "--original-url", " ftp://h/o/ ", "--highres=ftp://h/r/",
         "--pace", "jobs", "--jobs", "3"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.jobs, 3);
    const AlbumSettings s = settingsFromOptions(parsed.options);
    EXPECT_EQ(s.photoFolder, "mes photos/");
    EXPECT_EQ(s.webFolder, "album/");
    EXPECT_EQ(s.albumTitle, "No\xC3\xABl");
    EXPECT_EQ(s.pageFormat, PageFormat::both);
    EXPECT_EQ(s.thumbnailsPerFrame, 20.5);
    EXPECT_TRUE(s.allThumbnailsInOneFrame);
    EXPECT_EQ(s.backgroundMode, BackgroundMode::colour);
    EXPECT_EQ(s.backgroundColour, "00FF80");
    EXPECT_EQ(s.soundChoice, SoundChoice::wav);
    EXPECT_TRUE(s.linkToIndex);
    EXPECT_FALSE(s.authorLinks);
    EXPECT_FALSE(s.upperCaseName);
    EXPECT_FALSE(s.upperCaseExtension);
    EXPECT_TRUE(s.linkOriginal);
    EXPECT_EQ(s.originalUrl, " ftp://h/o/ ");
    EXPECT_TRUE(s.linkHighRes);
    EXPECT_EQ(s.highResUrl, "ftp://h/r/");
}

TEST(HeadlessOptions, DefaultsAreTheWindowsStartUpState)
{
    const ParsedOptions parsed = parseHeadlessOptions({"--photos", "p", "--web", "w"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.pace, Pace::jobs);
    EXPECT_EQ(parsed.options.jobs, 0);
    const AlbumSettings s = settingsFromOptions(parsed.options);
    const AlbumSettings window;
    EXPECT_EQ(s.albumTitle, "mes vacances 2001");
    EXPECT_EQ(s.pageFormat, window.pageFormat);
    EXPECT_EQ(s.thumbnailsPerFrame, 16);
    EXPECT_EQ(s.backgroundMode, window.backgroundMode);
    EXPECT_EQ(s.backgroundColour, "FFFFFF");
    EXPECT_EQ(s.soundChoice, SoundChoice::none);
    EXPECT_TRUE(s.authorLinks && s.upperCaseName && s.upperCaseExtension);
    EXPECT_FALSE(s.linkOriginal || s.linkHighRes || s.linkToIndex || s.allThumbnailsInOneFrame);
    EXPECT_EQ(s.originalUrl, window.originalUrl);
}

TEST(HeadlessOptions, BadOptionsGiveOneLineNamingTheOption)
{
    const struct {
        std::vector<std::string> arguments;
        const char* named;
    } cases[] = {
        {{"--photos", "p", "--web", "w", "--frobnicate"}, "--frobnicate"},
        {{"--photos", "p", "--web", "w", "--lower"}, "--lower"}, // ambiguous
        {{"--photos", "p", "--web", "w", "--format", "cadres"}, "--format"},
        {{"--photos", "p", "--web", "w", "--background=gris"}, "--background"},
        {{"--photos", "p", "--web", "w", "--colour", "FFF"}, "--colour"},
        {{"--photos", "p", "--web", "w", "--colour", "GG0000"}, "--colour"},
        {{"--photos", "p", "--web", "w", "--sound", "ogg"}, "--sound"},
        {{"--photos", "p", "--web", "w", "--pace", "vite"}, "--pace"},
        {{"--photos", "p", "--web", "w", "--jobs", "0"}, "--jobs"},
        {{"--photos", "p", "--web", "w", "--jobs", "2x"}, "--jobs"},
        {{"--photos", "p", "--web", "w", "--pace", "clock", "--jobs", "2"}, "--jobs"},
        {{"--photos", "p", "--web", "w", "--one-frame=oui"}, "--one-frame"},
        {{"--photos", "p", "--web"}, "--web"},
        {{"--web", "w"}, "--photos"},
        {{"--photos", "p"}, "--web"},
        {{"--photos", "", "--web", "w"}, "--photos"},
        {{"--photos", "p", "--web", "w", "album"}, "album"},
    };
    for (const auto& c : cases) {
        const ParsedOptions parsed = parseHeadlessOptions(c.arguments);
        SCOPED_TRACE(c.named);
        EXPECT_TRUE(contains(parsed.error, c.named)) << parsed.error;
        EXPECT_FALSE(contains(parsed.error, "\n"));
    }
    EXPECT_TRUE(parseHeadlessOptions({"--help"}).options.help);
    EXPECT_TRUE(parseHeadlessOptions({"--vers"}).options.version);
}

class HeadlessRun : public testing::Test {
protected:
    fixtures::TempDir dir;
    std::string photos = dir.file("photos");
    std::string web = dir.file("album");

    void SetUp() override { fs::create_directories(photos); }

    void addPhoto(const std::string& name, const fixtures::JpegRecipe& picture = {})
    {
        fixtures::writeFile(photos + "/" + name, fixtures::makeJpeg(picture));
    }

    fixtures::ProcessResult varnook(std::vector<std::string> arguments,
                                    const std::string& program = fixtures::builtProgram("varnook"))
    {
        return fixtures::runProgram(program, arguments);
    }
};

TEST_F(HeadlessRun, BadInputExitsWithTwoBeforeWritingAnything)
{
    fs::create_directories(dir.file("vide"));
    std::ofstream(dir.file("fichier")).put('x');
    addPhoto("a.jpg");
    const struct {
        std::vector<std::string> arguments;
        const char* named;
    } cases[] = {
        {{"--photos", photos, "--web", web, "--format", "cadres"}, "--format"},
        {{"--web", web}, "--photos"},
        {{"--photos", dir.file("absent"), "--web", web}, "absent"},
        {{"--photos", dir.file("fichier"), "--web", web}, "fichier"},
        {{"--photos", dir.file("vide"), "--web", web}, "vide"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.named);
        const fixtures::ProcessResult result = varnook(c.arguments);
        EXPECT_EQ(result.status, 2);
        EXPECT_TRUE(contains(result.err, c.named)) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_FALSE(fs::exists(web));
    }
}

TEST_F(HeadlessRun, HelpAndVersion)
{
    const fixtures::ProcessResult help = varnook({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* option : {"--photos", "--web", "--title", "--format", "--per-frame", "--one-frame",
                               "--background", "--colour", "--sound", "--index-link", "--no-author-links",
                               "--lower-name", "--lower-ext", "--original-url", "--highres-url", "--pace", "--jobs"})
        EXPECT_TRUE(contains(help.out, option)) << option;
    const fixtures::ProcessResult version = varnook({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(contains(version.out, "varnook ")) << version.out;
}

#ifdef VARNOOK_HEADLESS_ONLY
TEST_F(HeadlessRun, WithoutTheWindowAndWithoutOptionsSaysSoAndShowsTheHelp)
{
    const fixtures::ProcessResult result = varnook({});
    EXPECT_EQ(result.status, 2);
    EXPECT_TRUE(contains(result.err, "la fenêtre n'a pas été construite")) << result.err;
    EXPECT_TRUE(contains(result.err, "--photos DIR")) << result.err;
}
#endif

TEST_F(HeadlessRun, JpegThatTheResizerCannotReadIsListedAndExitsWithOne)
{
    addPhoto("bonne.jpg");
    fixtures::writeFile(photos + "/cassee.jpg", {0xFF, 0xD8, 0xFF, 0xE0, 'n', 'o', 'n'});
    const fixtures::ProcessResult result = varnook({"--photos", photos, "--web", web, "--format", "noframes", "--jobs", "2"});
    EXPECT_EQ(result.status, 1) << result.out << result.err;
    // Its two pictures are missing, its two jobs failed; the good photo's are there.
    EXPECT_TRUE(contains(result.err, "image manquante : " + web + "/mini/CASSEE.JPG")) << result.err;
    EXPECT_TRUE(contains(result.err, "image manquante : " + web + "/jpeg/CASSEE.JPG")) << result.err;
    EXPECT_TRUE(contains(result.err, "cassee.jpg")) << result.err;
    EXPECT_FALSE(contains(result.err, "BONNE")) << result.err;
    EXPECT_TRUE(fs::file_size(web + "/jpeg/BONNE.JPG") > 0);
    // Every status was printed as a line, the last one before the check.
    EXPECT_TRUE(contains(result.out, " cr\xC3\xA9" "ation miniature BONNE.JPG\n")) << result.out;
    EXPECT_TRUE(contains(result.out, "patientez encore tant que des taches  \"brunsk\" sont actives \n")) << result.out;
}

TEST_F(HeadlessRun, MissingDataFileEndsTheRunWithOne)
{
    // An installation without back.don: the programs alone in a folder.
    const std::string bin = dir.file("bin");
    fs::create_directories(bin);
    for (const char* file : {"varnook", "brunsk", "index.don"})
        fs::copy_file(fixtures::builtProgram(file), bin + "/" + file);
    addPhoto("a.jpg");
    const fixtures::ProcessResult result = varnook({"--photos", photos, "--web", web}, bin + "/varnook");
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(contains(result.err, bin + "/back.don")) << result.err;
    EXPECT_TRUE(contains(result.out, bin + "/back.don")) << result.out; // the status line
    EXPECT_TRUE(fs::is_empty(web + "/jpeg"));
}

TEST_F(HeadlessRun, EndToEndEveryImageAndLinkResolvesInTheBrowser)
{
    ASSERT_FALSE(chromiumProgram().empty()) << "chromium is missing: run scripts/install-deps";
    addPhoto("vue du lac.jpg", {.width = 120, .height = 90});
    addPhoto("\xC3\xA9t\xC3\xA9.jpg", {.width = 90, .height = 120});
    // Noise does not compress: a photo above 800000 bytes, for the long pauses' branch.
    fixtures::JpegRecipe large{.width = 1000, .height = 800, .quality = 98};
    std::uint32_t seed = 12345;
    large.pixels.resize(std::size_t(1000) * 800 * 3);
    for (std::uint8_t& sample : large.pixels) {
        seed = seed * 1664525u + 1013904223u;
        sample = static_cast<std::uint8_t>(seed >> 24);
    }
    addPhoto("grande.jpg", large);
    ASSERT_GT(fs::file_size(photos + "/grande.jpg"), 800000u);
    addPhoto("Zz.JPG");
    addPhoto("abc.jpg");

    const fixtures::ProcessResult run = varnook({"--photos", photos, "--web", web, "--format", "both", "--per-frame", "2"}); // 4 a frame;
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_TRUE(contains(run.out, "album terminé : 16 images vérifiées ; ouvrez " + web + "/index.html")) << run.out;

    const std::vector<std::string> lines = browseAlbum(dir, "album");
    const std::vector<std::string> pages = withPrefix(lines, "PAGE ");
    for (const char* page : {"index.html", "page00.html", "frame1.html", "framep.html", "framec00.html",
                             "framec01.html", "page01.html", "jpeg/VUE DU LAC.html", "jpeg/\xC3\x89T\xC3\x89.html",
                             "jpeg/GRANDE.html", "jpeg/ZZ.html"})
        EXPECT_NE(std::find(pages.begin(), pages.end(), page), pages.end()) << "never reached " << page;
    for (const std::string& broken : withPrefix(lines, "BROKEN "))
        ADD_FAILURE() << "broken: " << broken;
    EXPECT_EQ(withPrefix(lines, "DONE ").size(), 1u) << testing::PrintToString(lines);

    // The check itself sees what a user would: a missing thumbnail and a missing page.
    fs::remove(web + "/mini/GRANDE.JPG");
    fs::remove(web + "/jpeg/ZZ.html");
    const std::vector<std::string> broken = withPrefix(browseAlbum(dir, "album"), "BROKEN ");
    for (const char* expected : {"page01.html -> img  mini/GRANDE.JPG", "page01.html -> a jpeg/ZZ.html ",
                                 "framec00.html -> a jpeg/ZZ.html"})
        EXPECT_NE(std::find(broken.begin(), broken.end(), expected), broken.end())
            << expected << " not in " << testing::PrintToString(broken);
}

TEST(JobSlots, NeverMoreJobsRunningThanTheBoundAndAllWaitedFor)
{
    SpawnLauncher spawner;
    JobSlotLauncher launcher(spawner, 2);
    int peak = 0;
    int endings = 0;
    std::vector<SpawnLauncher::Job> ended;
    launcher.onJobsEnded = [&] { ++endings; };
    spawner.onJobEnded = [&](const SpawnLauncher::Job& job) { ended.push_back(job); };
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 6; ++i) {
        launcher.launch({"/bin/sleep", {"0.1"}, "sleep " + std::to_string(i)});
        peak = std::max(peak, spawner.runningCount());
        // A held-back launch starts, in its turn, the very job asked for.
        EXPECT_EQ(spawner.runningJobs().back().commandLine, "sleep " + std::to_string(i));
    }
    launcher.waitForAll();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(peak, 2);
    EXPECT_EQ(spawner.runningCount(), 0);
    EXPECT_EQ(spawner.finishedCount(), 6);
    ASSERT_EQ(ended.size(), 6u);
    for (const auto& job : ended)
        EXPECT_EQ(job.exitStatus, 0) << job.commandLine;
    EXPECT_GE(elapsed, std::chrono::milliseconds(300)); // three rounds of two
    EXPECT_GT(endings, 0);
    EXPECT_EQ(launcher.launchedCount(), 6);
}

double cpuSeconds()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

TEST(ConsoleHost, StatusLinesAndAClockPauseThatSleeps)
{
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    ConsoleHost host("mon titre", out, false);
    ClockPacing pacing(2800);
    int ticks = 0;
    host.onTick = [&] {
        ++ticks;
        pacing.tick();
    };
    EXPECT_EQ(host.askTitle(), "mon titre");
    host.setStatus(" cr\xC3\xA9" "ation miniature A.JPG");
    host.setProgress(1, 2);
    host.setStatus("fin ");

    const double cpuBefore = cpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    pacing.pauseAfterLaunch(host, 3);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(ticks, 3);
    EXPECT_GE(elapsed, std::chrono::milliseconds(200)); // the first tick comes within 100 ms
    EXPECT_LT(elapsed, std::chrono::milliseconds(1000));
    EXPECT_LT(cpuSeconds() - cpuBefore, 0.1); // slept, did not spin

    std::rewind(out);
    std::string printed;
    for (int c; (c = std::fgetc(out)) != EOF;)
        printed += static_cast<char>(c);
    std::fclose(out);
    EXPECT_EQ(printed, " cr\xC3\xA9" "ation miniature A.JPG\nfin \n"); // no bar off a terminal
}

} // namespace
