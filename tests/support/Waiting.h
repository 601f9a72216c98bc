#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <condition_variable>
#include <functional>
#include <mutex>

// Lets events run until the condition holds or a generous limit passes; returns the condition.
inline bool waitUntil(const std::function<bool()>& condition, int limitMs = 20000) {
    QElapsedTimer clock;
    clock.start();
    while (!condition() && clock.elapsed() < limitMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return condition();
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
