// Time from start to the first graph: the program started as a new process on
// the offscreen platform (as the window starts: the decimal-separator check,
// the main window loaded from its settings and shown, Plot pressed; this
// program run again with --program, linked as the window is) against
// empty_window, a Qt Widgets program that shows an empty window. Each child
// tells the moment its event loop first runs (the graph is drawn before it,
// the window shown) through a pipe; the parent times each from the fork,
// alternating the two, and prints the medians and their ratio.
//   startup_bench [RUNS]   (21 by default)
// The children run with a settings folder of their own, made empty for each run.

#include <QApplication>
#include <QWidget>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "startupsignal.h"

#include "app/startup.h"

namespace {

// The window's start-up, telling the parent when its event loop first runs.
int program(int argc, char** argv)
{
    QApplication application(argc, argv);
    signalWhenRunning();
    tessaly::app::ProgramSeams seams;
    seams.decimalSeparator = QStringLiteral(".");
    return tessaly::app::runProgram(argc, argv, seams);
}

// Starts one child (the program given, with its arguments); returns the seconds
// until it told.
double timeChild(const std::vector<std::string>& command, const std::string& home)
{
    int fds[2];
    if (pipe(fds) != 0)
        std::exit(2);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        setenv("TESSALY_STARTUP_FD", std::to_string(fds[1]).c_str(), 1);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
        setenv("XDG_RUNTIME_DIR", home.c_str(), 1);
        if (const int quiet = open("/dev/null", O_WRONLY); quiet >= 0)
            dup2(quiet, 2);  // Qt's notes on the offscreen platform
        std::vector<char*> args;
        for (const std::string& a : command)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        std::_Exit(5);
    }
    close(fds[1]);
    char done = 0;
    const bool told = read(fds[0], &done, 1) == 1;
    const auto end = std::chrono::steady_clock::now();
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!told)
        std::exit(4);
    return std::chrono::duration<double>(end - start).count();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::string(argv[1]) == "--program")
        return program(1, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    char self[4096];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0)
        return 2;
    self[length] = 0;
    const std::vector<std::string> window = {self, "--program"}, empty = {TESSALY_EMPTY_WINDOW};
    char folder[] = "/tmp/tessaly-startup-XXXXXX";
    if (!mkdtemp(folder))
        return 2;
    const std::string home = folder;
    std::vector<double> emptyTimes, firstTimes;
    timeChild(empty, home);  // warm the caches of the fonts and libraries
    timeChild(window, home);
    for (int i = 0; i < runs; ++i) {
        std::system(("rm -rf '" + home + "/config'").c_str());  // no settings: the start-up defaults
        emptyTimes.push_back(timeChild(empty, home));
        std::system(("rm -rf '" + home + "/config'").c_str());
        firstTimes.push_back(timeChild(window, home));
    }
    std::system(("rm -rf '" + home + "'").c_str());
    const double e = median(emptyTimes) * 1e3, f = median(firstTimes) * 1e3;
    std::printf("empty window %.1f ms, first graph %.1f ms, ratio %.2f (median of %d runs each)\n", e, f, f / e, runs);
    return 0;
}
