// Host access by interface ID and byte offset. Every host function is __stdcall and is fetched
// from its table at first use and kept; the host's event poster is fetched at every call.
#include "shell/host/host_services.h"
#include "shell/host/import_table.h"

namespace {

// Byte offsets inside the host's interfaces.
constexpr uint32_t kTowerEyePointOffset = 0xD50;
constexpr uint32_t kActiveViewRecordOffset = 0x1190;
constexpr uint32_t kViewModeOffset = 0x20;
constexpr uint32_t kViewWordAOffset = 0x30;
constexpr uint32_t kViewWordBOffset = 0x34;
constexpr uint32_t kPauseWordOffset = 0x26C;
constexpr uint32_t kUtcHoursOffset = 0x23C;
constexpr uint32_t kUtcMinutesOffset = 0x240;
constexpr uint32_t kUtcSecondsOffset = 0x23A;
constexpr uint32_t kHostStateOffset = 0x4F44;
constexpr uint32_t kHostReadyOffset = 0x96A0;
constexpr uint32_t kLookupObjectOffset = 0x50;
constexpr uint32_t kAiObjectListOffset = 0xC0;
constexpr uint32_t kSetFollowedObjectOffset = 0xE4;
constexpr uint32_t kPostHostEventOffset = 0x90;
constexpr uint32_t kReadHostGlobalOffset = 0x10C;
constexpr int32_t kGlobalGroupTime = 3;
constexpr int32_t kGlobalDayOfWeek = 50;
constexpr uint32_t kPositionDistanceOffset = 0x184;
constexpr int kGetObjectDataMethod = 14;
constexpr int kReadPositionMethod = 2;
constexpr int kReadTextMethod = 3;
constexpr int kReadValueMethod = 4;
constexpr uint32_t kAiStateRecordOffset = 0x14;
constexpr uint32_t kAiStateIndexOffset = 884;
constexpr uint32_t kDistanceRecordOffset = 0x28;
constexpr uint32_t kDistancePositionOffset = 143;
constexpr uint32_t kAiListEntriesOffset = 0x0C;
constexpr uint32_t kAiEntrySize = 8;
constexpr uint32_t kAiEntryObjectOffset = 4;
constexpr uint32_t kAiObjectIdOffset = 4;
constexpr int32_t kVarPosition = 532;
constexpr uint16_t kViewWordRefresh = 0x40;
constexpr int32_t kPausedWord = 1;
constexpr uint32_t kVersionWordOffset = 0x73BB4; // in the host's executable image

using LookupObjectFn = void*(__stdcall*)(int32_t id);
using GetObjectDataFn = void*(__stdcall*)(void* object);
using ReadObjectPositionFn = void(__stdcall*)(void* data, int32_t variable, EyePoint* out,
                                              int32_t zero);
using ReadObjectTextFn = void(__stdcall*)(void* data, int32_t variable, char* buffer,
                                          int32_t capacity, int32_t zero);
using ReadObjectValueFn = void(__stdcall*)(void* data, int32_t variable, int32_t unit, double* out,
                                           int32_t zero);
using SetFollowedObjectFn = void(__stdcall*)(int32_t id);
using PostHostEventFn = void(__stdcall*)(uint32_t code, uint32_t zero);
using ReadHostGlobalFn = void(__stdcall*)(int32_t group, int32_t item, double* out);
using PositionDistanceFn = double(__stdcall*)(const void* first, const void* second);

struct HostFunctions {
    LookupObjectFn lookupObject;
    bool lookupObjectFetched;
    GetObjectDataFn getObjectData;
    ReadObjectPositionFn readObjectPosition;
    ReadObjectTextFn readObjectText;
    ReadObjectValueFn readObjectValue;
    bool objectMethodsFetched; // taken once from the user's aircraft, used for every object
    SetFollowedObjectFn setFollowedObject;
    bool setFollowedObjectFetched;
    ReadHostGlobalFn readHostGlobal;
    bool readHostGlobalFetched;
    PositionDistanceFn positionDistance;
    bool positionDistanceFetched;
};
HostFunctions g_functions;

template <typename T> T WordAt(const uint8_t* base, uint32_t offset) {
    return base ? *reinterpret_cast<const T*>(base + offset) : T();
}

template <typename Fn> bool FetchFunction(uint32_t iface, uint32_t offset, Fn& fn, bool& fetched) {
    if (!fetched) {
        uint8_t* base = HostInterface(iface);
        if (!base) {
            return false;
        }
        fn = WordAt<Fn>(base, offset);
        fetched = fn != nullptr;
    }
    return fetched;
}

uint8_t* ActiveViewRecord() {
    return WordAt<uint8_t*>(HostInterface(kIfaceViews), kActiveViewRecordOffset);
}

template <typename T> T* ViewRecordWord(uint32_t offset) {
    uint8_t* record = ActiveViewRecord();
    return record ? reinterpret_cast<T*>(record + offset) : nullptr;
}

EyePoint* TowerEyePointWords() {
    uint8_t* views = HostInterface(kIfaceViews);
    return views ? reinterpret_cast<EyePoint*>(views + kTowerEyePointOffset) : nullptr;
}

void RefreshViewWord(uint32_t offset) {
    if (uint16_t* word = ViewRecordWord<uint16_t>(offset)) {
        *word = kViewWordRefresh;
    }
}

// The position record of an object's data, from which the host measures distances.
const void* DistancePosition(HostObjectData data) {
    const uint8_t* record =
        WordAt<const uint8_t*>(static_cast<const uint8_t*>(data), kDistanceRecordOffset);
    return record ? record + kDistancePositionOffset : nullptr;
}

const uint8_t* AiObjectList() {
    return WordAt<const uint8_t*>(HostInterface(kIfaceObjects), kAiObjectListOffset);
}

void* MethodOf(void* object, int index) {
    void** table = object ? *static_cast<void***>(object) : nullptr;
    return table ? table[index] : nullptr;
}

bool FetchObjectMethods(OffsetHost& host) {
    if (g_functions.objectMethodsFetched) {
        return true;
    }
    void* user = host.LookupObject(kUserAircraftId);
    auto getData = reinterpret_cast<GetObjectDataFn>(MethodOf(user, kGetObjectDataMethod));
    void* data = getData ? getData(user) : nullptr;
    if (!data) {
        return false;
    }
    g_functions.getObjectData = getData;
    g_functions.readObjectPosition =
        reinterpret_cast<ReadObjectPositionFn>(MethodOf(data, kReadPositionMethod));
    g_functions.readObjectText =
        reinterpret_cast<ReadObjectTextFn>(MethodOf(data, kReadTextMethod));
    g_functions.readObjectValue =
        reinterpret_cast<ReadObjectValueFn>(MethodOf(data, kReadValueMethod));
    g_functions.objectMethodsFetched = true;
    return true;
}

} // namespace

