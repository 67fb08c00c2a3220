#pragma once

#include "colour_chooser.h"
#include "control_table.h"
#include "folder_lists.h"

#include "album_settings.h"
#include "page_fragments.h"
#include "run_host.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QTimer;
class QListWidgetItem;

namespace generator {
class ClockPacing;
class ProcessLauncher;
class SpawnLauncher;
} // namespace generator

namespace gui {

struct MainWindowOptions {
    // Where brunsk and the data files live; empty means the running program's folder.
    std::string programFolder;
    // The processor clock rate in MHz; empty means proc1. A rate high enough makes every
    // pause after a launch zero ticks long.
    std::function<std::int32_t()> clockRate;
    // Starts the resizer jobs; null means the window's own launcher (no shell, reaped).
    generator::ProcessLauncher* launcher = nullptr;
    // The mount points the drive lists offer; empty means the mounted file systems.
    QStringList drives;
};

// The program's one window: every choice of a run, and the host the run reports to.
// Controls are found by their object names; an element of a control array is named
// like "Option1(0)".
class MainWindow : public QWidget, public generator::RunHost {
    Q_OBJECT
public:
    explicit MainWindow(MainWindowOptions options = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The window variables.
    int pageFormat() const { return pageFormat_; }
    int imagesPerPhoto() const { return imagesPerPhoto_; }
    generator::BackgroundMode backgroundMode() const { return backgroundMode_; }
    const QString& backgroundColour() const { return backgroundColour_; }
    const QString& photoFolder() const { return photoFolder_; }
    const QString& webFolder() const { return webFolder_; }
    const QString& programFolder() const { return programFolder_; }
    std::int32_t clockRate() const { return clockRate_; }
    const generator::PageFragments& fragments() const { return fragments_; }

    // The settings the start button gives a run, from the controls and variables.
    generator::AlbumSettings albumSettings() const;
    bool isRunning() const { return running_; }
    // The open colour chooser, or null.
    ColourChooser* colourChooser() const { return chooser_; }

    // What a run needs from the window.
    std::string askTitle() override;
    void setStatus(const std::string& text) override;
    void setProgress(int launched, int total) override;
    void setBusy(bool busy) override;
    void showFrameCount(const std::string& text) override;
    void yield() override;
    void waitForEvents() override;
    void refreshLiveOptions(generator::AlbumSettings& settings) override;
    bool stopRequested() const override { return stopRequested_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    template <class Control>
    Control* control(const QString& name) const;
    template <class Control>
    Control* control(const char* name) const;
    bool checked(const QString& name) const;
    bool checked(const char* name) const { return checked(QString::fromLatin1(name)); }
    void clearStatus();

    void createControls();
    void connectHandlers();
    void startUp();
    void centreOnScreen();

    void checkClicked();
    void check5Clicked();
    void check6Clicked();
    void check7Clicked();
    void option1Clicked(int index);
    void option2Clicked(int index);
    void option3Clicked();
    void drive1Changed(const QString& drive);
    void drive2Changed(const QString& drive);
    void dir1Changed(const QString& folder);
    void dir2Changed(const QString& folder);
    void file1DoubleClicked(QListWidgetItem* item);
    void command1Clicked();
    void command4Clicked();
    void command5Clicked();
    void timer1Tick();

    void openColourChooser();
    void colourMixed(const QColor& colour, const QString& text);
    void copyLiveOptions(generator::AlbumSettings& settings) const;

    MainWindowOptions options_;
    ControlMap controls_;
    QTimer* timer1_ = nullptr;
    QPointer<ColourChooser> chooser_;
    DriveFolders driveFolders_;

    int pageFormat_ = 0;
    int imagesPerPhoto_ = 2;
    generator::BackgroundMode backgroundMode_ = generator::BackgroundMode::image;
    QString backgroundColour_ = QStringLiteral("FFFFFF");
    QString photoFolder_;
    QString webFolder_;
    QString programFolder_;
    std::int32_t clockRate_ = 0;
    generator::PageFragments fragments_;

    std::unique_ptr<generator::SpawnLauncher> ownLauncher_;
    generator::ProcessLauncher* launcher_ = nullptr;
    std::unique_ptr<generator::ClockPacing> pacing_;
    bool running_ = false;
    bool stopRequested_ = false;
};

} // namespace gui
