#include "colour_chooser.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

namespace gui {

namespace {

using K = ControlKind;

// Label3 lies below the client area: the colour text it receives is the same one the
// main window keeps.
constexpr ControlRow kRows[] = {
    {"Rouge", K::label, 8, 32, 49, 17, "Rouge", kNormal, 0x0000FF},
    {"HScrollr", K::scrollBar, 64, 24, 153, 25},
    {"Label1", K::label, 24, 56, 33, 17, "Vert", kNormal, 0x0000FF},
    {"HScrollv", K::scrollBar, 64, 48, 153, 25},
    {"Label2", K::label, 24, 80, 33, 17, "Bleu", kNormal, 0x0000FF},
    {"HScrollb", K::scrollBar, 64, 72, 153, 33},
    {"Text1", K::textBox, 64, 112, 153, 25, " "},
    {"fin", K::pushButton, 64, 144, 153, 41, "Fin choix couleur"},
    {"Label3", K::label, 80, 272, 105, 25, "Label3"},
};

const char* const kBars[] = {"HScrollr", "HScrollv", "HScrollb"};

} // namespace

ColourChooser::ColourChooser(QWidget* parent)
    : QDialog(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Arrière plan"));
    setFont(formFont());
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    palette.setColor(QPalette::WindowText, Qt::black);
    setPalette(palette);
    setFixedSize(254, 217);

    controls_ = buildControls(this, kRows);
    for (const char* name : kBars) {
        auto* bar = static_cast<QScrollBar*>(controls_.value(QString::fromLatin1(name)));
        bar->setRange(0, 255);
        bar->setValue(255);
        bar->setSingleStep(1);
        bar->setPageStep(64);
        // A dragged thumb changes nothing until it is released.
        bar->setTracking(false);
        // Left and Page Down lower the value, as the thumb moves; a scroll bar's default
        // turns the arrow keys round.
        bar->setInvertedControls(false);
        bar->setFocusPolicy(Qt::StrongFocus);
        connect(bar, &QScrollBar::valueChanged, this, &ColourChooser::couleur);
    }
    connect(static_cast<QPushButton*>(controls_.value(QStringLiteral("fin"))), &QPushButton::clicked, this,
            &QWidget::close);
    controls_.value(QStringLiteral("HScrollr"))->setFocus();
}

QString ColourChooser::colourText(int red, int green, int blue)
{
    QString text;
    for (const int value : {red, green, blue})
        text += QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
    return text;
}

void ColourChooser::couleur()
{
    auto value = [this](const char* name) {
        return static_cast<QScrollBar*>(controls_.value(QString::fromLatin1(name)))->value();
    };
    const int red = value("HScrollr");
    const int green = value("HScrollv");
    const int blue = value("HScrollb");
    const QColor colour(red, green, blue);

    auto* preview = static_cast<QLineEdit*>(controls_.value(QStringLiteral("Text1")));
    QPalette palette = preview->palette();
    palette.setColor(QPalette::Base, colour);
    preview->setPalette(palette);

    const QString text = colourText(red, green, blue);
    emit colourMixed(colour, text);
    static_cast<QLabel*>(controls_.value(QStringLiteral("Label3")))->setText(text);
}

} // namespace gui
