// Scenarios and the trace: hostsim.exe runs one headless, the library runs actions.
#include "hostsim_test_support.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <fstream>
#include <vector>

using namespace hostsim_test;
using nlohmann::json;

namespace {
std::vector<json> ReadTrace(const std::string& path) {
    std::vector<json> lines;
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line)) {
        json parsed = json::parse(line, nullptr, false);
        EXPECT_FALSE(parsed.is_discarded()) << line;
        lines.push_back(parsed);
    }
    return lines;
}

bool WriteText(const std::string& path, const char* text) {
    FILE* file = fopen(path.c_str(), "w");
    if (!file) {
        return false;
    }
    fputs(text, file);
    fclose(file);
    return true;
}
} // namespace

TEST_F(HostsimHost, HostsimExeRunsTheDemoScenarioHeadlessAndTraces) {
    std::string trace = root + "\\demo.jsonl";
    std::string command = "\"" + BinaryFolder() + "\\hostsim.exe\" --lockstep --scenario \"" +
                          SKYVANE_SOURCE_DIR "/hostsim/scenarios/pass_by_demo.json\" --trace \"" +
                          trace + "\" --root \"" + root + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    ASSERT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               BinaryFolder().c_str(), &startup, &process));
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 120000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    EXPECT_EQ(exitCode, 0u);

    std::vector<json> lines = ReadTrace(trace);
    ASSERT_EQ(lines.size(), 241u) << "t = 0 and one line per simulated second";
    for (size_t t = 0; t < lines.size(); ++t) {
        ASSERT_EQ(lines[t]["t"], t);
        ASSERT_EQ(lines[t]["tower"]["words"].size(), 6u);
    }
    EXPECT_EQ(lines[1]["hostState"], 1);
    EXPECT_EQ(lines[2]["hostState"], 227);
    EXPECT_EQ(lines[3]["hostState"], 12);
    EXPECT_EQ(lines[5]["utc"], "14:30:02") << "the clock runs from the first second flown";
    EXPECT_EQ(lines[100]["viewMode"], 4) << "S at 100 goes from the tower to the follow view";
    EXPECT_EQ(lines[110]["viewMode"], 1);
    EXPECT_EQ(lines[119]["aiCount"], 2);
    EXPECT_EQ(lines[120]["aiCount"], 3);
    EXPECT_EQ(lines[200]["aiCount"], 2);
    EXPECT_NE(lines[150]["hostState"], 12) << "the host's view options dialog";
    EXPECT_TRUE(lines[175]["paused"]);
    EXPECT_FALSE(lines[185]["paused"]);
    EXPECT_EQ(lines[6]["actions"].size(), 1u);
    EXPECT_EQ(lines[6]["towerSees"], 1);
    EXPECT_EQ(lines[6]["tableSlots"]["0x74"], "ok");
    // The decoded tower eye point agrees with its words.
    HostsimEyePoint eye;
    const json& words = lines[50]["tower"]["words"];
    eye.latLo = words[0];
    eye.latHi = static_cast<int32_t>(words[1].get<uint32_t>());
    eye.lonLo = words[2];
    eye.lonHi = static_cast<int32_t>(words[3].get<uint32_t>());
    eye.altLo = words[4];
    eye.altHi = static_cast<int32_t>(words[5].get<uint32_t>());
    double lat, lon, alt;
    HostsimDecodeEyePoint(&eye, &lat, &lon, &alt);
    EXPECT_NEAR(lines[50]["tower"]["lat"].get<double>(), lat, 1e-9);
    EXPECT_NEAR(lines[50]["tower"]["lon"].get<double>(), lon, 1e-9);
    EXPECT_NEAR(lines[50]["tower"]["altMetres"].get<double>(), alt, 1e-9);
}

TEST_F(HostsimHost, ScenarioActionsReachAircraftModulesAndTheTrace) {
    std::string scenario = root + "\\actions.json";
    ASSERT_TRUE(WriteText(scenario, R"({
      "seconds": 12,
      "host": {"readyAfter": 1, "flyingAfter": 2, "view": 1, "versionWord": 2304},
      "user": {"lat": 10, "lon": 20, "speedKnots": 0},
      "ai": [{"id": 5, "lat": 10.1, "lon": 20, "sizeFeet": 77}],
      "timeline": [
        {"at": 3, "key": "N", "mods": ["shift", "ctrl"]},
        {"at": 4, "set": {"id": 5, "var": 548, "value": "nan"}},
        {"at": 5, "event": 65794},
        {"at": 6, "event": 65795},
        {"at": 7, "menu": [3, 1]},
        {"at": 8, "addAircraft": {"id": 6, "type": "Dash 8"}},
        {"at": 9, "removeAircraft": 5},
        {"at": 10, "hostState": 44}
      ]})"));
    int seconds = 0;
    ASSERT_TRUE(HostsimLoadScenario(scenario.c_str(), &options, &seconds));
    EXPECT_EQ(seconds, 12);
    EXPECT_EQ(options.initialView, 1);
    snprintf(options.tracePath, sizeof options.tracePath, "%s\\actions.jsonl", root.c_str());
    Start();
    EXPECT_DOUBLE_EQ(HostsimFindAircraft(1)->latitudeDeg, 10.0);
    HostsimStep(4);
    EXPECT_NE(At(ModuleJournal(), "key 78 mods 3"), std::string::npos);
    EXPECT_TRUE(std::isnan(ReadValue(5, 548, 7)));
    HostsimStep(8);
    EXPECT_EQ(HostsimHostState(), 44);
    EXPECT_EQ(HostsimFindAircraft(5), nullptr);
    EXPECT_STREQ(HostsimFindAircraft(6)->type, "Dash 8");
    // A slew: the aircraft is elsewhere at once, for the next read.
    ASSERT_TRUE(HostsimRunAction(
        R"({"updateAircraft": {"id": 6, "speedKnots": 99, "lat": 51.5, "lon": -2.25}})"));
    EXPECT_DOUBLE_EQ(HostsimFindAircraft(6)->speedKnots, 99.0);
    EXPECT_DOUBLE_EQ(ReadValue(6, 48, 63), 51.5);
    EXPECT_DOUBLE_EQ(ReadValue(6, 49, 63), -2.25);
    EXPECT_FALSE(HostsimRunAction(R"({"removeAircraft": 1234})"));
    HostsimShutdown();

    std::vector<json> lines = ReadTrace(root + "\\actions.jsonl");
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[1]["viewMode"], 1);
    EXPECT_EQ(lines[5]["events"], json::array({65794}));
    EXPECT_TRUE(lines[5]["paused"]);
    EXPECT_EQ(lines[6]["events"], json::array({65795}));
    EXPECT_FALSE(lines[6]["paused"]);
    EXPECT_EQ(lines[7]["viewMode"], 3) << "menu 3, item 1: the tower view";
    EXPECT_EQ(lines[8]["aiCount"], 2);
    EXPECT_EQ(lines[9]["aiCount"], 1);
    EXPECT_EQ(lines[12]["hostState"], 44);
}
