#include "SimulatorFixture.h"

#include "camera/CameraServerModule.h"
#include "camera/CoCameraServer.h"

#include <dlfcn.h>

namespace {

const char* const ModulePath = HALVANE_BIN_DIR "/halvane-camera-server.so";

} // namespace

using SimulatorModuleTest = SimulatorFixture;

TEST_F(SimulatorModuleTest, ExportsTheVersionAndFactory) {
    void* handle = dlopen(ModulePath, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
    auto version = reinterpret_cast<HalvaneCameraServerVersionFunction>(
        dlsym(handle, HALVANE_CAMERA_SERVER_VERSION_SYMBOL));
    auto factory = reinterpret_cast<HalvaneCameraServerFactoryFunction>(
        dlsym(handle, HALVANE_CAMERA_SERVER_FACTORY_SYMBOL));
    ASSERT_NE(version, nullptr);
    ASSERT_NE(factory, nullptr);
    EXPECT_EQ(version(), HalvaneCameraServerInterfaceVersion);
    ICameraServer* server = factory();
    ASSERT_NE(server, nullptr);
    std::vector<std::wstring> list;
    EXPECT_TRUE(server->GetDeviceList(list).ok);
    EXPECT_EQ(list, std::vector<std::wstring>{L"Halvane Simulator"});
    delete server;
    dlclose(handle);
}

TEST_F(SimulatorModuleTest, LoadedModuleMeasuresWithTheEnvironmentSettings) {
    set("HALVANE_SIM_DEVICES", "TESTPORT,Bench");
    set("HALVANE_SIM_PIXELS", "128");
    set("HALVANE_SIM_BITS", "14");
    set("HALVANE_SIM_FAIL", "SetMode:2");
    const std::unique_ptr<ICameraServer> server = CoCameraServer::CreateFrom(ModulePath);
    std::vector<std::wstring> list;
    ASSERT_TRUE(server->GetDeviceList(list).ok);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0], L"TESTPORT");
    std::int32_t resolution = 0, pixels = 0, clock = 0;
    ASSERT_TRUE(server->OpenDevice(L"TESTPORT", resolution, pixels, clock).ok);
    EXPECT_EQ(resolution, 14);
    EXPECT_EQ(pixels, 128);
    EXPECT_TRUE(server->SetMode(L"TESTPORT", 1).ok);
    EXPECT_EQ(server->SetMode(L"TESTPORT", 1).description, L"Simulated failure of SetMode");
    ASSERT_TRUE(server->SetAveraging(L"TESTPORT", 2).ok);
    ASSERT_TRUE(server->Measure(L"TESTPORT").ok);
    CountArray block;
    ASSERT_TRUE(server->ReadData(L"TESTPORT", 0, block).ok);
    EXPECT_EQ(block.rows(), 2u);
    EXPECT_EQ(block.columns(), 128u);
    EXPECT_TRUE(server->CloseDevice(L"TESTPORT").ok);
}

TEST_F(SimulatorModuleTest, BadEnvironmentIsReportedOnceAndByEveryOperation) {
    set("HALVANE_SIM_LAYOUT", "triple");
    ::testing::internal::CaptureStderr();
    const std::unique_ptr<ICameraServer> server = CoCameraServer::CreateFrom(ModulePath);
    std::vector<std::wstring> list;
    const ServerStatus listed = server->GetDeviceList(list);
    std::int32_t resolution = 0, pixels = 0, clock = 0;
    const ServerStatus opened = server->OpenDevice(L"Halvane Simulator", resolution, pixels, clock);
    const std::string printed = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(printed,
              "halvane-camera-server: HALVANE_SIM_LAYOUT: 'triple' is not one of single, halves, "
              "dual\n");
    EXPECT_FALSE(listed.ok);
    EXPECT_EQ(listed.description,
              L"HALVANE_SIM_LAYOUT: 'triple' is not one of single, halves, dual");
    EXPECT_FALSE(opened.ok);
    EXPECT_EQ(opened.description, listed.description);
}
