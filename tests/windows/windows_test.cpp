#include "files/projectformat.h"
#include "files/ui/compilerwindow.h"
#include "files/ui/loaderwindow.h"
#include "freeedit/ui/freeeditwindow.h"
#include "shell/aboutbox.h"
#include "shell/mainstrip.h"
#include "shell/modechooser.h"
#include "shell/qtdialogs.h"
#include "shell/questiondialog.h"
#include "shell/shell.h"
#include "tests/freeedit/treelines.h"
#include "tests/support/mechanismbuilder.h"
#include "tests/support/scripteddialogs.h"
#include "tests/support/testtable.h"
#include "wizard/stagetree.h"
#include "wizard/ui/wizardwindow.h"
#include "wizard/wizardengine.h"

#include <QtTest>
#include <QtWidgets>

using namespace Qt::Literals::StringLiterals;

namespace {

template <typename T = QWidget>
T* child(const QObject* parent, const QString& name)
{
    return parent->findChild<T*>(name);
}

QString blanks(QString text)
{
    return text.replace(QChar(0x2423), u' ');
}

// A window of the program by its objectName, on the session; the wizard window starts a description.
std::unique_ptr<QWidget> makeWindow(const QString& name, Session& s, Dialogs& d, QWidget* main)
{
    if (name == u"form_MainWindow_Di"_s) {
        auto w = std::make_unique<WizardWindow>(s, d, main);
        w->startNewDescription();
        return w;
    }
    if (name == u"form_MainWindow"_s)
        return std::make_unique<MainStrip>(s);
    if (name == u"form_FreeLancerMode"_s)
        return std::make_unique<FreeEditWindow>(s, d, main);
    if (name == u"form_NewFile"_s || name == u"form_About"_s)
        return name == u"form_About"_s ? std::unique_ptr<QWidget>(new AboutBox(QString())) : std::make_unique<ModeChooser>(QString());
    if (name == u"form_KvertaFileShow"_s || name == u"form_KvertaFileLoader"_s)
        return name == u"form_KvertaFileShow"_s ? std::unique_ptr<QWidget>(new CompilerWindow) : std::make_unique<LoaderWindow>();
    return std::make_unique<QuestionDialog>();
}

// A property as text; "actions" and "menuAction.x" as the texts table says.
QString valueOf(const QObject* o, const QString& property)
{
    if (property.startsWith(u"menuAction."_s))
        return qobject_cast<const QMenu*>(o)->menuAction()->property(qPrintable(property.mid(11))).toString();
    if (property != u"actions"_s)
        return o->property(qPrintable(property)).toString();
    const auto* main = qobject_cast<const QMainWindow*>(o);
    QStringList names;
    for (const QAction* a : main ? main->menuBar()->actions() : qobject_cast<const QWidget*>(o)->actions())
        names << a->objectName() + QLatin1String(a->isSeparator() ? "-" : a->menu() ? ">" : "");
    return names.join(u' ');
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

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// The wizard window under a main window, a description started.
struct Wizard {
    Session s;
    ScriptedDialogs d{s};
    QWidget main;
    std::unique_ptr<WizardWindow> w;
    explicit Wizard(const QString& dataFolder = QStringLiteral(ZUVRACK_TEST_DATA))
    {
        s.DataFolder = dataFolder;
        main.setGeometry(100, 40, 847, 54);
        main.show();
        w.reset(static_cast<WizardWindow*>(makeWindow(u"form_MainWindow_Di"_s, s, d, &main).release()));
    }
    void enter(const QString& words)
    {
        for (const QString& word : words.split(u' ')) {
            QTest::keyClicks(child(w.get(), u"txt_Answer"_s), word);
            QTest::keyClick(child(w.get(), u"txt_Answer"_s), Qt::Key_Return);
        }
    }
    // The keys of the stage-tree nodes checked, or expanded.
    QStringList marked(bool expanded = false) const
    {
        QStringList keys;
        for (QTreeWidgetItemIterator it(child<QTreeWidget>(w.get(), u"tw_Prog"_s)); *it; ++it)
            if (expanded ? (*it)->isExpanded() : (*it)->checkState(0) == Qt::Checked)
                keys << (*it)->data(0, Qt::UserRole).toString();
        return keys;
    }
    QImage picture() const { return child<QLabel>(w.get(), u"img_Help"_s)->pixmap().toImage(); }
};

// The four labels, the two buttons, then every tree item.
QStringList texts(const FreeEditWindow& w)
{
    QStringList all;
    for (const char* name : {"lbl_text1", "lbl_text2", "lbl_text3", "lbl_text4", "cmd_Save", "cmd_Exit"})
        all << w.findChild<QWidget*>(QLatin1String(name))->property("text").toString();
    for (const QTreeWidgetItem* item : w.nodeItems())
        all << item->text(0);
    return all;
}

// Notes whether the window was still on screen when the yes/no box came up.
struct WatchingDialogs : ScriptedDialogs {
    using ScriptedDialogs::ScriptedDialogs;
    const QWidget* window = nullptr;
    bool visibleWhenAsked = true;
    int yesNoBox(const QString& text, const QString& title) override
    {
        visibleWhenAsked = window->isVisible();
        return ScriptedDialogs::yesNoBox(text, title);
    }
};


} // namespace

// The program's windows and dialogs: their faces, keys and placement.
class WindowsTest : public QObject {
    Q_OBJECT
private slots:
    void windows_showTheirTexts_data() { addRows("texts.txt"); }
    void windows_showTheirTexts()
    {
        Session s;
        ScriptedDialogs d(s);
        QWidget main;
        const std::unique_ptr<QWidget> w = makeWindow(cell("window"), s, d, &main);
        QCOMPARE(w->objectName(), cell("window"));
        QStringList found;
        const QList<QObject*> all = w->findChildren<QObject*>() << w.get();
        for (const QObject* o : all)
            if (cell("control").isNull() ? o == w.get() : cell("control") == u"*"_s || o->objectName() == cell("control"))
                found << valueOf(o, cell("property"));
        QVERIFY2(found.contains(blanks(cell("expected"))), qPrintable(found.join(u',')));
    }

