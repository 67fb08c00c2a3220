// The window's start-up state and the reactions of its controls.
#include "window_test_support.h"

#include "colour_chooser.h"
#include "filled_shape.h"
#include "folder_lists.h"
#include "main_window.h"

#include "jpeg_fixtures.h"
#include "page_fragments.h"
#include "process.h"

#include <QDesktopServices>
#include <QDir>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <memory>

#include <unistd.h>

using namespace window_tests;

namespace {

namespace fs = std::filesystem;

void addPhoto(const std::string& folder, const std::string& name)
{
    fixtures::writeFile(folder + "/" + name, fixtures::makeJpeg({.width = 16, .height = 12}));
}

QString q(const std::string& text)
{
    return QString::fromStdString(text);
}

QString textOf(const QWidget* widget)
{
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (auto* box = qobject_cast<const QLineEdit*>(widget))
        return box->text();
    if (auto* frame = qobject_cast<const QGroupBox*>(widget))
        return frame->title();
    if (auto* list = qobject_cast<const gui::FolderList*>(widget))
        return list->folder();
    if (auto* drives = qobject_cast<const gui::DriveList*>(widget))
        return drives->drive();
    return {};
}

// Runs the current working folder elsewhere for the life of the object.
class WorkingFolder {
public:
    explicit WorkingFolder(const std::string& folder)
        : previous_(fs::current_path())
    {
        fs::current_path(folder);
    }
    ~WorkingFolder() { fs::current_path(previous_); }

private:
    fs::path previous_;
};

// As a user does it: the first click selects, the second opens.
void doubleClick(QTreeWidget* list, QTreeWidgetItem* item)
{
    const QPoint at = list->visualItemRect(item).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.push_back(url); }
};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startUpState_data();
    void startUpState();
    void startUpWindow();
    void startUpWithPhotosInProgramFolder_data();
    void startUpWithPhotosInProgramFolder();

    void checkBoxes_data();
    void checkBoxes();
    void pageFormats_data();
    void pageFormats();
    void backgrounds_data();
    void backgrounds();
    void backgroundChoicesKeepTheLastColour();
    void colourChooserWindow();
    void sounds_data();
    void sounds();

    void photoFolders();
    void webFolder();
    void foldersOpenByDoubleClickOrEnter();
    void unreadableFolderLeavesTheLists();
    void driveOfAFolder_data();
    void driveOfAFolder();
    void driveLists();
    void unreadableDriveLeavesTheLists();
    void photoListDoubleClick();
    void helpAndQuit();
    void settingsFromTheControls();
    void runHostOperations();
    void titleBox_data();
    void titleBox();

private:
    QWidget* find(const char* name) const
    {
        QWidget* widget = control(window_.get(), QString::fromLatin1(name));
        if (!widget)
            qFatal("no control named %s", name);
        return widget;
    }
    template <class T>
    T* find(const char* name) const
    {
        T* widget = qobject_cast<T*>(find(name));
        if (!widget)
            qFatal("control %s is not of the expected kind", name);
        return widget;
    }
    void click(const char* name) { QTest::mouseClick(find(name), Qt::LeftButton); }
    QString status() const { return find<QLabel>("Label1")->text(); }
    void openPhotoFolder(const std::string& folder) { find<gui::FolderList>("Dir1")->openFolder(q(folder)); }

    std::unique_ptr<fixtures::TempDir> workDir_;
    std::unique_ptr<WorkingFolder> working_;
    std::unique_ptr<gui::MainWindow> window_;
};

void MainWindowTest::initTestCase()
{
    workDir_ = std::make_unique<fixtures::TempDir>();
    working_ = std::make_unique<WorkingFolder>(workDir_->path());
}

