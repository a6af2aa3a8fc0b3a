#include "tests/descriptions/descriptionfiles.h"
#include "model/errors.h"
#include "shell/questiondialog.h"
#include "wizard/ui/wizardwindow.h"
#include "shell/qtdialogs.h"
#include "model/session.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

QString shown(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// Answers every modal window as it comes up, from inside its own event loop, by the next step of
// the description: the question dialog through its buttons and answer box, message boxes with
// their button, the save dialog with a file in the output folder. Whatever does not match is
// noted and closed, so a wrong turn ends the run instead of hanging it.
class Responder : public QObject {
public:
    Responder(QList<DescriptionStep> steps, QString outFolder)
        : m_steps(std::move(steps))
        , m_out(std::move(outFolder))
    {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, &Responder::tick);
        m_timer.start();
    }
    QStringList problems;
    bool finished() const { return m_steps.isEmpty(); }
    QStringList left() const
    {
        QStringList l;
        for (const DescriptionStep& s : m_steps)
            l << s.text;
        return l;
    }

private:
    void tick()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == m_handled || !modal->isVisible())
            return;
        m_handled = modal;
        if (m_steps.isEmpty()) {
            problems << QStringLiteral("a window off the script: ") + QLatin1String(modal->metaObject()->className());
            leave(modal);
            return;
        }
        const DescriptionStep step = m_steps.takeFirst();
        if (auto* dialog = qobject_cast<QuestionDialog*>(modal))
            answerQuestion(dialog, step);
        else if (auto* box = qobject_cast<QMessageBox*>(modal))
            answerMessage(box, step);
        else if (auto* files = qobject_cast<QFileDialog*>(modal))
            answerSave(files, step);
        else
            note(QStringLiteral("an unknown window"), step), leave(modal);
    }

    // Off the script: the answer that ends any "ask again" loop (No, or the default text).
    static void leave(QWidget* modal)
    {
        if (auto* dialog = qobject_cast<QuestionDialog*>(modal)) {
            for (const char* name : {"btn_No", "btn_Ok"})
                if (auto* b = dialog->findChild<QPushButton*>(QLatin1String(name)); b && b->isVisible())
                    return b->click();
        }
        if (auto* box = qobject_cast<QMessageBox*>(modal); box && box->button(QMessageBox::Ok))
            return box->button(QMessageBox::Ok)->click();
        if (auto* files = qobject_cast<QFileDialog*>(modal))
            return files->reject();
        modal->close();
    }

    void note(const QString& what, const DescriptionStep& step)
    {
        problems << what + QStringLiteral(" where the script has: ") + step.text + QLatin1Char(' ') +
                        QString::number(step.code);
    }

    void answerQuestion(QuestionDialog* dialog, const DescriptionStep& step)
    {
        if (step.kind != DescriptionStep::Ask && step.kind != DescriptionStep::AskClosed) {
            note(QStringLiteral("the question dialog"), step);
            leave(dialog);
            return;
        }
        const bool text = step.mode == 2.0f;
        auto* label = dialog->findChild<QLabel*>(text ? QStringLiteral("lbl_Question2") : QStringLiteral("lbl_Question1"));
        if (!label || !label->isVisible() || label->text() != shown(step.text))
            problems << QStringLiteral("asked [%1], expected [%2]").arg(label ? label->text() : QString(), step.text);
        if (step.kind == DescriptionStep::AskClosed) {
            dialog->close();
            return;
        }
        if (text) {
            auto* box = dialog->findChild<QLineEdit*>(QStringLiteral("txt_Answer"));
            if (box->text() != step.defaultText)
                problems << QStringLiteral("default [%1] for [%2]").arg(box->text(), step.text);
            // The default is selected: typing replaces it.
            QTest::keyClicks(box, step.answer);
            QTest::keyClick(box, Qt::Key_Return);
        } else {
            const QString button = step.answer == QStringLiteral("6") ? QStringLiteral("btn_Yes") : QStringLiteral("btn_No");
            dialog->findChild<QPushButton*>(button)->click();
        }
    }

    void answerMessage(QMessageBox* box, const DescriptionStep& step)
    {
        const std::optional<ErrorMessage> expected = errorMessage(step.code, QString(), QString());
        if (step.kind != DescriptionStep::Error || !expected || box->text() != shown(expected->text) ||
            box->windowTitle() != expected->title)
            note(QStringLiteral("the message ") + box->text(), step);
        box->button(QMessageBox::Ok)->click();
    }

    void answerSave(QFileDialog* files, const DescriptionStep& step)
    {
        if (step.kind != DescriptionStep::Save) {
            note(QStringLiteral("the save dialog"), step);
            files->reject();
            return;
        }
        files->setDirectory(m_out);
        files->selectFile(QDir(m_out).filePath(step.text));
        QMetaObject::invokeMethod(files, "accept", Qt::QueuedConnection);
    }

    QList<DescriptionStep> m_steps;
    QString m_out;
    QTimer m_timer;
    QPointer<QWidget> m_handled;
};

} // namespace