    // The strip: each window that follows it comes below it; the close box is "Выход"; the dialogs
    // it opens come centred below it, the question where it is asked, never off the screen.
    void strip_placesTheWindowsBelowItAndOnTheScreen()
    {
        Session s;
        s.WindowMode = 2.0f;
        ScriptedDialogs d(s);
        Shell shell(s, d);
        MainStrip& w = *shell.mainWindow();
        shell.start();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.frameGeometry(), stripGeometry(QGuiApplication::primaryScreen()->geometry()));
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
        QString about;
        whenModal([&](QWidget* m) { about = u"%1 %2,%3"_s.arg(m->objectName()).arg(m->x() + m->width() / 2).arg(m->y()); });
        child<QAction>(&w, u"mnu_About"_s)->trigger();
        QCOMPARE(about, u"form_About %1,%2"_s.arg(w.frameGeometry().center().x()).arg(w.frameGeometry().bottom() + 41));
        QWidget huge;
        huge.resize(3000, 2000);
        w.centreBelow(&huge);
        const QRect room = w.screen()->availableGeometry();
        QCOMPARE(huge.pos(), room.topLeft());
        QuestionDialog q;
        QVERIFY(q.prepare(u"?"_s, 2.0f, QString(), QPoint(room.right() + 500, room.bottom() + 500)));
        QVERIFY(room.contains(q.geometry()));
        QSignalSpy exit(&w, &MainStrip::exitRequested);
        QVERIFY(w.close());
        QCOMPARE(exit.size(), 1);
    }

    // The icon is read afresh each time; without a usable one the picture stays empty. Only the
    // picture accepts the chooser, by a click or from the keyboard.
    void chooser_iconFromTheDataFolder_andOnlyThePictureAccepts()
    {
        QTemporaryDir data;
        const QString path = ModeChooser::iconPath(data.path());
        const auto hasPicture = [&](const QWidget& w, const QString& name) { return !child<QLabel>(&w, name)->pixmap().isNull(); };
        QCOMPARE(path, data.path() + u"/Cursors & Icons/icons/kverta.ico"_s);
        QVERIFY(!hasPicture(ModeChooser(data.path()), u"img_KvertaMode"_s));
        QVERIFY(QDir().mkpath(QFileInfo(path).path()) && writeBytes(path, "not an icon"));
        QVERIFY(!hasPicture(ModeChooser(data.path()), u"img_KvertaMode"_s));
        QImage icon(32, 32, QImage::Format_ARGB32);
        icon.fill(Qt::darkBlue);
        QVERIFY(icon.save(path, "ICO"));
        QVERIFY(hasPicture(ModeChooser(data.path()), u"img_KvertaMode"_s) && hasPicture(AboutBox(data.path()), u"Image1"_s));
        ModeChooser chooser{QString()};
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        auto* img = child<QLabel>(&chooser, u"img_KvertaMode"_s);
        QTest::mouseClick(img, Qt::RightButton);
        QVERIFY(chooser.isVisible());
        QTest::keyClick(img, Qt::Key_Space);
        QCOMPARE(chooser.result(), int(QDialog::Accepted));
    }

