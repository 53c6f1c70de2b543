#pragma once
// What a scenario's timeline should make the module do, worked out second by second from the
// scenario alone: when the tower eye point must change, which aircraft the views show, which
// module windows are open. It follows the module's documented rules for the commands, the
// dialogs and the one-second tick at the level of whole placements, and the stand-in host's
// order within a second (aircraft move, actions run, the module ticks). Actions it does not
// know are listed in `unknown`, so a scenario that outgrows it fails loudly. A move by
// "lat"/"lon" of the aircraft the module follows counts as a slew: the demo moves a followed
// aircraft only by more than the 2 nm a jump needs.
#include <nlohmann/json.hpp>

#include <algorithm>
#include <string>
#include <vector>

#include "hostsim/host_layout.h"
#include "shell/resources/resource_ids.h"
#include "core/settings/settings_defaults.h"

namespace demo_model {

constexpr int kMaxSeconds = 7200;

struct Second {
    bool eyeChanges;
    int view;
    int target; // the aircraft the module follows
    bool aiList, settings, about;
    bool paused;
    bool turns; // "Follow turns" in effect
};

struct Expectation {
    int seconds = 0;
    std::vector<Second> at; // index: host second
    int eyeChanges = 0;
    std::vector<std::string> unknown;
};

// The settings at load, the default hotkeys among them.
struct Defaults {
    Defaults() { InitModuleDefaults(settings, hotkeys); }
    Settings settings;
    HotkeyTable hotkeys;
};

// The command a default hotkey issues, or -1.
inline int HotkeyCommand(const std::string& key, bool shift, bool ctrl) {
    const uint8_t mask = (shift ? kShiftBit : 0) | (ctrl ? kCtrlBit : 0);
    const Defaults defaults;
    for (int option = 0; option < kHotkeyOptionCount; ++option) {
        const HotkeyOption& o = defaults.hotkeys.options[option];
        if (key.size() == 1 && o.key == static_cast<uint8_t>(key[0]) && o.modifierMask == mask) {
            return option;
        }
    }
    return -1;
}

class Model {
  public:
    explicit Model(const nlohmann::json& scenario) : scenario_(scenario) {
        for (const auto& a : scenario.value("ai", nlohmann::json::array())) {
            ai_.push_back(a.value("id", 0));
        }
        const nlohmann::json host = scenario.value("host", nlohmann::json::object());
        flyingAfter_ = host.value("flyingAfter", 3);
        view_ = host.value("view", kViewTower);
    }

    Expectation Run() {
        Expectation out;
        out.seconds = std::min(scenario_.value("seconds", 0), kMaxSeconds);
        out.at.resize(out.seconds + 1,
                      Second{false, view_, kUserAircraftId, false, false, false, false, false});
        std::vector<nlohmann::json> timeline;
        for (const auto& a : scenario_.value("timeline", nlohmann::json::array())) {
            timeline.push_back(a);
        }
        std::stable_sort(timeline.begin(), timeline.end(), [](const auto& x, const auto& y) {
            return x.value("at", 0.0) < y.value("at", 0.0);
        });
        size_t next = 0;
        for (t_ = 1; t_ <= out.seconds; ++t_) {
            changed_ = false;
            slewed_ = 0;
            if (t_ >= flyingAfter_ && !paused_) {
                movedSincePlacement_ = true;
            }
            while (next < timeline.size() && timeline[next].value("at", 0.0) <= t_) {
                Act(timeline[next++], &out);
            }
            if (t_ >= flyingAfter_) {
                Tick();
            }
            out.at[t_] = {changed_, view_, target_, aiList_, settings_, about_, paused_, turns_};
            out.eyeChanges += changed_ ? 1 : 0;
        }
        return out;
    }

  private:
    void Place() {
        if (movedSincePlacement_ || target_ != placedTarget_ || mode_ != placedMode_) {
            changed_ = true;
        }
        movedSincePlacement_ = false;
        placedTarget_ = target_;
        placedMode_ = mode_;
        periodTicks_ = 0;
    }

    bool WindowOpen() const { return aiList_ || settings_ || about_; }

    void OpenPausingDialog(bool* flag) {
        *flag = true;
        hostWasPaused_ = paused_;
        paused_ = true; // the module's pause event
    }

    void ClosePausingDialog(bool* flag) {
        *flag = false;
        if (!hostWasPaused_) {
            paused_ = false;
        }
    }

    void OpenSettings() {
        OpenPausingDialog(&settings_);
        pendingSvp_ = svp_;
        pendingMode_ = mode_;
        pendingTurns_ = turns_;
        pendingJumps_ = jumps_;
        page_ = 0;
        spottingAllowed_ = active_ && target_ == kUserAircraftId;
    }

