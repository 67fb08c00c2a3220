#pragma once

#include "control_table.h"

#include <QDialog>

namespace gui {

// The small window where a custom background colour is mixed from red, green and blue.
// It has no result: every committed change of a bar sends the colour at once. Closing
// discards it (it deletes itself), so the next one starts again from white.
class ColourChooser : public QDialog {
    Q_OBJECT
public:
    explicit ColourChooser(QWidget* parent = nullptr);

    // Two upper-case hex digits per component, red first: (0, 10, 255) gives "000AFF".
    static QString colourText(int red, int green, int blue);

signals:
    void colourMixed(const QColor& colour, const QString& text);

private:
    void couleur();

    ControlMap controls_;
};

} // namespace gui
