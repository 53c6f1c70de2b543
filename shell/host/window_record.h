#pragma once
// A module window's data is a record handed to it at creation, as CreateDialogParamA's lParam,
// and kept in its GWLP_USERDATA slot: its procedure reaches the record from the handle alone.
#include <windows.h>

// The window's record: taken from WM_INITDIALOG's lParam and read back for every later message.
// Null for the messages that come before WM_INITDIALOG, which the procedures leave alone.
template <typename Record> Record* DialogRecord(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, GWLP_USERDATA, lParam);
        return reinterpret_cast<Record*>(lParam);
    }
    return reinterpret_cast<Record*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// The record of a window that exists, or null.
template <typename Record> Record* WindowRecord(HWND window) {
    return window ? reinterpret_cast<Record*>(GetWindowLongPtrA(window, GWLP_USERDATA)) : nullptr;
}

template <typename Record> LPARAM RecordParam(Record& record) {
    return reinterpret_cast<LPARAM>(&record);
}
