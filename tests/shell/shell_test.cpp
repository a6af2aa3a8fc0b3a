#include "model/errors.h"
#include "shell/filenames.h"
#include "shell/aboutbox.h"
#include "shell/questiondialog.h"
#include "freeedit/ui/freeeditwindow.h"
#include "shell/mainstrip.h"
#include "wizard/ui/wizardwindow.h"
#include "shell/modechooser.h"
#include "shell/qtdialogs.h"
#include "tests/support/scripteddialogs.h"
#include "model/session.h"
#include "shell/shell.h"
#include "files/writefile.h"
#include "files/projectformat.h"
#include "freeedit/mechanismtree.h"
#include "shell/shellcommands.h"
#include "tests/support/mechanismbuilder.h"
#include <QTreeWidgetItem>

#include <QtTest>
#include <QtWidgets>

namespace {

// One test row per line of a table kept by hand under data/: tab-separated texts, ␣ for a blank,
// lines starting with # left out.
void addRows(const char* name, const QList<const char*>& columns)
{
    for (const char* column : columns)
        QTest::addColumn<QString>(column);
    QFile file(QStringLiteral(TESTDATA "/") + QLatin1String(name));
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    int line = 0;
    for (const QString& text : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (text.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = QString(text).replace(QChar(0x2423), QLatin1Char(' ')).split(QLatin1Char('\t'));
        QTestData& row = QTest::addRow("%d %s", ++line, qPrintable(fields.value(0) + QLatin1Char(' ') + fields.value(1)));
        for (qsizetype i = 0; i < columns.size(); ++i)
            row << fields.value(i);
    }
}

// Runs one of the shell's plain routines on a text input and gives its result as text.
QString run(const QString& routine, const QString& in)
{
    const auto rect = [](const QString& text) {
        const QStringList n = text.split(QLatin1Char(','));
        return QRect(n.value(0).toInt(), n.value(1).toInt(), n.value(2).toInt(), n.value(3).toInt());
    };
    const auto is = [&](const char* name) { return routine == QLatin1String(name); };
    if (is("twipsToPixels"))
        return QString::number(twipsToPixels(in.toDouble()));
    if (is("stripGeometry")) {
        const QRect r = stripGeometry(rect(in));
        return QStringLiteral("%1,%2,%3,%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    }
    if (is("followerFor"))
        return QString::number(int(followerFor(in.toFloat())));
    if (is("followStep")) {
        FollowState state;
        QStringList moves;
        for (const QString& frame : in.split(QLatin1Char(' '))) {
            const std::optional<QPoint> to = followStep(state, rect(frame));
            moves << (to ? QStringLiteral("%1,%2").arg(to->x()).arg(to->y()) : QStringLiteral("-"));
        }
        return moves.join(QLatin1Char(' '));
    }
    if (is("qtFileFilter"))
        return qtFileFilter(in);
    if (is("folderOf"))
        return folderOf(FileChoice{in.section(QLatin1Char('|'), 0, 0), in.section(QLatin1Char('|'), 1)});
    if (is("hasKvExtension"))
        return QVariant(hasKvExtension(in)).toString();
    return QStringLiteral("no routine ") + routine;
}

std::unique_ptr<QWidget> makeWindow(const QString& name, Session& s)
{
    if (name == QLatin1String("form_MainWindow"))
        return std::make_unique<MainStrip>(s);
    if (name == QLatin1String("form_NewFile"))
        return std::make_unique<ModeChooser>(QString());
    if (name == QLatin1String("form_About"))
        return std::make_unique<AboutBox>(QString());
    return std::make_unique<QuestionDialog>();
}

template <typename T = QWidget>
T* child(const QObject* parent, const char* name)
{
    return parent->findChild<T*>(QLatin1String(name));
}

bool hasPicture(const QWidget& window, const char* name)
{
    return !child<QLabel>(&window, name)->pixmap().isNull();
}

// Runs the step on the modal window once it is up, from inside its own event loop. Whatever the
// step leaves open is closed, so a failing step cannot hang the test.
void whenModal(std::function<void(QWidget*)> step)
{
    QTimer::singleShot(0, qApp, [step] {
        QWidget* modal = QApplication::activeModalWidget();
        step(modal);
        if (QWidget* still = QApplication::activeModalWidget(); still && still == modal)
            QTimer::singleShot(0, still, [still] { still->close(); });
    });
}

// Queued commands run, then the windows they closed go.
void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Records what the commands ask of the windows, in order.
class RecordingActions : public ShellActions {
public:
    RecordingActions(Session& session, LoadResult result)
        : m_session(session)
        , m_result(result)
    {
    }
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
        log << QStringLiteral("load %1 | %2 | %3 %4 %5")
                   .arg(folder, fileName)
                   .arg(m_session.ParaCount)
                   .arg(m_session.OutputReady)
                   .arg(m_session.WindowMode);
        return m_result;
    }
    CompilerView* compilerView() override { return nullptr; }
};

const QString kQuestion = QStringLiteral("Введите длину звена 1\r\nв мм");

} // namespace

// The shell: its plain routines, its windows and dialogs, its commands, and the whole of it.
class ShellTest : public QObject {
    Q_OBJECT
private:
    // At each mode chooser: WindowMode and whether a wizard and a free-edit window were still there.
    QStringList m_choosers;

    // Takes the picture of the first `pictures` choosers; Escape leaves the others.
    void answerChoosers(Shell& shell, Session& s, int pictures)
    {
        m_choosers.clear();
        connect(&shell, &Shell::chooserShown, this, [this, &shell, &s, pictures](QDialog* chooser) mutable {
            m_choosers << QStringLiteral("%1 %2 %3").arg(s.WindowMode).arg(int(shell.wizardWindow() != nullptr))
                              .arg(int(shell.freeEditWindow() != nullptr));
            if (pictures-- > 0)
                QTest::mouseClick(child<QLabel>(chooser, "img_KvertaMode"), Qt::LeftButton);
            else
                QTest::keyClick(chooser, Qt::Key_Escape);
        });
    }

private slots:
    void routines_giveTheirResults_data() { addRows("routines.txt", {"routine", "input", "expected"}); }
    void routines_giveTheirResults()
    {
        QFETCH(QString, routine);
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QCOMPARE(run(routine, input), expected);
    }

    void texts_areExact()
    {
        QCOMPARE(kOpeningQuestion, QStringLiteral("Нажмите 'Да' для создания нового механизма\r\n"
                                                  "Нажмите 'Нет' для загрузки механизма из файла"));
        QCOMPARE(kShellFileFilter, QStringLiteral("Файлы KVERTA (*.kv)| *.kv"));
    }

    void windows_showTheirTexts_data() { addRows("texts.txt", {"window", "control", "property", "value"}); }
    void windows_showTheirTexts()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QString, property);
        QFETCH(QString, value);
        Session s;
        const std::unique_ptr<QWidget> w = makeWindow(window, s);
        QCOMPARE(w->objectName(), window);
        QObject* target = control.isEmpty() ? w.get() : w->findChild<QObject*>(control);
        QVERIFY(target);
        QCOMPARE(target->property(qPrintable(property)).toString(), value);
    }

