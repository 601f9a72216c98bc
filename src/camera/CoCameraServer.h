#pragma once

#include "camera/ICameraServer.h"

#include <memory>
#include <string>

// Creates the camera server by loading a camera-server module at run time: the file named by
// HALVANE_CAMERA_SERVER, else the default module beside the executable, else the one in the
// install library folder relative to the executable, else the one at the configured install path.
// The returned server keeps its module loaded for as long as it lives.
class CoCameraServer {
public:
    // Throws CameraServerModuleError with a reason when no module loads or creates a server.
    static std::unique_ptr<ICameraServer> Create();
    static std::unique_ptr<ICameraServer> CreateFrom(const std::string& modulePath);
};

class CameraServerModuleError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
