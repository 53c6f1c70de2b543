#include "hostsim/render_overlay.h"

#include "hostsim/aircraft.h"
#include "hostsim/host_blocks.h"
#include "hostsim/host_geodesy.h"
#include "hostsim/host_layout.h"
#include "hostsim/host_world.h"
#include "hostsim/hostsim_aircraft.h"
#include "hostsim/hostsim_state.h"
#include "hostsim/hostsim_views.h"
#include "hostsim/render_aircraft.h"
#include "hostsim/render_scenery.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {
constexpr int kLineBytes = 128;
constexpr int kLineHeight = 16;
constexpr int kPanelLines = 5;
constexpr int kMapPixels = 190;
constexpr int kMapMargin = 10;
constexpr COLORREF kPanel = RGB(18, 24, 36);
constexpr COLORREF kText = RGB(232, 236, 240);
constexpr COLORREF kAccent = RGB(255, 214, 60);
constexpr COLORREF kAlert = RGB(255, 96, 80);
const double kMapRanges[] = {500, 1000, 2000, 4000, 8000, 16000, 32000};
const char* const kDayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kAiStateNames[] = {
    "Init",     "Sleep",        "Flt Plan", "Clearence",    "Pre Push Back", "Push Back",
    "Startup",  "Pre Taxi Out", "Taxi Out", "Pre Take Off", "Take Off",      "T&G Depart",
    "Enroute",  "Pattern",      "Landing",  "Rollout",      "Go Around",     "Taxi In",
    "Shutdown", "sleep",        "waypoint", "takeoff",      "landing",       "taxi"};

void Text(HDC dc, int x, int y, COLORREF colour, const char* text) {
    SetTextColor(dc, colour);
    TextOutA(dc, x, y, text, static_cast<int>(strlen(text)));
}