// A whole description typed into the real wizard window, its questions answered in the real
// question dialog and message boxes, the name given in the real save dialog.
class DescriptionsGuiTest : public QObject {
    Q_OBJECT
private slots:
    void realWindows_wholeDescription_data();
    void realWindows_wholeDescription();
};

void DescriptionsGuiTest::realWindows_wholeDescription_data()
{
    addDescriptionRows();
}

void DescriptionsGuiTest::realWindows_wholeDescription()
{
    QFETCH(QString, name);
    const Description script = loadDescription(name);
    QVERIFY2(script.error.isEmpty(), qPrintable(script.error));

    QTemporaryDir data;
    QTemporaryDir out;
    QVERIFY(QDir(data.path()).mkpath(QStringLiteral("d_files")));
    Session s;
    s.DataFolder = data.path();
    QtDialogs dialogs(s);
    QWidget strip;
    strip.resize(800, 40);
    strip.show();
    WizardWindow wizard(s, dialogs, &strip);
    wizard.startNewDescription();
    wizard.show();
    wizard.activateWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&wizard));
    auto* answer = wizard.findChild<QLineEdit*>(QStringLiteral("txt_Answer"));
    QVERIFY(answer);

    QList<DescriptionStep> modalSteps;
    QString title;
    for (const DescriptionStep& step : script.steps)
        if (step.kind != DescriptionStep::Type && step.kind != DescriptionStep::EndStage) {
            modalSteps << step;
            if (step.kind == DescriptionStep::Save)
                title = step.text;
        }
    Responder responder(modalSteps, out.path());

    for (const DescriptionStep& step : script.steps) {
        if (step.kind == DescriptionStep::EndStage) {
            QTest::keyClick(answer, Qt::Key_Return, Qt::ShiftModifier);
        } else if (step.kind == DescriptionStep::Type) {
            QTest::keyClicks(answer, step.text);
            QTest::keyClick(answer, Qt::Key_Return);
        }
    }

    QVERIFY2(responder.problems.isEmpty(), qPrintable(responder.problems.join(QLatin1Char('\n'))));
    QVERIFY2(responder.finished(), qPrintable(QStringLiteral("never shown: ") + responder.left().join(QLatin1Char('\n'))));
    QCOMPARE(s.WizardState, qint16(200));
    QCOMPARE(s.OutputSaved, 1.0f);
    QCOMPARE(wizard.findChild<QLabel*>(QStringLiteral("lbl_Question"))->text(), QStringLiteral("К О Н Е Ц !!!"));
    // The window's input list shows the protocol.
    auto* input = wizard.findChild<QListWidget*>(QStringLiteral("lst_Input"));
    QVERIFY(input);
    QStringList shownLines;
    for (int i = 0; i < input->count(); ++i)
        shownLines << input->item(i)->text();
    QCOMPARE(shownLines, script.protocol);

    // Both files, as the engine test expects them.
    QString error;
    const QByteArray kv = expectedKvBytes(name, &error);
    const QByteArray actualKv = readAll(QDir(out.path()).filePath(title));
    QVERIFY2(actualKv == kv, qPrintable(kvDifference(actualKv, kv)));
    const QByteArray zvr = expectedZvrBytes(name, &error);
    const QString project =
        QDir(data.path()).filePath(QStringLiteral("d_files/") + title.chopped(3).toLower() + QStringLiteral(".zvr"));
    const QByteArray actualZvr = readAll(project);
    QVERIFY2(actualZvr == zvr, qPrintable(zvrDifference(actualZvr, zvr)));
}

QTEST_MAIN(DescriptionsGuiTest)
#include "descriptions_gui_test.moc"
