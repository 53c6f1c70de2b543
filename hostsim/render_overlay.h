#pragma once
// The numbers over the view: which view, which aircraft at what distance, how old the eye
// point is, and a small map of the eye point, the aircraft and the runway.
#include "hostsim/hostsim_records.h"
#include "hostsim/render_math.h"

struct OverlayFacts {
    int32_t viewMode;
    const HostsimAircraft* shown; // null: the view shows no aircraft
    double rangeMetres;
    double eyeAboveGroundMetres;
    int eyeAgeSeconds; // -1: the eye point has not changed since the start
    int eyeChanges;
    double leadSeconds; // how far past the host's second this picture is drawn
};

void DrawOverlay(HDC dc, const Camera& camera, const OverlayFacts& facts);
