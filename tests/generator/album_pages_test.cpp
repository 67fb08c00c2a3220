#include "album_fixture.h"
#include "choice_frames.h"
#include "page_literals.h"
#include "photo_pages.h"
#include "thumbnail_pages.h"
#include "title_frame.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace generator;
namespace L = literals;

namespace {

std::string numbered(int i)
{
    return (i < 10 ? "P0" : "P") + std::to_string(i);
}

std::string times(int count, const std::string& text)
{
    std::string out;
    for (int i = 0; i < count; ++i)
        out += text;
    return out;
}

// Expected thumbnail-page pieces, from the literals.
std::string thumbOpening(const std::string& title, const std::string& colour = "FFFFFF")
{
    return std::string(L::ThumbHeadOpen) + title + L::ThumbBodyOpen + colour + L::ThumbCenterOpen + L::CenterOpen + title
        + L::CenterClose + L::ThumbTableOpen;
}

std::string thumbCell(const std::string& stem, const std::string& original = " ", const std::string& highRes = " ")
{
    return std::string(L::ThumbCellOpen) + stem + ".html" + L::ThumbImageOpen + "mini/" + stem + ".JPG"
        + L::ThumbImageClose + stem + ".JPG" + original + highRes + L::ThumbCellClose;
}

std::string thumbCells(int first, int last)
{
    std::string out;
    for (int i = first; i <= last; ++i)
        out += thumbCell(numbered(i));
    return out;
}

std::string backLink(const std::string& page)
{
    return std::string(L::NavPreviousOpen) + page + L::NavPreviousClose;
}

std::string nextLink(const std::string& page)
{
    return std::string(L::NavNextOpen) + page + L::NavNextClose;
}

std::string fullPage(int n, int firstPhoto, const std::string& back, const std::string& forward)
{
    return thumbOpening("page0" + std::to_string(n)) + thumbCells(firstPhoto, firstPhoto + 3) + L::RowClose + L::RowOpen
        + thumbCells(firstPhoto + 4, firstPhoto + 7) + L::RowClose + L::TableClose + back + forward + L::CRLF;
}

std::string closingPage(int m, int firstPhoto, int photos, const std::string& back)
{
    return thumbOpening("page0" + std::to_string(m)) + thumbCells(firstPhoto, firstPhoto + photos - 1)
        + times(8 - photos, L::EmptyCell) + L::RowClose + L::TableClose + backLink(back) + L::NavCenterClose
        + L::PageEnd + L::CRLF;
}

std::string startPage(const std::string& links, const std::string& sentences = "  ", const std::string& title = "mes vacances 2001")
{
    return std::string(L::ThumbHeadOpen) + "page00" + L::ThumbBodyOpen + "FFFFFF" + L::ThumbCenterOpen + L::AlbumHeading
        + L::TitleOpen + title + L::TitleClose + L::ThumbTableOpen + sentences + links + L::RowClose + L::TableClose
        + L::LinksOpen + L::AuthorLinks + L::LinksPageEnd + L::CRLF;
}

std::string pageLink(int i)
{
    const std::string name = "page0" + std::to_string(i);
    return std::string(L::LinkCellOpen) + name + ".html" + L::LinkCellMiddle + name + L::LinkCellClose;
}

TEST(PhotoPages, ExamplePageOfImg01)
{
    album_testing::Album album;
    album.addPhoto("Img_01.jpg");
    RunContext run = album.context();
    g_photo(run);
    EXPECT_EQ(album.page("jpeg/IMG_01.html"),
              "<html><head><title>IMG_01.JPG</title></head><body background=\"../back.gif\"  "
              "bgcolor=\"#FFFFFF\"><center>IMG_01.JPG<p><img SRC=\"  IMG_01.JPG \"  ><br>  "
              "</center></body></html>\r\n");
    ASSERT_EQ(album.launcher.launches.size(), 1u);
    EXPECT_EQ(album.launcher.launches[0].arguments,
              (std::vector<std::string>{"640", album.photos + "Img_01.jpg", album.web + "jpeg/IMG_01.JPG"}));
    EXPECT_EQ(album.pacing.units, (std::vector<int>{8}));
}

TEST(PhotoPages, CaseFlagsAndPauseUnits)
{
    album_testing::Album album;
    album.addPhoto("Img_01.JPG", 800001);
    album.addPhoto("Img_02.jpg", 800000);
    album.settings.upperCaseExtension = false;
    RunContext run = album.context();
    g_photo(run);
    EXPECT_EQ(album.page("jpeg/IMG_01.html"),
              std::string(L::PhotoHeadOpen) + "IMG_01.jpg" + L::PhotoBodyOpen + "FFFFFF" + L::PhotoCenterOpen
                  + "IMG_01.jpg" + L::PhotoImageOpen + "IMG_01.jpg" + L::PhotoImageClose + "  " + L::PhotoPageEnd
                  + L::CRLF);
    EXPECT_EQ(album.pacing.units, (std::vector<int>{40, 8}));
    EXPECT_EQ(album.launcher.outputs(),
              (std::vector<std::string>{album.web + "jpeg/IMG_01.jpg", album.web + "jpeg/IMG_02.jpg"}));
}

struct ThumbnailCase {
    int photos;
    std::vector<std::pair<std::string, std::string>> pages; // file name, expected text
};

TEST(ThumbnailPages, WholePagesFor1And8And9And16Photos)
{
    const std::string none;
    const ThumbnailCase cases[] = {
        {1,
         {{"page01.html", closingPage(1, 1, 1, "page01.html")},
          {"page00.html", startPage(pageLink(1))}}},
        {8,
         {{"page01.html", fullPage(1, 1, L::NavStartOnly, std::string(L::NavCenterClose) + L::PageEnd)},
          {"page02.html", closingPage(2, 9, 0, "page01.html")},
          {"page00.html", startPage(pageLink(1))}}},
        {9,
         {{"page01.html", fullPage(1, 1, L::NavStartOnly, nextLink("page02.html") + L::PageEnd)},
          {"page02.html", closingPage(2, 9, 1, "page01.html")},
          {"page00.html", startPage(pageLink(1) + pageLink(2))}}},
        {16,
         {{"page01.html", fullPage(1, 1, L::NavStartOnly, nextLink("page02.html") + L::PageEnd)},
          {"page02.html", fullPage(2, 9, backLink("page01.html"), std::string(L::NavCenterClose) + L::PageEnd)},
          {"page03.html", closingPage(3, 17, 0, "page02.html")},
          {"page00.html", startPage(pageLink(1) + pageLink(2))}}},
    };
    for (const ThumbnailCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.photos) + " photos");
        album_testing::Album album;
        album.addNumberedPhotos(c.photos);
        RunContext run = album.context();
        ThumbnailPages(run);
        std::vector<std::string> expectedFiles = {"jpeg/", "mini/", "minia/"};
        for (const auto& [name, text] : c.pages) {
            EXPECT_EQ(album.page(name), text) << name;
            expectedFiles.push_back(name);
        }
        std::sort(expectedFiles.begin(), expectedFiles.end());
        EXPECT_EQ(album.files(), expectedFiles);
        EXPECT_EQ(album.launcher.launches.size(), static_cast<std::size_t>(c.photos));
    }
}

