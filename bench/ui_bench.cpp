// The windows at work, timed in a plain loop under a real display:
//   freeedit  the free-edit window for the largest mechanism the records hold: made, placed, its
//             tree built and the window shown and painted; also the tree rebuilt in a shown window.
//   enter     Enter in the wizard's answer box until the next prompt is in lbl_Question and painted,
//             over stage 1 of a four-bar description, many times.
//   resume    an interrupted description resumed from its journal: stage 1 of the longest chain
//             the wizard takes (32 pairs, two link records each: 128 answers), replayed in a shown
//             wizard window and painted; and the same replay through the engine alone.
// Prints the median, the 90th percentile and the largest time of each.

#include "bench/benchclock.h"
#include "bench/benchdialogs.h"
#include "freeedit/ui/freeeditwindow.h"
#include "shell/mainstrip.h"
#include "wizard/ui/wizardwindow.h"
#include "freeedit/mechanismtree.h"
#include "model/session.h"
#include "shell/shell.h"
#include "wizard/wizardengine.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

QString n(int i)
{
    return QString::number(i);
}

// Every array and sub-array filled to its last slot: 64 pairs, 64 link records each with 32
// additional pairs and 32 extra points, 64 groups. No frame is marked, so no link is left out of the
// tree: the largest tree the records can give.
std::unique_ptr<Session> largestMechanism()
{
    auto s = std::make_unique<Session>();
    s->NewMechanism();
    s->GroupCount = 0;
    for (int i = 1; i <= kMaxRecords; ++i) {
        PARA& p = s->Paras[s->addPara()];
        p.Name = QStringLiteral("P") + n(i);
        p.ParaType = i % 3 == 0 ? QStringLiteral("p") : QStringLiteral("r");
        p.Zveno1 = n(i - 1);
        p.Zveno2 = n(i % kMaxRecords);
        p.X = QStringLiteral("0.") + n(i);
        p.Y = QStringLiteral("-1.") + n(i);
        p.XAngle = QStringLiteral("30");
    }
    for (int r = 1; r <= kMaxRecords; ++r) {
        const qint16 i = s->addZveno();
        ZVENO& z = s->Zvenos[i];
        z.Name = n(r - 1);
        z.Para1 = s->Paras[r].Name;
        z.Para1Index = qint16(r);
        z.Para2 = s->Paras[r % kMaxRecords + 1].Name;
        z.Para2Index = qint16(r % kMaxRecords + 1);
        z.ZType = r % 4 == 1 ? QStringLiteral("rp") : QStringLiteral("rr");
        z.ZLength = QStringLiteral("0.125");
        z.OnGuide = QStringLiteral("no");
        z.Perpendicular = QStringLiteral("0.02");
        z.Clockwise = QStringLiteral("y");
        z.CM = QStringLiteral("S") + n(r);
        z.CMLength = QStringLiteral("0.0625");
        z.CMAngle = QStringLiteral("12.5");
        z.Mass = QStringLiteral("2.75");
        z.Moment = QStringLiteral("0.0125");
        z.MomentVn = QStringLiteral("-3.5");
        for (int j = 1; j <= kMaxSubRecords; ++j) {
            const qint16 t = s->addTwafz(i);
            z.TwafzName[t] = QStringLiteral("T") + n(j);
            z.TwafzIndex[t] = n(j);
            z.TwafzLength[t] = QStringLiteral("0.5");
            z.TwafzAngle[t] = QStringLiteral("45");
            DOP_POINT& p = z.DP[s->addPoint(i)];
            p.Name = QStringLiteral("K") + n(j);
            p.Kind = j % 2 ? QStringLiteral("o") : QStringLiteral("f");
            p.Length = QStringLiteral("0.") + n(j);
            p.Angle = n(j * 10);
            p.Force = QStringLiteral("1000");
            p.ForceAngle = QStringLiteral("-90");
        }
    }
    for (int g = 1; g <= kMaxRecords; ++g) {
        GROUP& r = s->Groups[s->addGroup()];
        r.Name = n(g);
        r.Zveno1Index = qint16(g);
        r.Zveno2Index = qint16(g % kMaxRecords + 1);
        r.GType = n(g % 3 + 1);
        r.Clockwise = QStringLiteral("n");
        r.IsSharp = QStringLiteral("y");
    }
    s->FrameIndex = 0;
    s->ForceAnalysis = 6.0f;
    s->MorePoints = 6.0f;
    s->ExtraPairsFlag = 1.0f;
    return s;
}

struct Figures {
    double median = 0;
    double p90 = 0;
    double max = 0;
};