void MainWindowTest::init()
{
    gui::MainWindowOptions options = testOptions();
    options.drives = {QStringLiteral("/")};
    window_ = std::make_unique<gui::MainWindow>(options);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void MainWindowTest::cleanup()
{
    window_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Each row: a control (or "window" for a window variable), what is looked at, its value.
void MainWindowTest::startUpState_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("aspect");
    QTest::addColumn<QVariant>("expected");

    const QString bin = q(builtProgramFolder());
    const QString binText = bin.chopped(1);
    const QString work = q(fs::canonical(workDir_->path()).string());
    const QColor blue(0x0000FF), red(0xFF0000), black(Qt::black), grey(0xC0C0C0);
    auto row = [](const char* name, const char* aspect, const QVariant& value) {
        QTest::addRow("%s %s", name, aspect) << QString::fromLatin1(name) << QString::fromLatin1(aspect) << value;
    };

    row("Label5", "text", QStringLiteral("1- Choix du répertoire des pages Web"));
    row("Label5", "colour", blue);
    row("Drive2", "text", QStringLiteral("/"));
    row("Dir2", "text", work);
    row("Label4", "text", QStringLiteral("2- choix du répertoire des photos"));
    row("Label4", "colour", blue);
    row("Drive1", "text", QStringLiteral("/"));
    row("Dir1", "text", binText);
    row("File1", "shown", false);
    row("File1", "count", 0);
    row("Frame1", "text", QStringLiteral("3 - choix du format"));
    row("Frame1", "colour", blue);
    row("Option1(0)", "text", QStringLiteral("Avec cadres (index.html)"));
    row("Option1(0)", "checked", true);
    row("Option1(0)", "colour", black);
    row("Option1(1)", "text", QStringLiteral("Sans cadre (page00.html)"));
    row("Option1(1)", "checked", false);
    row("Option1(2)", "text", QStringLiteral("Les deux"));
    row("Option1(2)", "checked", false);
    row("Check7", "text", QStringLiteral("Toutes les miniatures dans un seul cadre de choix"));
    row("Check7", "checked", false);
    row("Check7", "enabled", true);
    row("Label12", "text", QStringLiteral("Nombre de miniatures par cadre choix"));
    row("Label12", "enabled", true);
    row("Text5", "text", QStringLiteral("16"));
    row("Text5", "enabled", true);
    row("Command5", "text", QStringLiteral("Lancer la réalisation  des pages"));
    row("Command5", "enabled", false);
    row("Command1", "text", QStringLiteral("&Quitter"));
    row("Command1", "enabled", true);
    row("Command4", "text", QStringLiteral("Aide"));
    row("Command4", "enabled", true);
    row("Label7", "text", QStringLiteral("4- Choix arrière plan"));
    row("Label7", "colour", blue);
    row("Text3", "text", QString());
    row("Text3", "fill", QColor(0xFFFFFF));
    const struct {
        const char* option;
        const char* box;
        QRgb colour;
    } swatches[] = {{"Option2(0)", "Text4(0)", 0xC0C0C0}, {"Option2(1)", "Text4(1)", 0xFF80FF},
                    {"Option2(2)", "Text4(2)", 0x80FF80}, {"Option2(3)", "Text4(3)", 0x00FFFF},
                    {"Option2(6)", "Text4(4)", 0xFF8000}, {"Option2(7)", "Text4(5)", 0xFF0000},
                    {"Option2(8)", "Text4(6)", 0xFFFF00}, {"Option2(9)", "Text4(7)", 0xFFC0C0},
                    {"Option2(10)", "Text4(8)", 0xFFFFFF}};
    for (const auto& swatch : swatches) {
        row(swatch.option, "text", QString());
        row(swatch.option, "checked", false);
        row(swatch.box, "text", QString());
        row(swatch.box, "fill", QColor(swatch.colour));
    }
    row("Text4(0)", "colour", QColor(0x404040));
    row("Option2(4)", "text", QStringLiteral("couleur personalisée"));
    row("Option2(4)", "checked", false);
    row("Option2(5)", "text", QStringLiteral("image back.gif"));
    row("Option2(5)", "checked", true);
    row("Shape1", "shown", false);
    row("Shape1", "fill", QColor(0xE0E0E0));
    row("Shape2", "shown", false);
    row("Shape2", "fill", QColor(0x00FF00));
    row("Label11", "text", QStringLiteral("5- autres paramètres"));
    row("Label11", "colour", blue);
    row("Check3", "text", QStringLiteral("nom du fichier jpeg en majuscule"));
    row("Check3", "checked", true);
    row("Check4", "text", QStringLiteral("extension du fichier jpeg en majuscule"));
    row("Check4", "checked", true);
    row("Check5", "text", QStringLiteral("inclure un lien pour le téléchargement de l'original"));
    row("Check5", "checked", false);
    row("Label2", "text", QStringLiteral("lien répertoire des originaux"));
    row("Text1", "text", QStringLiteral("ftp://ftp.varnook.example/repertoire1/"));
    row("Text1", "enabled", false);
    row("Check6", "text", QStringLiteral("inclure un lien pour le téléchargement   d'une meilleure résolution"));
    row("Check6", "checked", false);
    row("Label3", "text", QStringLiteral("lien répertoire des résolutions+"));
    row("Text2", "text", QStringLiteral("ftp://ftp.varnook.example/repertoire2/"));
    row("Text2", "enabled", false);
    row("Check1", "text", QStringLiteral("Inclure un retour vers une page index.html"));
    row("Check1", "checked", false);
    row("Check2", "text", QStringLiteral("Inclure les liens internet  de l'auteur du logiciel"));
    row("Check2", "checked", true);
    row("Frame2", "text", QStringLiteral("son"));
    row("Frame2", "colour", black);
    row("Option3(0)", "text", QStringLiteral("son.wav"));
    row("Option3(0)", "checked", false);
    row("Option3(1)", "text", QStringLiteral("son.mp3"));
    row("Option3(1)", "checked", false);
    row("Option3(2)", "text", QStringLiteral("aucun"));
    row("Option3(2)", "checked", true);
    row("Label9", "text", QStringLiteral("Répertoire Web"));
    row("Label9", "colour", black);
    row("Label9", "fill", grey);
    // The program folder as the system gives it: no separator added at start-up.
    row("Label6", "text", binText);
    row("Label6", "fill", QApplication::palette().color(QPalette::Button));
    row("Label10", "text", QStringLiteral("Répertoire Photos"));
    row("Label8", "text", binText);
    row("Label8", "fill", QApplication::palette().color(QPalette::Button));
    row("Label1", "text", QStringLiteral("Faites vos choix !"));
    row("Label1", "colour", red);

    row("window", "pageFormat", 0);
    row("window", "imagesPerPhoto", 2);
    row("window", "backgroundMode", QStringLiteral("image"));
    row("window", "backgroundColour", QStringLiteral("FFFFFF"));
    row("window", "photoFolder", bin);
    row("window", "webFolder", QString());
    row("window", "programFolder", bin);
    row("window", "clockRate", std::numeric_limits<std::int32_t>::max());
    row("window", "TitleFrameHead", q(generator::titleFrameHead(generator::SoundChoice::none)));
}

void MainWindowTest::startUpState()
{
    QFETCH(QString, name);
    QFETCH(QString, aspect);
    QFETCH(QVariant, expected);

    QVariant actual;
    if (name == QLatin1String("window")) {
        const gui::MainWindow& w = *window_;
        if (aspect == QLatin1String("pageFormat"))
            actual = w.pageFormat();
        else if (aspect == QLatin1String("imagesPerPhoto"))
            actual = w.imagesPerPhoto();
        else if (aspect == QLatin1String("backgroundMode"))
            actual = w.backgroundMode() == generator::BackgroundMode::image ? QStringLiteral("image")
                                                                             : QStringLiteral("colour");
        else if (aspect == QLatin1String("backgroundColour"))
            actual = w.backgroundColour();
        else if (aspect == QLatin1String("photoFolder"))
            actual = w.photoFolder();
        else if (aspect == QLatin1String("webFolder"))
            actual = w.webFolder();
        else if (aspect == QLatin1String("programFolder"))
            actual = w.programFolder();
        else if (aspect == QLatin1String("clockRate"))
            actual = w.clockRate();
        else if (aspect == QLatin1String("TitleFrameHead"))
            actual = q(w.fragments().TitleFrameHead);
    } else {
        const QWidget* widget = control(window_.get(), name);
        QVERIFY2(widget, qPrintable(name));
        if (aspect == QLatin1String("text"))
            actual = textOf(widget);
        else if (aspect == QLatin1String("enabled"))
            actual = widget->isEnabled();
        else if (aspect == QLatin1String("checked"))
            actual = qobject_cast<const QAbstractButton*>(widget)->isChecked();
        else if (aspect == QLatin1String("shown"))
            actual = widget->isVisible();
        else if (aspect == QLatin1String("count"))
            actual = qobject_cast<const QListWidget*>(widget)->count();
        else if (aspect == QLatin1String("colour"))
            actual = textColourOf(widget);
        else if (aspect == QLatin1String("fill"))
            actual = fillOf(widget);
    }
    QVERIFY2(actual.isValid(), "aspect not looked at");
    QCOMPARE(actual, expected);
}

void MainWindowTest::startUpWindow()
{
    gui::MainWindow& w = *window_;
    QCOMPARE(w.windowTitle(), QStringLiteral("générateur de pages WEB photos"));
    QCOMPARE(w.size(), QSize(714, 588));
    QCOMPARE(w.palette().color(QPalette::Window), QColor(0xC0C0C0));
    QCOMPARE(w.font().pointSizeF(), 8.25);
    QVERIFY(w.font().bold());
    QCOMPARE(w.font().styleHint(), QFont::SansSerif);
    QCOMPARE(find("Check6")->font(), w.font());
    QVERIFY(w.windowIcon().availableSizes().contains(QSize(32, 32)));
    // The texture is drawn unscaled: the whole 150 x 150 picture, clipped by the box.
    QCOMPARE(find<gui::PictureBox>("Picture1")->picture().size(), QSize(150, 150));

    auto* timer = w.findChild<QTimer*>(QStringLiteral("Timer1"));
    QVERIFY(timer);
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 100);

    // Centred by its outer size, halves truncated.
    gui::MainWindow fresh(testOptions());
    const QRect screen = fresh.screen()->geometry();
    const QSize outer = fresh.frameGeometry().size();
    QCOMPARE(fresh.pos(), QPoint(screen.x() + (screen.width() - outer.width()) / 2,
                                 screen.y() + (screen.height() - outer.height()) / 2));
}

