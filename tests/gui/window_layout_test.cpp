// Where every control sits in its window's client area, and that its caption fits there.
#include "window_test_support.h"

#include "colour_chooser.h"
#include "main_window.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTest>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace window_tests;

namespace {

struct Place {
    const char* name;
    int x, y, width, height;
};

const Place kMainWindow[] = {
    {"Label5", 8, 8, 225, 17},      {"Drive2", 16, 32, 209, 21},     {"Dir2", 16, 64, 209, 186},
    {"Label4", 248, 8, 193, 17},    {"Drive1", 256, 32, 209, 21},    {"Dir1", 256, 64, 209, 186},
    {"File1", 776, 408, 105, 84},   {"Frame1", 480, 8, 217, 169},    {"Option1(0)", 504, 24, 185, 33},
    {"Option1(1)", 504, 48, 185, 25}, {"Option1(2)", 504, 72, 121, 17}, {"Check7", 504, 88, 145, 49},
    {"Label12", 488, 144, 129, 25}, {"Text5", 632, 144, 41, 25},     {"Command5", 16, 264, 209, 33},
    {"Command1", 256, 264, 97, 33}, {"Command4", 376, 264, 89, 33},  {"Label7", 512, 184, 137, 17},
    {"Text3", 520, 200, 137, 19},   {"Option2(0)", 520, 224, 17, 25}, {"Text4(0)", 544, 224, 25, 19},
    {"Option2(1)", 520, 248, 17, 25}, {"Text4(1)", 544, 248, 25, 19}, {"Option2(2)", 520, 272, 17, 25},
    {"Text4(2)", 544, 272, 25, 19}, {"Option2(3)", 520, 296, 17, 25}, {"Text4(3)", 544, 296, 25, 19},
    {"Option2(6)", 520, 320, 17, 25}, {"Text4(4)", 544, 320, 25, 19}, {"Option2(7)", 520, 344, 17, 25},
    {"Text4(5)", 544, 344, 25, 19}, {"Option2(8)", 520, 368, 17, 25}, {"Text4(6)", 544, 368, 25, 19},
    {"Option2(9)", 520, 392, 17, 25}, {"Text4(7)", 544, 392, 25, 19}, {"Option2(10)", 520, 416, 17, 25},
    {"Text4(8)", 544, 416, 25, 19}, {"Option2(4)", 520, 440, 153, 25}, {"Option2(5)", 520, 464, 105, 25},
    {"Picture1", 632, 464, 41, 33}, {"Shape1", 680, 232, 17, 184},   {"Shape2", 680, 232, 17, 1},
    {"Label11", 8, 304, 273, 17},   {"Check3", 16, 320, 337, 17},    {"Check4", 16, 336, 337, 17},
    {"Check5", 16, 360, 369, 17},   {"Label2", 24, 376, 89, 25},     {"Text1", 128, 384, 361, 19},
    {"Check6", 16, 408, 417, 17},   {"Label3", 24, 424, 97, 25},     {"Text2", 128, 424, 361, 19},
    {"Check1", 16, 456, 297, 17},   {"Check2", 16, 472, 329, 17},    {"Frame2", 360, 296, 137, 81},
    {"Option3(0)", 376, 312, 97, 25}, {"Option3(1)", 376, 328, 97, 25}, {"Option3(2)", 376, 352, 81, 17},
    {"Label9", 8, 504, 113, 17},    {"Label6", 128, 504, 545, 17},   {"Label10", 8, 536, 113, 17},
    {"Label8", 128, 536, 545, 17},  {"Label1", 168, 560, 457, 25},
};

const Place kChooser[] = {
    {"Rouge", 8, 32, 49, 17},   {"HScrollr", 64, 24, 153, 25}, {"Label1", 24, 56, 33, 17},
    {"HScrollv", 64, 48, 153, 25}, {"Label2", 24, 80, 33, 17}, {"HScrollb", 64, 72, 153, 33},
    {"Text1", 64, 112, 153, 25}, {"fin", 64, 144, 153, 41},   {"Label3", 80, 272, 105, 25},
};

// The room a caption's ink takes once wrapped at width: the widest line, and the depth
// down to the lowest drawn pixel of the last line.
QSize captionSize(const QWidget* widget, QString text, int width)
{
    text.remove(QLatin1Char('&'));
    const QFont font = widget->font();
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal y = 0;
    qreal widest = 0;
    QTextLine last;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += line.height();
        widest = std::max(widest, line.naturalTextWidth());
        last = line;
    }
    layout.endLayout();
    const QString lastText = text.mid(last.textStart(), last.textLength()).trimmed();
    const QRect ink = QFontMetrics(font).tightBoundingRect(lastText);
    const qreal depth = last.y() + last.ascent() + std::max(0, ink.bottom() + 1);
    return {int(std::ceil(widest)), int(std::ceil(depth))};
}