    void Command(int command) {
        if (command == 0) {
            if (active_) {
                active_ = false;
                target_ = kUserAircraftId;
                changed_ = true; // the host's own eye point is back
                movedSincePlacement_ = true;
                periodTicks_ = 0;
            } else {
                active_ = true;
                Place();
            }
            return;
        }
        if (command == 4) {
            if (!WindowOpen()) {
                OpenSettings();
            } else if (settings_) {
                ClosePausingDialog(&settings_);
            }
            return;
        }
        if (command == 5) {
            if (!WindowOpen()) {
                aiList_ = true;
            } else if (aiList_) {
                aiList_ = false;
            }
            return;
        }
        if (!active_) {
            return;
        }
        if ((command == 6 || command == 7) && recordedView_ == kViewTower && mode_ != command - 6) {
            mode_ = command - 6;
            Place();
        } else if (command == 8 && target_ == kUserAircraftId) {
            mode_ = 2;
            Place();
        } else if (mode_ == 2) {
            return;
        } else if ((command == 1 || command == 2) && !ai_.empty()) {
            StepTarget(command == 1 ? 1 : -1);
        } else if (command == 3 && !ai_.empty()) {
            if (recordedView_ == kViewTower) {
                view_ = kViewFollow;
            } else if (recordedView_ == kViewFollow && target_ != kUserAircraftId) {
                Place();
                view_ = kViewTower;
            }
        } else if (command == 100 && target_ > kUserAircraftId) {
            Place();
            view_ = kViewTower;
        }
    }

    void StepTarget(int step) {
        if (recordedView_ != kViewTower &&
            !(recordedView_ == kViewFollow && target_ != kUserAircraftId)) {
            return;
        }
        int n = static_cast<int>(ai_.size());
        auto at = std::find(ai_.begin(), ai_.end(), target_);
        int index = target_ == kUserAircraftId || at == ai_.end()
                        ? (step > 0 ? -1 : 0)
                        : static_cast<int>(at - ai_.begin());
        target_ = ai_[((index + step) % n + n) % n];
        if (recordedView_ == kViewTower) {
            Place();
        }
    }

    void Click(int control, const nlohmann::json& action) {
        if (aiList_ && (control == 10016 || control == 10020 || control == 10024)) {
            bool enabled = active_ && mode_ != 2 && rowClickedAt_ >= 0 && rowClickedAt_ < t_;
            if (control == 10024 || enabled) {
                aiList_ = false;
            }
            if (control == 10016 && enabled) {
                target_ = chosen_;
                Command(100);
            } else if (control == 10020 && enabled) {
                target_ = chosen_;
                view_ = kViewFollow;
            }
        } else if (about_ && control == 1008) {
            ClosePausingDialog(&about_);
        } else if (settings_ && control == 10044) {
            svp_ = pendingSvp_;
            mode_ = pendingMode_;
            turns_ = pendingTurns_;
            jumps_ = pendingJumps_;
            ClosePausingDialog(&settings_);
            if (mode_ == 2) {
                Command(8);
            } else if (active_) {
                Place();
            }
        } else if (settings_ && control == 10047) {
            ClosePausingDialog(&settings_);
        } else if (settings_ && page_ == 1 && (control == 1004 || control == 1006)) {
            pendingMode_ = control == 1004 ? 0 : 1;
        } else if (settings_ && page_ == 1 && control == IDC_MODE_TURNS) {
            pendingTurns_ = !pendingTurns_;
        } else if (settings_ && page_ == 1 && control == IDC_MODE_JUMPS) {
            pendingJumps_ = !pendingJumps_;
        } else if (settings_ && page_ == 1 && control == 1009) {
            pendingMode_ = spottingAllowed_ ? 2 : pendingMode_;
        } else if (settings_ && page_ == 2 && control >= 10026 && control <= 10034) {
            // Randomisation changes where eye points go, not when.
        } else {
            unknown_.push_back(action.dump());
        }
    }

    void Key(const nlohmann::json& action) {
        std::string key = action["key"].is_string() ? action["key"].get<std::string>() : "";
        bool shift = false, ctrl = false;
        for (const auto& mod : action.value("mods", nlohmann::json::array())) {
            shift = shift || mod == "shift";
            ctrl = ctrl || mod == "ctrl";
        }
        if (action.contains("window")) {
            // Arrow keys on the Parameters page move the period track bar, which has the
            // page's first tab stop.
            int step = key == "RIGHT" || key == "DOWN" ? 1 : key == "LEFT" || key == "UP" ? -1 : 0;
            if (settings_ && page_ == 0 && action["window"] == 1000 && step != 0) {
                pendingSvp_ = std::max(atLoad_.settings.SvpMin,
                                       std::min(atLoad_.settings.RngSvpMax, pendingSvp_ + step));
            } else {
                unknown_.push_back(action.dump());
            }
            return;
        }
        if (key == "P") {
            paused_ = !paused_; // the host's own pause key, whatever the modifiers
        }
        int command = HotkeyCommand(key, shift, ctrl);
        if (command >= 0 && (active_ || command == 0 || command == 4 || command == 5)) {
            Command(command);
        } else if (command < 0 && key != "P") {
            unknown_.push_back(action.dump());
        }
    }

