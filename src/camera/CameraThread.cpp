#include "camera/CameraThread.h"

CameraThread::CameraThread() : worker_(new QObject) {
    thread_.setObjectName("camera");
    worker_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
    thread_.start();
}

CameraThread::~CameraThread() {
    QMetaObject::invokeMethod(
        worker_, [this] { camera_.reset(); }, Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
}

void CameraThread::create(const Factory& factory) {
    std::exception_ptr error;
    QMetaObject::invokeMethod(
        worker_,
        [&] {
            try {
                if (auto server = factory())
                    camera_ = std::make_unique<Camera>(std::move(server));
            } catch (...) {
                error = std::current_exception();
            }
        },
        Qt::BlockingQueuedConnection);
    if (error)
        std::rethrow_exception(error);
    if (!camera_)
        throw CameraServerError("The camera server could not be created.");
    hasServer_ = true;
}

void CameraThread::call(const Job& job) {
    if (!hasServer_)
        throw CameraServerError("No camera server is running.");
    std::exception_ptr error;
    QMetaObject::invokeMethod(
        worker_,
        [&] {
            try {
                job(*camera_);
            } catch (...) {
                error = std::current_exception();
            }
        },
        Qt::BlockingQueuedConnection);
    if (error)
        std::rethrow_exception(error);
}

void CameraThread::post(Job job, Done done) {
    if (!hasServer_) {
        done(std::make_exception_ptr(CameraServerError("No camera server is running.")));
        return;
    }
    ++pending_;
    QMetaObject::invokeMethod(
        worker_,
        [this, job = std::move(job), done = std::move(done)]() mutable {
            std::exception_ptr error;
            try {
                job(*camera_);
            } catch (...) {
                error = std::current_exception();
            }
            QMetaObject::invokeMethod(
                this,
                [this, error, done = std::move(done)] {
                    --pending_;
                    done(error);
                    if (pending_ == 0)
                        emit idle();
                },
                Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}
