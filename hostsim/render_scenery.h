#pragma once
// What the views show besides aircraft: sky, fields on the ground that move past the eye, and
// an airfield with a runway, taxiway, apron, hangars and a tower when the scenario has one.
#include "hostsim/render_math.h"

struct RunwayScenery {
    bool present;
    double latDeg, lonDeg; // the runway's middle
    double headingTrueDeg;
    double lengthMetres, widthMetres;
    double elevationFeet;
};

void SetRunwayScenery(const RunwayScenery* runway); // null: no airfield
const RunwayScenery* TheRunway();

void DrawSky(HDC dc, const Camera& camera);
void DrawGround(HDC dc, const Camera& camera, double groundMetres);
void DrawAirfield(HDC dc, const Camera& camera);
