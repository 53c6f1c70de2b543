#include "hostsim/render_capture.h"

#include "hostsim/host_world.h"
#include "hostsim/hostsim_pictures.h"
#include "hostsim/hostsim_window.h"
#include "hostsim/view_render.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace {
constexpr int kMaxMenuDepth = 4;
constexpr int kMenuTextBytes = 128;
constexpr UINT kMenuStepMilliseconds = 120;
constexpr int kMaxWindowsShot = 32;

char folder[kHostsimPathBytes];
CapturePlan plan;
int animationFrames;

bool WriteBitmapFile(const char* path, const void* bits, int width, int height) {
    int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + stride * height;
    FILE* out = fopen(path, "wb");
    if (!out) {
        return false;
    }
    bool ok = fwrite(&file, sizeof file, 1, out) == 1 && fwrite(&info, sizeof info, 1, out) == 1 &&
              fwrite(bits, stride * height, 1, out) == 1;
    return fclose(out) == 0 && ok;
}

// A bottom-up 24-bit bitmap selected into a memory DC, for drawing or copying into.
struct Canvas {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
    void* bits;
    int width, height;
};

bool OpenCanvas(Canvas* canvas, int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    canvas->dc = CreateCompatibleDC(nullptr);
    canvas->bitmap = CreateDIBSection(canvas->dc, &info, DIB_RGB_COLORS, &canvas->bits, nullptr, 0);
    canvas->width = width;
    canvas->height = height;
    if (!canvas->bitmap) {
        DeleteDC(canvas->dc);
        return false;
    }
    canvas->old = SelectObject(canvas->dc, canvas->bitmap);
    return true;
}

bool CloseCanvas(Canvas* canvas, const char* name) {
    GdiFlush();
    char path[kHostsimPathBytes];
    snprintf(path, sizeof path, "%s\\%s.bmp", folder, name);
    bool ok = WriteBitmapFile(path, canvas->bits, canvas->width, canvas->height);
    SelectObject(canvas->dc, canvas->old);
    DeleteObject(canvas->bitmap);
    DeleteDC(canvas->dc);
    if (!ok) {
        Journal("cannot save the picture %s", path);
    }
    return ok;
}

void SaveView(const char* name, double leadSeconds) {
    RECT area;
    GetClientRect(gWorld.mainWindow, &area);
    int width = area.right > 0 ? area.right : gWorld.options.windowWidth;
    int height = area.bottom > 0 ? area.bottom : gWorld.options.windowHeight;
    Canvas canvas;
    if (OpenCanvas(&canvas, width, height)) {
        DrawViewPicture(canvas.dc, width, height, leadSeconds);
        CloseCanvas(&canvas, name);
    }
}

struct ShotWindows {
    RECT area;
    int count;
};

BOOL CALLBACK AddShotWindow(HWND window, LPARAM context) {
    ShotWindows* shot = reinterpret_cast<ShotWindows*>(context);
    RECT r;
    if (IsWindowVisible(window) && GetWindowRect(window, &r) && shot->count < kMaxWindowsShot) {
        UnionRect(&shot->area, &shot->area, &r);
        shot->count++;
    }
    return TRUE;
}

// Copies the screen under the main window and every visible window of this thread (module
// windows and open menus) into a picture.
bool SaveScreen(const char* name) {
    ShotWindows shot = {{0, 0, 0, 0}, 0};
    EnumThreadWindows(GetCurrentThreadId(), &AddShotWindow, reinterpret_cast<LPARAM>(&shot));
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    IntersectRect(&shot.area, &shot.area, &screen);
    int width = shot.area.right - shot.area.left, height = shot.area.bottom - shot.area.top;
    if (width <= 0 || height <= 0) {
        return false;
    }
    Canvas canvas;
    if (!OpenCanvas(&canvas, width, height)) {
        return false;
    }
    HDC screenDc = GetDC(nullptr);
    BitBlt(canvas.dc, 0, 0, width, height, screenDc, shot.area.left, shot.area.top, SRCCOPY);
    ReleaseDC(nullptr, screenDc);
    return CloseCanvas(&canvas, name);
}

