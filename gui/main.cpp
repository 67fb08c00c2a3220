#include "main_window.h"

#include "headless.h"

#include <QApplication>

#include <csignal>

int main(int argc, char** argv)
{
    // Given options, varnook makes one album on the console, without any window.
    if (argc > 1)
        return generator::headlessMain(argc, argv);

    // A file-size limit fails the write (EFBIG) and the run reports it, instead of the
    // limit killing the window in the middle of a page.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("varnook"));
    gui::MainWindow window;
    window.show();
    return app.exec();
}