uint8_t* HostInterface(uint32_t id) {
    for (const ImportEntry* entry = ImportTable; entry->moduleId != 0; ++entry) {
        if (entry->moduleId == id) {
            return static_cast<uint8_t*>(entry->iface);
        }
    }
    return nullptr;
}

const EyePoint* TowerEyePointAddress() {
    return TowerEyePointWords();
}

// The view module is among the interfaces: without it there is no redirect to install.
bool OffsetHost::InterfacesFilled() {
    for (const ImportEntry* entry = ImportTable; entry->moduleId != 0; ++entry) {
        bool diagnosticOnly =
            entry->moduleId == kIfaceDiagnostics26 || entry->moduleId == kIfaceDiagnostics38;
        if (!diagnosticOnly && entry->iface == nullptr) {
            return false;
        }
    }
    return true;
}

int32_t HostReadyWord() {
    return WordAt<int32_t>(HostInterface(kIfaceHostCore), kHostReadyOffset);
}

uint32_t HostVersionWord() {
    const uint8_t* image = reinterpret_cast<const uint8_t*>(GetModuleHandleA(nullptr));
    const uint8_t* word = image + kVersionWordOffset;
    MEMORY_BASIC_INFORMATION info;
    // Another program that happens to load the module never has its memory read out of bounds.
    if (!image || VirtualQuery(word, &info, sizeof(info)) != sizeof(info) ||
        info.State != MEM_COMMIT || (info.Protect & (PAGE_NOACCESS | PAGE_GUARD)) != 0 ||
        static_cast<const uint8_t*>(info.BaseAddress) + info.RegionSize < word + sizeof(uint32_t)) {
        return 0;
    }
    return *reinterpret_cast<const uint32_t*>(word);
}

bool OffsetHost::HostReady() {
    return HostReadyWord() != 0;
}

int32_t OffsetHost::HostState() {
    return WordAt<int32_t>(HostInterface(kIfaceHostState), kHostStateOffset);
}

bool OffsetHost::ReadTowerEyePoint(EyePoint* out) {
    const EyePoint* tower = TowerEyePointWords();
    if (!tower) {
        return false;
    }
    *out = *tower;
    return true;
}

void OffsetHost::WriteTowerEyePoint(const EyePoint& point) {
    if (EyePoint* tower = TowerEyePointWords()) {
        *tower = point;
    }
}

int32_t OffsetHost::ViewMode() {
    int32_t* word = ViewRecordWord<int32_t>(kViewModeOffset);
    return word ? *word : 0;
}

void OffsetHost::SetViewMode(int32_t mode) {
    if (int32_t* word = ViewRecordWord<int32_t>(kViewModeOffset)) {
        *word = mode;
    }
}

