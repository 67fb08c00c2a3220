#include "window_test_support.h"

#include "filled_shape.h"
#include "process.h"

#include <QLineEdit>

namespace window_tests {

std::string builtProgramFolder()
{
    return fixtures::builtProgram("");
}

gui::MainWindowOptions testOptions()
{
    gui::MainWindowOptions options;
    options.programFolder = builtProgramFolder();
    options.clockRate = [] { return std::numeric_limits<std::int32_t>::max(); };
    return options;
}

QColor textColourOf(const QWidget* widget)
{
    const QPalette::ColorRole role = qobject_cast<const QLineEdit*>(widget) ? QPalette::Text : QPalette::WindowText;
    return widget->palette().color(QPalette::Active, role);
}

QColor fillOf(const QWidget* widget)
{
    if (auto* shape = qobject_cast<const gui::FilledShape*>(widget))
        return shape->fill();
    if (qobject_cast<const QLineEdit*>(widget))
        return widget->palette().color(QPalette::Base);
    return widget->palette().color(QPalette::Window);
}

} // namespace window_tests
