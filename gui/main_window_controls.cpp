#include "control_table.h"

#include "album_settings.h"

namespace gui {

namespace {

using K = ControlKind;

constexpr int kBlue = 0x0000FF;
constexpr int kRed = 0xFF0000;
constexpr int kBlack = 0x000000;

// Rows in keyboard order. For a rectangle the text colour is its border.
constexpr ControlRow kRows[] = {
    {"Label5", K::label, 8, 8, 225, 17, "1- Choix du répertoire des pages Web", kNormal, kBlue},
    {"Drive2", K::driveList, 16, 32, 209, 21},
    {"Dir2", K::folderList, 16, 64, 209, 186},
    {"Label4", K::label, 248, 8, 193, 17, "2- choix du répertoire des photos", kNormal, kBlue},
    {"Drive1", K::driveList, 256, 32, 209, 21},
    {"Dir1", K::folderList, 256, 64, 209, 186},
    {"File1", K::fileList, 776, 408, 105, 84, "", kHidden},
    {"Frame1", K::frame, 480, 8, 217, 169, "3 - choix du format", kNormal, kBlue},
    {"Option1(0)", K::optionButton, 504, 24, 185, 33, "Avec cadres (index.html)", kChecked, kBlack, kDefaultColour, "Frame1"},
    {"Option1(1)", K::optionButton, 504, 48, 185, 25, "Sans cadre (page00.html)", kNormal, kBlack, kDefaultColour, "Frame1"},
    {"Option1(2)", K::optionButton, 504, 72, 121, 17, "Les deux", kNormal, kBlack, kDefaultColour, "Frame1"},
    {"Check7", K::checkBox, 504, 88, 145, 49, "Toutes les miniatures dans un seul cadre de choix", kNormal, kBlack, kDefaultColour, "Frame1"},
    {"Label12", K::label, 488, 144, 129, 25, "Nombre de miniatures par cadre choix", kNormal, kBlack, kDefaultColour, "Frame1"},
    {"Text5", K::textBox, 632, 144, 41, 25, "16", kNormal, kBlack, kDefaultColour, "Frame1"},
    {"Command5", K::pushButton, 16, 264, 209, 33, "Lancer la réalisation  des pages", kDisabled},
    {"Command1", K::pushButton, 256, 264, 97, 33, "&Quitter"},
    {"Command4", K::pushButton, 376, 264, 89, 33, "Aide"},
    {"Label7", K::label, 512, 184, 137, 17, "4- Choix arrière plan", kNormal, kBlue},
    {"Text3", K::textBox, 520, 200, 137, 19, "", kReadOnly, kBlack, 0xFFFFFF},
    {"Option2(0)", K::optionButton, 520, 224, 17, 25},
    {"Text4(0)", K::textBox, 544, 224, 25, 19, "", kReadOnly, 0x404040, 0xC0C0C0},
    {"Option2(1)", K::optionButton, 520, 248, 17, 25},
    {"Text4(1)", K::textBox, 544, 248, 25, 19, "", kReadOnly, kBlack, 0xFF80FF},
    {"Option2(2)", K::optionButton, 520, 272, 17, 25},
    {"Text4(2)", K::textBox, 544, 272, 25, 19, "", kReadOnly, kBlack, 0x80FF80},
    {"Option2(3)", K::optionButton, 520, 296, 17, 25},
    {"Text4(3)", K::textBox, 544, 296, 25, 19, "", kReadOnly, kBlack, 0x00FFFF},
    {"Option2(6)", K::optionButton, 520, 320, 17, 25},
    {"Text4(4)", K::textBox, 544, 320, 25, 19, "", kReadOnly, kBlack, 0xFF8000},
    {"Option2(7)", K::optionButton, 520, 344, 17, 25},
    {"Text4(5)", K::textBox, 544, 344, 25, 19, "", kReadOnly, kBlack, 0xFF0000},
    {"Option2(8)", K::optionButton, 520, 368, 17, 25},
    {"Text4(6)", K::textBox, 544, 368, 25, 19, "", kReadOnly, kBlack, 0xFFFF00},
    {"Option2(9)", K::optionButton, 520, 392, 17, 25},
    {"Text4(7)", K::textBox, 544, 392, 25, 19, "", kReadOnly, kBlack, 0xFFC0C0},
    {"Option2(10)", K::optionButton, 520, 416, 17, 25},
    {"Text4(8)", K::textBox, 544, 416, 25, 19, "", kReadOnly, kBlack, 0xFFFFFF},
    {"Option2(4)", K::optionButton, 520, 440, 153, 25, "couleur personalisée"},
    {"Option2(5)", K::optionButton, 520, 464, 105, 25, "image back.gif", kChecked},
    {"Picture1", K::pictureBox, 632, 464, 41, 33},
    {"Shape1", K::rectangle, 680, 232, 17, 184, "", kHidden, 0x808080, 0xE0E0E0},
    {"Shape2", K::rectangle, 680, 232, 17, 1, "", kHidden, kDefaultColour, 0x00FF00},
    {"Label11", K::label, 8, 304, 273, 17, "5- autres paramètres", kNormal, kBlue},
    {"Check3", K::checkBox, 16, 320, 337, 17, "nom du fichier jpeg en majuscule", kChecked},
    {"Check4", K::checkBox, 16, 336, 337, 17, "extension du fichier jpeg en majuscule", kChecked},
    {"Check5", K::checkBox, 16, 360, 369, 17, "inclure un lien pour le téléchargement de l'original"},
    {"Label2", K::label, 24, 376, 89, 25, "lien répertoire des originaux"},
    {"Text1", K::textBox, 128, 384, 361, 19, generator::kExampleOriginalUrl, kDisabled},
    {"Check6", K::checkBox, 16, 408, 417, 17, "inclure un lien pour le téléchargement   d'une meilleure résolution"},
    {"Label3", K::label, 24, 424, 97, 25, "lien répertoire des résolutions+"},
    {"Text2", K::textBox, 128, 424, 361, 19, generator::kExampleHighResUrl, kDisabled},
    {"Check1", K::checkBox, 16, 456, 297, 17, "Inclure un retour vers une page index.html"},
    {"Check2", K::checkBox, 16, 472, 329, 17, "Inclure les liens internet  de l'auteur du logiciel", kChecked},
    {"Frame2", K::frame, 360, 296, 137, 81, "son"},
    {"Option3(0)", K::optionButton, 376, 312, 97, 25, "son.wav", kNormal, kBlack, kDefaultColour, "Frame2"},
    {"Option3(1)", K::optionButton, 376, 328, 97, 25, "son.mp3", kNormal, kBlack, kDefaultColour, "Frame2"},
    {"Option3(2)", K::optionButton, 376, 352, 81, 17, "aucun", kChecked, kBlack, kDefaultColour, "Frame2"},
    {"Label9", K::label, 8, 504, 113, 17, "Répertoire Web"},
    {"Label6", K::label, 128, 504, 545, 17, "", kNormal, kBlack, kFaceColour},
    {"Label10", K::label, 8, 536, 113, 17, "Répertoire Photos"},
    {"Label8", K::label, 128, 536, 545, 17, "", kNormal, kBlack, kFaceColour},
    {"Label1", K::label, 168, 560, 457, 25, "", kNormal, kRed},
};

} // namespace

std::span<const ControlRow> mainWindowControls()
{
    return kRows;
}

} // namespace gui
