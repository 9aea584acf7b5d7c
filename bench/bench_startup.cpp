// Start-up of the whole program against a bare Qt program, both run as whole
// processes, interleaved, on the platform of the environment (offscreen, or
// the X server in DISPLAY). For each pair it takes from exec to:
//   splash    the program's first window painted (the splash)
//   chooser   the chooser painted, its seven archive windows built (the splash
//             is clicked as soon as it is painted)
//   bare      the bare program's label painted
// and the peak resident memory of the program with every archive window shown
// against the bare program's. Prints min/median/max and the median of the
// ratios of each pair. Asserts nothing.
//
// Usage: bench_startup LEXORIA BARE [PAIRS] [LABEL]

#include "corpus/archives.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <map>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

long long monotonicNs()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

struct Run {
    std::map<std::string, double> ms; // window -> ms from exec
    long hwmKb = -1;
    bool ok = false;
};

// Runs `program` with the probe's variables added to the environment and
// collects what it reports.
Run run(const std::string& program, const std::vector<std::string>& probeVariables)
{
    Run r;
    int fds[2];
    if (::pipe(fds) != 0)
        return r;
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (std::string(*e).rfind("LEXORIA_BENCH_", 0) != 0)
            env.emplace_back(*e);
    env.push_back("LEXORIA_BENCH_FD=" + std::to_string(fds[1]));
    env.insert(env.end(), probeVariables.begin(), probeVariables.end());
    std::vector<char*> envp;
    for (std::string& s : env)
        envp.push_back(s.data());
    envp.push_back(nullptr);
    std::string arg0 = program;
    char* argv[] = {arg0.data(), nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    pid_t pid = 0;
    const long long start = monotonicNs();
    const int failed = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    if (failed) {
        ::close(fds[0]);
        return r;
    }
    std::string text;
    char buffer[512];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, size_t(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);

    size_t at = 0;
    while (at < text.size()) {
        const size_t end = text.find('\n', at);
        const std::string line = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
        at = end == std::string::npos ? text.size() : end + 1;
        const size_t space = line.find(' ');
        if (space == std::string::npos)
            continue;
        const std::string key = line.substr(0, space);
        const long long value = std::atoll(line.c_str() + space + 1);
        if (key == "hwm") {
            r.hwmKb = long(value);
            r.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        } else if (!r.ms.count(key)) {
            r.ms[key] = double(value - start) / 1e6;
        }
    }
    return r;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void row(const char* label, const char* what, const std::vector<double>& v, const char* unit,
         const std::vector<double>& ratios)
{
    if (v.empty())
        return;
    std::printf("| %s | %s | %.1f | %.1f | %.1f %s | %s |\n", label, what, *std::min_element(v.begin(), v.end()),
                median(v), *std::max_element(v.begin(), v.end()), unit,
                ratios.empty() ? "" : (std::to_string(median(ratios)).substr(0, 4) + " x").c_str());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_startup LEXORIA BARE [PAIRS] [LABEL]\n");
        return 2;
    }
    const std::string program = argv[1], bare = argv[2];
    const int pairs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 15;
    const char* label = argc > 4 ? argv[4] : "start-up";
    std::string archives;
    for (const corpus::ArchiveInfo& a : corpus::archives())
        archives += (archives.empty() ? "" : ",") + a.name.toStdString();

    std::vector<double> splash, chooser, bareMs, splashRatio, chooserRatio, rss, bareRss, rssDelta;
    run(bare, {}); // warm the page cache for both before anything is counted
    run(program, {"LEXORIA_BENCH_CLICK=1", "LEXORIA_BENCH_UNTIL=scelta"});
    for (int i = 0; i < pairs; ++i) {
        // The three runs of a pair in turning order, so each follows each of
        // the others equally often (a run can leave work behind it: a sound
        // server closing a stream, pages to reclaim).
        Run b, s, c;
        const std::function<void()> runs[3] = {
            [&] { b = run(bare, {}); },
            [&] { s = run(program, {}); },
            [&] { c = run(program, {"LEXORIA_BENCH_CLICK=1", "LEXORIA_BENCH_UNTIL=scelta", "LEXORIA_BENCH_SHOW=" + archives}); },
        };
        for (int k = 0; k < 3; ++k)
            runs[(i + k) % 3]();
        if (!b.ok || !s.ok || !c.ok || !b.ms.count("QLabel") || !s.ms.count("frmSplash") || !c.ms.count("scelta")) {
            std::fprintf(stderr, "pair %d: a run reported nothing (bare %d, splash %d, chooser %d)\n", i, b.ok, s.ok, c.ok);
            continue;
        }
        const double base = b.ms["QLabel"];
        bareMs.push_back(base);
        splash.push_back(s.ms["frmSplash"]);
        chooser.push_back(c.ms["scelta"]);
        splashRatio.push_back(s.ms["frmSplash"] / base);
        chooserRatio.push_back(c.ms["scelta"] / base);
        rss.push_back(c.hwmKb / 1024.0);
        bareRss.push_back(b.hwmKb / 1024.0);
        rssDelta.push_back((c.hwmKb - b.hwmKb) / 1024.0);
    }
    std::printf("| %s (%zu pairs) | measure | min | median | max | paired ratio |\n|---|---|---|---|---|---|\n", label,
                bareMs.size());
    row(label, "bare Qt label painted", bareMs, "ms", {});
    row(label, "splash painted", splash, "ms", splashRatio);
    row(label, "chooser painted, 7 archives built", chooser, "ms", chooserRatio);
    row(label, "peak RSS, bare label", bareRss, "MiB", {});
    row(label, "peak RSS, all archive windows shown", rss, "MiB", {});
    row(label, "peak RSS above bare", rssDelta, "MiB", {});
    return bareMs.empty() ? 1 : 0;
}
