#include "tests/reliability/WorkerProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

extern char** environ;

namespace tricala::test {

WorkerProcess::WorkerProcess(const std::string& program, const std::vector<std::string>& args) {
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const int rc = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    out_ = out[0];
    if (rc != 0) {
        ::close(out_);
        throw std::runtime_error("cannot start " + program);
    }
}

WorkerProcess::~WorkerProcess() {
    Kill(SIGKILL);
    Wait();
    ::close(out_);
}

WorkerProcess::Read WorkerProcess::ReadLine(std::string* line, Clock::time_point deadline) {
    while (true) {
        if (const size_t newline = buffer_.find('\n'); newline != std::string::npos) {
            *line = buffer_.substr(0, newline);
            buffer_.erase(0, newline + 1);
            return Read::Line;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) return Read::Timeout;
        pollfd waitFor{out_, POLLIN, 0};
        const int ready = ::poll(&waitFor, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready == 0) return Read::Timeout;
        char chunk[4096];
        const ssize_t n = ::read(out_, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return Read::End;
        buffer_.append(chunk, static_cast<size_t>(n));
    }
}

std::vector<std::string> WorkerProcess::DrainLines() {
    Wait();
    std::vector<std::string> lines;
    std::string line;
    // The child is gone: the pipe ends at once, the deadline only bounds a
    // grandchild that might hold it open.
    while (ReadLine(&line, Clock::now() + std::chrono::seconds(5)) == Read::Line) lines.push_back(line);
    // A line without its newline was cut by the kill: not a report.
    return lines;
}

void WorkerProcess::Kill(int signal) {
    if (!waited_) ::kill(pid_, signal);
}

int WorkerProcess::Wait() {
    if (!waited_) {
        while (::waitpid(pid_, &status_, 0) < 0 && errno == EINTR) {
        }
        waited_ = true;
    }
    if (WIFEXITED(status_)) return WEXITSTATUS(status_);
    if (WIFSIGNALED(status_)) return 128 + WTERMSIG(status_);
    return -1;
}

}  // namespace tricala::test