    void mainWindow_menuOrder()
    {
        Session s;
        MainStrip w(s);
        QStringList names;
        for (QAction* a : w.menuBar()->actions() + child<QMenu>(&w, "mnu_File")->actions())
            names << a->objectName() + QLatin1String(a->isSeparator() ? "-" : a->menu() ? ">" : "");
        QCOMPARE(names.join(QLatin1Char(' ')),
                 QStringLiteral("> mnu_About mnu_NewMechanism mnu_dash1- mnu_Save mnu_slash10- mnu_Exit"));
    }

    void mainWindow_followsOnlyTheFollowerOfTheMode()
    {
        Session s;
        s.WindowMode = 2.0f;
        MainStrip w(s);
        auto gone = std::make_unique<QWidget>();
        w.setFreeEditWindow(gone.get());
        gone.reset();
        w.tmr_MoveWindow_Timer(); // the window went away: nothing to move, nothing to crash
        QWidget wizard, freeEdit;
        wizard.move(300, 300);
        w.setWizardWindow(&wizard);
        w.setFreeEditWindow(&freeEdit);
        w.tmr_MoveWindow_Timer(); // the first window to come is placed at once
        QCOMPARE(freeEdit.pos(), QPoint(w.frameGeometry().x(), w.frameGeometry().bottom() + 1));
        QCOMPARE(wizard.pos(), QPoint(300, 300));
        QSignalSpy exit(&w, &MainStrip::exitRequested);
        QVERIFY(w.close()); // the close box is "Выход"
        QCOMPARE(exit.size(), 1);
    }

