#include "jpeg_fixtures.h"
#include "process.h"
#include "resize_job.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

using fixtures::JpegRecipe;
using fixtures::ProcessResult;
using fixtures::TempDir;

namespace {

const std::string kBanner = "Quillot JPEG Resizer CMD 0.1\r\n";

ProcessResult brunsk(const std::vector<std::string>& args)
{
    return fixtures::runProgram(fixtures::builtProgram("brunsk"), args);
}

std::vector<std::string> folderEntries(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(TargetSize, LongerSideBecomesTheSize)
{
    struct Case {
        int width, height, size;
        std::int64_t expectedWidth, expectedHeight;
    } cases[] = {
        {3000, 2000, 640, 640, 427}, // 426.67 rounds up
        {2000, 3000, 640, 427, 640},
        {1000, 1000, 640, 640, 640},
        {1280, 853, 640, 640, 426}, // 426.5 goes to the even 426
        {100, 50, 640, 640, 320},   // enlarged
        {1000, 1, 640, 640, 1},
        {1000, 1, 120, 120, 0}, // 0.12 rounds to 0: a target without pixels
        {5, 3, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const auto t = resizer::targetSize(c.width, c.height, c.size);
        EXPECT_EQ(t.width, c.expectedWidth) << c.width << "x" << c.height << " at " << c.size;
        EXPECT_EQ(t.height, c.expectedHeight) << c.width << "x" << c.height << " at " << c.size;
    }
}

TEST(SizeArgument, DecimalAndHexadecimalWithinThirtyTwoBits)
{
    struct Case {
        const char* text;
        std::optional<std::int32_t> expected;
    } cases[] = {
        {"640", 640}, {"  640", 640}, {"+640", 640}, {"-5", -5}, {"0", 0}, {"$280", 640},
        {"0x280", 640}, {"0XfF", 255}, {"-$10", -16}, {"2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<std::int32_t>::min()}, {"$7FFFFFFF", 2147483647},
        {"2147483648", std::nullopt}, {"$80000000", std::nullopt}, {"99999999999999999999", std::nullopt},
        {"", std::nullopt}, {" ", std::nullopt}, {"abc", std::nullopt}, {"64a", std::nullopt},
        {"640 ", std::nullopt}, {"6 40", std::nullopt}, {"$", std::nullopt}, {"0x", std::nullopt},
        {"--5", std::nullopt}, {"1e3", std::nullopt}, {"12.5", std::nullopt}, {"$g", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(resizer::parseSizeArgument(c.text), c.expected) << "'" << c.text << "'";
}

TEST(BrunskCommandLine, BannerUsageAndArgumentCounts)
{
    const ProcessResult none = brunsk({});
    EXPECT_EQ(none.out, kBanner + "Usage: brunsk [size] [input] [output]\r\n"
                                  "Example: brunsk 640 input.jpg output.jpg\r\n");
    EXPECT_EQ(none.status, 0);

    for (const auto& args : std::vector<std::vector<std::string>>{{"640"}, {"640", "a.jpg"}, {"1", "2", "3", "4"}}) {
        const ProcessResult r = brunsk(args);
        EXPECT_EQ(r.out, kBanner) << args.size() << " arguments";
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.status, 2) << args.size() << " arguments";
    }

    const ProcessResult help = brunsk({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind(kBanner + "Usage: brunsk [size] [input] [output]\r\n", 0), 0u);
}

TEST(BrunskCommandLine, SizeThatIsNotAnIntegerStopsBeforeAnyFile)
{
    TempDir dir;
    fixtures::writeFile(dir.file("in.jpg"), fixtures::makeJpeg({}));
    for (const std::string size : {"abc", "64a", "", "4294967296"}) {
        const ProcessResult r = brunsk({size, dir.file("in.jpg"), dir.file("out.jpg")});
        EXPECT_EQ(r.out, kBanner);
        EXPECT_NE(r.err.find("'" + size + "' is not a valid integer value"), std::string::npos) << r.err;
        EXPECT_EQ(r.status, 1);
        EXPECT_FALSE(std::filesystem::exists(dir.file("out.jpg")));
    }
}

TEST(BrunskJob, ResizesWithTheExpectedLinesAndSettings)
{
    TempDir dir;
    // A quoted path with blanks arrives as one argument; the messages show its last part.
    const std::string folder = dir.file("mes photos");
    std::filesystem::create_directory(folder);
    const std::string input = folder + "/vue de la mer.jpg";
    fixtures::writeFile(input, fixtures::makeJpeg({.width = 300, .height = 200}));

    const ProcessResult r = brunsk({"160", input, folder + "/petite vue.jpg"});
    EXPECT_EQ(r.out, kBanner + "Successfully resized vue de la mer.jpg.\r\n");
    EXPECT_EQ(r.status, 0);

    const auto facts = fixtures::inspectJpeg(fixtures::readFile(folder + "/petite vue.jpg"));
    EXPECT_EQ(facts.width, 160);
    EXPECT_EQ(facts.height, 107);
    EXPECT_EQ(facts.components, 3);
    EXPECT_FALSE(facts.progressive);
    // Quality 90 scales the first luminance coefficient 16 to 3; chroma subsampled 2x2.
    EXPECT_EQ(facts.firstQuantValue, 3);
    EXPECT_EQ(facts.lumaSampling, 2);
    EXPECT_EQ(facts.lumaVSampling, 2);
    EXPECT_EQ(folderEntries(folder), (std::vector<std::string>{"petite vue.jpg", "vue de la mer.jpg"}));
}

TEST(BrunskJob, ProgressionAndGreyFollowTheInput)
{
    TempDir dir;
    struct Case {
        const char* name;
        JpegRecipe recipe;
        bool progressive;
    } cases[] = {
        {"baseline", {.width = 90, .height = 120}, false},
        {"progressive", {.width = 90, .height = 120, .progressive = true}, true},
        {"grey", {.width = 90, .height = 120, .grey = true}, false},
        {"grey progressive", {.width = 90, .height = 120, .grey = true, .progressive = true}, true},
        {"restart markers", {.width = 90, .height = 120, .restartInterval = 1}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fixtures::writeFile(dir.file("in.jpg"), fixtures::makeJpeg(c.recipe));
        const ProcessResult r = brunsk({"60", dir.file("in.jpg"), dir.file("out.jpg")});
        ASSERT_EQ(r.status, 0) << r.out;
        const auto facts = fixtures::inspectJpeg(fixtures::readFile(dir.file("out.jpg")));
        EXPECT_EQ(facts.width, 45);
        EXPECT_EQ(facts.height, 60);
        EXPECT_EQ(facts.components, 3);
        EXPECT_EQ(facts.progressive, c.progressive);
        if (c.recipe.grey) {
            // Grey input gives grey pixels: the encoder's chroma is flat, so R, G and B
            // decode within a step of each other.
            for (std::size_t i = 0; i < facts.rgb.size(); i += 3) {
                ASSERT_NEAR(facts.rgb[i], facts.rgb[i + 1], 1);
                ASSERT_NEAR(facts.rgb[i], facts.rgb[i + 2], 1);
            }
        }
    }
}

TEST(BrunskJob, InputMayBeTheOutput)
{
    TempDir dir;
    fixtures::writeFile(dir.file("photo.jpg"), fixtures::makeJpeg({.width = 200, .height = 100}));
    const ProcessResult r = brunsk({"50", dir.file("photo.jpg"), dir.file("photo.jpg")});
    EXPECT_EQ(r.status, 0);
    const auto facts = fixtures::inspectJpeg(fixtures::readFile(dir.file("photo.jpg")));
    EXPECT_EQ(facts.width, 50);
    EXPECT_EQ(facts.height, 25);
    EXPECT_EQ(folderEntries(dir.path()), std::vector<std::string>{"photo.jpg"});
}

TEST(BrunskJob, TruncatedInputs)
{
    // Cut before the image data, the header is incomplete: the job fails. Cut anywhere in
    // the data, the library warns (silently) and fills the rest: the job succeeds.
    TempDir dir;
    for (bool progressive : {false, true}) {
        const auto whole = fixtures::makeJpeg({.width = 128, .height = 96, .progressive = progressive, .quality = 95});
        std::size_t scanStart = 0;
        for (std::size_t i = 0; i + 1 < whole.size(); ++i)
            if (whole[i] == 0xFF && whole[i + 1] == 0xDA) {
                scanStart = i;
                break;
            }
        ASSERT_GT(scanStart, 0u);
        struct Cut {
            std::size_t length;
            bool resizes;
        } cuts[] = {
            {2, false}, {20, false}, {scanStart, false}, {scanStart + 20, true},
            {whole.size() / 2, true}, {whole.size() * 9 / 10, true}, {whole.size() - 2, true},
        };
        for (const Cut& cut : cuts) {
            SCOPED_TRACE(testing::Message() << (progressive ? "progressive" : "baseline") << " cut at " << cut.length
                                            << " of " << whole.size());
            fixtures::writeFile(dir.file("cut.jpg"), {whole.begin(), whole.begin() + long(cut.length)});
            std::filesystem::remove(dir.file("out.jpg"));
            const ProcessResult r = brunsk({"64", dir.file("cut.jpg"), dir.file("out.jpg")});
            EXPECT_EQ(r.out, kBanner + (cut.resizes ? "Successfully resized cut.jpg.\r\n" : "Failed to resize cut.jpg!\r\n"));
            EXPECT_EQ(r.err, ""); // the library's warnings stay silent
            EXPECT_EQ(r.status, cut.resizes ? 0 : 1);
            EXPECT_EQ(std::filesystem::exists(dir.file("out.jpg")), cut.resizes);
            if (cut.resizes) {
                const auto facts = fixtures::inspectJpeg(fixtures::readFile(dir.file("out.jpg")));
                EXPECT_EQ(facts.width, 64);
                EXPECT_EQ(facts.height, 48);
                EXPECT_EQ(facts.progressive, progressive);
            }
        }
    }
}

TEST(BrunskJob, FailuresKeepAnExistingOutputAndLeaveNoStrayFile)
{
    TempDir dir;
    const auto good = fixtures::makeJpeg({.width = 40, .height = 30});
    fixtures::writeFile(dir.file("good.jpg"), good);
    fixtures::writeFile(dir.file("empty.jpg"), {});
    fixtures::writeFile(dir.file("text.jpg"), {'h', 'e', 'l', 'l', 'o'});
    fixtures::writeFile(dir.file("png.jpg"), {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13});
    std::vector<std::uint8_t> headerOnly(good.begin(), good.begin() + 20);
    fixtures::writeFile(dir.file("header.jpg"), headerOnly);
    std::filesystem::create_directory(dir.file("folder.jpg"));

    // A header that claims 65500 x 65500 (12 GiB of pixels) is refused before decoding.
    auto bomb = fixtures::makeJpeg({.width = 16, .height = 16});
    for (std::size_t i = 0; i + 8 < bomb.size(); ++i)
        if (bomb[i] == 0xFF && bomb[i + 1] == 0xC0) {
            bomb[i + 5] = bomb[i + 7] = 0xFF;
            bomb[i + 6] = bomb[i + 8] = 0xDC;
            break;
        }
    fixtures::writeFile(dir.file("bomb.jpg"), bomb);

    const std::vector<std::uint8_t> previous = {'o', 'l', 'd'};
    struct Case {
        std::string size, input, output;
    } cases[] = {
        {"64", "missing.jpg", "out.jpg"},
        {"64", "empty.jpg", "out.jpg"},
        {"64", "text.jpg", "out.jpg"},
        {"64", "png.jpg", "out.jpg"},
        {"64", "header.jpg", "out.jpg"},
        {"64", "folder.jpg", "out.jpg"},
        {"64", "bomb.jpg", "out.jpg"},
        {"1", "good.jpg", "out.jpg"},      // 1 x 1 from 40 x 30: a scale factor of 0
        {"0", "good.jpg", "out.jpg"},      // no pixels
        {"-640", "good.jpg", "out.jpg"},
        {"70000", "good.jpg", "out.jpg"},  // beyond what JPEG can hold
        {"64", "good.jpg", "no-such-folder/out.jpg"},
        {"64", "good.jpg", "folder.jpg"},  // the output is a folder
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input + " -> " + c.output + " at " + c.size);
        fixtures::writeFile(dir.file("out.jpg"), previous);
        const ProcessResult r = brunsk({c.size, dir.file(c.input), dir.file(c.output)});
        EXPECT_EQ(r.out, kBanner + "Failed to resize " + c.input + "!\r\n");
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(fixtures::readFile(dir.file("out.jpg")), previous);
        EXPECT_EQ(folderEntries(dir.path()),
                  (std::vector<std::string>{"bomb.jpg", "empty.jpg", "folder.jpg", "good.jpg", "header.jpg",
                                            "out.jpg", "png.jpg", "text.jpg"}));
    }
}

TEST(BrunskJob, UnwritableFolderFails)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    TempDir dir;
    fixtures::writeFile(dir.file("in.jpg"), fixtures::makeJpeg({}));
    std::filesystem::create_directory(dir.file("locked"));
    ::chmod(dir.file("locked").c_str(), 0555);
    const ProcessResult r = brunsk({"32", dir.file("in.jpg"), dir.file("locked/out.jpg")});
    EXPECT_EQ(r.out, kBanner + "Failed to resize in.jpg!\r\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(folderEntries(dir.file("locked")).empty());
}

TEST(BrunskJob, FuzzFindingsStayFixed)
{
    // Each file is an input that once crashed, hung or leaked: its first byte picked the
    // target side as in the fuzz target; the rest is the JPEG. A clean refusal is fine.
    const std::int32_t sides[] = {1, 2, 3, 7, 17, 32, 64, 120};
    for (const auto& entry : std::filesystem::directory_iterator(VARNOOK_SOURCE_DIR "/fuzz/regressions")) {
        if (!entry.is_regular_file() || entry.path().filename() == "README")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        const auto bytes = fixtures::readFile(entry.path().string());
        if (bytes.empty())
            continue;
        try {
            (void)resizer::resizeJpeg(bytes.data() + 1, bytes.size() - 1, sides[bytes[0] % 8], std::int64_t(1) << 22);
        } catch (const std::exception&) {
        }
    }
}

TEST(BrunskJob, ThinAndTinyImagesAtEverySize)
{
    // Rows: source shape, size, and the result (0 x 0: the failure line). A shorter side
    // rounding to 0 has no pixels; rounding to 1 from a longer side has a scale of 0.
    struct Case {
        int width, height, size, expectedWidth, expectedHeight;
    } cases[] = {
        {1, 1, 120, 120, 120},  {1, 1, 160, 160, 160},  {1, 1, 640, 640, 640},
        {1, 200, 120, 1, 120},  {1, 200, 160, 1, 160},  {1, 200, 640, 3, 640},
        {200, 1, 120, 120, 1},  {200, 1, 160, 160, 1},  {200, 1, 640, 640, 3},
        {1, 300, 120, 0, 0},    {400, 1, 160, 0, 0},    {3, 400, 120, 0, 0},
        {400, 3, 160, 0, 0},    {17, 3, 640, 640, 113}, {3, 17, 120, 21, 120},
        {2, 1, 640, 640, 320},  {1, 2, 120, 60, 120},
    };
    TempDir dir;
    for (const Case& c : cases) {
        const std::string label = std::to_string(c.width) + "x" + std::to_string(c.height);
        SCOPED_TRACE(label + " at " + std::to_string(c.size));
        fixtures::writeFile(dir.file(label + ".jpg"), fixtures::makeJpeg({.width = c.width, .height = c.height}));
        std::filesystem::remove(dir.file("out.jpg"));
        const ProcessResult r = brunsk({std::to_string(c.size), dir.file(label + ".jpg"), dir.file("out.jpg")});
        if (c.expectedWidth == 0) {
            EXPECT_EQ(r.out, kBanner + "Failed to resize " + label + ".jpg!\r\n");
            EXPECT_EQ(r.status, 1);
            EXPECT_FALSE(std::filesystem::exists(dir.file("out.jpg")));
        } else {
            EXPECT_EQ(r.out, kBanner + "Successfully resized " + label + ".jpg.\r\n");
            EXPECT_EQ(r.status, 0);
            const auto facts = fixtures::inspectJpeg(fixtures::readFile(dir.file("out.jpg")));
            EXPECT_EQ(facts.width, c.expectedWidth);
            EXPECT_EQ(facts.height, c.expectedHeight);
        }
    }
}

TEST(BrunskJob, EncodingsTheLibraryRefusesOrAccepts)
{
    TempDir dir;
    auto twelveBit = fixtures::makeJpeg({.width = 16, .height = 16});
    for (std::size_t i = 0; i + 4 < twelveBit.size(); ++i)
        if (twelveBit[i] == 0xFF && twelveBit[i + 1] == 0xC0) {
            twelveBit[i + 4] = 12; // sample precision
            break;
        }
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        bool resizes;
    } cases[] = {
        {"cmyk.jpg", fixtures::makeJpeg({.width = 32, .height = 16, .cmyk = true}), false},
        {"twelve.jpg", twelveBit, false},
        {"arithmetic.jpg", fixtures::makeJpeg({.width = 32, .height = 16, .arithmetic = true}), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fixtures::writeFile(dir.file(c.name), c.bytes);
        std::filesystem::remove(dir.file("out.jpg"));
        const ProcessResult r = brunsk({"64", dir.file(c.name), dir.file("out.jpg")});
        EXPECT_EQ(r.out, kBanner + (c.resizes ? "Successfully resized " + std::string(c.name) + ".\r\n"
                                              : "Failed to resize " + std::string(c.name) + "!\r\n"));
        EXPECT_EQ(r.status, c.resizes ? 0 : 1);
        EXPECT_EQ(std::filesystem::exists(dir.file("out.jpg")), c.resizes);
    }
}

TEST(BrunskJob, FileSizeLimitFailsCleanly)
{
    // Under a limit smaller than the result, the write fails: the failure line, status 1,
    // and neither a partial output nor a temporary file left behind.
    TempDir dir;
    fixtures::writeFile(dir.file("in.jpg"), fixtures::makeJpeg({.width = 400, .height = 300, .quality = 95}));
    const ProcessResult r = fixtures::runProgram(
        "/bin/sh", {"-c", "ulimit -f 4 && exec \"$0\" 400 \"$1\" \"$2\"", fixtures::builtProgram("brunsk"),
                    dir.file("in.jpg"), dir.file("out.jpg")});
    EXPECT_EQ(r.out, kBanner + "Failed to resize in.jpg!\r\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(folderEntries(dir.path()), std::vector<std::string>{"in.jpg"});
}

TEST(BrunskJob, FolderThatRefusesFilesFails)
{
    // /proc refuses new files even to root, unlike a folder without write permission.
    TempDir dir;
    fixtures::writeFile(dir.file("in.jpg"), fixtures::makeJpeg({}));
    const ProcessResult r = brunsk({"32", dir.file("in.jpg"), "/proc/out.jpg"});
    EXPECT_EQ(r.out, kBanner + "Failed to resize in.jpg!\r\n");
    EXPECT_EQ(r.status, 1);
}
