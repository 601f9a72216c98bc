#pragma once

#include "camera/Camera.h"

#include <QObject>
#include <QThread>

#include <exception>
#include <functional>
#include <memory>
#include <optional>

// Owns the camera server on a thread of its own, so the window never waits for a call. Jobs run
// there one at a time in the order issued; the server is created and destroyed on that thread.
class CameraThread : public QObject {
    Q_OBJECT
public:
    using Factory = std::function<std::unique_ptr<ICameraServer>()>;
    using Job = std::function<void(Camera&)>;
    // Runs on the thread that posted the job, with the job's error or null.
    using Done = std::function<void(std::exception_ptr)>;

    CameraThread();
    ~CameraThread() override;

    // Creates the server on the camera thread; rethrows the factory's error here.
    void create(const Factory& factory);
    bool hasServer() const { return hasServer_; }

    // Runs the job and waits for it: only for the start and exit sequences, when no window is
    // in view. Rethrows the job's error.
    void call(const Job& job);
    template <class Result> Result call(const std::function<Result(Camera&)>& job) {
        std::optional<Result> result;
        call(Job([&](Camera& camera) { result.emplace(job(camera)); }));
        return std::move(*result);
    }

    // Queues the job behind those already issued; done runs afterwards on this object's thread.
    void post(Job job, Done done);

    // Jobs posted and not yet reported back.
    int pending() const { return pending_; }

signals:
    void idle();

private:
    QThread thread_;
    QObject* worker_;
    std::unique_ptr<Camera> camera_;
    bool hasServer_ = false;
    int pending_ = 0;
};
