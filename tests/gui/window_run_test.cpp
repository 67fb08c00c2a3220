// Runs started from the window's start button: the album they make, and the window during
// and after them.
#include "window_test_support.h"

#include "folder_lists.h"
#include "main_window.h"

#include "generation_run.h"
#include "process_launcher.h"

#include "jpeg_fixtures.h"
#include "process.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <sys/resource.h>

using namespace window_tests;

namespace {

namespace fs = std::filesystem;

QString q(const std::string& text)
{
    return QString::fromStdString(text);
}

// Records each launch instead of starting a process; the test may act at a launch.
class RecordingLauncher : public generator::ProcessLauncher {
public:
    std::vector<generator::LaunchRequest> launches;
    std::function<void(const generator::LaunchRequest&)> onLaunch;

    void launch(const generator::LaunchRequest& request) override
    {
        launches.push_back(request);
        if (onLaunch)
            onLaunch(request);
    }
};

std::string readAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every file under folder, by its path relative to it.
std::map<std::string, fs::path> filesUnder(const fs::path& folder)
{
    std::map<std::string, fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file())
            files.emplace(fs::relative(entry.path(), folder).string(), entry.path());
    }
    return files;
}

double processorSeconds()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// A user clicking a control, delivered whenever the window's event loop next turns.
void clickLater(QWidget* widget, int delayMs = 0)
{
    QTimer::singleShot(delayMs, widget, [widget] { QTest::mouseClick(widget, Qt::LeftButton); });
}

} // namespace

class WindowRunTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void runMatchesTheHeadlessRun_data();
    void runMatchesTheHeadlessRun();
    void windowAnswersDuringARun();
    void startButtonStaysOffDuringARun();
    void closingStopsTheRun();
    void failedRunIsReported();

private:
    // A window on the fixture's photo and web folders.
    std::unique_ptr<gui::MainWindow> openWindow(gui::MainWindowOptions options)
    {
        auto window = std::make_unique<gui::MainWindow>(std::move(options));
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qFatal("window not shown");
        control<gui::FolderList>(window.get(), QStringLiteral("Dir1"))->openFolder(q(photos_));
        control<gui::FolderList>(window.get(), QStringLiteral("Dir2"))->openFolder(q(web_));
        return window;
    }
    void addPhotos(int count)
    {
        for (int i = 1; i <= count; ++i) {
            fixtures::writeFile(photos_ + "/Photo" + std::to_string(i) + ".jpg",
                                fixtures::makeJpeg({.width = 40 + 8 * i, .height = 30}));
        }
    }
    // Answers the title box with title, after checking the window's busy state.
    void answerTitle(CatchShow& catcher, gui::MainWindow* window, const QString& title, bool& busySeen)
    {
        catcher.setCallback<QInputDialog>([window, title, &busySeen](QInputDialog* box) {
            busySeen = true;
            for (const char* name : {"Command1", "Command5", "Dir1", "Text5"})
                busySeen = busySeen && !control(window, QString::fromLatin1(name))->isEnabled();
            for (const char* name : {"Shape1", "Shape2"})
                busySeen = busySeen && control(window, QString::fromLatin1(name))->isVisible();
            busySeen = busySeen && box->windowTitle() == QStringLiteral("générateur album photo")
                && box->labelText() == QStringLiteral("quel titre voulez vous donner à la production")
                && box->textValue() == QStringLiteral("mes vacances 2001");
            box->setTextValue(title);
            box->accept();
        });
    }
    QString status(const gui::MainWindow* window) const
    {
        return control<QLabel>(window, QStringLiteral("Label1"))->text();
    }

    std::unique_ptr<fixtures::TempDir> dir_;
    std::string photos_;
    std::string web_;
};

void WindowRunTest::init()
{
    dir_ = std::make_unique<fixtures::TempDir>();
    photos_ = dir_->file("photos");
    web_ = dir_->file("album");
    fs::create_directory(photos_);
    fs::create_directory(web_);
}

void WindowRunTest::cleanup()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    dir_.reset();
}

void WindowRunTest::runMatchesTheHeadlessRun_data()
{
    QTest::addColumn<QStringList>("clicks");     // controls clicked before the start button
    QTest::addColumn<QString>("perFrame");        // typed into Text5
    QTest::addColumn<QString>("frameCountShown"); // Text5 once the run has clamped it
    QTest::addColumn<QStringList>("options");     // the same choices given to the headless run

    QTest::newRow("frames, picture")
        << QStringList{} << "16" << "16" << QStringList{"--format", "frames"};
    QTest::newRow("no frames, colour, links")
        << QStringList{"Option1(1)", "Option2(6)", "Check1", "Check3", "Check5"} << "" << "8"
        << QStringList{"--format", "noframes", "--background", "colour", "--colour", "FF8000", "--index-link",
                       "--lower-name", "--original-url", "ftp://ftp.varnook.example/repertoire1/"};
    QTest::newRow("both, one frame, sound")
        << QStringList{"Option1(2)", "Check7", "Option3(1)", "Check2", "Check4", "Check6", "Option2(9)", "Option2(5)"}
        << "2.5" << "4"
        << QStringList{"--format", "both", "--one-frame", "--per-frame", "2.5", "--sound", "mp3", "--colour", "FFC0C0",
                       "--no-author-links", "--lower-ext", "--highres-url", "ftp://ftp.varnook.example/repertoire2/"};
}