struct Caption {
    QString text;
    QRect box;
    bool oneLine = false; // push buttons and frame titles do not wrap
};

// A control's caption and the box its text is drawn in.
Caption captionBox(const QWidget* widget)
{
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return {label->text(), label->contentsRect()};
    if (auto* frame = qobject_cast<const QGroupBox*>(widget))
        return {frame->title(), frame->rect().adjusted(4, 0, -4, 0), true};
    if (auto* button = qobject_cast<const QPushButton*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        return {button->text(), button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button), true};
    }
    if (auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const bool radio = button->inherits("QRadioButton");
        return {button->text(),
                button->style()->subElementRect(radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents,
                                                &option, button)};
    }
    return {};
}

} // namespace

class WindowLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void places_data();
    void places();
    void captionsFit_data();
    void captionsFit();

private:
    std::unique_ptr<gui::MainWindow> window_;
};

void WindowLayoutTest::initTestCase()
{
    window_ = std::make_unique<gui::MainWindow>(testOptions());
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    QTest::mouseClick(control(window_.get(), QStringLiteral("Option2(4)")), Qt::LeftButton);
    QVERIFY(window_->colourChooser());
}

void WindowLayoutTest::cleanupTestCase()
{
    window_.reset();
}

void WindowLayoutTest::places_data()
{
    QTest::addColumn<bool>("inChooser");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");
    for (const Place& p : kMainWindow)
        QTest::addRow("%s", p.name) << false << QString::fromLatin1(p.name) << QRect(p.x, p.y, p.width, p.height);
    for (const Place& p : kChooser) {
        QTest::addRow("chooser %s", p.name) << true << QString::fromLatin1(p.name)
                                            << QRect(p.x, p.y, p.width, p.height);
    }
}

void WindowLayoutTest::places()
{
    QFETCH(bool, inChooser);
    QFETCH(QString, name);
    QFETCH(QRect, place);

    const QWidget* form = inChooser ? static_cast<QWidget*>(window_->colourChooser()) : window_.get();
    const QWidget* widget = control(form, name);
    QVERIFY2(widget, qPrintable(name));
    const QRect actual(widget->mapTo(form, QPoint(0, 0)), widget->size());
    QVERIFY2(qAbs(actual.left() - place.left()) <= 1 && qAbs(actual.top() - place.top()) <= 1
                 && qAbs(actual.width() - place.width()) <= 1 && qAbs(actual.height() - place.height()) <= 1,
             qPrintable(QStringLiteral("%1 is at %2,%3 %4x%5")
                            .arg(name)
                            .arg(actual.x())
                            .arg(actual.y())
                            .arg(actual.width())
                            .arg(actual.height())));
}

void WindowLayoutTest::captionsFit_data()
{
    QTest::addColumn<bool>("inChooser");
    QTest::addColumn<QString>("name");
    for (const Place& p : kMainWindow) {
        if (!captionBox(control(window_.get(), QString::fromLatin1(p.name))).text.isEmpty())
            QTest::addRow("%s", p.name) << false << QString::fromLatin1(p.name);
    }
    for (const Place& p : kChooser) {
        // Label3 lies below the client area on purpose.
        if (QByteArray(p.name) != "Label3"
            && !captionBox(control(window_->colourChooser(), QString::fromLatin1(p.name))).text.isEmpty())
            QTest::addRow("chooser %s", p.name) << true << QString::fromLatin1(p.name);
    }
}

// Nothing cut off: every caption, wrapped where its control wraps, fits the control's box.
void WindowLayoutTest::captionsFit()
{
    QFETCH(bool, inChooser);
    QFETCH(QString, name);

    const QWidget* form = inChooser ? static_cast<QWidget*>(window_->colourChooser()) : window_.get();
    const QWidget* widget = control(form, name);
    QVERIFY(widget);
    const auto [text, box, oneLine] = captionBox(widget);
    const QSize needed = captionSize(widget, text, oneLine ? 100000 : box.width());
    QVERIFY2(needed.width() <= box.width() && needed.height() <= box.height(),
             qPrintable(QStringLiteral("« %1 » needs %2x%3 in %4x%5")
                            .arg(text)
                            .arg(needed.width())
                            .arg(needed.height())
                            .arg(box.width())
                            .arg(box.height())));
}

QTEST_MAIN(WindowLayoutTest)
#include "window_layout_test.moc"
