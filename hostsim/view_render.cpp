#include "hostsim/view_render.h"

#include "hostsim/aircraft.h"
#include "hostsim/host_geodesy.h"
#include "hostsim/host_layout.h"
#include "hostsim/host_world.h"
#include "hostsim/hostsim.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
constexpr double kFieldOfViewDeg = 50.0;
constexpr double kFollowBehindMetres = 90.0;
constexpr double kFollowAboveMetres = 20.0;
constexpr double kGridSpacingMetres = 250.0;
constexpr int kGridHalfCount = 16;
constexpr int kMinimumShapePixels = 8;
constexpr int kTextLineHeight = 16;
constexpr int kTextLines = 6;
const char* const kDayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

struct Camera {
    double latDeg, lonDeg, altMetres;
    double yawDeg, pitchDeg;
    double focalPixels;
    int centreX, centreY;
};

struct Vector {
    double east, north, up;
};

Vector Add(Vector a, Vector b) {
    return {a.east + b.east, a.north + b.north, a.up + b.up};
}
Vector Scale(Vector a, double s) {
    return {a.east * s, a.north * s, a.up * s};
}
double Dot(Vector a, Vector b) {
    return a.east * b.east + a.north * b.north + a.up * b.up;
}

// Projects a point given relative to the camera; false when it lies behind the camera.
bool Project(const Camera& camera, Vector point, POINT* screen) {
    double yaw = RadiansOf(camera.yawDeg), pitch = RadiansOf(camera.pitchDeg);
    Vector forward = {std::sin(yaw) * std::cos(pitch), std::cos(yaw) * std::cos(pitch),
                      std::sin(pitch)};
    Vector right = {std::cos(yaw), -std::sin(yaw), 0};
    Vector up = {-std::sin(yaw) * std::sin(pitch), -std::cos(yaw) * std::sin(pitch),
                 std::cos(pitch)};
    double depth = Dot(point, forward);
    if (depth < 1.0) {
        return false;
    }
    double x = camera.centreX + camera.focalPixels * Dot(point, right) / depth;
    double y = camera.centreY - camera.focalPixels * Dot(point, up) / depth;
    if (std::fabs(x) > 1e5 || std::fabs(y) > 1e5) {
        return false;
    }
    screen->x = static_cast<LONG>(x);
    screen->y = static_cast<LONG>(y);
    return true;
}

Vector OffsetOf(const Camera& camera, const HostsimAircraft& a) {
    LocalOffset o = OffsetFrom(camera.latDeg, camera.lonDeg, camera.altMetres, a.latitudeDeg,
                               a.longitudeDeg, a.altitudeFeet * kMetresPerFoot);
    return {o.east, o.north, o.up};
}

void AimAt(Camera* camera, Vector target) {
    double horizontal = std::hypot(target.east, target.north);
    camera->yawDeg = DegreesOf(std::atan2(target.east, target.north));
    camera->pitchDeg = DegreesOf(std::atan2(target.up, horizontal));
}

void Line(HDC dc, POINT a, POINT b) {
    MoveToEx(dc, a.x, a.y, nullptr);
    LineTo(dc, b.x, b.y);
}

void DrawSky(HDC dc, const RECT& area, const Camera& camera) {
    int horizon = camera.centreY +
                  static_cast<int>(camera.focalPixels * std::tan(RadiansOf(camera.pitchDeg)));
    horizon = horizon < area.top ? area.top : horizon > area.bottom ? area.bottom : horizon;
    RECT sky = {area.left, area.top, area.right, horizon};
    RECT ground = {area.left, horizon, area.right, area.bottom};
    HBRUSH skyBrush = CreateSolidBrush(RGB(110, 160, 220));
    HBRUSH groundBrush = CreateSolidBrush(RGB(90, 130, 70));
    FillRect(dc, &sky, skyBrush);
    FillRect(dc, &ground, groundBrush);
    DeleteObject(skyBrush);
    DeleteObject(groundBrush);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(230, 230, 200));
    HGDIOBJ old = SelectObject(dc, pen);
    Line(dc, {area.left, horizon}, {area.right, horizon});
    SelectObject(dc, old);
    DeleteObject(pen);
}