    // The strip's dialogs open below it (see the about box below), and the question where it is
    // asked, but never off the screen.
    void dialogs_keptOnTheScreen()
    {
        Session s;
        MainStrip w(s);
        QWidget huge;
        huge.resize(3000, 2000);
        w.centreBelow(&huge);
        const QRect room = w.screen()->availableGeometry();
        QCOMPARE(huge.pos(), room.topLeft());
        QuestionDialog d;
        QVERIFY(d.prepare(kQuestion, 2.0f, QString(), QPoint(room.right() + 500, room.bottom() + 500)));
        QVERIFY(room.contains(d.geometry()));
        QVERIFY(!d.prepare(kQuestion, 0.0f, QString(), QPoint()));
    }

    // The icon is read afresh each time; without a usable one the picture stays empty.
    void chooser_iconReadAfreshFromTheDataFolder()
    {
        QTemporaryDir data;
        const QString path = ModeChooser::iconPath(data.path());
        QCOMPARE(path, data.path() + QStringLiteral("/Cursors & Icons/icons/kverta.ico"));
        QVERIFY(!hasPicture(ModeChooser(data.path()), "img_KvertaMode"));
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QFile broken(path);
        QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("not an icon") > 0);
        broken.close();
        QVERIFY(!hasPicture(ModeChooser(data.path()), "img_KvertaMode"));
        QImage icon(32, 32, QImage::Format_ARGB32);
        icon.fill(Qt::darkBlue);
        QVERIFY(icon.save(path, "ICO"));
        QVERIFY(hasPicture(ModeChooser(data.path()), "img_KvertaMode"));
        QVERIFY(hasPicture(AboutBox(data.path()), "Image1"));
    }

    // Only the picture accepts the chooser, by a click or from the keyboard.
    void chooser_onlyThePictureAccepts()
    {
        ModeChooser chooser{QString()};
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        auto* img = child<QLabel>(&chooser, "img_KvertaMode");
        QTest::mouseClick(img, Qt::RightButton);
        QVERIFY(chooser.isVisible());
        QTest::keyClick(img, Qt::Key_Space);
        QCOMPARE(chooser.result(), int(QDialog::Accepted));
    }

    // The real question dialog through the program's seam: each way of answering, and its face.
    void question_answeredByButtonAndKey_data() { addRows("question.txt", {"mode", "action", "typed", "answer"}); }
    void question_answeredByButtonAndKey()
    {
        QFETCH(QString, mode);
        QFETCH(QString, action);
        QFETCH(QString, typed);
        QFETCH(QString, answer);
        Session s;
        s.Answer = QStringLiteral("previous");
        QtDialogs dialogs(s);
        QString face;
        whenModal([&](QWidget* modal) {
            if (!modal)
                return;
            const bool yesNo = mode == QLatin1String("1");
            QCOMPARE(modal->objectName(), QStringLiteral("form_Dialog_Di"));
            QCOMPARE(modal->pos(), QPoint(100, 120));
            QVERIFY(!child(modal, yesNo ? "frm_Mode2" : "frm_Mode1")->isVisible());
            face = child<QLabel>(modal, yesNo ? "lbl_Question1" : "lbl_Question2")->text();
            QWidget* focus = child(modal, yesNo ? "btn_Yes" : "txt_Answer");
            for (const QChar c : typed) // key by key, Cyrillic included, as a person types
                QTest::sendKeyEvent(QTest::Click, focus, Qt::Key_unknown, QString(c), Qt::NoModifier);
            if (action == QLatin1String("Enter") || action == QLatin1String("Escape"))
                QTest::keyClick(focus, action == QLatin1String("Enter") ? Qt::Key_Return : Qt::Key_Escape);
            else if (action == QLatin1String("close"))
                modal->close();
            else
                QTest::mouseClick(child<QPushButton>(modal, qPrintable(action)), Qt::LeftButton);
        });
        QCOMPARE(dialogs.askQuestion(kQuestion, mode.toFloat(), QStringLiteral("40"), QPoint(100, 120)), answer);
        QCoreApplication::processEvents();
        QCOMPARE(face, answer.isEmpty() ? QString() : QStringLiteral("Введите длину звена 1\nв мм"));
    }

    // Message boxes: the title, the text with plain line breaks, the icon, the buttons; yes/no gives 6 or 7.
    void messageBoxes_showAndAnswer_data()
    {
        QTest::addColumn<int>("icon"); // -1: the yes/no box
        QTest::addColumn<int>("boxIcon");
        QTest::addColumn<int>("press"); // 0: Escape
        QTest::newRow("critical") << int(MessageIcon::Critical) << int(QMessageBox::Critical) << int(QMessageBox::Ok);
        QTest::newRow("warning") << int(MessageIcon::Warning) << int(QMessageBox::Warning) << int(QMessageBox::Ok);
        QTest::newRow("yes") << -1 << int(QMessageBox::Question) << int(QMessageBox::Yes);
        QTest::newRow("Escape is no") << -1 << int(QMessageBox::Question) << 0;
    }
    void messageBoxes_showAndAnswer()
    {
        QFETCH(int, icon);
        QFETCH(int, boxIcon);
        QFETCH(int, press);
        Session s;
        QtDialogs dialogs(s);
        QStringList shown;
        whenModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            shown << box->windowTitle() << box->text() << QString::number(box->icon())
                  << QString::number(box->buttons().size());
            if (press)
                box->button(QMessageBox::StandardButton(press))->click();
            else
                QTest::keyClick(box, Qt::Key_Escape);
        });
        const QString title = QStringLiteral("Обнаружена ошибка чтения данных!");
        const QString text = QStringLiteral("Ошибка #: 20\r\n<b>не</b> файл");
        if (icon < 0)
            QCOMPARE(dialogs.yesNoBox(text, title), press == QMessageBox::Yes ? 6 : 7);
        else
            dialogs.message(title, text, MessageIcon(icon));
        QCOMPARE(shown, (QStringList{title, QStringLiteral("Ошибка #: 20\n<b>не</b> файл"), QString::number(boxIcon),
                                     QString::number(icon < 0 ? 2 : 1)}));
    }

    // The file dialogs: the program's filter as Qt shows it, the full name and the title back.
    void fileDialogs_giveNameAndTitle()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath(QStringLiteral("Кривошип.kv"));
        Session s;
        QtDialogs dialogs(s);
        QStringList filters;
        const auto answer = [&](bool cancel) {
            whenModal([&filters, &dir, name, cancel](QWidget* modal) {
                auto* fd = qobject_cast<QFileDialog*>(modal);
                QVERIFY(fd);
                filters << fd->nameFilters();
                fd->setDirectory(dir.path());
                fd->selectFile(name);
                QMetaObject::invokeMethod(fd, cancel ? "reject" : "accept");
            });
        };
        answer(false);
        const FileChoice saved = dialogs.saveFile(kShellFileFilter);
        answer(true);
        QVERIFY(dialogs.openFile(kShellFileFilter).cancelled());
        QCOMPARE(filters, QStringList(2, QStringLiteral("Файлы KVERTA (*.kv)")));
        QCOMPARE(saved.fileName, name);
        QCOMPARE(saved.fileTitle, QStringLiteral("Кривошип.kv"));
    }

    // The opening question and its "no" branch: what each answer and each file leads to.
    void openingQuestion_actsOnTheAnswer_data()
    {
        addRows("opening.txt", {"before", "given", "file", "error", "loader", "log", "mode", "after"});
    }
    void openingQuestion_actsOnTheAnswer()
    {
        QFETCH(QString, before);
        QFETCH(QString, given);
        QFETCH(QString, file);
        QFETCH(QString, error);
        QFETCH(QString, loader);
        QFETCH(QString, log);
        QFETCH(QString, mode);
        QFETCH(QString, after);
        QTemporaryDir data;
        QFile project(data.filePath(QStringLiteral("d_files/mech1.zvr")));
        QVERIFY(QDir(data.path()).mkpath(QStringLiteral("d_files")) && project.open(QIODevice::WriteOnly));
        project.close();
        Session s;
        s.DataFolder = data.path();
        s.Answer = before;
        s.ParaCount = 3;
        s.WindowMode = s.OutputReady = s.OutputSaved = 1.0f;
        ScriptedDialogs d(s);
        if (given.isEmpty())
            d.expectQuestionClosed(kOpeningQuestion, 1.0f, QStringLiteral("0"));
        else
            d.expectQuestion(kOpeningQuestion, 1.0f, QStringLiteral("0"), given);
        if (given == QLatin1String("7"))
            d.expectOpenFile(kShellFileFilter, fileChoiceFor(file.isEmpty() ? QString() : data.filePath(file)));
        if (error.toInt())
            d.expectError(qint16(error.toInt()));
        RecordingActions a(s, loader == QLatin1String("Loaded") ? LoadResult::Loaded : LoadResult::Damaged);
        ShellCommands(s, d, a).openingQuestion(QPoint(10, 20));
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
        QCOMPARE(a.log.join(QStringLiteral(", ")).replace(data.path(), QStringLiteral("<data>")), log);
        QCOMPARE(s.WindowMode, mode.toFloat());
        QCOMPARE(s.Answer, after);
        // Nothing half-read may be saved.
        QCOMPARE(s.OutputReady + s.OutputSaved, log.endsWith(QLatin1String("free edit")) ? 1.0f : 0.0f);
    }

    // A project with every array full, opened the way a user opens one (the chooser, "no" to the
    // opening question, the file), shown whole in the free-edit tree and saved again unchanged.
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
        ScriptedDialogs d(s);
        d.expectQuestion(kOpeningQuestion, 1.0f, QStringLiteral("0"), QStringLiteral("7"))
            .expectOpenFile(kShellFileFilter, fileChoiceFor(data.filePath(QStringLiteral("Full.kv"))))
            .expectSaveFile(kShellFileFilter, fileChoiceFor(data.filePath(QStringLiteral("again.kv"))));
        Shell shell(s, d);
        answerChoosers(shell, s, 1);
        shell.newMechanism();
        settle();
        FreeEditWindow* w = shell.freeEditWindow();
        QVERIFY(w);
        QCOMPARE(w->nodeItems().size(), buildMechanismTree(full).size());
        QCOMPARE(w->nodeItems().last()->text(0), buildMechanismTree(full).last().text);
        shell.save();
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
        QFile again(data.filePath(QStringLiteral("d_files/again.zvr")));
        QVERIFY(again.open(QIODevice::ReadOnly));
        QVERIFY(again.readAll() == bytes);
    }

    // A session from the menu: load a project, save it with the File key from the free-edit window
    // (cancelled, failed, then written),
    // back to the chooser, a new description under the strip, on to the free-edit window, the
    // chooser again, "О проге", and "Выход", after which every window is gone and the menu is dead.
    void shell_wholeSession()
    {
        QTemporaryDir data;
        Session s;
        s.ZvenoCount = 1; // a link, to see it come back from the project
        s.Zvenos[1].Name = QStringLiteral("0");
        s.DataFolder = data.path();
        ScriptedDialogs d(s);
        const QString missing = data.filePath(QStringLiteral("no such folder/out.kv"));
        QVERIFY(WriteFile(s, d, nullptr, data.path() + QLatin1Char('/'), QStringLiteral("Crank.kv")));
        s.NewMechanism();
        d.expectQuestion(kOpeningQuestion, 1.0f, QStringLiteral("0"), QStringLiteral("7"))
            .expectOpenFile(kShellFileFilter, fileChoiceFor(data.filePath(QStringLiteral("Crank.kv"))))
            .expectSaveFile(kShellFileFilter, FileChoice{})
            .expectSaveFile(kShellFileFilter, fileChoiceFor(missing))
            .expectError(kErrWriteFailed, QDir::toNativeSeparators(missing))
            .expectSaveFile(kShellFileFilter, fileChoiceFor(data.filePath(QStringLiteral("out.kv"))))
            .expectQuestion(kOpeningQuestion, 1.0f, QStringLiteral("0"), QStringLiteral("6"));
        Shell shell(s, d);
        MainStrip* main = shell.mainWindow();
        shell.start();
        QVERIFY(QTest::qWaitForWindowExposed(main));
        QCoreApplication::processEvents();
        QCOMPARE(main->frameGeometry(), stripGeometry(QGuiApplication::primaryScreen()->geometry()));
        answerChoosers(shell, s, 2);
        child<QAction>(main, "mnu_NewMechanism")->trigger();
        settle();
        QVERIFY(!shell.wizardWindow() && shell.freeEditWindow() && shell.freeEditWindow()->isVisible());
        QCOMPARE(s.WindowMode, 2.0f);
        QCOMPARE(s.Zvenos[s.ZvenoCount].Name, QStringLiteral("0"));
        QApplication::setActiveWindow(shell.freeEditWindow());
        QVERIFY(QTest::qWaitForWindowActive(shell.freeEditWindow()));
        for (float saved : {0.0f, 0.0f, 1.0f}) { // cancelled, the folder gone, written
            QTest::keyClick(shell.freeEditWindow(), Qt::Key_F3, Qt::ControlModifier);
            QCOMPARE(s.OutputSaved, saved);
        }
        QVERIFY(QFile::exists(data.filePath(QStringLiteral("out.kv"))));

        emit shell.freeEditWindow()->chooserRequested(); // leaving the mode with "yes"
        settle();
        QPointer<WizardWindow> wizard = shell.wizardWindow();
        QVERIFY(wizard && wizard->isVisible() && !shell.freeEditWindow());
        QCOMPARE(s.WindowMode, 1.0f);
        QCOMPARE(s.WizardState, qint16(11));
        QCOMPARE(s.OutputReady + s.OutputSaved, 0.0f);
        QTest::keyClick(wizard, Qt::Key_F3, Qt::ControlModifier); // nothing to save yet: no dialog
        main->move(main->x() + 30, main->y() + 20);
        main->tmr_MoveWindow_Timer();
        QCOMPARE(wizard->frameGeometry().topLeft(), QPoint(main->frameGeometry().x(), main->frameGeometry().bottom() + 1));
        emit wizard->freeEditRequested();
        settle();
        QVERIFY(!wizard && shell.freeEditWindow());
        QCOMPARE(s.WindowMode, 2.0f);
        shell.newMechanism(); // the chooser closes the working window before it shows
        settle();
        QCOMPARE(m_choosers, QStringList(3, QStringLiteral("-1 0 0")));
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));

        QString about; // centred, just below the strip
        whenModal([&](QWidget* m) {
            about = QStringLiteral("%1 %2,%3").arg(m->objectName()).arg(m->x() + m->width() / 2).arg(m->y());
        });
        child<QAction>(main, "mnu_About")->trigger();
        const QRect strip = main->frameGeometry();
        QCOMPARE(about, QStringLiteral("form_About %1,%2").arg(strip.center().x()).arg(strip.bottom() + 41));
        child<QAction>(main, "mnu_Exit")->trigger();
        settle();
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName())); // the compiler window too
        shell.newMechanism();
        QCOMPARE(m_choosers.size(), 3);
    }
};

QTEST_MAIN(ShellTest)
#include "shell_test.moc"
