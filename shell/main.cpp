#include <QApplication>
#include <QMainWindow>

#include <cstdio>

int main(int argc, char* argv[])
{
    // Without any display Qt would abort with a platform-plugin trace; say it plainly instead.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fputs("zuvrack: no graphical display found (DISPLAY is not set); start it from a desktop session.\n",
                   stderr);
        return 2;
    }
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Zuvrack [v 0.1.0f]"));
    window.show();
    return app.exec();
}