// Dots on the ground around the camera give a sense of height and motion.
void DrawGround(HDC dc, const Camera& camera, double groundMetres) {
    // The grid is fixed to the earth: whole grid cells around the camera.
    double metresPerDegLat = RadiansOf(1.0) * kEarthRadiusMetres;
    double metresPerDegLon = metresPerDegLat * std::cos(RadiansOf(camera.latDeg));
    double cameraNorth = camera.latDeg * metresPerDegLat;
    double cameraEast = camera.lonDeg * metresPerDegLon;
    double firstNorth = std::floor(cameraNorth / kGridSpacingMetres) * kGridSpacingMetres;
    double firstEast = std::floor(cameraEast / kGridSpacingMetres) * kGridSpacingMetres;
    HBRUSH dot = CreateSolidBrush(RGB(60, 95, 45));
    for (int i = -kGridHalfCount; i <= kGridHalfCount; ++i) {
        for (int j = -kGridHalfCount; j <= kGridHalfCount; ++j) {
            Vector point = {firstEast + j * kGridSpacingMetres - cameraEast,
                            firstNorth + i * kGridSpacingMetres - cameraNorth,
                            groundMetres - camera.altMetres};
            POINT screen;
            if (Project(camera, point, &screen)) {
                RECT r = {screen.x - 2, screen.y - 1, screen.x + 2, screen.y + 1};
                FillRect(dc, &r, dot);
            }
        }
    }
    DeleteObject(dot);
}

void DrawAircraft(HDC dc, const Camera& camera, const HostsimAircraft& a, bool shown) {
    Vector centre = OffsetOf(camera, a);
    double heading = RadiansOf(a.headingTrueDeg);
    Vector forward = {std::sin(heading), std::cos(heading), 0};
    Vector right = {std::cos(heading), -std::sin(heading), 0};
    Vector up = {0, 0, 1};
    double length =
        std::isfinite(a.sizeFeet) && a.sizeFeet > 0 ? a.sizeFeet * kMetresPerFoot : 30.0;
    auto at = [&](double ahead, double side, double above) {
        return Add(centre, Add(Scale(forward, ahead * length),
                               Add(Scale(right, side * length), Scale(up, above * length))));
    };
    POINT nose, tail, leftWing, rightWing, leftStab, rightStab, fin, middle;
    bool visible = Project(camera, at(0.5, 0, 0), &nose) &&
                   Project(camera, at(-0.5, 0, 0), &tail) &&
                   Project(camera, at(0, -0.45, 0), &leftWing) &&
                   Project(camera, at(0, 0.45, 0), &rightWing) &&
                   Project(camera, at(-0.45, -0.18, 0), &leftStab) &&
                   Project(camera, at(-0.45, 0.18, 0), &rightStab) &&
                   Project(camera, at(-0.48, 0, 0.22), &fin) && Project(camera, centre, &middle);
    if (!visible) {
        return;
    }
    COLORREF colour = shown ? RGB(250, 240, 40) : RGB(245, 245, 245);
    int extent = abs(nose.x - tail.x) + abs(nose.y - tail.y) + abs(leftWing.x - rightWing.x) +
                 abs(leftWing.y - rightWing.y);
    if (extent < kMinimumShapePixels) {
        // Too far to make out: a marker the size of a few pixels.
        HBRUSH brush = CreateSolidBrush(colour);
        RECT r = {middle.x - 3, middle.y - 3, middle.x + 4, middle.y + 4};
        FillRect(dc, &r, brush);
        DeleteObject(brush);
    } else {
        int width = extent > 200 ? 5 : extent > 60 ? 3 : 2;
        HPEN pen = CreatePen(PS_SOLID, width, colour);
        HGDIOBJ old = SelectObject(dc, pen);
        Line(dc, nose, tail);
        Line(dc, leftWing, rightWing);
        Line(dc, leftStab, rightStab);
        Line(dc, tail, fin);
        SelectObject(dc, old);
        DeleteObject(pen);
    }
    char label[32];
    snprintf(label, sizeof label, "#%d", a.id);
    SetTextColor(dc, colour);
    TextOutA(dc, middle.x + 8, middle.y + 6, label, static_cast<int>(strlen(label)));
}

void DrawAllAircraft(HDC dc, const Camera& camera, int32_t shownId) {
    const HostsimAircraft* present[kHostsimMaxAircraft];
    int count = PresentAircraft(present, kHostsimMaxAircraft);
    for (int i = 0; i < count; ++i) {
        if (present[i]->id != shownId) {
            DrawAircraft(dc, camera, *present[i], false);
        }
    }
    const HostsimAircraft* shown = HostsimFindAircraft(shownId);
    if (shown) {
        DrawAircraft(dc, camera, *shown, true);
    }
}

void DrawText(HDC dc, const char lines[kTextLines][128]) {
    RECT panel = {0, 0, 560, kTextLines * kTextLineHeight + 8};
    HBRUSH brush = CreateSolidBrush(RGB(20, 30, 45));
    FillRect(dc, &panel, brush);
    DeleteObject(brush);
    SetTextColor(dc, RGB(235, 235, 235));
    for (int i = 0; i < kTextLines; ++i) {
        TextOutA(dc, 6, 4 + i * kTextLineHeight, lines[i], static_cast<int>(strlen(lines[i])));
    }
}

int32_t ShownAircraft(HostsimCaller caller) {
    int32_t id = HostsimAircraftOfData(HostsimCallView(caller));
    gWorld.lastSeen[caller] = id;
    return id;
}

