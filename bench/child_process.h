#pragma once

// Starts a helper program of the benchmarks and watches it: the time from
// the start to the first line it prints (its "ready" marker), the line
// itself, and its peak resident memory once it has ended.

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

extern char **environ;

struct ChildRun
{
    double secondsToMarker = 0;
    std::string marker;  // the first line the child printed, without its end
    long peakKiB = 0;    // the child's peak resident memory (VmHWM)
    int exitStatus = -1; // as waitpid gives it
};

// The folder of the running executable: helpers are built beside it.
inline std::filesystem::path ownFolder()
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path();
}

inline ChildRun runChild(const std::filesystem::path &program, const std::vector<std::string> &args)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        throw std::runtime_error("pipe failed");

    std::vector<std::string> argvText{program.string()};
    argvText.insert(argvText.end(), args.begin(), args.end());
    std::vector<char *> argv;
    for (std::string &arg : argvText)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    // The platform's warnings would only clutter the report.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeFds[1]);

    ChildRun run;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (spawned != 0) {
        ::close(pipeFds[0]);
        throw std::runtime_error("cannot start " + program.string());
    }

    // Everything up to the first line end is the marker.
    char c = 0;
    while (::read(pipeFds[0], &c, 1) == 1 && c != '\n')
        run.marker += c;
    run.secondsToMarker
            = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    // The rest of the output is not needed, but the child must not block on
    // a full pipe.
    char rest[4096];
    while (::read(pipeFds[0], rest, sizeof rest) > 0) {
    }
    ::close(pipeFds[0]);

    int status = 0;
    struct rusage usage
    {};
    ::wait4(pid, &status, 0, &usage);
    run.exitStatus = status;
    run.peakKiB = usage.ru_maxrss; // KiB on Linux
    return run;
}
