#include "form_freelancermode.h"
#include "form_mainwindow.h"
#include "form_mainwindow_di.h"
#include "scripteddialogs.h"
#include "session.h"
#include "shell.h"
#include "shellcommands.h"
#include "writefile.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kYesNoDefault = QStringLiteral("0");

// A finished two-link description, enough to be written and read back.
void fillCrank(Session& s)
{
    s.NewMechanism();
    s.ParaCount = 1;
    s.Paras[1].Name = QStringLiteral("A");
    s.Paras[1].Zveno1 = QStringLiteral("0");
    s.Paras[1].Zveno2 = QStringLiteral("1");
    s.Paras[1].ParaType = QStringLiteral("r");
    s.ZvenoCount = 2;
    s.Zvenos[1].Name = QStringLiteral("0");
    s.Zvenos[1].IsFrame = 1.0f;
    s.Zvenos[2].Name = QStringLiteral("1");
    s.Zvenos[2].IsDriving = 1.0f;
    s.FrameIndex = 1;
    s.ForceAnalysis = 7.0f;
    s.MorePoints = 7.0f;
    s.GroupCount = 0;
}

void settle()
{
    // Queued commands run, then the windows they closed go.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class ShellTest : public QObject {
    Q_OBJECT
private:
    // Answers each chooser as it comes up: "picture", "enter" or "escape", in turn.
    QStringList m_chooserAnswers;
    int m_choosersSeen = 0;
    float m_modeWhileChooser = 99;
    bool m_wizardWhileChooser = true;
    bool m_freeEditWhileChooser = true;

    void answerChoosers(Shell& shell)
    {
        connect(&shell, &Shell::chooserShown, this, [this](QDialog* chooser) {
            ++m_choosersSeen;
            const QString how = m_chooserAnswers.isEmpty() ? QStringLiteral("escape") : m_chooserAnswers.takeFirst();
            auto* img = chooser->findChild<QLabel*>(QStringLiteral("img_KvertaMode"));
            if (how == QLatin1String("picture"))
                QTest::mouseClick(img, Qt::LeftButton);
            else if (how == QLatin1String("enter"))
                QTest::keyClick(img, Qt::Key_Return);
            else
                QTest::keyClick(chooser, Qt::Key_Escape);
        });
    }

    void watchChooser(Shell& shell, Session& s)
    {
        connect(&shell, &Shell::chooserShown, this, [this, &shell, &s](QDialog*) {
            m_modeWhileChooser = s.WindowMode;
            m_wizardWhileChooser = shell.wizardWindow() != nullptr;
            m_freeEditWhileChooser = shell.freeEditWindow() != nullptr;
        });
    }

private slots:
    void init()
    {
        m_chooserAnswers.clear();
        m_choosersSeen = 0;
        m_modeWhileChooser = 99;
        m_wizardWhileChooser = true;
        m_freeEditWhileChooser = true;
    }

    void start_showsOnlyTheMainWindow()
    {
        Session s;
        ScriptedDialogs d(s);
        Shell shell(s, d);
        shell.start();
        QVERIFY(shell.mainWindow()->isVisible());
        QVERIFY(!shell.wizardWindow());
        QVERIFY(!shell.freeEditWindow());
        QCOMPARE(s.WindowMode, 0.0f);
    }

    // File -> "Новый механизм", the picture (clicked or from the keyboard), "Да".
    void newMechanism_pictureThenYesStartsADescription_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("click") << QStringLiteral("picture");
        QTest::newRow("keyboard") << QStringLiteral("enter");
    }
    void newMechanism_pictureThenYesStartsADescription()
    {
        QFETCH(QString, how);
        Session s;
        s.OutputReady = 1.0f;
        s.OutputSaved = 1.0f;
        ScriptedDialogs d(s);
        d.expectQuestion(kOpeningQuestion, 1.0f, kYesNoDefault, QStringLiteral("6"));
        Shell shell(s, d);
        shell.start();
        watchChooser(shell, s);
        answerChoosers(shell);
        m_chooserAnswers << how;
        shell.mainWindow()->findChild<QAction*>(QStringLiteral("mnu_NewMechanism"))->trigger();

        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
        QCOMPARE(m_choosersSeen, 1);
        QCOMPARE(m_modeWhileChooser, -1.0f);
        QVERIFY(shell.wizardWindow());
        QVERIFY(shell.wizardWindow()->isVisible());
        QCOMPARE(s.WindowMode, 1.0f);
        QCOMPARE(s.WizardState, qint16(11));
        QCOMPARE(s.OutputReady, 0.0f);
        QCOMPARE(s.OutputSaved, 0.0f);
        // Flush under the strip.
        const QRect strip = shell.mainWindow()->frameGeometry();
        QCOMPARE(shell.wizardWindow()->frameGeometry().topLeft(), QPoint(strip.x(), strip.bottom() + 1));
    }

    void chooser_closesTheWorkingWindowsAndEscapeLeavesNone()
    {
        Session s;
        ScriptedDialogs d(s);
        d.expectQuestion(kOpeningQuestion, 1.0f, kYesNoDefault, QStringLiteral("6"));
        Shell shell(s, d);
        shell.start();
        watchChooser(shell, s);
        answerChoosers(shell);
        m_chooserAnswers << QStringLiteral("picture") << QStringLiteral("escape");
        shell.newMechanism();
        QPointer<form_MainWindow_Di> first = shell.wizardWindow();
        QVERIFY(first);

        shell.newMechanism();
        settle();
        QCOMPARE(m_choosersSeen, 2);
        QVERIFY(!m_wizardWhileChooser);
        QVERIFY(!first); // gone, with everything it showed
        QVERIFY(!shell.wizardWindow());
        QCOMPARE(s.WindowMode, -1.0f);
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
    }

    // The question closed while Answer held 2: back to the chooser.
    void openingQuestion_codeTwoReopensTheChooser()
    {
        Session s;
        s.Answer = QStringLiteral("2");
        ScriptedDialogs d(s);
        d.expectQuestionClosed(kOpeningQuestion, 1.0f, kYesNoDefault);
        Shell shell(s, d);
        shell.start();
        answerChoosers(shell);
        m_chooserAnswers << QStringLiteral("picture") << QStringLiteral("escape");
        shell.newMechanism();
        settle();
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
        QCOMPARE(m_choosersSeen, 2);
        QVERIFY(!shell.wizardWindow());
        QCOMPARE(s.WindowMode, -1.0f);
    }

    // Any other answer: the wizard window stays, with no description.
    void openingQuestion_otherAnswerLeavesAnIdleWizard()
    {
        Session s;
        s.Answer = QStringLiteral("что-то");
        ScriptedDialogs d(s);
        d.expectQuestionClosed(kOpeningQuestion, 1.0f, kYesNoDefault);
        Shell shell(s, d);
        shell.start();
        answerChoosers(shell);
        m_chooserAnswers << QStringLiteral("picture");
        shell.newMechanism();
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
        QVERIFY(shell.wizardWindow());
        QVERIFY(shell.wizardWindow()->isVisible());
        QCOMPARE(s.WizardState, qint16(0));
        QCOMPARE(s.WindowMode, 1.0f);
    }

    void load_openTheFreeEditWindow()
    {
        QTemporaryDir data;
        Session s;
        s.DataFolder = data.path();
        const QString kv = QDir(data.path()).filePath(QStringLiteral("Crank.kv"));
        {
            Session written;
            written.DataFolder = data.path();
            fillCrank(written);
            ScriptedDialogs none(written);
            QVERIFY(WriteFile(written, none, nullptr, data.path() + QLatin1Char('/'), QStringLiteral("Crank.kv")));
        }
        ScriptedDialogs d(s);
        d.expectQuestion(kOpeningQuestion, 1.0f, kYesNoDefault, QStringLiteral("7"))
            .expectOpenFile(kShellFileFilter, FileChoice{kv, QStringLiteral("Crank.kv")});
        Shell shell(s, d);
        shell.start();
        answerChoosers(shell);
        m_chooserAnswers << QStringLiteral("picture");
        shell.newMechanism();
        settle();
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
        QVERIFY(!shell.wizardWindow());
        QVERIFY(shell.freeEditWindow());
        QVERIFY(shell.freeEditWindow()->isVisible());
        QCOMPARE(s.WindowMode, 2.0f);
        QCOMPARE(s.OutputReady, 1.0f);
        QCOMPARE(s.ZvenoCount, qint16(2));

        // Leaving the mode with "yes" brings the chooser, which closes the free-edit window.
        watchChooser(shell, s);
        emit shell.freeEditWindow()->chooserRequested();
        settle();
        QCOMPARE(m_choosersSeen, 2);
        QVERIFY(!m_freeEditWhileChooser);
        QVERIFY(!shell.freeEditWindow());
    }

    void wizardsFreeEditButton_opensTheFreeEditWindow()
    {
        Session s;
        ScriptedDialogs d(s);
        d.expectQuestion(kOpeningQuestion, 1.0f, kYesNoDefault, QStringLiteral("6"));
        Shell shell(s, d);
        shell.start();
        answerChoosers(shell);
        m_chooserAnswers << QStringLiteral("picture");
        shell.newMechanism();
        QPointer<form_MainWindow_Di> wizard = shell.wizardWindow();
        QVERIFY(wizard);
        emit wizard->freeEditRequested();
        settle();
        QVERIFY(!wizard);
        QVERIFY(shell.freeEditWindow());
        QCOMPARE(s.WindowMode, 2.0f);
    }

    void save_writesThroughTheCompilerWindow()
    {
        QTemporaryDir data;
        Session s;
        s.DataFolder = data.path();
        fillCrank(s);
        s.OutputReady = 1.0f;
        const QString kv = QDir(data.path()).filePath(QStringLiteral("out.kv"));
        ScriptedDialogs d(s);
        d.expectSaveFile(kShellFileFilter, FileChoice{kv, QStringLiteral("out.kv")});
        Shell shell(s, d);
        shell.start();
        shell.mainWindow()->findChild<QAction*>(QStringLiteral("mnu_Save"))->trigger();
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
        QCOMPARE(s.OutputSaved, 1.0f);
        QVERIFY(QFile::exists(kv));
        QWidget* compiler = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("form_KvertaFileShow") && w->isVisible())
                compiler = w;
        QVERIFY(compiler);

        // "Выход" closes it with every other window.
        shell.exitProgram();
        QVERIFY(!compiler->isVisible());
        QVERIFY(!shell.mainWindow()->isVisible());
    }

    void exit_closesEveryWindow()
    {
        Session s;
        ScriptedDialogs d(s);
        d.expectQuestion(kOpeningQuestion, 1.0f, kYesNoDefault, QStringLiteral("6"));
        Shell shell(s, d);
        shell.start();
        answerChoosers(shell);
        m_chooserAnswers << QStringLiteral("picture");
        shell.newMechanism();
        QPointer<form_MainWindow_Di> wizard = shell.wizardWindow();
        QVERIFY(wizard);
        QVERIFY(shell.mainWindow()->close()); // the close box is "Выход"
        settle();
        QVERIFY(!shell.mainWindow()->isVisible());
        QVERIFY(!wizard);
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
        // After the exit the menu commands do nothing.
        shell.newMechanism();
        QCOMPARE(m_choosersSeen, 1);
    }

    void followTimer_keepsTheWizardUnderTheStrip()
    {
        Session s;
        ScriptedDialogs d(s);
        d.expectQuestion(kOpeningQuestion, 1.0f, kYesNoDefault, QStringLiteral("6"));
        Shell shell(s, d);
        shell.start();
        answerChoosers(shell);
        m_chooserAnswers << QStringLiteral("picture");
        shell.newMechanism();
        form_MainWindow* main = shell.mainWindow();
        main->move(main->x() + 30, main->y() + 20);
        main->tmr_MoveWindow_Timer();
        const QRect strip = main->frameGeometry();
        QCOMPARE(shell.wizardWindow()->frameGeometry().topLeft(), QPoint(strip.x(), strip.bottom() + 1));
    }
};

QTEST_MAIN(ShellTest)
#include "shell_test.moc"
