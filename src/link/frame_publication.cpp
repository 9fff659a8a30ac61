#include "link/frame_publication.h"

#include <atomic>
#include <cmath>
#include <cstring>

namespace {

// Keeps the compiler from moving stores across a step, so that a reader in
// another process sees the fields change in the documented order.
inline void stepBoundary() { std::atomic_thread_fence(std::memory_order_release); }

template <std::size_t N>
void writeConstantText(Utf16Unit* field, std::size_t fieldUnits, const char16_t (&text)[N]) {
    constexpr std::size_t length = N - 1;
    for (std::size_t i = 0; i < length; ++i) field[i] = static_cast<Utf16Unit>(text[i]);
    std::memset(field + length, 0, (fieldUnits - length) * sizeof(Utf16Unit));
}

void writeVector(float* field, float x, float y, float z) {
    field[0] = x;
    field[1] = y;
    field[2] = z;
}

void writeIdentity(Utf16Unit* field, const Utf16Text& text) {
    const std::size_t limit = text.count < LINK_IDENTITY_UNITS ? text.count : LINK_IDENTITY_UNITS;
    std::size_t copied = 0;
    while (copied < limit && text.units[copied] != 0) {
        field[copied] = text.units[copied];
        ++copied;
    }
    std::memset(field + copied, 0, (LINK_IDENTITY_UNITS - copied) * sizeof(Utf16Unit));
}

void writeContext(unsigned char* field, const Utf16Text& text) {
    constexpr std::size_t units = LINK_CONTEXT_BYTES / sizeof(Utf16Unit);
    for (std::size_t i = 0; i < units; ++i) {
        const Utf16Unit unit = i < text.count ? text.units[i] : 0;
        field[2 * i] = static_cast<unsigned char>(unit & 0xFF);
        field[2 * i + 1] = static_cast<unsigned char>(unit >> 8);
    }
}

}  // namespace

void publishFrame(LinkRecord* record, const LinkFrame& frame) {
    if (record->uiVersion != LINK_VERSION) {
        writeConstantText(record->name, LINK_NAME_UNITS, LINK_NAME);
        writeConstantText(record->description, LINK_DESCRIPTION_UNITS, LINK_DESCRIPTION);
        stepBoundary();
        record->uiVersion = LINK_VERSION;
        stepBoundary();
    }

    record->uiTick = record->uiTick + 1u;
    stepBoundary();

    const double azimuth = frame.azimuth;
    const double horizontal = std::cos(static_cast<double>(frame.elevation));
    writeVector(record->fAvatarFront, static_cast<float>(std::cos(azimuth) * horizontal), 0.0f,
                static_cast<float>(std::sin(azimuth) * horizontal));
    stepBoundary();
    writeVector(record->fAvatarTop, 0.0f, 1.0f, 0.0f);
    stepBoundary();
    writeVector(record->fAvatarPosition, frame.avatarX, frame.avatarY, frame.avatarZ);
    stepBoundary();
    writeVector(record->fCameraPosition, frame.cameraX, frame.cameraY, frame.cameraZ);
    stepBoundary();
    writeVector(record->fCameraFront, 0.0f, 0.0f, 1.0f);
    stepBoundary();
    writeVector(record->fCameraTop, 0.0f, 1.0f, 0.0f);
    stepBoundary();
    writeIdentity(record->identity, frame.identity);
    stepBoundary();
    writeContext(record->context, frame.context);
    stepBoundary();
    record->context_len = LINK_CONTEXT_BYTES;
}
