#include "model/session.h"
#include "shell/qtdialogs.h"
#include "shell/questiondialog.h"
#include "tests/support/expectedfiles.h"
#include "tests/support/scripteddialogs.h"
#include "tests/support/testtable.h"
#include "files/projectformat.h"
#include "files/ui/screenfit.h"
#include "wizard/journal.h"
#include "wizard/ui/wizardwindow.h"
#include "wizard/wizardengine.h"

#include <QApplication>
#include <QDir>
#include <QMap>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace {

const QString kFilter = QStringLiteral("Файлы KVERTA (*.kv)| *.kv");

QString dataPath(const QString& file) { return QStringLiteral(ZUVRACK_DESCRIPTIONS_DATA "/") + file; }

// One whole description as kept in data/<name>.txt, in the order it happens:
//   > text          a typed answer (Enter in the answer box)
//   E               the end-of-stage command
//   ? m|def|ans|q   a question in mode m with default text def, answered with ans
//   ?x m|def|q      the same question closed with its close box
//   ?< m|def|q      the same question left for the answer before it (Alt+Left)
//   ! code          the message of an error code
//   S title         the save dialog, answered with <output folder>/title (cancelled without one)
//   = line          a line of the input protocol
// "\t" stands for a tab and "\n" for a line break (CR LF) in questions and lines. The windows
// and messages go into the script of d; the typed answers (null text for E) are returned.
QStringList loadDescription(const QString& name, const QString& outFolder, ScriptedDialogs& d, QStringList& protocol,
                            QString& title)
{
    QStringList typed;
    const auto unescape = [](QString t) {
        return t.replace(QStringLiteral("\\t"), QStringLiteral("\t")).replace(QStringLiteral("\\n"), QStringLiteral("\r\n"));
    };
    for (const QString& line : QString::fromUtf8(readFileBytes(dataPath(name + QStringLiteral(".txt")))).split(u'\n')) {
        const QString head = line.section(u' ', 0, 0), rest = line.section(u' ', 1);
        const QStringList f = rest.split(u'|');
        if (head == QStringLiteral(">") || head == QStringLiteral("E"))
            typed << (head == QStringLiteral("E") ? QString() : rest);
        else if (head == QStringLiteral("?") && f.size() == 4)
            d.expectQuestion(unescape(f[3]), f[0].toFloat(), f[1], f[2]);
        else if (head == QStringLiteral("?x") && f.size() == 3)
            d.expectQuestionClosed(unescape(f[2]), f[0].toFloat(), f[1]);
        else if (head == QStringLiteral("?<") && f.size() == 3)
            d.expectQuestionBack(unescape(f[2]), f[0].toFloat(), f[1]);
        else if (head == QStringLiteral("!"))
            d.expectError(qint16(rest.toShort()));
        else if (head == QStringLiteral("S"))
            d.expectSaveFile(kFilter, rest.isEmpty() ? FileChoice{} : FileChoice{QDir(outFolder).filePath(title = rest), rest});
        else if (head == QStringLiteral("="))
            protocol << unescape(rest);
        else if (!line.isEmpty() && !line.startsWith(u'#'))
            qFatal("%s: a line of no known kind: %s", qPrintable(name), qPrintable(line));
    }
    return typed;
}

// One stored description's script against a data folder of its own (its d_files made) and a
// folder for the files the save writes.
struct ScriptedDescription {
    explicit ScriptedDescription(const QString& name,
                                 const QString& folderPattern = QDir::tempPath() + QStringLiteral("/zuvrack-XXXXXX"))
        : data(folderPattern)
        , out(folderPattern)
        , d(s)
    {
        QDir(data.path()).mkpath(QStringLiteral("d_files"));
        s.DataFolder = data.path();
        typed = loadDescription(name, out.path(), d, protocol, title);
    }

    QTemporaryDir data, out;
    Session s;
    ScriptedDialogs d;
    QStringList protocol; // as the script expects it
    QString title;
    QStringList typed; // the answers typed and, as empty texts, the end-of-stage button
};

