#include "camera/Camera.h"

#include <QString>

namespace {

void check(const ServerStatus& status, const char* operation) {
    if (status.ok)
        return;
    std::string text = toUtf8(status.description);
    if (text.empty())
        text = std::string("The camera server reported a failure in ") + operation + ".";
    throw CameraServerError(text);
}

} // namespace

std::string toUtf8(const std::wstring& text) {
    return QString::fromStdWString(text).toStdString();
}

std::wstring fromUtf8(const std::string& text) {
    return QString::fromStdString(text).toStdWString();
}

std::vector<std::wstring> Camera::GetDeviceList() {
    std::vector<std::wstring> list;
    check(server_->GetDeviceList(list), "GetDeviceList");
    return list;
}

void Camera::SetAveraging(const std::wstring& name, std::int32_t count) {
    check(server_->SetAveraging(name, count), "SetAveraging");
}

void Camera::SetIntegrationTime(const std::wstring& name, std::int32_t milliseconds) {
    check(server_->SetIntegrationTime(name, milliseconds), "SetIntegrationTime");
}

void Camera::SetMode(const std::wstring& name, std::int32_t code) {
    check(server_->SetMode(name, code), "SetMode");
}

void Camera::Measure(const std::wstring& name) {
    check(server_->Measure(name), "Measure");
}

CountArray Camera::ReadData(const std::wstring& name) {
    CountArray data;
    check(server_->ReadData(name, 0, data), "ReadData");
    return data;
}

Camera::Opened Camera::OpenDevice(const std::wstring& name) {
    Opened opened;
    check(server_->OpenDevice(name, opened.resolution, opened.pixelCount, opened.clock),
          "OpenDevice");
    return opened;
}

void Camera::CloseDevice(const std::wstring& name) {
    check(server_->CloseDevice(name), "CloseDevice");
}

std::wstring Camera::SendCommand(const std::wstring& name, const std::wstring& command) {
    std::wstring reply;
    check(server_->SendCommand(name, command, reply), "SendCommand");
    return reply;
}