    // The real question dialog through the program's seam: each way of answering, and its face.
    void question_answeredByButtonAndKey_data() { addRows("question.txt"); }
    void question_answeredByButtonAndKey()
    {
        Session s;
        s.Answer = u"previous"_s;
        QtDialogs dialogs(s);
        QString face;
        whenModal([&](QWidget* modal) {
            const bool yesNo = cell("mode") == u"1"_s;
            if (!modal) // no face for that mode
                return;
            QVERIFY(modal->objectName() == u"form_Dialog_Di"_s && modal->pos() == QPoint(100, 120));
            QVERIFY(!child(modal, yesNo ? u"frm_Mode2"_s : u"frm_Mode1"_s)->isVisible());
            face = child<QLabel>(modal, yesNo ? u"lbl_Question1"_s : u"lbl_Question2"_s)->text();
            QWidget* focus = child(modal, yesNo ? u"btn_Yes"_s : u"txt_Answer"_s);
            for (const QChar c : cell("typed")) // key by key, Cyrillic included, as a person types
                QTest::sendKeyEvent(QTest::Click, focus, Qt::Key_unknown, QString(c), Qt::NoModifier);
            if (cell("action") == u"Enter"_s || cell("action") == u"Escape"_s)
                QTest::keyClick(focus, cell("action") == u"Enter"_s ? Qt::Key_Return : Qt::Key_Escape);
            else if (cell("action") == u"close"_s)
                modal->close();
            else
                QTest::mouseClick(child<QPushButton>(modal, cell("action")), Qt::LeftButton);
        });
        QCOMPARE(dialogs.askQuestion(u"Введите длину звена 1\r\nв мм"_s, cell("mode").toFloat(), u"40"_s, QPoint(100, 120)), cell("answer"));
        QCoreApplication::processEvents();
        QCOMPARE(face, cell("answer").isNull() ? QString() : u"Введите длину звена 1\nв мм"_s);
    }

