#include "camera/CoCameraServer.h"

#include "camera/CameraServerModule.h"

#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <unistd.h>

namespace {

// Forwards every call to the module's server and unloads the module after the server is gone.
class ModuleServer final : public ICameraServer {
public:
    ModuleServer(void* handle, ICameraServer* server) : handle_(handle), server_(server) {}
    ~ModuleServer() override {
        delete server_;
        dlclose(handle_);
    }
    ModuleServer(const ModuleServer&) = delete;
    ModuleServer& operator=(const ModuleServer&) = delete;

    ServerStatus GetDeviceList(std::vector<std::wstring>& list) override {
        return server_->GetDeviceList(list);
    }
    ServerStatus SetAveraging(const std::wstring& name, std::int32_t count) override {
        return server_->SetAveraging(name, count);
    }
    ServerStatus SetIntegrationTime(const std::wstring& name, std::int32_t ms) override {
        return server_->SetIntegrationTime(name, ms);
    }
    ServerStatus SetMode(const std::wstring& name, std::int32_t code) override {
        return server_->SetMode(name, code);
    }
    ServerStatus Measure(const std::wstring& name) override { return server_->Measure(name); }
    ServerStatus ReadData(const std::wstring& name, std::int32_t zero, CountArray& data) override {
        return server_->ReadData(name, zero, data);
    }
    ServerStatus OpenDevice(const std::wstring& name, std::int32_t& resolution,
                            std::int32_t& pixelCount, std::int32_t& clock) override {
        return server_->OpenDevice(name, resolution, pixelCount, clock);
    }
    ServerStatus CloseDevice(const std::wstring& name) override {
        return server_->CloseDevice(name);
    }
    ServerStatus SendCommand(const std::wstring& name, const std::wstring& command,
                             std::wstring& reply) override {
        return server_->SendCommand(name, command, reply);
    }

private:
    void* handle_;
    ICameraServer* server_;
};

std::filesystem::path executableFolder() {
    std::error_code error;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path{} : exe.parent_path();
}

std::string dlText() {
    const char* text = dlerror();
    return text ? text : "unknown error";
}

} // namespace

std::unique_ptr<ICameraServer> CoCameraServer::Create() {
    if (const char* chosen = std::getenv("HALVANE_CAMERA_SERVER"); chosen && *chosen)
        return CreateFrom(chosen);
    const std::filesystem::path programFolder = executableFolder();
    const std::filesystem::path folders[] = {
        programFolder,
        (programFolder / HALVANE_MODULE_FROM_BINDIR).lexically_normal(),
        HALVANE_INSTALL_LIBDIR,
    };
    for (const auto& folder : folders) {
        if (std::filesystem::exists(folder / HalvaneCameraServerModuleName))
            return CreateFrom((folder / HalvaneCameraServerModuleName).string());
    }
    throw CameraServerModuleError(std::string("no camera-server module ") +
                                  HalvaneCameraServerModuleName + " in " + folders[0].string() +
                                  ", " + folders[1].string() + " or " + folders[2].string());
}

std::unique_ptr<ICameraServer> CoCameraServer::CreateFrom(const std::string& modulePath) {
    void* handle = dlopen(modulePath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        throw CameraServerModuleError("cannot load " + modulePath + ": " + dlText());
    auto version = reinterpret_cast<HalvaneCameraServerVersionFunction>(
        dlsym(handle, HALVANE_CAMERA_SERVER_VERSION_SYMBOL));
    auto factory = reinterpret_cast<HalvaneCameraServerFactoryFunction>(
        dlsym(handle, HALVANE_CAMERA_SERVER_FACTORY_SYMBOL));
    auto refuse = [&](const std::string& why) {
        dlclose(handle);
        throw CameraServerModuleError(modulePath + ": " + why);
    };
    if (!version || !factory)
        refuse("not a camera-server module (missing " HALVANE_CAMERA_SERVER_VERSION_SYMBOL
               " or " HALVANE_CAMERA_SERVER_FACTORY_SYMBOL ")");
    if (int found = version(); found != HalvaneCameraServerInterfaceVersion)
        refuse("interface version " + std::to_string(found) + ", this program needs version " +
               std::to_string(HalvaneCameraServerInterfaceVersion));
    ICameraServer* server = factory();
    if (!server)
        refuse("the module could not create its camera server");
    return std::make_unique<ModuleServer>(handle, server);
}
