#pragma once
// Keeps cursor-moving work from nesting. A pass that lets window messages
// through (size/sum passes, repeated-position finds, the results scan) holds
// one; while it lives, the controls that would start another such handler
// are disabled, and any handler that still gets an event ignores it.

namespace tricala {

class MainWindow;

class ExclusivePass {
public:
    explicit ExclusivePass(MainWindow& w);
    ~ExclusivePass();
    ExclusivePass(const ExclusivePass&) = delete;
    ExclusivePass& operator=(const ExclusivePass&) = delete;

    // False when another pass was already running: the caller must return.
    explicit operator bool() const { return owner_; }

private:
    MainWindow& w_;
    bool owner_;
};

// True while a pass runs: handlers that move the cursor return at once.
bool PassRunning(const MainWindow& w);

}  // namespace tricala
