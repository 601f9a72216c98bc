#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The camera server's operations, in the order and with the arguments the program relies on.
// Every operation reports success or the server's own description of the failure; the camera
// layer (Camera) turns a failure into a CameraServerError.

struct ServerStatus {
    bool ok = true;
    std::wstring description;

    static ServerStatus success() { return {}; }
    static ServerStatus failure(std::wstring text) { return {false, std::move(text)}; }
};

// A block of counts that carries its own shape, so that a reply of the wrong shape (one
// dimension, too few rows or columns, empty) is representable and can be detected.
// Values are stored row after row: element [row][column] is values[row * shape[1] + column].
struct CountArray {
    std::vector<std::size_t> shape;
    std::vector<std::int32_t> values;

    std::size_t dimensions() const { return shape.size(); }
    std::size_t rows() const { return shape.size() == 2 ? shape[0] : 0; }
    std::size_t columns() const { return shape.size() == 2 ? shape[1] : 0; }

    static CountArray matrix(std::size_t rows, std::size_t columns) {
        return {{rows, columns}, std::vector<std::int32_t>(rows * columns, 0)};
    }
};

class ICameraServer {
public:
    virtual ~ICameraServer() = default;

    virtual ServerStatus GetDeviceList(std::vector<std::wstring>& list) = 0;
    virtual ServerStatus SetAveraging(const std::wstring& name, std::int32_t count) = 0;
    virtual ServerStatus SetIntegrationTime(const std::wstring& name,
                                            std::int32_t milliseconds) = 0;
    virtual ServerStatus SetMode(const std::wstring& name, std::int32_t code) = 0;
    virtual ServerStatus Measure(const std::wstring& name) = 0;
    virtual ServerStatus ReadData(const std::wstring& name, std::int32_t zero,
                                  CountArray& data) = 0;
    virtual ServerStatus OpenDevice(const std::wstring& name, std::int32_t& resolution,
                                    std::int32_t& pixelCount, std::int32_t& clock) = 0;
    virtual ServerStatus CloseDevice(const std::wstring& name) = 0;
    virtual ServerStatus SendCommand(const std::wstring& name, const std::wstring& command,
                                     std::wstring& reply) = 0;
};
