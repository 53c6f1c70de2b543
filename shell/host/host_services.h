#pragma once
// The host at its real addresses: interface IDs and byte offsets, known here and nowhere else,
// behind the core's host boundary.
#include <windows.h>
#include <cstdint>
#include "core/boundary/host_boundary.h"

// Interface IDs the module declares in its import table, in the order declared.
constexpr uint32_t kIfaceEvents = 0x0F;
constexpr uint32_t kIfaceObjects = 0x17;
constexpr uint32_t kIfaceDiagnostics26 = 0x26;
constexpr uint32_t kIfaceHostCore = 0x01;
constexpr uint32_t kIfaceHostState = 0x80000000;
constexpr uint32_t kIfaceViews = 0x02;
constexpr uint32_t kIfaceGlobals = 0x03;
constexpr uint32_t kIfaceUserAircraft = 0x19;
constexpr uint32_t kIfaceDiagnostics38 = 0x38;
constexpr uint32_t kIfacePositions = 0x14;
constexpr uint32_t kIfaceViewModule = 0x0A;

constexpr int kReplacementTableSlots = 37;

// Host events posted around the module's dialogs.
constexpr uint32_t kEventPauseForDialog = 65794;
constexpr uint32_t kEventResumeAfterDialog = 65795;

// What the binding finds in the host: the view-target redirect and the user's position record.
struct HostAddresses {
    uint32_t* aircraftTableSlot; // the host word that points to the table its views call
    uint32_t savedOriginal;      // that word as the host left it
    void* replacementTable[kReplacementTableSlots];
    uintptr_t callSite1; // return address of the tower view's call
    uintptr_t callSite2; // return address of the follow view's call
    const uint32_t* userPositionRecord;
};

// The addresses it works on are the binding's, handed in at construction.
class OffsetHost final : public HostBoundary {
  public:
    constexpr explicit OffsetHost(HostAddresses& addresses) : addresses_(addresses) {}
    bool InterfacesFilled() override;
    bool HostReady() override;
    int32_t HostState() override;
    bool ViewModuleExported() override;
    void ResolveAddresses() override;
    bool UserPositionKnown() override;
    HostObject LookupObject(HostObjectId id) override;
    HostObjectData ObjectData(HostObject object) override;
    double ReadValue(HostObjectData data, int32_t variable, int32_t unit) override;
    void ReadText(HostObjectData data, int32_t variable, char* buffer, int32_t capacity) override;
    void ReadPosition(HostObjectData data, EyePoint* out) override;
    int32_t AiStateOf(HostObjectId id) override;
    bool DistanceMetres(HostObjectData first, HostObjectData second, double* metres) override;
    int32_t AiListCount() override;
    HostObjectId AiListEntryId(int32_t index) override;
    double DayOfWeek() override;
    UtcClock UtcTime() override;
    bool ReadTowerEyePoint(EyePoint* out) override;
    void WriteTowerEyePoint(const EyePoint& point) override;
    int32_t ViewMode() override;
    void SetViewMode(int32_t mode) override;
    void RefreshTowerView() override;
    void RefreshFollowView() override;
    void SetFollowedObject(HostObjectId id) override;
    bool HostPaused() override;
    bool RedirectInstalled() override;
    bool ReplacementInstalled() override;
    void InstallRedirect() override;
    void RemoveRedirect() override;
    HostObjectData OwnViewAnswer() override;

  private:
    HostAddresses& addresses_;
};

// The import table entry for an interface, or null while the host has not filled it.
uint8_t* HostInterface(uint32_t id);
// The host's ready word as it stands, for the diagnostic dump: non-zero once ready.
int32_t HostReadyWord();
// The host's version word; 0 when the image is too small to hold it.
uint32_t HostVersionWord();
// Posts a host event (the host pauses and resumes around the module's dialogs).
void PostHostEvent(uint32_t code);
// The module handle and the export of a host module found in the host's module list.
HMODULE FindHostModuleHandle(uint32_t id);
void* FindHostModuleExport(uint32_t id);
// The tower eye point's address, for the diagnostic dump; null while the host has none.
const EyePoint* TowerEyePointAddress();

extern "C" void* __stdcall ViewedAircraftSubstitute();
