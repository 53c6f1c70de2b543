#include "hostsim/render_scenery.h"

#include "hostsim/host_geodesy.h"

#include <cmath>

namespace {
constexpr double kFieldMetres = 400.0;
constexpr int kFieldsEachWay = 18;
constexpr double kHazeMetres = 9000.0;
constexpr int kSkyBands = 24;
constexpr COLORREF kSkyTop = RGB(58, 110, 190);
constexpr COLORREF kSkyHorizon = RGB(190, 214, 236);
constexpr COLORREF kHaze = RGB(150, 172, 160);
constexpr COLORREF kAsphalt = RGB(72, 74, 80);
constexpr COLORREF kConcrete = RGB(150, 150, 146);
constexpr COLORREF kPaint = RGB(240, 240, 236);
const COLORREF kFields[] = {RGB(92, 138, 64),  RGB(104, 150, 70), RGB(84, 126, 58),
                            RGB(150, 150, 80), RGB(112, 146, 62), RGB(96, 132, 76)};

RunwayScenery runway;

// Local axes of the runway: along its heading and to its right, on the ground.
struct Frame {
    Vec3 origin, along, across;
};

Frame RunwayFrame(const Camera& camera) {
    LocalOffset o = OffsetFrom(camera.latDeg, camera.lonDeg, camera.altMetres, runway.latDeg,
                               runway.lonDeg, runway.elevationFeet * kMetresPerFoot + 0.02);
    double h = RadiansOf(runway.headingTrueDeg);
    return {{o.east, o.north, o.up}, {std::sin(h), std::cos(h), 0}, {std::cos(h), -std::sin(h), 0}};
}

Vec3 On(const Frame& frame, double along, double across, double up) {
    return Add(frame.origin,
               Add(Scale(frame.along, along), Add(Scale(frame.across, across), {0, 0, up})));
}

// A rectangle on the ground, given by its middle and its extent along and across the runway.
void GroundRect(HDC dc, const Camera& camera, const Frame& frame, double along, double across,
                double length, double width, double lift, COLORREF colour) {
    Vec3 corners[4] = {On(frame, along - length / 2, across - width / 2, lift),
                       On(frame, along + length / 2, across - width / 2, lift),
                       On(frame, along + length / 2, across + width / 2, lift),
                       On(frame, along - length / 2, across + width / 2, lift)};
    FillPolygon(dc, camera, corners, 4, colour, colour);
}

// A building: the faces that look towards the camera, lit from the south-east and above.
void Box(HDC dc, const Camera& camera, const Frame& frame, double along, double across,
         double length, double width, double height, COLORREF colour) {
    Vec3 base[4] = {On(frame, along - length / 2, across - width / 2, 0),
                    On(frame, along + length / 2, across - width / 2, 0),
                    On(frame, along + length / 2, across + width / 2, 0),
                    On(frame, along - length / 2, across + width / 2, 0)};
    Vec3 up = {0, 0, height};
    Vec3 sun = {0.35, -0.45, 0.82};
    for (int i = 0; i < 4; ++i) {
        Vec3 a = base[i], b = base[(i + 1) % 4];
        Vec3 wall[4] = {a, b, Add(b, up), Add(a, up)};
        Vec3 normal = Cross(Sub(b, a), up);
        if (Dot(normal, a) < 0) {
            double light = Dot(normal, sun) / Length(normal);
            FillPolygon(dc, camera, wall, 4, Shade(colour, 0.7 + 0.3 * std::fmax(0, light)),
                        Shade(colour, 0.5));
        }
    }
    Vec3 roof[4] = {Add(base[0], up), Add(base[1], up), Add(base[2], up), Add(base[3], up)};
    if (roof[0].up < 0) {
        FillPolygon(dc, camera, roof, 4, Shade(colour, 1.08), Shade(colour, 0.6));
    }
}

COLORREF FieldColour(long i, long j) {
    unsigned long hash = static_cast<unsigned long>(i * 73856093L ^ j * 19349663L);
    return kFields[hash % (sizeof kFields / sizeof kFields[0])];
}
} // namespace

void SetRunwayScenery(const RunwayScenery* scenery) {
    runway = scenery ? *scenery : RunwayScenery{};
}

const RunwayScenery* TheRunway() {
    return runway.present ? &runway : nullptr;
}

