#pragma once
// Aircraft as the views show them: a small flat-shaded model turned to the aircraft's heading,
// pitched by its climb and banked by its turn, scaled by its size, with a shadow near the
// ground; far away a dot.
#include "hostsim/hostsim_records.h"
#include "hostsim/render_math.h"

// Where an aircraft will be after the given seconds of its present motion (the view draws
// between the host's seconds with it).
HostsimAircraft ExtrapolatedAircraft(const HostsimAircraft& aircraft, double seconds);

// Relative to the camera, in metres.
Vec3 AircraftOffset(const Camera& camera, const HostsimAircraft& aircraft);

// Draws one aircraft; the shown one (the view's target) carries a label with a frame.
void DrawAircraft(HDC dc, const Camera& camera, const HostsimAircraft& aircraft, bool shown,
                  double groundMetres);
