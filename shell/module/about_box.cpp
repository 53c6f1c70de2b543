#include "shell/module/about_box.h"
#include "shell/host/module_state.h"
#include "shell/host/window_record.h"
#include "shell/resources/resource_ids.h"

namespace {

struct AboutBox {
    ModuleState* state;
    void (*closed)(ModuleState& state);
};

// At most one box is open (the window bookkeeping sees to it).
AboutBox g_boxRecord;

void FillAboutBox(HWND window, const AboutBox& box) {
    const int strings[] = {IDS_ABOUT_PRODUCT, IDS_ABOUT_HOST, IDS_ABOUT_PURPOSE,
                           IDS_ABOUT_SETTINGS_FILE};
    const int controls[] = {IDC_ABOUT_PRODUCT, IDC_ABOUT_HOST, IDC_ABOUT_PURPOSE,
                            IDC_ABOUT_SETTINGS_FILE};
    for (int i = 0; i < 4; ++i) {
        char text[kTextSize] = {};
        LoadStringA(box.state->instance, strings[i], text, kTextSize);
        SetDlgItemTextA(window, controls[i], text);
    }
}

INT_PTR CALLBACK AboutBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    AboutBox* box = DialogRecord<AboutBox>(window, message, lParam);
    if (!box) {
        return FALSE;
    }
    if (message == WM_INITDIALOG) {
        FillAboutBox(window, *box);
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_ABOUT_OK) {
        box->closed(*box->state);
    }
    return FALSE;
}

} // namespace

HWND OpenAboutBox(ModuleState& state, void (*closed)(ModuleState& state)) {
    g_boxRecord = AboutBox{&state, closed};
    return CreateDialogParamA(state.instance, MAKEINTRESOURCEA(IDD_ABOUT_BOX), state.hostWindow,
                              AboutBoxProc, RecordParam(g_boxRecord));
}

void CloseAboutBox(HWND box) {
    if (box) {
        DestroyWindow(box);
    }
}