void MainWindowTest::startUpWithPhotosInProgramFolder_data()
{
    QTest::addColumn<bool>("startedInProgramFolder");
    QTest::newRow("started elsewhere") << false;
    // The photo list already shows the folder: no handler runs, so nothing is chosen yet.
    QTest::newRow("started in the program folder") << true;
}

void MainWindowTest::startUpWithPhotosInProgramFolder()
{
    QFETCH(bool, startedInProgramFolder);
    fixtures::TempDir programDir;
    addPhoto(programDir.path(), "vue.jpg");
    std::unique_ptr<WorkingFolder> working;
    if (startedInProgramFolder)
        working = std::make_unique<WorkingFolder>(programDir.path());

    gui::MainWindowOptions options = testOptions();
    options.programFolder = programDir.path() + "/";
    gui::MainWindow w(options);
    const QString folder = q(fs::canonical(programDir.path()).string());
    QCOMPARE(control<gui::FolderList>(&w, QStringLiteral("Dir1"))->folder(), folder);
    QCOMPARE(control<QLabel>(&w, QStringLiteral("Label1"))->text(), QStringLiteral("Faites vos choix !"));
    QCOMPARE(control<QLabel>(&w, QStringLiteral("Label8"))->text(), q(programDir.path()));
    QCOMPARE(control<QPushButton>(&w, QStringLiteral("Command5"))->isEnabled(), !startedInProgramFolder);
    QCOMPARE(w.photoFolder(), startedInProgramFolder ? QString() : folder + QLatin1Char('/'));
}

