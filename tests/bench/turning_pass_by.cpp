// The picture of one pass-by in a standard-rate turn, straight and turn-aware side by side, seen
// from above with the aircraft's course at the placement pointing up. The eye points come from
// the real placement; the aircraft then flies its true circle through the period. Writes the
// drawing as ImageMagick vector graphics (MVG) to the file given, for `convert` to make a PNG.
#include <cstdio>

#include "turn_flight.h"

using namespace turn_flight;

namespace {

constexpr double kKnots = 120.0;
constexpr double kRateDegPerSec = -kStandardRateDegPerSec; // a left turn, as in a circuit
constexpr int32_t kPeriodSeconds = 20;                     // Svp
constexpr double kAfterPeriodSeconds = 6.0; // the track drawn faint past the next placement
constexpr double kTrackStepSeconds = 0.25;
constexpr double kGridMetres = 200.0;
constexpr double kScaleBarMetres = 200.0;
constexpr double kInsetPixelsPerMetre = 3.0;
constexpr double kInsetScaleBarMetres = 10.0;
constexpr double kInsetStepSeconds = 0.02;
constexpr int kInsetLeft = 24, kInsetTop = 380; // in the turn-aware panel, below-left of the turn
constexpr int kInsetWidth = 250, kInsetHeight = 230;

// Layout of the canvas, pixels.
constexpr int kWidth = 1120;
constexpr int kHeight = 860;
constexpr int kPanelLeft[2] = {24, 572};
constexpr int kPanelWidth = 524;
constexpr int kPanelTop = 78;
constexpr int kPanelHeight = 660;
constexpr int kPlotMargin = 44; // inside a panel, around what is drawn
constexpr int kLabelRoom = 70;  // more on the right, for the distance beside the eye point

constexpr const char* kTrackColour = "#3a3a3a";
constexpr const char* kPredictColour = "#e07b00";
constexpr const char* kEyeColour = "#1f5fbf";
constexpr const char* kMissColour = "#c62828";
constexpr const char* kAircraftColour = "#f2c200";

// Metres along the course at the placement and to its right.
struct Frame {
    double forward, right;
};

struct Pass {
    const char* title;
    PlacementLegs legs;
    double rateDegPerSec; // what the placement assumed: 0 when straight
    Approach closest;
};

struct View {
    double scale; // pixels per metre
    double minRight, maxForward;
    int left, top;             // of the plot area
    int clipWidth, clipHeight; // lines leaving this much of it are left out; 0: none
    double stepSeconds;        // of the lines that draw an arc
};

Frame ToFrame(const PlacementInputs& in, Metres m) {
    const double h = TrueHeadingDeg(in) * kPi / 180;
    return Frame{m.east * std::sin(h) + m.north * std::cos(h),
                 m.east * std::cos(h) - m.north * std::sin(h)};
}

double X(const View& v, Frame f) {
    return v.left + (f.right - v.minRight) * v.scale;
}

double Y(const View& v, Frame f) {
    return v.top + (v.maxForward - f.forward) * v.scale;
}

Frame OnTrack(const PlacementInputs& in, double rate, double t) {
    return ToFrame(in, LocalMetres(in, FlownFor(in, rate, t).at));
}

Frame Eye(const PlacementInputs& in, const PlacementLegs& legs) {
    return ToFrame(in, LocalMetres(in, legs.latDeg, legs.lonDeg));
}

Frame Predicted(const PlacementInputs& in, const PlacementLegs& legs) {
    return ToFrame(in, LocalMetres(in, legs.latAheadDeg, legs.lonAheadDeg));
}

// One scale for both panels, fitted to everything either draws.
View FitView(const PlacementInputs& in, const Pass (&passes)[2]) {
    double minR = 0, maxR = 0, minF = 0, maxF = 0;
    auto grow = [&](Frame f) {
        minR = std::fmin(minR, f.right);
        maxR = std::fmax(maxR, f.right);
        minF = std::fmin(minF, f.forward);
        maxF = std::fmax(maxF, f.forward);
    };
    for (double t = 0; t <= kPeriodSeconds + kAfterPeriodSeconds; t += kTrackStepSeconds) {
        grow(OnTrack(in, kRateDegPerSec, t));
    }
    for (const Pass& p : passes) {
        grow(Eye(in, p.legs));
        grow(Predicted(in, p.legs));
    }
    const double inner = kPanelWidth - 2 * kPlotMargin - kLabelRoom;
    const double tall = kPanelHeight - 2 * kPlotMargin;
    View v{};
    v.scale = std::fmin(inner / (maxR - minR), tall / (maxF - minF));
    // Centred in the panel.
    v.minRight = (minR + maxR) / 2 - inner / v.scale / 2;
    v.maxForward = (minF + maxF) / 2 + tall / v.scale / 2;
    v.top = kPanelTop + kPlotMargin;
    v.stepSeconds = kTrackStepSeconds;
    return v;
}

void Text(FILE* out, double x, double y, int size, const char* colour, const char* weight,
          const char* text) {
    std::fprintf(out,
                 "push graphic-context\n fill '%s'\n stroke none\n font-size %d\n font-weight %s\n"
                 " text %.1f %.1f '%s'\npop graphic-context\n",
                 colour, size, weight, x, y, text);
}

void Grid(FILE* out, const View& v) {
    std::fprintf(out, "push graphic-context\n stroke '#ececec'\n stroke-width 1\n");
    const double right0 = std::ceil(v.minRight / kGridMetres) * kGridMetres;
    for (double r = right0; X(v, Frame{0, r}) < v.left + kPanelWidth - 2 * kPlotMargin;
         r += kGridMetres) {
        const double x = X(v, Frame{0, r});
        std::fprintf(out, " line %.1f %d %.1f %d\n", x, v.top, x,
                     v.top + kPanelHeight - 2 * kPlotMargin);
    }
    const double forward0 = std::floor(v.maxForward / kGridMetres) * kGridMetres;
    for (double f = forward0; Y(v, Frame{f, 0}) < v.top + kPanelHeight - 2 * kPlotMargin;
         f -= kGridMetres) {
        const double y = Y(v, Frame{f, 0});
        std::fprintf(out, " line %d %.1f %d %.1f\n", v.left, y,
                     v.left + kPanelWidth - 2 * kPlotMargin, y);
    }
    std::fprintf(out, "pop graphic-context\n");
}

// The circle of the given rate from t0 to t1 seconds, as short lines (a path would be closed).
bool Inside(const View& v, Frame f) {
    return v.clipWidth == 0 || (X(v, f) >= v.left && X(v, f) <= v.left + v.clipWidth &&
                                Y(v, f) >= v.top && Y(v, f) <= v.top + v.clipHeight);
}

void Arc(FILE* out, const PlacementInputs& in, const View& v, double rate, double t0, double t1) {
    Frame from = OnTrack(in, rate, t0);
    for (double t = t0 + v.stepSeconds; t <= t1 + 1e-9; t += v.stepSeconds) {
        const Frame to = OnTrack(in, rate, t);
        if (Inside(v, from) && Inside(v, to)) {
            std::fprintf(out, " line %.1f %.1f %.1f %.1f\n", X(v, from), Y(v, from), X(v, to),
                         Y(v, to));
        }
        from = to;
    }
}

void Track(FILE* out, const PlacementInputs& in, const View& v) {
    std::fprintf(out,
                 "push graphic-context\n fill none\n stroke '%s'\n stroke-width 3.5\n"
                 " stroke-linecap round\n",
                 kTrackColour);
    Arc(out, in, v, kRateDegPerSec, 0, kPeriodSeconds);
    std::fprintf(out, " stroke-width 2\n stroke-opacity 0.35\n");
    Arc(out, in, v, kRateDegPerSec, kPeriodSeconds, kPeriodSeconds + kAfterPeriodSeconds);
    std::fprintf(out, "pop graphic-context\n");
    // A mark every five seconds of flight.
    for (int t = 5; t <= kPeriodSeconds; t += 5) {
        const Frame f = OnTrack(in, kRateDegPerSec, t);
        std::fprintf(out,
                     "push graphic-context\n fill white\n stroke '%s'\n stroke-width 2\n"
                     " circle %.1f %.1f %.1f %.1f\npop graphic-context\n",
                     kTrackColour, X(v, f), Y(v, f), X(v, f) + 4, Y(v, f));
        char label[16];
        std::snprintf(label, sizeof label, "%d s", t);
        Text(out, X(v, f) - 34, Y(v, f) + 5, 13, "#555555", "normal", label);
    }
}

// The aircraft at the placement: a small arrowhead along its course.
void Aircraft(FILE* out, const View& v) {
    const double x = X(v, Frame{0, 0}), y = Y(v, Frame{0, 0});
    std::fprintf(out,
                 "push graphic-context\n fill '%s'\n stroke '#5a4a00'\n stroke-width 1.5\n"
                 " polygon %.1f,%.1f %.1f,%.1f %.1f,%.1f %.1f,%.1f\npop graphic-context\n",
                 kAircraftColour, x, y - 13, x + 9, y + 9, x, y + 4, x - 9, y + 9);
}

void Prediction(FILE* out, const PlacementInputs& in, const View& v, const Pass& p) {
    const Frame ahead = Predicted(in, p.legs);
    std::fprintf(out,
                 "push graphic-context\n fill none\n stroke '%s'\n stroke-width 2.5\n"
                 " stroke-dasharray 5 3\n",
                 kPredictColour);
    if (p.rateDegPerSec == 0) {
        std::fprintf(out, " line %.1f %.1f %.1f %.1f\n", X(v, Frame{0, 0}), Y(v, Frame{0, 0}),
                     X(v, ahead), Y(v, ahead));
    } else {
        Arc(out, in, v, p.rateDegPerSec, 0, kPeriodSeconds / 2.0);
    }
    // The sideways leg from the predicted position to the eye point.
    const Frame eye = Eye(in, p.legs);
    std::fprintf(
        out,
        " stroke-width 1.5\n stroke-dasharray 3 3\n line %.1f %.1f %.1f %.1f\n"
        " stroke-dasharray none\n fill white\n stroke-width 2.5\n circle %.1f %.1f %.1f %.1f\n"
        "pop graphic-context\n",
        X(v, ahead), Y(v, ahead), X(v, eye), Y(v, eye), X(v, ahead), Y(v, ahead), X(v, ahead) + 5,
        Y(v, ahead));
}

void EyeAndMiss(FILE* out, const PlacementInputs& in, const View& v, const Pass& p) {
    const Frame eye = Eye(in, p.legs);
    const Frame near = ToFrame(in, p.closest.at);
    const double ex = X(v, eye), ey = Y(v, eye), nx = X(v, near), ny = Y(v, near);
    std::fprintf(out,
                 "push graphic-context\n fill none\n stroke '%s'\n stroke-width 1.5\n"
                 " stroke-dasharray 4 3\n circle %.1f %.1f %.1f %.1f\npop graphic-context\n",
                 kEyeColour, ex, ey, ex + IntendedMetres() * v.scale, ey);
    std::fprintf(
        out,
        "push graphic-context\n stroke '%s'\n stroke-width 2.5\n line %.1f %.1f %.1f %.1f\n"
        " fill '%s'\n circle %.1f %.1f %.1f %.1f\npop graphic-context\n",
        kMissColour, ex, ey, nx, ny, kMissColour, nx, ny, nx + 4, ny);
    std::fprintf(out,
                 "push graphic-context\n fill '%s'\n stroke white\n stroke-width 2\n"
                 " circle %.1f %.1f %.1f %.1f\npop graphic-context\n",
                 kEyeColour, ex, ey, ex + 7, ey);
    // The distance to the right of the eye point, where the left turn leaves room.
    char label[32];
    std::snprintf(label, sizeof label, "%.0f m", p.closest.metres);
    Text(out, ex + 16, ey + 7, 20, kMissColour, "bold", label);
}

void ScaleBar(FILE* out, const View& v, double x, double y, double metres) {
    const double length = metres * v.scale;
    std::fprintf(out,
                 "push graphic-context\n stroke '#222222'\n stroke-width 2\n fill none\n"
                 " line %.1f %.1f %.1f %.1f\n line %.1f %.1f %.1f %.1f\n line %.1f %.1f %.1f %.1f\n"
                 " line %.1f %.1f %.1f %.1f\npop graphic-context\n",
                 x, y, x + length, y, x, y - 6, x, y + 1, x + length / 2, y - 4, x + length / 2,
                 y + 1, x + length, y - 6, x + length, y + 1);
    Text(out, x - 3, y - 10, 13, "#222222", "normal", "0");
    char label[16];
    std::snprintf(label, sizeof label, "%.0f m", metres);
    Text(out, x + length - 14, y - 10, 13, "#222222", "normal", label);
}

// North, turned by the course at the placement, which points up.
void NorthArrow(FILE* out, const PlacementInputs& in, int panelLeft) {
    const double h = TrueHeadingDeg(in) * kPi / 180;
    const double cx = panelLeft + kPanelWidth - 34, cy = kPanelTop + 40, r = 18;
    const double dx = -std::sin(h), dy = -std::cos(h); // screen direction of north
    std::fprintf(out,
                 "push graphic-context\n stroke '#666666'\n stroke-width 2\n"
                 " line %.1f %.1f %.1f %.1f\n fill '#666666'\n circle %.1f %.1f %.1f %.1f\n"
                 "pop graphic-context\n",
                 cx - dx * r, cy - dy * r, cx + dx * r, cy + dy * r, cx + dx * r, cy + dy * r,
                 cx + dx * r + 3.5, cy + dy * r);
    Text(out, cx + dx * (r + 14) - 5, cy + dy * (r + 14) + 5, 13, "#666666", "bold", "N");
}

// The surroundings of the eye point enlarged, in a box of the panel, and that box's extent
// marked around the eye point itself.
void Inset(FILE* out, const PlacementInputs& in, const View& v, const Pass& p, int panelLeft) {
    const Frame eye = Eye(in, p.legs);
    const Frame near = ToFrame(in, p.closest.at);
    View zoom{};
    zoom.scale = kInsetPixelsPerMetre;
    zoom.minRight = (eye.right + near.right) / 2 - kInsetWidth / 2.0 / zoom.scale;
    zoom.maxForward = (eye.forward + near.forward) / 2 + kInsetHeight / 2.0 / zoom.scale;
    zoom.left = panelLeft + kInsetLeft;
    zoom.top = kPanelTop + kInsetTop;
    zoom.clipWidth = kInsetWidth;
    zoom.clipHeight = kInsetHeight;
    zoom.stepSeconds = kInsetStepSeconds;
    const Frame corner{zoom.maxForward, zoom.minRight};
    const Frame far{zoom.maxForward - kInsetHeight / zoom.scale,
                    zoom.minRight + kInsetWidth / zoom.scale};
    std::fprintf(out,
                 "push graphic-context\n fill none\n stroke '#888888'\n stroke-width 1\n"
                 " rectangle %.1f %.1f %.1f %.1f\n fill white\n rectangle %d %d %d %d\n"
                 "pop graphic-context\n",
                 X(v, corner), Y(v, corner), X(v, far), Y(v, far), zoom.left, zoom.top,
                 zoom.left + kInsetWidth, zoom.top + kInsetHeight);
    std::fprintf(out, "push graphic-context\n fill none\n stroke '%s'\n stroke-width 3.5\n",
                 kTrackColour);
    Arc(out, in, zoom, kRateDegPerSec, 0, kPeriodSeconds);
    std::fprintf(out, "pop graphic-context\n");
    Prediction(out, in, zoom, p);
    EyeAndMiss(out, in, zoom, p);
    ScaleBar(out, zoom, zoom.left + 12, zoom.top + kInsetHeight - 12, kInsetScaleBarMetres);
    char caption[48];
    std::snprintf(caption, sizeof caption, "around the eye point, \u00d7%.0f",
                  zoom.scale / v.scale);
    Text(out, zoom.left, zoom.top - 8, 13, "#555555", "normal", caption);
}

void Panel(FILE* out, const PlacementInputs& in, View v, const Pass& p, int panelLeft) {
    v.left = panelLeft + kPlotMargin;
    std::fprintf(out,
                 "push graphic-context\n fill '#fbfbf8'\n stroke '#c8c8c8'\n stroke-width 1\n"
                 " roundrectangle %d %d %d %d 8 8\npop graphic-context\n",
                 panelLeft, kPanelTop, panelLeft + kPanelWidth, kPanelTop + kPanelHeight);
    Grid(out, v);
    Track(out, in, v);
    Prediction(out, in, v, p);
    Aircraft(out, v);
    EyeAndMiss(out, in, v, p);
    ScaleBar(out, v, panelLeft + 22, kPanelTop + kPanelHeight - 24, kScaleBarMetres);
    NorthArrow(out, in, panelLeft);
    Text(out, panelLeft + 18, kPanelTop + 34, 24, "#111111", "bold", p.title);
    char line[96];
    std::snprintf(line, sizeof line, "closest approach %.0f m (meant: %.0f m)", p.closest.metres,
                  IntendedMetres());
    Text(out, panelLeft + 18, kPanelTop + 58, 15, "#333333", "normal", line);
    if (p.rateDegPerSec != 0) {
        Inset(out, in, v, p, panelLeft);
    }
}

void LegendItem(FILE* out, double x, double y, const char* shape, const char* text) {
    std::fprintf(out, "push graphic-context\n%s\npop graphic-context\n", shape);
    Text(out, x + 30, y + 5, 14, "#333333", "normal", text);
}

void Legend(FILE* out, double y) {
    char shape[320];
    double x = 30;
    std::snprintf(shape, sizeof shape,
                  " fill '%s'\n stroke '#5a4a00'\n polygon %.0f,%.0f %.0f,%.0f %.0f,%.0f",
                  kAircraftColour, x + 10, y - 9, x + 17, y + 8, x + 3, y + 8);
    LegendItem(out, x, y, shape, "aircraft at the placement, course up");
    x = 340;
    std::snprintf(shape, sizeof shape, " stroke '%s'\n stroke-width 3.5\n line %.0f %.0f %.0f %.0f",
                  kTrackColour, x, y, x + 22, y);
    LegendItem(out, x, y, shape, "its flight through the period (a mark every 5 s)");
    x = 30, y += 28;
    std::snprintf(shape, sizeof shape,
                  " stroke '%s'\n stroke-width 2.5\n stroke-dasharray 5 3\n line %.0f %.0f %.0f "
                  "%.0f\n stroke-dasharray none\n fill white\n circle %.0f %.0f %.0f %.0f",
                  kPredictColour, x, y, x + 16, y, x + 20, y, x + 25, y);
    LegendItem(out, x, y, shape, "where the placement expects it half a period ahead");
    x = 460;
    std::snprintf(shape, sizeof shape,
                  " fill '%s'\n stroke white\n circle %.0f %.0f %.0f %.0f\n fill none\n"
                  " stroke '%s'\n stroke-dasharray 4 3\n circle %.0f %.0f %.0f %.0f",
                  kEyeColour, x + 11, y, x + 18, y, kEyeColour, x + 11, y, x + 24, y);
    LegendItem(out, x + 4, y, shape, "eye point; the circle: the distance meant");
    x = 30, y += 28;
    std::snprintf(shape, sizeof shape, " stroke '%s'\n stroke-width 2.5\n line %.0f %.0f %.0f %.0f",
                  kMissColour, x, y, x + 22, y);
    LegendItem(out, x, y, shape, "closest approach of the aircraft to the eye point (in 3-D)");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: turning_pass_by OUT.mvg\n");
        return 2;
    }
    FILE* out = std::fopen(argv[1], "w");
    if (!out) {
        std::fprintf(stderr, "turning_pass_by: cannot write %s\n", argv[1]);
        return 1;
    }
    const PlacementInputs in = TurnCase(kKnots);
    PlacementParameters params{kPeriodSeconds, kLateralSizes, kAltitudeSizes, 0};
    Pass passes[2];
    passes[0].title = "straight";
    passes[0].legs = ComputePlacementLegs(in, params);
    passes[0].rateDegPerSec = 0;
    params.turnRateDegPerSec = EstimatedRate(in, kRateDegPerSec);
    passes[1].title = "turn-aware";
    passes[1].legs = ComputePlacementLegs(in, params);
    passes[1].rateDegPerSec = params.turnRateDegPerSec;
    for (Pass& p : passes) {
        p.closest = ClosestApproach(in, p.legs, kRateDegPerSec, kPeriodSeconds);
    }

    std::fprintf(out, "viewbox 0 0 %d %d\nfont 'DejaVu-Sans'\nfill white\nrectangle 0 0 %d %d\n",
                 kWidth, kHeight, kWidth, kHeight);
    char title[128];
    std::snprintf(title, sizeof title,
                  "One pass-by in a standard-rate turn: %.0f kt, %.0f\u00b0/s to the left, "
                  "period %d s",
                  kKnots, -kRateDegPerSec, static_cast<int>(kPeriodSeconds));
    Text(out, 24, 40, 24, "#111111", "bold", title);
    Text(out, 24, 64, 15, "#444444", "normal",
         "Seen from above. Eye point beside the track by 2 sizes and above it by 1 (36 ft "
         "aircraft); the real placement, the true turn.");
    const View view = FitView(in, passes);
    for (int i = 0; i < 2; ++i) {
        Panel(out, in, view, passes[i], kPanelLeft[i]);
    }
    Legend(out, kPanelTop + kPanelHeight + 30);
    std::fclose(out);
    for (const Pass& p : passes) {
        std::printf("turning pass-by: %s closest approach %.1f m at %.1f s\n", p.title,
                    p.closest.metres, p.closest.seconds);
    }
    return 0;
}
