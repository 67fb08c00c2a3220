#include "wrapping_button.h"

#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

#include <type_traits>

namespace gui {

template <class Button>
void WrappingButton<Button>::paintEvent(QPaintEvent*)
{
    constexpr bool radio = std::is_same_v<Button, QRadioButton>;
    QStylePainter painter(this);
    QStyleOptionButton option;
    this->initStyleOption(&option);

    QStyleOptionButton indicator = option;
    indicator.rect = this->style()->subElementRect(
        radio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator, &option, this);
    painter.drawPrimitive(radio ? QStyle::PE_IndicatorRadioButton : QStyle::PE_IndicatorCheckBox,
                          indicator);

    if (option.text.isEmpty())
        return;
    const QRect contents = this->style()->subElementRect(
        radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents, &option, this);
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
    painter.drawItemText(contents, flags, option.palette, this->isEnabled(), option.text,
                         QPalette::WindowText);

    if (this->hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = painter.boundingRect(contents, flags, option.text).adjusted(-1, 0, 1, 0) & this->rect();
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

template class WrappingButton<QCheckBox>;
template class WrappingButton<QRadioButton>;

} // namespace gui