void MainWindowTest::checkBoxes_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("dependent");     // the text box the box enables or disables
    QTest::addColumn<bool>("enabledWhenChecked");
    QTest::addColumn<bool>("clearsStatus");

    for (const char* box : {"Check1", "Check2", "Check3", "Check4"})
        QTest::newRow(box) << QString::fromLatin1(box) << QString() << false << true;
    QTest::newRow("Check5") << QStringLiteral("Check5") << QStringLiteral("Text1") << true << true;
    QTest::newRow("Check6") << QStringLiteral("Check6") << QStringLiteral("Text2") << true << true;
    QTest::newRow("Check7") << QStringLiteral("Check7") << QStringLiteral("Text5") << false << false;
}

void MainWindowTest::checkBoxes()
{
    QFETCH(QString, box);
    QFETCH(QString, dependent);
    QFETCH(bool, enabledWhenChecked);
    QFETCH(bool, clearsStatus);

    auto* button = control<QAbstractButton>(window_.get(), box);
    for (int round = 0; round < 2; ++round) {
        window_->setStatus("avant");
        const bool wasChecked = button->isChecked();
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(button->isChecked(), !wasChecked);
        QCOMPARE(status(), clearsStatus ? QString() : QStringLiteral("avant"));
        if (!dependent.isEmpty())
            QCOMPARE(control(window_.get(), dependent)->isEnabled(), button->isChecked() == enabledWhenChecked);
    }
}

void MainWindowTest::pageFormats_data()
{
    QTest::addColumn<bool>("check7First");
    QTest::addColumn<QList<int>>("formats"); // Option1 buttons clicked in turn
    QTest::addColumn<int>("pageFormat");
    QTest::addColumn<int>("imagesPerPhoto");
    QTest::addColumn<QString>("text5");
    QTest::addColumn<bool>("text5Enabled");
    QTest::addColumn<bool>("label12Enabled");
    QTest::addColumn<bool>("check7Checked");
    QTest::addColumn<bool>("check7Enabled");

    QTest::newRow("frames") << false << QList<int>{0} << 0 << 2 << "16" << true << true << false << true;
    QTest::newRow("no frames") << false << QList<int>{1} << 1 << 2 << "8" << false << false << false << false;
    QTest::newRow("both") << false << QList<int>{2} << 2 << 3 << "16" << true << true << false << true;
    // Check7 is cleared from code: its handler, which would enable Text5, does not run.
    QTest::newRow("no frames, Check7 checked")
        << true << QList<int>{1} << 1 << 2 << "8" << false << false << false << false;
    QTest::newRow("frames, Check7 checked")
        << true << QList<int>{0} << 0 << 2 << "16" << true << true << true << true;
    QTest::newRow("both, Check7 checked") << true << QList<int>{2} << 2 << 3 << "16" << true << true << true << true;
    QTest::newRow("the 8 stays") << false << QList<int>{1, 2} << 2 << 3 << "8" << true << true << false << true;
    QTest::newRow("back to frames") << false << QList<int>{2, 1, 0} << 0 << 2 << "8" << true << true << false << true;
}

void MainWindowTest::pageFormats()
{
    QFETCH(bool, check7First);
    QFETCH(QList<int>, formats);
    QFETCH(int, pageFormat);
    QFETCH(int, imagesPerPhoto);
    QFETCH(QString, text5);
    QFETCH(bool, text5Enabled);
    QFETCH(bool, label12Enabled);
    QFETCH(bool, check7Checked);
    QFETCH(bool, check7Enabled);

    auto* check7 = find<QAbstractButton>("Check7");
    QSignalSpy check7Clicks(check7, &QAbstractButton::clicked);
    if (check7First)
        click("Check7");
    for (int format : formats) {
        window_->setStatus("avant");
        QTest::mouseClick(control(window_.get(), QStringLiteral("Option1(%1)").arg(format)), Qt::LeftButton);
        QCOMPARE(status(), QString());
    }
    QCOMPARE(window_->pageFormat(), pageFormat);
    QCOMPARE(window_->imagesPerPhoto(), imagesPerPhoto);
    QCOMPARE(find<QLineEdit>("Text5")->text(), text5);
    QCOMPARE(find("Text5")->isEnabled(), text5Enabled);
    QCOMPARE(find("Label12")->isEnabled(), label12Enabled);
    QCOMPARE(check7->isChecked(), check7Checked);
    QCOMPARE(check7->isEnabled(), check7Enabled);
    QCOMPARE(check7Clicks.count(), check7First ? 1 : 0);
    QCOMPARE(int(window_->albumSettings().pageFormat), pageFormat);
}

void MainWindowTest::backgrounds_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("colourText");
    QTest::addColumn<QColor>("text3");
    QTest::addColumn<bool>("imageMode");

    const struct {
        int index;
        const char* text;
    } swatches[] = {{0, "C0C0C0"}, {1, "FF80FF"}, {2, "80FF80"}, {3, "00FFFF"}, {6, "FF8000"},
                    {7, "FF0000"}, {8, "FFFF00"}, {9, "FFC0C0"}, {10, "FFFFFF"}};
    for (const auto& swatch : swatches) {
        QTest::addRow("swatch %d", swatch.index) << swatch.index << QString::fromLatin1(swatch.text)
                                                 << QColor(QLatin1Char('#') + QLatin1String(swatch.text)) << false;
    }
    QTest::newRow("custom colour") << 4 << "FFFFFF" << QColor(Qt::white) << false;
    QTest::newRow("image") << 5 << "FFFFFF" << QColor(Qt::white) << true;
}