// One word of a script given to the engine as the window gives it: typed and entered, or (an
// empty text) the end-of-stage button.
void typeInto(WizardEngine& e, const QString& answer)
{
    JournalEntry step;
    step.kind = answer.isNull() ? JournalEntry::Kind::EndStage : JournalEntry::Kind::Typed;
    step.answer = answer;
    e.runCommand([&] { e.runStep(step); });
}

// Answers a modal window of the real program as the script of d says: the question dialog through
// its buttons and answer box (or its close box), a message box with its button, the save dialog
// with the file of the script. d checks what the window shows as it does for the engine.
void answerWindow(QWidget* modal, ScriptedDialogs& d)
{
    const auto windowsText = [](QString shown) { return shown.replace(QStringLiteral("\n"), QStringLiteral("\r\n")); };
    if (auto* dialog = qobject_cast<QuestionDialog*>(modal)) {
        auto* typedFace = dialog->findChild<QLabel*>(QStringLiteral("lbl_Question2"));
        const bool typed = typedFace->isVisible();
        auto* label = typed ? typedFace : dialog->findChild<QLabel*>(QStringLiteral("lbl_Question1"));
        auto* box = dialog->findChild<QLineEdit*>(QStringLiteral("txt_Answer"));
        // The yes/no face shows no default text; the wizard gives every yes/no question "0".
        const QString answer =
            d.askQuestion(windowsText(label->text()), typed ? 2.0f : 1.0f, typed ? box->text() : QStringLiteral("0"), {});
        if (d.lastClosed()) {
            dialog->close();
        } else if (d.lastBack()) {
            // A window's shortcut works only once the window is the active one; a loaded machine
            // may not have made it so yet.
            if (!QTest::qWaitForWindowActive(dialog, 10000))
                d.message(QStringLiteral("the question never became the active window"), label->text(), {});
            QTest::keyClick(dialog, Qt::Key_Left, Qt::AltModifier);
        } else if (typed) {
            // The default is selected: typing replaces it, Backspace leaves nothing.
            answer.isEmpty() ? QTest::keyClick(box, Qt::Key_Backspace) : QTest::keyClicks(box, answer);
            QTest::keyClick(box, Qt::Key_Return);
        } else {
            dialog->findChild<QPushButton*>(answer == QStringLiteral("6") ? QStringLiteral("btn_Yes") : QStringLiteral("btn_No"))
                ->click();
        }
    } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        const MessageIcon byQtIcon[] = {MessageIcon::Critical, MessageIcon::Information, MessageIcon::Warning,
                                        MessageIcon::Critical, MessageIcon::Question};
        d.message(box->windowTitle(), windowsText(box->text()), byQtIcon[box->icon()]);
        box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click() : box->reject();
    } else if (auto* files = qobject_cast<QFileDialog*>(modal)) {
        const FileChoice choice = d.saveFile(kFilter); // the engine rows check the filter
        if (choice.cancelled())
            return files->reject();
        files->setDirectory(QFileInfo(choice.fileName).path());
        files->selectFile(choice.fileName);
        QMetaObject::invokeMethod(files, "accept", Qt::QueuedConnection);
    } else {
        d.message(QStringLiteral("a window of no known kind"), QLatin1String(modal->metaObject()->className()), {});
        modal->close();
    }
}

// Both files byte for byte against their listings (from the path of each without ".txt"), line by line
// and record by record; the project file may lie elsewhere.
void compareWithListings(const QString& kv, const QString& listings, const QString& zvr)
{
    QString error;
    const QByteArray kvBytes = encodeKvListing(listings + QStringLiteral(".kv.txt"), &error);
    const QByteArray zvrBytes = encodeZvrListing(listings + QStringLiteral(".zvr.txt"), &error);
    QCOMPARE(error, QString());
    QCOMPARE(kvDifference(readFileBytes(kv), kvBytes), QString());
    QCOMPARE(difference(zvrRecords(readFileBytes(zvr)), zvrRecords(zvrBytes)), QString());
}

