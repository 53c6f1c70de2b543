#pragma once
// A settings file as text, looked up the way the platform's private-profile reader does: first
// matching section and key, names compared without case, blanks around names and values
// dropped, one pair of surrounding quotes removed, values cut to the caller's buffer.
#include <cctype>
#include <cstddef>
#include <cstring>

namespace fuzz {

struct IniText {
    const char* data;
    size_t size;
};

struct Span {
    const char* begin;
    const char* end;
};

inline Span Trim(Span s) {
    while (s.begin < s.end && (*s.begin == ' ' || *s.begin == '\t')) {
        ++s.begin;
    }
    while (s.end > s.begin && (s.end[-1] == ' ' || s.end[-1] == '\t' || s.end[-1] == '\r')) {
        --s.end;
    }
    return s;
}

inline bool SameName(Span s, const char* name) {
    size_t length = static_cast<size_t>(s.end - s.begin);
    if (length != std::strlen(name)) {
        return false;
    }
    for (size_t i = 0; i < length; ++i) {
        if (std::tolower(static_cast<unsigned char>(s.begin[i])) !=
            std::tolower(static_cast<unsigned char>(name[i]))) {
            return false;
        }
    }
    return true;
}

// Copies the value of section/key into value (capacity characters, always terminated), or the
// fallback when the file does not have it.
inline void LookupIni(const IniText& ini, const char* section, const char* key,
                      const char* fallback, char* value, size_t capacity) {
    const char* p = ini.data;
    const char* end = ini.data + ini.size;
    bool inSection = false;
    bool sectionSeen = false;
    while (p < end) {
        const char* lineEnd = static_cast<const char*>(std::memchr(p, '\n', end - p));
        if (!lineEnd) {
            lineEnd = end;
        }
        Span line = Trim(Span{p, lineEnd});
        p = lineEnd < end ? lineEnd + 1 : end;
        if (line.begin < line.end && *line.begin == '[') {
            if (inSection) {
                break; // only the first section of that name counts
            }
            const char* close = static_cast<const char*>(
                std::memchr(line.begin, ']', static_cast<size_t>(line.end - line.begin)));
            Span name = Trim(Span{line.begin + 1, close ? close : line.end});
            inSection = !sectionSeen && SameName(name, section);
            sectionSeen = sectionSeen || inSection;
            continue;
        }
        if (!inSection) {
            continue;
        }
        const char* equals = static_cast<const char*>(
            std::memchr(line.begin, '=', static_cast<size_t>(line.end - line.begin)));
        if (!equals || !SameName(Trim(Span{line.begin, equals}), key)) {
            continue;
        }
        Span text = Trim(Span{equals + 1, line.end});
        size_t length = static_cast<size_t>(text.end - text.begin);
        if (length >= 2 && (*text.begin == '"' || *text.begin == '\'') &&
            text.end[-1] == *text.begin) {
            ++text.begin;
            --text.end;
            length -= 2;
        }
        if (length > capacity - 1) {
            length = capacity - 1;
        }
        std::memcpy(value, text.begin, length);
        value[length] = '\0';
        return;
    }
    std::snprintf(value, capacity, "%s", fallback);
}

} // namespace fuzz
