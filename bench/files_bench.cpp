// The output files for the largest mechanism the records hold: 32 pairs, their 64 link records,
// 32 extra points on every link record, 30 additional pairs on the frame and 31 groups.

#include "files/codepage.h"
#include "model/dialogs.h"
#include "files/kvcompiler.h"
#include "files/projectfile.h"
#include "files/projectformat.h"
#include "model/session.h"
#include "files/writefile.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

// Nothing should be asked while the benchmark runs; a question or a message means a fault.
class SilentDialogs : public Dialogs {
public:
    QString askQuestion(const QString&, float, const QString&, QPoint) override { std::abort(); }
    void message(const QString&, const QString&, MessageIcon) override { std::abort(); }
    int yesNoBox(const QString&, const QString&) override { std::abort(); }
    FileChoice saveFile(const QString&) override { std::abort(); }
    FileChoice openFile(const QString&) override { std::abort(); }
};

QString n(int i)
{
    return QString::number(i);
}

std::unique_ptr<Session> largestMechanism()
{
    auto s = std::make_unique<Session>();
    s->NewMechanism();
    s->GroupCount = 0;
    // A chain: pair i joins link i-1 and link i; link 0 is the frame.
    for (int i = 1; i <= 32; ++i) {
        PARA& p = s->Paras[s->addPara()];
        p.Name = QStringLiteral("P") + n(i % 10);
        p.ParaType = i % 3 == 0 ? QStringLiteral("p") : QStringLiteral("r");
        p.Zveno1 = n(i - 1);
        p.Zveno2 = n(i % 32);
        p.X = QStringLiteral("0.") + n(i);
        p.Y = QStringLiteral("-1.") + n(i);
        p.XAngle = QStringLiteral("30");
    }
    for (int r = 1; r <= 64; ++r) {
        const qint16 i = s->addZveno();
        ZVENO& z = s->Zvenos[i];
        z.Name = n((r - 1) / 2);
        z.Mark = r % 2 == 0 ? QStringLiteral("c") : QString();
        z.IsFrame = r == 1 ? 1.0f : 0.0f;
        z.IsDriving = r == 3 ? 1.0f : 0.0f;
        z.ZType = r % 4 == 1 ? QStringLiteral("rr") : QStringLiteral("rp");
        z.ZLength = QStringLiteral("0.125");
        z.Perpendicular = r % 8 == 5 ? QStringLiteral("0.02") : QStringLiteral("/n");
        z.Clockwise = QStringLiteral("y");
        z.CM = QStringLiteral("S") + n(r % 10);
        z.CMLength = QStringLiteral("0.0625");
        z.CMAngle = QStringLiteral("12.5");
        z.Mass = QStringLiteral("2.75");
        z.Moment = QStringLiteral("0.0125");
        z.MomentVn = QStringLiteral("-3.5");
        z.TwafzCount = 0;
        for (int j = 1; j <= 32; ++j) {
            DOP_POINT& p = z.DP[s->addPoint(i)];
            p.Name = QStringLiteral("K") + n(j % 10);
            p.Kind = j % 2 ? QStringLiteral("o") : QStringLiteral("f");
            p.Length = QStringLiteral("0.") + n(j);
            p.Angle = n(j * 10);
            p.Force = QStringLiteral("1000");
            p.ForceAngle = QStringLiteral("-90");
        }
    }
    for (int j = 1; j <= 30; ++j) {
        ZVENO& frame = s->Zvenos[1];
        const qint16 t = s->addTwafz(1);
        frame.TwafzName[t] = QStringLiteral("P") + n(j % 10);
        frame.TwafzIndex[t] = n(j + 2);
        frame.TwafzLength[t] = QStringLiteral("0.5");
        frame.TwafzAngle[t] = QStringLiteral("45");
    }
    for (int g = 1; g <= 31; ++g) {
        GROUP& r = s->Groups[s->addGroup()];
        r.Name = n(g);
        r.Zveno1Index = qint16(2 * g + 1 <= 64 ? 2 * g + 1 : 63);
        r.Zveno2Index = qint16(2 * g + 3 <= 64 ? 2 * g + 3 : 63);
        r.GType = n(g % 3 + 1);
        r.Clockwise = QStringLiteral("n");
        r.IsSharp = QStringLiteral("y");
    }
    s->FrameIndex = 1;
    s->ForceAnalysis = 6.0f;
    s->MorePoints = 6.0f;
    s->ExtraPairsFlag = 1.0f;
    return s;
}

void BM_Compile(benchmark::State& state)
{
    const auto s = largestMechanism();
    qsizetype lines = 0;
    for (auto _ : state) {
        const KvListing listing = compileKv(*s);
        lines = listing.lines.size();
        benchmark::DoNotOptimize(lines);
    }
    state.counters["lines"] = double(lines);
}

void BM_KvBytes(benchmark::State& state)
{
    const auto s = largestMechanism();
    const QStringList lines = compileKv(*s).lines;
    for (auto _ : state) {
        const QByteArray bytes = kvFileBytes(lines);
        benchmark::DoNotOptimize(bytes.constData());
    }
}

void BM_ProjectBytes(benchmark::State& state)
{
    const auto s = largestMechanism();
    qsizetype size = 0;
    for (auto _ : state) {
        const auto bytes = projectFileBytes(*s, nullptr);
        size = bytes->size();
        benchmark::DoNotOptimize(size);
    }
    state.counters["bytes"] = double(size);
}

// The whole save: compile, convert, and both files written and committed to disk.
void BM_WriteFile(benchmark::State& state)
{
    QTemporaryDir dir;
    auto s = largestMechanism();
    s->DataFolder = dir.path();
    SilentDialogs dialogs;
    for (auto _ : state) {
        if (!WriteFile(*s, dialogs, nullptr, dir.path(), QStringLiteral("largest.kv")))
            state.SkipWithError("the files were not written");
    }
}

// Loading the project file back, reading it from disk included.
void BM_LoadFile(benchmark::State& state)
{
    QTemporaryDir dir;
    auto written = largestMechanism();
    written->DataFolder = dir.path();
    SilentDialogs dialogs;
    if (!WriteFile(*written, dialogs, nullptr, dir.path(), QStringLiteral("largest.kv"))) {
        state.SkipWithError("the files were not written");
        return;
    }
    auto s = std::make_unique<Session>();
    s->DataFolder = dir.path();
    for (auto _ : state) {
        if (LoadFile(*s, dialogs, QString(), QStringLiteral("largest.kv")) != LoadResult::Loaded)
            state.SkipWithError("the project was not loaded");
    }
}

} // namespace

BENCHMARK(BM_Compile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KvBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProjectBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFile)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
