// The yardstick: the smallest Qt Widgets program that opens one window. It reports, as the
// program does, when its window is shown and the program idle, then leaves.

#include "benchclock.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(400, 300);
    window.show();
    ShownAndIdle ready(&window, [] {
        reportMark("main", wallNowNs());
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    });
    return app.exec();
}
