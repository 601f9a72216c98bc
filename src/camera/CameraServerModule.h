#pragma once

#include "camera/ICameraServer.h"

// The contract between the program and a camera-server module (a shared library loaded at run
// time). A module exports the interface version it was built against and one factory function;
// the loader refuses a module whose version differs from its own.

#define HALVANE_CAMERA_SERVER_VERSION_SYMBOL "halvane_camera_server_interface_version"
#define HALVANE_CAMERA_SERVER_FACTORY_SYMBOL "halvane_create_camera_server"

inline constexpr int HalvaneCameraServerInterfaceVersion = 1;

// The module file the program looks for beside itself, then in the install library folder.
inline constexpr const char* HalvaneCameraServerModuleName = "halvane-camera-server.so";

extern "C" {
using HalvaneCameraServerVersionFunction = int (*)();
// Returns a new server owned by the caller, or null when the server cannot be created.
using HalvaneCameraServerFactoryFunction = ICameraServer* (*)();
}
