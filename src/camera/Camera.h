#pragma once

#include "camera/CameraServerError.h"
#include "camera/ICameraServer.h"

#include <memory>
#include <string>
#include <vector>

// The one boundary where a server's failure status becomes an exception. Every call after the
// device list passes the device name first.
class Camera {
public:
    explicit Camera(std::unique_ptr<ICameraServer> server) : server_(std::move(server)) {}

    std::vector<std::wstring> GetDeviceList();
    void SetAveraging(const std::wstring& name, std::int32_t count);
    void SetIntegrationTime(const std::wstring& name, std::int32_t milliseconds);
    void SetMode(const std::wstring& name, std::int32_t code);
    void Measure(const std::wstring& name);
    CountArray ReadData(const std::wstring& name);
    struct Opened {
        std::int32_t resolution = 0;
        std::int32_t pixelCount = 0;
        std::int32_t clock = 0;
    };
    Opened OpenDevice(const std::wstring& name);
    void CloseDevice(const std::wstring& name);
    std::wstring SendCommand(const std::wstring& name, const std::wstring& command);

private:
    std::unique_ptr<ICameraServer> server_;
};

std::string toUtf8(const std::wstring& text);
std::wstring fromUtf8(const std::string& text);
