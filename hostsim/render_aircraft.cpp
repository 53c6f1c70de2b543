#include "hostsim/render_aircraft.h"

#include "hostsim/aircraft.h"
#include "hostsim/host_geodesy.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {
constexpr double kDefaultLengthMetres = 30.0;
constexpr double kGravity = 9.81;
constexpr double kMaxBankDeg = 35.0;
constexpr double kShadowHeightMetres = 400.0;
constexpr int kDotPixels = 7;
constexpr int kMaxFaces = 64;
constexpr int kFuselageSides = 6;
constexpr int kStations = 6;
constexpr COLORREF kBody = RGB(236, 238, 242);
constexpr COLORREF kWing = RGB(190, 196, 204);
constexpr COLORREF kEdge = RGB(70, 74, 84);
constexpr COLORREF kShadow = RGB(52, 78, 40);
constexpr COLORREF kTargetLabel = RGB(255, 214, 60);
constexpr COLORREF kOtherLabel = RGB(235, 235, 235);
const COLORREF kTailColours[] = {RGB(200, 40, 40),  RGB(30, 80, 180),  RGB(20, 140, 90),
                                 RGB(230, 140, 20), RGB(120, 50, 160), RGB(0, 150, 170)};

// Body axes in metres: ahead, right, up, at the model's scale.
struct Body {
    Vec3 centre, ahead, right, up;
    double length;
};

struct Face {
    Vec3 points[4];
    int count;
    COLORREF colour;
    bool twoSided; // flat parts are seen from both sides
    double depth;
};

// The fuselage's stations along the body: position ahead and radius, in lengths.
const double kStationAhead[kStations] = {0.50, 0.42, 0.30, -0.22, -0.44, -0.50};
const double kStationRadius[kStations] = {0.0, 0.038, 0.055, 0.055, 0.025, 0.01};

Vec3 At(const Body& body, double ahead, double right, double up) {
    return Add(body.centre,
               Add(Scale(body.ahead, ahead * body.length),
                   Add(Scale(body.right, right * body.length), Scale(body.up, up * body.length))));
}

Body BodyOf(const Camera& camera, const HostsimAircraft& a) {
    Body body;
    body.centre = AircraftOffset(camera, a);
    body.length = std::isfinite(a.sizeFeet) && a.sizeFeet > 0 ? a.sizeFeet * kMetresPerFoot
                                                              : kDefaultLengthMetres;
    double speed = std::fmax(a.speedKnots, 1.0) * kMetresPerNauticalMile / kSecondsPerHour;
    double climb =
        std::isfinite(a.verticalSpeedFpm) ? a.verticalSpeedFpm * kMetresPerFoot / 60 : 0.0;
    double pitch = std::atan2(climb, speed);
    double bank = std::atan(speed * RadiansOf(a.turnRateDegPerSec) / kGravity);
    bank = std::fmax(-RadiansOf(kMaxBankDeg), std::fmin(RadiansOf(kMaxBankDeg), bank));
    double heading = RadiansOf(a.headingTrueDeg);
    Vec3 ahead = {std::sin(heading) * std::cos(pitch), std::cos(heading) * std::cos(pitch),
                  std::sin(pitch)};
    Vec3 level = {std::cos(heading), -std::sin(heading), 0};
    Vec3 up = Cross(level, ahead);
    body.ahead = ahead;
    body.right = Sub(Scale(level, std::cos(bank)), Scale(up, std::sin(bank)));
    body.up = Add(Scale(up, std::cos(bank)), Scale(level, std::sin(bank)));
    return body;
}

void AddFace(Face* faces, int* count, const Vec3* points, int n, COLORREF colour, bool twoSided) {
    if (*count == kMaxFaces) {
        return;
    }
    Face& face = faces[(*count)++];
    for (int i = 0; i < n; ++i) {
        face.points[i] = points[i];
    }
    face.count = n;
    face.colour = colour;
    face.twoSided = twoSided;
}