void Draw(HDC dc, const RECT& area) {
    const HostsimViewRecord* view = HostsimActiveView();
    int width = area.right - area.left;
    Camera camera = {};
    camera.focalPixels = width / 2.0 / std::tan(RadiansOf(kFieldOfViewDeg / 2));
    camera.centreX = width / 2;
    camera.centreY = (area.bottom - area.top) / 2;
    const char* viewName = "unknown view";
    int32_t shownId = 0;
    const HostsimAircraft* user = HostsimFindAircraft(kUserAircraftId);
    if (view->viewMode == kViewTower) {
        viewName = "tower";
        shownId = ShownAircraft(kHostsimTowerCaller);
        HostsimDecodeEyePoint(HostsimTowerEyePoint(), &camera.latDeg, &camera.lonDeg,
                              &camera.altMetres);
    } else if (view->viewMode == kViewFollow || view->viewMode == kViewCockpit) {
        bool follow = view->viewMode == kViewFollow;
        viewName = follow ? "follow" : "cockpit";
        shownId = ShownAircraft(follow ? kHostsimFollowCaller : kHostsimCockpitCaller);
        const HostsimAircraft* shown = HostsimFindAircraft(shownId);
        const HostsimAircraft* from = shown ? shown : user;
        camera.latDeg = from->latitudeDeg;
        camera.lonDeg = from->longitudeDeg;
        camera.altMetres = from->altitudeFeet * kMetresPerFoot;
        if (follow) {
            MoveAlongGreatCircle(&camera.latDeg, &camera.lonDeg, from->headingTrueDeg + 180.0,
                                 kFollowBehindMetres);
            camera.altMetres += kFollowAboveMetres;
        }
        camera.yawDeg = from->headingTrueDeg;
    }
    const HostsimAircraft* shown = HostsimFindAircraft(shownId);
    Vector toShown = {0, 1, 0};
    if (shown && view->viewMode != kViewCockpit) {
        toShown = OffsetOf(camera, *shown);
        AimAt(&camera, toShown);
    }
    DrawSky(dc, area, camera);
    double groundMetres =
        (shown ? shown->groundElevationFeet : user->groundElevationFeet) * kMetresPerFoot;
    DrawGround(dc, camera, groundMetres);
    DrawAllAircraft(dc, camera, view->viewMode == kViewCockpit ? 0 : shownId);

    char lines[kTextLines][128];
    int32_t hours =
        *reinterpret_cast<int32_t*>(HostsimInterface(kViewsInterfaceId) + kUtcHoursOffset);
    int32_t minutes =
        *reinterpret_cast<int32_t*>(HostsimInterface(kViewsInterfaceId) + kUtcMinutesOffset);
    uint16_t seconds =
        *reinterpret_cast<uint16_t*>(HostsimInterface(kViewsInterfaceId) + kUtcSecondsOffset);
    snprintf(lines[0], 128, "t %d s   UTC %02d:%02d:%02d %s   host state %d%s", gWorld.seconds,
             hours, minutes, seconds, kDayNames[gWorld.dayOfWeek % 7], HostsimHostState(),
             HostsimPaused() ? "   PAUSED" : "");
    snprintf(lines[1], 128, "view %d (%s)   eye %.5f %.5f  %.0f m", view->viewMode, viewName,
             camera.latDeg, camera.lonDeg, camera.altMetres);
    double range = std::sqrt(Dot(toShown, toShown));
    if (shown) {
        snprintf(lines[2], 128, "shows #%d %.40s   range %.0f m (%.2f nm)   bearing %03.0f",
                 shown->id, shown->type, range, range / kMetresPerNauticalMile,
                 WrapBearing(camera.yawDeg));
        snprintf(lines[3], 128, "aircraft %.0f ft  %.0f kt  heading %03.0f true  VS %.0f fpm",
                 shown->altitudeFeet, shown->speedKnots, shown->headingTrueDeg,
                 shown->verticalSpeedFpm);
    } else {
        snprintf(lines[2], 128, "shows no aircraft (view code got %d)", shownId);
        lines[3][0] = '\0';
    }
    snprintf(lines[4], 128, "redirect %s   table slots %s   view 4 follows #%d   AI %d",
             HostsimRedirectInstalled() ? "installed" : "off",
             HostsimCheckTableSlots().allOk ? "ok" : "WRONG", HostsimFollowedObject(),
             HostsimAiListCount() - 1);
    snprintf(lines[5], 128, "keys: P pause   S next view   modules: %d", HostsimModuleCount());
    DrawText(dc, lines);
}
} // namespace

void PaintMainWindow(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT area;
    GetClientRect(window, &area);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, area.right, area.bottom);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    SetBkMode(memory, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(memory, GetStockObject(DEFAULT_GUI_FONT));
    if (gWorld.running) {
        Draw(memory, area);
    }
    BitBlt(dc, 0, 0, area.right, area.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, oldFont);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    EndPaint(window, &paint);
}
