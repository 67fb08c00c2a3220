#pragma once

#include <QCheckBox>
#include <QRadioButton>

namespace gui {

// A check box or option button whose caption wraps onto further lines inside the
// button's box, as the window's narrow boxes need; the whole box takes clicks.
template <class Button>
class WrappingButton : public Button {
public:
    using Button::Button;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override { return this->rect().contains(pos); }
};

using CheckBox = WrappingButton<QCheckBox>;
using OptionButton = WrappingButton<QRadioButton>;

extern template class WrappingButton<QCheckBox>;
extern template class WrappingButton<QRadioButton>;

} // namespace gui
