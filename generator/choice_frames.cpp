#include "choice_frames.h"

#include "album_layout.h"
#include "page_fragments.h"
#include "page_text.h"
#include "photo_names.h"
#include "run_context.h"
#include "run_host.h"

#include <cmath>

namespace generator {

namespace {

constexpr double kFewestPerFrame = 4;
constexpr double kMostPerFrame = 32;

std::string previousRow(int frame)
{
    return " <tr> <td><p align=\"center\"><a target= \"choix\"  href= \"" + choiceFrameName(frame)
        + "\" >précédentes</a> </td>    </tr>";
}

std::string nextRow(int frame)
{
    return " <tr> <td><p align=\"center\"><a target= \"choix\"  href= \"" + choiceFrameName(frame)
        + "\" >suivantes </a></td>    </tr>";
}

class ChoiceWriter {
public:
    explicit ChoiceWriter(RunContext& run)
        : run_(run), f_(run.fragments)
    {
    }

    std::string frameOpening()
    {
        run_.host.refreshLiveOptions(run_.settings);
        return f_.ChoiceHead + run_.settings.backgroundColour + f_.ChoiceTableOpen;
    }

    // The photo's row goes into the text before its job is launched.
    void appendRow(std::string& text, std::size_t photo, LaunchPlace place, int yields)
    {
        run_.host.refreshLiveOptions(run_.settings);
        const AlbumSettings& s = run_.settings;
        const std::string listed = s.photoFiles[photo];
        const std::string adjusted = adjustedName(listed, s.upperCaseName, s.upperCaseExtension);
        const std::string page = photoPageName(adjusted);
        text += f_.ChoiceCellOpen + nameForUrl(page) + f_.ChoiceImageOpen + "minia/" + nameForUrl(adjusted)
            + f_.ChoiceCellClose;
        run_.host.setStatus("création photo du cadre choix " + adjusted);
        launchAndPace(run_, place, listed, adjusted);
        for (int i = 0; i < yields; ++i)
            run_.host.yield();
        if (photo == 0)
            firstPhotoPage_ = page;
    }

    void write(int frame, const std::string& text)
    {
        writeAlbumPage(run_, run_.settings.webFolder + choiceFrameName(frame), text);
    }

    const std::string& firstPhotoPage() const { return firstPhotoPage_; }

private:
    RunContext& run_;
    const PageFragments& f_;
    std::string firstPhotoPage_;
};

} // namespace

double clampedThumbnailsPerFrame(double thumbnailsPerFrame)
{
    if (std::isnan(thumbnailsPerFrame) || thumbnailsPerFrame < kFewestPerFrame)
        return kFewestPerFrame;
    if (thumbnailsPerFrame > kMostPerFrame)
        return kMostPerFrame;
    return thumbnailsPerFrame;
}

int wholeThumbnailsPerFrame(double thumbnailsPerFrame)
{
    const double value = clampedThumbnailsPerFrame(thumbnailsPerFrame);
    const double below = std::floor(value);
    const double fraction = value - below;
    double whole = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0))
        whole = below + 1;
    return static_cast<int>(whole);
}

std::string n_framec(RunContext& run)
{
    ChoiceWriter writer(run);
    const int photoCount = static_cast<int>(run.settings.photoFiles.size());
    const int perFrame = wholeThumbnailsPerFrame(run.settings.thumbnailsPerFrame);
    const int fullFrameCount = photoCount / perFrame;
    const int frameRemainder = photoCount - perFrame * fullFrameCount;
    const int frameCount = fullFrameCount + (frameRemainder != 0 ? 1 : 0);

    for (int k = 0; k < frameCount; ++k) {
        const bool last = k == frameCount - 1;
        const int thumbnails = last && frameRemainder != 0 ? frameRemainder : perFrame;
        std::string text = writer.frameOpening();
        if (k != 0)
            text += "\r\n" + previousRow(k - 1);
        for (int j = 0; j < thumbnails; ++j) {
            text += "\r\n";
            writer.appendRow(text, static_cast<std::size_t>(k * perFrame + j), LaunchPlace::choiceFrames, 2);
        }
        if (!last)
            text += "\r\n" + nextRow(k + 1);
        text += "\r\n" + run.fragments.ChoiceEnd;
        writer.write(k, text);
    }
    return writer.firstPhotoPage();
}

std::string g_framec(RunContext& run)
{
    ChoiceWriter writer(run);
    run.host.setStatus("création frame choix ");
    run.host.yield();
    std::string text = writer.frameOpening();
    for (std::size_t photo = 0; photo < run.settings.photoFiles.size(); ++photo)
        writer.appendRow(text, photo, LaunchPlace::singleChoiceFrame, 1);
    text += run.fragments.ChoiceEnd;
    writer.write(0, text);
    return writer.firstPhotoPage();
}

} // namespace generator
