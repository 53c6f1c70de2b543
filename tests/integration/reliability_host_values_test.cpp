// The host's numbers and texts at their worst, through the real DLL: NaN, infinities, huge and
// negative values, zero speeds, the poles and the antimeridian, texts that fill the module's
// buffer without a terminator. Nothing may crash, and the tower eye point must always decode to
// a finite place on the globe.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include "ai_list_driver.h"
#include "reliability_support.h"

using namespace skyvane_test;

namespace {

constexpr int32_t kAi = 7;
constexpr int kPeriod = 5;
constexpr int kTextLimit =
    kTextSize - 1; // characters the module's buffer holds before its terminator

// The ten values a placement reads, and the user state and airspeed the module also reads.
constexpr int32_t kVariables[] = {kVarLatitude,          kVarLongitude,   kVarAltitude,
                                  kVarMagneticHeading,   kVarSize,        kVarSpeedAlong,
                                  kVarVerticalSpeed,     kVarSpeedAcross, kVarGroundElevation,
                                  kVarMagneticVariation, kVarUserState,   kVarIndicatedAirspeed};

const double kHostileValues[] = {std::numeric_limits<double>::quiet_NaN(),
                                 std::numeric_limits<double>::infinity(),
                                 -std::numeric_limits<double>::infinity(),
                                 std::numeric_limits<double>::max(),
                                 -std::numeric_limits<double>::max(),
                                 std::numeric_limits<double>::denorm_min(),
                                 1e30,
                                 -1e30,
                                 1e9,
                                 -50.0,
                                 0.0,
                                 -0.0,
                                 90.0,
                                 -90.0,
                                 180.0,
                                 -180.0,
                                 360.0,
                                 4294967296.0};

class HostValues : public AiListHost {
  protected:
    void SetUp() override {
        AiListHost::SetUp();
        options.showWindow = false;
    }

    // Decodes the tower eye point; false (with a failure) when it is not a finite place.
    bool EyeOnTheGlobe(const char* context) {
        HostsimEyePoint eye = Tower();
        double lat = 0, lon = 0, alt = 0;
        HostsimDecodeEyePoint(&eye, &lat, &lon, &alt);
        bool ok = std::isfinite(lat) && std::isfinite(lon) && std::isfinite(alt) &&
                  std::fabs(lat) <= 90.0 + 1e-6;
        EXPECT_TRUE(ok) << context << ": eye at " << lat << ", " << lon << ", " << alt << " m";
        return ok;
    }

    double EyeLatitude() {
        HostsimEyePoint eye = Tower();
        double lat = 0, lon = 0, alt = 0;
        HostsimDecodeEyePoint(&eye, &lat, &lon, &alt);
        return lat;
    }

    void OpenHiddenList() {
        reliability::PaintHiddenFrame();

        OpenList();
    }

    void FollowAiInPassBy() {
        OpenHiddenList();
        HostsimStep(1);
        int row = RowOf(kAi);
        ASSERT_GE(row, 0);
        Select(row);
        PressButton(IDC_AI_LIST_PASS_BY);
        ASSERT_TRUE(HostsimRedirectInstalled());
        // The button closes the list; it opens again to be refreshed from the bad values.
        OpenHiddenList();
    }
};

} // namespace

TEST_F(HostValues, HostTextsOfEveryShapeAreCutToTheModulesBuffer) {
    StartStill(false);
    struct Text {
        int32_t id;
        std::string type, fallback;
    };
    const Text texts[] = {
        {11, std::string(399, 'W'), ""},
        {12, std::string(399, 'W'), "never read"},
        {13, std::string(kTextSize, 'A'), ""},
        {14, std::string(kTextLimit, 'B'), ""},
        {15, std::string(261, 'C'), ""},
        {16, "", ""},
        {17, "", std::string(399, 'F')},
        {18, "\xC3\xA9\xFF\x80\x81 \xE2\x82\xAC", ""},
        {19, "\t\r\n\x01\x7F", ""},
    };
    for (const Text& t : texts) {
        HostsimAircraft ai = Parked(t.id, t.id - 10.0);
        snprintf(ai.type, sizeof ai.type, "%s", t.type.c_str());
        snprintf(ai.typeFallback, sizeof ai.typeFallback, "%s", t.fallback.c_str());
        Add(ai);
    }
    OpenHiddenList();
    for (int column = 0; column < kColumnCount; ++column) {
        ClickHeader(column);
        HostsimStep(1);
        ClickHeader(column);
        HostsimStep(1);
    }
    ASSERT_TRUE(ListOpen());
    ASSERT_EQ(Rows(), 9);
    for (int row = 0; row < Rows(); ++row) {
        for (int column = 0; column < kColumnCount; ++column) {
            EXPECT_LE(Cell(row, column).size(), static_cast<size_t>(kTextLimit))
                << "row " << row << " column " << column;
        }
    }
    EXPECT_EQ(Cell(RowOf(11), kColumnType), std::string(kTextLimit, 'W'));
    EXPECT_EQ(Cell(RowOf(14), kColumnType), std::string(kTextLimit, 'B'));
    EXPECT_EQ(Cell(RowOf(18), kColumnType), texts[7].type);
}
