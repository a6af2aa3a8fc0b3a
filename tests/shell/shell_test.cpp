#include "files/projectformat.h"
#include "freeedit/ui/freeeditwindow.h"
#include "model/errors.h"
#include "shell/filenames.h"
#include "shell/mainstrip.h"
#include "shell/shell.h"
#include "wizard/journal.h"
#include "tests/support/mechanismbuilder.h"
#include "tests/support/scripteddialogs.h"
#include "tests/support/testtable.h"
#include "wizard/ui/wizardwindow.h"

#include <QtTest>
#include <QtWidgets>

namespace {

// Runs one of the shell's file-name routines on a text input and gives its result as text.
QString run(const QString& routine, const QString& in)
{
    if (routine == QLatin1String("qtFileFilter"))
        return qtFileFilter(in);
    if (routine == QLatin1String("folderOf"))
        return folderOf(FileChoice{in.section(QLatin1Char('|'), 0, 0), in.section(QLatin1Char('|'), 1)});
    return QVariant(hasKvExtension(in)).toString();
}

// Records what the commands ask of the windows, in order.
struct RecordingActions : ShellActions {
    RecordingActions(Session& session, LoadResult result) : m_session(session), m_result(result) {}
    Session& m_session;
    LoadResult m_result;
    QStringList log;

    void startNewDescription() override { log << QStringLiteral("new description"); }
    void layOutWizard() override { log << QStringLiteral("lay out wizard"); }
    void closeWizard() override { log << QStringLiteral("close wizard"); }
    void openChooser() override { log << QStringLiteral("chooser"); }
    void openFreeEdit() override { log << QStringLiteral("free edit"); }
    LoadResult loadProject(const QString& folder, const QString& fileName) override
    {
        // What the loader finds: the old mechanism gone, the output ready, the free-edit mode.
        log << QStringLiteral("load %1 %2: %3 %4 %5").arg(folder, fileName).arg(m_session.ParaCount)
                   .arg(m_session.OutputReady).arg(m_session.WindowMode);
        return m_result;
    }
    CompilerView* compilerView() override { return nullptr; }
};

// The opening question as the person reads it.
const QString kOpening = QStringLiteral("Нажмите 'Да' для создания нового механизма\r\nНажмите 'Нет' для загрузки механизма из файла");

// Queued commands run, then the windows they closed go.
void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

// The shell's plain routines, its opening question, and its commands from the menu.
class ShellTest : public QObject {
    Q_OBJECT
private slots:
    void routines_giveTheirResults_data() { addRows("routines.txt"); }
    void routines_giveTheirResults() { QCOMPARE(run(cell("routine"), cell("input")), cell("expected")); }

    // The opening question and its "no" branch: what each answer and each file leads to.
    void openingQuestion_actsOnTheAnswer_data() { addRows("opening.txt"); }
    void openingQuestion_actsOnTheAnswer()
    {
        const auto field = [](const char* column) { return cell(column).replace(QChar(0x2423), QLatin1Char(' ')); };
        QTemporaryDir data;
        QFile project(data.filePath(QStringLiteral("d_files/mech1.zvr")));
        QVERIFY(QDir(data.path()).mkpath(QStringLiteral("d_files")) && project.open(QIODevice::WriteOnly)); // empty, there
        Session s;
        s.DataFolder = data.path();
        s.Answer = field("before");
        s.ParaCount = 3;
        s.WindowMode = s.OutputReady = s.OutputSaved = 1.0f;
        ScriptedDialogs d(s);
        if (cell("given").isNull())
            d.expectQuestionClosed(kOpening, 1.0f, QStringLiteral("0"));
        else
            d.expectQuestion(kOpening, 1.0f, QStringLiteral("0"), cell("given"));
        if (cell("given") == QLatin1String("7"))
            d.expectOpenFile(kShellFileFilter, fileChoiceFor(cell("file").isNull() ? QString() : data.filePath(cell("file"))));
        if (!cell("error").isNull())
            d.expectError(qint16(cell("error").toInt()));
        RecordingActions a(s, cell("loader") == QLatin1String("Loaded") ? LoadResult::Loaded : LoadResult::Damaged);
        ShellCommands(s, d, a).openingQuestion(QPoint(10, 20));
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
        QCOMPARE(a.log.join(QStringLiteral(", ")).replace(data.path(), QStringLiteral("<data>")), cell("log"));
        QCOMPARE(s.WindowMode, cell("mode").toFloat());
        QCOMPARE(s.Answer, field("after"));
        // Nothing half-read may be saved.
        QCOMPARE(s.OutputReady + s.OutputSaved, cell("log").endsWith(QLatin1String("free edit")) ? 1.0f : 0.0f);
    }