TEST(ThumbnailPages, StartPageEndsOnAnEmptyRowAfterAMultipleOfFour)
{
    album_testing::Album album;
    album.addNumberedPhotos(32);
    RunContext run = album.context();
    ThumbnailPages(run);
    const std::string links = pageLink(1) + pageLink(2) + pageLink(3) + pageLink(4) + L::RowClose + L::RowOpen;
    EXPECT_EQ(album.page("page00.html"), startPage(links));
    EXPECT_EQ(album.page("page04.html"), fullPage(4, 25, backLink("page03.html"), std::string(L::NavCenterClose) + L::PageEnd));
}

TEST(ThumbnailPages, LaunchesAndPausesByRowAndPhotoSize)
{
    album_testing::Album album;
    // First row: small, large; second row: large at the fifth place; closing page: a large one.
    const std::uintmax_t large = 800001;
    const std::uintmax_t sizes[] = {800000, large, 10, 10, large, 10, 10, 10, large, 10};
    for (int i = 0; i < 10; ++i)
        album.addPhoto(numbered(i + 1) + ".jpg", sizes[i]);
    RunContext run = album.context();
    ThumbnailPages(run);
    EXPECT_EQ(album.pacing.units, (std::vector<int>{9, 45, 9, 9, 50, 10, 10, 10, 50, 10}));
    ASSERT_EQ(album.launcher.launches.size(), 10u);
    EXPECT_EQ(album.launcher.launches[0].arguments,
              (std::vector<std::string>{"160", album.photos + "P01.jpg", album.web + "mini/P01.JPG"}));
    EXPECT_EQ(album.host.statuses.front(), " cr\xC3\xA9" "ation miniature P01.JPG");
    EXPECT_NE(std::find(album.host.statuses.begin(), album.host.statuses.end(),
                        "cr\xC3\xA9" "ation des pages miniatures  1"),
              album.host.statuses.end());
}

