#include "answers.h"
#include "scripteddialogs.h"
#include "session.h"

#include <QTest>

// What CheckAnswer should do with one answer: accept it, reject it silently, or reject it with a box.
enum Outcome { Accepted, Silent, Error14, Error18 };
Q_DECLARE_METATYPE(Outcome)

class AnswersTest : public QObject {
    Q_OBJECT
private:
    static void expectOutcome(Session& s, const QString& answer, int mode, Outcome outcome)
    {
        ScriptedDialogs d(s);
        if (outcome == Error14)
            d.expectError(14);
        if (outcome == Error18)
            d.expectError(18, QString(), answer);
        const QString result = CheckAnswer(s, d, answer, qint16(mode));
        QCOMPARE(result, outcome == Accepted ? answer : QStringLiteral("/E"));
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
    }

    // A mechanism in which the names P1, F1, T1 and C1 are taken by a pair, a point, an
    // additional pair and a centre of mass.
    static void fillNames(Session& s)
    {
        s.NewMechanism();
        s.ParaCount = 1;
        s.Paras[1].Name = QStringLiteral("P1");
        s.ZvenoCount = 2;
        s.Zvenos[1].DPCount = 1;
        s.Zvenos[1].DP[1].Name = QStringLiteral("F1");
        s.Zvenos[2].TwafzCount = 1;
        s.Zvenos[2].TwafzName[1] = QStringLiteral("T1");
        s.Zvenos[2].CM = QStringLiteral("C1");
        // Beyond the counts: must not be looked at.
        s.Paras[2].Name = QStringLiteral("Q1");
        s.Zvenos[1].DP[2].Name = QStringLiteral("Q2");
        s.Zvenos[3].CM = QStringLiteral("Q3");
    }

private slots:
    void checkAnswer_byMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<Outcome>("outcome");

        QTest::newRow("type R") << 1 << QStringLiteral("R") << Accepted;
        QTest::newRow("type p") << 1 << QStringLiteral("p") << Accepted;
        QTest::newRow("type P") << 1 << QStringLiteral("P") << Accepted;
        QTest::newRow("type r") << 1 << QStringLiteral("r") << Accepted;
        QTest::newRow("type RR") << 1 << QStringLiteral("RR") << Error14;
        QTest::newRow("type x") << 1 << QStringLiteral("x") << Error14;
        QTest::newRow("type cyrillic Р") << 1 << QStringLiteral("Р") << Error14;
        QTest::newRow("type empty") << 1 << QString() << Silent;
        QTest::newRow("type blank") << 1 << QStringLiteral(" ") << Silent;

        QTest::newRow("link 1") << 2 << QStringLiteral("1") << Accepted;
        QTest::newRow("link 12") << 2 << QStringLiteral("12") << Accepted;
        QTest::newRow("link 123") << 2 << QStringLiteral("123") << Error14;
        QTest::newRow("link 1a") << 2 << QStringLiteral("1a") << Error14;
        QTest::newRow("link a1") << 2 << QStringLiteral("a1") << Error14;
        QTest::newRow("link blank") << 2 << QStringLiteral(" ") << Silent;
        QTest::newRow("link empty") << 2 << QString() << Silent;
        QTest::newRow("link two blanks") << 2 << QStringLiteral("  ") << Error14;

        QTest::newRow("name AB") << 3 << QStringLiteral("AB") << Accepted;
        QTest::newRow("name a1") << 3 << QStringLiteral("a1") << Accepted;
        QTest::newRow("name 7") << 3 << QStringLiteral("7") << Accepted;
        QTest::newRow("name Aж, two characters") << 3 << QStringLiteral("Aж") << Accepted;
        QTest::newRow("name жA") << 3 << QStringLiteral("жA") << Accepted;
        QTest::newRow("name жж") << 3 << QStringLiteral("жж") << Error14;
        QTest::newRow("name ABC") << 3 << QStringLiteral("ABC") << Error14;
        QTest::newRow("name blank") << 3 << QStringLiteral(" ") << Silent;
        QTest::newRow("name empty outside state 4") << 3 << QString() << Silent;
        QTest::newRow("name -_") << 3 << QStringLiteral("-_") << Error14;
        QTest::newRow("name taken by a pair") << 3 << QStringLiteral("P1") << Error18;
        QTest::newRow("name taken by a point") << 3 << QStringLiteral("F1") << Error18;
        QTest::newRow("name taken by an additional pair") << 3 << QStringLiteral("T1") << Error18;
        QTest::newRow("name taken by a centre of mass") << 3 << QStringLiteral("C1") << Error18;
        QTest::newRow("name is case-sensitive") << 3 << QStringLiteral("p1") << Accepted;
        QTest::newRow("pair beyond the count") << 3 << QStringLiteral("Q1") << Accepted;
        QTest::newRow("point beyond the count") << 3 << QStringLiteral("Q2") << Accepted;
        QTest::newRow("link beyond the count") << 3 << QStringLiteral("Q3") << Accepted;

