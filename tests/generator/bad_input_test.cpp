// Generation runs given awkward input: names that break URLs and markup, no photo, one
// photo, thousands of photos, photo folders that cannot be read, a web folder that fills up.
// Whatever the outcome, every page left in the web folder is whole and no temporary file
// is left; an album that completes has every link leading to a file.
#include "album_checks.h"
#include "album_fixture.h"
#include "generation_error.h"
#include "jpeg_fixtures.h"
#include "photo_names.h"
#include "process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>


using namespace generator;
using album_checks::brokenLinks;
using album_checks::pageLinks;
using album_checks::readBytes;
using album_checks::unwholeFiles;
using album_checks::contains;
namespace fs = std::filesystem;

namespace {

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

std::string trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    const std::size_t last = text.find_last_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

const std::vector<std::uint8_t>& tinyJpeg()
{
    static const std::vector<std::uint8_t> bytes = fixtures::makeJpeg({.width = 8, .height = 6});
    return bytes;
}

// How a run of varnook ended.
using Outcome = fixtures::ProcessResult;

// A small tmpfs over a folder, in a mount namespace of this test process's own, so it
// never outlives the test even when the test dies.
class SmallDisk {
public:
    // Empty reason when mounted; otherwise why the machine does not allow it.
    SmallDisk(const std::string& folder, const char* size)
        : folder_(folder)
    {
        if (::unshare(CLONE_NEWNS) != 0) {
            reason_ = std::string("no mount namespace of its own: ") + std::strerror(errno);
            return;
        }
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || ::mount("tmpfs", folder.c_str(), "tmpfs", 0, (std::string("size=") + size).c_str()) != 0) {
            reason_ = std::string("tmpfs not mounted: ") + std::strerror(errno);
            return;
        }
        mounted_ = true;
    }
    ~SmallDisk()
    {
        if (mounted_)
            ::umount2(folder_.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    const std::string& reason() const { return reason_; }

private:
    std::string folder_;
    std::string reason_;
    bool mounted_ = false;
};

// The folders of one run: photos and the web folder in a temporary folder.
struct RunFolders {
    fixtures::TempDir dir;
    std::string photos = dir.file("photos");
    std::string web = dir.file("album");
    std::unique_ptr<SmallDisk> disk; // before dir in destruction: unmounted, then removed

    RunFolders() { fs::create_directories(photos); }
    ~RunFolders()
    {
        // A row may have taken the photo folder's permissions away: the folder must go too.
        std::error_code ignored;
        fs::permissions(photos, fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    RunFolders(const RunFolders&) = delete;
    RunFolders& operator=(const RunFolders&) = delete;

    void addPhoto(const std::string& name) { fixtures::writeFile(photos + "/" + name, tinyJpeg()); }

    // photo01.jpg, photo02.jpg...
    void addPhotos(int count, const std::vector<std::uint8_t>& bytes = tinyJpeg())
    {
        const int digits = count < 100 ? 2 : 4;
        for (int i = 1; i <= count; ++i) {
            std::string number = std::to_string(i);
            number.insert(0, static_cast<std::size_t>(digits) - number.size(), '0');
            fixtures::writeFile(photos + "/photo" + number + ".jpg", bytes);
        }
    }
};

bool runningAsRoot()
{
    return ::geteuid() == 0;
}

std::string programFolder()
{
    return fs::path(fixtures::builtProgram("varnook")).parent_path().string();
}

// A name as listed, its album name, and that name as the photo page's title shows it
// (ISO-8859-1 bytes, entities for markup and for what Latin-1 lacks).
struct NameCase {
    const char* listed;
    const char* adjusted;
    const char* shown;
};

const NameCase kNames[] = {
    {"vue du lac.jpg", "VUE DU LAC.JPG", "VUE DU LAC.JPG"},
    {" début.jpg", " DÉBUT.JPG", " D\xC9" "BUT.JPG"},
    {"dit \"oui\".jpg", "DIT \"OUI\".JPG", "DIT &quot;OUI&quot;.JPG"},
    {"l'été.jpg", "L'ÉTÉ.JPG", "L'\xC9T\xC9.JPG"},
    {"n°1 #2.jpg", "N°1 #2.JPG", "N\xB0" "1 #2.JPG"},
    {"100%.jpg", "100%.JPG", "100%.JPG"},
    {"quoi ?.jpg", "QUOI ?.JPG", "QUOI ?.JPG"},
    {"a<b>c.jpg", "A<B>C.JPG", "A&lt;B&gt;C.JPG"},
    {"toi & moi.jpg", "TOI & MOI.JPG", "TOI &amp; MOI.JPG"},
    {"Ελλάδα.jpg", "ΕΛΛΆΔΑ.JPG", "&#917;&#923;&#923;&#902;&#916;&#913;.JPG"},
    {"東京.jpg", "東京.JPG", "&#26481;&#20140;.JPG"},
    {"fête 🎉.jpg", "FÊTE 🎉.JPG", "F\xCATE &#127881;.JPG"},
    {"rdv:10h30.jpg", "RDV:10H30.JPG", "RDV:10H30.JPG"}, // alone in a URL, "rdv:" would be a scheme
    {"a\\b.jpg", "A\\B.JPG", "A\\B.JPG"},
    // Kept in Latin-1 on disk: not UTF-8, so its name part keeps its case and its bytes.
    {"caf\xE9.jpg", "caf\xE9.JPG", "caf\xE9.JPG"},
};

std::string prepareNames(RunFolders& run)
{
    run.photos = run.dir.file("mes photos #1 & été");
    fs::create_directories(run.photos);
    for (const NameCase& name : kNames)
        run.addPhoto(name.listed);
    return {};
}

// Each name reached the resizer as one argument and the pages as a link and a title; the
// browser opens every page and finds every picture.
void checkNames(const RunFolders& run, const Outcome& outcome)
{
    for (const NameCase& name : kNames) {
        SCOPED_TRACE(name.listed);
        const std::string page = photoPageName(name.adjusted);
        EXPECT_TRUE(contains(readBytes(run.web + "/jpeg/" + page), "<title>" + std::string(name.shown) + "</title>"));
        for (const auto& [folder, side] : {std::pair{"mini/", 160}, std::pair{"minia/", 120}, std::pair{"jpeg/", 640}})
            EXPECT_EQ(fixtures::inspectJpeg(fixtures::readFile(run.web + "/" + folder + name.adjusted)).width, side)
                << folder;
        EXPECT_TRUE(contains(outcome.out, std::string(" création miniature ") + name.adjusted + "\n"));
    }
    ASSERT_FALSE(album_checks::chromiumProgram().empty()) << "chromium is missing: run scripts/install-deps";
    const std::vector<std::string> lines = album_checks::browseAlbum(run.dir, "album");
    for (const std::string& broken : album_checks::withPrefix(lines, "BROKEN "))
        ADD_FAILURE() << "broken in the browser: " << broken;
    const std::vector<std::string> pages = album_checks::withPrefix(lines, "PAGE ");
    EXPECT_EQ(std::count_if(pages.begin(), pages.end(), [](const std::string& p) { return p.rfind("jpeg/", 0) == 0; }),
              static_cast<long>(std::size(kNames)))
        << testing::PrintToString(lines);
    EXPECT_EQ(album_checks::withPrefix(lines, "DONE ").size(), 1u) << testing::PrintToString(lines);
}

// Photos of 254 and 253 bytes, whose pages take 255 and 254: as much as a name may hold.
std::string longCjkName()
{
    std::string name;
    for (int i = 0; i < 83; ++i)
        name += "東";
    return name;
}

std::string prepareLongNames(RunFolders& run)
{
    run.addPhoto(std::string(250, 'x') + ".jpg");
    run.addPhoto(longCjkName() + ".jpg");
    return {};
}

std::string prepareNoPhoto(RunFolders& run)
{
    std::ofstream(run.photos + "/notes.txt") << "pas une photo";
    run.addPhoto(".cachee.jpg");
    fs::create_directories(run.photos + "/dossier.jpg");
    return {};
}

std::string prepareOnePhoto(RunFolders& run)
{
    run.addPhoto("seule.jpg");
    return {};
}

std::string prepareFolderThroughAFile(RunFolders& run)
{
    std::ofstream(run.dir.file("fichier")) << "pas un dossier";
    run.photos = run.dir.file("fichier") + "/photos";
    return {};
}

std::string prepareUnlistableFolder(RunFolders& run)
{
    if (runningAsRoot())
        return "root reads every folder";
    run.addPhoto("a.jpg");
    fs::permissions(run.photos, fs::perms::owner_write | fs::perms::owner_exec);
    return {};
}

// Listed, but no photo in it can be opened.
std::string prepareUnopenablePhotos(RunFolders& run)
{
    if (runningAsRoot())
        return "root reads every folder";
    run.addPhoto("a.jpg");
    fs::permissions(run.photos, fs::perms::owner_read | fs::perms::owner_write);
    return {};
}

// 64 KiB hold 16 files; the album needs 20. The photos are no JPEG, so the resizer writes
// nothing and only the pages fill the disk, at the same point every time (here and below).
std::string prepareFullDisk(RunFolders& run)
{
    fs::create_directories(run.web);
    run.disk = std::make_unique<SmallDisk>(run.web, "64k");
    const std::string text = "pas une photo";
    run.addPhotos(12, std::vector<std::uint8_t>(text.begin(), text.end()));
    return run.disk->reason();
}

// 16 KiB hold the background and the title frame; the choice frame of 60 long names takes
// some 32 KiB, so its write fills the disk part-way and then fails.
std::string preparePageLargerThanTheRoomLeft(RunFolders& run)
{
    fs::create_directories(run.web);
    run.disk = std::make_unique<SmallDisk>(run.web, "16k");
    std::string legend;
    for (int i = 0; i < 12; ++i)
        legend += "longue-legende-";
    for (int i = 10; i < 70; ++i)
        std::ofstream(run.photos + "/" + legend + std::to_string(i) + ".jpg") << "pas une photo";
    return run.disk->reason();
}

std::string prepareTwentyPhotos(RunFolders& run)
{
    run.addPhotos(20);
    return {};
}

struct RunRow {
    const char* name;
    std::string (*prepare)(RunFolders&); // returns why the row cannot run here, or ""
    std::vector<std::string> options;    // after --photos and --web
    rlim_t fileSizeLimit;
    int status;
    // Fragments of the output and of the error lines; {photos} and {web} stand for the folders.
    std::vector<std::string> outputs;
    std::vector<std::string> errors;
    bool webMade;
    std::vector<std::string> present; // under the web folder
    std::vector<std::string> absent;
    bool complete;                    // every link leads to a file
    void (*more)(const RunFolders&, const Outcome&);
};

const RunRow kRunRows[] = {
    {"NamesThatBreakUrlsAndMarkup", prepareNames, {"--format", "both", "--per-frame", "4"}, RLIM_INFINITY, 0,
     {"album terminé : 46 images vérifiées"}, {}, true,
     {"page00.html", "page02.html", "framec03.html", "jpeg/TOI & MOI.html", "jpeg/A<B>C.JPG"}, {"framec04.html"},
     true, checkNames},
    {"NamesAsLongAsTheSystemAllows", prepareLongNames, {"--format", "both"}, RLIM_INFINITY, 0, {}, {}, true,
     {"jpeg/" + std::string(250, 'X') + ".html", "mini/" + std::string(250, 'X') + ".JPG",
      "jpeg/" + longCjkName() + ".html", "minia/" + longCjkName() + ".JPG"},
     {}, true, nullptr},
    {"NoPhoto", prepareNoPhoto, {}, RLIM_INFINITY, 2, {}, {"aucune photo JPEG (*.jpg) dans « {photos} »"},
     false, {}, {}, false, nullptr},
    {"OnePhoto", prepareOnePhoto, {"--format", "both"}, RLIM_INFINITY, 0,
     {"album terminé : 4 images vérifiées"}, {}, true,
     {"back.gif", "index.html", "frame1.html", "framep.html", "framec00.html", "page00.html", "page01.html",
      "jpeg/SEULE.html", "jpeg/SEULE.JPG", "mini/SEULE.JPG", "minia/SEULE.JPG"},
     {"page02.html", "framec01.html"}, true, nullptr},
    {"PhotoFolderThroughAFile", prepareFolderThroughAFile, {}, RLIM_INFINITY, 2, {},
     {"impossible de lire le dossier « {photos}/ » : un élément du chemin n'est pas un dossier"},
     false, {}, {}, false, nullptr},
    {"PhotoFolderThatCannotBeListed", prepareUnlistableFolder, {}, RLIM_INFINITY, 2, {},
     {"impossible de lire le dossier « {photos}/ » : accès refusé"}, false, {}, {}, false,
     nullptr},
    {"PhotosThatCannotBeOpened", prepareUnopenablePhotos, {}, RLIM_INFINITY, 1, {},
     {"impossible de lire la taille de la photo « {photos}/a.jpg » : accès refusé"}, true,
     {"back.gif", "frame1.html"}, {"framec00.html", "framep.html", "index.html"}, false, nullptr},
    {"WebFolderOnAFullDisk", prepareFullDisk, {"--format", "both"}, RLIM_INFINITY, 1, {},
     {"impossible d'écrire la page « {web}/jpeg/", " : plus de place sur le disque"}, true,
     {"page01.html", "page02.html", "page00.html", "framec00.html", "index.html", "jpeg/PHOTO01.html"},
     {"jpeg/PHOTO12.html"}, false, nullptr},
    {"PageLargerThanTheRoomLeft", preparePageLargerThanTheRoomLeft, {"--one-frame"}, RLIM_INFINITY, 1, {},
     {"impossible d'écrire la page « {web}/framec00.html » : plus de place sur le disque"}, true,
     {"back.gif", "frame1.html"}, {"framec00.html", "framep.html"}, false, nullptr},
    {"FileSizeLimitReached", prepareTwentyPhotos, {"--format", "both", "--background", "colour"}, 2048, 1, {},
     {"impossible d'écrire la page « {web}/framec00.html » : fichier trop grand pour la limite de "
      "taille des fichiers"},
     true, {"page00.html", "page01.html", "page02.html", "page03.html", "frame1.html"},
     {"framec00.html", "framep.html", "index.html"}, false, nullptr},
};

void PrintTo(const RunRow& row, std::ostream* out)
{
    *out << row.name;
}

class GenerationRunRows : public testing::TestWithParam<RunRow> {};

TEST_P(GenerationRunRows, OutcomeAndWholePages)
{
    const RunRow& row = GetParam();
    RunFolders run;
    const std::string skip = row.prepare(run);
    if (!skip.empty())
        GTEST_SKIP() << skip;
    std::vector<std::string> arguments = {"--photos", run.photos, "--web", run.web};
    arguments.insert(arguments.end(), row.options.begin(), row.options.end());
    const Outcome outcome = fixtures::runProgram(fixtures::builtProgram("varnook"), arguments, {row.fileSizeLimit, {}});
    const auto expand = [&](const std::string& text) {
        return replaced(replaced(text, "{photos}", run.photos), "{web}", run.web);
    };

    EXPECT_EQ(outcome.signal, 0);
    EXPECT_EQ(outcome.status, row.status) << outcome.out << outcome.err;
    for (const std::string& fragment : row.outputs)
        EXPECT_TRUE(contains(outcome.out, expand(fragment))) << expand(fragment) << "\n" << outcome.out;
    for (const std::string& fragment : row.errors)
        EXPECT_TRUE(contains(outcome.err, expand(fragment))) << expand(fragment) << "\n" << outcome.err;
    if (row.status != 0) {
        // One line says what stopped the run, in French, naming the program.
        ASSERT_FALSE(outcome.err.empty());
        EXPECT_EQ(outcome.err.rfind("varnook : ", 0), 0u) << outcome.err;
        EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
    }
    if (row.status == 1) {
        // The run's last status says it too, as the window's status line would.
        const std::string message = outcome.err.substr(std::strlen("varnook : "));
        EXPECT_TRUE(outcome.out.size() >= message.size()
                    && outcome.out.compare(outcome.out.size() - message.size(), message.size(), message) == 0)
            << outcome.out;
    }
    if (!row.webMade) {
        EXPECT_FALSE(fs::exists(run.web));
        return;
    }
    for (const std::string& file : row.present)
        EXPECT_TRUE(fs::exists(run.web + "/" + file)) << file;
    for (const std::string& file : row.absent)
        EXPECT_FALSE(fs::exists(run.web + "/" + file)) << file;
    for (const std::string& problem : unwholeFiles(run.web, programFolder()))
        ADD_FAILURE() << problem;
    if (row.complete) {
        for (const std::string& broken : brokenLinks(run.web))
            ADD_FAILURE() << "broken: " << broken;
    }
    if (row.more)
        row.more(run, outcome);
}

INSTANTIATE_TEST_SUITE_P(BadInput, GenerationRunRows, testing::ValuesIn(kRunRows),
                         [](const testing::TestParamInfo<RunRow>& row) { return std::string(row.param.name); });

// The peak memory of a run must not grow with its photos beyond their list: nothing is
// kept per job or per page. The stand-in resizer lets thousands of jobs run in seconds;
// ASan's quarantine is turned off for the run, or memory freed would count as held.
TEST(GenerationRunMemory, PeakDoesNotGrowWithThePhotoCount)
{
    fixtures::TempDir dir;
    const std::string program = dir.file("programme");
    fs::create_directories(program);
    for (const char* file : {"varnook", "back.don", "index.don"}) {
        std::error_code error;
        fs::create_hard_link(fixtures::builtProgram(file), program + "/" + file, error);
        if (error)
            fs::copy_file(fixtures::builtProgram(file), program + "/" + file);
    }
    fs::copy_file(fixtures::builtProgram("stand_in_resizer"), program + "/brunsk");

    struct Measure {
        int photos;
        long peakKilobytes = 0;
        double seconds = 0;
    };
    Measure measures[] = {{200}, {2000}};
    for (Measure& measure : measures) {
        SCOPED_TRACE(measure.photos);
        RunFolders run;
        run.addPhotos(measure.photos);
        const std::string report = run.dir.file("pic");
        const auto start = std::chrono::steady_clock::now();
        const Outcome outcome = fixtures::runProgram(fixtures::builtProgram("peak_memory"),
                                           {report, program + "/varnook", "--photos", run.photos, "--web", run.web,
                                            "--format", "both", "--pace", "jobs"},
                                           {RLIM_INFINITY, "quarantine_size_mb=0:thread_local_quarantine_size_kb=0"});
        measure.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        ASSERT_EQ(outcome.status, 0) << outcome.err;
        measure.peakKilobytes = std::stol(readBytes(report));
        const std::string pictures = std::to_string(3 * measure.photos + 1);
        EXPECT_TRUE(contains(outcome.out, "album terminé : " + pictures + " images vérifiées")) << outcome.out;
        EXPECT_TRUE(unwholeFiles(run.web, program).empty());
        EXPECT_TRUE(brokenLinks(run.web).empty());
    }
    std::printf("pic de mémoire : %ld Kio pour 200 photos (%.1f s), %ld Kio pour 2000 (%.1f s)\n",
                measures[0].peakKilobytes, measures[0].seconds, measures[1].peakKilobytes, measures[1].seconds);
    // The names of 1800 photos take some 100 KiB; a record kept per job would take megabytes.
    EXPECT_LT(measures[1].peakKilobytes - measures[0].peakKilobytes, 1536);
}

// In-process runs, whose launcher writes each job's picture at once (a stand-in for the
// resizer), for what the console does not show: the gauge, the failure's message.
struct EdgeRow {
    const char* name;
    int photos;
    int removePhotosAtLaunch; // the photo folder disappears at this launch (0: never)
    const char* error;        // fragment of the message; nullptr when the run completes
    std::vector<std::string> present;
    std::vector<std::string> absent;
};

void writePicture(const LaunchRequest& request)
{
    std::ofstream(request.arguments.at(2)) << 'x';
}

TEST(GenerationRunEdges, NoPhotoOnePhotoAndAPhotoFolderGoneMidRun)
{
    const EdgeRow rows[] = {
        {"aucune photo", 0, 0, "aucune photo dans « {photos} »", {}, {"jpeg/", "page01.html"}},
        {"une photo", 1, 0, nullptr,
         {"page01.html", "page00.html", "framec00.html", "framep.html", "index.html", "jpeg/P01.html"},
         {"page02.html", "framec01.html"}},
        // The folder goes at the ninth launch, P09's thumbnail, once page01.html is written.
        {"dossier disparu", 10, 9,
         "impossible de lire la taille de la photo « {photos}P09.jpg » : fichier ou dossier introuvable",
         {"back.gif", "page01.html", "mini/P08.JPG"}, {"page02.html", "page00.html", "minia/"}},
    };
    for (const EdgeRow& row : rows) {
        SCOPED_TRACE(row.name);
        album_testing::Album album;
        album.addNumberedPhotos(row.photos);
        album.settings.pageFormat = PageFormat::both;
        album.launcher.onLaunch = [&](const LaunchRequest& request) {
            writePicture(request);
            if (static_cast<int>(album.launcher.launches.size()) + 1 == row.removePhotosAtLaunch)
                fs::remove_all(album.photos);
        };
        std::string message;
        try {
            album.run();
        } catch (const GenerationError& error) {
            message = error.what();
        }
        if (row.error) {
            EXPECT_TRUE(contains(message, replaced(row.error, "{photos}", album.photos))) << message;
            EXPECT_EQ(album.host.statuses.back(), message);
        } else {
            EXPECT_EQ(message, "");
            EXPECT_EQ(album.host.statuses.back(), kRunEndStatus);
            for (const std::string& broken : brokenLinks(album.web))
                ADD_FAILURE() << "broken: " << broken;
        }
        EXPECT_EQ(album.host.busy, (std::vector<bool>{true, false}));
        // The gauge counts every launch once, against the whole run's jobs.
        for (std::size_t i = 0; i < album.host.progress.size(); ++i)
            EXPECT_EQ(album.host.progress[i], std::make_pair(static_cast<int>(i) + 1, 3 * row.photos));
        EXPECT_EQ(album.host.progress.size(), album.launcher.launches.size());
        for (const std::string& file : row.present)
            EXPECT_TRUE(fs::exists(album.web + file)) << file;
        for (const std::string& file : row.absent)
            EXPECT_FALSE(fs::exists(album.web + file)) << file;
        for (const std::string& problem : unwholeFiles(album.web, album.program))
            ADD_FAILURE() << problem;
    }
}

std::string numbered(const char* prefix, int number, const char* suffix)
{
    return prefix + pageNumberText(number) + suffix;
}

// The links of a page that lead to photo pages, in order.
std::vector<std::string> photoPageLinks(const std::string& page)
{
    std::vector<std::string> found;
    for (const std::string& link : pageLinks(page)) {
        if (link.rfind("jpeg/", 0) == 0)
            found.push_back(trimmed(link));
    }
    return found;
}

TEST(GenerationRunEdges, TwoThousandPhotosKeepPagesAndCountersRight)
{
    constexpr int kPhotos = 2000;
    album_testing::Album album;
    std::vector<std::string> photoPages;
    for (int i = 1; i <= kPhotos; ++i) {
        std::string number = std::to_string(i);
        number.insert(0, 4 - number.size(), '0');
        album.addPhoto("photo" + number + ".jpg");
        photoPages.push_back("jpeg/PHOTO" + number + ".html");
    }
    album.settings.pageFormat = PageFormat::both;
    album.launcher.onLaunch = writePicture;
    album.run();

    // Every job counted once on the gauge, in order, against the 6000 of the run.
    ASSERT_EQ(album.host.progress.size(), 3u * kPhotos);
    for (int i = 0; i < 3 * kPhotos; ++i)
        ASSERT_EQ(album.host.progress[static_cast<std::size_t>(i)], std::make_pair(i + 1, 3 * kPhotos)) << i;
    // Thumbnails, then choice-frame thumbnails, then web-sized copies, each in photo order.
    const std::vector<std::string> outputs = album.launcher.outputs();
    for (int i = 0; i < kPhotos; ++i) {
        const std::string name = photoPages[static_cast<std::size_t>(i)].substr(5, 9) + ".JPG";
        ASSERT_EQ(outputs[static_cast<std::size_t>(i)], album.web + "mini/" + name);
        ASSERT_EQ(outputs[static_cast<std::size_t>(kPhotos + i)], album.web + "minia/" + name);
        ASSERT_EQ(outputs[static_cast<std::size_t>(2 * kPhotos + i)], album.web + "jpeg/" + name);
    }

    // 250 pages of eight, three-digit names from page100.html, and the empty closing page.
    constexpr int kPages = kPhotos / 8;
    std::vector<std::string> startLinks;
    for (const std::string& link : pageLinks(album.page("page00.html"))) {
        if (link.find("page") != std::string::npos)
            startLinks.push_back(trimmed(link));
    }
    std::vector<std::string> expectedStart;
    for (int n = 1; n <= kPages; ++n)
        expectedStart.push_back(numbered("page", n, ".html"));
    EXPECT_EQ(startLinks, expectedStart);
    std::vector<std::string> shown;
    for (int n = 1; n <= kPages; ++n) {
        SCOPED_TRACE(n);
        const std::vector<std::string> links = pageLinks(album.page(numbered("page", n, ".html")));
        const std::vector<std::string> photos = photoPageLinks(album.page(numbered("page", n, ".html")));
        ASSERT_EQ(photos.size(), 8u);
        shown.insert(shown.end(), photos.begin(), photos.end());
        // The page ends with its links back, to the start and forward.
        std::vector<std::string> expected;
        if (n > 1)
            expected.push_back(numbered("page", n - 1, ".html"));
        expected.push_back("page00.html");
        if (n < kPages)
            expected.push_back(numbered("page", n + 1, ".html"));
        std::vector<std::string> navigation;
        for (auto it = links.end() - static_cast<std::ptrdiff_t>(expected.size()); it != links.end(); ++it)
            navigation.push_back(trimmed(*it));
        EXPECT_EQ(navigation, expected);
    }
    EXPECT_EQ(shown, photoPages);
    EXPECT_TRUE(photoPageLinks(album.page(numbered("page", kPages + 1, ".html"))).empty());
    EXPECT_FALSE(fs::exists(album.web + numbered("page", kPages + 2, ".html")));
    EXPECT_TRUE(contains(album.page("page100.html"), "<title>page100</title>"));

    // 125 choice frames of sixteen, chained both ways.
    constexpr int kFrames = kPhotos / 16;
    shown.clear();
    for (int k = 0; k < kFrames; ++k) {
        SCOPED_TRACE(k);
        const std::string frame = album.page(numbered("framec", k, ".html"));
        const std::vector<std::string> photos = photoPageLinks(frame);
        ASSERT_EQ(photos.size(), 16u);
        shown.insert(shown.end(), photos.begin(), photos.end());
        const std::string back = "href= \"" + numbered("framec", k - 1, ".html") + "\" >pr\xE9" "c\xE9" "dentes";
        const std::string forward = "href= \"" + numbered("framec", k + 1, ".html") + "\" >suivantes";
        EXPECT_EQ(contains(frame, back), k > 0);
        EXPECT_EQ(contains(frame, forward), k + 1 < kFrames);
    }
    EXPECT_EQ(shown, photoPages);
    EXPECT_FALSE(fs::exists(album.web + numbered("framec", kFrames, ".html")));
    EXPECT_TRUE(contains(album.page("framep.html"), "src=\"jpeg/PHOTO0001.html\""));

    EXPECT_TRUE(std::find(album.host.statuses.begin(), album.host.statuses.end(),
                          "création des pages miniatures  250")
                != album.host.statuses.end());
    EXPECT_EQ(album.host.statuses.back(), kRunEndStatus);
    for (const std::string& problem : unwholeFiles(album.web, album.program))
        ADD_FAILURE() << problem;
    for (const std::string& broken : brokenLinks(album.web))
        ADD_FAILURE() << "broken: " << broken;
}

} // namespace
