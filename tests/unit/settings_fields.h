#pragma once
// The fields of a Settings record by name, so that tests compare whole records and say which
// fields differ.
#include <cstdint>
#include <string>
#include <vector>

#include "core/settings/settings_record.h"

struct SettingsField {
    const char* name;
    int32_t Settings::*member;
};

// Names for the fields in tables of cases: field::Svp is kSettingsFields[field::Svp].
namespace field {
enum Index {
    Active,
    Svp,
    Rlp,
    Ral,
    Mode,
    RndH,
    RndV,
    RngSvpMax,
    RngRlp,
    RngRal,
    Turns,
    Jumps,
    Tour,
    TourRange,
    SvpMin,
    RlpMin,
    RalMin
};
} // namespace field

constexpr SettingsField kSettingsFields[] = {
    {"Active", &Settings::Active}, {"Svp", &Settings::Svp},
    {"Rlp", &Settings::Rlp},       {"Ral", &Settings::Ral},
    {"Mode", &Settings::Mode},     {"RndH", &Settings::RndH},
    {"RndV", &Settings::RndV},     {"RngSvpMax", &Settings::RngSvpMax},
    {"RngRlp", &Settings::RngRlp}, {"RngRal", &Settings::RngRal},
    {"Turns", &Settings::Turns},   {"Jumps", &Settings::Jumps},
    {"Tour", &Settings::Tour},     {"TourRange", &Settings::TourRange},
    {"SvpMin", &Settings::SvpMin}, {"RlpMin", &Settings::RlpMin},
    {"RalMin", &Settings::RalMin},
};
static_assert(sizeof kSettingsFields / sizeof kSettingsFields[0] == field::RalMin + 1 &&
                  (field::RalMin + 1) * sizeof(int32_t) == sizeof(Settings),
              "every field of Settings is listed, in order");

// One field set to a value, in a table of cases.
struct FieldValue {
    field::Index field;
    int32_t value;
};

inline void SetFields(Settings& s, const std::vector<FieldValue>& values) {
    for (const FieldValue& v : values) {
        s.*kSettingsFields[v.field].member = v.value;
    }
}

// "" when the records agree, else each differing field as "Svp 3 (expected 5); ".
inline std::string SettingsDifferences(const Settings& actual, const Settings& expected) {
    std::string differences;
    for (const SettingsField& field : kSettingsFields) {
        if (actual.*field.member != expected.*field.member) {
            differences += std::string(field.name) + " " + std::to_string(actual.*field.member) +
                           " (expected " + std::to_string(expected.*field.member) + "); ";
        }
    }
    return differences;
}
