#pragma once
// Every text buffer of the module holds this many characters, terminator included: host texts,
// the settings file's path and values, list cells and captions; text comparisons stop here too.
#include <cstddef>

constexpr size_t kTextSize = 260;
