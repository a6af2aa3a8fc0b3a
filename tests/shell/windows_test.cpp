#include "form_about.h"
#include "form_mainwindow.h"
#include "form_newfile.h"
#include "session.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

QLabel* image(QWidget* chooser)
{
    return chooser->findChild<QLabel*>(QStringLiteral("img_KvertaMode"));
}

// A data folder holding the chooser's icon, a real one or a broken one.
void writeIcon(const QString& dataFolder, bool valid)
{
    const QString path = form_NewFile::iconPath(dataFolder);
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    if (valid) {
        QImage icon(32, 32, QImage::Format_ARGB32);
        icon.fill(Qt::darkBlue);
        QVERIFY(icon.save(path, "ICO"));
    } else {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not an icon at all");
    }
}

} // namespace

class WindowsTest : public QObject {
    Q_OBJECT
private slots:
    void mainWindow_captionAndName()
    {
        Session s;
        form_MainWindow w(s);
        QCOMPARE(w.windowTitle(), QStringLiteral("Zuvrack [v 0.1.0f]"));
        QCOMPARE(w.objectName(), QStringLiteral("form_MainWindow"));
    }

    void mainWindow_menuItemsNamesAndShortcuts()
    {
        Session s;
        form_MainWindow w(s);
        const QList<QAction*> top = w.menuBar()->actions();
        QCOMPARE(top.size(), 2);
        QVERIFY(top[0]->menu());
        QCOMPARE(top[0]->text(), QStringLiteral("(&F) Файл"));
        QCOMPARE(top[1]->objectName(), QStringLiteral("mnu_About"));
        QCOMPARE(top[1]->text(), QStringLiteral("О проге"));
        QVERIFY(!top[1]->menu());

        struct Item {
            const char* name;
            QString text;
            QKeySequence shortcut;
            bool separator;
        };
        const QList<Item> expected = {
            {"mnu_NewMechanism", QStringLiteral("Новый механизм"), QKeySequence(Qt::CTRL | Qt::Key_F2), false},
            {"mnu_dash1", QString(), QKeySequence(), true},
            {"mnu_Save", QStringLiteral("Сохранить"), QKeySequence(Qt::CTRL | Qt::Key_F3), false},
            {"mnu_slash10", QString(), QKeySequence(), true},
            {"mnu_Exit", QStringLiteral("Выход"), QKeySequence(Qt::CTRL | Qt::Key_Q), false},
        };
        const QList<QAction*> items = top[0]->menu()->actions();
        QCOMPARE(items.size(), expected.size());
        for (qsizetype i = 0; i < items.size(); ++i) {
            QCOMPARE(items[i]->objectName(), QLatin1String(expected[i].name));
            QCOMPARE(items[i]->isSeparator(), expected[i].separator);
            if (!expected[i].separator) {
                QCOMPARE(items[i]->text(), expected[i].text);
                QCOMPARE(items[i]->shortcut(), expected[i].shortcut);
            }
        }
    }

