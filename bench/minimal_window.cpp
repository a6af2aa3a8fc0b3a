// The yardstick: the smallest Qt Widgets program that opens one window. It reports, as the
// program does, when its window is shown and the program idle, then leaves.
//   minimal_window          an empty window
//   minimal_window text     the same window with one line of text: what drawing any text costs
//                           (the font database and glyphs), for comparison only
//   minimal_window floor    no program at all, only the windows a student sees up to the first
//                           question, one after another as the program shows them and of the
//                           same sizes, each an empty window with one line of text: the strip
//                           (mark "main"), the chooser ("chooser"), then the wizard window with
//                           the question over it ("wizard"); and then the compiler window beside
//                           them, the three that are open together at the end of a description
//                           ("described"). What any program with these windows pays.

#include "bench/benchclock.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace {

QWidget* window(int width, int height)
{
    auto* w = new QWidget;
    w->resize(width, height);
    (new QLabel(QStringLiteral("Новый механизм"), w))->move(20, 20);
    w->show();
    return w;
}

// Calls `done` once every window is shown and the program idle.
void whenShown(std::vector<QWidget*> windows, std::function<void()> done)
{
    if (windows.empty()) {
        done();
        return;
    }
    QWidget* first = windows.front();
    windows.erase(windows.begin());
    new ShownAndIdle(first, [windows, done] { whenShown(windows, done); }, first);
}

// The window sizes of the program's strip, chooser, wizard, opening question and compiler window.
void floorRun()
{
    QWidget* strip = window(847, 54);
    whenShown({strip}, [strip] {
        reportMark("main", wallNowNs());
        QTimer::singleShot(0, qApp, [strip] {
            QWidget* chooser = window(246, 135);
            whenShown({chooser}, [strip, chooser] {
                reportMark("chooser", wallNowNs());
                QTimer::singleShot(0, qApp, [strip, chooser] {
                    chooser->close();
                    chooser->deleteLater();
                    QWidget* wizard = window(847, 600);
                    QWidget* question = window(425, 126);
                    whenShown({wizard, question}, [strip, wizard, question] {
                        reportMark("wizard", wallNowNs());
                        QTimer::singleShot(0, qApp, [strip, wizard, question] {
                            question->close();
                            QWidget* compiler = window(420, 480);
                            whenShown({compiler}, [strip, wizard, compiler] {
                                reportMark("described", wallNowNs());
                                delete compiler;
                                delete wizard;
                                delete strip;
                                QTimer::singleShot(0, qApp, &QCoreApplication::quit);
                            });
                        });
                    });
                });
            });
        });
    });
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    traceMemory("application made");
    if (argc > 1 && qstrcmp(argv[1], "floor") == 0) {
        floorRun();
        return app.exec();
    }
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
