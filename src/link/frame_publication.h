// Frame publication: writes one frame from the host into a link record.
#pragma once

#include <cstddef>

#include "link/link_record.h"

// A run of UTF-16 code units and their count. `units` may be null only when
// `count` is 0. The units need not be zero-terminated.
struct Utf16Text {
    const Utf16Unit* units;
    std::size_t count;
};

// One frame's input, in the order in which the host passes it. Within each
// position triple the host passes x, then z (horizontal), then y (vertical).
struct LinkFrame {
    Utf16Text identity;
    float avatarX;
    float avatarZ;
    float avatarY;
    float cameraX;
    float cameraZ;
    float cameraY;
    float azimuth;    // radians, from +x towards +z in the horizontal plane
    float elevation;  // radians; its cosine scales the horizontal facing
    Utf16Text context;
};

// Writes `frame` into `record`, which must point at 5460 writable bytes (the
// shared view or any buffer). Never fails, never allocates, reads no more than
// `count` units of either text and writes nothing outside the record.
//
// Order of the writes, which is all a concurrent reader can rely on:
//   1. while uiVersion != 2: name and description (zero-filled), then uiVersion = 2;
//   2. uiTick + 1 (wrapping);
//   3. fAvatarFront = (cos az * cos el, 0, sin az * cos el), computed in double;
//   4. fAvatarTop = (0, 1, 0);
//   5. fAvatarPosition = (avatarX, avatarY, avatarZ);
//   6. fCameraPosition = (cameraX, cameraY, cameraZ);
//   7. fCameraFront = (0, 0, 1);  8. fCameraTop = (0, 1, 0);
//   9. identity: up to the first zero unit, at most 256 units, zero-filled;
//      256 units or more leave no terminator;
//  10. context bytes 0..15: the first 8 units as raw little-endian bytes (zero
//      units copied too); a shorter context is padded with zeros. Bytes 16..255
//      are never touched;
//  11. context_len = 16.
void publishFrame(LinkRecord* record, const LinkFrame& frame);