void MainWindowTest::backgrounds()
{
    QFETCH(int, index);
    QFETCH(QString, colourText);
    QFETCH(QColor, text3);
    QFETCH(bool, imageMode);

    QTest::mouseClick(control(window_.get(), QStringLiteral("Option2(%1)").arg(index)), Qt::LeftButton);
    QCOMPARE(window_->backgroundColour(), colourText);
    QCOMPARE(fillOf(find("Text3")), text3);
    QCOMPARE(window_->backgroundMode(),
             imageMode ? generator::BackgroundMode::image : generator::BackgroundMode::colour);
    QCOMPARE(window_->colourChooser() != nullptr, index == 4);
    const generator::AlbumSettings settings = window_->albumSettings();
    QCOMPARE(q(settings.backgroundColour), colourText);
    QCOMPARE(settings.backgroundMode, window_->backgroundMode());
}

void MainWindowTest::backgroundChoicesKeepTheLastColour()
{
    // The custom colour closed without moving a bar keeps the colour of start-up.
    click("Option2(4)");
    QPointer<gui::ColourChooser> chooser = window_->colourChooser();
    QVERIFY(chooser);
    QTest::mouseClick(control(chooser.data(), QStringLiteral("fin")), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!chooser);
    QCOMPARE(window_->backgroundColour(), QStringLiteral("FFFFFF"));
    QCOMPARE(window_->backgroundMode(), generator::BackgroundMode::colour);

    // The picture after a swatch keeps the swatch's colour beside it.
    click("Option2(7)");
    click("Option2(5)");
    QCOMPARE(window_->backgroundMode(), generator::BackgroundMode::image);
    QCOMPARE(window_->backgroundColour(), QStringLiteral("FF0000"));
    QCOMPARE(fillOf(find("Text3")), QColor(0xFF0000));

    // A colour mixed in the chooser reaches the window, whatever the last option was.
    click("Option2(4)");
    auto* red = control<QScrollBar>(window_->colourChooser(), QStringLiteral("HScrollr"));
    red->setValue(254);
    QCOMPARE(window_->backgroundColour(), QStringLiteral("FEFFFF"));
    QCOMPARE(fillOf(find("Text3")), QColor(0xFEFFFF));
    click("Option2(5)");
    QCOMPARE(window_->backgroundColour(), QStringLiteral("FEFFFF"));
    red->setValue(0);
    QCOMPARE(window_->backgroundColour(), QStringLiteral("00FFFF"));
    QCOMPARE(window_->backgroundMode(), generator::BackgroundMode::image);
}

void MainWindowTest::colourChooserWindow()
{
    click("Option2(4)");
    QPointer<gui::ColourChooser> chooser = window_->colourChooser();
    QVERIFY(chooser);
    QVERIFY(QTest::qWaitForWindowExposed(chooser.data()));
    QCOMPARE(chooser->windowTitle(), QStringLiteral("Arrière plan"));
    // It does not block the main window.
    QVERIFY(!chooser->isModal());
    QVERIFY(!QApplication::activeModalWidget());
    click("Option2(1)");
    QCOMPARE(window_->backgroundColour(), QStringLiteral("FF80FF"));

    // Chosen again while open: the same chooser, with its values.
    auto* green = control<QScrollBar>(chooser.data(), QStringLiteral("HScrollv"));
    green->setValue(10);
    click("Option2(4)");
    QCOMPARE(window_->colourChooser(), chooser.data());
    QCOMPARE(green->value(), 10);

    // Closed from its frame, then reopened: a fresh one with every bar at 255, and the
    // colour stays what was last mixed until a bar moves.
    chooser->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!chooser);
    QCOMPARE(window_->backgroundColour(), QStringLiteral("FF0AFF"));
    click("Option2(4)");
    QVERIFY(window_->colourChooser());
    for (const char* bar : {"HScrollr", "HScrollv", "HScrollb"})
        QCOMPARE(control<QScrollBar>(window_->colourChooser(), QString::fromLatin1(bar))->value(), 255);
    QCOMPARE(window_->backgroundColour(), QStringLiteral("FF0AFF"));

    // Closing the main window closes the chooser with it.
    QPointer<gui::ColourChooser> second = window_->colourChooser();
    window_->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!second);
}

void MainWindowTest::sounds_data()
{
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<int>("sound"); // generator::SoundChoice

    QTest::newRow("son.wav") << QList<int>{0} << int(generator::SoundChoice::wav);
    QTest::newRow("son.mp3") << QList<int>{1} << int(generator::SoundChoice::mp3);
    QTest::newRow("aucun") << QList<int>{2} << int(generator::SoundChoice::none);
    QTest::newRow("son.mp3 then aucun") << QList<int>{1, 2} << int(generator::SoundChoice::none);
    QTest::newRow("son.wav then son.mp3") << QList<int>{0, 1} << int(generator::SoundChoice::mp3);
}

void MainWindowTest::sounds()
{
    QFETCH(QList<int>, clicks);
    QFETCH(int, sound);
    for (int index : clicks)
        QTest::mouseClick(control(window_.get(), QStringLiteral("Option3(%1)").arg(index)), Qt::LeftButton);
    const auto choice = static_cast<generator::SoundChoice>(sound);
    QCOMPARE(q(window_->fragments().TitleFrameHead), q(generator::titleFrameHead(choice)));
    QCOMPARE(window_->albumSettings().soundChoice, choice);
}

