#include "ask.h"
#include "form_dialog_di.h"
#include "qtdialogs.h"
#include "session.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

const QString kQuestion = QStringLiteral("Введите длину звена 1\r\nв мм");

template <typename T>
T* child(QWidget* parent, const char* name)
{
    T* w = parent->findChild<T*>(QLatin1String(name));
    if (!w)
        qWarning("no %s", name);
    return w;
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

} // namespace

class FormDialogDiTest : public QObject {
    Q_OBJECT
private slots:
    void faces_showTheModesControls_data()
    {
        QTest::addColumn<float>("mode");
        QTest::newRow("yes/no") << 1.0f;
        QTest::newRow("text") << 2.0f;
    }
    void faces_showTheModesControls()
    {
        QFETCH(float, mode);
        const bool yesNo = mode == 1.0f;
        form_Dialog_Di d;
        QVERIFY(d.prepare(kQuestion, mode, QStringLiteral("12.5"), QPoint(100, 120)));
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));

        QCOMPARE(d.windowTitle(), QString());
        QCOMPARE(d.width(), 425);
        QCOMPARE(d.pos(), QPoint(100, 120));
        QCOMPARE(child<QFrame>(&d, "frm_Mode1")->isVisible(), yesNo);
        QCOMPARE(child<QFrame>(&d, "frm_Mode2")->isVisible(), !yesNo);
        QCOMPARE(child<QPushButton>(&d, "btn_Yes")->text(), QStringLiteral("ДА"));
        QCOMPARE(child<QPushButton>(&d, "btn_No")->text(), QStringLiteral("НЕТ"));
        QCOMPARE(child<QPushButton>(&d, "btn_Ok")->text(), QStringLiteral("Ок"));
        QCOMPARE(child<QPushButton>(&d, "btn_Yes")->isDefault(), yesNo);
        QCOMPARE(child<QPushButton>(&d, "btn_Ok")->isDefault(), !yesNo);
        QVERIFY(!child<QPushButton>(&d, "btn_No")->isDefault());
        const QString shown = QStringLiteral("Введите длину звена 1\nв мм");
        QCOMPARE(child<QLabel>(&d, yesNo ? "lbl_Question1" : "lbl_Question2")->text(), shown);
        if (!yesNo) {
            auto* box = child<QLineEdit>(&d, "txt_Answer");
            QCOMPARE(box->text(), QStringLiteral("12.5"));
            QCOMPARE(box->selectedText(), QStringLiteral("12.5"));
            QCOMPARE(box->selectionStart(), 0);
        }
        QVERIFY(!d.result().has_value());
    }

    void prepare_otherModesHaveNoFace_data()
    {
        QTest::addColumn<float>("mode");
        QTest::newRow("0") << 0.0f;
        QTest::newRow("3") << 3.0f;
        QTest::newRow("1.5") << 1.5f;
        QTest::newRow("-1") << -1.0f;
    }
    void prepare_otherModesHaveNoFace()
    {
        QFETCH(float, mode);
        form_Dialog_Di d;
        QVERIFY(!d.prepare(kQuestion, mode, QStringLiteral("x"), QPoint()));
    }

    void placement_keptOnTheScreen()
    {
        const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
        form_Dialog_Di d;
        d.prepare(kQuestion, 1.0f, QString(), QPoint(room.right() + 500, room.bottom() + 500));
        QVERIFY(room.contains(d.geometry()));
        d.prepare(kQuestion, 2.0f, QString(), QPoint(-300, -300));
        QCOMPARE(d.pos(), room.topLeft());
    }

    // What each way of answering gives back.
    void answers_byButtonAndKey_data()
    {
        QTest::addColumn<float>("mode");
        QTest::addColumn<QString>("defaultText");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("answered");
        QTest::addColumn<QString>("result");

        QTest::newRow("ДА") << 1.0f << QStringLiteral("0") << QStringLiteral("btn_Yes") << QString() << true
                            << QStringLiteral("6");
        QTest::newRow("НЕТ") << 1.0f << QStringLiteral("0") << QStringLiteral("btn_No") << QString() << true
                             << QStringLiteral("7");
        QTest::newRow("Enter on yes/no is yes") << 1.0f << QStringLiteral("0") << QStringLiteral("Enter") << QString()
                                                << true << QStringLiteral("6");
        QTest::newRow("Ок with the default") << 2.0f << QStringLiteral("40") << QStringLiteral("btn_Ok") << QString()
                                              << true << QStringLiteral("40");
        QTest::newRow("Enter with the default") << 2.0f << QStringLiteral("40") << QStringLiteral("Enter") << QString()
                                                 << true << QStringLiteral("40");
        QTest::newRow("Enter with an empty default") << 2.0f << QString() << QStringLiteral("Enter") << QString()
                                                      << true << QString();
        QTest::newRow("typing replaces the default") << 2.0f << QStringLiteral("40") << QStringLiteral("Enter")
                                                     << QStringLiteral("12,5 ") << true << QStringLiteral("12,5 ");
        QTest::newRow("Cyrillic typed") << 2.0f << QStringLiteral("0") << QStringLiteral("btn_Ok")
                                        << QStringLiteral("Ж") << true << QStringLiteral("Ж");
        QTest::newRow("close box, yes/no") << 1.0f << QStringLiteral("0") << QStringLiteral("close") << QString()
                                           << false << QString();
        QTest::newRow("close box, text") << 2.0f << QStringLiteral("40") << QStringLiteral("close")
                                         << QStringLiteral("99") << false << QString();
        QTest::newRow("Escape is the close box") << 2.0f << QStringLiteral("40") << QStringLiteral("Escape")
                                                 << QString() << false << QString();
    }
    void answers_byButtonAndKey()
    {
        QFETCH(float, mode);
        QFETCH(QString, defaultText);
        QFETCH(QString, action);
        QFETCH(QString, typed);
        QFETCH(bool, answered);
        QFETCH(QString, result);

        form_Dialog_Di d;
        d.prepare(kQuestion, mode, defaultText, QPoint(50, 50));
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QWidget* focus = mode == 2.0f ? static_cast<QWidget*>(child<QLineEdit>(&d, "txt_Answer"))
                                      : static_cast<QWidget*>(child<QPushButton>(&d, "btn_Yes"));
        // Key by key, Cyrillic included, as a person types.
        for (const QChar c : typed)
            QTest::sendKeyEvent(QTest::Click, focus, Qt::Key_unknown, QString(c), Qt::NoModifier);
        if (action == QLatin1String("Enter"))
            QTest::keyClick(focus, Qt::Key_Return);
        else if (action == QLatin1String("Escape"))
            QTest::keyClick(focus, Qt::Key_Escape);
        else if (action == QLatin1String("close"))
            d.close();
        else
            QTest::mouseClick(child<QPushButton>(&d, qPrintable(action)), Qt::LeftButton);

        QVERIFY(!d.isVisible());
        QCOMPARE(d.result().has_value(), answered);
        if (answered)
            QCOMPARE(*d.result(), result);
    }

    // The real dialog through the program's seam: modal, and the previous Answer when closed.
    void askQuestion_modalRoundTrip_data()
    {
        QTest::addColumn<float>("mode");
        QTest::addColumn<QString>("press"); // a button name, or "close"
        QTest::addColumn<QString>("answer");
        QTest::newRow("yes") << 1.0f << QStringLiteral("btn_Yes") << QStringLiteral("6");
        QTest::newRow("no") << 1.0f << QStringLiteral("btn_No") << QStringLiteral("7");
        QTest::newRow("ok") << 2.0f << QStringLiteral("btn_Ok") << QStringLiteral("0");
        QTest::newRow("closed yes/no") << 1.0f << QStringLiteral("close") << QStringLiteral("previous");
        QTest::newRow("closed text") << 2.0f << QStringLiteral("close") << QStringLiteral("previous");
    }
    void askQuestion_modalRoundTrip()
    {
        QFETCH(float, mode);
        QFETCH(QString, press);
        QFETCH(QString, answer);
        Session s;
        s.Answer = QStringLiteral("previous");
        QtDialogs dialogs(s);
        QString seenQuestion;
        whenModal([&](QWidget* modal) {
            QVERIFY(modal);
            QCOMPARE(modal->objectName(), QStringLiteral("form_Dialog_Di"));
            seenQuestion = child<QLabel>(modal, mode == 1.0f ? "lbl_Question1" : "lbl_Question2")->text();
            if (press == QLatin1String("close"))
                modal->close();
            else
                QTest::mouseClick(child<QPushButton>(modal, qPrintable(press)), Qt::LeftButton);
        });
        QCOMPARE(AskQuestion(s, dialogs, kQuestion, mode, QStringLiteral("0"), QPoint(10, 10)), answer);
        QCOMPARE(s.Answer, answer);
        QCOMPARE(seenQuestion, QStringLiteral("Введите длину звена 1\nв мм"));
    }

    void askQuestion_otherModeShowsNothing()
    {
        Session s;
        s.Answer = QStringLiteral("kept");
        QtDialogs dialogs(s);
        bool shown = false;
        whenModal([&](QWidget* modal) { shown = modal != nullptr; });
        QCOMPARE(dialogs.askQuestion(kQuestion, 3.0f, QStringLiteral("0"), QPoint()), QString());
        QCOMPARE(AskQuestion(s, dialogs, kQuestion, 3.0f, QStringLiteral("0"), QPoint()), QString());
        QCoreApplication::processEvents();
        QVERIFY(!shown);
        QCOMPARE(s.Answer, QStringLiteral("kept"));
    }

    void yesNoBox_returnsSixOrSeven_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("code");
        QTest::newRow("yes") << int(QMessageBox::Yes) << 6;
        QTest::newRow("no") << int(QMessageBox::No) << 7;
        QTest::newRow("escape") << 0 << 7;
    }
    void yesNoBox_returnsSixOrSeven()
    {
        QFETCH(int, button);
        QFETCH(int, code);
        Session s;
        QtDialogs dialogs(s);
        QString title, text;
        int icon = -1;
        whenModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            title = box->windowTitle();
            text = box->text();
            icon = int(box->icon());
            if (button)
                QTest::mouseClick(box->button(QMessageBox::StandardButton(button)), Qt::LeftButton);
            else
                QTest::keyClick(box, Qt::Key_Escape);
        });
        QCOMPARE(dialogs.yesNoBox(QStringLiteral("Вы уверены?\r\nВсе"), QStringLiteral("KVERTA Mode")), code);
        QCOMPARE(title, QStringLiteral("KVERTA Mode"));
        QCOMPARE(text, QStringLiteral("Вы уверены?\nВсе"));
        QCOMPARE(icon, int(QMessageBox::Question));
    }

    // The file dialogs: the program's filter as Qt shows it, the full name and the title back.
    void fileDialogs_filterNameAndTitle_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<bool>("cancel");
        QTest::newRow("save") << true << false;
        QTest::newRow("save cancelled") << true << true;
        QTest::newRow("open") << false << false;
        QTest::newRow("open cancelled") << false << true;
    }
    void fileDialogs_filterNameAndTitle()
    {
        QFETCH(bool, save);
        QFETCH(bool, cancel);
        QTemporaryDir dir;
        const QString name = QDir(dir.path()).filePath(QStringLiteral("Кривошип.kv"));
        if (!save) {
            QFile f(name);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        Session s;
        QtDialogs dialogs(s);
        QStringList filters;
        whenModal([&](QWidget* modal) {
            auto* fd = qobject_cast<QFileDialog*>(modal);
            QVERIFY(fd);
            filters = fd->nameFilters();
            if (cancel) {
                fd->reject();
                return;
            }
            fd->setDirectory(dir.path());
            fd->selectFile(name);
            QMetaObject::invokeMethod(fd, "accept");
        });
        const QString filter = QStringLiteral("Файлы KVERTA (*.kv)| *.kv");
        const FileChoice choice = save ? dialogs.saveFile(filter) : dialogs.openFile(filter);
        QCOMPARE(filters, QStringList{QStringLiteral("Файлы KVERTA (*.kv)")});
        QCOMPARE(choice.fileName, cancel ? QString() : name);
        QCOMPARE(choice.fileTitle, cancel ? QString() : QStringLiteral("Кривошип.kv"));
    }

    void message_showsTitleTextAndIcon_data()
    {
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("boxIcon");
        QTest::newRow("critical") << int(MessageIcon::Critical) << int(QMessageBox::Critical);
        QTest::newRow("information") << int(MessageIcon::Information) << int(QMessageBox::Information);
        QTest::newRow("question") << int(MessageIcon::Question) << int(QMessageBox::Question);
        QTest::newRow("warning") << int(MessageIcon::Warning) << int(QMessageBox::Warning);
    }
    void message_showsTitleTextAndIcon()
    {
        QFETCH(int, icon);
        QFETCH(int, boxIcon);
        Session s;
        QtDialogs dialogs(s);
        QString title, text;
        int shownIcon = -1;
        int buttons = 0;
        whenModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            title = box->windowTitle();
            text = box->text();
            shownIcon = int(box->icon());
            buttons = int(box->buttons().size());
            box->button(QMessageBox::Ok)->click();
        });
        dialogs.message(QStringLiteral("Обнаружена ошибка чтения данных!"),
                        QStringLiteral("Ошибка #: 20\r\n<b>не</b> файл"), MessageIcon(icon));
        QCOMPARE(title, QStringLiteral("Обнаружена ошибка чтения данных!"));
        QCOMPARE(text, QStringLiteral("Ошибка #: 20\n<b>не</b> файл"));
        QCOMPARE(shownIcon, boxIcon);
        QCOMPARE(buttons, 1);
    }
};

QTEST_MAIN(FormDialogDiTest)
#include "form_dialog_di_test.moc"
