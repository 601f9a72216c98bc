#pragma once

#include <stdexcept>
#include <string>

// The one error a failing camera-server operation becomes; it carries the server's text.
class CameraServerError : public std::runtime_error {
public:
    explicit CameraServerError(const std::string& description) : std::runtime_error(description) {}
};