void MainWindowTest::photoFolders()
{
    fixtures::TempDir root;
    const std::string empty = root.file("vide");
    const std::string one = root.file("une");
    fs::create_directory(empty);
    fs::create_directory(one);
    fixtures::writeFile(empty + "/notes.txt", {'x'});
    addPhoto(empty, ".cachee.jpg");
    addPhoto(one, "Vue.JPG");
    auto* command5 = find<QPushButton>("Command5");

    window_->setStatus("avant");
    openPhotoFolder(one);
    QVERIFY(command5->isEnabled());
    QCOMPARE(status(), QString());
    QCOMPARE(find<QLabel>("Label8")->text(), q(one) + "/");
    QCOMPARE(window_->photoFolder(), q(one) + "/");
    QCOMPARE(find<QListWidget>("File1")->count(), 1);

    window_->setStatus("avant");
    openPhotoFolder(empty);
    QVERIFY(!command5->isEnabled());
    QCOMPARE(status(), QString());
    QCOMPARE(find<QLabel>("Label8")->text(), q(empty) + "/");
    QCOMPARE(window_->albumSettings().photoFiles, std::vector<std::string>{});

    // A root keeps its single separator.
    openPhotoFolder("/");
    QCOMPARE(find<QLabel>("Label8")->text(), QStringLiteral("/"));
    QCOMPARE(window_->photoFolder(), QStringLiteral("/"));
}

void MainWindowTest::webFolder()
{
    fixtures::TempDir web;
    window_->setStatus("avant");
    QVERIFY(find<gui::FolderList>("Dir2")->openFolder(q(web.path())));
    QCOMPARE(window_->webFolder(), q(web.path()) + "/");
    QCOMPARE(find<QLabel>("Label6")->text(), q(web.path()) + "/");
    QCOMPARE(status(), QString());
    QCOMPARE(q(window_->albumSettings().webFolder), q(web.path()) + "/");
    // The photo side is left alone.
    QCOMPARE(find<QLabel>("Label8")->text(), q(builtProgramFolder()).chopped(1));

    find<gui::FolderList>("Dir2")->openFolder(QStringLiteral("/"));
    QCOMPARE(find<QLabel>("Label6")->text(), QStringLiteral("/"));
}

void MainWindowTest::foldersOpenByDoubleClickOrEnter()
{
    fixtures::TempDir root;
    const std::string album = root.file("Photos d'été");
    fs::create_directory(album);
    addPhoto(album, "a.jpg");
    auto* dir1 = find<gui::FolderList>("Dir1");
    dir1->openFolder(q(root.path()));

    // A single click only selects.
    QTreeWidgetItem* entry = dir1->entryFor(q(album));
    QVERIFY(entry);
    QTest::mouseClick(dir1->viewport(), Qt::LeftButton, {}, dir1->visualItemRect(entry).center());
    QCOMPARE(dir1->folder(), q(root.path()));

    doubleClick(dir1, entry);
    QCOMPARE(dir1->folder(), q(album));
    QCOMPARE(window_->photoFolder(), q(album) + "/");
    QVERIFY(find("Command5")->isEnabled());

    // The path above the open folder is listed; Enter opens the selected entry.
    QTreeWidgetItem* parent = dir1->entryFor(q(root.path()));
    QVERIFY(parent);
    QVERIFY(dir1->entryFor(QStringLiteral("/")));
    dir1->setFocus();
    dir1->setCurrentItem(parent);
    QTest::keyClick(dir1, Qt::Key_Return);
    QCOMPARE(dir1->folder(), q(root.path()));
    QCOMPARE(window_->photoFolder(), q(root.path()) + "/");
    QVERIFY(!find("Command5")->isEnabled());
}

void MainWindowTest::unreadableFolderLeavesTheLists()
{
    fixtures::TempDir root;
    addPhoto(root.path(), "a.jpg");
    const std::string gone = root.file("parti");
    fs::create_directory(gone);
    auto* dir1 = find<gui::FolderList>("Dir1");
    openPhotoFolder(root.path());
    QTreeWidgetItem* entry = dir1->entryFor(q(gone));
    QVERIFY(entry);
    fs::remove(gone);
    doubleClick(dir1, entry);
    QCOMPARE(dir1->folder(), q(root.path()));
    QCOMPARE(window_->photoFolder(), q(root.path()) + "/");
    QCOMPARE(find<QLabel>("Label8")->text(), q(root.path()) + "/");
    QVERIFY(find("Command5")->isEnabled());
    QCOMPARE(status(), QStringLiteral("impossible d'ouvrir le dossier « %1 » : fichier ou dossier introuvable")
                           .arg(q(gone)));

    if (::geteuid() != 0) {
        const std::string locked = root.file("ferme");
        fs::create_directory(locked);
        fs::permissions(locked, fs::perms::none);
        QVERIFY(!dir1->openFolder(q(locked)));
        QCOMPARE(dir1->folder(), q(root.path()));
        QVERIFY(status().endsWith(QStringLiteral("accès refusé")));
    }
}

void MainWindowTest::driveOfAFolder_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("drive");
    QTest::newRow("root") << "/" << "/";
    QTest::newRow("on the root") << "/usr/share" << "/";
    QTest::newRow("a mount point itself") << "/home" << "/home";
    QTest::newRow("under a mount point") << "/home/anne/photos" << "/home";
    QTest::newRow("the deepest mount wins") << "/home/anne/cle/2001" << "/home/anne/cle";
    QTest::newRow("a name that only begins like a mount") << "/homework" << "/";
    QTest::newRow("unclean path") << "/home/anne/../anne/cle/" << "/home/anne/cle";
}

