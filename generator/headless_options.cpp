#include "headless_options.h"

#include "album_layout.h"
#include "program_names.h"
#include "run_host.h"

#include <cctype>

namespace generator {

namespace {

enum class Id {
    photos, web, title, format, perFrame, oneFrame, background, colour, sound, indexLink, noAuthorLinks,
    lowerName, lowerExtension, originalUrl, highResUrl, pace, jobs, help, version
};

struct OptionRow {
    Id id;
    const char* name;
    bool takesValue;
};

constexpr OptionRow kOptions[] = {
    {Id::photos, "photos", true},
    {Id::web, "web", true},
    {Id::title, "title", true},
    {Id::format, "format", true},
    {Id::perFrame, "per-frame", true},
    {Id::oneFrame, "one-frame", false},
    {Id::background, "background", true},
    {Id::colour, "colour", true},
    {Id::sound, "sound", true},
    {Id::indexLink, "index-link", false},
    {Id::noAuthorLinks, "no-author-links", false},
    {Id::lowerName, "lower-name", false},
    {Id::lowerExtension, "lower-ext", false},
    {Id::originalUrl, "original-url", true},
    {Id::highResUrl, "highres-url", true},
    {Id::pace, "pace", true},
    {Id::jobs, "jobs", true},
    {Id::help, "help", false},
    {Id::version, "version", false},
};

constexpr int kMostJobs = 1024;

template <typename T>
struct Choice {
    const char* word;
    T value;
};

template <typename T, std::size_t N>
bool pick(const Choice<T> (&choices)[N], const std::string& word, T& value)
{
    for (const Choice<T>& choice : choices) {
        if (word == choice.word) {
            value = choice.value;
            return true;
        }
    }
    return false;
}

constexpr Choice<PageFormat> kFormats[] = {
    {"frames", PageFormat::frames}, {"noframes", PageFormat::noFrames}, {"both", PageFormat::both}};
constexpr Choice<BackgroundMode> kBackgrounds[] = {
    {"image", BackgroundMode::image}, {"colour", BackgroundMode::colour}};
constexpr Choice<SoundChoice> kSounds[] = {
    {"none", SoundChoice::none}, {"mp3", SoundChoice::mp3}, {"wav", SoundChoice::wav}};
constexpr Choice<Pace> kPaces[] = {{"jobs", Pace::jobs}, {"clock", Pace::clock}};

// The row a typed name stands for: the exact name, else the one name it begins.
const OptionRow* findOption(const std::string& typed, std::string& error)
{
    const OptionRow* found = nullptr;
    int matches = 0;
    for (const OptionRow& row : kOptions) {
        if (typed == row.name)
            return &row;
        if (!typed.empty() && std::string(row.name).rfind(typed, 0) == 0) {
            found = &row;
            ++matches;
        }
    }
    if (matches == 1)
        return found;
    error = matches == 0 ? "option inconnue « --" + typed + " »" : "option ambiguë « --" + typed + " »";
    return nullptr;
}

bool isColour(std::string& text)
{
    if (text.size() != 6)
        return false;
    for (char& c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return true;
}

bool isJobCount(const std::string& text, int& jobs)
{
    if (text.empty() || text.size() > 4)
        return false;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    jobs = value;
    return value >= 1 && value <= kMostJobs;
}

// Applies one option; returns the error, or "" when the value is good.
std::string apply(HeadlessOptions& o, Id id, const std::string& option, const std::string& value)
{
    const auto bad = [&](const std::string& expected) {
        return option + " attend " + expected + ", pas « " + value + " »";
    };
    switch (id) {
    case Id::photos:
        if (value.empty())
            return option + " attend un répertoire";
        o.photos = value;
        break;
    case Id::web:
        if (value.empty())
            return option + " attend un répertoire";
        o.web = value;
        break;
    case Id::title: o.title = value; break;
    case Id::format:
        if (!pick(kFormats, value, o.format))
            return bad("frames, noframes ou both");
        break;
    case Id::perFrame: o.perFrame = value; break;
    case Id::oneFrame: o.oneFrame = true; break;
    case Id::background:
        if (!pick(kBackgrounds, value, o.background))
            return bad("image ou colour");
        break;
    case Id::colour: {
        std::string colour = value;
        if (!isColour(colour))
            return bad("six chiffres hexadécimaux RRGGBB");
        o.colour = colour;
        break;
    }
    case Id::sound:
        if (!pick(kSounds, value, o.sound))
            return bad("none, mp3 ou wav");
        break;
    case Id::indexLink: o.indexLink = true; break;
    case Id::noAuthorLinks: o.noAuthorLinks = true; break;
    case Id::lowerName: o.lowerName = true; break;
    case Id::lowerExtension: o.lowerExtension = true; break;
    case Id::originalUrl: o.originalUrl = value; break;
    case Id::highResUrl: o.highResUrl = value; break;
    case Id::pace:
        if (!pick(kPaces, value, o.pace))
            return bad("jobs ou clock");
        break;
    case Id::jobs:
        if (!isJobCount(value, o.jobs))
            return bad("un nombre entier de 1 à " + std::to_string(kMostJobs));
        break;
    case Id::help: o.help = true; break;
    case Id::version: o.version = true; break;
    }
    return {};
}

} // namespace

ParsedOptions parseHeadlessOptions(const std::vector<std::string>& arguments)
{
    ParsedOptions parsed;
    parsed.options.title = kTitlePreset;
    HeadlessOptions& o = parsed.options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.size() < 3 || argument.compare(0, 2, "--") != 0) {
            parsed.error = "argument inattendu « " + argument + " » (les options commencent par --)";
            return parsed;
        }
        const std::size_t equals = argument.find('=');
        const std::string typed = argument.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
        const OptionRow* row = findOption(typed, parsed.error);
        if (!row)
            return parsed;
        const std::string option = std::string("--") + row->name;
        std::string value;
        if (row->takesValue) {
            if (equals != std::string::npos) {
                value = argument.substr(equals + 1);
            } else if (i + 1 < arguments.size()) {
                value = arguments[++i];
            } else {
                parsed.error = option + " attend une valeur";
                return parsed;
            }
        } else if (equals != std::string::npos) {
            parsed.error = option + " ne prend pas de valeur";
            return parsed;
        }
        parsed.error = apply(o, row->id, option, value);
        if (!parsed.error.empty())
            return parsed;
        if (o.help || o.version)
            return parsed;
    }
    if (o.photos.empty())
        parsed.error = "--photos est obligatoire (le répertoire des photos)";
    else if (o.web.empty())
        parsed.error = "--web est obligatoire (le répertoire des pages Web)";
    else if (o.jobs != 0 && o.pace != Pace::jobs)
        parsed.error = "--jobs ne s'emploie qu'avec --pace jobs";
    return parsed;
}

