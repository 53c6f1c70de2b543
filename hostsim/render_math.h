#pragma once
// The view's geometry: a camera in local east/north/up metres, projection onto the window,
// clipping of polygons at the near plane, and flat-shaded polygon drawing with GDI.
#include <windows.h>

constexpr int kMaxPolygonPoints = 16;

struct Vec3 {
    double east, north, up;
};

Vec3 Add(Vec3 a, Vec3 b);
Vec3 Sub(Vec3 a, Vec3 b);
Vec3 Scale(Vec3 a, double s);
double Dot(Vec3 a, Vec3 b);
Vec3 Cross(Vec3 a, Vec3 b);
double Length(Vec3 a);

// Everything the camera sees is given relative to the camera's position.
struct Camera {
    double latDeg, lonDeg, altMetres;
    double yawDeg, pitchDeg;
    double focalPixels;
    int centreX, centreY;
    int width, height;
    Vec3 forward, right, up; // set by AimCamera
};

// Sets the camera's axes from its yaw and pitch.
void OrientCamera(Camera* camera);
// Turns the camera towards a point relative to it.
void AimCamera(Camera* camera, Vec3 target);
// Depth along the view direction, and the screen point; false when behind the near plane.
bool ProjectPoint(const Camera& camera, Vec3 point, POINT* screen);
double DepthOf(const Camera& camera, Vec3 point);
// The screen row of the horizon (may lie outside the window).
int HorizonRow(const Camera& camera);
// Pixels per metre at a point: how large things there appear.
double PixelsPerMetre(const Camera& camera, Vec3 point);

// Clips a polygon (relative to the camera) at the near plane and fills it; false when nothing
// of it lies in front of the camera.
bool FillPolygon(HDC dc, const Camera& camera, const Vec3* points, int count, COLORREF fill,
                 COLORREF edge);
COLORREF Shade(COLORREF colour, double factor); // factor 1 keeps the colour
COLORREF Mix(COLORREF a, COLORREF b, double t); // t 0 gives a, 1 gives b
