#include "control_table.h"

#include "filled_shape.h"
#include "folder_lists.h"
#include "wrapping_button.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

namespace gui {

namespace {

QWidget* createControl(const ControlRow& row, QWidget* parent)
{
    const QString caption = QString::fromUtf8(row.caption);
    switch (row.kind) {
    case ControlKind::label: {
        auto* label = new QLabel(caption, parent);
        // Status texts carry file names: never read them as markup.
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case ControlKind::driveList: return new DriveList(parent);
    case ControlKind::folderList: return new FolderList(parent);
    case ControlKind::fileList: return new PhotoFileList(parent);
    case ControlKind::frame: return new QGroupBox(caption, parent);
    case ControlKind::optionButton: return new OptionButton(caption, parent);
    case ControlKind::checkBox: return new CheckBox(caption, parent);
    case ControlKind::textBox: {
        auto* box = new QLineEdit(caption, parent);
        box->setCursorPosition(0);
        return box;
    }
    case ControlKind::pushButton: return new QPushButton(caption, parent);
    case ControlKind::rectangle: return new FilledShape(parent);
    case ControlKind::pictureBox: return new PictureBox(parent);
    case ControlKind::scrollBar: return new QScrollBar(Qt::Horizontal, parent);
    }
    return nullptr;
}

void applyColours(const ControlRow& row, QWidget* widget)
{
    if (auto* shape = qobject_cast<FilledShape*>(widget)) {
        if (row.fillColour >= 0)
            shape->setFill(QColor::fromRgb(QRgb(row.fillColour)));
        if (row.textColour >= 0)
            shape->setBorder(QColor::fromRgb(QRgb(row.textColour)));
        return;
    }
    QPalette palette = widget->palette();
    if (row.textColour >= 0) {
        // Disabled texts keep the toolkit's grey.
        const QColor text = QColor::fromRgb(QRgb(row.textColour));
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            palette.setColor(group, QPalette::WindowText, text);
            palette.setColor(group, QPalette::Text, text);
            palette.setColor(group, QPalette::ButtonText, text);
        }
    }
    if (row.fillColour != kDefaultColour) {
        const QColor fill = row.fillColour == kFaceColour ? QApplication::palette().color(QPalette::Button)
                                                          : QColor::fromRgb(QRgb(row.fillColour));
        if (qobject_cast<QLineEdit*>(widget)) {
            palette.setColor(QPalette::Base, fill);
        } else {
            palette.setColor(QPalette::Window, fill);
            widget->setAutoFillBackground(true);
        }
    }
    widget->setPalette(palette);
}

void applyState(const ControlRow& row, QWidget* widget)
{
    if (auto* button = qobject_cast<QAbstractButton*>(widget); button && (row.state & kChecked))
        button->setChecked(true);
    if (auto* box = qobject_cast<QLineEdit*>(widget); box && (row.state & kReadOnly)) {
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
    }
    if (row.state & kDisabled)
        widget->setEnabled(false);
    if (row.state & kHidden)
        widget->hide();
}

} // namespace

ControlMap buildControls(QWidget* form, std::span<const ControlRow> rows)
{
    ControlMap controls;
    for (const ControlRow& row : rows) {
        QWidget* parent = form;
        QPoint origin(0, 0);
        if (row.container) {
            parent = controls.value(QString::fromLatin1(row.container));
            Q_ASSERT(parent);
            origin = parent->mapTo(form, QPoint(0, 0));
        }
        QWidget* widget = createControl(row, parent);
        widget->setObjectName(QString::fromLatin1(row.name));
        widget->setGeometry(row.x - origin.x(), row.y - origin.y(), row.width, row.height);
        applyColours(row, widget);
        applyState(row, widget);
        controls.insert(widget->objectName(), widget);
    }
    return controls;
}

QFont formFont()
{
    QFont font;
    // Arial's metrics first: the boxes were sized for a narrow face.
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("Nimbus Sans"),
                      QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    font.setBold(true);
    return font;
}

} // namespace gui
