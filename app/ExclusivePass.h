#pragma once
// Keeps cursor-moving work from nesting. A pass that lets window messages
// through (size/sum passes, repeated-position finds, the results update)
// holds one; while it lives, every handler that would move the store's
// cursor ignores its event, and the busy cursor shows why.

namespace tricala {

class MainWindow;

class ExclusivePass {
public:
    // Controls: also disable the controls that start such handlers, for
    // work long enough that the player should see them locked (the update
    // may wait seconds for the network). A filter pass is over in a few
    // milliseconds, where greying the window would only cost a repaint.
    enum class Lock { EventsOnly, Controls };

    explicit ExclusivePass(MainWindow& w, Lock lock = Lock::EventsOnly);
    ~ExclusivePass();
    ExclusivePass(const ExclusivePass&) = delete;
    ExclusivePass& operator=(const ExclusivePass&) = delete;

    // False when another pass was already running: the caller must return.
    explicit operator bool() const { return owner_; }

private:
    MainWindow& w_;
    bool owner_;
    bool lockControls_;
};

// True while a pass runs: handlers that move the cursor return at once.
bool PassRunning(const MainWindow& w);

}  // namespace tricala
