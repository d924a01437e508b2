#include "tests/support/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <stdexcept>

extern char** environ;

namespace tricala::test {

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args, bool pipeStdin) {
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    int in[2] = {-1, -1};
    if (pipeStdin && ::pipe2(in, O_CLOEXEC) != 0) {
        ::close(out[0]);
        ::close(out[1]);
        throw std::runtime_error("pipe failed");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    if (pipeStdin) posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const int rc = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    // The child holds its own copies; ours would keep the pipes from ending.
    ::close(out[1]);
    if (pipeStdin) ::close(in[0]);
    out_ = out[0];
    in_ = in[1];
    if (rc != 0) {
        ::close(out_);
        if (in_ >= 0) ::close(in_);
        throw std::runtime_error("cannot start " + program);
    }
}

ChildProcess::~ChildProcess() {
    CloseStdin();
    if (!waited_) {
        Kill(SIGKILL);
        Wait();
    }
    ::close(out_);
}

ChildProcess::Read ChildProcess::NextLine(std::string* line, const Clock::time_point* deadline) {
    while (true) {
        if (const size_t newline = buffer_.find('\n'); newline != std::string::npos) {
            *line = buffer_.substr(0, newline);
            buffer_.erase(0, newline + 1);
            return Read::Line;
        }
        int timeoutMs = -1;
        if (deadline) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(*deadline - Clock::now());
            if (left.count() <= 0) return Read::Timeout;
            timeoutMs = static_cast<int>(std::min<long long>(left.count(), INT_MAX));
        }
        pollfd waitFor{out_, POLLIN, 0};
        const int ready = ::poll(&waitFor, 1, timeoutMs);
        if (ready < 0 && errno == EINTR) continue;
        if (ready == 0) return Read::Timeout;
        char chunk[4096];
        const ssize_t n = ::read(out_, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return Read::End;
        buffer_.append(chunk, static_cast<size_t>(n));
    }
}

bool ChildProcess::ReadLine(std::string* line) {
    if (NextLine(line, nullptr) == Read::Line) return true;
    if (buffer_.empty()) return false;
    *line = std::move(buffer_);
    buffer_.clear();
    return true;
}

ChildProcess::Read ChildProcess::ReadLine(std::string* line, Clock::time_point deadline) {
    return NextLine(line, &deadline);
}

std::vector<std::string> ChildProcess::DrainLines() {
    Wait();
    std::vector<std::string> lines;
    std::string line;
    // The child is gone: the pipe ends at once, the deadline only bounds a
    // grandchild that might hold it open.
    while (ReadLine(&line, Clock::now() + std::chrono::seconds(5)) == Read::Line) lines.push_back(line);
    return lines;
}

void ChildProcess::CloseStdin() {
    if (in_ >= 0) ::close(in_);
    in_ = -1;
}

void ChildProcess::Kill(int signal) {
    // Once reaped, the pid may belong to another process.
    if (!waited_) ::kill(pid_, signal);
}

int ChildProcess::Wait() {
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