void MainWindowTest::driveOfAFolder()
{
    QFETCH(QString, folder);
    QFETCH(QString, drive);
    const gui::DriveFolders drives({QStringLiteral("/home/anne/cle"), QStringLiteral("/home")});
    QCOMPARE(drives.drives(), (QStringList{"/", "/home", "/home/anne/cle"}));
    QCOMPARE(drives.driveOf(folder), drive);

    // The system's list: the mounted file systems, the root among them.
    const gui::DriveFolders system;
    QVERIFY(system.drives().contains(QStringLiteral("/")));
    QVERIFY(system.drives().contains(system.driveOf(QDir::currentPath())));
}

void MainWindowTest::driveLists()
{
    fixtures::TempDir root;
    const std::string key = root.file("cle");
    const std::string sub = key + "/sous";
    fs::create_directories(sub);
    addPhoto(key, "photo.jpg");
    gui::MainWindowOptions options = testOptions();
    options.drives = {QStringLiteral("/"), q(key)};
    gui::MainWindow w(options);
    auto* drive1 = control<gui::DriveList>(&w, QStringLiteral("Drive1"));
    auto* dir1 = control<gui::FolderList>(&w, QStringLiteral("Dir1"));
    auto* drive2 = control<gui::DriveList>(&w, QStringLiteral("Drive2"));
    auto* dir2 = control<gui::FolderList>(&w, QStringLiteral("Dir2"));
    auto* label1 = control<QLabel>(&w, QStringLiteral("Label1"));
    const QString bin = q(builtProgramFolder()).chopped(1);
    QCOMPARE(drive1->count(), 2);

    // A drive never visited opens on its mount point, and its handlers run.
    w.setStatus("avant");
    drive1->setCurrentIndex(drive1->findData(q(key)));
    QCOMPARE(dir1->folder(), q(key));
    QCOMPARE(w.photoFolder(), q(key) + "/");
    QCOMPARE(control<QLabel>(&w, QStringLiteral("Label8"))->text(), q(key) + "/");
    QVERIFY(control(&w, QStringLiteral("Command5"))->isEnabled());
    QCOMPARE(label1->text(), QString());

    // Each drive comes back on the folder last visited on it.
    dir1->openFolder(q(sub));
    QCOMPARE(drive1->drive(), q(key));
    drive1->setCurrentIndex(drive1->findData(QStringLiteral("/")));
    QCOMPARE(dir1->folder(), bin);
    drive1->setCurrentIndex(drive1->findData(q(key)));
    QCOMPARE(dir1->folder(), q(sub));
    QVERIFY(!control(&w, QStringLiteral("Command5"))->isEnabled());

    // Opening a folder of another file system in the list moves the drive list with it.
    dir1->openFolder(bin);
    QCOMPARE(drive1->drive(), QStringLiteral("/"));

    // The web side works the same way, on its own lists.
    w.setStatus("avant");
    drive2->setCurrentIndex(drive2->findData(q(key)));
    QCOMPARE(dir2->folder(), q(sub)); // visited through Dir1: drives remember for every list
    QCOMPARE(w.webFolder(), q(sub) + "/");
    QCOMPARE(control<QLabel>(&w, QStringLiteral("Label6"))->text(), q(sub) + "/");
    QCOMPARE(label1->text(), QString());
    QCOMPARE(dir1->folder(), bin);
}

void MainWindowTest::unreadableDriveLeavesTheLists()
{
    fixtures::TempDir root;
    const std::string absent = root.file("absent");
    gui::MainWindowOptions options = testOptions();
    options.drives = {QStringLiteral("/"), q(absent)};
    gui::MainWindow w(options);
    auto* drive1 = control<gui::DriveList>(&w, QStringLiteral("Drive1"));
    auto* dir1 = control<gui::FolderList>(&w, QStringLiteral("Dir1"));
    const QString before = dir1->folder();

    drive1->setCurrentIndex(drive1->findData(q(absent)));
    QCOMPARE(dir1->folder(), before);
    QCOMPARE(drive1->drive(), QStringLiteral("/"));
    QCOMPARE(w.photoFolder(), before + "/");
    QVERIFY(control<QLabel>(&w, QStringLiteral("Label1"))->text().startsWith(QStringLiteral("impossible d'ouvrir")));
}

void MainWindowTest::photoListDoubleClick()
{
    fixtures::TempDir root;
    addPhoto(root.path(), "b.jpg");
    addPhoto(root.path(), "A.JPG");
    openPhotoFolder(root.path());
    auto* file1 = find<QListWidget>("File1");
    QCOMPARE(file1->count(), 2);
    QCOMPARE(file1->item(0)->text(), QStringLiteral("A.JPG"));
    emit file1->itemDoubleClicked(file1->item(1));
    QCOMPARE(status(), q(root.path()) + QStringLiteral("/b.jpg"));
}

void MainWindowTest::helpAndQuit()
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    window_->setStatus("avant");
    click("Command4");
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QCOMPARE(catcher.urls, QList<QUrl>{QUrl::fromLocalFile(q(builtProgramFolder()) + QStringLiteral("aide.htm"))});
    QCOMPARE(status(), QStringLiteral("avant"));

    QCOMPARE(find<QAbstractButton>("Command1")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_Q));
    click("Command1");
    QVERIFY(!window_->isVisible());
}