void AddPlate(Face* faces, int* count, const Body& body, const double (*corners)[3],
              COLORREF colour) {
    Vec3 points[4];
    for (int i = 0; i < 4; ++i) {
        points[i] = At(body, corners[i][0], corners[i][1], corners[i][2]);
    }
    AddFace(faces, count, points, 4, colour, true);
}

int BuildModel(const Body& body, COLORREF tail, Face* faces) {
    int count = 0;
    // Fuselage: rings of six points at each station, joined by quads (the nose by triangles).
    Vec3 rings[kStations][kFuselageSides];
    for (int s = 0; s < kStations; ++s) {
        for (int k = 0; k < kFuselageSides; ++k) {
            double angle = RadiansOf(360.0) * k / kFuselageSides;
            rings[s][k] = At(body, kStationAhead[s], kStationRadius[s] * std::cos(angle),
                             kStationRadius[s] * std::sin(angle) * 1.1);
        }
    }
    for (int s = 0; s + 1 < kStations; ++s) {
        for (int k = 0; k < kFuselageSides; ++k) {
            int next = (k + 1) % kFuselageSides;
            Vec3 quad[4] = {rings[s][k], rings[s][next], rings[s + 1][next], rings[s + 1][k]};
            AddFace(faces, &count, quad, s == 0 ? 3 : 4, kBody, false);
        }
    }
    const double wings[2][4][3] = {
        {{0.08, 0.04, -0.03}, {-0.04, 0.48, 0.0}, {-0.13, 0.48, 0.0}, {-0.12, 0.04, -0.03}},
        {{0.08, -0.04, -0.03}, {-0.04, -0.48, 0.0}, {-0.13, -0.48, 0.0}, {-0.12, -0.04, -0.03}}};
    const double stabs[2][4][3] = {
        {{-0.36, 0.02, 0.01}, {-0.45, 0.18, 0.02}, {-0.50, 0.18, 0.02}, {-0.48, 0.02, 0.01}},
        {{-0.36, -0.02, 0.01}, {-0.45, -0.18, 0.02}, {-0.50, -0.18, 0.02}, {-0.48, -0.02, 0.01}}};
    const double fin[4][3] = {
        {-0.32, 0, 0.04}, {-0.45, 0, 0.21}, {-0.52, 0, 0.21}, {-0.49, 0, 0.02}};
    for (int side = 0; side < 2; ++side) {
        AddPlate(faces, &count, body, wings[side], kWing);
        AddPlate(faces, &count, body, stabs[side], kWing);
    }
    AddPlate(faces, &count, body, fin, tail);
    return count;
}

Vec3 FaceNormal(const Face& face) {
    return Cross(Sub(face.points[1], face.points[0]), Sub(face.points[2], face.points[0]));
}

void DrawShadow(HDC dc, const Camera& camera, const Body& body, double groundUp) {
    const double outline[][2] = {{0.5, 0},       {0.1, 0.05},    {-0.04, 0.48},  {-0.13, 0.48},
                                 {-0.15, 0.05},  {-0.45, 0.03},  {-0.5, 0.18},   {-0.52, 0},
                                 {-0.5, -0.18},  {-0.45, -0.03}, {-0.15, -0.05}, {-0.13, -0.48},
                                 {-0.04, -0.48}, {0.1, -0.05}};
    constexpr int n = sizeof outline / sizeof outline[0];
    Vec3 points[n];
    for (int i = 0; i < n; ++i) {
        points[i] = At(body, outline[i][0], outline[i][1], 0);
        points[i].up = groundUp;
    }
    FillPolygon(dc, camera, points, n, kShadow, kShadow);
}

