// The yardstick: the smallest Qt Widgets program that opens one window. It reports, as the
// program does, when its window is shown and the program idle, then leaves.
//   minimal_window          an empty window
//   minimal_window text     the same window with one line of text: what drawing any text costs
//                           (the font database and glyphs), for comparison only

#include "bench/benchclock.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    traceMemory("application made");
    QWidget window;
    window.resize(400, 300);
    if (argc > 1 && qstrcmp(argv[1], "text") == 0)
        (new QLabel(QStringLiteral("Новый механизм"), &window))->move(20, 20);
    window.show();
    ShownAndIdle ready(&window, [] {
        reportMark("main", wallNowNs());
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    });
    return app.exec();
}
