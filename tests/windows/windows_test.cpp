#include "diagram/ui/diagramview.h"
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

// The keys of a tree's items, each with its parent's key and its text.
QStringList itemLines(QTreeWidget* tree)
{
    QStringList lines;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        lines << (*it)->data(0, Qt::UserRole).toString() + u'|' + ((*it)->parent() ? (*it)->parent()->data(0, Qt::UserRole).toString() : QString()) + u'|' + (*it)->text(0);
    return lines;
}

// Takes the file addresses the program would open, so no file manager starts.
class OpenedFolders : public QObject {
    Q_OBJECT
public:
    QStringList folders;
public slots:
    void open(const QUrl& url) { folders << url.toLocalFile(); }
};

// What a window's saved-files line says once it shows (within two seconds), then the folder each
// of its buttons opens.
QStringList savedFilesLine(QWidget* window)
{
    auto* line = child<QWidget>(window, u"sb_SavedFiles"_s);
    if (!line || !QTest::qWaitFor([line] { return !line->isHidden(); }, 2000))
        return {u"not shown"_s};
    OpenedFolders opened;
    QDesktopServices::setUrlHandler(u"file"_s, &opened, "open");
    for (const QString& name : {u"btn_OpenKvFolder"_s, u"btn_OpenProjectFolder"_s})
        if (auto* button = child<QPushButton>(line, name); !button->isHidden())
            button->click();
    QDesktopServices::unsetUrlHandler(u"file"_s);
    return QStringList{child<QLabel>(line, u"lbl_SavedFiles"_s)->text()} + opened.folders;
}

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
        QVERIFY2(found.contains(cell("expected").replace(QChar(0x2423), u' ')), qPrintable(found.join(u',')));
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
        const QRect strip = w.frameGeometry(), room = w.screen()->availableGeometry();
        QCOMPARE(strip, stripGeometry(QGuiApplication::primaryScreen()->geometry()));
        auto gone = std::make_unique<QWidget>();
        w.setFreeEditWindow(gone.get());
        gone.reset();
        w.tmr_MoveWindow_Timer(); // the window went away: nothing to move, nothing to crash
        QWidget wizard, freeEdit;
        wizard.move(300, 300);
        w.setWizardWindow(&wizard);
        w.setFreeEditWindow(&freeEdit);
        w.tmr_MoveWindow_Timer(); // the first window to come is placed at once
        QCOMPARE(freeEdit.pos(), QPoint(strip.x(), strip.bottom() + 1));
        QCOMPARE(wizard.pos(), QPoint(300, 300));
        QString about;
        whenModal([&](QWidget* m) { about = u"%1 %2,%3"_s.arg(m->objectName()).arg(m->x() + m->width() / 2).arg(m->y()); });
        child<QAction>(&w, u"mnu_About"_s)->trigger();
        QCOMPARE(about, u"form_About %1,%2"_s.arg(strip.center().x()).arg(strip.bottom() + 41));
        QWidget huge;
        huge.resize(3000, 2000);
        w.centreBelow(&huge);
        QCOMPARE(huge.pos(), room.topLeft());
        QuestionDialog q;
        QVERIFY(q.prepare(u"?"_s, 2.0f, QString(), QPoint(room.right() + 500, room.bottom() + 500)));
        QVERIFY(room.contains(q.geometry()));
        QSignalSpy exit(&w, &MainStrip::exitRequested);
        QVERIFY(w.close());
        QCOMPARE(exit.size(), 1);
    }

    // The icon is read afresh each time. Only the picture accepts the chooser, by a click or a key.
    void chooser_iconFromTheDataFolder_andOnlyThePictureAccepts()
    {
        QTemporaryDir data;
        const QString path = ModeChooser::iconPath(data.path());
        const auto hasPicture = [&](const QWidget& w, const QString& name) { return !child<QLabel>(&w, name)->pixmap().isNull(); };
        QCOMPARE(path, data.path() + u"/Cursors & Icons/icons/kverta.ico"_s);
        QVERIFY(!hasPicture(ModeChooser(data.path()), u"img_KvertaMode"_s));
        QImage icon(32, 32, QImage::Format_ARGB32);
        icon.fill(Qt::darkBlue);
        QVERIFY(QDir().mkpath(QFileInfo(path).path()) && icon.save(path, "ICO"));
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

    // The program's dialogs, the real windows answered as a person does: the question dialog,
    // the message boxes and the file dialogs.
    void dialogs_showAndAnswer_data() { addRows("dialogs.txt"); }
    void dialogs_showAndAnswer()
    {
        Session s;
        s.Answer = u"previous"_s;
        QtDialogs dialogs(s);
        QStringList shown;
        whenModal([&](QWidget* modal) {
            if (!modal) // no face for that mode
                return;
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                shown << box->windowTitle() << box->text() << QString::number(box->icon()) << QString::number(box->buttons().size());
            else if (auto* files = qobject_cast<QFileDialog*>(modal))
                shown << files->nameFilters();
            else
                shown << u"%1 %2,%3"_s.arg(modal->objectName()).arg(modal->x()).arg(modal->y());
            for (const QLabel* face : modal->findChildren<QLabel*>(QRegularExpression(u"^lbl_Question"_s)))
                if (face->isVisible())
                    shown << face->objectName() + u' ' + face->text();
            for (const QPushButton* back : modal->findChildren<QPushButton*>(QRegularExpression(u"^btn_Previous"_s)))
                if (back->isVisible())
                    shown << back->objectName();
            QWidget* focus = modal->focusWidget() ? modal->focusWidget() : modal;
            for (const QChar c : cell("typed")) // key by key, Cyrillic included, as a person types
                QTest::sendKeyEvent(QTest::Click, focus, Qt::Key_unknown, QString(c), Qt::NoModifier);
            if (cell("action") == u"close"_s)
                modal->close();
            else if (auto* button = child<QPushButton>(modal, cell("action")))
                QTest::mouseClick(button, Qt::LeftButton);
            else
                QTest::keyClick(focus, cell("action") == u"Enter"_s ? Qt::Key_Return : Qt::Key_Escape);
        });
        const QString asked = cell("asked").section(u' ', 0, 0), mode = cell("asked").section(u' ', 1, 1);
        const QString title = u"Обнаружена ошибка чтения данных!"_s, text = u"Ошибка #: 20\r\n<b>не</b> файл"_s;
        QString given;
        if (asked == u"question"_s) {
            // "back": asked where the wizard can go back to the answer before (stage 2).
            std::optional<ReturnPoint> point;
            if (cell("asked").section(u' ', 2) == u"back"_s)
                point.emplace();
            try {
                given = dialogs.askQuestion(u"Введите длину звена 1\r\nв мм"_s, mode.toFloat(), u"40"_s, QPoint(100, 120));
            } catch (const ReturnToPreviousAnswer&) {
                given = u"back"_s;
            }
        }
        else if (asked == u"yesno"_s)
            given = QString::number(dialogs.yesNoBox(text, title));
        else if (asked == u"message"_s)
            dialogs.message(title, text, MessageIcon(mode.toInt()));
        else if (const FileChoice c = asked == u"save"_s ? dialogs.saveFile(kKvertaFilter) : dialogs.openFile(kKvertaFilter); c.cancelled())
            given = u"cancelled"_s;
        else
            given = QFileInfo(c.fileName).fileName() + u' ' + c.fileTitle;
        QCoreApplication::processEvents();
        QCOMPARE(given, cell("given"));
        QCOMPARE(shown.join(u" / "_s), cell("shown"));
    }

    // The wizard window below the main window; its stage marks and picture follow the state on the
    // timer's next tick; Shift+Enter ends the stage while the button is still disabled.
    void wizard_underTheMainWindow_keysAndStageTree()
    {
        Session s;
        s.DataFolder = QStringLiteral(ZUVRACK_TEST_DATA);
        ScriptedDialogs d(s);
        QWidget main;
        main.setGeometry(100, 40, 847, 54);
        main.show();
        WizardWindow w(s, d, &main);
        w.startNewDescription();
        auto* tree = child<QTreeWidget>(&w, u"tw_Prog"_s);
        const auto marked = [tree](bool expanded) {
            QStringList keys;
            for (QTreeWidgetItemIterator it(tree); *it; ++it)
                if (expanded ? (*it)->isExpanded() : (*it)->checkState(0) == Qt::Checked)
                    keys << (*it)->data(0, Qt::UserRole).toString();
            return keys;
        };
        const auto picture = [&w] { return child<QLabel>(&w, u"img_Help"_s)->pixmap().toImage(); };
        const auto enter = [&w](const QString& words) {
            for (const QString& word : words.split(u' '))
                QTest::keyClicks(child(&w, u"txt_Answer"_s), word), QTest::keyClick(child(&w, u"txt_Answer"_s), Qt::Key_Return);
        };
        QCOMPARE(w.pos(), QPoint(main.frameGeometry().left(), main.frameGeometry().bottom() + 1));
        QCOMPARE(w.width(), main.width());
        QStringList expected;
        for (const StageNode& n : stageTree())
            expected << n.key + u'|' + n.parent + u'|' + n.text;
        QCOMPARE(itemLines(tree), expected);
        QTRY_COMPARE(marked(false), (QStringList{u"S1"_s, u"S11"_s}));
        QCOMPARE(marked(true), stageMarks(11).expanded);
        const QImage first = picture();
        QVERIFY(!first.isNull());
        enter(u"r"_s);
        QCOMPARE(w.ShownState(), qint16(11));
        QTRY_COMPARE(w.ShownState(), qint16(12));
        QCOMPARE(picture(), first); // state 12 keeps the picture
        enter(u"0 1 A r 1 2 B"_s);
        // The first protocol line's menu: back to just before its answer, the pair's name A.
        auto* protocol = child<QListWidget>(&w, u"lst_Input"_s);
        QCOMPARE(protocol->count(), 2);
        QTimer::singleShot(0, [] {
            QWidget* menu = QApplication::activePopupWidget();
            QVERIFY(menu && menu->findChild<QAction*>(u"mnu_ReturnToAnswer"_s));
            QTest::keyClick(menu, Qt::Key_Down), QTest::keyClick(menu, Qt::Key_Return);
        });
        s.WindowMode = 1.0f; // as the shell opens the wizard: the strip keeps it below
        emit protocol->customContextMenuRequested(protocol->visualItemRect(protocol->item(0)).center());
        QCOMPARE(protocol->count(), 0);
        QCOMPARE(s.WindowMode, 1.0f);
        QCOMPARE(child<QLabel>(&w, u"lbl_Question"_s)->text(), StatePrompt(14, 0));
        QCOMPARE(s.ParaCount, qint16(1));
        enter(u"A r 1 2 B"_s);
        QCOMPARE(protocol->count(), 2);
        QCOMPARE(child<QListWidget>(&w, u"List1"_s)->count(), 20);
        child<QAction>(&w, u"mnu_Diagram"_s)->trigger(); // the diagram beside it: links 0, 1, 2 and pairs A, B
        QVERIFY(child(&w, u"diagramPanel"_s)->isVisible());
        QCOMPARE(child<DiagramWidget>(&w, u"diagramWidget"_s)->model().nodes.size(), 3);
        QCOMPARE(child<DiagramWidget>(&w, u"diagramWidget"_s)->model().edges.size(), 2);
        QTest::keyClick(child(&w, u"txt_Answer"_s), Qt::Key_Enter, Qt::ShiftModifier | Qt::KeypadModifier);
        QCOMPARE(child<QLabel>(&w, u"lbl_Question"_s)->text(), StatePrompt(2, 0));
        QVERIFY(child<QAction>(&w, u"mnu_Stage(1)"_s)->isEnabled() && !child<QAction>(&w, u"mnu_Stage(2)"_s)->isEnabled());
        QTRY_COMPARE(child<QListWidget>(&w, u"lst_Input"_s)->currentRow(), 1); // the newest line comes into view
        s.ParaCount = 1, s.Paras[1].Name = u"Q"_s; // changed behind the window: shown on a click on UPDATE
        QTest::mouseClick(child(&w, u"lbl_Update"_s), Qt::LeftButton);
        QCOMPARE(child<QListWidget>(&w, u"List1"_s)->item(6)->text(), u"Пара: имя - Q"_s);
        s.WizardState = 81; // straight into stage 1.5 by hand: the second picture comes
        QTRY_COMPARE(marked(false), (QStringList{u"S1"_s, u"S15"_s}));
        QVERIFY(picture() != first);
        s.WizardState = 110; // the one state that keeps the picture it finds: the marks all the same
        QTRY_COMPARE(marked(false), stageMarks(110).checked);
    }

    // The free-edit window below the main window with the records as they are now; a click shows
    // the node, a double-click edits a value; the save button; the exit closes it, then asks.
    void freeEdit_showsClicksEditsSavesAndExits()
    {
        QTemporaryDir dir;
        Session s = mechanism(u"@fourbar; session ForceAnalysis=6 MorePoints=7 ExtraPairsFlag=0 FrameIndex=1"_s);
        s.DataFolder = dir.filePath(u"data"_s);
        WatchingDialogs d(s);
        QWidget main;
        main.setGeometry(120, 60, 847, 54);
        auto* existing = new CompilerWindow(&main); // the one the shell keeps
        FreeEditWindow w(s, d, &main);
        d.window = &w;
        const int height = w.height();
        s.Zvenos[3].Name = u"Q"_s; // changed after the window was made
        w.Form_Load();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QRect m = main.frameGeometry();
        QCOMPARE(w.frameGeometry().topLeft(), QPoint(m.left(), m.bottom() + 1));
        QCOMPARE(QSize(w.frameGeometry().width(), w.height()), QSize(m.width(), height)); // the outer width
        QList<TreeNode> shown; // item by item: key, parent, text, mark, open roots, an empty check box
        for (const QTreeWidgetItem* item : w.nodeItems()) {
            const QString parent = item->parent() ? item->parent()->data(0, Qt::UserRole).toString() : QString();
            shown.append({item->data(0, Qt::UserRole).toString(), parent, item->text(0), w.NodeMarks().value(shown.size() + 1) == u"/n"_s,
                          item->isExpanded(), item->checkState(0) != Qt::Unchecked});
        }
        QCOMPARE(treeLines(shown), treeLines(buildMechanismTree(s)));
        QCOMPARE(child<QTreeWidget>(&w, u"tw_Main"_s)->topLevelItemCount(), 3);

        // Node 13 of the four-bar's tree (tests/freeedit/data/trees.txt), under the crank's centre of mass.
        d.expectQuestion(u"Введите расстояние от пары A до центра масс S1"_s, 2.0f, u"0"_s, u"5"_s);
        auto* tree = child<QTreeWidget>(&w, u"tw_Main"_s);
        QTreeWidgetItem* item = w.nodeItems().value(12);
        for (QTreeWidgetItem* up = item->parent(); up; up = up->parent())
            up->setExpanded(true);
        const QPoint at = tree->visualItemRect(item).center();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
        QStringList labels;
        for (const QString& name : {u"lbl_text1"_s, u"lbl_text2"_s, u"lbl_text3"_s, u"lbl_text4"_s})
            labels << child<QLabel>(&w, name)->text();
        QCOMPARE(labels, (QStringList{u"Расстояние от A: 0.05"_s, u"Z_2_CM_length"_s, u"Звенья\\1\\Центр масс: S1\\Расстояние от A: 0.05"_s, u"13"_s}));
        QCOMPARE(item->text(0), u"Расстояние от A: 5"_s);

        // Cancelled, then a folder without a name: nothing written; then through the main window's compiler window.
        d.expectSaveFile(kKvertaFilter, FileChoice{}).expectError(17).expectSaveFile(kKvertaFilter, FileChoice{dir.path() + u'/', {}});
        d.expectError(17).expectSaveFile(kKvertaFilter, FileChoice{dir.filePath(u"mech.kv"_s), u"mech.kv"_s});
        auto* save = child(&w, u"cmd_Save"_s);
        QTest::mouseClick(save, Qt::LeftButton);
        QTest::mouseClick(save, Qt::LeftButton);
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
        QCOMPARE(s.OutputReady, 0.0f);
        QTest::mouseClick(save, Qt::LeftButton);
        const auto* list = child<QListWidget>(existing, u"lst_Output"_s);
        QVERIFY(QDir(dir.path()).exists(u"mech.kv"_s) && main.findChildren<CompilerWindow*>().size() == 1 && existing->isVisible() && list->count() > 10);
        QCOMPARE(list->item(list->count() - 1)->text(), u"y"_s);
        QCOMPARE(s.OutputSaved, 0.0f); // the wizard's flag stays as it was
        QCOMPARE(savedFilesLine(&w), (QStringList{u"Сохранено: %1, проект %2"_s.arg(QDir::toNativeSeparators(dir.filePath(u"mech.kv"_s)),
                                                                                     QDir::toNativeSeparators(dir.filePath(u"data/d_files/mech.zvr"_s))),
                                                  dir.path(), dir.filePath(u"data/d_files"_s)}));

        QSignalSpy chooser(&w, &FreeEditWindow::chooserRequested);
        for (const int button : {7, 6}) { // no leaves the main window alone, yes opens the chooser
            d.expectYesNo(u"Вы уверены? Все, что не сохранено будет утеряно!"_s, u"KVERTA Mode"_s, button);
            w.show();
            QTest::mouseClick(child(&w, u"cmd_Exit"_s), Qt::LeftButton);
            QVERIFY(!d.visibleWhenAsked && !w.isVisible());
            QCOMPARE(s.Answer + QString::number(chooser.count()), QString::number(button) + (button == 6 ? u"1"_s : u"0"_s));
        }
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(u'\n')));
    }

    void compilerWindow_marksAFailure_startsClean_andClosesOnTheButton()
    {
        CompilerWindow w;
        auto* close = child<QPushButton>(&w, u"btn_Close"_s);
        const auto shown = [&] {
            return u"%1 %2 %3"_s.arg(child<QListWidget>(&w, u"lst_Output"_s)->count()).arg(child<QProgressBar>(&w, u"pb_Overall"_s)->value()).arg(close->text());
        };
        w.start();
        w.addLine(u"_Массы"_s);
        w.setProgress(100);
        w.markFailed();
        QVERIFY(w.isVisible());
        QCOMPARE(shown(), u"1 100 ОШИБКА!"_s);
        w.start(); // the next run starts clean
        QCOMPARE(shown(), u"0 0 З А К Р Ы Т Ь"_s);
        QTest::mouseClick(close, Qt::LeftButton);
        QVERIFY(!w.isVisible());
    }

    // Loading through the waiting window: a file missing or cut short in its last record is
    // reported, and no half mechanism is left behind.
    void loaderWindow_reportsAndLeavesNoHalfMechanism()
    {
        const QByteArray damaged = projectFileBytes(mechanism(u"@sixlinks"_s), nullptr)->chopped(1);
        for (const qint16 error : {qint16(201), qint16(202)}) {
            QTemporaryDir dir;
            QFile zvr(dir.filePath(u"d_files/mech.zvr"_s));
            QVERIFY(QDir(dir.path()).mkpath(u"d_files"_s) && (error == 201 || (zvr.open(QIODevice::WriteOnly) && zvr.write(damaged) > 0)));
            zvr.close();
            Session s = mechanism(u"@crankslider;session ExtraPairsFlag=1"_s);
            s.DataFolder = dir.path(), s.OutputReady = 1.0f;
            ScriptedDialogs d(s);
            d.expectError(error);
            // The project always comes from the data folder, named after the file.
            QCOMPARE(loadProjectWithWindow(s, d, u"/elsewhere"_s, u"Mech.kv"_s), error == 201 ? LoadResult::Missing : LoadResult::Damaged);
            QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(u'\n')));
            QCOMPARE(s.ZvenoCount + s.ParaCount + s.GroupCount, 0);
            QCOMPARE(s.Zvenos[1].Name + s.Paras[1].Name, kNotSet + kNotSet);
            QCOMPARE(s.OutputReady + s.ExtraPairsFlag, 0.0f);
        }
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
        // The line at the foot names both files; the two buttons open their folders.
        QCOMPARE(savedFilesLine(wizard), (QStringList{u"Сохранено: %1, проект %2"_s.arg(QDir::toNativeSeparators(dir.filePath(u"mech.kv"_s)),
                                                                                         QDir::toNativeSeparators(dir.filePath(u"d_files/mech.zvr"_s))),
                                                      dir.path(), dir.filePath(u"d_files"_s)}));
        delete wizard;
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(u'\n')));
        auto* compiler = main.findChild<CompilerWindow*>();
        QVERIFY(compiler && compiler->isVisible() && compiler->findChild<QListWidget*>()->count() > 10);
    }
};

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
