#include "main_window.h"

#include "colour_chooser.h"
#include "filled_shape.h"

#include "album_layout.h"
#include "generation_run.h"
#include "launch_pacing.h"
#include "pacing.h"
#include "process_launcher.h"
#include "program_folder.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QImageReader>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QUrl>

#include <algorithm>

namespace gui {

namespace {

constexpr int kClientWidth = 714;
constexpr int kClientHeight = 588;
constexpr int kTimerInterval = 100; // ms, the pause's tick

// The bar of the progress gauge rises at most 2500 twips (15 per pixel) from its base.
constexpr double kGaugeTwips = 2500;
constexpr double kTwipsPerPixel = 15;

// Option2's index to the Text4 swatch beside it; -1 for the two buttons without one.
constexpr int kSwatchOfOption2[] = {0, 1, 2, 3, -1, -1, 4, 5, 6, 7, 8};
constexpr int kCustomColourOption = 4;
constexpr int kImageOption = 5;

const generator::SoundChoice kSoundOfOption3[] = {generator::SoundChoice::wav, generator::SoundChoice::mp3,
                                                  generator::SoundChoice::none};

QString arrayName(const char* array, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(index);
}

// The program folder as the system gives it, without the separator the rule appends.
QString systemFolderText(const QString& folder)
{
    if (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        return folder.chopped(1);
    return folder;
}

} // namespace

MainWindow::MainWindow(MainWindowOptions options, QWidget* parent)
    : QWidget(parent)
    , options_(std::move(options))
{
    if (options_.programFolder.empty())
        options_.programFolder = generator::programFolder();
    if (!options_.clockRate)
        options_.clockRate = [] { return generator::proc1(); };
    if (!options_.drives.isEmpty())
        driveFolders_ = DriveFolders(options_.drives);
    launcher_ = options_.launcher;
    if (!launcher_) {
        ownLauncher_ = std::make_unique<generator::SpawnLauncher>();
        launcher_ = ownLauncher_.get();
    }

    createControls();
    connectHandlers();
    startUp();
}

MainWindow::~MainWindow() = default;

template <class Control>
Control* MainWindow::control(const QString& name) const
{
    auto* widget = qobject_cast<Control*>(controls_.value(name));
    Q_ASSERT(widget);
    return widget;
}

template <class Control>
Control* MainWindow::control(const char* name) const
{
    return control<Control>(QString::fromLatin1(name));
}

bool MainWindow::checked(const QString& name) const
{
    return control<QAbstractButton>(name)->isChecked();
}

void MainWindow::clearStatus()
{
    control<QLabel>("Label1")->clear();
}

void MainWindow::createControls()
{
    setWindowTitle(QStringLiteral("générateur de pages WEB photos"));
    setFont(formFont());
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    palette.setColor(QPalette::WindowText, Qt::black);
    setPalette(palette);
    setAutoFillBackground(true);
    setFixedSize(kClientWidth, kClientHeight);

    const QString programFolder = QString::fromStdString(options_.programFolder);
    setWindowIcon(QIcon(programFolder + QStringLiteral("varnook.png")));

    controls_ = buildControls(this, mainWindowControls());

    QImageReader texture(programFolder + QString::fromLatin1(generator::kBackgroundData), "gif");
    control<PictureBox>("Picture1")->setPicture(texture.read());

    // The folder lists open on the working folder; no handler runs for that.
    for (const char* drive : {"Drive1", "Drive2"})
        control<DriveList>(drive)->setDriveFolders(&driveFolders_);
    QString start = QDir::currentPath();
    for (const char* dir : {"Dir1", "Dir2"}) {
        if (!control<FolderList>(dir)->openFolder(start)) {
            start = QStringLiteral("/");
            control<FolderList>(dir)->openFolder(start);
        }
    }
    driveFolders_.visit(start);
    for (const char* drive : {"Drive1", "Drive2"})
        control<DriveList>(drive)->showDriveQuietly(driveFolders_.driveOf(start));
    control<PhotoFileList>("File1")->setFolder(start);

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(kTimerInterval);
}

void MainWindow::connectHandlers()
{
    for (const char* name : {"Check1", "Check2", "Check3", "Check4"})
        connect(control<QAbstractButton>(name), &QAbstractButton::clicked, this, &MainWindow::checkClicked);
    connect(control<QAbstractButton>("Check5"), &QAbstractButton::clicked, this, &MainWindow::check5Clicked);
    connect(control<QAbstractButton>("Check6"), &QAbstractButton::clicked, this, &MainWindow::check6Clicked);
    connect(control<QAbstractButton>("Check7"), &QAbstractButton::clicked, this, &MainWindow::check7Clicked);

    // One exclusive group per option array; a click runs the handler even on the button
    // already selected, so "couleur personalisée" can reopen a closed chooser.
    auto group = [this](const char* array, int size) {
        auto* buttons = new QButtonGroup(this);
        buttons->setObjectName(QString::fromLatin1(array));
        for (int i = 0; i < size; ++i)
            buttons->addButton(control<QAbstractButton>(arrayName(array, i)), i);
        return buttons;
    };
    connect(group("Option1", 3), &QButtonGroup::idClicked, this, &MainWindow::option1Clicked);
    connect(group("Option2", 11), &QButtonGroup::idClicked, this, &MainWindow::option2Clicked);
    connect(group("Option3", 3), &QButtonGroup::idClicked, this, &MainWindow::option3Clicked);

    connect(control<DriveList>("Drive1"), &DriveList::driveChanged, this, &MainWindow::drive1Changed);
    connect(control<DriveList>("Drive2"), &DriveList::driveChanged, this, &MainWindow::drive2Changed);
    for (const char* dir : {"Dir1", "Dir2"}) {
        connect(control<FolderList>(dir), &FolderList::folderUnreadable, this,
                [this](const QString& message) { setStatus(message.toStdString()); });
    }
    connect(control<FolderList>("Dir1"), &FolderList::folderChanged, this, &MainWindow::dir1Changed);
    connect(control<FolderList>("Dir2"), &FolderList::folderChanged, this, &MainWindow::dir2Changed);
    connect(control<PhotoFileList>("File1"), &QListWidget::itemDoubleClicked, this,
            &MainWindow::file1DoubleClicked);

    connect(control<QPushButton>("Command1"), &QPushButton::clicked, this, &MainWindow::command1Clicked);
    connect(control<QPushButton>("Command4"), &QPushButton::clicked, this, &MainWindow::command4Clicked);
    connect(control<QPushButton>("Command5"), &QPushButton::clicked, this, &MainWindow::command5Clicked);
    connect(timer1_, &QTimer::timeout, this, &MainWindow::timer1Tick);
}

void MainWindow::startUp()
{
    centreOnScreen();

    const QString programFolder = QString::fromStdString(options_.programFolder);
    const QString systemText = systemFolderText(programFolder);
    control<DriveList>("Drive1")->setDrive(driveFolders_.driveOf(systemText));
    control<FolderList>("Dir1")->openFolder(systemText);

    control<QLabel>("Label6")->setText(systemText);
    control<QLabel>("Label8")->setText(systemText);

    fragments_ = generator::buildPageFragments();
    programFolder_ = withTrailingSeparator(programFolder);
    backgroundColour_ = QString::fromLatin1(generator::kStartBackgroundColour);

    backgroundMode_ = generator::BackgroundMode::image;
    control<QLabel>("Label1")->setText(QStringLiteral("Faites vos choix !"));
    imagesPerPhoto_ = 2;

    clockRate_ = options_.clockRate();
    pacing_ = std::make_unique<generator::ClockPacing>(clockRate_);
    timer1_->start();
}

void MainWindow::centreOnScreen()
{
    const QScreen* screen = this->screen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize outer = frameGeometry().size();
    // Halves truncate toward zero; a small screen gives negative offsets.
    move(area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 2);
}

void MainWindow::checkClicked()
{
    clearStatus();
}

void MainWindow::check5Clicked()
{
    control<QLineEdit>("Text1")->setEnabled(checked("Check5"));
    clearStatus();
}

void MainWindow::check6Clicked()
{
    control<QLineEdit>("Text2")->setEnabled(checked("Check6"));
    clearStatus();
}

void MainWindow::check7Clicked()
{
    control<QLineEdit>("Text5")->setEnabled(!checked("Check7"));
}

void MainWindow::option1Clicked(int index)
{
    pageFormat_ = index;
    clearStatus();
    auto* text5 = control<QLineEdit>("Text5");
    auto* check7 = control<QAbstractButton>("Check7");
    const bool noFrames = index == static_cast<int>(generator::PageFormat::noFrames);
    if (noFrames)
        text5->setText(QStringLiteral("8"));
    text5->setEnabled(!noFrames);
    control<QLabel>("Label12")->setEnabled(!noFrames);
    // Set from code: Check7's own handler does not run.
    if (noFrames)
        check7->setChecked(false);
    check7->setEnabled(!noFrames);
    imagesPerPhoto_ = index == static_cast<int>(generator::PageFormat::both) ? 3 : 2;
}

void MainWindow::option2Clicked(int index)
{
    backgroundMode_ = generator::BackgroundMode::colour;
    if (index == kCustomColourOption) {
        openColourChooser();
        return;
    }
    if (index == kImageOption) {
        backgroundMode_ = generator::BackgroundMode::image;
        return;
    }
    const QColor swatch = control<QLineEdit>(arrayName("Text4", kSwatchOfOption2[index]))
                              ->palette()
                              .color(QPalette::Base);
    auto* text3 = control<QLineEdit>("Text3");
    QPalette palette = text3->palette();
    palette.setColor(QPalette::Base, swatch);
    text3->setPalette(palette);
    backgroundColour_ = ColourChooser::colourText(swatch.red(), swatch.green(), swatch.blue());
}

void MainWindow::option3Clicked()
{
    for (int i = 0; i < 3; ++i) {
        if (checked(arrayName("Option3", i))) {
            generator::setTitleFrameSound(fragments_, kSoundOfOption3[i]);
            return;
        }
    }
}

void MainWindow::drive1Changed(const QString& drive)
{
    auto* dir1 = control<FolderList>("Dir1");
    if (!dir1->openFolder(driveFolders_.currentFolder(drive))) {
        // The message stays in the status line; the lists stay on the readable folder.
        control<DriveList>("Drive1")->showDriveQuietly(driveFolders_.driveOf(dir1->folder()));
        return;
    }
    clearStatus();
}

void MainWindow::drive2Changed(const QString& drive)
{
    auto* dir2 = control<FolderList>("Dir2");
    if (!dir2->openFolder(driveFolders_.currentFolder(drive))) {
        control<DriveList>("Drive2")->showDriveQuietly(driveFolders_.driveOf(dir2->folder()));
        return;
    }
    clearStatus();
}

void MainWindow::dir1Changed(const QString& folder)
{
    driveFolders_.visit(folder);
    auto* file1 = control<PhotoFileList>("File1");
    file1->setFolder(folder);
    photoFolder_ = withTrailingSeparator(folder);
    auto* command5 = control<QPushButton>("Command5");
    if (file1->count() > 0) {
        // A run in progress owns the start button until it ends.
        if (!running_)
            command5->setEnabled(true);
    } else {
        command5->setEnabled(false);
        clearStatus();
    }
    clearStatus();
    control<QLabel>("Label8")->setText(photoFolder_);
    // Opening a folder on another file system moves the drive list with it.
    control<DriveList>("Drive1")->setDrive(driveFolders_.driveOf(folder));
}

void MainWindow::dir2Changed(const QString& folder)
{
    driveFolders_.visit(folder);
    webFolder_ = withTrailingSeparator(folder);
    clearStatus();
    control<QLabel>("Label6")->setText(webFolder_);
    control<DriveList>("Drive2")->setDrive(driveFolders_.driveOf(folder));
}

void MainWindow::file1DoubleClicked(QListWidgetItem* item)
{
    if (item)
        control<QLabel>("Label1")->setText(control<PhotoFileList>("File1")->pathOf(item));
}

void MainWindow::command1Clicked()
{
    close();
    QCoreApplication::quit();
}

void MainWindow::command4Clicked()
{
    // Nothing is reported when no application can open the page.
    QDesktopServices::openUrl(QUrl::fromLocalFile(programFolder_ + QString::fromLatin1(generator::kHelpFile)));
}

void MainWindow::command5Clicked()
{
    if (running_)
        return;
    generator::AlbumSettings settings = albumSettings();
    running_ = true;
    stopRequested_ = false;
    try {
        generator::GenerationRun(settings, *this, {fragments_, *launcher_, *pacing_});
    } catch (const std::exception&) {
        // The run has re-enabled the controls and put its message in the status line.
        if (isVisible())
            QMessageBox::warning(this, windowTitle(), control<QLabel>("Label1")->text());
    }
    running_ = false;
}

void MainWindow::timer1Tick()
{
    if (pacing_)
        pacing_->tick();
    // Resizers that ended since the last tick do not linger as zombies.
    if (ownLauncher_)
        ownLauncher_->reapFinished();
}

void MainWindow::openColourChooser()
{
    if (chooser_) {
        chooser_->raise();
        chooser_->activateWindow();
        return;
    }
    chooser_ = new ColourChooser(this);
    connect(chooser_, &ColourChooser::colourMixed, this, &MainWindow::colourMixed);
    chooser_->show();
}

void MainWindow::colourMixed(const QColor& colour, const QString& text)
{
    auto* text3 = control<QLineEdit>("Text3");
    QPalette palette = text3->palette();
    palette.setColor(QPalette::Base, colour);
    text3->setPalette(palette);
    backgroundColour_ = text;
}

generator::AlbumSettings MainWindow::albumSettings() const
{
    generator::AlbumSettings settings;
    settings.webFolder = toNative(webFolder_);
    settings.photoFolder = toNative(photoFolder_);
    settings.photoFiles = control<PhotoFileList>("File1")->names();
    settings.programFolder = toNative(programFolder_);
    settings.pageFormat = static_cast<generator::PageFormat>(pageFormat_);
    settings.allThumbnailsInOneFrame = checked("Check7");
    settings.thumbnailsPerFrame =
        generator::thumbnailsPerFrameFromText(control<QLineEdit>("Text5")->text().toStdString());
    settings.backgroundMode = backgroundMode_;
    settings.upperCaseName = checked("Check3");
    settings.upperCaseExtension = checked("Check4");
    copyLiveOptions(settings);
    return settings;
}

void MainWindow::refreshLiveOptions(generator::AlbumSettings& settings)
{
    copyLiveOptions(settings);
}

void MainWindow::copyLiveOptions(generator::AlbumSettings& settings) const
{
    // The options a change of which mid-run suits the photos still to come. The name
    // case and the frame layout stay as the run began, or the pages already written
    // would link to names and frames the rest of the album does not have.
    settings.backgroundColour = backgroundColour_.toStdString();
    for (int i = 0; i < 3; ++i) {
        if (checked(arrayName("Option3", i)))
            settings.soundChoice = kSoundOfOption3[i];
    }
    settings.linkToIndex = checked("Check1");
    settings.authorLinks = checked("Check2");
    settings.linkOriginal = checked("Check5");
    settings.originalUrl = control<QLineEdit>("Text1")->text().toStdString();
    settings.linkHighRes = checked("Check6");
    settings.highResUrl = control<QLineEdit>("Text2")->text().toStdString();
}

std::string MainWindow::askTitle()
{
    QInputDialog box(this);
    box.setObjectName(QStringLiteral("titleBox"));
    box.setWindowTitle(QString::fromUtf8(generator::kTitleCaption));
    box.setLabelText(QString::fromUtf8(generator::kTitlePrompt));
    box.setTextValue(QString::fromUtf8(generator::kTitlePreset));
    if (box.exec() != QDialog::Accepted)
        return {};
    return box.textValue().toStdString();
}

void MainWindow::setStatus(const std::string& text)
{
    control<QLabel>("Label1")->setText(QString::fromStdString(text));
}

void MainWindow::setProgress(int launched, int total)
{
    if (total <= 0)
        return;
    const QRect frame = control<FilledShape>("Shape1")->geometry();
    const int base = frame.top() + qRound(kGaugeTwips / kTwipsPerPixel);
    const double share = std::clamp(double(launched) / total, 0.0, 1.0);
    const int height = qRound(kGaugeTwips * share / kTwipsPerPixel);
    control<FilledShape>("Shape2")->setGeometry(frame.left(), base - height, frame.width(), height);
}

void MainWindow::setBusy(bool busy)
{
    for (const char* name : {"Command1", "Command5", "Dir1", "Text5"})
        control<QWidget>(name)->setEnabled(!busy);
    auto* frame = control<FilledShape>("Shape1");
    auto* bar = control<FilledShape>("Shape2");
    if (busy)
        bar->setGeometry(frame->x(), frame->y(), frame->width(), 1);
    frame->setVisible(busy);
    bar->setVisible(busy);
}

void MainWindow::showFrameCount(const std::string& text)
{
    control<QLineEdit>("Text5")->setText(QString::fromStdString(text));
}

void MainWindow::yield()
{
    QCoreApplication::processEvents();
}

void MainWindow::waitForEvents()
{
    // Sleeps until something happens; Timer1 wakes it within 100 ms.
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // A run in progress launches nothing more and returns; jobs already started finish
    // on their own.
    if (running_)
        stopRequested_ = true;
    if (chooser_)
        chooser_->close();
    event->accept();
}

} // namespace gui
