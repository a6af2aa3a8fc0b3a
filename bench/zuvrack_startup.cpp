// The program as it starts from its desktop entry, with marks for the start-up harness:
// It starts as shell/main.cpp does; keep the two alike.
//   main      the main window shown and the program idle, then it leaves;
//   wizard    also the chooser, its picture clicked, and the wizard window shown under the
//             opening question (the real question dialog, closed again afterwards);
//   describe  a whole four-bar description through the real wizard window: every answer typed
//             into the answer box, the stage-2 questions and the save dialog answered by a script,
//             up to the written files. The harness takes the peak resident set of this run.
// Each mark is a line "<name> <CLOCK_REALTIME ns>" on standard output.

#include "bench/benchclock.h"
#include "bench/benchdialogs.h"
#include "bench/benchinput.h"
#include "shell/questiondialog.h"
#include "shell/mainstrip.h"
#include "wizard/ui/wizardwindow.h"
#include "shell/programfolders.h"
#include "shell/qtdialogs.h"
#include "model/session.h"
#include "shell/shell.h"
#include "shell/translations.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// With ZUVRACK_BENCH_TRACE set: the windows on the screen and their sizes, as the floor program of
// minimal_window copies them.
void traceWindows()
{
    if (!qEnvironmentVariableIsSet("ZUVRACK_BENCH_TRACE"))
        return;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            std::fprintf(stderr, "window %-24s %4d x %-4d\n", qPrintable(w->objectName()), w->width(), w->height());
}

// The person clicks the chooser's picture once the chooser is on the screen.
void clickChooserPicture(QDialog* chooser)
{
    QPointer<QDialog> shown(chooser);
    new ShownAndIdle(
        chooser,
        [shown] {
        reportMark("chooser", wallNowNs());
        traceWindows();
        QTimer::singleShot(0, qApp, [shown] {
            if (!shown)
                return;
            if (auto* picture = shown->findChild<QLabel*>(QStringLiteral("img_KvertaMode")))
                click(picture);
        });
        },
        chooser);
}

// Stops the clock when the wizard window is exposed and the program waits in the opening
// question, then closes that question as if its close box were clicked.
class WizardWatch : public QObject {
public:
    explicit WizardWatch(Shell& shell)
        : m_shell(shell)
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Intermediate marks: where the time between the main window and the wizard goes.
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            if (qobject_cast<WizardWindow*>(watched) && !m_wizardShow) {
                m_wizardShow = true;
                reportMark("wizard.show", wallNowNs());
            } else if (qobject_cast<QuestionDialog*>(watched) && !m_questionShow) {
                m_questionShow = true;
                reportMark("question.show", wallNowNs());
            }
        }
        if (event->type() == QEvent::Expose && !m_seen) {
            WizardWindow* wizard = m_shell.wizardWindow();
            if (wizard && watched == wizard->windowHandle() && wizard->windowHandle()->isExposed()) {
                m_seen = true;
                m_idle = std::make_unique<ShownAndIdle>(wizard, [] {
                    reportMark("wizard", wallNowNs());
                    traceWindows();
                    QTimer::singleShot(0, qApp, [] {
                        for (QWidget* w : QApplication::topLevelWidgets())
                            if (auto* question = qobject_cast<QuestionDialog*>(w); question && question->isVisible())
                                question->reject();
                    });
                });
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    Shell& m_shell;
    bool m_seen = false;
    bool m_wizardShow = false;
    bool m_questionShow = false;
    std::unique_ptr<ShownAndIdle> m_idle;
};

// Types one answer into the answer box and presses Enter, or presses the end-of-stage button.
void typeInto(WizardWindow& wizard, const QString& word)
{
    if (word == QLatin1String("!E")) {
        click(wizard.findChild<QPushButton*>(QStringLiteral("btn_EndStage")));
    } else {
        auto* answer = wizard.findChild<QLineEdit*>(QStringLiteral("txt_Answer"));
        type(answer, word);
        press(answer, Qt::Key_Return);
    }
    QCoreApplication::processEvents();
}

int describe(Shell& shell, Session& session, BenchDialogs& dialogs, const QString& outFolder)
{
    // Each run is a first description on this machine: the project an earlier run saved would be
    // another description's, which the save asks about before replacing.
    for (const QString& folder : session.ProjectFolders)
        QFile::remove(QDir(folder).filePath(QStringLiteral("four.zvr")));
    QObject::connect(&shell, &Shell::chooserShown, &shell, &clickChooserPicture);
    shell.newMechanism(); // the chooser, its picture, the wizard window and the opening question
    traceMemory("wizard window up");
    WizardWindow* wizard = shell.wizardWindow();
    if (!wizard) {
        std::fputs("describe: the wizard window did not open\n", stderr);
        return 1;
    }
    for (const QString& word : fourBarStageOne())
        typeInto(*wizard, word);
    traceMemory("files written");
    const QString kv = QDir(outFolder).filePath(QStringLiteral("four.kv"));
    if (session.WizardState != 200 || !QFile::exists(kv) || !dialogs.unexpected.isEmpty()) {
        std::fprintf(stderr, "describe: the description did not end with its files (state %d)\n",
                     int(session.WizardState));
        return 1;
    }
    reportMark("described", wallNowNs());
    traceWindows();
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    const char* mode = argc > 1 ? argv[1] : "main";
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zuvrack"));
    loadQtTranslations();
    traceMemory("application made");

    // As the program starts.
    Session session;
    const ProgramFolders folders = findProgramFolders(
        QCoreApplication::applicationDirPath(), QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    session.DataFolder = folders.data;
    session.ProjectFolders = folders.projects;
    QtDialogs realDialogs(session);
    BenchDialogs scriptedDialogs;
    QTemporaryDir out;
    const bool describing = std::strcmp(mode, "describe") == 0;
    if (describing) {
        answerFourBar(scriptedDialogs);
        const QString kv = QDir(out.path()).filePath(QStringLiteral("four.kv"));
        scriptedDialogs.saveChoice = FileChoice{kv, QStringLiteral("four.kv")};
    }
    Dialogs& dialogs = describing ? static_cast<Dialogs&>(scriptedDialogs) : realDialogs;
    Shell shell(session, dialogs);
    shell.start();
    traceMemory("main window made");

    std::unique_ptr<WizardWatch> watch;
    int status = 0;
    ShownAndIdle ready(shell.mainWindow(), [&] {
        reportMark("main", wallNowNs());
        QTimer::singleShot(0, qApp, [&] {
            if (std::strcmp(mode, "wizard") == 0) {
                watch = std::make_unique<WizardWatch>(shell);
                QObject::connect(&shell, &Shell::chooserShown, &shell, &clickChooserPicture);
                shell.newMechanism(); // returns once the opening question is closed
            } else if (describing) {
                status = describe(shell, session, scriptedDialogs, out.path());
            }
            QCoreApplication::exit(status);
        });
    });
    return app.exec();
}
