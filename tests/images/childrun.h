#pragma once

// Runs a converter on bytes in its own process and reports what the process cost: CPU time and
// peak resident memory as the kernel counted them for that one child.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testrun {

struct ChildCost {
    int exitStatus = -1; // -1 when the child did not exit normally
    int signal = 0;      // the signal that ended it, if one did
    double cpuSeconds = 0;
    std::uint64_t peakRssBytes = 0;
};

// Far above anything a converter needs here: only a hang trips it, as SIGXCPU (or SIGKILL).
constexpr rlim_t kCpuSecondsHangCatcher = 10;

// The converter reads a temporary copy of `bytes` and writes its picture to /dev/null, so the
// figures are the decoder's and the conversion's, not the disk's.
inline ChildCost runConverter(const std::string& tool, const std::vector<std::uint8_t>& bytes) {
    const auto input = std::filesystem::temp_directory_path() /
                       ("zarvick-resource-" + std::to_string(::getpid()) + ".bin");
    std::ofstream(input, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    ChildCost cost;
    const pid_t pid = ::fork();
    if (pid == 0) {
        const rlimit cpu{kCpuSecondsHangCatcher, kCpuSecondsHangCatcher + 1};
        ::setrlimit(RLIMIT_CPU, &cpu);
        const int quiet = ::open("/dev/null", O_WRONLY);
        ::dup2(quiet, STDERR_FILENO);
        ::execl(tool.c_str(), tool.c_str(), input.c_str(), "/dev/null",
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    if (pid > 0 && ::wait4(pid, &status, 0, &usage) == pid) {
        if (WIFEXITED(status))
            cost.exitStatus = WEXITSTATUS(status);
        if (WIFSIGNALED(status))
            cost.signal = WTERMSIG(status);
        cost.cpuSeconds = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                          double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
        cost.peakRssBytes = std::uint64_t(usage.ru_maxrss) * 1024; // ru_maxrss is in KiB
    }
    std::filesystem::remove(input);
    return cost;
}

// Slack over the returned picture that a run may use: code, libraries, tables, one row.
constexpr std::uint64_t kSlackBytes = std::uint64_t{64} << 20;

// Keeps the largest figures of a family of runs, to print once the family is done.
struct Worst {
    double cpuSeconds = 0;
    std::uint64_t rssOverPicture = 0;
    int runs = 0;
    void add(const ChildCost& cost, std::uint64_t pictureBytes) {
        ++runs;
        cpuSeconds = std::max(cpuSeconds, cost.cpuSeconds);
        if (cost.peakRssBytes > pictureBytes)
            rssOverPicture = std::max(rssOverPicture, cost.peakRssBytes - pictureBytes);
    }
    void print(const char* family) const {
        std::printf("%s: %d runs, slowest %.3f s CPU, peak RSS at most %.1f MiB over the picture\n",
                    family, runs, cpuSeconds, double(rssOverPicture) / (1 << 20));
    }
};

} // namespace testrun
