#include "thumbnail_pages.h"

#include "album_layout.h"
#include "page_fragments.h"
#include "page_text.h"
#include "photo_names.h"
#include "run_context.h"
#include "run_host.h"

#include <algorithm>
#include <string>

namespace generator {

namespace {

constexpr int kCellsPerRow = 4;
constexpr int kCellsPerPage = 8;

enum class CellForm { firstRow, other };

// The FTP link of a cell; the first row's form ends with a blank, the other does not.
std::string cellFtpLink(bool wanted, const std::string& url, const std::string& adjusted, const char* caption,
                        CellForm form)
{
    if (!wanted)
        return " ";
    return "<br><a href=\"" + withoutOuterBlanks(url) + nameForUrl(adjusted) + "\">" + caption + "</a>"
        + (form == CellForm::firstRow ? " " : "");
}

class ThumbnailWriter {
public:
    explicit ThumbnailWriter(RunContext& run)
        : run_(run), f_(run.fragments)
    {
    }

    void writeAll()
    {
        const int photoCount = static_cast<int>(run_.settings.photoFiles.size());
        const int fullPageCount = photoCount / kCellsPerPage;
        const int remainderCount = photoCount - kCellsPerPage * fullPageCount;
        pageCount_ = fullPageCount + (remainderCount != 0 ? 1 : 0);

        for (int n = 1; n <= fullPageCount; ++n)
            writeFullPage(n);
        writeClosingPage(fullPageCount + 1, remainderCount);
        writeStartPage();
    }

private:
    std::string pageOpening(int number)
    {
        run_.host.refreshLiveOptions(run_.settings);
        const std::string title = "page" + pageNumberText(number);
        return f_.ThumbHeadOpen + title + f_.ThumbBodyOpen + run_.settings.backgroundColour + f_.ThumbCenterOpen
            + f_.CenterOpen + title + f_.CenterClose + f_.ThumbTableOpen;
    }

    void writeFullPage(int n)
    {
        const int previous = std::max(n - 1, 1);
        const int next = std::min(n + 1, pageCount_);
        std::string text = pageOpening(n);
        run_.host.yield();
        for (int i = 0; i < kCellsPerRow; ++i)
            appendCell(text, CellForm::firstRow, LaunchPlace::thumbnailFirstRow);
        text += f_.RowClose + f_.RowOpen;
        for (int i = 0; i < kCellsPerRow; ++i)
            appendCell(text, CellForm::other, LaunchPlace::thumbnailSecondRow);
        text += f_.RowClose + f_.TableClose;
        if (n == 1)
            text += f_.NavStartOnly;
        else
            text += f_.NavPreviousOpen + thumbnailPageName(previous) + f_.NavPreviousClose;
        if (n == pageCount_)
            text += f_.NavCenterClose + f_.PageEnd;
        else
            text += f_.NavNextOpen + thumbnailPageName(next) + f_.NavNextClose + f_.PageEnd;
        writeAlbumPage(run_, run_.settings.webFolder + thumbnailPageName(n), text);
        run_.host.setStatus("création des pages miniatures  " + std::to_string(n));
    }

    // Written even when no photo is left for it; the navigation never counts it then.
    void writeClosingPage(int m, int remainderCount)
    {
        const int previous = std::max(m - 1, 1);
        std::string text = pageOpening(m);
        run_.host.yield();
        for (int i = 0; i < remainderCount; ++i)
            appendCell(text, CellForm::other, LaunchPlace::thumbnailClosingPage);
        for (int i = remainderCount; i < kCellsPerPage; ++i)
            text += f_.EmptyCell;
        text += f_.RowClose + f_.TableClose + f_.NavPreviousOpen + thumbnailPageName(previous) + f_.NavPreviousClose
            + f_.NavCenterClose + f_.PageEnd;
        writeAlbumPage(run_, run_.settings.webFolder + thumbnailPageName(m), text);
    }

    void writeStartPage()
    {
        run_.host.refreshLiveOptions(run_.settings);
        const AlbumSettings& s = run_.settings;
        // Neither sentence closes its link nor its centring.
        const std::string originalSentence = s.linkOriginal
            ? "<br><br><center><a href=\"" + withoutOuterBlanks(s.originalUrl)
                + "\">le lien FTP des photos originales est : " + s.originalUrl + "<br>"
            : " ";
        const std::string highResSentence = s.linkHighRes
            ? "<br><center><a href=\"" + withoutOuterBlanks(s.highResUrl)
                + "\">le lien FTP des photos de  résolution  intermédiare est : " + s.highResUrl + "<br>" + "<br>"
            : " ";
        std::string text = f_.ThumbHeadOpen + "page00" + f_.ThumbBodyOpen + s.backgroundColour + f_.ThumbCenterOpen
            + f_.AlbumHeading + f_.TitleOpen + s.albumTitle + f_.TitleClose + f_.ThumbTableOpen + originalSentence
            + highResSentence;
        for (int i = 1; i <= pageCount_; ++i) {
            text += f_.LinkCellOpen + thumbnailPageName(i) + f_.LinkCellMiddle + "page" + pageNumberText(i)
                + f_.LinkCellClose;
            if (i % 4 == 0)
                text += f_.RowClose + f_.RowOpen;
        }
        text += f_.RowClose + f_.TableClose + f_.LinksOpen;
        if (s.linkToIndex)
            text += f_.IndexLink;
        if (s.authorLinks)
            text += f_.AuthorEmailLink + f_.AuthorSiteLink + f_.AuthorPortalLink;
        text += f_.LinksPageEnd;
        run_.host.yield();
        writeAlbumPage(run_, s.webFolder + kStartPage, text);
    }

    void appendCell(std::string& text, CellForm form, LaunchPlace place)
    {
        run_.host.refreshLiveOptions(run_.settings);
        const AlbumSettings& s = run_.settings;
        const std::string listed = s.photoFiles[photoIndex_];
        const std::string adjusted = adjustedName(listed, s.upperCaseName, s.upperCaseExtension);
        const std::string page = photoPageName(adjusted);
        const std::string originalLink = cellFtpLink(s.linkOriginal, s.originalUrl, adjusted, "Originale (FTP)", form);
        const std::string highResLink = cellFtpLink(s.linkHighRes, s.highResUrl, adjusted, "Résolution + (FTP)", form);
        text += f_.ThumbCellOpen + nameForUrl(page) + f_.ThumbImageOpen + "mini/" + nameForUrl(adjusted)
            + f_.ThumbImageClose + nameForText(adjusted) + originalLink + highResLink + f_.ThumbCellClose;
        ++photoIndex_;
        run_.host.setStatus(" création miniature " + adjusted);
        launchAndPace(run_, place, listed, adjusted);
        run_.host.yield();
    }

    RunContext& run_;
    const PageFragments& f_;
    int pageCount_ = 0;
    std::size_t photoIndex_ = 0;
};

} // namespace

void ThumbnailPages(RunContext& run)
{
    ThumbnailWriter(run).writeAll();
}

} // namespace generator