TEST(FtpLinks, BlanksAroundTheAddressAreTrimmedInLinksAndKeptInText)
{
    album_testing::Album album;
    album.addNumberedPhotos(9);
    album.settings.linkOriginal = true;
    album.settings.originalUrl = "  ftp://h/o/ ";
    album.settings.linkHighRes = true;
    album.settings.highResUrl = " ftp://h/r/  ";
    RunContext run = album.context();
    ThumbnailPages(run);
    g_photo(run);

    const auto original = [](const std::string& stem, const char* end) {
        return "<br><a href=\"ftp://h/o/" + stem + ".JPG\">Originale (FTP)</a>" + end;
    };
    const auto highRes = [](const std::string& stem, const char* end) {
        return "<br><a href=\"ftp://h/r/" + stem + ".JPG\">R\xE9solution + (FTP)</a>" + end;
    };
    std::string firstRow;
    std::string secondRow;
    for (int i = 1; i <= 4; ++i)
        firstRow += thumbCell(numbered(i), original(numbered(i), " "), highRes(numbered(i), " "));
    for (int i = 5; i <= 8; ++i)
        secondRow += thumbCell(numbered(i), original(numbered(i), ""), highRes(numbered(i), ""));
    EXPECT_EQ(album.page("page01.html"), thumbOpening("page01") + firstRow + L::RowClose + L::RowOpen + secondRow
                                             + L::RowClose + L::TableClose + L::NavStartOnly
                                             + nextLink("page02.html") + L::PageEnd + L::CRLF);

    const std::string sentences = "<br><br><center><a href=\"ftp://h/o/\">le lien FTP des photos originales est :   "
                                  "ftp://h/o/ <br>"
                                  "<br><center><a href=\"ftp://h/r/\">le lien FTP des photos de  r\xE9solution  "
                                  "interm\xE9" "diare est :  ftp://h/r/  <br><br>";
    EXPECT_EQ(album.page("page00.html"), startPage(pageLink(1) + pageLink(2), sentences));

    // The photo page lists the better resolution first.
    EXPECT_EQ(album.page("jpeg/P03.html"),
              std::string(L::PhotoHeadOpen) + "P03.JPG" + L::PhotoBodyOpen + "FFFFFF" + L::PhotoCenterOpen + "P03.JPG"
                  + L::PhotoImageOpen + "P03.JPG" + L::PhotoImageClose + highRes("P03", " ") + original("P03", " ")
                  + L::PhotoPageEnd + L::CRLF);
}

TEST(FtpLinks, EmptyAddressLinksToThePictureBesideThePage)
{
    album_testing::Album album;
    album.addPhoto("a.jpg");
    album.settings.linkOriginal = true;
    album.settings.originalUrl = "";
    RunContext run = album.context();
    g_photo(run);
    EXPECT_NE(album.page("jpeg/A.html").find("<br><a href=\"A.JPG\">Originale (FTP)</a> </center>"), std::string::npos);
}

// Frame k holds the photos of `counts`, in order; rows of navigation as the frame's place asks.
std::string choiceFrame(int k, int frames, int firstPhoto, int photos)
{
    const auto frameName = [](int n) { return "framec0" + std::to_string(n) + ".html"; };
    std::string text = std::string(L::ChoiceHead) + "FFFFFF" + L::ChoiceTableOpen;
    if (k != 0)
        text += std::string(L::CRLF) + L::ChoicePreviousOpen + frameName(k - 1) + L::ChoicePreviousClose;
    for (int i = firstPhoto; i < firstPhoto + photos; ++i)
        text += std::string(L::CRLF) + L::ChoiceCellOpen + numbered(i) + ".html" + L::ChoiceImageOpen + "minia/"
            + numbered(i) + ".JPG" + L::ChoiceCellClose;
    if (k != frames - 1)
        text += std::string(L::CRLF) + L::ChoicePreviousOpen + frameName(k + 1) + L::ChoiceNextClose;
    return text + L::CRLF + L::ChoiceEnd + L::CRLF;
}