void WindowRunTest::runMatchesTheHeadlessRun()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, perFrame);
    QFETCH(QString, frameCountShown);
    QFETCH(QStringList, options);

    fixtures::writeFile(photos_ + "/IMG_01.jpg", fixtures::makeJpeg({.width = 64, .height = 48}));
    fixtures::writeFile(photos_ + "/Vue du lac.JPG", fixtures::makeJpeg({.width = 30, .height = 50}));
    fixtures::writeFile(photos_ + "/été.jpg", fixtures::makeJpeg({.width = 20, .height = 20, .grey = true}));
    const QString title = QStringLiteral("Été à Noël");

    // The headless run first: it waits for its resizers before it returns.
    const std::string headlessWeb = dir_->file("headless");
    std::vector<std::string> arguments = {"--photos", photos_, "--web", headlessWeb, "--title", title.toStdString()};
    for (const QString& option : options)
        arguments.push_back(option.toStdString());
    const fixtures::ProcessResult headless = fixtures::runProgram(fixtures::builtProgram("varnook"), arguments);
    QVERIFY2(headless.status == 0, headless.err.c_str());

    std::unique_ptr<gui::MainWindow> window = openWindow(testOptions());
    for (const QString& name : clicks)
        QTest::mouseClick(control(window.get(), name), Qt::LeftButton);
    if (!perFrame.isEmpty())
        control<QLineEdit>(window.get(), QStringLiteral("Text5"))->setText(perFrame);
    CatchShow catcher;
    bool busySeen = false;
    answerTitle(catcher, window.get(), title, busySeen);

    QTest::mouseClick(control(window.get(), QStringLiteral("Command5")), Qt::LeftButton);
    QCOMPARE(catcher.count(), 1);
    QVERIFY2(busySeen, "the run did not show the busy state while asking the title");
    for (const char* name : {"Command1", "Command5", "Dir1", "Text5"})
        QVERIFY(control(window.get(), QString::fromLatin1(name))->isEnabled());
    for (const char* name : {"Shape1", "Shape2"})
        QVERIFY(!control(window.get(), QString::fromLatin1(name))->isVisible());
    QCOMPARE(status(window.get()), QString::fromUtf8(generator::kRunEndStatus));
    QCOMPARE(control<QLineEdit>(window.get(), QStringLiteral("Text5"))->text(), frameCountShown);

    // The resizers run on after the run; the window's timer reaps them.
    const auto expected = filesUnder(headlessWeb);
    QVERIFY(QTest::qWaitFor(
        [&] {
            for (const auto& [name, path] : expected) {
                std::error_code error;
                if (!fs::exists(fs::path(web_) / name, error))
                    return false;
            }
            return true;
        },
        60000));
    const auto made = filesUnder(web_);
    QCOMPARE(made.size(), expected.size());
    for (const auto& [name, path] : expected) {
        QVERIFY2(made.count(name), name.c_str());
        QVERIFY2(readAll(made.at(name)) == readAll(path), name.c_str());
    }
}

void WindowRunTest::windowAnswersDuringARun()
{
    addPhotos(4);
    RecordingLauncher launcher;
    gui::MainWindowOptions options = testOptions();
    options.launcher = &launcher;
    // Every pause after a launch lasts one real tick of the window's timer.
    options.clockRate = [] { return generator::kReferenceClockRate * 8; };
    std::unique_ptr<gui::MainWindow> window = openWindow(options);
    QWidget* check5 = control(window.get(), QStringLiteral("Check5"));
    QWidget* check3 = control(window.get(), QStringLiteral("Check3"));

    // While the second photo's copy is being paced, the user ticks the original's link,
    // and clears the capital names, which only a new run may change: the photos that
    // follow are linked from pages already written under their capital names.
    launcher.onLaunch = [&](const generator::LaunchRequest& request) {
        if (request.arguments.at(0) == "640" && request.arguments.at(2).find("PHOTO2.JPG") != std::string::npos) {
            clickLater(check5, 20);
            clickLater(check3, 30);
        }
    };
    CatchShow catcher;
    bool busySeen = false;
    answerTitle(catcher, window.get(), QStringLiteral("titre"), busySeen);

    QElapsedTimer wall;
    wall.start();
    const double processorBefore = processorSeconds();
    QTest::mouseClick(control(window.get(), QStringLiteral("Command5")), Qt::LeftButton);
    const double processor = processorSeconds() - processorBefore;
    const double elapsed = double(wall.elapsed()) / 1000;

    QVERIFY(busySeen);
    QVERIFY(!static_cast<QAbstractButton*>(check3)->isChecked());
    QCOMPARE(launcher.launches.size(), std::size_t(8));
    for (int photo = 1; photo <= 4; ++photo) {
        const std::string page = readAll(web_ + "/jpeg/PHOTO" + std::to_string(photo) + ".html");
        QVERIFY(!page.empty());
        QCOMPARE(page.find("Originale (FTP)") != std::string::npos, photo > 2);
    }
    // The pauses sleep on the event loop instead of spinning a core.
    QVERIFY2(elapsed >= 0.7, qPrintable(QString::number(elapsed)));
    QVERIFY2(processor < elapsed / 2, qPrintable(QStringLiteral("%1 s of processor in %2 s").arg(processor).arg(elapsed)));
}