void OffsetHost::RefreshTowerView() {
    RefreshViewWord(kViewWordAOffset);
}

void OffsetHost::RefreshFollowView() {
    RefreshViewWord(kViewWordBOffset);
}

bool OffsetHost::HostPaused() {
    return WordAt<int32_t>(HostInterface(kIfaceViews), kPauseWordOffset) == kPausedWord;
}

UtcClock OffsetHost::UtcTime() {
    const uint8_t* views = HostInterface(kIfaceViews);
    UtcClock clock{WordAt<int32_t>(views, kUtcHoursOffset),
                   WordAt<int32_t>(views, kUtcMinutesOffset),
                   WordAt<uint16_t>(views, kUtcSecondsOffset)};
    return clock;
}

HostObject OffsetHost::LookupObject(HostObjectId id) {
    if (!FetchFunction(kIfaceObjects, kLookupObjectOffset, g_functions.lookupObject,
                       g_functions.lookupObjectFetched)) {
        return nullptr;
    }
    return g_functions.lookupObject(id);
}

HostObjectData OffsetHost::ObjectData(HostObject object) {
    if (!object || !FetchObjectMethods(*this)) {
        return nullptr;
    }
    return g_functions.getObjectData(object);
}

double OffsetHost::ReadValue(HostObjectData data, int32_t variable, int32_t unit) {
    double value = 0.0;
    if (data && g_functions.readObjectValue) {
        g_functions.readObjectValue(data, variable, unit, &value, 0);
    }
    return value;
}

void OffsetHost::ReadText(HostObjectData data, int32_t variable, char* buffer, int32_t capacity) {
    if (capacity <= 0) {
        return;
    }
    buffer[0] = '\0';
    if (data && g_functions.readObjectText) {
        g_functions.readObjectText(data, variable, buffer, capacity, 0);
    }
    // The host cuts its text to the capacity; a text that fills it without a terminator ends here.
    buffer[capacity - 1] = '\0';
}

void OffsetHost::ReadPosition(HostObjectData data, EyePoint* out) {
    if (data && g_functions.readObjectPosition) {
        g_functions.readObjectPosition(data, kVarPosition, out, 0);
    }
}

int32_t OffsetHost::AiStateOf(HostObjectId id) {
    const uint8_t* object = static_cast<const uint8_t*>(LookupObject(id));
    const uint8_t* record = WordAt<const uint8_t*>(object, kAiStateRecordOffset);
    return record ? WordAt<int32_t>(record, kAiStateIndexOffset) : -1;
}

bool OffsetHost::DistanceMetres(HostObjectData first, HostObjectData second, double* metres) {
    const void* from = DistancePosition(first);
    const void* to = from ? DistancePosition(second) : nullptr;
    if (!to) {
        return false;
    }
    *metres = 0.0;
    if (FetchFunction(kIfacePositions, kPositionDistanceOffset, g_functions.positionDistance,
                      g_functions.positionDistanceFetched)) {
        *metres = g_functions.positionDistance(from, to);
    }
    return true;
}

void OffsetHost::SetFollowedObject(HostObjectId id) {
    if (FetchFunction(kIfaceViewModule, kSetFollowedObjectOffset, g_functions.setFollowedObject,
                      g_functions.setFollowedObjectFetched)) {
        g_functions.setFollowedObject(id);
    }
}

void PostHostEvent(uint32_t code) {
    auto post = WordAt<PostHostEventFn>(HostInterface(kIfaceEvents), kPostHostEventOffset);
    if (post) {
        post(code, 0);
    }
}

double OffsetHost::DayOfWeek() {
    double value = 0.0;
    if (FetchFunction(kIfaceGlobals, kReadHostGlobalOffset, g_functions.readHostGlobal,
                      g_functions.readHostGlobalFetched)) {
        g_functions.readHostGlobal(kGlobalGroupTime, kGlobalDayOfWeek, &value);
    }
    return value;
}

int32_t OffsetHost::AiListCount() {
    const uint8_t* list = AiObjectList();
    return list ? WordAt<int32_t>(list, 0) : 0;
}

HostObjectId OffsetHost::AiListEntryId(int32_t index) {
    const uint8_t* list = AiObjectList();
    if (!list || index < 0 || index >= WordAt<int32_t>(list, 0)) {
        return kUserAircraftId;
    }
    const uint8_t* entries = WordAt<const uint8_t*>(list, kAiListEntriesOffset);
    const uint8_t* object =
        entries ? WordAt<const uint8_t*>(entries + index * kAiEntrySize, kAiEntryObjectOffset)
                : nullptr;
    return object ? WordAt<int32_t>(object, kAiObjectIdOffset) : kUserAircraftId;
}
