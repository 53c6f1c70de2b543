#include "hostsim/render_math.h"

#include "hostsim/host_geodesy.h"

#include <cmath>

namespace {
constexpr double kNearMetres = 0.5;
constexpr double kScreenLimit = 30000.0; // GDI coordinates stay well inside 16 bits
} // namespace

Vec3 Add(Vec3 a, Vec3 b) {
    return {a.east + b.east, a.north + b.north, a.up + b.up};
}
Vec3 Sub(Vec3 a, Vec3 b) {
    return {a.east - b.east, a.north - b.north, a.up - b.up};
}
Vec3 Scale(Vec3 a, double s) {
    return {a.east * s, a.north * s, a.up * s};
}
double Dot(Vec3 a, Vec3 b) {
    return a.east * b.east + a.north * b.north + a.up * b.up;
}
Vec3 Cross(Vec3 a, Vec3 b) {
    return {a.north * b.up - a.up * b.north, a.up * b.east - a.east * b.up,
            a.east * b.north - a.north * b.east};
}
double Length(Vec3 a) {
    return std::sqrt(Dot(a, a));
}

void OrientCamera(Camera* camera) {
    double yaw = RadiansOf(camera->yawDeg), pitch = RadiansOf(camera->pitchDeg);
    camera->forward = {std::sin(yaw) * std::cos(pitch), std::cos(yaw) * std::cos(pitch),
                       std::sin(pitch)};
    camera->right = {std::cos(yaw), -std::sin(yaw), 0};
    camera->up = {-std::sin(yaw) * std::sin(pitch), -std::cos(yaw) * std::sin(pitch),
                  std::cos(pitch)};
}

void AimCamera(Camera* camera, Vec3 target) {
    camera->yawDeg = DegreesOf(std::atan2(target.east, target.north));
    camera->pitchDeg = DegreesOf(std::atan2(target.up, std::hypot(target.east, target.north)));
    OrientCamera(camera);
}

double DepthOf(const Camera& camera, Vec3 point) {
    return Dot(point, camera.forward);
}

bool ProjectPoint(const Camera& camera, Vec3 point, POINT* screen) {
    double depth = DepthOf(camera, point);
    if (depth < kNearMetres) {
        return false;
    }
    double x = camera.centreX + camera.focalPixels * Dot(point, camera.right) / depth;
    double y = camera.centreY - camera.focalPixels * Dot(point, camera.up) / depth;
    if (std::fabs(x) > kScreenLimit || std::fabs(y) > kScreenLimit) {
        return false;
    }
    screen->x = static_cast<LONG>(std::lround(x));
    screen->y = static_cast<LONG>(std::lround(y));
    return true;
}

int HorizonRow(const Camera& camera) {
    double row = camera.centreY + camera.focalPixels * std::tan(RadiansOf(camera.pitchDeg));
    return static_cast<int>(row < -kScreenLimit  ? -kScreenLimit
                            : row > kScreenLimit ? kScreenLimit
                                                 : row);
}

double PixelsPerMetre(const Camera& camera, Vec3 point) {
    double depth = DepthOf(camera, point);
    return depth < kNearMetres ? 0.0 : camera.focalPixels / depth;
}

bool FillPolygon(HDC dc, const Camera& camera, const Vec3* points, int count, COLORREF fill,
                 COLORREF edge) {
    // Sutherland-Hodgman against the near plane, then projection of what is left.
    Vec3 clipped[kMaxPolygonPoints * 2];
    int kept = 0;
    for (int i = 0; i < count && kept < kMaxPolygonPoints * 2 - 1; ++i) {
        Vec3 a = points[i], b = points[(i + 1) % count];
        double da = DepthOf(camera, a) - kNearMetres, db = DepthOf(camera, b) - kNearMetres;
        if (da >= 0) {
            clipped[kept++] = a;
        }
        if ((da >= 0) != (db >= 0)) {
            clipped[kept++] = Add(a, Scale(Sub(b, a), da / (da - db)));
        }
    }
    if (kept < 3) {
        return false;
    }
    POINT screen[kMaxPolygonPoints * 2];
    for (int i = 0; i < kept; ++i) {
        Vec3 p = clipped[i];
        double depth = std::fmax(DepthOf(camera, p), kNearMetres);
        double x = camera.centreX + camera.focalPixels * Dot(p, camera.right) / depth;
        double y = camera.centreY - camera.focalPixels * Dot(p, camera.up) / depth;
        screen[i].x = static_cast<LONG>(std::fmax(-kScreenLimit, std::fmin(kScreenLimit, x)));
        screen[i].y = static_cast<LONG>(std::fmax(-kScreenLimit, std::fmin(kScreenLimit, y)));
    }
    HBRUSH brush = CreateSolidBrush(fill);
    HPEN pen = CreatePen(PS_SOLID, 1, edge);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Polygon(dc, screen, kept);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
    return true;
}

COLORREF Shade(COLORREF colour, double factor) {
    auto channel = [factor](int value) {
        double v = value * factor;
        return static_cast<BYTE>(v < 0 ? 0 : v > 255 ? 255 : v);
    };
    return RGB(channel(GetRValue(colour)), channel(GetGValue(colour)), channel(GetBValue(colour)));
}

COLORREF Mix(COLORREF a, COLORREF b, double t) {
    auto channel = [t](int x, int y) { return static_cast<BYTE>(x + (y - x) * t); };
    return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
               channel(GetBValue(a), GetBValue(b)));
}