    // A project with every array full, opened the way a user opens one (the chooser, "no" to the
    // opening question, the file), shown whole in the free-edit tree and saved again unchanged by
    // the File key (cancelled, failed, written); then the chooser, a new description, the
    // free-edit window again, the chooser closing it, and "Выход", after which the menu is dead.
    void fullProject_loadedThroughTheOpenCommand()
    {
        QTemporaryDir data;
        const Session full = mechanism(QStringLiteral("@largest"));
        const QByteArray bytes = projectFileBytes(full, nullptr).value_or(QByteArray());
        QFile zvr(data.filePath(QStringLiteral("d_files/full.zvr")));
        QVERIFY(QDir(data.path()).mkpath(QStringLiteral("d_files")) && zvr.open(QIODevice::WriteOnly));
        QVERIFY(bytes.size() == 22278 * kProjectRecordSize && zvr.write(bytes) == bytes.size());
        zvr.close();
        Session s;
        s.DataFolder = data.path();
        const QString missing = data.filePath(QStringLiteral("no such folder/out.kv"));
        ScriptedDialogs d(s);
        d.expectQuestion(kOpening, 1.0f, QStringLiteral("0"), QStringLiteral("7"))
            .expectOpenFile(kShellFileFilter, fileChoiceFor(data.filePath(QStringLiteral("Full.kv"))))
            .expectSaveFile(kShellFileFilter, FileChoice{})
            .expectSaveFile(kShellFileFilter, fileChoiceFor(missing))
            .expectError(kErrWriteFailed, QDir::toNativeSeparators(missing))
            .expectSaveFile(kShellFileFilter, fileChoiceFor(data.filePath(QStringLiteral("again.kv"))))
            .expectQuestion(kOpening, 1.0f, QStringLiteral("0"), QStringLiteral("6"));
        Shell shell(s, d);
        QStringList choosers; // at each: WindowMode, and whether a wizard and a free-edit window were still there
        connect(&shell, &Shell::chooserShown, this, [&](QDialog* chooser) {
            choosers << QStringLiteral("%1 %2 %3").arg(s.WindowMode).arg(int(shell.wizardWindow() != nullptr))
                            .arg(int(shell.freeEditWindow() != nullptr));
            if (choosers.size() <= 2) // the picture; Escape leaves the last one
                QTest::mouseClick(chooser->findChild<QLabel*>(QStringLiteral("img_KvertaMode")), Qt::LeftButton);
            else
                QTest::keyClick(chooser, Qt::Key_Escape);
        });
        shell.start();
        shell.newMechanism();
        settle();
        QPointer<FreeEditWindow> w = shell.freeEditWindow();
        QVERIFY(w && w->isVisible() && !shell.wizardWindow());
        QCOMPARE(w->nodeItems().size(), buildMechanismTree(full).size());
        QCOMPARE(w->nodeItems().last()->text(0), buildMechanismTree(full).last().text);
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        for (float saved : {0.0f, 0.0f, 1.0f}) { // cancelled, the folder gone, written
            QTest::keyClick(w, Qt::Key_F3, Qt::ControlModifier);
            QCOMPARE(s.OutputSaved, saved);
        }
        QFile again(data.filePath(QStringLiteral("d_files/again.zvr")));
        QVERIFY(again.open(QIODevice::ReadOnly) && again.readAll() == bytes);

        emit w->chooserRequested(); // leaving the mode with "yes"
        settle();
        QPointer<WizardWindow> wizard = shell.wizardWindow();
        QVERIFY(wizard && wizard->isVisible() && !w);
        QCOMPARE(s.WizardState, qint16(11));
        QCOMPARE(s.OutputReady + s.OutputSaved + s.WindowMode, 1.0f);
        QTest::keyClick(wizard, Qt::Key_F3, Qt::ControlModifier); // nothing to save yet: no dialog
        emit wizard->freeEditRequested();
        settle();
        QVERIFY(!wizard && shell.freeEditWindow());
        QCOMPARE(s.WindowMode, 2.0f);
        shell.newMechanism(); // the chooser closes the working window before it shows
        settle();
        QCOMPARE(choosers, QStringList(3, QStringLiteral("-1 0 0")));
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
        shell.mainWindow()->findChild<QAction*>(QStringLiteral("mnu_Exit"))->trigger();
        settle();
        for (QWidget* top : QApplication::topLevelWidgets())
            QVERIFY2(!top->isVisible(), qPrintable(top->objectName())); // the compiler window too
        shell.newMechanism();
        QCOMPARE(choosers.size(), 3);
    }

    // The File menu's interrupted description, chosen while another run of the program still
    // writes its journal (the menu was opened before that run took it up): said, no wizard window
    // opens, and the journal is left to the run that writes it.
    void resume_ofAJournalAnotherRunWrites_isRefused()
    {
        QTemporaryDir data;
        QVERIFY(QDir(data.path()).mkpath(QStringLiteral("d_files")));
        Session other;
        ScriptedDialogs otherDialogs(other);
        AnswerJournal running(otherDialogs);
        const QString path = data.filePath(QStringLiteral("journals/a.journal"));
        QVERIFY(running.start(path));
        running.recordCommand(JournalEntry{});
        Session s;
        s.DataFolder = data.path();
        ScriptedDialogs d(s);
        d.expectMessage(QStringLiteral("KVERTA Mode"), QStringLiteral("Это описание сейчас ведётся в другом окне программы."),
                        MessageIcon::Information);
        Shell shell(s, d);
        shell.start();
        shell.resumeDescription(path);
        settle();
        QVERIFY(!shell.wizardWindow());
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
        QCOMPARE(readJournal(path).size(), 1);
    }
};

QTEST_MAIN(ShellTest)
#include "shell_test.moc"