AlbumSettings settingsFromOptions(const HeadlessOptions& o)
{
    AlbumSettings settings;
    settings.photoFolder = withTrailingSeparator(o.photos);
    settings.webFolder = withTrailingSeparator(o.web);
    settings.pageFormat = o.format;
    settings.thumbnailsPerFrame = thumbnailsPerFrameFromText(o.perFrame);
    settings.allThumbnailsInOneFrame = o.oneFrame;
    settings.backgroundMode = o.background;
    settings.backgroundColour = o.colour;
    settings.soundChoice = o.sound;
    settings.linkToIndex = o.indexLink;
    settings.authorLinks = !o.noAuthorLinks;
    settings.upperCaseName = !o.lowerName;
    settings.upperCaseExtension = !o.lowerExtension;
    if (o.originalUrl) {
        settings.linkOriginal = true;
        settings.originalUrl = *o.originalUrl;
    }
    if (o.highResUrl) {
        settings.linkHighRes = true;
        settings.highResUrl = *o.highResUrl;
    }
    settings.albumTitle = o.title;
    return settings;
}

std::string headlessHelpText()
{
    const std::string program = common::kAlbumProgram;
    return "Usage : " + program + " --photos RÉPERTOIRE --web RÉPERTOIRE [options]\n"
        "Réalise un album photo HTML sans ouvrir de fenêtre : pages, miniatures et copies de\n"
        "640 pixels des photos JPEG du répertoire --photos, écrites dans le répertoire --web\n"
        "(créé s'il n'existe pas).\n"
        "\n"
        "  --photos DIR                      répertoire des photos (obligatoire)\n"
        "  --web DIR                         répertoire des pages Web (obligatoire)\n"
        "  --title TEXTE                     titre de l'album (mes vacances 2001)\n"
        "  --format frames|noframes|both     avec cadres, sans cadre, les deux (frames)\n"
        "  --per-frame TEXTE                 miniatures par cadre choix, de 4 à 32 (16)\n"
        "  --one-frame                       toutes les miniatures dans un seul cadre choix\n"
        "  --background image|colour         image back.gif ou couleur seule (image)\n"
        "  --colour RRGGBB                   couleur de fond (FFFFFF)\n"
        "  --sound none|mp3|wav              fond sonore du bandeau de titre (none)\n"
        "  --index-link                      lien de retour vers ../index.html\n"
        "  --no-author-links                 sans les liens de l'auteur sur page00.html\n"
        "  --lower-name, --lower-ext         nom, extension des images en minuscules\n"
        "  --original-url URL                lien FTP vers les originaux, à cette adresse\n"
        "  --highres-url URL                 lien FTP vers une meilleure résolution\n"
        "  --pace jobs|clock                 jobs : au plus N réductions à la fois (jobs) ;\n"
        "                                    clock : une pause après chaque lancement\n"
        "  --jobs N                          réductions simultanées (nombre de processeurs)\n"
        "  --help, --version                 cette aide, la version\n"
        "\n"
        "À la fin, toutes les images nommées par les pages sont vérifiées. Statut de sortie :\n"
        "0 album complet, 1 échec ou images manquantes (listées), 2 option erronée (rien\n"
        "n'est écrit).\n";
}

} // namespace generator
