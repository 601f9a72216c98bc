#include "camera/CameraServerModule.h"

extern "C" __attribute__((visibility("default"))) int halvane_camera_server_interface_version() {
    return HalvaneCameraServerInterfaceVersion;
}
extern "C" __attribute__((visibility("default"))) ICameraServer* halvane_create_camera_server() {
    return nullptr;
}