void DrawSky(HDC dc, const Camera& camera) {
    int horizon = HorizonRow(camera);
    int bottom = horizon < 0 ? 0 : horizon > camera.height ? camera.height : horizon;
    for (int band = 0; band < kSkyBands; ++band) {
        int top = bottom * band / kSkyBands, next = bottom * (band + 1) / kSkyBands;
        // The band's angle above the horizon decides its colour, so it stays put as the
        // camera turns up and down.
        double above = std::atan2(horizon - (top + next) / 2.0, camera.focalPixels);
        double t = std::fmin(1.0, std::fmax(0.0, above / RadiansOf(40.0)));
        RECT r = {0, top, camera.width, next};
        HBRUSH brush = CreateSolidBrush(Mix(kSkyHorizon, kSkyTop, std::sqrt(t)));
        FillRect(dc, &r, brush);
        DeleteObject(brush);
    }
    RECT ground = {0, bottom, camera.width, camera.height};
    HBRUSH brush = CreateSolidBrush(kHaze);
    FillRect(dc, &ground, brush);
    DeleteObject(brush);
}

void DrawGround(HDC dc, const Camera& camera, double groundMetres) {
    // Fields fixed to the earth: whole fields around the point below the camera.
    double metresPerDegLat = RadiansOf(1.0) * kEarthRadiusMetres;
    double metresPerDegLon = metresPerDegLat * std::cos(RadiansOf(camera.latDeg));
    double cameraNorth = camera.latDeg * metresPerDegLat;
    double cameraEast = camera.lonDeg * metresPerDegLon;
    long firstI = static_cast<long>(std::floor(cameraNorth / kFieldMetres));
    long firstJ = static_cast<long>(std::floor(cameraEast / kFieldMetres));
    double up = groundMetres - camera.altMetres;
    for (long i = firstI - kFieldsEachWay; i <= firstI + kFieldsEachWay; ++i) {
        for (long j = firstJ - kFieldsEachWay; j <= firstJ + kFieldsEachWay; ++j) {
            double north = i * kFieldMetres - cameraNorth, east = j * kFieldMetres - cameraEast;
            Vec3 corners[4] = {{east, north, up},
                               {east + kFieldMetres, north, up},
                               {east + kFieldMetres, north + kFieldMetres, up},
                               {east, north + kFieldMetres, up}};
            Vec3 middle = {east + kFieldMetres / 2, north + kFieldMetres / 2, up};
            double haze = std::fmin(1.0, Length(middle) / kHazeMetres);
            COLORREF colour = Mix(FieldColour(i, j), kHaze, haze * haze);
            FillPolygon(dc, camera, corners, 4, colour, Mix(colour, RGB(60, 90, 50), 0.3));
        }
    }
}

void DrawAirfield(HDC dc, const Camera& camera) {
    if (!runway.present) {
        return;
    }
    Frame frame = RunwayFrame(camera);
    double length = runway.lengthMetres, width = runway.widthMetres;
    double taxiway = width * 4;
    // Apron and taxiway first, the runway over them, markings last.
    GroundRect(dc, camera, frame, 0, -taxiway - 130, 420, 160, 0, kConcrete);
    GroundRect(dc, camera, frame, 0, -taxiway, length * 0.9, 23, 0, kConcrete);
    for (int k = -1; k <= 1; ++k) {
        GroundRect(dc, camera, frame, k * length * 0.42, -taxiway / 2, 23, taxiway, 0, kConcrete);
    }
    GroundRect(dc, camera, frame, 0, 0, length, width, 0.01, kAsphalt);
    for (double d = -length / 2 + 80; d < length / 2 - 80; d += 50) {
        GroundRect(dc, camera, frame, d + 15, 0, 30, 0.9, 0.02, kPaint);
    }
    for (int end = -1; end <= 1; end += 2) {
        for (int s = 0; s < 8; ++s) {
            double across = -width / 2 + width * (s + 0.5) / 8;
            GroundRect(dc, camera, frame, end * (length / 2 - 25), across, 30, width / 16, 0.02,
                       kPaint);
        }
        GroundRect(dc, camera, frame, end * (length / 2 - 300), width / 4, 60, 4, 0.02, kPaint);
        GroundRect(dc, camera, frame, end * (length / 2 - 300), -width / 4, 60, 4, 0.02, kPaint);
    }
    // Buildings on the far side of the apron: hangars, a terminal and the tower.
    double row = -taxiway - 240;
    Box(dc, camera, frame, -150, row, 60, 40, 14, RGB(170, 160, 140));
    Box(dc, camera, frame, -70, row, 60, 40, 14, RGB(160, 168, 176));
    Box(dc, camera, frame, 60, row - 10, 140, 30, 10, RGB(196, 186, 170));
    Box(dc, camera, frame, 180, row, 10, 10, 32, RGB(210, 210, 205));
}
