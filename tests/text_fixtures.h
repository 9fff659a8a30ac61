// Helpers shared by the native tests: UTF-16 texts held in buffers of exactly
// their length, so that a read past the end is caught by the sanitizers.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "link/frame_publication.h"

inline std::vector<Utf16Unit> units(std::u16string_view text) {
    return std::vector<Utf16Unit>(text.begin(), text.end());
}

inline std::vector<Utf16Unit> repeated(Utf16Unit unit, std::size_t count) {
    return std::vector<Utf16Unit>(count, unit);
}

inline Utf16Text textOf(const std::vector<Utf16Unit>& buffer) {
    return Utf16Text{buffer.empty() ? nullptr : buffer.data(), buffer.size()};
}

inline std::uint32_t floatBits(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}
