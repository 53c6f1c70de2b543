#pragma once
// A host for the core's tests: a few aircraft with their values, the AI list, the tower eye
// point, the views' refreshes, pause and state, and the view-target redirect, all plain
// fields a test sets and reads. A shell beside it keeps the module's window flags.
#include <cstring>
#include <map>
#include <string>
#include <vector>
#include "core/control/module_core.h"

struct FakeAircraft {
    HostObjectId id = 0;
    bool present = true;
    std::map<int32_t, double> values; // by variable; units are the core's business
    std::string type;
    EyePoint position{};
    int32_t aiState = 0;
    double distanceMetres = 1852.0; // from the user's aircraft
};

enum class RedirectWord { kHostsOwn, kModules, kSomeoneElses };

class FakeHost final : public HostBoundary {
  public:
    std::vector<FakeAircraft> aircraft; // aircraft[0] is the user's
    std::vector<HostObjectId> aiList;   // the AI aircraft after entry 0, in the host's order
    bool filled = true, exported = true, positionKnown = true;
    int32_t ready = 1, state = kHostStateBinding, pause = 0, viewMode = kViewModeTower;
    bool hasTower = true;
    EyePoint tower{};
    int towerRefreshes = 0, followRefreshes = 0, towerWrites = 0, resolves = 0;
    HostObjectId followed = kUserAircraftId;
    RedirectWord redirect = RedirectWord::kHostsOwn;
    double dayOfWeek = 2.0;
    int32_t aiCountWord = -1; // when not -1, the AI list count the host gives, whatever it holds
    int entryReads = 0;
    char ownAnswer = 0; // its address is what the host's own view table answers
    UtcClock clock{9, 5, 3};

    FakeHost() { Add(kUserAircraftId); }

    FakeAircraft& Add(HostObjectId id) {
        FakeAircraft a;
        a.id = id;
        a.values[kVarSize] = 36.0;
        a.values[kVarSpeedAlong] = 120.0;
        a.values[kVarLatitude] = 47.0;
        a.values[kVarLongitude] = 8.0;
        a.values[kVarAltitude] = 3000.0;
        a.position.latHi = 1;
        aircraft.push_back(a);
        return aircraft.back();
    }
    FakeAircraft* Find(HostObjectId id) {
        for (FakeAircraft& a : aircraft) {
            if (a.id == id && a.present) {
                return &a;
            }
        }
        return nullptr;
    }
    // The aircraft whose data an answer of the host's points to, 0 for none.
    HostObjectId OwnerOf(HostObjectData data) {
        for (FakeAircraft& a : aircraft) {
            if (data == &a.values) {
                return a.id;
            }
        }
        return 0;
    }

    bool InterfacesFilled() override { return filled; }
    bool HostReady() override { return ready != 0; }
    int32_t HostState() override { return state; }
    bool ViewModuleExported() override { return exported; }
    void ResolveAddresses() override { ++resolves; }
    bool UserPositionKnown() override { return positionKnown; }
    HostObject LookupObject(HostObjectId id) override { return Find(id); }
    HostObjectData ObjectData(HostObject object) override {
        return object ? &static_cast<FakeAircraft*>(object)->values : nullptr;
    }
    double ReadValue(HostObjectData data, int32_t variable, int32_t) override {
        if (!data) {
            return 0.0;
        }
        auto& values = *static_cast<std::map<int32_t, double>*>(data);
        auto it = values.find(variable);
        return it == values.end() ? 0.0 : it->second;
    }
    void ReadText(HostObjectData data, int32_t variable, char* buffer, int32_t capacity) override {
        buffer[0] = '\0';
        FakeAircraft* a = Find(OwnerOf(data));
        if (a && variable == kTextVarType) {
            strncpy(buffer, a->type.c_str(), capacity - 1);
            buffer[capacity - 1] = '\0';
        }
    }
    void ReadPosition(HostObjectData data, EyePoint* out) override {
        if (FakeAircraft* a = Find(OwnerOf(data))) {
            *out = a->position;
        }
    }
    int32_t AiStateOf(HostObjectId id) override {
        FakeAircraft* a = Find(id);
        return a ? a->aiState : -1;
    }
    // The first aircraft's distance from the user's (a mile unless a test says), or none between
    // an aircraft and itself.
    bool DistanceMetres(HostObjectData first, HostObjectData second, double* metres) override {
        FakeAircraft* from = Find(OwnerOf(first));
        FakeAircraft* to = Find(OwnerOf(second));
        if (!from || !to) {
            return false;
        }
        *metres = from == to ? 0.0 : from->distanceMetres;
        return true;
    }
    int32_t AiListCount() override {
        return aiCountWord != -1 ? aiCountWord : static_cast<int32_t>(aiList.size()) + 1;
    }
    HostObjectId AiListEntryId(int32_t index) override {
        ++entryReads;
        if (index <= 0 || index > static_cast<int32_t>(aiList.size())) {
            return kUserAircraftId;
        }
        return aiList[index - 1];
    }
    double DayOfWeek() override { return dayOfWeek; }
    UtcClock UtcTime() override { return clock; }
    bool ReadTowerEyePoint(EyePoint* out) override {
        if (hasTower) {
            *out = tower;
        }
        return hasTower;
    }
    void WriteTowerEyePoint(const EyePoint& point) override {
        if (hasTower) {
            tower = point;
            ++towerWrites;
        }
    }
    int32_t ViewMode() override { return viewMode; }
    void SetViewMode(int32_t mode) override { viewMode = mode; }
    void RefreshTowerView() override { ++towerRefreshes; }
    void RefreshFollowView() override { ++followRefreshes; }
    void SetFollowedObject(HostObjectId id) override { followed = id; }
    bool HostPaused() override { return pause == 1; }
    bool RedirectInstalled() override { return redirect != RedirectWord::kHostsOwn; }
    bool ReplacementInstalled() override { return redirect == RedirectWord::kModules; }
    void InstallRedirect() override {
        if (redirect == RedirectWord::kHostsOwn) {
            redirect = RedirectWord::kModules;
        }
    }
    void RemoveRedirect() override {
        if (redirect == RedirectWord::kModules) {
            redirect = RedirectWord::kHostsOwn;
        }
    }
    HostObjectData OwnViewAnswer() override { return &ownAnswer; }
};

// The shell's bookkeeping of the module's windows, as the DLL keeps it.
class FakeShell final : public ShellHooks {
  public:
    ModuleCore* core = nullptr;
    int bound = 0, refreshes = 0, settingsWrites = 0;

    void Bound() override { ++bound; }
    void ToggleSettingsDialog() override {
        PassByController& c = core->controller;
        if (!c.windowOpen) {
            c.windowOpen = true;
        } else if (!c.aiListOpen) {
            c.windowOpen = false;
        }
    }
    void ToggleAiList() override {
        PassByController& c = core->controller;
        if (!c.windowOpen) {
            c.windowOpen = c.aiListOpen = true;
        } else if (c.aiListOpen) {
            c.windowOpen = c.aiListOpen = false;
        }
    }
    void RefreshAiList() override { ++refreshes; }
    void WriteSettings() override { ++settingsWrites; }
};

// A core bound to a fake host and shell; Run() ticks it.
struct FakeModule {
    FakeHost host;
    FakeShell shell;
    ModuleCore core{};

    FakeModule() {
        shell.core = &core;
        InitModuleCore(core, &host, &shell);
    }
};
