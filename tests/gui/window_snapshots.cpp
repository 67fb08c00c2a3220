// Saves pictures of the window and of the colour chooser as a real display draws them, for
// a person to look at (screenshots.sh runs it under a virtual X server).
#include "colour_chooser.h"
#include "main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

#include <cstdio>

namespace {

void settle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool save(const QPixmap& picture, const QString& path)
{
    if (picture.save(path))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: window_snapshots OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    bool ok = true;

    gui::MainWindow window;
    window.show();
    settle(800);
    ok &= save(window.grab(), out.filePath(QStringLiteral("window.png")));

    window.findChild<QAbstractButton*>(QStringLiteral("Option2(4)"))->click();
    gui::ColourChooser* chooser = window.colourChooser();
    chooser->findChild<QScrollBar*>(QStringLiteral("HScrollv"))->setValue(128);
    chooser->findChild<QScrollBar*>(QStringLiteral("HScrollb"))->setValue(0);
    settle(500);
    ok &= save(chooser->grab(), out.filePath(QStringLiteral("chooser.png")));
    ok &= save(window.screen()->grabWindow(0), out.filePath(QStringLiteral("screen-with-chooser.png")));
    chooser->close();

    // The state of a run: the gauge shown, four controls disabled, a status.
    window.setBusy(true);
    window.setProgress(5, 12);
    window.setStatus("création des pages photos ");
    settle(300);
    ok &= save(window.grab(), out.filePath(QStringLiteral("window-busy.png")));
    return ok ? 0 : 1;
}
