#include "camera/CameraServerModule.h"
#include "simulator/SimulatedSpectrometer.h"

#include <cstdio>
#include <new>

// The module's two exported entry points; everything else stays hidden in the module.

extern "C" __attribute__((visibility("default"))) int halvane_camera_server_interface_version() {
    return HalvaneCameraServerInterfaceVersion;
}

extern "C" __attribute__((visibility("default"))) ICameraServer* halvane_create_camera_server() {
    try {
        SimulatorSettings settings = SimulatorSettings::fromEnvironment();
        if (!settings.error.empty())
            std::fprintf(stderr, "halvane-camera-server: %s\n", settings.error.c_str());
        return new SimulatedSpectrometer(std::move(settings));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
