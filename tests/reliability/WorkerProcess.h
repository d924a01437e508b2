#pragma once
// A child process whose stdout lines are read against a deadline, so the
// test can kill it at a chosen moment instead of waiting on its output.

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace tricala::test {

class WorkerProcess {
public:
    using Clock = std::chrono::steady_clock;

    WorkerProcess(const std::string& program, const std::vector<std::string>& args);
    ~WorkerProcess();  // kills and reaps a child still running
    WorkerProcess(const WorkerProcess&) = delete;
    WorkerProcess& operator=(const WorkerProcess&) = delete;

    enum class Read { Line, Timeout, End };
    // The next complete line (without its newline), or Timeout when none has
    // come by `deadline`, or End when the child closed its stdout.
    Read ReadLine(std::string* line, Clock::time_point deadline);
    // Every line still in the pipe once the child is gone.
    std::vector<std::string> DrainLines();

    void Kill(int signal);
    // Waits for the child: its exit code, or 128 + the signal that ended it.
    int Wait();

private:
    pid_t pid_ = -1;
    int out_ = -1;
    std::string buffer_;
    bool waited_ = false;
    int status_ = 0;
};

}  // namespace tricala::test
