#include "form_kvertafileloader.h"
#include "form_kvertafileshow.h"
#include "mechanisms.h"
#include "projectformat.h"
#include "scripteddialogs.h"
#include "session.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class FilesWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void compilerWindow_controls()
    {
        form_KvertaFileShow w;
        QCOMPARE(w.windowTitle(), QStringLiteral("            KVERTA file compillator [v 0.1.0f]"));
        auto* close = w.findChild<QPushButton*>(QStringLiteral("btn_Close"));
        QVERIFY(close);
        QCOMPARE(close->text(), QStringLiteral("З А К Р Ы Т Ь"));
        auto* bar = w.findChild<QProgressBar*>(QStringLiteral("pb_Overall"));
        QVERIFY(bar);
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), 100);
        QVERIFY(w.findChild<QListWidget*>(QStringLiteral("lst_Output")));
    }

    void compilerWindow_showsTheWrittenFileAndStaysOpen()
    {
        QTemporaryDir dir;
        Session s;
        testmech::crankSlider(s);
        s.DataFolder = dir.path();
        ScriptedDialogs d(s);
        form_KvertaFileShow w;
        QVERIFY(WriteFile(s, d, &w, dir.path(), QStringLiteral("mech.kv")));
        QVERIFY(w.isVisible());
        auto* list = w.findChild<QListWidget*>(QStringLiteral("lst_Output"));
        QCOMPARE(list->item(0)->text(), QStringLiteral("_Начало_описания_пар"));
        QCOMPARE(list->item(list->count() - 1)->text(), QStringLiteral("y"));
        QCOMPARE(w.findChild<QProgressBar*>(QStringLiteral("pb_Overall"))->value(), 100);
        QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("btn_Close")), Qt::LeftButton);
        QVERIFY(!w.isVisible());
    }

    void compilerWindow_failureMarksTheButton_andTheNextRunClearsIt()
    {
        Session s;
        testmech::crankSlider(s);
        ScriptedDialogs d(s);
        d.expectError(17);
        form_KvertaFileShow w;
        auto* close = w.findChild<QPushButton*>(QStringLiteral("btn_Close"));
        auto* list = w.findChild<QListWidget*>(QStringLiteral("lst_Output"));
        QVERIFY(!WriteFile(s, d, &w, QString(), QString()));
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
        QCOMPARE(close->text(), QStringLiteral("ОШИБКА!"));
        const int lines = list->count();
        QVERIFY(lines > 0);

        w.start();
        QCOMPARE(close->text(), QStringLiteral("З А К Р Ы Т Ь"));
        QCOMPARE(list->count(), 0);
        QCOMPARE(w.findChild<QProgressBar*>(QStringLiteral("pb_Overall"))->value(), 0);
    }

    void loaderWindow_controls()
    {
        form_KvertaFileLoader w;
        QCOMPARE(w.windowTitle(), QStringLiteral("            KVERTA file loader [v 0.0.1a]"));
        const QList<QLabel*> labels = w.findChildren<QLabel*>();
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels.first()->text(), QStringLiteral("Ж Д И Т Е . . ."));
    }

    void loadProjectWithWindow_loadsAndClosesTheWindow()
    {
        QTemporaryDir dir;
        Session written;
        testmech::sixLinks(written);
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("d_files")));
        QFile f(dir.filePath(QStringLiteral("d_files/six.zvr")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(*projectFileBytes(written, nullptr));
        f.close();

        Session s;
        s.DataFolder = dir.path();
        ScriptedDialogs d(s);
        QCOMPARE(loadProjectWithWindow(s, d, dir.path(), QStringLiteral("Six.kv")), LoadResult::Loaded);
        QCOMPARE(s.ZvenoCount, written.ZvenoCount);
        QCOMPARE(s.Groups[2].IsSharp, QStringLiteral("n"));
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY(!qobject_cast<form_KvertaFileLoader*>(w) || !w->isVisible());
    }
};

QTEST_MAIN(FilesWindowsTest)
#include "fileswindows_test.moc"
