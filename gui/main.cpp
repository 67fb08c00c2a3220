#include "main_window.h"

#include "headless.h"

#include <QApplication>

int main(int argc, char** argv)
{
    // Given options, varnook makes one album on the console, without any window.
    if (argc > 1)
        return generator::headlessMain(argc, argv);

    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("varnook"));
    gui::MainWindow window;
    window.show();
    return app.exec();
}
