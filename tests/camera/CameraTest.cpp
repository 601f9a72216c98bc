#include "camera/Camera.h"
#include "camera/CameraThread.h"
#include "camera/CoCameraServer.h"
#include "support/FakeCameraServer.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>

namespace {

QCoreApplication& app() {
    static int argc = 1;
    static char name[] = "test_camera";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt's own objects may be gone before static destructors run.
    static QCoreApplication* instance = new QCoreApplication(argc, argv);
    return *instance;
}

struct CameraFixture : ::testing::Test {
    std::shared_ptr<FakeCameraServer::Shared> shared = std::make_shared<FakeCameraServer::Shared>();
    std::unique_ptr<ICameraServer> makeServer() {
        return std::make_unique<FakeCameraServer>(shared);
    }
};

} // namespace

TEST_F(CameraFixture, FailureStatusBecomesCameraServerErrorWithServerText) {
    shared->failures["Measure"] = L"Lamp übertemperatur";
    Camera camera(makeServer());
    try {
        camera.Measure(L"FakeSpec");
        FAIL() << "no error";
    } catch (const CameraServerError& error) {
        EXPECT_STREQ(error.what(), "Lamp übertemperatur");
    }
}

TEST_F(CameraFixture, FailureWithoutTextStillNamesTheOperation) {
    shared->failures["SetMode"] = L"";
    Camera camera(makeServer());
    EXPECT_THROW(
        {
            try {
                camera.SetMode(L"FakeSpec", 1);
            } catch (const CameraServerError& e) {
                EXPECT_NE(std::string(e.what()).find("SetMode"), std::string::npos);
                throw;
            }
        },
        CameraServerError);
}

TEST_F(CameraFixture, OperationsPassTheirArgumentsInOrder) {
    Camera camera(makeServer());
    auto devices = camera.GetDeviceList();
    ASSERT_EQ(devices.size(), 1u);
    auto opened = camera.OpenDevice(devices[0]);
    EXPECT_EQ(opened.resolution, 16);
    EXPECT_EQ(opened.pixelCount, 8);
    EXPECT_EQ(opened.clock, 5);
    camera.SetAveraging(L"FakeSpec", 3);
    EXPECT_EQ(camera.ReadData(L"FakeSpec").shape, (std::vector<std::size_t>{3, 8}));
    EXPECT_EQ(camera.SendCommand(L"FakeSpec", L"J"), L"812 905 1013 ");
    EXPECT_EQ(shared->log(),
              (std::vector<std::string>{"GetDeviceList()", "OpenDevice(FakeSpec)",
                                        "SetAveraging(FakeSpec,3)", "ReadData(FakeSpec,0)",
                                        "SendCommand(FakeSpec,J)"}));
}

TEST_F(CameraFixture, ThreadRunsPostedJobsInOrderOffTheCallingThread) {
    app();
    CameraThread thread;
    thread.create([this] { return makeServer(); });
    std::vector<int> done;
    Qt::HANDLE caller = QThread::currentThreadId();
    Qt::HANDLE worker = nullptr;
    for (int i = 0; i < 3; ++i) {
        thread.post(
            [&, i](Camera& camera) {
                worker = QThread::currentThreadId();
                camera.SetMode(L"FakeSpec", i);
            },
            [&, i](std::exception_ptr error) {
                EXPECT_FALSE(error);
                EXPECT_EQ(QThread::currentThreadId(), caller);
                done.push_back(i);
            });
    }
    EXPECT_EQ(thread.pending(), 3);
    QEventLoop loop;
    QObject::connect(&thread, &CameraThread::idle, &loop, &QEventLoop::quit);
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(done, (std::vector<int>{0, 1, 2}));
    EXPECT_NE(worker, caller);
    EXPECT_EQ(shared->log(), (std::vector<std::string>{"SetMode(FakeSpec,0)", "SetMode(FakeSpec,1)",
                                                       "SetMode(FakeSpec,2)"}));
}

TEST_F(CameraFixture, ThreadReportsAJobsErrorToItsContinuationAndBlockingCallRethrows) {
    app();
    shared->failures["Measure"] = L"Trigger lost";
    CameraThread thread;
    thread.create([this] { return makeServer(); });
    EXPECT_THROW(thread.call([](Camera& c) { c.Measure(L"FakeSpec"); }), CameraServerError);
    std::string reported;
    thread.post([](Camera& c) { c.Measure(L"FakeSpec"); },
                [&](std::exception_ptr error) {
                    try {
                        std::rethrow_exception(error);
                    } catch (const CameraServerError& e) {
                        reported = e.what();
                    }
                });
    QEventLoop loop;
    QObject::connect(&thread, &CameraThread::idle, &loop, &QEventLoop::quit);
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(reported, "Trigger lost");
}

TEST_F(CameraFixture, ThreadWithoutServerCallsNothingAndSaysSo) {
    app();
    CameraThread thread;
    EXPECT_THROW(thread.create([] { return std::unique_ptr<ICameraServer>(); }), CameraServerError);
    EXPECT_FALSE(thread.hasServer());
    EXPECT_THROW(thread.call([](Camera&) {}), CameraServerError);
    bool failed = false;
    thread.post([](Camera&) { FAIL(); }, [&](std::exception_ptr e) { failed = e != nullptr; });
    EXPECT_TRUE(failed);
}

struct ModuleCase {
    const char* name;
    const char* file;
    const char* expected;
};

class ModuleLoading : public ::testing::TestWithParam<ModuleCase> {};

TEST_P(ModuleLoading, RefusesWithAClearReason) {
    std::string path = std::string(HALVANE_TEST_MODULE_DIR) + "/" + GetParam().file;
    try {
        CoCameraServer::CreateFrom(path);
        FAIL() << "module accepted";
    } catch (const CameraServerModuleError& error) {
        EXPECT_NE(std::string(error.what()).find(GetParam().expected), std::string::npos)
            << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Modules, ModuleLoading,
    ::testing::Values(
        ModuleCase{"MissingFileCannotLoad", "missing-module.so", "cannot load"},
        ModuleCase{"WrongInterfaceVersion", "wrong-version-module.so",
                   "interface version 2, this program needs version 1"},
        ModuleCase{"NullFactoryCannotCreate", "null-factory-module.so", "could not create"},
        ModuleCase{"NoSymbolsIsNotAModule", "no-symbols-module.so", "not a camera-server module"}),
    [](const ::testing::TestParamInfo<ModuleCase>& info) { return std::string(info.param.name); });

TEST(ModuleLoadingDefault, EnvironmentVariableNamesTheModule) {
    std::string path = std::string(HALVANE_TEST_MODULE_DIR) + "/wrong-version-module.so";
    setenv("HALVANE_CAMERA_SERVER", path.c_str(), 1);
    EXPECT_THROW(CoCameraServer::Create(), CameraServerModuleError);
    unsetenv("HALVANE_CAMERA_SERVER");
}

TEST(ModuleLoadingDefault, TheSimulatorModuleLoadsAndAnswers) {
    auto server =
        CoCameraServer::CreateFrom(std::string(HALVANE_BIN_DIR) + "/halvane-camera-server.so");
    Camera camera(std::move(server));
    auto devices = camera.GetDeviceList();
    ASSERT_FALSE(devices.empty());
    EXPECT_GT(camera.OpenDevice(devices[0]).pixelCount, 0);
}