struct ChoiceCase {
    int photos;
    double perFrame;
    std::vector<int> frameSizes;
};

TEST(ChoiceFrames, SplitIntoChainedFramesEachPhotoOnce)
{
    const ChoiceCase cases[] = {
        {40, 16, {16, 16, 8}},
        {32, 16, {16, 16}},
        {10, 16, {10}},
        {16, 4, {4, 4, 4, 4}},
        // A fraction is rounded once, halves to even.
        {41, 20.5, {20, 20, 1}},
        {45, 21.5, {22, 22, 1}},
    };
    for (const ChoiceCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.photos) + " photos, " + std::to_string(c.perFrame) + " per frame");
        album_testing::Album album;
        album.addNumberedPhotos(c.photos);
        album.settings.thumbnailsPerFrame = c.perFrame;
        RunContext run = album.context();
        EXPECT_EQ(n_framec(run), "P01.html");
        const int frames = static_cast<int>(c.frameSizes.size());
        std::vector<std::string> expectedFiles = {"jpeg/", "mini/", "minia/"};
        int first = 1;
        for (int k = 0; k < frames; ++k) {
            const std::string name = "framec0" + std::to_string(k) + ".html";
            EXPECT_EQ(album.page(name), choiceFrame(k, frames, first, c.frameSizes[k])) << name;
            expectedFiles.push_back(name);
            first += c.frameSizes[k];
        }
        std::sort(expectedFiles.begin(), expectedFiles.end());
        EXPECT_EQ(album.files(), expectedFiles);
        ASSERT_EQ(album.launcher.launches.size(), static_cast<std::size_t>(c.photos));
        EXPECT_EQ(album.launcher.launches.back().arguments,
                  (std::vector<std::string>{"120", album.photos + numbered(c.photos) + ".jpg",
                                            album.web + "minia/" + numbered(c.photos) + ".JPG"}));
    }
}

TEST(ChoiceFrames, SingleFrameIsOneLine)
{
    album_testing::Album album;
    album.addNumberedPhotos(3);
    // P01 is large: its pause grows.
    std::filesystem::resize_file(album.photos + "P01.jpg", 800001);
    RunContext run = album.context();
    EXPECT_EQ(g_framec(run), "P01.html");
    std::string rows;
    for (int i = 1; i <= 3; ++i)
        rows += std::string(L::ChoiceCellOpen) + numbered(i) + ".html" + L::ChoiceImageOpen + "minia/" + numbered(i)
            + ".JPG" + L::ChoiceCellClose;
    EXPECT_EQ(album.page("framec00.html"),
              std::string(L::ChoiceHead) + "FFFFFF" + L::ChoiceTableOpen + rows + L::ChoiceEnd + L::CRLF);
    EXPECT_EQ(album.pacing.units, (std::vector<int>{50, 10, 10}));
    EXPECT_EQ(album.host.statuses.front(), "cr\xC3\xA9" "ation frame choix ");
}

TEST(ChoiceFrames, NoPhotoWritesNoNumberedFrameAndAnEmptySingleFrame)
{
    album_testing::Album album;
    RunContext run = album.context();
    EXPECT_EQ(n_framec(run), "");
    EXPECT_EQ(album.files(), (std::vector<std::string>{"jpeg/", "mini/", "minia/"}));
    EXPECT_EQ(g_framec(run), "");
    EXPECT_EQ(album.page("framec00.html"),
              std::string(L::ChoiceHead) + "FFFFFF" + L::ChoiceTableOpen + L::ChoiceEnd + L::CRLF);
}

TEST(PhotoFrameset, NamesTheFirstPhotoPage)
{
    album_testing::Album album;
    RunContext run = album.context();
    g_framep(run, "IMG_01.html");
    EXPECT_EQ(album.page("framep.html"), std::string(L::FramesetOpen) + "IMG_01.html" + L::FramesetClose + L::CRLF);
    EXPECT_EQ(album.host.statuses, (std::vector<std::string>{"cr\xC3\xA9" "ation cadre photo "}));
}

