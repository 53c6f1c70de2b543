#include "shell/module/about_box.h"
#include "shell/host/module_state.h"
#include "shell/resources/resource_ids.h"

namespace {

void (*g_closed)();

void FillAboutBox(HWND window) {
    const int strings[] = {IDS_ABOUT_PRODUCT, IDS_ABOUT_HOST, IDS_ABOUT_PURPOSE,
                           IDS_ABOUT_SETTINGS_FILE};
    const int controls[] = {IDC_ABOUT_PRODUCT, IDC_ABOUT_HOST, IDC_ABOUT_PURPOSE,
                            IDC_ABOUT_SETTINGS_FILE};
    for (int i = 0; i < 4; ++i) {
        char text[kTextSize] = {};
        LoadStringA(g_state.instance, strings[i], text, kTextSize);
        SetDlgItemTextA(window, controls[i], text);
    }
}

} // namespace

bool OpenAboutBox(void (*closed)()) {
    g_closed = closed;
    g_state.aboutBox = CreateDialogParamA(g_state.instance, MAKEINTRESOURCEA(IDD_ABOUT_BOX),
                                          g_state.hostWindow, AboutBoxProc, 0);
    return g_state.aboutBox != nullptr;
}

void CloseAboutBox() {
    if (g_state.aboutBox) {
        DestroyWindow(g_state.aboutBox);
        g_state.aboutBox = nullptr;
    }
}

INT_PTR CALLBACK AboutBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        FillAboutBox(window);
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_ABOUT_OK) {
        g_closed();
    }
    return FALSE;
}