Figures figures(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    if (ms.empty())
        return {};
    const size_t count = ms.size();
    const double med = count % 2 ? ms[count / 2] : (ms[count / 2 - 1] + ms[count / 2]) / 2;
    return {med, ms[std::min(count - 1, count * 9 / 10)], ms.back()};
}

// Wall time, and the CPU time of this thread over the same stretch: on a machine busy with other
// work the wall time grows while the CPU time shows what the program itself spent.
struct Series {
    std::vector<double> wall;
    std::vector<double> cpu;
};

long long threadCpuNs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

class Stopwatch {
public:
    Stopwatch()
        : m_wall(wallNowNs())
        , m_cpu(threadCpuNs())
    {
    }
    void stopInto(Series& series) const
    {
        series.wall.push_back(double(wallNowNs() - m_wall) / 1e6);
        series.cpu.push_back(double(threadCpuNs() - m_cpu) / 1e6);
    }

private:
    long long m_wall;
    long long m_cpu;
};

void print(const char* what, const Series& series, double goalMs)
{
    const Figures f = figures(series.wall);
    const Figures cpu = figures(series.cpu);
    std::printf("%-34s %5zu samples  median %7.3f ms  p90 %7.3f  max %7.3f  (CPU median %7.3f)  goal %s %.0f ms\n",
                what, series.wall.size(), f.median, f.p90, f.max, cpu.median,
                f.median <= goalMs ? "met, under" : "MISSED, over", goalMs);
}

// Processes events until the window is on the screen and everything it posted (its paint first
// of all) has been handled.
bool waitShown(QWidget* window)
{
    QElapsedTimer limit;
    limit.start();
    while (!(window->windowHandle() && window->windowHandle()->isExposed())) {
        if (limit.elapsed() > 5000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    }
    QCoreApplication::processEvents();
    return true;
}

// A stand-in for the main strip, where the shell puts it, on the screen: the working windows are
// placed under it.
struct ShownStrip : QWidget {
    ShownStrip()
    {
        setGeometry(100, 40, 847, 54);
        show();
        waitShown(this);
    }
};

int freeEdit(int runs)
{
    const auto s = largestMechanism();
    BenchDialogs dialogs;
    ShownStrip strip;

    Series built;
    for (int r = 0; r < runs; ++r) {
        const Stopwatch t;
        const QList<TreeNode> nodes = buildMechanismTree(*s);
        t.stopInto(built);
        if (nodes.isEmpty())
            return 1;
    }

    Series opened;
    Series rebuilt;
    int nodes = 0;
    for (int r = 0; r < runs; ++r) {
        const Stopwatch t0;
        auto* window = new FreeEditWindow(*s, dialogs, &strip);
        window->Form_Load();
        if (!waitShown(window)) {
            std::fputs("freeedit: the window never came on the screen\n", stderr);
            return 1;
        }
        t0.stopInto(opened);
        nodes = int(window->nodeItems().size());

        const Stopwatch t1;
        window->reloadTree();
        QCoreApplication::processEvents();
        t1.stopInto(rebuilt);

        delete window;
        QCoreApplication::processEvents();
    }
    std::printf("free-edit tree of the largest mechanism: %d nodes\n", nodes);
    print("nodes from the records (no window)", built, 50);
    print("window made, tree built, shown", opened, 50);
    print("tree rebuilt in the shown window", rebuilt, 50);
    return 0;
}

// The wizard window alone, made and shown under the strip, as the shell opens it: where the
// time between the chooser and the wizard on the screen goes.
int wizardWindow(int runs)
{
    Session session;
    session.DataFolder = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("data"));
    BenchDialogs dialogs;
    ShownStrip strip;
    Series made;
    Series shown;
    for (int r = 0; r < runs; ++r) {
        const Stopwatch t0;
        auto* wizard = new WizardWindow(session, dialogs, &strip);
        wizard->placeBelowStrip();
        t0.stopInto(made);
        const Stopwatch t1;
        if (!waitShown(wizard))
            return 1;
        t1.stopInto(shown);
        delete wizard;
        QCoreApplication::processEvents();
    }
    print("wizard window made and placed", made, 1000);
    print("wizard window then on the screen", shown, 1000);
    return 0;
}

