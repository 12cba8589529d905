// Start-up of the game against a bare Qt Widgets window: from exec to the first painted frame,
// and the peak resident memory, over many runs of each, taken in turns. Both programs carry
// the first-paint watcher (first_paint.cpp). Run it on an X display.
// Goals: the game's median start-up at most 1.5 times the bare window's, its median peak
// memory at most 1.25 times.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "statistics.h"

namespace {

using bench::median;

struct Sample {
    double applicationMs;  // exec to the QApplication's constructor
    double frameMs;        // exec to the first painted frame
    double peakMiB;
};

long long monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

std::string besideMe(const char* name) {
    std::string self(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", self.data(), self.size());
    self.resize(length > 0 ? std::size_t(length) : 0);
    return self.substr(0, self.rfind('/') + 1) + name;
}

// One run: fork, exec and read what the watcher writes; nothing when the run fails.
std::optional<Sample> runOnce(const std::string& program) {
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) return std::nullopt;
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDERR_FILENO);
        // The parent is single-threaded, so setenv is safe here.
        setenv("KESTRUNE_BENCH_EXEC_NS", std::to_string(monotonicNs()).c_str(), 1);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    std::string text;
    char buffer[256];
    pollfd ready{out[0], POLLIN, 0};
    // A program that never paints is stopped after ten seconds.
    while (poll(&ready, 1, 10'000) > 0) {
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0) break;
        text.append(buffer, std::size_t(n));
    }
    close(out[0]);
    kill(child, SIGKILL);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);

    long long application = -1;
    long long frame = -1;
    std::sscanf(text.c_str(), "application %lld frame %lld", &application, &frame);
    if (application < 0 || frame < 0) {
        std::fprintf(stderr, "startup: %s wrote \"%s\", status %d\n", program.c_str(), text.c_str(),
                     status);
        return std::nullopt;
    }
    return Sample{double(application) / 1e6, double(frame) / 1e6, double(usage.ru_maxrss) / 1024};
}

struct Figures {
    double applicationMs, frameMs, frameMinMs, frameMaxMs, peakMiB;
};

Figures summary(const std::vector<Sample>& samples) {
    std::vector<double> application, frame, peak;
    for (const Sample& s : samples) {
        application.push_back(s.applicationMs);
        frame.push_back(s.frameMs);
        peak.push_back(s.peakMiB);
    }
    return {median(application), median(frame), *std::min_element(frame.begin(), frame.end()),
            *std::max_element(frame.begin(), frame.end()), median(peak)};
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 21;
    const std::string programs[2] = {besideMe("bare_window"), besideMe("startup_game")};
    const char* names[2] = {"bare window (baseline)", "kestrune"};
    std::vector<Sample> samples[2];
    // One run of each first, uncounted, so that both start from a warm page cache.
    for (const std::string& program : programs) runOnce(program);
    for (int run = 0; run < runs; ++run) {
        for (int p = 0; p < 2; ++p) {
            const auto sample = runOnce(programs[p]);
            if (!sample) {
                std::fprintf(stderr, "startup: %s did not paint\n", programs[p].c_str());
                return 1;
            }
            samples[p].push_back(*sample);
        }
    }
    const Figures bare = summary(samples[0]);
    const Figures game = summary(samples[1]);
    std::printf(
        "| program | runs | exec to QApplication | exec to first frame (median) | min | max | "
        "peak RSS (median) |\n|---|---|---|---|---|---|---|\n");
    for (int p = 0; p < 2; ++p) {
        const Figures& f = p == 0 ? bare : game;
        std::printf("| %s | %d | %.1f ms | %.1f ms | %.1f ms | %.1f ms | %.1f MiB |\n", names[p],
                    runs, f.applicationMs, f.frameMs, f.frameMinMs, f.frameMaxMs, f.peakMiB);
    }
    std::printf("| ratio game / bare | | | %.2f (goal <= 1.50) | | | %.2f (goal <= 1.25) |\n",
                game.frameMs / bare.frameMs, game.peakMiB / bare.peakMiB);
}
