#pragma once

#include "camera/ICameraServer.h"

#include <QString>

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

// A camera server that records every call ("SetMode(Dev,1)") and answers from its settings.
// Calls arrive on the camera thread, the test reads on its own: the log is guarded.
class FakeCameraServer : public ICameraServer {
public:
    struct Shared {
        std::mutex mutex;
        std::vector<std::string> calls;
        std::vector<std::wstring> devices{L"FakeSpec"};
        std::int32_t resolution = 16;
        std::int32_t pixelCount = 8;
        std::int32_t clock = 5;
        // Operation name -> failure text; "Measure#2" fails only the 2nd Measure call.
        std::map<std::string, std::wstring> failures;
        std::map<std::string, int> counts;
        std::function<CountArray(std::int32_t averaging, std::int32_t pixels)> data;
        std::wstring temperatureReply = L"812 905 1013 ";
        // Called inside Measure, on the camera thread: lets a test hold a cycle in flight.
        std::function<void()> onMeasure;
        // Called inside SetMode with its code, on the camera thread.
        std::function<void(std::int32_t code)> onSetMode;
        std::int32_t averaging = 1;

        std::vector<std::string> log() {
            std::lock_guard lock(mutex);
            return calls;
        }
        void clearLog() {
            std::lock_guard lock(mutex);
            calls.clear();
        }
    };

    explicit FakeCameraServer(std::shared_ptr<Shared> shared) : s_(std::move(shared)) {}

    ServerStatus GetDeviceList(std::vector<std::wstring>& list) override {
        if (auto f = record("GetDeviceList", ""))
            return *f;
        list = s_->devices;
        return ServerStatus::success();
    }
    ServerStatus SetAveraging(const std::wstring& name, std::int32_t count) override {
        if (auto f = record("SetAveraging", args(name, count)))
            return *f;
        s_->averaging = count;
        return ServerStatus::success();
    }
    ServerStatus SetIntegrationTime(const std::wstring& name, std::int32_t ms) override {
        return result(record("SetIntegrationTime", args(name, ms)));
    }
    ServerStatus SetMode(const std::wstring& name, std::int32_t code) override {
        auto f = record("SetMode", args(name, code));
        if (s_->onSetMode)
            s_->onSetMode(code);
        return result(f);
    }
    ServerStatus Measure(const std::wstring& name) override {
        auto f = record("Measure", narrow(name));
        if (s_->onMeasure)
            s_->onMeasure();
        return result(f);
    }
    ServerStatus ReadData(const std::wstring& name, std::int32_t zero, CountArray& data) override {
        if (auto f = record("ReadData", args(name, zero)))
            return *f;
        if (s_->data) {
            data = s_->data(s_->averaging, s_->pixelCount);
        } else {
            data = CountArray::matrix(s_->averaging, s_->pixelCount);
            for (std::size_t i = 0; i < data.values.size(); ++i)
                data.values[i] = static_cast<std::int32_t>(100 + i % s_->pixelCount);
        }
        return ServerStatus::success();
    }
    ServerStatus OpenDevice(const std::wstring& name, std::int32_t& resolution,
                            std::int32_t& pixelCount, std::int32_t& clock) override {
        if (auto f = record("OpenDevice", narrow(name)))
            return *f;
        resolution = s_->resolution;
        pixelCount = s_->pixelCount;
        clock = s_->clock;
        return ServerStatus::success();
    }
    ServerStatus CloseDevice(const std::wstring& name) override {
        return result(record("CloseDevice", narrow(name)));
    }
    ServerStatus SendCommand(const std::wstring& name, const std::wstring& command,
                             std::wstring& reply) override {
        if (auto f = record("SendCommand", narrow(name) + "," + narrow(command)))
            return *f;
        reply = s_->temperatureReply;
        return ServerStatus::success();
    }

private:
    static std::string narrow(const std::wstring& text) {
        return QString::fromStdWString(text).toStdString();
    }
    static std::string args(const std::wstring& name, std::int32_t value) {
        return narrow(name) + "," + std::to_string(value);
    }
    static ServerStatus result(const std::optional<ServerStatus>& failure) {
        return failure ? *failure : ServerStatus::success();
    }
    std::optional<ServerStatus> record(const std::string& op, const std::string& arguments) {
        std::lock_guard lock(s_->mutex);
        s_->calls.push_back(op + "(" + arguments + ")");
        int n = ++s_->counts[op];
        for (const auto& key : {op, op + "#" + std::to_string(n)}) {
            if (auto it = s_->failures.find(key); it != s_->failures.end())
                return ServerStatus::failure(it->second);
        }
        return std::nullopt;
    }

    std::shared_ptr<Shared> s_;
};