    void Menu(const nlohmann::json& action) {
        std::string path = action["menu"].is_string() ? action["menu"].get<std::string>() : "";
        aiList_ = false; // every command to the host's window closes the list
        if (path == "&Modules/Skyvane/Activate") {
            Command(0);
        } else if (path == "&Modules/Skyvane/AI Aircraft...") {
            aiList_ = true;
        } else if (path == "&Modules/Skyvane/Settings...") {
            OpenSettings();
        } else if (path == "&Modules/Skyvane/About...") {
            OpenPausingDialog(&about_);
        } else {
            unknown_.push_back(action.dump());
        }
    }

    void Act(const nlohmann::json& action, Expectation* out) {
        unknown_.clear();
        for (const auto& item : action.items()) {
            const std::string& what = item.key();
            if (what == "key") {
                Key(action);
            } else if (what == "menu") {
                Menu(action);
            } else if (what == "click") {
                Click(item.value().get<int>(), action);
            } else if (what == "clickRow") {
                chosen_ = aiList_ ? item.value().value("aircraft", 0) : chosen_;
                rowClickedAt_ = aiList_ ? t_ : rowClickedAt_;
            } else if (what == "clickTab") {
                page_ = item.value().value("tab", 0);
            } else if (what == "pause") {
                paused_ = item.value().get<bool>();
            } else if (what == "addAircraft") {
                ai_.push_back(item.value().value("id", 0));
            } else if (what == "updateAircraft" && !item.value().contains("id")) {
                unknown_.push_back(action.dump());
            } else if (what == "updateAircraft" &&
                       (item.value().contains("lat") || item.value().contains("lon"))) {
                slewed_ = item.value().value("id", 0);
            } else if (what != "at" && what != "mods" && what != "window" &&
                       what != "updateAircraft" && what != "clickHeader" && what != "showMenu" &&
                       what != "screenshot") {
                unknown_.push_back(action.dump());
            }
        }
        out->unknown.insert(out->unknown.end(), unknown_.begin(), unknown_.end());
    }

    void Tick() {
        recordedView_ = view_;
        if (target_ != kUserAircraftId && view_ != kViewTower && view_ != kViewFollow) {
            target_ = kUserAircraftId;
        }
        if (!active_ || mode_ == 2) {
            return;
        }
        if (recordedView_ != kViewTower) {
            Place(); // renewed every second while the tower view is not shown
            return;
        }
        // The module watches the followed aircraft while either box is ticked; a slew of the
        // aircraft it has been watching places at once, even in a pause.
        if (turns_ || jumps_) {
            bool caughtUp = jumps_ && slewed_ == target_ && watched_ == target_;
            watched_ = target_;
            if (caughtUp) {
                Place();
                return;
            }
        }
        if (paused_ || settings_ || about_) {
            return;
        }
        if (++periodTicks_ == svp_) {
            Place();
        }
    }

    nlohmann::json scenario_;
    std::vector<int> ai_;
    std::vector<std::string> unknown_;
    int flyingAfter_ = 3;
    int t_ = 0;
    bool changed_ = false;
    bool active_ = false;
    int mode_ = 0;
    Defaults atLoad_;
    int svp_ = atLoad_.settings.Svp;
    int pendingSvp_ = svp_;
    int pendingMode_ = 0;
    int page_ = 0;
    bool spottingAllowed_ = false;
    int view_ = kViewTower;
    int recordedView_ = 0;
    int target_ = kUserAircraftId;
    int chosen_ = 0;
    int rowClickedAt_ = -1;
    int periodTicks_ = 0;
    bool paused_ = false;
    bool hostWasPaused_ = false;
    bool aiList_ = false, settings_ = false, about_ = false;
    bool movedSincePlacement_ = false;
    bool turns_ = false, jumps_ = false;
    bool pendingTurns_ = false, pendingJumps_ = false;
    int slewed_ = 0;  // the aircraft slewed this second
    int watched_ = 0; // the aircraft the module watched at its last watching tick
    int placedTarget_ = 0;
    int placedMode_ = -1;
};

} // namespace demo_model
