// The command line's work without the process around it: --check over 1,000 project files (the
// stored descriptions, in turn) and --kv of the largest mechanism the records hold.

#include "files/projectformat.h"
#include "model/session.h"
#include "shell/commandline.h"
#include "tests/support/expectedfiles.h"
#include "tests/support/mechanismbuilder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// What --check does for each file and then for the table, the printing left out.
void BM_Check1000(benchmark::State& state)
{
    QTemporaryDir dir;
    const QDir data(QStringLiteral(ZUVRACK_DESCRIPTIONS));
    QList<QByteArray> projects;
    for (const QString& listing : data.entryList({QStringLiteral("*.zvr.txt")})) {
        QString error;
        projects << encodeZvrListing(data.filePath(listing), &error);
    }
    QStringList files;
    for (int i = 0; i < 1000 && !projects.isEmpty(); ++i) {
        files << dir.filePath(QStringLiteral("student%1.zvr").arg(i));
        if (!writeBytes(files.last(), projects[i % projects.size()]))
            return state.SkipWithError("the project files were not written");
    }
    for (auto _ : state) {
        QList<ProjectCheck> rows;
        for (const QString& file : files)
            rows << checkProject(file);
        const QStringList table = checkTable(rows, false);
        if (table.size() != 1001 || !rows.last().damage.isEmpty())
            state.SkipWithError("a project was not read");
        benchmark::DoNotOptimize(table.constData());
    }
    state.counters["files"] = double(files.size());
}

// --kv of one project: read and checked, compiled, converted, written and committed to disk.
void BM_KvLargest(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString project = dir.filePath(QStringLiteral("largest.zvr"));
    const Session largest = mechanism(QStringLiteral("@largest"));
    if (!writeBytes(project, projectFileBytes(largest, nullptr).value_or(QByteArray())))
        return state.SkipWithError("the project file was not written");
    CommandLine kv;
    kv.mode = CommandLine::Mode::Kv;
    kv.files = {project};
    kv.outputFolder = dir.filePath(QStringLiteral("kv"));
    for (auto _ : state)
        if (runCommandLine(kv) != kExitOk)
            state.SkipWithError("the analysis file was not written");
    state.counters["zvr_bytes"] = double(QFileInfo(project).size());
    state.counters["kv_bytes"] = double(QFileInfo(dir.filePath(QStringLiteral("kv/largest.kv"))).size());
}

// The reading part of that: the project file read and checked into the records.
void BM_ReadLargest(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString project = dir.filePath(QStringLiteral("largest.zvr"));
    if (!writeBytes(project, projectFileBytes(mechanism(QStringLiteral("@largest")), nullptr).value_or(QByteArray())))
        return state.SkipWithError("the project file was not written");
    auto session = std::make_unique<Session>();
    QString reason;
    for (auto _ : state)
        if (!readProjectFile(project, *session, &reason))
            state.SkipWithError("the project was not read");
}

} // namespace

BENCHMARK(BM_Check1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KvLargest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadLargest)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
