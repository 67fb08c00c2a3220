#pragma once

#include <string>

namespace generator {

struct AlbumSettings;

// The title box's texts, shared by every host.
inline constexpr const char* kTitlePrompt = "quel titre voulez vous donner à la production";
inline constexpr const char* kTitleCaption = "générateur album photo";
inline constexpr const char* kTitlePreset = "mes vacances 2001";

// What a generation run needs from whoever started it: the window, or a console host.
// Every call comes on the run's own thread.
class RunHost {
public:
    virtual ~RunHost() = default;

    // The album title typed, or "" when the user cancels.
    virtual std::string askTitle() = 0;
    virtual void setStatus(const std::string& text) = 0;
    // launched of total resizer jobs; total is at least 1 whenever this is called.
    virtual void setProgress(int launched, int total) = 0;
    virtual void setBusy(bool busy) = 0;
    virtual void showFrameCount(const std::string& text) = 0;
    // Handles pending events and returns at once.
    virtual void yield() = 0;
    // Blocks until at least one event or pacing tick has been handled; the pause after a
    // launch sleeps here instead of spinning.
    virtual void waitForEvents() = 0;
    // Lets the host copy into the settings what the user changed during the run (check
    // boxes, FTP texts); writers call it before each photo.
    virtual void refreshLiveOptions(AlbumSettings& settings) { (void)settings; }
    // True once the run should end early (the window was closed mid-run): the run stops
    // before its next launch or page, and a pause in progress ends.
    virtual bool stopRequested() const { return false; }
};

} // namespace generator
