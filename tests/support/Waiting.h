#pragma once

#include <QTest>

#include <condition_variable>
#include <functional>
#include <mutex>

// Qt's own wait, with a limit generous enough for a sanitized build on a busy machine.
inline bool waitUntil(const std::function<bool()>& condition) {
    return QTest::qWaitFor(condition, 20000);
}

// Holds the camera thread inside a call until the test opens it.
class Gate {
public:
    void close() {
        std::lock_guard lock(mutex_);
        open_ = false;
    }
    void open() {
        {
            std::lock_guard lock(mutex_);
            open_ = true;
        }
        changed_.notify_all();
    }
    void pass() {
        std::unique_lock lock(mutex_);
        ++waiting_;
        changed_.wait(lock, [this] { return open_; });
        --waiting_;
    }
    bool someoneWaiting() {
        std::lock_guard lock(mutex_);
        return waiting_ > 0;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool open_ = true;
    int waiting_ = 0;
};
