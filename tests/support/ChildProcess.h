#pragma once
// A child process started from a program file, its stdout on a pipe read
// line by line, its stdin optionally on a pipe the test can close. The test
// may read without a deadline, or against one so it can kill the child at a
// chosen moment instead of waiting on its output.

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace tricala::test {

class ChildProcess {
public:
    using Clock = std::chrono::steady_clock;

    // Throws when the pipes cannot be made or the program cannot start.
    ChildProcess(const std::string& program, const std::vector<std::string>& args, bool pipeStdin = false);
    ~ChildProcess();  // closes stdin, then kills and reaps a child still running
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Blocks for the next line (without its newline); false once the child
    // closed its stdout. Text after the last newline still counts as a line.
    bool ReadLine(std::string* line);

    enum class Read { Line, Timeout, End };
    // The next complete line (without its newline), or Timeout when none has
    // come by `deadline`, or End when the child closed its stdout. Text after
    // the last newline is never a line here: a kill may have cut it.
    Read ReadLine(std::string* line, Clock::time_point deadline);
    // Waits for the child, then gives every complete line still in the pipe.
    std::vector<std::string> DrainLines();

    // Lets a child that reads stdin to its end go on; no-op without a pipe.
    void CloseStdin();
    void Kill(int signal);
    // Waits for the child: its exit code, or 128 + the signal that ended it.
    int Wait();
    pid_t pid() const { return pid_; }

private:
    // The next complete line; `deadline` null waits as long as it takes.
    Read NextLine(std::string* line, const Clock::time_point* deadline);

    pid_t pid_ = -1;
    int out_ = -1;
    int in_ = -1;
    std::string buffer_;
    bool waited_ = false;
    int status_ = 0;
};

}  // namespace tricala::test
