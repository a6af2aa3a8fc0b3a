// Starts programs one after another, RUNS times each, interleaved so that a busy moment of the
// machine falls on all of them alike. The clock starts just before the program is spawned; each
// program prints "<mark> <CLOCK_REALTIME ns>" lines, and the harness turns them into milliseconds
// since its start. The peak resident set comes from wait4() when the program has ended.
//
//   startup_harness RUNS LABEL=PROGRAM[,ARG] ...
//
// The first program is the yardstick: every mark is also given as a ratio to its "main" mark, and
// every peak resident set as a ratio to its peak.

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

long long wallNowNs()
{
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

struct Program {
    std::string label;
    std::vector<std::string> argv;
    std::map<std::string, std::vector<double>> marksMs;
    std::vector<double> maxRssKiB;
    std::vector<double> cpuMs; // user and system time of the whole run
    int failures = 0;
};

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// One run: true when the program ended with status 0.
bool runOnce(Program& p, bool record)
{
    int out[2];
    if (pipe(out) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::vector<char*> args;
    for (std::string& a : p.argv)
        args.push_back(a.data());
    args.push_back(nullptr);

    pid_t pid = 0;
    const long long start = wallNowNs();
    const int spawned = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        std::fprintf(stderr, "%s: cannot start %s\n", p.label.c_str(), args[0]);
        return false;
    }
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, size_t(n));
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const bool ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!ok) {
        ++p.failures;
        std::fprintf(stderr, "%s: ended with status %d\n", p.label.c_str(), status);
    }
    if (!record || !ok)
        return ok;
    std::istringstream lines(text);
    std::string mark;
    long long ns = 0;
    while (lines >> mark >> ns)
        p.marksMs[mark].push_back(double(ns - start) / 1e6);
    p.maxRssKiB.push_back(double(usage.ru_maxrss));
    const auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    p.cpuMs.push_back(ms(usage.ru_utime) + ms(usage.ru_stime));
    return ok;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fputs("usage: startup_harness RUNS LABEL=PROGRAM[,ARG]... (the first is the yardstick)\n", stderr);
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    std::vector<Program> programs;
    for (int i = 2; i < argc; ++i) {
        const std::string entry = argv[i];
        const size_t eq = entry.find('=');
        if (eq == std::string::npos) {
            std::fprintf(stderr, "not LABEL=PROGRAM: %s\n", entry.c_str());
            return 2;
        }
        Program p;
        p.label = entry.substr(0, eq);
        std::istringstream parts(entry.substr(eq + 1));
        for (std::string part; std::getline(parts, part, ',');)
            p.argv.push_back(part);
        programs.push_back(p);
    }

    // One unrecorded run each: the libraries come into the page cache.
    for (Program& p : programs)
        runOnce(p, false);
    for (Program& p : programs)
        p.failures = 0;
    for (int r = 0; r < runs; ++r)
        for (Program& p : programs)
            runOnce(p, true);

    const Program& base = programs.front();
    const double baseMs = median(base.marksMs.count("main") ? base.marksMs.at("main") : std::vector<double>{});
    const double baseRss = median(base.maxRssKiB);
    std::printf("%d runs each; medians (min..max); ratios to %s\n\n", runs, base.label.c_str());
    std::printf("%-10s %-10s %10s %19s %7s\n", "program", "mark", "ms", "range ms", "ratio");
    for (const Program& p : programs)
        for (const auto& [mark, values] : p.marksMs) {
            const double m = median(values);
            std::printf("%-10s %-10s %10.1f %8.1f..%-8.1f %7.2f\n", p.label.c_str(), mark.c_str(), m,
                        *std::min_element(values.begin(), values.end()),
                        *std::max_element(values.begin(), values.end()), baseMs > 0 ? m / baseMs : 0);
        }
    const double baseCpu = median(base.cpuMs);
    std::printf("\n%-10s %14s %7s %14s %7s %9s\n", "program", "peak RSS KiB", "ratio", "CPU ms (run)", "ratio",
                "failures");
    bool failed = false;
    for (const Program& p : programs) {
        const double m = median(p.maxRssKiB);
        const double cpu = median(p.cpuMs);
        std::printf("%-10s %14.0f %7.2f %14.1f %7.2f %9d\n", p.label.c_str(), m, baseRss > 0 ? m / baseRss : 0, cpu,
                    baseCpu > 0 ? cpu / baseCpu : 0, p.failures);
        failed = failed || p.failures > 0;
    }
    return failed ? 1 : 0;
}