        QTest::newRow("number 12.5") << 4 << QStringLiteral("12.5") << Accepted;
        QTest::newRow("number -3") << 4 << QStringLiteral("-3") << Accepted;
        QTest::newRow("number 0.004") << 4 << QStringLiteral("0.004") << Accepted;
        QTest::newRow("number 1.2.3 is not caught here") << 4 << QStringLiteral("1.2.3") << Accepted;
        QTest::newRow("number lone -") << 4 << QStringLiteral("-") << Accepted;
        QTest::newRow("number long") << 4 << QStringLiteral("12345678901234567890") << Accepted;
        QTest::newRow("number 1e5") << 4 << QStringLiteral("1e5") << Error14;
        QTest::newRow("number 12,5") << 4 << QStringLiteral("12,5") << Error14;
        QTest::newRow("number 3-") << 4 << QStringLiteral("3-") << Error14;
        QTest::newRow("number -1a") << 4 << QStringLiteral("-1a") << Error14;
        QTest::newRow("number  5 with a blank") << 4 << QStringLiteral(" 5") << Error14;
        QTest::newRow("number blank") << 4 << QStringLiteral(" ") << Silent;
        QTest::newRow("number empty") << 4 << QString() << Silent;
    }
    void checkAnswer_byMode()
    {
        QFETCH(int, mode);
        QFETCH(QString, answer);
        QFETCH(Outcome, outcome);
        Session s;
        fillNames(s);
        s.WizardState = 14;
        expectOutcome(s, answer, mode, outcome);
    }

    void checkAnswer_nameSetsReservedWordEvenWhenRejected()
    {
        Session s;
        fillNames(s);
        ScriptedDialogs d(s);
        d.expectError(14);
        QCOMPARE(CheckAnswer(s, d, QStringLiteral("XYZ"), 3), QStringLiteral("/E"));
        QCOMPARE(s.ReservedWord, QStringLiteral("XYZ"));
        QCOMPARE(CheckAnswer(s, d, QStringLiteral("K"), 3), QStringLiteral("K"));
        QCOMPARE(s.ReservedWord, QStringLiteral("K"));
        s.ReservedWord = QStringLiteral("old");
        QCOMPARE(CheckAnswer(s, d, QStringLiteral("5"), 4), QStringLiteral("5"));
        QCOMPARE(s.ReservedWord, QStringLiteral("old"));
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
    }

    void checkAnswer_emptyNameAcceptedOnlyInState4()
    {
        Session s;
        s.NewMechanism();
        s.WizardState = 4;
        expectOutcome(s, QString(), 3, Accepted);
        expectOutcome(s, QStringLiteral(" "), 3, Silent);
        s.WizardState = 72;
        expectOutcome(s, QString(), 3, Silent);
    }

    void checkAnswer_unknownModeReturnsEmptyAndShowsNothing()
    {
        Session s;
        ScriptedDialogs d(s);
        QCOMPARE(CheckAnswer(s, d, QStringLiteral("R"), 0), QString());
        QCOMPARE(CheckAnswer(s, d, QStringLiteral("bad!"), 5), QString());
        QCOMPARE(s.ReservedWord, QString());
        QVERIFY(d.problems().isEmpty());
    }

    void zeros_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("text");
        QTest::newRow("-3") << -3 << QString();
        QTest::newRow("0") << 0 << QString();
        QTest::newRow("1") << 1 << QStringLiteral("0");
        QTest::newRow("14") << 14 << QStringLiteral("00000000000000");
    }
    void zeros()
    {
        QFETCH(int, n);
        QFETCH(QString, text);
        QCOMPARE(Zeros(n), text);
    }

    void numberText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<double>("value");
        QTest::newRow("12.5") << QStringLiteral("12.5") << true << 12.5;
        QTest::newRow("-3") << QStringLiteral("-3") << true << -3.0;
        QTest::newRow(".5") << QStringLiteral(".5") << true << 0.5;
        QTest::newRow("-.5") << QStringLiteral("-.5") << true << -0.5;
        QTest::newRow("5.") << QStringLiteral("5.") << true << 5.0;
        QTest::newRow("007") << QStringLiteral("007") << true << 7.0;
        QTest::newRow("1.2.3") << QStringLiteral("1.2.3") << false << 0.0;
        QTest::newRow("lone point") << QStringLiteral(".") << false << 0.0;
        QTest::newRow("lone minus") << QStringLiteral("-") << false << 0.0;
        QTest::newRow("-.") << QStringLiteral("-.") << false << 0.0;
        QTest::newRow("empty") << QString() << false << 0.0;
        QTest::newRow("comma") << QStringLiteral("1,5") << false << 0.0;
        QTest::newRow("minus inside") << QStringLiteral("1-5") << false << 0.0;
        QTest::newRow("exponent") << QStringLiteral("1e5") << false << 0.0;
    }
    void numberText()
    {
        QFETCH(QString, text);
        QFETCH(bool, isNumber);
        QFETCH(double, value);
        QCOMPARE(isNumberText(text), isNumber);
        const auto v = numberValue(text);
        QCOMPARE(v.has_value(), isNumber);
        if (isNumber)
            QCOMPARE(*v, value);
    }

    void numberValue_ignoresTheSystemLocale()
    {
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        const auto v = numberValue(QStringLiteral("2.25"));
        QLocale::setDefault(saved);
        QVERIFY(v.has_value());
        QCOMPARE(*v, 2.25);
    }
};

QTEST_GUILESS_MAIN(AnswersTest)
#include "answers_test.moc"