int enter(int runs)
{
    Session session;
    session.DataFolder = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("data"));
    BenchDialogs dialogs;
    answerFourBar(dialogs);
    Shell shell(session, dialogs);
    // Every answer also goes to the journal on the disk, as in the program.
    const QString journals = QDir::temp().filePath(QStringLiteral("zuvrack-bench-journals-%1").arg(QCoreApplication::applicationPid()));
    shell.setJournalFolder(journals);
    shell.start();
    waitShown(shell.mainWindow());
    shell.openWizard(); // the opening question is answered "yes": a new description
    WizardWindow* wizard = shell.wizardWindow();
    if (!wizard || !waitShown(wizard)) {
        std::fputs("enter: the wizard window did not open\n", stderr);
        return 1;
    }
    // Stage 1 only: the chain stops where stage 2 begins, so every round starts afresh.
    wizard->engine().setProcedureRunner([](Stage2Context&, qint16) { return qint16(0); });
    auto* answer = wizard->findChild<QLineEdit*>(QStringLiteral("txt_Answer"));
    auto* question = wizard->findChild<QLabel*>(QStringLiteral("lbl_Question"));
    auto* endStage = wizard->findChild<QPushButton*>(QStringLiteral("btn_EndStage"));

    Series ms;
    int unchanged = 0;
    for (int r = 0; r < runs; ++r) {
        wizard->startNewDescription();
        QCoreApplication::processEvents();
        for (const QString& word : fourBarStageOne()) {
            if (word == QLatin1String("!E")) {
                QTest::mouseClick(endStage, Qt::LeftButton);
                QCoreApplication::processEvents();
                continue;
            }
            QTest::keyClicks(answer, word);
            const QString before = question->text();
            const Stopwatch t0;
            QTest::keyClick(answer, Qt::Key_Return);
            // The prompt is set while the key is handled; the loop then paints it.
            QCoreApplication::processEvents();
            QElapsedTimer limit;
            limit.start();
            while (question->text() == before && limit.elapsed() < 1000)
                QCoreApplication::processEvents();
            if (question->text() == before)
                ++unchanged;
            t0.stopInto(ms);
        }
        if (session.WizardState != 9) {
            std::fprintf(stderr, "enter: stage 1 ended in state %d\n", int(session.WizardState));
            return 1;
        }
    }
    QDir(journals).removeRecursively();
    std::printf("Enter to the next prompt over %d rounds of a four-bar's stage 1 (%d prompts unchanged)\n", runs,
                unchanged);
    print("Enter -> next prompt shown", ms, 5);
    return dialogs.unexpected.isEmpty() && unchanged == 0 ? 0 : 1;
}

// The journal of stage 1 of a chain of 33 links, 0-1-2-...-32, every pair revolute and named in
// two characters at most (A..Z, then A1..F1).
QString chainJournal()
{
    QString text = QStringLiteral("# Журнал описания механизма, начат 06.12.2026 12:00:00\n");
    for (int i = 0; i < 32; ++i) {
        const QString name = QChar(u'A' + i % 26) + (i < 26 ? QString() : QString::number(i / 26));
        text += QStringLiteral("> r\n> %1\n> %2\n> %3\n").arg(i).arg(i + 1).arg(name);
    }
    return text;
}

int resume(int runs)
{
    Session session;
    session.DataFolder = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("data"));
    BenchDialogs dialogs;
    const QString path = QDir::temp().filePath(QStringLiteral("zuvrack-bench-%1.journal").arg(QCoreApplication::applicationPid()));
    const auto writeJournal = [&] {
        QFile file(path);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(chainJournal().toUtf8()) > 0;
    };
    ShownStrip strip;
    Series window;
    Series engine;
    for (int r = 0; r < runs; ++r) {
        if (!writeJournal())
            return 1;
        auto* wizard = new WizardWindow(session, dialogs, &strip);
        wizard->placeBelowStrip();
        waitShown(wizard);
        const Stopwatch t0;
        const bool resumed = wizard->resume(path);
        QCoreApplication::processEvents();
        t0.stopInto(window);
        if (!resumed || session.ParaCount != 32) {
            std::fprintf(stderr, "resume: %d pairs after the replay\n", int(session.ParaCount));
            return 1;
        }
        delete wizard;
        if (!writeJournal())
            return 1;
        WizardEngine alone(session, dialogs);
        const Stopwatch t1;
        alone.resume(path);
        t1.stopInto(engine);
    }
    QFile::remove(path);
    std::printf("An interrupted description of 128 answers (32 pairs) resumed, %d times\n", runs);
    print("replayed in the shown wizard window", window, 1000);
    print("replayed through the engine alone", engine, 1000);
    return dialogs.unexpected.isEmpty() ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const char* what = argc > 1 ? argv[1] : "";
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 30;
    if (std::strcmp(what, "freeedit") == 0)
        return freeEdit(runs);
    if (std::strcmp(what, "enter") == 0)
        return enter(runs);
    if (std::strcmp(what, "wizard") == 0)
        return wizardWindow(runs);
    if (std::strcmp(what, "resume") == 0)
        return resume(runs);
    std::fputs("usage: ui_bench freeedit|enter|wizard|resume [RUNS]\n", stderr);
    return 2;
}