    // Message boxes: the title, the text with plain line breaks, the icon, the buttons.
    void messageBoxes_showAndAnswer_data() { addRows("messages.txt"); }
    void messageBoxes_showAndAnswer()
    {
        Session s;
        QtDialogs dialogs(s);
        QStringList shown;
        whenModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            shown << box->windowTitle() << box->text() << QString::number(box->icon()) << QString::number(box->buttons().size());
            if (cell("press") == u"Escape"_s)
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->button(cell("press") == u"Yes"_s ? QMessageBox::Yes : QMessageBox::Ok)->click();
        });
        const QString title = u"Обнаружена ошибка чтения данных!"_s, text = u"Ошибка #: 20\r\n<b>не</b> файл"_s;
        const bool yesNo = cell("icon") == u"yesno"_s;
        if (yesNo)
            QCOMPARE(dialogs.yesNoBox(text, title), cell("press") == u"Yes"_s ? 6 : 7);
        else
            dialogs.message(title, text, MessageIcon(cell("icon").toInt()));
        QCOMPARE(shown, (QStringList{title, u"Ошибка #: 20\n<b>не</b> файл"_s, cell("shown"), yesNo ? u"2"_s : u"1"_s}));
    }

    // The file dialogs: the program's filter as Qt shows it, the full name and the title back.
    void fileDialogs_giveNameAndTitle()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath(u"Кривошип.kv"_s);
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
        const FileChoice saved = dialogs.saveFile(kKvertaFilter);
        answer(true);
        QVERIFY(dialogs.openFile(kKvertaFilter).cancelled());
        QCOMPARE(filters, QStringList(2, u"Файлы KVERTA (*.kv)"_s));
        QCOMPARE(saved.fileName + u'|' + saved.fileTitle, name + u"|Кривошип.kv"_s);
    }

    // The wizard window below the main window; its stage tree; Enter hands the answer over,
    // Shift+Enter ends the stage while the button is still disabled.
    void wizard_underTheMainWindow_keysAndStageTree()
    {
        Wizard f;
        QCOMPARE(f.w->pos(), QPoint(f.main.frameGeometry().left(), f.main.frameGeometry().bottom() + 1));
        QCOMPARE(f.w->width(), f.main.width());
        QStringList shown, expected;
        for (QTreeWidgetItemIterator it(child<QTreeWidget>(f.w.get(), u"tw_Prog"_s)); *it; ++it)
            shown << (*it)->data(0, Qt::UserRole).toString() + u'|' + ((*it)->parent() ? (*it)->parent()->data(0, Qt::UserRole).toString() : QString()) + u'|' + (*it)->text(0);
        for (const StageNode& n : stageTree())
            expected << n.key + u'|' + n.parent + u'|' + n.text;
        QCOMPARE(shown, expected);
        f.enter(u"r 0 1 A r 1 2 B"_s);
        QCOMPARE(child<QListWidget>(f.w.get(), u"List1"_s)->count(), 20);
        QTest::keyClick(child(f.w.get(), u"txt_Answer"_s), Qt::Key_Enter, Qt::ShiftModifier | Qt::KeypadModifier);
        QCOMPARE(int(f.s.WizardState), 2);
        QCOMPARE(child<QLabel>(f.w.get(), u"lbl_Question"_s)->text(), StatePrompt(2, 0));
        QVERIFY(child<QAction>(f.w.get(), u"mnu_Stage(1)"_s)->isEnabled() && !child<QAction>(f.w.get(), u"mnu_Stage(2)"_s)->isEnabled());
        QTRY_COMPARE(child<QListWidget>(f.w.get(), u"lst_Input"_s)->currentRow(), 1); // the newest line comes into view
        f.s.ParaCount = 1; // changed behind the window: shown on a click on UPDATE
        f.s.Paras[1].Name = u"Q"_s;
        QTest::mouseClick(child(f.w.get(), u"lbl_Update"_s), Qt::LeftButton);
        QCOMPARE(child<QListWidget>(f.w.get(), u"List1"_s)->item(6)->text(), u"Пара: имя - Q"_s);
    }

    // The stage marks and the picture follow the state on the timer's next tick.
    void wizard_marksAndPictureFollowTheState()
    {
        Wizard f;
        const QStringList typing = {u"S1"_s, u"S11"_s};
        QTRY_COMPARE(f.marked(), typing);
        QCOMPARE(f.marked(true), stageMarks(11).expanded);
        const QImage first = f.picture();
        QVERIFY(!first.isNull());
        f.enter(u"r"_s);
        QCOMPARE(f.w->ShownState(), qint16(11));
        QTRY_COMPARE(f.w->ShownState(), qint16(12));
        QCOMPARE(f.marked(), typing);
        QCOMPARE(f.picture(), first); // state 12 keeps the picture
        f.s.WizardState = 81; // straight into stage 1.5 by hand: the second picture comes
        QTRY_COMPARE(f.marked(), (QStringList{u"S1"_s, u"S15"_s}));
        QVERIFY(f.picture() != first);
        for (qint16 state : {2, 3, 4, 51, 52, 6, 71, 72, 82, 9, 10, 110, 120, 130, 140, 150, 200}) {
            f.s.WizardState = state;
            QTRY_COMPARE(f.w->ShownState(), state);
            QCOMPARE(f.marked(), stageMarks(state).checked);
        }
        QTemporaryDir empty; // no pictures: the image stays empty and the wizard goes on
        Wizard without(empty.path());
        QTRY_COMPARE(without.w->ShownState(), qint16(11));
        QVERIFY(without.picture().isNull());
        without.enter(u"p"_s);
        QCOMPARE(int(without.s.WizardState), 12);
    }

    void formLoad_placesWindowAndShowsTheRecordsAsTheyAreNow()
    {
        Session s = mechanism(u"@rich; session ForceAnalysis=6 MorePoints=6 ExtraPairsFlag=1 FrameIndex=1"_s);
        ScriptedDialogs d(s);
        QWidget main;
        main.setGeometry(120, 60, 847, 54);
        FreeEditWindow w(s, d, &main);
        const int height = w.height();
        s.Paras[1].Name = s.Zvenos[2].Para1 = u"Q"_s; // changed after the window was made
        w.Form_Load();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QRect m = main.frameGeometry();
        QCOMPARE(w.frameGeometry().topLeft(), QPoint(m.left(), m.bottom() + 1));
        QCOMPARE(QSize(w.frameGeometry().width(), w.height()), QSize(m.width(), height)); // the outer width
        // Item by item: key, parent, text, mark, open roots, an empty check box.
        QList<TreeNode> shown;
        for (const QTreeWidgetItem* item : w.nodeItems()) {
            QVERIFY(item->flags() & Qt::ItemIsUserCheckable);
            const QString parent = item->parent() ? item->parent()->data(0, Qt::UserRole).toString() : QString();
            shown.append({item->data(0, Qt::UserRole).toString(), parent, item->text(0),
                          w.NodeMarks().value(shown.size() + 1) == u"/n"_s, item->isExpanded(),
                          item->checkState(0) != Qt::Unchecked});
        }
        QCOMPARE(treeLines(shown), treeLines(buildMechanismTree(s)));
        QCOMPARE(w.findChild<QTreeWidget*>(u"tw_Main"_s)->topLevelItemCount(), 3);
    }

    void clickAndDoubleClick_showSelectionAndEditValueNodes()
    {
        Session s = mechanism(u"@fourbar; session ForceAnalysis=6 MorePoints=7 ExtraPairsFlag=0 FrameIndex=1"_s);
        ScriptedDialogs d(s);
        d.expectQuestion(u"Введите расстояние от пары A до центра масс S1"_s, 2.0f, u"0"_s, u"5"_s);
        FreeEditWindow w(s, d, nullptr);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* tree = w.findChild<QTreeWidget*>(u"tw_Main"_s);
        // Node 13 of the four-bar's tree (data/trees.txt), a value under the crank's centre of mass.
        QTreeWidgetItem* item = w.nodeItems().value(12);
        for (QTreeWidgetItem* up = item->parent(); up; up = up->parent())
            up->setExpanded(true);
        QStringList expected = QStringList{u"Расстояние от A: 0.05"_s, u"Z_2_CM_length"_s,
                                           u"Звенья\\1\\Центр масс: S1\\Расстояние от A: 0.05"_s, u"13"_s};
        expected << texts(w).mid(4);
        expected[6 + 12] = u"Расстояние от A: 5"_s;
        const QPoint at = tree->visualItemRect(item).center();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(u'\n')));
        QCOMPARE(texts(w), expected);
    }

    void exit_closesFirstThenAsks_data()
    {
        QTest::addColumn<int>("button");
        QTest::newRow("yes opens the chooser") << 6;
        QTest::newRow("no leaves the main window alone") << 7;
    }

    void exit_closesFirstThenAsks()
    {
        QFETCH(int, button);
        Session s = mechanism(u"@fourbar"_s);
        WatchingDialogs d(s);
        d.expectYesNo(u"Вы уверены? Все, что не сохранено будет утеряно!"_s, u"KVERTA Mode"_s, button);
        FreeEditWindow w(s, d, nullptr);
        d.window = &w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QSignalSpy chooser(&w, &FreeEditWindow::chooserRequested);
        QTest::mouseClick(w.findChild<QWidget*>(u"cmd_Exit"_s), Qt::LeftButton);
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(u'\n')));
        QCOMPARE(chooser.count(), button == 6 ? 1 : 0);
        QVERIFY(!d.visibleWhenAsked && !w.isVisible());
        QCOMPARE(s.Answer, QString::number(button));
    }

    void save_cancelledWritesNothing_thenWritesThroughTheMainWindowsCompilerWindow()
    {
        QTemporaryDir dir;
        Session s = mechanism(u"@fourbar; session ForceAnalysis=6 MorePoints=7 ExtraPairsFlag=0 FrameIndex=1"_s);
        s.DataFolder = dir.filePath(u"data"_s);
        const QString filter = u"Файлы KVERTA (*.kv)| *.kv"_s, kv = dir.filePath(u"mech.kv"_s);
        ScriptedDialogs d(s);
        d.expectSaveFile(filter, FileChoice{}).expectError(17).expectSaveFile(filter, FileChoice{dir.path() + u'/', {}});
        d.expectError(17).expectSaveFile(filter, FileChoice{kv, u"mech.kv"_s});
        QWidget main;
        auto* existing = new CompilerWindow(&main); // the one the shell keeps
        FreeEditWindow w(s, d, &main);
        auto* save = w.findChild<QWidget*>(u"cmd_Save"_s);
        QTest::mouseClick(save, Qt::LeftButton);
        QTest::mouseClick(save, Qt::LeftButton);
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
        QCOMPARE(s.OutputReady, 0.0f);
        QTest::mouseClick(save, Qt::LeftButton);
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(u'\n')));
        QVERIFY(QDir(dir.path()).exists(u"mech.kv"_s));
        QCOMPARE(main.findChildren<CompilerWindow*>().size(), 1);
        const auto* list = existing->findChild<QListWidget*>(u"lst_Output"_s);
        QVERIFY(existing->isVisible() && list->count() > 10);
        QCOMPARE(list->item(list->count() - 1)->text(), u"y"_s);
        QCOMPARE(s.OutputSaved, 0.0f); // the wizard's flag stays as it was
    }

    // The wizard's save shows the compiler window under the main window: it stays up with the
    // written lines when free-edit takes over from the wizard, until its own close button.
    void compilerWindow_ofTheWizardsSave_outlivesTheWizard()
    {
        QTemporaryDir dir;
        Session s = mechanism(u"@fourbar; session ForceAnalysis=7 MorePoints=7 ExtraPairsFlag=0 FrameIndex=1"_s);
        s.DataFolder = dir.path();
        ScriptedDialogs d(s);
        d.expectSaveFile(u"Файлы KVERTA (*.kv)| *.kv"_s, FileChoice{dir.filePath(u"mech.kv"_s), u"mech.kv"_s});
        QWidget main;
        auto* wizard = new WizardWindow(s, d, &main);
        s.WizardState = 200;
        wizard->engine().Work();
        delete wizard;
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(u'\n')));
        auto* compiler = main.findChild<CompilerWindow*>();
        QVERIFY(compiler && compiler->isVisible() && compiler->findChild<QListWidget*>()->count() > 10);
    }

    void compilerWindow_showsTheRun_marksAFailure_andClosesOnTheButton()
    {
        CompilerWindow w;
        auto* close = w.findChild<QPushButton*>(QStringLiteral("btn_Close"));
        auto* bar = w.findChild<QProgressBar*>(QStringLiteral("pb_Overall"));
        auto* list = w.findChild<QListWidget*>(QStringLiteral("lst_Output"));
        QVERIFY(close && bar && list);
        w.start();
        w.addLine(QStringLiteral("_Массы"));
        w.setProgress(100);
        w.markFailed();
        QVERIFY(w.isVisible());
        QCOMPARE(list->count() == 1 ? list->item(0)->text() : QString(), QStringLiteral("_Массы"));
        QCOMPARE(bar->value(), 100);
        QCOMPARE(close->text(), QStringLiteral("ОШИБКА!"));
        w.start(); // the next run starts clean
        QCOMPARE(close->text(), QStringLiteral("З А К Р Ы Т Ь"));
        QCOMPARE(list->count() + bar->value(), 0);
        QTest::mouseClick(close, Qt::LeftButton);
        QVERIFY(!w.isVisible());
    }

    // Loading through the waiting window: a file that cannot be read is reported, the window
    // closes, and no half mechanism is left behind.
    void loaderWindow_data()
    {
        QTest::addColumn<QByteArray>("file"); // null: none there
        QTest::addColumn<int>("error");
        QTest::newRow("missing") << QByteArray() << 201;
        Session six;
        buildMechanism(six, QStringLiteral("@sixlinks"));
        QTest::newRow("cut short in its last record: damaged") << projectFileBytes(six, nullptr)->chopped(1) << 202;
    }
    void loaderWindow()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, error);
        LoaderWindow w;
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("d_files")));
        QVERIFY(file.isNull() || writeBytes(dir.filePath(QStringLiteral("d_files/mech.zvr")), file));
        Session s;
        s.DataFolder = dir.path();
        buildMechanism(s, QStringLiteral("@crankslider;session ExtraPairsFlag=1"));
        s.OutputReady = 1.0f;
        ScriptedDialogs d(s);
        d.expectError(qint16(error));
        // The project always comes from the data folder, named after the file.
        QCOMPARE(loadProjectWithWindow(s, d, QStringLiteral("/elsewhere"), QStringLiteral("Mech.kv")),
                 error == 201 ? LoadResult::Missing : LoadResult::Damaged);
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(u'\n')));
        for (QWidget* top : QApplication::topLevelWidgets())
            QVERIFY(top == &w || !top->isVisible());
        QCOMPARE(s.ZvenoCount + s.ParaCount + s.GroupCount, 0);
        QCOMPARE(s.Zvenos[1].Name + s.Paras[1].Name, kNotSet + kNotSet);
        QCOMPARE(s.OutputReady + s.ExtraPairsFlag, 0.0f);
    }


};

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
