#pragma once

#include "album_settings.h"

#include <string>

namespace generator {

// The author's addresses inside the start page's links.
inline constexpr const char* kAuthorEmail = "auteur@varnook.example";
inline constexpr const char* kAuthorSite = "https://varnook.example/";
inline constexpr const char* kAuthorPortal = "https://varnook.example/portail.html";

// The fixed HTML texts every page is assembled from. Blanks are significant, including
// leading, trailing and doubled ones. Built once by buildPageFragments; only
// TitleFrameHead changes afterwards (setTitleFrameSound).
struct PageFragments {
    // Photo pages, in "jpeg/".
    std::string PhotoHeadOpen;
    std::string PhotoBodyOpen;
    std::string PhotoCenterOpen;
    std::string PhotoImageOpen;
    std::string PhotoImageClose;
    std::string PhotoPageEnd;

    // Thumbnail pages and page00.html.
    std::string ThumbHeadOpen;
    std::string ThumbBodyOpen;
    std::string ThumbCenterOpen;
    std::string CenterOpen;
    std::string CenterClose;
    std::string ThumbTableOpen;
    std::string ThumbCellOpen;
    std::string ThumbImageOpen;
    std::string ThumbImageClose;
    std::string ThumbCellClose;
    std::string RowOpen;
    std::string RowClose;
    std::string EmptyCell;
    std::string TableClose;
    std::string NavPreviousOpen;
    std::string NavPreviousClose;
    std::string NavNextOpen;
    std::string NavNextClose;
    std::string NavStartOnly;
    std::string NavCenterClose;
    std::string PageEnd;
    std::string AlbumHeading;
    std::string TitleOpen;
    std::string TitleClose;
    std::string LinkCellOpen;
    std::string LinkCellMiddle;
    std::string LinkCellClose;
    std::string LinksOpen;
    std::string IndexLink;
    std::string AuthorEmailLink;
    std::string AuthorSiteLink;
    std::string AuthorPortalLink;
    std::string LinksPageEnd;

    // Title frame, frame1.html.
    std::string TitleFrameHead;
    std::string TitleFrameTableOpen;
    std::string TitleFrameTitleOpen;
    std::string TitleFrameEnd;
    std::string TitleFrameIndexLink;

    // Choice frames, framecNN.html.
    std::string ChoiceHead;
    std::string ChoiceTableOpen;
    std::string ChoiceCellOpen;
    std::string ChoiceImageOpen;
    std::string ChoiceCellClose;
    std::string ChoiceEnd;

    // Photo frameset, framep.html.
    std::string FramesetOpen;
    std::string FramesetClose;
};

// Every fragment with its text; TitleFrameHead without sound, matching the sound option
// selected at start-up.
PageFragments buildPageFragments();

// The head of frame1.html for a sound choice.
std::string titleFrameHead(SoundChoice sound);

// Replaces TitleFrameHead whole, so nothing of an earlier choice remains.
void setTitleFrameSound(PageFragments& fragments, SoundChoice sound);

} // namespace generator
