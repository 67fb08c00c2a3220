#pragma once

#include <QFont>
#include <QHash>
#include <QString>

#include <span>

class QWidget;

namespace gui {

enum class ControlKind {
    label,
    driveList,
    folderList,
    fileList,
    frame,
    optionButton,
    checkBox,
    textBox,
    pushButton,
    rectangle,
    pictureBox,
    scrollBar,
};

// Initial state flags of a control.
enum ControlState : unsigned {
    kNormal = 0,
    kChecked = 1u << 0,
    kDisabled = 1u << 1,
    kHidden = 1u << 2,
    kReadOnly = 1u << 3,
};

inline constexpr int kDefaultColour = -1;
// The system's standard face colour (the button colour of the application palette).
inline constexpr int kFaceColour = -2;

// One control of a form: its name (a control array's element is named "Option1(0)"), its
// place in pixels of the form's client area, its caption or initial text, and its look.
// A control inside a container frame keeps client-area coordinates here; the builder
// converts them.
struct ControlRow {
    const char* name;
    ControlKind kind;
    int x;
    int y;
    int width;
    int height;
    const char* caption = "";
    unsigned state = kNormal;
    int textColour = kDefaultColour; // 0xRRGGBB
    int fillColour = kDefaultColour; // background, 0xRRGGBB
    const char* container = nullptr;
};

using ControlMap = QHash<QString, QWidget*>;

// Creates every row's widget on form, in row order (which is also the keyboard order),
// and returns them by name. Drive and folder lists come without their folder state;
// the form sets it.
ControlMap buildControls(QWidget* form, std::span<const ControlRow> rows);

// The main window's rows.
std::span<const ControlRow> mainWindowControls();

// The face every text of the program's windows is drawn in: bold sans-serif, 8.25 points.
QFont formFont();

} // namespace gui
