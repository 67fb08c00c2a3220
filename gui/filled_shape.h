#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

namespace gui {

// A filled rectangle with an optional one-pixel border: the progress gauge's parts.
class FilledShape : public QWidget {
    Q_OBJECT
public:
    explicit FilledShape(QWidget* parent = nullptr);

    void setFill(const QColor& fill);
    void setBorder(const QColor& border);
    QColor fill() const { return fill_; }
    QColor border() const { return border_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fill_ = Qt::white;
    QColor border_; // invalid: no border
};

// Draws a picture unscaled from its top-left corner, clipped to the box.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

} // namespace gui