struct TitleCase {
    SoundChoice sound;
    const char* soundPiece;
    bool indexLink;
    const char* title;
    const char* expectedTitle;
};

TEST(TitleFrame, SoundAndIndexLinkAndTitleAsTyped)
{
    const TitleCase cases[] = {
        {SoundChoice::none, L::SoundNone, false, "mes vacances 2001", "mes vacances 2001"},
        {SoundChoice::mp3, L::SoundMp3, true, "No\xC3\xABl & <i>amis</i>", "No\xEBl & <i>amis</i>"},
        {SoundChoice::wav, L::SoundWav, false, "", ""},
        {SoundChoice::none, L::SoundNone, true, "\xC3\xA9t\xC3\xA9", "\xE9t\xE9"},
    };
    for (const TitleCase& c : cases) {
        SCOPED_TRACE(c.soundPiece);
        album_testing::Album album;
        album.settings.linkToIndex = c.indexLink;
        album.settings.albumTitle = c.title;
        album.settings.backgroundColour = "00FF80";
        setTitleFrameSound(album.fragments, c.sound);
        RunContext run = album.context();
        TitleFrame(run);
        EXPECT_EQ(album.page("frame1.html"), std::string(L::TitleFrameHeadStart) + c.soundPiece + L::TitleFrameHeadEnd
                                                  + "00FF80" + L::TitleFrameTableOpen
                                                  + (c.indexLink ? L::TitleFrameIndexLink : "")
                                                  + L::TitleFrameTitleOpen + c.expectedTitle + L::TitleFrameEnd
                                                  + L::CRLF);
    }
}

TEST(LiveOptions, ChangesMadeDuringARunReachThePhotosThatFollow)
{
    album_testing::Album album;
    album.addPhoto("a.jpg");
    album.addPhoto("b.jpg");
    int photosSeen = 0;
    album.host.onRefresh = [&](AlbumSettings& settings) {
        // The user clears the name check box and picks a colour after the first photo.
        if (++photosSeen == 2) {
            settings.upperCaseName = false;
            settings.backgroundColour = "123456";
        }
    };
    RunContext run = album.context();
    g_photo(run);
    EXPECT_EQ(album.files(), (std::vector<std::string>{"jpeg/", "jpeg/A.html", "jpeg/b.html", "mini/", "minia/"}));
    EXPECT_NE(album.page("jpeg/A.html").find("bgcolor=\"#FFFFFF\""), std::string::npos);
    EXPECT_NE(album.page("jpeg/b.html").find("bgcolor=\"#123456\"><center>b.JPG"), std::string::npos);
}

TEST(PageNames, CharactersThatBreakAUrlOrTheTextAreEscapedOnlyThere)
{
    album_testing::Album album;
    album.addPhoto("a#b <c>.jpg");
    album.addPhoto("\xC3\xA9t\xC3\xA9 1.jpg");
    RunContext run = album.context();
    g_photo(run);
    EXPECT_EQ(album.page("jpeg/A#B <C>.html"),
              std::string(L::PhotoHeadOpen) + "A#B &lt;C&gt;.JPG" + L::PhotoBodyOpen + "FFFFFF" + L::PhotoCenterOpen
                  + "A#B &lt;C&gt;.JPG" + L::PhotoImageOpen + "A%23B %3CC%3E.JPG" + L::PhotoImageClose + "  "
                  + L::PhotoPageEnd + L::CRLF);
    EXPECT_EQ(album.page("jpeg/\xC3\x89T\xC3\x89 1.html"),
              std::string(L::PhotoHeadOpen) + "\xC9T\xC9 1.JPG" + L::PhotoBodyOpen + "FFFFFF" + L::PhotoCenterOpen
                  + "\xC9T\xC9 1.JPG" + L::PhotoImageOpen + "%C3%89T%C3%89 1.JPG" + L::PhotoImageClose + "  "
                  + L::PhotoPageEnd + L::CRLF);
    // The resizer gets the names as they are on disk.
    EXPECT_EQ(album.launcher.launches[1].arguments[1], album.photos + "\xC3\xA9t\xC3\xA9 1.jpg");
    EXPECT_EQ(album.launcher.launches[1].arguments[2], album.web + "jpeg/\xC3\x89T\xC3\x89 1.JPG");
}

} // namespace
