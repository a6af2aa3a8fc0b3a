// The wizard fuzz driver with fixed pseudo-random answer sequences, so every test run (and the
// sanitizer run) walks the same thousands of odd paths through the wizard.
#include "tests/wizardfuzz/wizarddriver.h"

#include <QRandomGenerator>
#include <QTest>

class WizardRandomTest : public QObject {
    Q_OBJECT
private slots:
    void randomSessions_keepRecordsConsistent_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("length");
        for (quint32 seed = 1; seed <= 40; ++seed)
            QTest::addRow("seed %u", seed) << seed << int(200 + seed * 50);
    }
    void randomSessions_keepRecordsConsistent()
    {
        QFETCH(quint32, seed);
        QFETCH(int, length);
        // Mostly typed answers, so that runs get deep into the stages; now and then a command.
        QRandomGenerator random(seed);
        QByteArray bytes;
        while (bytes.size() < length)
            bytes.append(char(random.bounded(100) < 85 ? 5 + random.bounded(11) : random.bounded(5))).append(char(random.bounded(256)));
        QCOMPARE(playWizard(bytes), QString());
    }
};

QTEST_GUILESS_MAIN(WizardRandomTest)
#include "wizardrandom_test.moc"
