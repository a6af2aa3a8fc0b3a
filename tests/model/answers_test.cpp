#include "model/answers.h"
#include "tests/support/scripteddialogs.h"
#include "model/session.h"
#include "tests/support/testtable.h"

#include <QTest>

#include <memory>

class AnswersTest : public QObject {
    Q_OBJECT
private slots:
    void checkAnswer_data()
    {
        QTest::addColumn<QStringList>("row");
        for (const QStringList& row : dataRows("answers.txt"))
            QTest::addRow("mode %s [%s]", qPrintable(row[0]), qPrintable(row.value(1))) << row;
    }
    // Accepted answers come back unchanged; rejected ones as "/E" with exactly the box expected.
    void checkAnswer()
    {
        QFETCH(QStringList, row);
        const QString answer = row.value(1), outcome = row.value(2);
        auto s = std::make_unique<Session>();
        s->NewMechanism();
        s->WizardState = 14;
        s->ParaCount = 1;
        s->Paras[1].Name = QStringLiteral("P1");
        s->Paras[2].Name = QStringLiteral("Q1");
        s->ZvenoCount = 2;
        s->Zvenos[1].DPCount = 1;
        s->Zvenos[1].DP[1].Name = QStringLiteral("F1");
        s->Zvenos[1].DP[2].Name = QStringLiteral("Q2");
        s->Zvenos[2].TwafzCount = 1;
        s->Zvenos[2].TwafzName[1] = QStringLiteral("T1");
        s->Zvenos[2].CM = QStringLiteral("C1");
        s->Zvenos[3].CM = QStringLiteral("Q3");
        ScriptedDialogs d(*s);
        if (outcome == QStringLiteral("14") || outcome == QStringLiteral("18"))
            d.expectError(qint16(outcome.toInt()), QString(), answer);
        const QString expected = outcome == QStringLiteral("ok") ? answer : outcome == QStringLiteral("empty") ? QString() : kRejected;
        QCOMPARE(CheckAnswer(*s, d, answer, qint16(row[0].toInt())), expected);
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
        // Names are remembered for error 18 even when refused; other kinds leave the word alone.
        QCOMPARE(s->ReservedWord, row[0] == QStringLiteral("3") ? answer : QString());
    }

    void checkAnswer_emptyNameAcceptedOnlyInState4()
    {
        Session s;
        s.NewMechanism();
        ScriptedDialogs d(s);
        s.WizardState = 4;
        QCOMPARE(CheckAnswer(s, d, QString(), kModeName), QString());
        QCOMPARE(CheckAnswer(s, d, QStringLiteral(" "), kModeName), kRejected);
        s.WizardState = 72;
        QCOMPARE(CheckAnswer(s, d, QString(), kModeName), kRejected);
        QVERIFY(d.problems().isEmpty());
    }

    void numbers_data()
    {
        QTest::addColumn<QStringList>("row");
        for (const QStringList& row : dataRows("numbers.txt"))
            QTest::addRow("[%s]", qPrintable(row[0])) << row;
    }
    // The number-text test, its value whatever the locale, and the 23-character layout.
    void numbers()
    {
        QFETCH(QStringList, row);
        const QString text = row[0];
        const bool number = row[1] == QStringLiteral("y");
        QCOMPARE(isNumberText(text), number);
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        const auto value = numberValue(text);
        QLocale::setDefault(QLocale::c());
        QCOMPARE(value.has_value(), number);
        if (number)
            QCOMPARE(*value, row[2].toDouble());
        const QString before = text;
        QCOMPARE(ToKvNumber(text), row[3]);
        QCOMPARE(text, before);
    }

    void zeros()
    {
        QCOMPARE(Zeros(-3), QString());
        QCOMPARE(Zeros(0), QString());
        QCOMPARE(Zeros(14), QStringLiteral("00000000000000"));
    }
};

QTEST_GUILESS_MAIN(AnswersTest)
#include "answers_test.moc"