void DrawLabel(HDC dc, POINT at, const HostsimAircraft& a, bool shown) {
    char label[96];
    snprintf(label, sizeof label, "#%d %.40s", a.id, a.type[0] ? a.type : a.typeFallback);
    int length = static_cast<int>(strlen(label));
    if (shown) {
        SIZE size;
        GetTextExtentPoint32A(dc, label, length, &size);
        RECT box = {at.x - 3, at.y - 1, at.x + size.cx + 3, at.y + size.cy + 1};
        HBRUSH brush = CreateSolidBrush(RGB(30, 34, 44));
        FillRect(dc, &box, brush);
        DeleteObject(brush);
    }
    SetTextColor(dc, shown ? kTargetLabel : kOtherLabel);
    TextOutA(dc, at.x, at.y, label, length);
}
} // namespace

HostsimAircraft ExtrapolatedAircraft(const HostsimAircraft& aircraft, double seconds) {
    HostsimAircraft a = aircraft;
    if (seconds > 0) {
        AdvanceAircraft(a, seconds);
    }
    return a;
}

Vec3 AircraftOffset(const Camera& camera, const HostsimAircraft& a) {
    LocalOffset o = OffsetFrom(camera.latDeg, camera.lonDeg, camera.altMetres, a.latitudeDeg,
                               a.longitudeDeg, a.altitudeFeet * kMetresPerFoot);
    return {o.east, o.north, o.up};
}

void DrawAircraft(HDC dc, const Camera& camera, const HostsimAircraft& a, bool shown,
                  double groundMetres) {
    if (!std::isfinite(a.latitudeDeg) || !std::isfinite(a.longitudeDeg) ||
        !std::isfinite(a.altitudeFeet) || !std::isfinite(a.headingTrueDeg)) {
        return;
    }
    Body body = BodyOf(camera, a);
    POINT middle;
    if (!ProjectPoint(camera, body.centre, &middle)) {
        return;
    }
    double pixels = PixelsPerMetre(camera, body.centre) * body.length;
    double groundUp = groundMetres - camera.altMetres;
    double height = body.centre.up - groundUp;
    COLORREF tail = kTailColours[static_cast<unsigned>(a.id) % 6];
    if (pixels < kDotPixels) {
        HBRUSH brush = CreateSolidBrush(shown ? kTargetLabel : kBody);
        RECT r = {middle.x - 2, middle.y - 2, middle.x + 3, middle.y + 3};
        FillRect(dc, &r, brush);
        DeleteObject(brush);
    } else {
        if (height < kShadowHeightMetres) {
            DrawShadow(dc, camera, body, groundUp + 0.05);
        }
        Face faces[kMaxFaces];
        int count = BuildModel(body, tail, faces);
        Vec3 sun = {0.35, -0.45, 0.82};
        for (int i = 0; i < count; ++i) {
            Vec3 sum = {0, 0, 0};
            for (int k = 0; k < faces[i].count; ++k) {
                sum = Add(sum, faces[i].points[k]);
            }
            faces[i].depth = Length(Scale(sum, 1.0 / faces[i].count));
        }
        std::sort(faces, faces + count,
                  [](const Face& x, const Face& y) { return x.depth > y.depth; });
        for (int i = 0; i < count; ++i) {
            Vec3 normal = FaceNormal(faces[i]);
            double size = Length(normal);
            if (size <= 0) {
                continue;
            }
            normal = Scale(normal, 1.0 / size);
            bool facing = Dot(normal, faces[i].points[0]) < 0;
            if (!faces[i].twoSided && !facing) {
                continue;
            }
            double light = Dot(facing ? normal : Scale(normal, -1), sun);
            double factor = 0.62 + 0.38 * std::fmax(0.0, light);
            FillPolygon(dc, camera, faces[i].points, faces[i].count, Shade(faces[i].colour, factor),
                        pixels > 60 ? kEdge : Shade(faces[i].colour, factor));
        }
    }
    DrawLabel(dc,
              {middle.x + static_cast<LONG>(std::fmin(pixels * 0.35, 200)) + 8,
               middle.y + static_cast<LONG>(std::fmin(pixels * 0.12, 80)) + 6},
              a, shown);
}
