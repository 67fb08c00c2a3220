// The colour chooser as the main window opens it: what its bars commit, and when.
#include "window_test_support.h"

#include "colour_chooser.h"
#include "main_window.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTest>

#include <memory>

using namespace window_tests;

namespace {

QPoint pointOf(QScrollBar* bar, QStyle::SubControl part)
{
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.subControls = QStyle::SC_All;
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar).center();
}

enum class Input { arrowLeft, arrowRight, trackLeft, trackRight, keyLeft, keyRight, keyPageDown, keyPageUp };

} // namespace

Q_DECLARE_METATYPE(Input)

class ColourChooserTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startState();
    void colourTexts_data();
    void colourTexts();
    void committedInputs_data();
    void committedInputs();
    void draggedThumbChangesNothingUntilReleased();
    void keyboardOrder();

private:
    QScrollBar* bar(const char* name) const
    {
        return control<QScrollBar>(window_->colourChooser(), QString::fromLatin1(name));
    }
    QString chooserText(const char* name) const
    {
        return control<QLabel>(window_->colourChooser(), QString::fromLatin1(name))->text();
    }
    QColor text3() const { return fillOf(control(window_.get(), QStringLiteral("Text3"))); }

    std::unique_ptr<gui::MainWindow> window_;
};

void ColourChooserTest::init()
{
    window_ = std::make_unique<gui::MainWindow>(testOptions());
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    QTest::mouseClick(control(window_.get(), QStringLiteral("Option2(4)")), Qt::LeftButton);
    QVERIFY(window_->colourChooser());
    QVERIFY(QTest::qWaitForWindowExposed(window_->colourChooser()));
}

void ColourChooserTest::cleanup()
{
    window_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void ColourChooserTest::startState()
{
    gui::ColourChooser* chooser = window_->colourChooser();
    QCOMPARE(chooser->size(), QSize(254, 217));
    QCOMPARE(chooser->palette().color(QPalette::Window), QColor(0xC0C0C0));
    QCOMPARE(chooser->font(), window_->font());
    for (const char* name : {"HScrollr", "HScrollv", "HScrollb"}) {
        QScrollBar* b = bar(name);
        QCOMPARE(b->orientation(), Qt::Horizontal);
        QCOMPARE(b->minimum(), 0);
        QCOMPARE(b->maximum(), 255);
        QCOMPARE(b->value(), 255);
        QCOMPARE(b->singleStep(), 1);
        QCOMPARE(b->pageStep(), 64);
    }
    for (const char* name : {"Rouge", "Label1", "Label2"})
        QCOMPARE(textColourOf(control(chooser, QString::fromLatin1(name))), QColor(0x0000FF));
    QCOMPARE(chooserText("Rouge"), QStringLiteral("Rouge"));
    QCOMPARE(chooserText("Label1"), QStringLiteral("Vert"));
    QCOMPARE(chooserText("Label2"), QStringLiteral("Bleu"));
    QCOMPARE(chooserText("Label3"), QStringLiteral("Label3"));
    auto* preview = control<QLineEdit>(chooser, QStringLiteral("Text1"));
    QCOMPARE(preview->text(), QStringLiteral(" "));
    QCOMPARE(fillOf(preview), QLineEdit().palette().color(QPalette::Base));
    QCOMPARE(control<QAbstractButton>(chooser, QStringLiteral("fin"))->text(), QStringLiteral("Fin choix couleur"));
    // Nothing is computed at opening.
    QCOMPARE(window_->backgroundColour(), QStringLiteral("FFFFFF"));
}

void ColourChooserTest::colourTexts_data()
{
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");
    QTest::addColumn<QString>("text");

    QTest::newRow("orange") << 255 << 128 << 0 << "FF8000";
    QTest::newRow("one digit gets its zero") << 0 << 10 << 255 << "000AFF";
    QTest::newRow("black") << 0 << 0 << 0 << "000000";
    // The bars not moved count with their initial 255.
    QTest::newRow("red only") << 254 << 255 << 255 << "FEFFFF";
}

void ColourChooserTest::colourTexts()
{
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);
    QFETCH(QString, text);

    bar("HScrollr")->setValue(red);
    bar("HScrollv")->setValue(green);
    bar("HScrollb")->setValue(blue);
    const QColor colour(red, green, blue);
    QCOMPARE(window_->backgroundColour(), text);
    QCOMPARE(chooserText("Label3"), text);
    QCOMPARE(text3(), colour);
    QCOMPARE(fillOf(control(window_->colourChooser(), QStringLiteral("Text1"))), colour);
    QCOMPARE(gui::ColourChooser::colourText(red, green, blue), text);
}

