#pragma once
// The timer of the hidden tick window that drives the module once a second.
#include <windows.h>

constexpr UINT_PTR kTickTimerId = 2;
constexpr UINT kTickPeriodMs = 1000;
