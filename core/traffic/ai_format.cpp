#include "core/traffic/ai_format.h"

#include <cmath>
#include <cstdio>

#include "core/camera/geodesy.h"
#include "core/camera/numeric.h"

namespace {

constexpr const char* kNotAvailable = "n/a";
constexpr double kNmPerMetre = 0.00053805774278;

constexpr const char* kColumnHeaders[kAiColumnCount] = {
    "Type",         "State",   "Distance, nm", "Bearing",
    "Altitude, ft", "Heading", "IAS, knots",   "V.Speed, ft/min"};

// Indexed by the host's AI state; the spellings are the ones users know from the list.
constexpr const char* kStateNames[] = {
    "Init",     "Sleep",        "Flt Plan", "Clearence",    "Pre Push Back", "Push Back",
    "Startup",  "Pre Taxi Out", "Taxi Out", "Pre Take Off", "Take Off",      "T&G Depart",
    "Enroute",  "Pattern",      "Landing",  "Rollout",      "Go Around",     "Taxi In",
    "Shutdown", "sleep",        "waypoint", "takeoff",      "landing",       "taxi"};
constexpr int32_t kStateCount = sizeof kStateNames / sizeof kStateNames[0];
static_assert(kStateCount == 24, "the host has 24 AI states");

constexpr const char* kDayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr int32_t kDayCount = sizeof kDayNames / sizeof kDayNames[0];

void CopyText(const char* text, char* out) {
    std::snprintf(out, kTextSize, "%s", text);
}

} // namespace

const char* AiColumnHeader(int column) {
    if (column < 0 || column >= kAiColumnCount) {
        return "";
    }
    return kColumnHeaders[column];
}

const char* AiStateName(int32_t stateIndex) {
    if (stateIndex < 0 || stateIndex >= kStateCount) {
        return kNotAvailable;
    }
    return kStateNames[stateIndex];
}

const char* DayName(int32_t day) {
    if (day < 0 || day >= kDayCount) {
        return kNotAvailable;
    }
    return kDayNames[day];
}

void CopyHostText(const char* source, size_t sourceSize, char* out) {
    size_t n = 0;
    while (n < sourceSize && n + 1 < kTextSize && source[n] != '\0') {
        out[n] = source[n];
        ++n;
    }
    out[n] = '\0';
}

void FormatStateText(int32_t stateIndex, char* out) {
    CopyText(AiStateName(stateIndex), out);
}

void FormatDistanceText(double distanceNm, char* out) {
    // The text of a NaN or infinity differs between C libraries; it counts as missing here.
    if (distanceNm < 0.0 || !std::isfinite(distanceNm)) {
        CopyText(kNotAvailable, out);
        return;
    }
    std::snprintf(out, kTextSize, "%.1f", distanceNm);
}

void FormatRoundedText(double value, char* out) {
    std::snprintf(out, kTextSize, "%d", static_cast<int>(RoundHalfUp(value)));
}

void FormatAiCount(int32_t listCount, char* out) {
    // Entry 0 of the host's list is never an AI aircraft; 32-bit wrapping as the host counts.
    const int32_t aiCount = WrapToInt32(static_cast<uint32_t>(listCount) - 1u);
    std::snprintf(out, kTextSize, "N = %d", static_cast<int>(aiCount));
}

void FormatDayText(double hostDay, char* out) {
    CopyText(DayName(TruncateToInt32(hostDay)), out);
}

void FormatUtcTime(int32_t hours, int32_t minutes, uint16_t seconds, char* out) {
    std::snprintf(out, kTextSize, "%02d:%02d:%02d", static_cast<int>(hours),
                  static_cast<int>(minutes), static_cast<int>(seconds));
}

double AiBearingFrom(double userLatDeg, double userLonDeg, double aiLatDeg, double aiLonDeg,
                     double userVariationDeg) {
    const double trueBearing = InitialBearing(userLatDeg, userLonDeg, aiLatDeg, aiLonDeg);
    return NormalizeAngle(trueBearing - userVariationDeg);
}

double MetresToAiDistanceNm(double metres) {
    return metres * kNmPerMetre;
}
