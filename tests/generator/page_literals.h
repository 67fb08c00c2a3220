#pragma once

// The album's fixed page texts, typed here once more, independently of the generator's
// fragment table, as ISO-8859-1 bytes: the expected pages are assembled from these, so a
// wrong blank in either place shows as a difference.
namespace literals {

inline const char* const PhotoHeadOpen = "<html><head><title>";
inline const char* const PhotoBodyOpen = "</title></head><body background=\"../back.gif\"  bgcolor=\"#";
inline const char* const PhotoCenterOpen = "\"><center>";
inline const char* const PhotoImageOpen = "<p><img SRC=\"  ";
inline const char* const PhotoImageClose = " \"  ><br>";
inline const char* const PhotoPageEnd = "</center></body></html>";

inline const char* const ThumbHeadOpen =
    "<html><head><meta name=\"GENERATOR\" content=\"generateur Zevan pour photos\"><title>";
inline const char* const ThumbBodyOpen = "</title></head><body background=\"back.gif\"  bgcolor=\"#";
inline const char* const ThumbCenterOpen = "\"><center>";
inline const char* const CenterOpen = "<center>";
inline const char* const CenterClose = "</center>";
inline const char* const ThumbTableOpen = "<p><br> <table BORDER COLS=4 WIDTH=\"100%\" ><tr>";
inline const char* const ThumbCellOpen = " <td ALIGN=CENTER>  <center><a href=\"jpeg/";
inline const char* const ThumbImageOpen = " \"><img SRC=\" ";
inline const char* const ThumbImageClose = "\"  ></a>  <br>";
inline const char* const ThumbCellClose = " &nbsp;</center></td> ";
inline const char* const RowOpen = "<tr>   ";
inline const char* const RowClose = "</tr>   ";
inline const char* const EmptyCell = "<td><center>&nbsp;</center></td>";
inline const char* const TableClose = "</table>";
inline const char* const NavPreviousOpen = "<center><p>&nbsp;<a href=\" ";
inline const char* const NavPreviousClose =
    "\">page pr&eacute;c&eacute;dente</a>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp; <a href=\"page00.html\">retour page de "
    "d&eacute;but</a>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;    ";
inline const char* const NavNextOpen = "<a href=\" ";
inline const char* const NavNextClose = " \">page_suivante</a></center>";
inline const char* const NavStartOnly =
    "<center> &nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp; <a href=\"page00.html\">retour page de "
    "d&eacute;but</a>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;    ";
inline const char* const NavCenterClose = " </center>";
inline const char* const PageEnd = "</body></html>";
inline const char* const AlbumHeading = "<center><p>&nbsp;<font size=+3>Album photo</font></center>";
inline const char* const TitleOpen = "<center><p>&nbsp;<font size=+4>";
inline const char* const TitleClose = "</font></center>";
inline const char* const LinkCellOpen = " <td><center><a href=\"  ";
inline const char* const LinkCellMiddle = " \">";
inline const char* const LinkCellClose = " </a></center></td>";
inline const char* const LinksOpen = "<center>";
inline const char* const IndexLink = "<p><a href=\"../index.html\">retour page index</a>";
inline const char* const AuthorLinks =
    "<p>mon email : <a href=\"mailto:auteur@varnook.example\">auteur@varnook.example</a>"
    "<p>N'oubliez pas de visiter <br><a href=\"https://varnook.example/\">mon site web</a>"
    "<br>et de laisser un petit message sur mon livre d'or !<p>et d'utiliser mon portail comme page d'accueil "
    "internet<br><a href=\"https://varnook.example/portail.html\">mon portail</a>";
inline const char* const LinksPageEnd = "</center><p><br></body></html>";

inline const char* const TitleFrameHeadStart =
    "<!doctype html public \"-//w3c//dtd html 4.0 transitional//en\"><html><head>"
    "   <meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">"
    "   <meta name=\"Author\" content=\"odile.varane\">"
    "   <meta name=\"GENERATOR\" content=\"generateur Zevan pour photos\">";
inline const char* const SoundNone = "   <title>frame1</title>  ";
inline const char* const SoundMp3 = "   <title>frame1</title> <bgsound src=\"son.mp3\" loop=10> ";
inline const char* const SoundWav = "   <title>frame1</title> <bgsound src=\"son.wav\" loop=10> ";
inline const char* const TitleFrameHeadEnd = "        </head><body background=\"back.gif\"  bgcolor=\"#";
inline const char* const TitleFrameTableOpen =
    "\"><table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" style=\"border-collapse: collapse\" "
    "bordercolor=\"#111111\" width=\"100%\" id=\"AutoNumber1\">  <tr>    <td width=\"15%\">";
inline const char* const TitleFrameTitleOpen =
    "<td width=\"75%\">    <p align=\"center\"><b><font size=\"6\" color=\"#008000\">";
inline const char* const TitleFrameEnd = "</font></b></td>    <td width=\"0%\">&nbsp;</td>  </tr></table></body></html>";
inline const char* const TitleFrameIndexLink =
    " <p align=\"center\"><a href=\"../index.html\"target=\"_top\">retour page Index</a></td>";

inline const char* const ChoiceHead =
    "<html><head><meta http-equiv=\"Content-Type\"content=\"text/html; charset=iso-8859-1\"><meta name=\"Author\" "
    "content=\"odile.varane\"><meta name=\"GENERATOR\" content=\"generateur Zevan tamblet\"><title>choix</title><base "
    "target=\"present\"></head><body background=\"back.gif\"  bgcolor=\"#";
inline const char* const ChoiceTableOpen =
    "\"><table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\"175\" style=\"border-collapse: collapse\" "
    "bordercolor=\"#111111\">";
inline const char* const ChoiceCellOpen = "    <tr>        <td width=\"177\"><center><a target=\"frame2\"  href=\"jpeg/";
inline const char* const ChoiceImageOpen = "\">        <img border=\"2\" src=\"";
inline const char* const ChoiceCellClose = "\" hspace=\"2\" vspace=\"2\"  ></a></td>    </tr>";
inline const char* const ChoiceEnd = "    </table></body></html>";
inline const char* const ChoicePreviousOpen = " <tr> <td><p align=\"center\"><a target= \"choix\"  href= \"";
inline const char* const ChoicePreviousClose = "\" >pr\xE9" "c\xE9" "dentes</a> </td>    </tr>";
inline const char* const ChoiceNextClose = "\" >suivantes </a></td>    </tr>";

inline const char* const FramesetOpen =
    "<html>    <head>    <meta name=\"generator\" content=\"generateur Zevan pour photos\">    <meta "
    "name=\"keywords\"content=\"tamblet\">    <title>Odile VARANE</title> <frameset cols=\"198,*\"  "
    "frameborder=\"no\" framespacing=\"0\" border=\"0\" >    <frame name=\"choix\" src=\"framec00.html\" "
    "scrolling=\"auto\"  marginwidth=\"0\" marginheight=\"0\" target=\"framep\"  > <frame name= \"frame2\" "
    "src=\"jpeg/";
inline const char* const FramesetClose =
    "\" scrolling=\"auto\" marginwidth=\"10\" marginheight=\"10\"  ></frameset>    </head>    <body>    </body> "
    "</html>";

inline const char* const CRLF = "\r\n";

} // namespace literals