// Everything a student can see of a description, and the records: two equal states are the same
// description at the same point.
QString stateOf(const Session& s, const WizardEngine& e)
{
    const WizardDisplay& d = e.display();
    return QStringList{QString::number(s.WizardState), QString::number(s.W), QString::number(s.OutputSaved), d.prompt,
                       d.input.join(u'\n'), d.pairs.join(u'\n'), d.links.join(u'\n'),
                       QString::fromLatin1(projectFileBytes(s, nullptr).value_or("too long").toHex())}
        .join(QStringLiteral("\n--\n"));
}

// The windows of a replay: the state is noted before each window asks for an answer, which then
// comes from `next` (a script), or ends the run (thrown Stop) when there is none.
struct Stop {};
class ProbeDialogs : public Dialogs {
public:
    std::function<void()> before;
    Dialogs* next = nullptr;
    bool messages = true; // false: messages are not passed on (a resumed run's were checked before)
    QString askQuestion(const QString& q, float mode, const QString& def, QPoint at) override
    {
        return answer(), next->askQuestion(q, mode, def, at);
    }
    void message(const QString& title, const QString& text, MessageIcon icon) override
    {
        if (next && messages)
            next->message(title, text, icon);
    }
    int yesNoBox(const QString& text, const QString& title) override { return answer(), next->yesNoBox(text, title); }
    FileChoice saveFile(const QString& filter) override { return answer(), next->saveFile(filter); }
    FileChoice openFile(const QString& filter) override { return answer(), next->openFile(filter); }

private:
    void answer()
    {
        if (before)
            before();
        if (!next)
            throw Stop{};
    }
};

// The rest of a journal, from step `from`, as a script: the windows' answers into d, the commands
// returned.
QList<JournalEntry> scriptFrom(const QList<JournalEntry>& steps, qsizetype from, ScriptedDialogs& d)
{
    QList<JournalEntry> commands;
    for (qsizetype k = from; k < steps.size(); ++k) {
        const JournalEntry& j = steps[k];
        using K = JournalEntry::Kind;
        if (j.isCommand())
            commands << j;
        else if (j.kind == K::Question)
            d.expectQuestion(j.question, j.mode, j.defaultText, j.answer);
        else if (j.kind == K::YesNo)
            d.expectYesNo(j.question, j.defaultText, j.button);
        else if (j.kind == K::Save)
            d.expectSaveFile(kFilter, j.file);
    }
    return commands;
}

QStringList linesOf(const QList<JournalEntry>& steps)
{
    QStringList out;
    for (const JournalEntry& j : steps)
        out << journalLine(j);
    return out;
}

} // namespace