    void mainWindow_itemsRaiseTheirCommands_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("signal");
        QTest::newRow("new") << QStringLiteral("mnu_NewMechanism") << QStringLiteral("newMechanismRequested");
        QTest::newRow("save") << QStringLiteral("mnu_Save") << QStringLiteral("saveRequested");
        QTest::newRow("exit") << QStringLiteral("mnu_Exit") << QStringLiteral("exitRequested");
        QTest::newRow("about") << QStringLiteral("mnu_About") << QStringLiteral("aboutRequested");
    }
    void mainWindow_itemsRaiseTheirCommands()
    {
        QFETCH(QString, item);
        QFETCH(QString, signal);
        Session s;
        form_MainWindow w(s);
        QSignalSpy newSpy(&w, &form_MainWindow::newMechanismRequested);
        QSignalSpy saveSpy(&w, &form_MainWindow::saveRequested);
        QSignalSpy exitSpy(&w, &form_MainWindow::exitRequested);
        QSignalSpy aboutSpy(&w, &form_MainWindow::aboutRequested);
        w.findChild<QAction*>(item)->trigger();
        QCOMPARE(newSpy.size(), signal == QLatin1String("newMechanismRequested") ? 1 : 0);
        QCOMPARE(saveSpy.size(), signal == QLatin1String("saveRequested") ? 1 : 0);
        QCOMPARE(exitSpy.size(), signal == QLatin1String("exitRequested") ? 1 : 0);
        QCOMPARE(aboutSpy.size(), signal == QLatin1String("aboutRequested") ? 1 : 0);
    }

    // The File keys reach the strip from the window the student works in.
    void mainWindow_shortcutsWorkFromTheWorkingWindow_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("signal");
        QTest::newRow("Ctrl+F2") << int(Qt::Key_F2) << QStringLiteral("new");
        QTest::newRow("Ctrl+F3") << int(Qt::Key_F3) << QStringLiteral("save");
        QTest::newRow("Ctrl+Q") << int(Qt::Key_Q) << QStringLiteral("exit");
    }
    void mainWindow_shortcutsWorkFromTheWorkingWindow()
    {
        QFETCH(int, key);
        QFETCH(QString, signal);
        Session s;
        form_MainWindow w(s);
        w.show();
        QWidget working;
        working.show();
        QApplication::setActiveWindow(&working);
        QVERIFY(QTest::qWaitForWindowActive(&working));
        QSignalSpy newSpy(&w, &form_MainWindow::newMechanismRequested);
        QSignalSpy saveSpy(&w, &form_MainWindow::saveRequested);
        QSignalSpy exitSpy(&w, &form_MainWindow::exitRequested);
        QTest::keyClick(&working, Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(newSpy.size(), signal == QLatin1String("new") ? 1 : 0);
        QCOMPARE(saveSpy.size(), signal == QLatin1String("save") ? 1 : 0);
        QCOMPARE(exitSpy.size(), signal == QLatin1String("exit") ? 1 : 0);
    }

    void mainWindow_closingIsExit()
    {
        Session s;
        form_MainWindow w(s);
        w.show();
        QSignalSpy exitSpy(&w, &form_MainWindow::exitRequested);
        QVERIFY(w.close());
        QCOMPARE(exitSpy.size(), 1);
    }

    void mainWindow_stripGeometry()
    {
        Session s;
        form_MainWindow w(s);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCoreApplication::processEvents();
        const QRect strip = stripGeometry(QGuiApplication::primaryScreen()->geometry());
        QCOMPARE(w.frameGeometry(), strip);
    }

    void followTimer_runsEveryTenthOfASecond()
    {
        Session s;
        form_MainWindow w(s);
        auto* timer = w.findChild<QTimer*>(QStringLiteral("tmr_MoveWindow"));
        QVERIFY(timer);
        QCOMPARE(timer->interval(), 100);
        QVERIFY(timer->isActive());
    }

    // Which window the tick moves, by WindowMode.
    void followTimer_movesTheFollowerOfTheMode_data()
    {
        QTest::addColumn<float>("mode");
        QTest::addColumn<bool>("wizardMoves");
        QTest::addColumn<bool>("freeEditMoves");
        QTest::newRow("wizard") << 1.0f << true << false;
        QTest::newRow("free edit") << 2.0f << false << true;
        QTest::newRow("chooser open") << -1.0f << false << false;
        QTest::newRow("none") << 0.0f << false << false;
    }
    void followTimer_movesTheFollowerOfTheMode()
    {
        QFETCH(float, mode);
        QFETCH(bool, wizardMoves);
        QFETCH(bool, freeEditMoves);
        Session s;
        s.WindowMode = mode;
        form_MainWindow w(s);
        w.show();
        QWidget wizard;
        QWidget freeEdit;
        wizard.setGeometry(5, 400, 300, 100);
        freeEdit.setGeometry(6, 410, 300, 100);
        wizard.show();
        freeEdit.show();
        w.setWizardWindow(&wizard);
        w.setFreeEditWindow(&freeEdit);

        const QPoint wizardAt = wizard.frameGeometry().topLeft();
        const QPoint freeEditAt = freeEdit.frameGeometry().topLeft();
        w.tmr_MoveWindow_Timer();
        const QRect main = w.frameGeometry();
        const QPoint under(main.x(), main.y() + main.height());
        QCOMPARE(wizard.frameGeometry().topLeft(), wizardMoves ? under : wizardAt);
        QCOMPARE(freeEdit.frameGeometry().topLeft(), freeEditMoves ? under : freeEditAt);
        QCOMPARE(wizard.width(), 300); // the width is the window's own business
    }

    void followTimer_followsTheStripNotTheFollower()
    {
        Session s;
        s.WindowMode = 1.0f;
        form_MainWindow w(s);
        w.show();
        QWidget wizard;
        wizard.resize(300, 100);
        wizard.show();
        w.setWizardWindow(&wizard);

        w.tmr_MoveWindow_Timer();
        const int height = w.frameGeometry().height();
        w.move(40, 30);
        w.tmr_MoveWindow_Timer();
        QCOMPARE(wizard.pos(), QPoint(40, 30 + height));

        // The follower dragged away on its own stays there until the strip moves.
        wizard.move(300, 300);
        w.tmr_MoveWindow_Timer();
        QCOMPARE(wizard.pos(), QPoint(300, 300));
        w.move(41, 30);
        w.tmr_MoveWindow_Timer();
        QCOMPARE(wizard.pos(), QPoint(41, 30 + height));
    }

    void followTimer_noFollowerNoHarm()
    {
        Session s;
        s.WindowMode = 1.0f;
        form_MainWindow w(s);
        w.show();
        {
            QWidget gone;
            w.setWizardWindow(&gone);
        }
        w.tmr_MoveWindow_Timer(); // the window went away: nothing to move, nothing to crash
        QWidget next;
        next.move(300, 300);
        next.show();
        w.setWizardWindow(&next);
        w.tmr_MoveWindow_Timer(); // the first window to come is placed at once
        QCOMPARE(next.frameGeometry().topLeft(), QPoint(w.frameGeometry().x(), w.frameGeometry().bottom() + 1));
    }

    // The strip's dialogs open just below it, in its middle, and never off the screen.
    void centreBelow_keepsDialogsOnTheScreen_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("small") << QSize(200, 100);
        QTest::newRow("tall") << QSize(300, 2000);
        QTest::newRow("wide") << QSize(3000, 100);
    }
    void centreBelow_keepsDialogsOnTheScreen()
    {
        QFETCH(QSize, size);
        Session s;
        form_MainWindow w(s);
        w.show();
        QWidget dialog;
        dialog.resize(size);
        w.centreBelow(&dialog);
        const QRect room = w.screen()->availableGeometry();
        const QRect strip = w.frameGeometry();
        if (size.width() <= room.width())
            QCOMPARE(dialog.x() + size.width() / 2, strip.center().x());
        else
            QCOMPARE(dialog.x(), room.left());
        if (size.height() + 40 + strip.bottom() < room.bottom())
            QCOMPARE(dialog.y(), strip.bottom() + 41);
        else
            QCOMPARE(dialog.y(), room.top());
    }

    void chooser_textsAndPicture()
    {
        form_NewFile chooser(QStringLiteral("/no/such/folder"));
        QCOMPARE(chooser.windowTitle(), QStringLiteral("Создать новый файл"));
        QCOMPARE(chooser.findChild<QLabel*>(QStringLiteral("Label2"))->text(), QStringLiteral("Проект программы KVERTA"));
        QLabel* img = image(&chooser);
        QVERIFY(img);
        QCOMPARE(img->toolTip(), QStringLiteral("Создание файла программы KVERTA (*.kv)"));
        QCOMPARE(img->size(), QSize(57, 57));
        QCOMPARE(img->focusPolicy(), Qt::StrongFocus);
        QVERIFY(img->pixmap().isNull()); // no icon file: an empty picture, the chooser works on
        QVERIFY(chooser.isModal());
    }

    void chooser_iconReadFromTheDataFolder_data()
    {
        QTest::addColumn<int>("kind"); // 0 none, 1 valid, 2 broken
        QTest::addColumn<bool>("shown");
        QTest::newRow("missing") << 0 << false;
        QTest::newRow("valid") << 1 << true;
        QTest::newRow("broken") << 2 << false;
    }
    void chooser_iconReadFromTheDataFolder()
    {
        QFETCH(int, kind);
        QFETCH(bool, shown);
        QTemporaryDir data;
        if (kind)
            writeIcon(data.path(), kind == 1);
        form_NewFile chooser(data.path());
        QCOMPARE(!image(&chooser)->pixmap().isNull(), shown);
        QCOMPARE(form_NewFile::iconPath(data.path()),
                 data.path() + QStringLiteral("/Cursors & Icons/icons/kverta.ico"));
    }

    void chooser_iconReadAfreshEachTime()
    {
        QTemporaryDir data;
        {
            form_NewFile first(data.path());
            QVERIFY(image(&first)->pixmap().isNull());
        }
        writeIcon(data.path(), true);
        form_NewFile second(data.path());
        QVERIFY(!image(&second)->pixmap().isNull());
    }

    // How the chooser ends: only the picture accepts it.
    void chooser_pictureAcceptsEscapeLeaves_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("result");
        QTest::newRow("click") << QStringLiteral("click") << int(QDialog::Accepted);
        QTest::newRow("Enter on the picture") << QStringLiteral("enter") << int(QDialog::Accepted);
        QTest::newRow("Space on the picture") << QStringLiteral("space") << int(QDialog::Accepted);
        QTest::newRow("right click") << QStringLiteral("right") << -1;
        QTest::newRow("Escape") << QStringLiteral("escape") << int(QDialog::Rejected);
        QTest::newRow("close box") << QStringLiteral("close") << int(QDialog::Rejected);
    }
    void chooser_pictureAcceptsEscapeLeaves()
    {
        QFETCH(QString, how);
        QFETCH(int, result);
        form_NewFile chooser{QString()};
        QSignalSpy finished(&chooser, &QDialog::finished);
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        QLabel* img = image(&chooser);
        img->setFocus();
        if (how == QLatin1String("click"))
            QTest::mouseClick(img, Qt::LeftButton);
        else if (how == QLatin1String("right"))
            QTest::mouseClick(img, Qt::RightButton);
        else if (how == QLatin1String("enter"))
            QTest::keyClick(img, Qt::Key_Return);
        else if (how == QLatin1String("space"))
            QTest::keyClick(img, Qt::Key_Space);
        else if (how == QLatin1String("escape"))
            QTest::keyClick(&chooser, Qt::Key_Escape);
        else
            chooser.close();
        if (result < 0) {
            QVERIFY(chooser.isVisible());
            QCOMPARE(finished.size(), 0);
        } else {
            QVERIFY(!chooser.isVisible());
            QCOMPARE(finished.size(), 1);
            QCOMPARE(finished.first().first().toInt(), result);
        }
    }

    void about_texts()
    {
        form_About about{QString()};
        QCOMPARE(about.windowTitle(), QStringLiteral("О проге"));
        QVERIFY(about.isModal());
        auto* frame = about.findChild<QGroupBox*>();
        QVERIFY(frame);
        QCOMPARE(frame->title(), QStringLiteral("Версии программы:"));
        QStringList texts;
        for (QLabel* label : frame->findChildren<QLabel*>())
            texts << label->text();
        QCOMPARE(texts, (QStringList{QStringLiteral("Основная программа: Zuvrack"), QStringLiteral("Версия: v0.1.0f"),
                                     QStringLiteral("Встроенный компилятор:  KVERTA file compillator"),
                                     QStringLiteral("Версия: v0.1.0f"),
                                     QStringLiteral("Дополнительные режимы:  FreeLancer Mode"),
                                     QStringLiteral("Версия: v0.1.0f")}));
    }
};

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