void Fill(HDC dc, RECT r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

const char* ViewName(int32_t mode) {
    return mode == kViewTower     ? "TOWER VIEW (3)"
           : mode == kViewFollow  ? "FOLLOW VIEW (4)"
           : mode == kViewCockpit ? "COCKPIT (1)"
                                  : "VIEW ?";
}

void Panel(HDC dc, const OverlayFacts& facts) {
    char lines[kPanelLines][kLineBytes] = {};
    const HostsimAircraft* shown = facts.shown;
    snprintf(lines[0], kLineBytes, "%s%s", ViewName(facts.viewMode),
             facts.viewMode == kViewTower ? "  - eye point from the module" : "");
    if (shown) {
        const char* state = shown->id == kUserAircraftId ? "user's aircraft"
                            : shown->aiState >= 0 && shown->aiState < 24
                                ? kAiStateNames[shown->aiState]
                                : "AI";
        snprintf(lines[1], kLineBytes, "target #%d %.40s  (%s)", shown->id,
                 shown->type[0] ? shown->type : shown->typeFallback, state);
        snprintf(lines[2], kLineBytes, "distance %.0f m   %.0f ft  %.0f kt  hdg %03.0f",
                 facts.rangeMetres, shown->altitudeFeet, shown->speedKnots, shown->headingTrueDeg);
    } else {
        snprintf(lines[1], kLineBytes, "no aircraft in view");
    }
    if (facts.viewMode == kViewTower) {
        if (facts.eyeAgeSeconds >= 0) {
            snprintf(lines[3], kLineBytes, "eye %.0f m above ground, placed %d s ago  (%d placed)",
                     facts.eyeAboveGroundMetres, facts.eyeAgeSeconds, facts.eyeChanges);
        } else {
            snprintf(lines[3], kLineBytes, "eye %.0f m above ground: the host's own tower",
                     facts.eyeAboveGroundMetres);
        }
    }
    int32_t hours = *reinterpret_cast<int32_t*>(InterfaceField(kViewsInterfaceId, kUtcHoursOffset));
    int32_t minutes =
        *reinterpret_cast<int32_t*>(InterfaceField(kViewsInterfaceId, kUtcMinutesOffset));
    uint16_t seconds =
        *reinterpret_cast<uint16_t*>(InterfaceField(kViewsInterfaceId, kUtcSecondsOffset));
    snprintf(lines[4], kLineBytes, "t %d s  UTC %02d:%02d:%02d %s   AI %d   redirect %s",
             gWorld.seconds, hours, minutes, seconds, kDayNames[gWorld.dayOfWeek % 7],
             HostsimAiListCount() - 1, HostsimRedirectInstalled() ? "on" : "off");
    RECT panel = {6, 6, 430, 10 + kPanelLines * kLineHeight};
    Fill(dc, panel, kPanel);
    for (int i = 0; i < kPanelLines; ++i) {
        Text(dc, 12, 8 + i * kLineHeight, i == 0 ? kAccent : kText, lines[i]);
    }
    if (HostsimPaused()) {
        RECT badge = {440, 6, 520, 26};
        Fill(dc, badge, kAlert);
        Text(dc, 452, 8, RGB(255, 255, 255), "PAUSED");
    }
}

// North-up map centred between the eye point and the target, with the view's direction.
void Map(HDC dc, const Camera& camera, const OverlayFacts& facts) {
    RECT frame = {camera.width - kMapPixels - kMapMargin, camera.height - kMapPixels - kMapMargin,
                  camera.width - kMapMargin, camera.height - kMapMargin};
    Fill(dc, frame, kPanel);
    Vec3 target = facts.shown ? AircraftOffset(camera, *facts.shown) : Vec3{0, 0, 0};
    Vec3 middle = Scale(target, 0.5);
    double need = std::hypot(target.east, target.north) * 0.7;
    double range = kMapRanges[0];
    for (double candidate : kMapRanges) {
        range = candidate;
        if (candidate >= need) {
            break;
        }
    }
    double scale = (kMapPixels / 2 - 8) / range;
    int cx = (frame.left + frame.right) / 2, cy = (frame.top + frame.bottom) / 2;
    auto toMap = [&](Vec3 p) {
        return POINT{cx + static_cast<LONG>((p.east - middle.east) * scale),
                     cy - static_cast<LONG>((p.north - middle.north) * scale)};
    };
    HRGN clip = CreateRectRgn(frame.left, frame.top, frame.right, frame.bottom);
    SelectClipRgn(dc, clip);
    const RunwayScenery* runway = TheRunway();
    if (runway) {
        LocalOffset o = OffsetFrom(camera.latDeg, camera.lonDeg, camera.altMetres, runway->latDeg,
                                   runway->lonDeg, 0);
        double h = RadiansOf(runway->headingTrueDeg), half = runway->lengthMetres / 2;
        Vec3 centre = {o.east, o.north, 0};
        Vec3 along = {std::sin(h) * half, std::cos(h) * half, 0};
        POINT a = toMap(Sub(centre, along)), b = toMap(Add(centre, along));
        HPEN pen = CreatePen(PS_SOLID, 4, RGB(130, 130, 136));
        HGDIOBJ old = SelectObject(dc, pen);
        MoveToEx(dc, a.x, a.y, nullptr);
        LineTo(dc, b.x, b.y);
        SelectObject(dc, old);
        DeleteObject(pen);
    }
    const HostsimAircraft* present[kHostsimMaxAircraft];
    int count = PresentAircraft(present, kHostsimMaxAircraft);
    for (int i = 0; i < count; ++i) {
        HostsimAircraft a = ExtrapolatedAircraft(*present[i], facts.leadSeconds);
        bool isTarget = facts.shown && a.id == facts.shown->id;
        POINT p = toMap(AircraftOffset(camera, a));
        double h = RadiansOf(a.headingTrueDeg);
        COLORREF colour = isTarget ? kAccent : RGB(200, 210, 220);
        HPEN pen = CreatePen(PS_SOLID, isTarget ? 2 : 1, colour);
        HGDIOBJ old = SelectObject(dc, pen);
        MoveToEx(dc, p.x, p.y, nullptr);
        LineTo(dc, p.x + static_cast<LONG>(std::sin(h) * 10),
               p.y - static_cast<LONG>(std::cos(h) * 10));
        SelectObject(dc, old);
        DeleteObject(pen);
        RECT dot = {p.x - 2, p.y - 2, p.x + 3, p.y + 3};
        Fill(dc, dot, colour);
    }
    // The eye and what it looks at.
    POINT eye = toMap({0, 0, 0});
    double yaw = RadiansOf(camera.yawDeg), spread = RadiansOf(22.0);
    POINT wedge[3] = {eye,
                      {eye.x + static_cast<LONG>(std::sin(yaw - spread) * 40),
                       eye.y - static_cast<LONG>(std::cos(yaw - spread) * 40)},
                      {eye.x + static_cast<LONG>(std::sin(yaw + spread) * 40),
                       eye.y - static_cast<LONG>(std::cos(yaw + spread) * 40)}};
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(120, 200, 255));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Polygon(dc, wedge, 3);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    RECT eyeBox = {eye.x - 3, eye.y - 3, eye.x + 4, eye.y + 4};
    Fill(dc, eyeBox, RGB(120, 200, 255));
    SelectClipRgn(dc, nullptr);
    DeleteObject(clip);
    char legend[kLineBytes];
    snprintf(legend, sizeof legend, "map %.0f km  N up", range * 2 / 1000);
    Text(dc, frame.left + 6, frame.top + 4, kText, legend);
}
} // namespace

void DrawOverlay(HDC dc, const Camera& camera, const OverlayFacts& facts) {
    Panel(dc, facts);
    Map(dc, camera, facts);
}
