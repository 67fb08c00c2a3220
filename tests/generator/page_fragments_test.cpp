#include "page_fragments.h"

#include <gtest/gtest.h>

#include <string>

using namespace generator;

namespace {

struct FragmentCase {
    const char* name;
    std::string PageFragments::*field;
    std::string expected;
};

const std::string kHeadStart = R"(<!doctype html public "-//w3c//dtd html 4.0 transitional//en">)"
                               R"(<html><head>)"
                               R"(   <meta http-equiv="Content-Type" content="text/html; charset=iso-8859-1">)"
                               R"(   <meta name="Author" content="odile.varane">)"
                               R"(   <meta name="GENERATOR" content="generateur Zevan pour photos">)";

// Ten blanks between </title> and </head> without sound, nine after loop=10> with one.
const std::string kHeadNone = kHeadStart + R"(   <title>frame1</title>          </head><body background="back.gif"  bgcolor="#)";
const std::string kHeadMp3 = kHeadStart + R"(   <title>frame1</title> <bgsound src="son.mp3" loop=10>         </head><body background="back.gif"  bgcolor="#)";
const std::string kHeadWav = kHeadStart + R"(   <title>frame1</title> <bgsound src="son.wav" loop=10>         </head><body background="back.gif"  bgcolor="#)";

TEST(PageFragments, EveryFragmentHasItsExactText)
{
    const std::string email = kAuthorEmail;
    const std::string site = kAuthorSite;
    const std::string portal = kAuthorPortal;
    const FragmentCase cases[] = {
        {"PhotoHeadOpen", &PageFragments::PhotoHeadOpen, R"(<html><head><title>)"},
        {"PhotoBodyOpen", &PageFragments::PhotoBodyOpen, R"(</title></head><body background="../back.gif"  bgcolor="#)"},
        {"PhotoCenterOpen", &PageFragments::PhotoCenterOpen, R"("><center>)"},
        {"PhotoImageOpen", &PageFragments::PhotoImageOpen, R"(<p><img SRC="  )"},
        {"PhotoImageClose", &PageFragments::PhotoImageClose, R"( "  ><br>)"},
        {"PhotoPageEnd", &PageFragments::PhotoPageEnd, R"(</center></body></html>)"},
        {"ThumbHeadOpen", &PageFragments::ThumbHeadOpen, R"(<html><head><meta name="GENERATOR" content="generateur Zevan pour photos"><title>)"},
        {"ThumbBodyOpen", &PageFragments::ThumbBodyOpen, R"(</title></head><body background="back.gif"  bgcolor="#)"},
        {"ThumbCenterOpen", &PageFragments::ThumbCenterOpen, R"("><center>)"},
        {"CenterOpen", &PageFragments::CenterOpen, R"(<center>)"},
        {"CenterClose", &PageFragments::CenterClose, R"(</center>)"},
        {"ThumbTableOpen", &PageFragments::ThumbTableOpen, R"(<p><br> <table BORDER COLS=4 WIDTH="100%" ><tr>)"},
        {"ThumbCellOpen", &PageFragments::ThumbCellOpen, R"( <td ALIGN=CENTER>  <center><a href="jpeg/)"},
        {"ThumbImageOpen", &PageFragments::ThumbImageOpen, R"( "><img SRC=" )"},
        {"ThumbImageClose", &PageFragments::ThumbImageClose, R"("  ></a>  <br>)"},
        {"ThumbCellClose", &PageFragments::ThumbCellClose, R"( &nbsp;</center></td> )"},
        {"RowOpen", &PageFragments::RowOpen, R"(<tr>   )"},
        {"RowClose", &PageFragments::RowClose, R"(</tr>   )"},
        {"EmptyCell", &PageFragments::EmptyCell, R"(<td><center>&nbsp;</center></td>)"},
        {"TableClose", &PageFragments::TableClose, R"(</table>)"},
        {"NavPreviousOpen", &PageFragments::NavPreviousOpen, R"(<center><p>&nbsp;<a href=" )"},
        {"NavPreviousClose", &PageFragments::NavPreviousClose, R"(">page pr&eacute;c&eacute;dente</a>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp; <a href="page00.html">retour page de d&eacute;but</a>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;    )"},
        {"NavNextOpen", &PageFragments::NavNextOpen, R"(<a href=" )"},
        {"NavNextClose", &PageFragments::NavNextClose, R"( ">page_suivante</a></center>)"},
        {"NavStartOnly", &PageFragments::NavStartOnly, R"(<center> &nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp; <a href="page00.html">retour page de d&eacute;but</a>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;    )"},
        {"NavCenterClose", &PageFragments::NavCenterClose, R"( </center>)"},
        {"PageEnd", &PageFragments::PageEnd, R"(</body></html>)"},
        {"AlbumHeading", &PageFragments::AlbumHeading, R"(<center><p>&nbsp;<font size=+3>Album photo</font></center>)"},
        {"TitleOpen", &PageFragments::TitleOpen, R"(<center><p>&nbsp;<font size=+4>)"},
        {"TitleClose", &PageFragments::TitleClose, R"(</font></center>)"},
        {"LinkCellOpen", &PageFragments::LinkCellOpen, R"( <td><center><a href="  )"},
        {"LinkCellMiddle", &PageFragments::LinkCellMiddle, R"( ">)"},
        {"LinkCellClose", &PageFragments::LinkCellClose, R"( </a></center></td>)"},
        {"LinksOpen", &PageFragments::LinksOpen, R"(<center>)"},
        {"IndexLink", &PageFragments::IndexLink, R"(<p><a href="../index.html">retour page index</a>)"},
        {"AuthorEmailLink", &PageFragments::AuthorEmailLink, R"(<p>mon email : <a href="mailto:)" + email + R"(">)" + email + R"(</a>)"},
        {"AuthorSiteLink", &PageFragments::AuthorSiteLink, R"(<p>N'oubliez pas de visiter <br><a href=")" + site + R"(">mon site web</a>)"},
        {"AuthorPortalLink", &PageFragments::AuthorPortalLink, R"(<br>et de laisser un petit message sur mon livre d'or !<p>et d'utiliser mon portail comme page d'accueil internet<br><a href=")" + portal + R"(">mon portail</a>)"},
        {"LinksPageEnd", &PageFragments::LinksPageEnd, R"(</center><p><br></body></html>)"},
        {"TitleFrameHead", &PageFragments::TitleFrameHead, kHeadNone},
        {"TitleFrameTableOpen", &PageFragments::TitleFrameTableOpen, R"("><table border="0" cellpadding="0" cellspacing="0" style="border-collapse: collapse" bordercolor="#111111" width="100%" id="AutoNumber1">  <tr>    <td width="15%">)"},
        {"TitleFrameTitleOpen", &PageFragments::TitleFrameTitleOpen, R"(<td width="75%">    <p align="center"><b><font size="6" color="#008000">)"},
        {"TitleFrameEnd", &PageFragments::TitleFrameEnd, R"(</font></b></td>    <td width="0%">&nbsp;</td>  </tr></table></body></html>)"},
        {"TitleFrameIndexLink", &PageFragments::TitleFrameIndexLink, R"( <p align="center"><a href="../index.html"target="_top">retour page Index</a></td>)"},
        {"ChoiceHead", &PageFragments::ChoiceHead, R"(<html><head><meta http-equiv="Content-Type"content="text/html; charset=iso-8859-1"><meta name="Author" content="odile.varane"><meta name="GENERATOR" content="generateur Zevan tamblet"><title>choix</title><base target="present"></head><body background="back.gif"  bgcolor="#)"},
        {"ChoiceTableOpen", &PageFragments::ChoiceTableOpen, R"("><table border="0" cellpadding="0" cellspacing="0" width="175" style="border-collapse: collapse" bordercolor="#111111">)"},
        {"ChoiceCellOpen", &PageFragments::ChoiceCellOpen, R"(    <tr>        <td width="177"><center><a target="frame2"  href="jpeg/)"},
        {"ChoiceImageOpen", &PageFragments::ChoiceImageOpen, R"(">        <img border="2" src=")"},
        {"ChoiceCellClose", &PageFragments::ChoiceCellClose, R"(" hspace="2" vspace="2"  ></a></td>    </tr>)"},
        {"ChoiceEnd", &PageFragments::ChoiceEnd, R"(    </table></body></html>)"},
        {"FramesetOpen", &PageFragments::FramesetOpen, R"(<html>    <head>    <meta name="generator" content="generateur Zevan pour photos">    <meta name="keywords"content="tamblet">    <title>Odile VARANE</title> <frameset cols="198,*"  frameborder="no" framespacing="0" border="0" >    <frame name="choix" src="framec00.html" scrolling="auto"  marginwidth="0" marginheight="0" target="framep"  > <frame name= "frame2" src="jpeg/)"},
        {"FramesetClose", &PageFragments::FramesetClose, R"(" scrolling="auto" marginwidth="10" marginheight="10"  ></frameset>    </head>    <body>    </body> </html>)"},
    };
    static_assert(sizeof(cases) / sizeof(cases[0]) * sizeof(std::string) == sizeof(PageFragments),
                  "every fragment of PageFragments has its row here");
    const PageFragments fragments = buildPageFragments();
    for (const FragmentCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(fragments.*c.field, c.expected);
    }
}

TEST(PageFragments, SoundChoicesReplaceEachOtherWithoutResidue)
{
    PageFragments fragments = buildPageFragments();
    const std::pair<SoundChoice, const std::string*> sequence[] = {
        {SoundChoice::wav, &kHeadWav}, {SoundChoice::none, &kHeadNone}, {SoundChoice::mp3, &kHeadMp3},
        {SoundChoice::wav, &kHeadWav}, {SoundChoice::mp3, &kHeadMp3}, {SoundChoice::none, &kHeadNone},
    };
    int step = 0;
    for (const auto& [sound, expected] : sequence) {
        SCOPED_TRACE(step++);
        setTitleFrameSound(fragments, sound);
        EXPECT_EQ(fragments.TitleFrameHead, *expected);
        EXPECT_EQ(titleFrameHead(sound), *expected);
    }
}

} // namespace