// Whole descriptions from the first pair to the written files, each kept in data/ as the student's
// answers, the questions and messages expected, the protocol and both files; each typed into the
// wizard engine and into the real wizard window, questions answered in the real question dialog,
// message boxes and save dialog.
class DescriptionsTest : public QObject {
    Q_OBJECT
private slots:
    void wholeDescription_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("windows");
        for (const QString& file : QDir(dataPath(QString())).entryList({QStringLiteral("*.txt")}))
            if (file.count(u'.') == 1)
                for (bool windows : {false, true})
                    QTest::addRow("%s %s", qPrintable(file.chopped(4)), windows ? "windows" : "engine")
                        << file.chopped(4) << windows;
    }

    void wholeDescription()
    {
        QFETCH(QString, name);
        QFETCH(bool, windows);
        ScriptedDescription run(name);
        QStringList protocol;
        QString prompt;
        if (!windows) {
            WizardEngine e(run.s, run.d);
            e.startNewDescription();
            for (const QString& answer : run.typed)
                typeInto(e, answer);
            protocol = e.display().input;
            prompt = e.display().prompt;
        } else {
            QtDialogs dialogs(run.s);
            run.d.setThrowsBack(false);
            QWidget strip;
            strip.resize(800, 40);
            strip.show();
            WizardWindow wizard(run.s, dialogs, &strip);
            wizard.startNewDescription();
            wizard.show();
            wizard.activateWindow();
            QVERIFY(QTest::qWaitForWindowExposed(&wizard));
            auto* answerBox = wizard.findChild<QLineEdit*>(QStringLiteral("txt_Answer"));
            QPointer<QWidget> handled;
            QTimer modals;
            connect(&modals, &QTimer::timeout, [&] {
                QWidget* modal = QApplication::activeModalWidget();
                if (modal && modal != handled && modal->isVisible())
                    answerWindow(handled = modal, run.d);
            });
            modals.start(5);
            for (const QString& answer : run.typed) {
                if (!answer.isNull())
                    QTest::keyClicks(answerBox, answer);
                QTest::keyClick(answerBox, Qt::Key_Return, answer.isNull() ? Qt::ShiftModifier : Qt::NoModifier);
            }
            const QListWidget* list = wizard.findChild<QListWidget*>(QStringLiteral("lst_Input"));
            for (int i = 0; i < list->count(); ++i)
                protocol << list->item(i)->text();
            prompt = wizard.findChild<QLabel*>(QStringLiteral("lbl_Question"))->text();
        }
        QVERIFY2(run.d.problems().isEmpty(), qPrintable(run.d.problems().join(u'\n')));
        QCOMPARE(protocol, run.protocol);
        QCOMPARE(QStringLiteral("%1 %2 %3").arg(run.s.WizardState).arg(prompt).arg(run.s.OutputSaved), QStringLiteral("200 К О Н Е Ц !!! 1"));
        // The project file: the title without its last three characters, in lower case, in d_files.
        const QString project = run.data.filePath(QStringLiteral("d_files/") + run.title.chopped(3).toLower() + QStringLiteral(".zvr"));
        compareWithListings(run.out.filePath(run.title), dataPath(name), project);
    }

    // e2e.sh compares the program's files with committed binaries; they are what their listings say.
    void endToEndFiles_matchTheirListings()
    {
        // The first run and the run after the free edit.
        for (const char* file : {ZUVRACK_E2E_EXPECTED "/fourbar", ZUVRACK_E2E_EXPECTED "/fourbar-edited"})
            compareWithListings(QLatin1String(file) + QStringLiteral(".kv"), QLatin1String(file), QLatin1String(file) + QStringLiteral(".zvr"));
    }

    // The journal of each description: written as it is typed, it gives the same description
    // again when replayed whole, when resumed from any point a crash could have cut it at, and
    // when the student returns to any step of it.
    void journal_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString& file : QDir(dataPath(QString())).entryList({QStringLiteral("*.txt")}))
            if (file.count(u'.') == 1)
                QTest::newRow(qPrintable(file.chopped(4))) << file.chopped(4);
    }

    void journalLine_keepsText_data()
    {
        QTest::addColumn<QString>("text");
        for (const QString& line : tableLines(dataPath(QStringLiteral("journal.rows"))))
            QTest::newRow(qPrintable(line)) << QString(line).replace(QChar(0x1F), u'|');
    }

    void journalLine_keepsText()
    {
        QFETCH(QString, text);
        using K = JournalEntry::Kind;
        for (const K kind : {K::Typed, K::Question, K::YesNo, K::Save}) {
            JournalEntry e;
            e.kind = kind;
            e.answer = kind == K::YesNo || kind == K::Save ? QString() : text;
            e.question = kind == K::Question || kind == K::YesNo ? text : QString();
            e.defaultText = kind == K::Question || kind == K::YesNo ? text : QString();
            e.mode = kind == K::Question ? 2 : 0;
            e.button = kind == K::YesNo ? 7 : 0;
            e.file = kind == K::Save ? FileChoice{text, text} : FileChoice{};
            const QString line = ::journalLine(e);
            QVERIFY2(!line.contains(u'\n') && !line.contains(u'\r') && !line.contains(u'\t'), qPrintable(line));
            const auto back = parseJournalLine(line);
            QVERIFY2(back, qPrintable(line));
            QCOMPARE(::journalLine(*back), line);
            QCOMPARE(QStringList({back->answer, back->question, back->defaultText, back->file.fileName, back->file.fileTitle}),
                     QStringList({e.answer, e.question, e.defaultText, e.file.fileName, e.file.fileTitle}));
        }
    }

    void journal()
    {
        QFETCH(QString, name);
        // Every answer goes to the disk before the next question; on a memory file system when
        // there is one, or the thousands of replayed answers take a minute.
        const QString tmp = QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm/") : QDir::tempPath() + u'/';
        const QString pattern = tmp + QStringLiteral("zuvrack-journal-XXXXXX");
        ScriptedDescription run(name, pattern);
        const QString journals = run.data.filePath(QStringLiteral("journals"));
        // The original run, with the state before every step it journals.
        // Keyed by the step's place: a question left for the answer before it is asked again there.
        QMap<qsizetype, QString> before;
        ProbeDialogs probe;
        probe.next = &run.d;
        WizardEngine e(run.s, probe);
        probe.before = [&] { before[e.journal().steps().size()] = stateOf(run.s, e); };
        e.setJournalFolder(journals);
        e.startNewDescription();
        const QString journalFile = e.journal().path();
        for (const QString& answer : run.typed) {
            before[e.journal().steps().size()] = stateOf(run.s, e);
            typeInto(e, answer);
        }
        QVERIFY2(run.d.problems().isEmpty(), qPrintable(run.d.problems().join(u'\n')));
        const QString finished = stateOf(run.s, e);
        const QList<JournalEntry> steps = e.journal().steps();
        QCOMPARE(before.size(), steps.size());

        // Finished: the journal lies beside the project and no longer waits in the folder.
        const QString project = run.data.filePath(QStringLiteral("d_files/") + run.title.chopped(3).toLower());
        QFile kept(project + QStringLiteral(".journal.txt"));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        const QByteArray text = kept.readAll();
        QCOMPARE(linesOf(parseJournal(text)), linesOf(steps));
        QVERIFY(!QFileInfo::exists(journalFile));
        QVERIFY(!findInterruptedJournal(journals));

        // Cut after every line and in the middle of every line, as a crash leaves it: resumed, it
        // is the state before the first step it lacks; the rest of the script then finishes it.
        QList<qsizetype> cuts;
        for (qsizetype at = text.indexOf('\n'); at >= 0; at = text.indexOf('\n', at + 1))
            cuts << at + 1 << qMax<qsizetype>(0, at - 2);
        for (const qsizetype cut : cuts) {
            const QList<JournalEntry> journalled = parseJournal(text.left(cut));
            const qsizetype k = journalled.size();
            QFile cutFile(run.data.filePath(QStringLiteral("cut.journal")));
            QVERIFY(cutFile.open(QIODevice::WriteOnly | QIODevice::Truncate));
            cutFile.write(text.left(cut));
            cutFile.close();
            QTemporaryDir again(pattern);
            QVERIFY(QDir(again.path()).mkpath(QStringLiteral("d_files")));
            Session r;
            r.DataFolder = again.path();
            ScriptedDialogs rest(r);
            const QList<JournalEntry> commands = scriptFrom(steps, k, rest);
            ProbeDialogs resumed;
            resumed.next = &rest;
            resumed.messages = false;
            WizardEngine re(r, resumed);
            QString atResume;
            resumed.before = [&] {
                if (atResume.isEmpty())
                    atResume = stateOf(r, re);
            };
            if (k == 0) {
                QVERIFY(!re.resume(cutFile.fileName()));
                continue;
            }
            QVERIFY(re.resume(cutFile.fileName()));
            if (atResume.isEmpty())
                atResume = stateOf(r, re);
            QVERIFY2(k == steps.size() || atResume == before[k], qPrintable(QStringLiteral("cut at byte %1").arg(cut)));
            for (const JournalEntry& command : commands)
                re.runStep(command);
            QVERIFY2(rest.problems().isEmpty(), qPrintable(rest.problems().join(u'\n')));
            QCOMPARE(stateOf(r, re), finished);
            QCOMPARE(linesOf(re.journal().steps()), linesOf(steps));
        }
        compareWithListings(run.out.filePath(run.title), dataPath(name), project + QStringLiteral(".zvr"));

        // A journal whose question no longer fits (another version of the program): replayed up
        // to it, the rest left out and counted, the question put to the student.
        qsizetype question = 0;
        while (question < steps.size() && steps[question].kind != JournalEntry::Kind::Question)
            ++question;
        if (question < steps.size()) {
            const QByteArray line = journalLine(steps[question]).toUtf8();
            QFile changed(run.data.filePath(QStringLiteral("changed.journal")));
            QVERIFY(changed.open(QIODevice::WriteOnly));
            changed.write(QByteArray(text).replace(line, QByteArray(line + "?")));
            changed.close();
            ProbeDialogs asked;
            Session c;
            c.DataFolder = run.data.path();
            WizardEngine ce(c, asked);
            QString reached;
            asked.before = [&] { reached = stateOf(c, ce); };
            QVERIFY_THROWS_EXCEPTION(Stop, ce.resume(changed.fileName()));
            QCOMPARE(reached, before[question]);
            QCOMPARE(ce.journal().leftOut(), steps.size() - question);
        }

        // Back to just before every step, from the last to the first.
        ProbeDialogs stop;
        QTemporaryDir third(pattern);
        QVERIFY(QDir(third.path()).mkpath(QStringLiteral("d_files")));
        Session b;
        b.DataFolder = third.path();
        WizardEngine back(b, stop);
        QVERIFY(back.resume(project + QStringLiteral(".journal.txt")));
        QCOMPARE(stateOf(b, back), finished);
        for (qsizetype k = steps.size() - 1; k >= 0; --k) {
            QString reached;
            stop.before = [&] { reached = stateOf(b, back); };
            try {
                back.returnToStep(k);
                reached = stateOf(b, back);
            } catch (const Stop&) {
            }
            QVERIFY2(reached == before[k], qPrintable(QStringLiteral("step %1: %2").arg(k).arg(journalLine(steps[k]))));
            QCOMPARE(back.journal().steps().size(), k);
        }
    }

    // A journal folder that takes no files: said, and the description goes on to the same files,
    // still able to go back (the steps are held in memory).
    void journal_unwritableFolder()
    {
        ScriptedDescription run(QStringLiteral("returned"));
        QFile blocker(run.data.filePath(QStringLiteral("not-a-folder")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        WizardEngine e(run.s, run.d);
        e.setJournalFolder(blocker.fileName() + QStringLiteral("/journals"));
        e.startNewDescription();
        QVERIFY(e.journal().failing());
        for (const QString& answer : run.typed)
            typeInto(e, answer);
        QVERIFY2(run.d.problems().isEmpty(), qPrintable(run.d.problems().join(u'\n')));
        QCOMPARE(e.display().input, run.protocol);
        compareWithListings(run.out.filePath(run.title), dataPath(QStringLiteral("returned")),
                            run.data.filePath(QStringLiteral("d_files/") + run.title.chopped(3).toLower() + QStringLiteral(".zvr")));
    }

    // Resumed in a window, the description shows what a student saw when typing it, before the
    // first question it puts to the student (or, in stage 1, when it is done): the stage tree
    // opened and marked, and the stage's picture, not an empty picture frame.
    void journal_resumedWindowShowsItsStage_data()
    {
        QTest::addColumn<int>("cutBeforeState");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QStringList>("checked");
        QTest::newRow("stage 1, second link of a pair") << 13 << QStringLiteral("Bitmaps/stage-01-.gif")
                                                        << QStringList{QStringLiteral("S1"), QStringLiteral("S11")};
        QTest::newRow("stage 1, the frame") << 2 << QStringLiteral("Bitmaps/stage-01-.gif")
                                            << QStringList{QStringLiteral("S1"), QStringLiteral("S12")};
        QTest::newRow("stage 2, a length") << 10 << QStringLiteral("Bitmaps/stage-02-.gif")
                                           << QStringList{QStringLiteral("S2"), QStringLiteral("S22")};
    }
    void journal_resumedWindowShowsItsStage()
    {
        QFETCH(int, cutBeforeState);
        QFETCH(QString, picture);
        QFETCH(QStringList, checked);
        ScriptedDescription run(QStringLiteral("fourbar"));
        WizardEngine e(run.s, run.d);
        e.startNewDescription();
        for (const QString& answer : run.typed)
            typeInto(e, answer);
        QList<JournalEntry> steps = e.journal().steps();
        qsizetype k = 0;
        while (k < steps.size() && steps[k].state != cutBeforeState)
            ++k;
        QVERIFY(k < steps.size());
        QFile cut(run.data.filePath(QStringLiteral("cut.journal")));
        QVERIFY(cut.open(QIODevice::WriteOnly));
        for (const JournalEntry& step : steps.mid(0, k))
            cut.write((journalLine(step) + u'\n').toUtf8());
        cut.close();

        QVERIFY(QDir(run.data.path()).mkpath(QStringLiteral("Bitmaps")));
        for (const QString& file : {QStringLiteral("Bitmaps/stage-01-.gif"), QStringLiteral("Bitmaps/stage-02-.gif")})
            QVERIFY(QFile::copy(QDir(QStringLiteral(ZUVRACK_TEST_DATA)).filePath(file), run.data.filePath(file)));
        Session r;
        r.DataFolder = run.data.path();
        ProbeDialogs live; // the first question put for real stops the run there
        QWidget strip;
        strip.resize(800, 40);
        strip.show();
        WizardWindow wizard(r, live, &strip);
        QStringList seen;
        const auto look = [&] {
            if (!seen.isEmpty())
                return;
            const auto* tree = wizard.findChild<QTreeWidget*>(QStringLiteral("tw_Prog"));
            for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(tree)); *it; ++it) {
                const QString key = (*it)->data(0, Qt::UserRole).toString();
                if ((*it)->isExpanded())
                    seen << key + QStringLiteral(" open");
                if ((*it)->checkState(0) == Qt::Checked)
                    seen << key + QStringLiteral(" checked");
            }
            const auto* help = wizard.findChild<QLabel*>(QStringLiteral("img_Help"));
            const QImage shown = help->pixmap().toImage();
            const QImage expected = screenPicture(QPixmap(run.data.filePath(picture)), help->size(),
                                                  help->devicePixelRatioF()).toImage();
            seen << (!shown.isNull() && shown == expected ? QStringLiteral("picture") : QStringLiteral("no picture"));
        };
        live.before = look;
        try {
            wizard.resume(cut.fileName());
        } catch (const Stop&) {
        }
        look();
        QCOMPARE(r.WizardState, qint16(cutBeforeState));
        QStringList expected{QStringLiteral("S1 open"), QStringLiteral("S14 open"), QStringLiteral("S2 open")};
        for (const QString& key : checked)
            expected << key + QStringLiteral(" checked");
        expected << QStringLiteral("picture");
        seen.sort();
        expected.sort();
        QCOMPARE(seen, expected);
    }

    // Two runs of the program at once (started twice by mistake, or on two computers sharing the
    // home folder): the journal the first one is writing is not offered to the second, and cannot
    // be taken over; once the first has closed it, or died without a word, it is an interrupted
    // description like any other.
    void journal_heldByAnotherRun()
    {
        if (const QString leave = qEnvironmentVariable("ZUVRACK_LEAVE_LOCK"); !leave.isEmpty()) {
            Session ds;
            ScriptedDialogs dd(ds);
            AnswerJournal dying(dd);
            dying.start(leave);
            dying.recordCommand(JournalEntry{});
            std::_Exit(0); // as a crash leaves it: the lock file stays behind
        }
        ScriptedDescription run(QStringLiteral("fourbar"));
        const QString journals = run.data.filePath(QStringLiteral("journals"));
        auto first = std::make_unique<WizardEngine>(run.s, run.d);
        first->setJournalFolder(journals);
        first->startNewDescription();
        for (const QString& answer : run.typed.mid(0, 6))
            typeInto(*first, answer);
        const QString path = first->journal().path();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray written = file.readAll();
        file.close();

        // Twenty newer journals lie in the folder, so the first run's is one to make room.
        for (int i = 0; i < 20; ++i) {
            QFile newer(QDir(journals).filePath(QStringLiteral("newer%1.journal").arg(i)));
            QVERIFY(newer.open(QIODevice::WriteOnly));
            QVERIFY(newer.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
        }
        Session t;
        t.DataFolder = run.data.path();
        ScriptedDialogs none(t);
        QVERIFY(journalInUse(path));
        QVERIFY(!findInterruptedJournal(journals));
        {
            WizardEngine second(t, none);
            QVERIFY(!second.resume(path));
            // Its own new description leaves the first one's journal where it is.
            second.setJournalFolder(journals);
            second.startNewDescription();
        }
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), written);
        file.close();

        const QString wasTyped = stateOf(run.s, *first);
        first.reset(); // the window closed before the end
        QVERIFY(!journalInUse(path));
        QCOMPARE(findInterruptedJournal(journals).value_or(InterruptedJournal{}).path, path);
        WizardEngine second(t, none);
        QVERIFY(second.resume(path));
        QCOMPARE(stateOf(t, second), wasTyped);
        QVERIFY(journalInUse(path));

        // A run that died while writing its journal leaves the lock file, held by no one.
        const QString crashed = QDir(journals).filePath(QStringLiteral("crashed.journal"));
        QProcess child;
        child.setEnvironment(QProcess::systemEnvironment() << QStringLiteral("ZUVRACK_LEAVE_LOCK=") + crashed);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("journal_heldByAnotherRun")});
        QVERIFY(child.waitForFinished(30000));
        QVERIFY(QFileInfo::exists(crashed + QStringLiteral(".lock")));
        QVERIFY(!journalInUse(crashed));
        QCOMPARE(findInterruptedJournal(journals).value_or(InterruptedJournal{}).path, crashed);

        // A home folder shared over the network: another computer's lock, whose process cannot be
        // asked after, holds its journal while it is being written, and not once it lies idle.
        const QString shared = run.data.filePath(QStringLiteral("shared"));
        const QString foreign = QDir(shared).filePath(QStringLiteral("foreign.journal"));
        QVERIFY(QDir().mkpath(shared) && QFile::copy(crashed, foreign));
        QFile foreignLock(foreign + QStringLiteral(".lock"));
        QVERIFY(foreignLock.open(QIODevice::WriteOnly));
        foreignLock.write(QByteArray::number(QCoreApplication::applicationPid()) + "\nzuvrack\nanother-computer\n\n\n");
        foreignLock.close();
        QVERIFY(journalInUse(foreign));
        QVERIFY(!findInterruptedJournal(shared));
        QFile idle(foreign);
        QVERIFY(idle.open(QIODevice::ReadWrite));
        QVERIFY(idle.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
        idle.close();
        QCOMPARE(findInterruptedJournal(shared).value_or(InterruptedJournal{}).path, foreign);
        QVERIFY(second.resume(foreign));
    }

    // A fault that makes a question repeat must fail the run, not hang it: the same program, started
    // with a question loop that no answer ends, stops within seconds and says why.
    void questionAskedForever_endsTheRunWithinSeconds()
    {
        if (qEnvironmentVariableIsSet("ZUVRACK_PLANTED_LOOP")) {
            Session s;
            ScriptedDialogs d(s);
            while (d.askQuestion(QStringLiteral("Будет производиться силовой анализ?"), 1.0f, QStringLiteral("0"), {}) !=
                   QStringLiteral("6")) {
            }
            return;
        }
        QProcess run;
        run.setEnvironment(QProcess::systemEnvironment() << QStringLiteral("ZUVRACK_PLANTED_LOOP=1"));
        run.setProcessChannelMode(QProcess::MergedChannels);
        run.start(QCoreApplication::applicationFilePath(),
                  {QStringLiteral("-nocrashhandler"), QStringLiteral("questionAskedForever_endsTheRunWithinSeconds")});
        QVERIFY(run.waitForFinished(20000));
        QVERIFY(run.exitStatus() == QProcess::CrashExit || run.exitCode() != 0);
        QVERIFY(run.readAll().contains("20 calls off the script"));
    }
};

QTEST_MAIN(DescriptionsTest)
#include "descriptions_test.moc"
