// The pictures the demo leaves: stills and animation frames of the view as the scenario plans
// them, screenshots with the module's windows, and a menu shown for real and closed again.
#include "skyvane_fixture.h"

#include <cstdint>
#include <fstream>

using namespace skyvane_test;

namespace {
struct BitmapSize {
    bool ok;
    int32_t width, height;
};

// Width and height from a BMP file's headers.
BitmapSize ReadBitmapSize(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    char header[26] = {};
    if (!file.read(header, sizeof header) || header[0] != 'B' || header[1] != 'M') {
        return {false, 0, 0};
    }
    BitmapSize size = {true, 0, 0};
    memcpy(&size.width, header + 18, 4);
    memcpy(&size.height, header + 22, 4);
    return size;
}

bool WriteText(const std::string& path, const char* text) {
    FILE* file = fopen(path.c_str(), "w");
    if (!file) {
        return false;
    }
    fputs(text, file);
    fclose(file);
    return true;
}

class DemoPictures : public SkyvaneHost {
  protected:
    void TearDown() override {
        SkyvaneHost::TearDown();
        HostsimSetPictureFolder("");
    }
};
} // namespace

TEST_F(DemoPictures, StillsEveryFewSecondsAndFramesBetweenTheSeconds) {
    std::string scenario = root + "\\pictures.json";
    ASSERT_TRUE(WriteText(scenario, R"({"seconds": 6,
        "runway": {"lat": 50.9, "lon": 1.2, "headingTrue": 80, "lengthMetres": 2000},
        "pictures": {"stillEvery": 2, "framesPerSecond": 3, "animation": [[4, 6]]}})"));
    int seconds = 0;
    ASSERT_TRUE(HostsimLoadScenario(scenario.c_str(), &options, &seconds));
    std::string pictures = root + "\\pictures";
    HostsimSetPictureFolder(pictures.c_str());
    Start();
    HostsimStep(seconds);
    for (const char* name : {"view-0000", "view-0002", "view-0004", "view-0006"}) {
        BitmapSize size = ReadBitmapSize(pictures + "\\" + name + ".bmp");
        EXPECT_TRUE(size.ok) << name;
        EXPECT_EQ(size.width, options.windowWidth) << name;
        EXPECT_EQ(size.height, options.windowHeight) << name;
    }
    EXPECT_FALSE(ReadBitmapSize(pictures + "\\view-0001.bmp").ok) << "only every second second";
    for (int frame = 0; frame < 6; ++frame) {
        char name[32];
        snprintf(name, sizeof name, "\\anim-%05d.bmp", frame);
        EXPECT_TRUE(ReadBitmapSize(pictures + name).ok) << name;
    }
    EXPECT_FALSE(ReadBitmapSize(pictures + "\\anim-00006.bmp").ok) << "two seconds of three";
}

TEST_F(DemoPictures, ScreenshotsHoldTheModulesWindowsAndTheMenuClosesAgain) {
    std::string pictures = root + "\\shots";
    HostsimSetPictureFolder(pictures.c_str());
    StartFlying();
    ASSERT_TRUE(HostsimPressKey('V', kHostsimShift, nullptr)); // the AI list
    HostsimStep(1);
    ASSERT_NE(HostsimFindModuleWindow(10013), nullptr);
    RECT host, list;
    GetWindowRect(HostsimMainWindow(), &host);
    GetWindowRect(HostsimFindModuleWindow(10013), &list);
    RECT both;
    UnionRect(&both, &host, &list);
    ASSERT_TRUE(HostsimSaveScreenshot("list"));
    BitmapSize size = ReadBitmapSize(pictures + "\\list.bmp");
    ASSERT_TRUE(size.ok);
    EXPECT_EQ(size.width, both.right - both.left);
    EXPECT_EQ(size.height, both.bottom - both.top);
    ASSERT_TRUE(HostsimPressKey('V', kHostsimShift, nullptr));
    HostsimStep(1);

    EXPECT_TRUE(HostsimShowMenu("&Modules/Skyvane", "menu"));
    EXPECT_TRUE(ReadBitmapSize(pictures + "\\menu.bmp").ok);
    EXPECT_FALSE(HostsimShowMenu("&Nowhere", "none"));
    EXPECT_FALSE(HostsimShowMenu("&Modules/Nothing", "none"));
    // The menu closed without picking anything: the view is still off, keys reach the host.
    HostsimStep(1);
    EXPECT_EQ(HostsimEventCount(), 0);
    uint32_t before = HostsimTowerEyePoint()->latLo;
    ASSERT_TRUE(HostsimPressKey('F', kHostsimShift, nullptr));
    HostsimStep(1);
    EXPECT_NE(HostsimTowerEyePoint()->latLo, before) << "Shift+F switched the view on";
}
