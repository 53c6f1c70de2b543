#include "hostsim/view_render.h"

#include "hostsim/aircraft.h"
#include "hostsim/host_geodesy.h"
#include "hostsim/host_layout.h"
#include "hostsim/host_world.h"
#include "hostsim/hostsim_aircraft.h"
#include "hostsim/hostsim_eye_point.h"
#include "hostsim/hostsim_state.h"
#include "hostsim/hostsim_views.h"
#include "hostsim/render_aircraft.h"
#include "hostsim/render_overlay.h"
#include "hostsim/render_scenery.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
constexpr double kFieldOfViewDeg = 50.0;
constexpr double kFollowBehindLengths = 3.0;
constexpr double kFollowAboveLengths = 0.6;
constexpr double kEyeAboveGroundMetres = 2.0; // an eye point at ground level sees the ground

// When the tower eye point last changed, as this view saw it.
struct EyeHistory {
    HostsimEyePoint words;
    int changedAt;
    int changes;
    int lastSecond;
};
EyeHistory history = {{}, -1, 0, -1};

void NoteEyePoint() {
    if (gWorld.seconds < history.lastSecond) {
        history = {{}, -1, 0, -1}; // a new run
    }
    const HostsimEyePoint* eye = HostsimTowerEyePoint();
    if (history.lastSecond < 0) {
        history.words = *eye;
    } else if (memcmp(eye, &history.words, sizeof *eye) != 0) {
        history.words = *eye;
        history.changedAt = gWorld.seconds;
        history.changes++;
    }
    history.lastSecond = gWorld.seconds;
}

int32_t AskViewCode(HostsimCaller caller) {
    int32_t id = HostsimAircraftOfData(HostsimCallView(caller));
    gWorld.lastSeen[caller] = id;
    return id;
}

void Draw(HDC dc, int width, int height, double lead, bool askViewCode) {
    NoteEyePoint();
    const HostsimViewRecord* view = HostsimActiveView();
    Camera camera = {};
    camera.width = width;
    camera.height = height;
    camera.focalPixels = width / 2.0 / std::tan(RadiansOf(kFieldOfViewDeg / 2));
    camera.centreX = width / 2;
    camera.centreY = height / 2;
    HostsimCaller caller = view->viewMode == kViewTower    ? kHostsimTowerCaller
                           : view->viewMode == kViewFollow ? kHostsimFollowCaller
                                                           : kHostsimCockpitCaller;
    int32_t shownId = askViewCode ? AskViewCode(caller) : gWorld.lastSeen[caller];
    const HostsimAircraft* live = HostsimFindAircraft(shownId);
    const HostsimAircraft* user = HostsimFindAircraft(kUserAircraftId);
    HostsimAircraft shown = ExtrapolatedAircraft(live ? *live : *user, lead);
    double length = shown.sizeFeet > 0 ? shown.sizeFeet * kMetresPerFoot : 30.0;
    if (view->viewMode == kViewTower) {
        HostsimDecodeEyePoint(HostsimTowerEyePoint(), &camera.latDeg, &camera.lonDeg,
                              &camera.altMetres);
    } else {
        camera.latDeg = shown.latitudeDeg;
        camera.lonDeg = shown.longitudeDeg;
        camera.altMetres = shown.altitudeFeet * kMetresPerFoot;
        if (view->viewMode == kViewFollow) {
            MoveAlongGreatCircle(&camera.latDeg, &camera.lonDeg, shown.headingTrueDeg + 180.0,
                                 kFollowBehindLengths * length);
            camera.altMetres += kFollowAboveLengths * length;
        }
    }
    const RunwayScenery* runway = TheRunway();
    double groundMetres =
        (runway ? runway->elevationFeet : shown.groundElevationFeet) * kMetresPerFoot;
    double eyeMetres = camera.altMetres;
    camera.altMetres = std::fmax(camera.altMetres, groundMetres + kEyeAboveGroundMetres);
    camera.yawDeg = shown.headingTrueDeg;
    OrientCamera(&camera);
    Vec3 toShown = AircraftOffset(camera, shown);
    if (live && view->viewMode != kViewCockpit) {
        AimCamera(&camera, toShown);
    }
    DrawSky(dc, camera);
    DrawGround(dc, camera, groundMetres);
    DrawAirfield(dc, camera);

    // Far aircraft first, so that near ones cover them.
    const HostsimAircraft* present[kHostsimMaxAircraft];
    int count = PresentAircraft(present, kHostsimMaxAircraft);
    HostsimAircraft moved[kHostsimMaxAircraft];
    double distance[kHostsimMaxAircraft];
    int order[kHostsimMaxAircraft];
    for (int i = 0; i < count; ++i) {
        moved[i] = ExtrapolatedAircraft(*present[i], lead);
        distance[i] = Length(AircraftOffset(camera, moved[i]));
        order[i] = i;
    }
    std::sort(order, order + count, [&](int a, int b) { return distance[a] > distance[b]; });
    for (int k = 0; k < count; ++k) {
        const HostsimAircraft& a = moved[order[k]];
        bool isShown = live && a.id == shownId;
        if (view->viewMode == kViewCockpit && a.id == shownId) {
            continue;
        }
        DrawAircraft(dc, camera, a, isShown, groundMetres);
    }
    OverlayFacts facts = {};
    facts.viewMode = view->viewMode;
    facts.shown = live ? &shown : nullptr;
    facts.rangeMetres = Length(toShown);
    facts.eyeAboveGroundMetres = eyeMetres - groundMetres;
    facts.eyeAgeSeconds = history.changedAt < 0 ? -1 : gWorld.seconds - history.changedAt;
    facts.eyeChanges = history.changes;
    facts.leadSeconds = lead;
    DrawOverlay(dc, camera, facts);
}
} // namespace

void DrawViewPicture(HDC dc, int width, int height, double leadSeconds) {
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    Draw(dc, width, height, leadSeconds, false);
    SelectObject(dc, oldFont);
}

void PaintMainWindow(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT area;
    GetClientRect(window, &area);
    // Drawn into a DIB: Wine draws those itself instead of asking the X server for each shape.
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = area.right;
    info.bmiHeader.biHeight = -area.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    SetBkMode(memory, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(memory, GetStockObject(DEFAULT_GUI_FONT));
    if (gWorld.running) {
        Draw(memory, area.right, area.bottom, 0.0, true);
    }
    BitBlt(dc, 0, 0, area.right, area.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, oldFont);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    EndPaint(window, &paint);
}
