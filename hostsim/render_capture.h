#pragma once
// Pictures the host saves as BMP files into the picture folder (HostsimSetPictureFolder): the
// view every few seconds, frames of an animation between two seconds, and screenshots of the
// window with the module's windows or an open menu, when scenario actions ask for them.
constexpr int kMaxAnimationSpans = 4;

struct CapturePlan {
    int stillEverySeconds; // 0: no stills
    int framesPerSecond;   // animation frames per host second
    int spanCount;
    int spanFrom[kMaxAnimationSpans], spanTo[kMaxAnimationSpans]; // host seconds, end excluded
};

void SetCapturePlan(const CapturePlan& plan);
// Saves what the plan asks for at the host's current second; called once per host second.
void CaptureAfterSecond();