// A menu shown for real: the host's keyboard menu opens the top-level menu, a timer steps
// down to the wanted popup, lets the screen settle, saves it and ends the menu.
struct MenuTour {
    UINT keys[kMaxMenuDepth * 8];
    int keyCount;
    int step;
    char name[kMenuTextBytes];
    bool saved;
};
MenuTour tour;

void CALLBACK StepMenuTour(HWND, UINT, UINT_PTR timer, DWORD) {
    if (tour.step < tour.keyCount) {
        PostMessageA(gWorld.mainWindow, WM_KEYDOWN, tour.keys[tour.step], 0);
    } else if (tour.step == tour.keyCount + 1) {
        tour.saved = !folder[0] || SaveScreen(tour.name);
    } else if (tour.step > tour.keyCount + 1) {
        KillTimer(nullptr, timer);
        EndMenu();
    }
    tour.step++;
}

int ItemPosition(HMENU menu, const char* text) {
    char item[kMenuTextBytes];
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (GetMenuStringA(menu, i, item, sizeof item, MF_BYPOSITION) && !strcmp(item, text)) {
            return i;
        }
    }
    return -1;
}
} // namespace

void HostsimSetPictureFolder(const char* path) {
    snprintf(folder, sizeof folder, "%s", path ? path : "");
    if (folder[0]) {
        CreateDirectoryA(folder, nullptr);
    }
    animationFrames = 0;
}

void SetCapturePlan(const CapturePlan& newPlan) {
    plan = newPlan;
    animationFrames = 0;
}

void CaptureAfterSecond() {
    if (!folder[0] || !gWorld.mainWindow) {
        return;
    }
    char name[64];
    int t = gWorld.seconds;
    if (plan.stillEverySeconds > 0 && t % plan.stillEverySeconds == 0) {
        snprintf(name, sizeof name, "view-%04d", t);
        SaveView(name, 0.0);
    }
    bool animated = false;
    for (int i = 0; i < plan.spanCount; ++i) {
        animated = animated || (t >= plan.spanFrom[i] && t < plan.spanTo[i]);
    }
    if (animated) {
        for (int k = 0; k < plan.framesPerSecond; ++k) {
            snprintf(name, sizeof name, "anim-%05d", animationFrames++);
            SaveView(name, static_cast<double>(k) / plan.framesPerSecond);
        }
    }
}

bool HostsimSaveScreenshot(const char* name) {
    if (!folder[0]) {
        return true;
    }
    RedrawWindow(gWorld.mainWindow, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    HostsimPump(50);
    return SaveScreen(name);
}

bool HostsimShowMenu(const char* path, const char* name) {
    // "&Modules/Skyvane": the mnemonic of the first part opens it; each further part is
    // reached with the arrow keys from the popup's first item.
    char parts[kMaxMenuDepth][kMenuTextBytes];
    int depth = 0;
    for (const char* start = path; *start && depth < kMaxMenuDepth;) {
        const char* slash = strchr(start, '/');
        int length = static_cast<int>(slash ? slash - start : strlen(start));
        snprintf(parts[depth++], kMenuTextBytes, "%.*s", length, start);
        start += length + (slash ? 1 : 0);
    }
    HMENU menu = GetMenu(gWorld.mainWindow);
    int top = depth > 0 && menu ? ItemPosition(menu, parts[0]) : -1;
    const char* mnemonic = depth > 0 ? strchr(parts[0], '&') : nullptr;
    if (top < 0 || !mnemonic) {
        return false;
    }
    tour = {};
    snprintf(tour.name, sizeof tour.name, "%s", name);
    menu = GetSubMenu(menu, top);
    for (int level = 1; level < depth && menu; ++level) {
        int position = ItemPosition(menu, parts[level]);
        if (position < 0) {
            return false;
        }
        for (int i = 0; i < position; ++i) {
            tour.keys[tour.keyCount++] = VK_DOWN;
        }
        menu = GetSubMenu(menu, position);
        if (menu) {
            tour.keys[tour.keyCount++] = VK_RIGHT;
        }
    }
    SetForegroundWindow(gWorld.mainWindow);
    SetTimer(nullptr, 0, kMenuStepMilliseconds, &StepMenuTour);
    SendMessageA(gWorld.mainWindow, WM_SYSCOMMAND, SC_KEYMENU,
                 static_cast<unsigned char>(tolower(mnemonic[1])));
    HostsimPump(0);
    return tour.saved;
}
