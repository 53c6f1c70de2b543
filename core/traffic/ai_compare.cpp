#include "core/traffic/ai_compare.h"

#include <cstdint>
#include <cstdlib>

#include "core/camera/numeric.h"
#include "core/settings/config_values.h"
#include "core/traffic/ai_format.h"

namespace {

constexpr int kTypeColumn = 0;
constexpr int kStateColumn = 1;
constexpr int kDistanceColumn = 2;
constexpr int kLastColumn = kAiColumnCount - 1;
constexpr double kTenthsPerUnit = 10.0;

unsigned char FoldedByte(char c) {
    const unsigned char byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

int32_t CompareFoldedText(const char* first, const char* second) {
    for (size_t i = 0; i < kTextSize; ++i) {
        const int32_t a = FoldedByte(first[i]);
        const int32_t b = FoldedByte(second[i]);
        if (a != b || a == 0) {
            return a - b;
        }
    }
    return 0;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The decimal number at the start of a cell, in double precision; anything else ("n/a"
// included) reads as 0. Only plain decimals are handed to strtod, so its extensions (hex,
// "inf", "nan") never apply and the result is the same with every C library.
double ReadDecimal(const char* text) {
    char plain[kTextSize];
    size_t in = 0;
    size_t out = 0;
    while (in < kTextSize - 1 && (text[in] == ' ' || text[in] == '\t')) {
        ++in;
    }
    if (in < kTextSize - 1 && (text[in] == '+' || text[in] == '-')) {
        plain[out++] = text[in++];
    }
    bool digits = false;
    bool point = false;
    while (in < kTextSize - 1 && (IsDigit(text[in]) || (text[in] == '.' && !point))) {
        point = point || text[in] == '.';
        digits = digits || IsDigit(text[in]);
        plain[out++] = text[in++];
    }
    if (!digits) {
        return 0.0;
    }
    plain[out] = '\0';
    return std::strtod(plain, nullptr);
}

} // namespace

// The tenths are rounded to a double: 100.0 against 99.9 is 1 tenth, where a product kept in an
// x87 register would make it 0.99999999999994 and so 0.
double AiSortNumber(const char* text, int column) {
    if (column == kDistanceColumn) {
        return RoundedToDouble(ReadDecimal(text) * kTenthsPerUnit);
    }
    if (column > kDistanceColumn && column <= kLastColumn) {
        return ParseConfigInt(text);
    }
    return 0.0;
}

int32_t CompareAiSortNumbers(double first, double second, int column) {
    if (column == kDistanceColumn) {
        return TruncateToInt32(first - second);
    }
    if (column > kDistanceColumn && column <= kLastColumn) {
        return SaturateToInt32(static_cast<int64_t>(first) - static_cast<int64_t>(second));
    }
    return 0;
}

int32_t CompareAiCells(const char* first, const char* second, int column) {
    if (column == kTypeColumn || column == kStateColumn) {
        return CompareFoldedText(first, second);
    }
    return CompareAiSortNumbers(AiSortNumber(first, column), AiSortNumber(second, column), column);
}

bool SameCellText(const char* a, const char* b) {
    for (size_t i = 0; i < kTextSize; ++i) {
        if (a[i] != b[i]) {
            return false;
        }
        if (a[i] == '\0') {
            return true;
        }
    }
    return false;
}
