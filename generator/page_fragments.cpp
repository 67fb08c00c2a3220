#include "page_fragments.h"

#include <vector>

namespace generator {

namespace {

struct FragmentText {
    std::string PageFragments::*field;
    std::string text;
};

// One row per fragment. Adjacent literals are the pieces as they are joined, with nothing
// between them.
std::vector<FragmentText> fragmentTexts()
{
    const std::string email = kAuthorEmail;
    const std::string site = kAuthorSite;
    const std::string portal = kAuthorPortal;
    return {
        {&PageFragments::PhotoHeadOpen, "<html>" "<head>" "<title>"},
        {&PageFragments::PhotoBodyOpen, "</title>" "</head>" "<body background=\"../back.gif\"  bgcolor=\"#"},
        {&PageFragments::PhotoCenterOpen, "\"><center>"},
        {&PageFragments::PhotoImageOpen, "<p><img SRC=\"  "},
        {&PageFragments::PhotoImageClose, " \"  ><br>"},
        {&PageFragments::PhotoPageEnd, "</center></body></html>"},
        {&PageFragments::ThumbHeadOpen, "<html>" "<head>" "<meta name=\"GENERATOR\" content=\"generateur Zevan pour photos\">" "<title>"},
        {&PageFragments::ThumbBodyOpen, "</title>" "</head>" "<body background=\"back.gif\"  bgcolor=\"#"},
        {&PageFragments::ThumbCenterOpen, "\"><center>"},
        {&PageFragments::CenterOpen, "<center>"},
        {&PageFragments::CenterClose, "</center>"},
        {&PageFragments::ThumbTableOpen, "<p><br> <table BORDER COLS=4 WIDTH=\"100%\" >" "<tr>"},
        {&PageFragments::ThumbCellOpen, " <td ALIGN=CENTER> " " <center><a href=\"jpeg/"},
        {&PageFragments::ThumbImageOpen, " \"><img SRC=\" "},
        {&PageFragments::ThumbImageClose, "\"  ></a> " " <br>"},
        {&PageFragments::ThumbCellClose, " &nbsp;</center></td> "},
        {&PageFragments::RowOpen, "<tr>   "},
        {&PageFragments::RowClose, "</tr>   "},
        {&PageFragments::EmptyCell, "<td><center>&nbsp;</center></td>"},
        {&PageFragments::TableClose, "</table>"},
        {&PageFragments::NavPreviousOpen, "<center>" "<p>&nbsp;<a href=\" "},
        {&PageFragments::NavPreviousClose, "\">page pr&eacute;c&eacute;dente</a>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp; <a href=\"page00.html\">retour page de d&eacute;but</a>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;    "},
        {&PageFragments::NavNextOpen, "<a href=\" "},
        {&PageFragments::NavNextClose, " \">page_suivante</a></center>"},
        {&PageFragments::NavStartOnly, "<center>" " &nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp; <a href=\"page00.html\">retour page de d&eacute;but</a>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;    "},
        {&PageFragments::NavCenterClose, " </center>"},
        {&PageFragments::PageEnd, "</body>" "</html>"},
        {&PageFragments::AlbumHeading, "<center><p>&nbsp;<font size=+3>Album photo</font></center>"},
        {&PageFragments::TitleOpen, "<center><p>&nbsp;<font size=+4>"},
        {&PageFragments::TitleClose, "</font></center>"},
        {&PageFragments::LinkCellOpen, " <td><center><a href=\"  "},
        {&PageFragments::LinkCellMiddle, " \">"},
        {&PageFragments::LinkCellClose, " </a></center></td>"},
        {&PageFragments::LinksOpen, "<center>"},
        {&PageFragments::IndexLink, "<p><a href=\"../index.html\">retour page index</a>"},
        {&PageFragments::AuthorEmailLink, "<p>mon email : <a href=\"mailto:" + email + "\">" + email + "</a>"},
        {&PageFragments::AuthorSiteLink, "<p>N'oubliez pas de visiter <br><a href=\"" + site + "\">mon site web</a>"},
        {&PageFragments::AuthorPortalLink, "<br>et de laisser un petit message sur mon livre d'or !<p>et d'utiliser mon portail comme page d'accueil internet<br><a href=\"" + portal + "\">mon portail</a>"},
        {&PageFragments::LinksPageEnd, "</center><p><br></body></html>"},
        {&PageFragments::TitleFrameTableOpen, "\"><table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" style=\"border-collapse: collapse\" bordercolor=\"#111111\" width=\"100%\" id=\"AutoNumber1\">  <tr>    <td width=\"15%\">"},
        {&PageFragments::TitleFrameTitleOpen, "<td width=\"75%\">    <p align=\"center\"><b><font size=\"6\" color=\"#008000\">"},
        {&PageFragments::TitleFrameEnd, "</font></b></td>    <td width=\"0%\">&nbsp;</td>  </tr></table></body></html>"},
        {&PageFragments::TitleFrameIndexLink, " <p align=\"center\"><a href=\"../index.html\"target=\"_top\">retour page Index</a></td>"},
        {&PageFragments::ChoiceHead, "<html><head><meta http-equiv=\"Content-Type\"content=\"text/html; charset=iso-8859-1\"><meta name=\"Author\" content=\"odile.varane\"><meta name=\"GENERATOR\" content=\"generateur Zevan tamblet\"><title>choix</title><base target=\"present\"></head><body background=\"back.gif\"  bgcolor=\"#"},
        {&PageFragments::ChoiceTableOpen, "\"><table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\"175\" style=\"border-collapse: collapse\" bordercolor=\"#111111\">"},
        {&PageFragments::ChoiceCellOpen, "    <tr>        <td width=\"177\"><center><a target=\"frame2\"  href=\"jpeg/"},
        {&PageFragments::ChoiceImageOpen, "\">        <img border=\"2\" src=\""},
        {&PageFragments::ChoiceCellClose, "\" hspace=\"2\" vspace=\"2\"  ></a></td>    </tr>"},
        {&PageFragments::ChoiceEnd, "    </table></body></html>"},
        {&PageFragments::FramesetOpen, "<html>    <head>    <meta name=\"generator\" content=\"generateur Zevan pour photos\">    <meta name=\"keywords\"content=\"tamblet\">    <title>Odile VARANE</title> <frameset cols=\"198,*\"  frameborder=\"no\" framespacing=\"0\" border=\"0\" >    <frame name=\"choix\" src=\"framec00.html\" scrolling=\"auto\"  marginwidth=\"0\" marginheight=\"0\" target=\"framep\"  > <frame name= \"frame2\" src=\"jpeg/"},
        {&PageFragments::FramesetClose, "\" scrolling=\"auto\" marginwidth=\"10\" marginheight=\"10\"  ></frameset>    </head>    <body>    </body> </html>"},
    };
}

struct SoundPiece {
    SoundChoice sound;
    const char* piece;
};

constexpr SoundPiece kSoundPieces[] = {
    {SoundChoice::none, "   <title>frame1</title>  "},
    {SoundChoice::mp3, "   <title>frame1</title> <bgsound src=\"son.mp3\" loop=10> "},
    {SoundChoice::wav, "   <title>frame1</title> <bgsound src=\"son.wav\" loop=10> "},
};

} // namespace

std::string titleFrameHead(SoundChoice sound)
{
    std::string soundPiece;
    for (const SoundPiece& row : kSoundPieces) {
        if (row.sound == sound)
            soundPiece = row.piece;
    }
    return std::string("<!doctype html public \"-//w3c//dtd html 4.0 transitional//en\">"
                       "<html>"
                       "<head>"
                       "   <meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">"
                       "   <meta name=\"Author\" content=\"odile.varane\">"
                       "   <meta name=\"GENERATOR\" content=\"generateur Zevan pour photos\">")
        + soundPiece + "        </head><body background=\"back.gif\"  bgcolor=\"#";
}

void setTitleFrameSound(PageFragments& fragments, SoundChoice sound)
{
    fragments.TitleFrameHead = titleFrameHead(sound);
}

PageFragments buildPageFragments()
{
    PageFragments fragments;
    for (const FragmentText& row : fragmentTexts())
        fragments.*row.field = row.text;
    setTitleFrameSound(fragments, SoundChoice::none);
    return fragments;
}

} // namespace generator