void ColourChooserTest::committedInputs_data()
{
    QTest::addColumn<Input>("input");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("value");

    QTest::newRow("left arrow") << Input::arrowLeft << 255 << 254;
    QTest::newRow("right arrow") << Input::arrowRight << 200 << 201;
    // A click in the track moves 64 steps, stopping at the end.
    QTest::newRow("track right of 200") << Input::trackRight << 200 << 255;
    QTest::newRow("track left of 200") << Input::trackLeft << 200 << 136;
    QTest::newRow("track left of 40") << Input::trackLeft << 40 << 0;
    QTest::newRow("key left") << Input::keyLeft << 255 << 254;
    QTest::newRow("key right") << Input::keyRight << 100 << 101;
    QTest::newRow("page up") << Input::keyPageUp << 100 << 164;
    QTest::newRow("page down") << Input::keyPageDown << 100 << 36;
}

void ColourChooserTest::committedInputs()
{
    QFETCH(Input, input);
    QFETCH(int, start);
    QFETCH(int, value);

    QScrollBar* green = bar("HScrollv");
    green->setValue(start);
    switch (input) {
    case Input::arrowLeft: QTest::mouseClick(green, Qt::LeftButton, {}, pointOf(green, QStyle::SC_ScrollBarSubLine)); break;
    case Input::arrowRight: QTest::mouseClick(green, Qt::LeftButton, {}, pointOf(green, QStyle::SC_ScrollBarAddLine)); break;
    case Input::trackLeft: QTest::mouseClick(green, Qt::LeftButton, {}, pointOf(green, QStyle::SC_ScrollBarSubPage)); break;
    case Input::trackRight: QTest::mouseClick(green, Qt::LeftButton, {}, pointOf(green, QStyle::SC_ScrollBarAddPage)); break;
    case Input::keyLeft: QTest::keyClick(green, Qt::Key_Left); break;
    case Input::keyRight: QTest::keyClick(green, Qt::Key_Right); break;
    case Input::keyPageDown: QTest::keyClick(green, Qt::Key_PageDown); break;
    case Input::keyPageUp: QTest::keyClick(green, Qt::Key_PageUp); break;
    }
    QCOMPARE(green->value(), value);
    QCOMPARE(window_->backgroundColour(), gui::ColourChooser::colourText(255, value, 255));
    QCOMPARE(text3(), QColor(255, value, 255));
}

void ColourChooserTest::draggedThumbChangesNothingUntilReleased()
{
    QScrollBar* blue = bar("HScrollb");
    const QPoint thumb = pointOf(blue, QStyle::SC_ScrollBarSlider);
    QTest::mousePress(blue, Qt::LeftButton, {}, thumb);
    QTest::mouseMove(blue, thumb - QPoint(40, 0));
    QVERIFY(blue->isSliderDown());
    QVERIFY(blue->sliderPosition() < 255);
    QCOMPARE(blue->value(), 255);
    QCOMPARE(window_->backgroundColour(), QStringLiteral("FFFFFF"));
    QCOMPARE(chooserText("Label3"), QStringLiteral("Label3"));

    QTest::mouseRelease(blue, Qt::LeftButton, {}, thumb - QPoint(40, 0));
    const int released = blue->value();
    QVERIFY(released < 255);
    QCOMPARE(window_->backgroundColour(), gui::ColourChooser::colourText(255, 255, released));
}

void ColourChooserTest::keyboardOrder()
{
    gui::ColourChooser* chooser = window_->colourChooser();
    chooser->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(chooser));
    QCOMPARE(chooser->focusWidget(), bar("HScrollr"));
    const char* order[] = {"HScrollv", "HScrollb", "Text1", "fin", "HScrollr"};
    for (const char* next : order) {
        QTest::keyClick(chooser->focusWidget(), Qt::Key_Tab);
        QCOMPARE(chooser->focusWidget()->objectName(), QString::fromLatin1(next));
    }
}

QTEST_MAIN(ColourChooserTest)
#include "colour_chooser_test.moc"