// The drive list stays usable during a run and may move the photo list: the run keeps the
// photos it started with, and no second run can start inside it.
void WindowRunTest::startButtonStaysOffDuringARun()
{
    addPhotos(2);
    const std::string other = dir_->file("autres");
    fs::create_directory(other);
    fixtures::writeFile(other + "/autre.jpg", fixtures::makeJpeg({}));
    RecordingLauncher launcher;
    gui::MainWindowOptions options = testOptions();
    options.launcher = &launcher;
    options.drives = {QStringLiteral("/"), q(other)};
    std::unique_ptr<gui::MainWindow> window = openWindow(options);
    auto* drive1 = control<gui::DriveList>(window.get(), QStringLiteral("Drive1"));
    QWidget* command5 = control(window.get(), QStringLiteral("Command5"));
    bool startEnabledMidRun = true;
    launcher.onLaunch = [&](const generator::LaunchRequest&) {
        if (launcher.launches.size() == 1) {
            QTimer::singleShot(0, window.get(), [&] {
                drive1->setCurrentIndex(drive1->findData(q(other)));
                startEnabledMidRun = command5->isEnabled();
            });
        }
    };
    CatchShow catcher;
    bool busySeen = false;
    answerTitle(catcher, window.get(), QStringLiteral("titre"), busySeen);

    QTest::mouseClick(command5, Qt::LeftButton);
    QCOMPARE(window->photoFolder(), q(other) + "/");
    QVERIFY(!startEnabledMidRun);
    QCOMPARE(launcher.launches.size(), std::size_t(4));
    for (const auto& request : launcher.launches)
        QVERIFY2(request.arguments.at(1).rfind(photos_ + "/", 0) == 0, request.arguments.at(1).c_str());
    QVERIFY(command5->isEnabled());
}

void WindowRunTest::closingStopsTheRun()
{
    addPhotos(4);
    RecordingLauncher launcher;
    gui::MainWindowOptions options = testOptions();
    options.launcher = &launcher;
    std::unique_ptr<gui::MainWindow> window = openWindow(options);
    launcher.onLaunch = [&](const generator::LaunchRequest&) {
        if (launcher.launches.size() == 2)
            QTimer::singleShot(0, window.get(), [&] { window->close(); });
    };
    CatchShow catcher;
    bool busySeen = false;
    answerTitle(catcher, window.get(), QStringLiteral("titre"), busySeen);

    QTest::mouseClick(control(window.get(), QStringLiteral("Command5")), Qt::LeftButton);
    QVERIFY(!window->isVisible());
    QVERIFY(!window->isRunning());
    QCOMPARE(launcher.launches.size(), std::size_t(2));
    QCOMPARE(status(window.get()), QString::fromUtf8(generator::kRunStoppedStatus));
    QVERIFY(control(window.get(), QStringLiteral("Command5"))->isEnabled());
}

void WindowRunTest::failedRunIsReported()
{
    // Photos read from the album's own "jpeg" folder would be overwritten: the run refuses.
    const std::string inside = web_ + "/jpeg";
    fs::create_directory(inside);
    fixtures::writeFile(inside + "/a.jpg", fixtures::makeJpeg({}));
    RecordingLauncher launcher;
    gui::MainWindowOptions options = testOptions();
    options.launcher = &launcher;
    std::unique_ptr<gui::MainWindow> window = openWindow(options);
    control<gui::FolderList>(window.get(), QStringLiteral("Dir1"))->openFolder(q(inside));

    CatchShow titleCatcher;
    bool busySeen = false;
    answerTitle(titleCatcher, window.get(), QStringLiteral("titre"), busySeen);
    QString shown;
    CatchShow errorCatcher;
    errorCatcher.setCallback<QMessageBox>([&shown](QMessageBox* box) {
        shown = box->text();
        box->accept();
    });

    QTest::mouseClick(control(window.get(), QStringLiteral("Command5")), Qt::LeftButton);
    QCOMPARE(errorCatcher.count(), 1);
    QVERIFY(status(window.get()).startsWith(QStringLiteral("le dossier des photos")));
    QCOMPARE(shown, status(window.get()));
    QVERIFY(launcher.launches.empty());
    for (const char* name : {"Command1", "Command5", "Dir1", "Text5"})
        QVERIFY(control(window.get(), QString::fromLatin1(name))->isEnabled());
    QVERIFY(!control(window.get(), QStringLiteral("Shape1"))->isVisible());
}

QTEST_MAIN(WindowRunTest)
#include "window_run_test.moc"
