#include "generation_error.h"
#include "jpeg_fixtures.h"
#include "process.h"
#include "process_launcher.h"
#include "resizer_launch.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace generator;

namespace {

class RecordingLauncher : public ProcessLauncher {
public:
    std::vector<LaunchRequest> launches;
    void launch(const LaunchRequest& request) override { launches.push_back(request); }
};

std::string binFolder()
{
    return std::filesystem::path(fixtures::builtProgram("brunsk")).parent_path().string() + "/";
}

// Polls for the children to end; a bounded wait for a real process, not a pause length.
bool waitUntilFinished(SpawnLauncher& launcher)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    for (launcher.reapFinished(); launcher.runningCount() > 0; launcher.reapFinished()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

std::string readText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(ResizerLaunch, CommandLineTextAndArgumentVector)
{
    const ResizerJob job{160, "/home/moi/mes photos/Img 01.jpg", "/srv/album web/mini/IMG 01.JPG"};
    EXPECT_EQ(resizerCommandLine("/opt/mon album/", job),
              "/opt/mon album/brunsk 160 \"/home/moi/mes photos/Img 01.jpg\" \"/srv/album web/mini/IMG 01.JPG\"");

    RecordingLauncher launcher;
    launchResizerJob(launcher, "/opt/mon album/", job);
    ASSERT_EQ(launcher.launches.size(), 1u);
    const LaunchRequest& request = launcher.launches[0];
    EXPECT_EQ(request.program, "/opt/mon album/brunsk");
    // Each path is one argument, without quotes, whatever characters it holds.
    EXPECT_EQ(request.arguments,
              (std::vector<std::string>{"160", "/home/moi/mes photos/Img 01.jpg", "/srv/album web/mini/IMG 01.JPG"}));
    EXPECT_EQ(request.commandLine, resizerCommandLine("/opt/mon album/", job));
}

TEST(ResizerLaunch, RealResizerMakesItsOutputFromPathsWithBlanks)
{
    fixtures::TempDir dir;
    const std::string photos = dir.file("mes photos/");
    const std::string mini = dir.file("album web/mini/");
    std::filesystem::create_directories(photos);
    std::filesystem::create_directories(mini);
    fixtures::writeFile(photos + "Img 01.jpg", fixtures::makeJpeg({}));
    const ResizerJob job{32, photos + "Img 01.jpg", mini + "IMG 01.JPG"};

    SpawnLauncher launcher;
    std::vector<SpawnLauncher::Job> ended;
    launcher.onJobEnded = [&](const SpawnLauncher::Job& end) { ended.push_back(end); };
    launchResizerJob(launcher, binFolder(), job);
    ASSERT_EQ(launcher.runningCount() + launcher.finishedCount(), 1);
    ASSERT_TRUE(waitUntilFinished(launcher)) << "brunsk did not end";

    ASSERT_EQ(launcher.finishedCount(), 1);
    ASSERT_EQ(ended.size(), 1u);
    const SpawnLauncher::Job& finished = ended[0];
    EXPECT_EQ(finished.exitStatus, 0);
    EXPECT_EQ(finished.commandLine, resizerCommandLine(binFolder(), job));
    EXPECT_EQ(finished.arguments, (std::vector<std::string>{"32", job.input, job.output}));
    const fixtures::JpegFacts facts = fixtures::inspectJpeg(fixtures::readFile(job.output));
    EXPECT_EQ(facts.width, 32);
    EXPECT_EQ(facts.height, 24);
    // Reaped: no zombie is left for this pid.
    EXPECT_EQ(::waitpid(finished.pid, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

TEST(ResizerLaunch, MissingResizerFailsNamingIt)
{
    fixtures::TempDir dir;
    SpawnLauncher launcher;
    const std::string folder = dir.path() + "/";
    try {
        launchResizerJob(launcher, folder, {120, dir.file("a.jpg"), dir.file("b.jpg")});
        FAIL() << "launched a program that does not exist";
    } catch (const GenerationError& error) {
        EXPECT_NE(std::string(error.what()).find(folder + "brunsk"), std::string::npos) << error.what();
    }
    EXPECT_EQ(launcher.runningCount(), 0);
}

TEST(ResizerLaunch, ChildGetsNoDescriptorOfOursAndNoConsole)
{
    fixtures::TempDir dir;
    // A descriptor left inheritable, as a careless library might leave one.
    const int probe = ::dup2(::open("/dev/null", O_RDONLY | O_CLOEXEC), 57);
    ASSERT_EQ(probe, 57);
    const std::string out = dir.file("out");
    // Read the shell's own descriptors before any redirection of its output.
    const std::string script = "a=$(readlink /proc/$$/fd/0); b=$(readlink /proc/$$/fd/1); c=$(readlink /proc/$$/fd/2); "
                               "if [ -e /proc/$$/fd/57 ]; then d=leaked; else d=closed; fi; "
                               "printf '%s\\n' \"$a\" \"$b\" \"$c\" \"$d\" > '" + out + "'";
    SpawnLauncher launcher;
    launcher.launch({"/bin/sh", {"-c", script}, "sh"});
    const bool ended = waitUntilFinished(launcher);
    ::close(probe);
    ASSERT_TRUE(ended);
    EXPECT_EQ(readText(out), "/dev/null\n/dev/null\n/dev/null\nclosed\n");
}

TEST(ResizerLaunch, SixLaunchPlacesAndThe800000ByteThreshold)
{
    struct Case {
        LaunchPlace place;
        int size;
        const char* subFolder;
        int large;
        int small;
    };
    const Case cases[] = {
        {LaunchPlace::thumbnailFirstRow, 160, "mini", 45, 9},
        {LaunchPlace::thumbnailSecondRow, 160, "mini", 50, 10},
        {LaunchPlace::thumbnailClosingPage, 160, "mini", 50, 10},
        {LaunchPlace::choiceFrames, 120, "minia", 50, 10},
        {LaunchPlace::singleChoiceFrame, 120, "minia", 50, 10},
        {LaunchPlace::photoPages, 640, "jpeg", 40, 8},
    };
    fixtures::TempDir dir;
    const std::string atLimit = dir.file("limite.jpg");
    const std::string above = dir.file("au-dessus.jpg");
    std::ofstream(atLimit).close();
    std::ofstream(above).close();
    std::filesystem::resize_file(atLimit, 800000);
    std::filesystem::resize_file(above, 800001);
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.place));
        const LaunchPlaceRow& row = launchPlace(c.place);
        EXPECT_EQ(row.size, c.size);
        EXPECT_STREQ(row.subFolder, c.subFolder);
        EXPECT_EQ(pauseUnits(c.place, sourceFileSize(atLimit)), c.small);
        EXPECT_EQ(pauseUnits(c.place, sourceFileSize(above)), c.large);
        EXPECT_EQ(pauseUnits(c.place, 0), c.small);
    }
}

TEST(ResizerLaunch, UnreadableSourceSizeFailsNamingThePhoto)
{
    fixtures::TempDir dir;
    const std::string photo = dir.file("disparue.jpg");
    try {
        sourceFileSize(photo);
        FAIL() << "size of a missing photo";
    } catch (const GenerationError& error) {
        EXPECT_NE(std::string(error.what()).find(photo), std::string::npos) << error.what();
    }
}

} // namespace