void MainWindowTest::settingsFromTheControls()
{
    fixtures::TempDir root;
    addPhoto(root.path(), "b.jpg");
    addPhoto(root.path(), "a.jpg");
    openPhotoFolder(root.path());
    find<gui::FolderList>("Dir2")->openFolder(q(root.path()));
    click("Option1(2)");
    click("Check7");
    find<QLineEdit>("Text5")->setText(QStringLiteral("20.5 par cadre"));
    click("Option2(9)");
    click("Option3(0)");
    for (const char* box : {"Check1", "Check2", "Check3", "Check4", "Check5", "Check6"})
        click(box);
    find<QLineEdit>("Text1")->setText(QStringLiteral("ftp://a/"));
    find<QLineEdit>("Text2")->setText(QStringLiteral("ftp://b/"));

    const generator::AlbumSettings s = window_->albumSettings();
    const std::string folder = root.path() + "/";
    QCOMPARE(s.webFolder, folder);
    QCOMPARE(s.photoFolder, folder);
    QCOMPARE(s.photoFiles, (std::vector<std::string>{"a.jpg", "b.jpg"}));
    QCOMPARE(s.programFolder, builtProgramFolder());
    QCOMPARE(s.pageFormat, generator::PageFormat::both);
    QCOMPARE(s.imagesPerPhoto(), window_->imagesPerPhoto());
    QVERIFY(s.allThumbnailsInOneFrame);
    QCOMPARE(s.thumbnailsPerFrame, 20.5);
    QCOMPARE(s.backgroundMode, generator::BackgroundMode::colour);
    QCOMPARE(s.backgroundColour, std::string("FFC0C0"));
    QCOMPARE(s.soundChoice, generator::SoundChoice::wav);
    QVERIFY(s.linkToIndex);
    QVERIFY(!s.authorLinks);
    QVERIFY(!s.upperCaseName);
    QVERIFY(!s.upperCaseExtension);
    QVERIFY(s.linkOriginal);
    QCOMPARE(s.originalUrl, std::string("ftp://a/"));
    QVERIFY(s.linkHighRes);
    QCOMPARE(s.highResUrl, std::string("ftp://b/"));
    QCOMPARE(s.albumTitle, std::string());
}

void MainWindowTest::runHostOperations()
{
    auto* frame = find<gui::FilledShape>("Shape1");
    auto* bar = find<gui::FilledShape>("Shape2");
    const char* const busyControls[] = {"Command1", "Command5", "Dir1", "Text5"};
    fixtures::TempDir root;
    addPhoto(root.path(), "a.jpg");
    openPhotoFolder(root.path());
    click("Option1(1)"); // disables Text5; the end of a run enables it all the same

    window_->setBusy(true);
    for (const char* name : busyControls)
        QVERIFY2(!find(name)->isEnabled(), name);
    QVERIFY(frame->isVisible());
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->geometry(), QRect(680, 232, 17, 1));

    // The bar rises from 2500 twips (167 pixels) below the frame's top.
    window_->setProgress(6, 12);
    QCOMPARE(bar->geometry(), QRect(680, 316, 17, 83));
    window_->setProgress(12, 12);
    QCOMPARE(bar->geometry(), QRect(680, 232, 17, 167));
    window_->setProgress(1, 3);
    QCOMPARE(bar->geometry(), QRect(680, 343, 17, 56));

    window_->showFrameCount("20.5");
    QCOMPARE(find<QLineEdit>("Text5")->text(), QStringLiteral("20.5"));
    window_->setStatus("création  page photo <IMG_01.JPG> & été");
    QCOMPARE(status(), QStringLiteral("création  page photo <IMG_01.JPG> & été"));
    QCOMPARE(find<QLabel>("Label1")->textFormat(), Qt::PlainText);

    window_->setBusy(false);
    for (const char* name : busyControls)
        QVERIFY2(find(name)->isEnabled(), name);
    QVERIFY(!frame->isVisible());
    QVERIFY(!bar->isVisible());
}

void MainWindowTest::titleBox_data()
{
    QTest::addColumn<QString>("typed"); // null: the box is cancelled
    QTest::addColumn<QString>("title");
    QTest::newRow("preset kept") << QStringLiteral("mes vacances 2001") << QStringLiteral("mes vacances 2001");
    QTest::newRow("typed") << QStringLiteral("Noël à Brest") << QStringLiteral("Noël à Brest");
    QTest::newRow("cancelled") << QString() << QString();
}

void MainWindowTest::titleBox()
{
    QFETCH(QString, typed);
    QFETCH(QString, title);
    QString caption, prompt, preset;
    CatchShow catcher;
    catcher.setCallback<QInputDialog>([&](QInputDialog* box) {
        caption = box->windowTitle();
        prompt = box->labelText();
        preset = box->textValue();
        if (typed.isNull()) {
            box->reject();
        } else {
            box->setTextValue(typed);
            box->accept();
        }
    });
    QCOMPARE(q(window_->askTitle()), title);
    QCOMPARE(caption, QStringLiteral("générateur album photo"));
    QCOMPARE(prompt, QStringLiteral("quel titre voulez vous donner à la production"));
    QCOMPARE(preset, QStringLiteral("mes vacances 2001"));
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
