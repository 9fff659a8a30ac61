// The link record: the 5460-byte block of shared memory through which the
// library hands position, facing, identity and context to the voice client.
// The layout is version 2 of the voice client's published link structure,
// packed, little-endian, with 16-bit UTF-16 text units on every platform.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

// One UTF-16 code unit. Deliberately not wchar_t, which is 32 bits wide on
// Linux and would move every field after `name`.
using Utf16Unit = std::uint16_t;

constexpr std::uint32_t LINK_VERSION = 2;
constexpr std::size_t LINK_RECORD_SIZE = 5460;
constexpr std::size_t LINK_NAME_UNITS = 256;
constexpr std::size_t LINK_IDENTITY_UNITS = 256;
constexpr std::size_t LINK_CONTEXT_CAPACITY = 256;
constexpr std::size_t LINK_DESCRIPTION_UNITS = 2048;
// Bytes of `context` the library fills (eight UTF-16 units), and the value
// it stores in `context_len`.
constexpr std::uint32_t LINK_CONTEXT_BYTES = 16;

// Written into `name` and at the head of `description` while the record's
// version is not yet LINK_VERSION.
constexpr char16_t LINK_NAME[] = u"ZevrinMumbleLink";
constexpr char16_t LINK_DESCRIPTION[] = u"ZevrinMumbleLink is a link for tellandrix.net";

struct LinkRecord {
    std::uint32_t uiVersion;
    std::uint32_t uiTick;
    float fAvatarPosition[3];
    float fAvatarFront[3];
    float fAvatarTop[3];
    Utf16Unit name[LINK_NAME_UNITS];
    float fCameraPosition[3];
    float fCameraFront[3];
    float fCameraTop[3];
    Utf16Unit identity[LINK_IDENTITY_UNITS];
    std::uint32_t context_len;
    unsigned char context[LINK_CONTEXT_CAPACITY];
    Utf16Unit description[LINK_DESCRIPTION_UNITS];
};

static_assert(std::endian::native == std::endian::little,
              "the record is little-endian and is written with native stores");
static_assert(sizeof(float) == 4, "record floats are IEEE 754 single precision");
static_assert(offsetof(LinkRecord, uiVersion) == 0, "uiVersion offset");
static_assert(offsetof(LinkRecord, uiTick) == 4, "uiTick offset");
static_assert(offsetof(LinkRecord, fAvatarPosition) == 8, "fAvatarPosition offset");
static_assert(offsetof(LinkRecord, fAvatarFront) == 20, "fAvatarFront offset");
static_assert(offsetof(LinkRecord, fAvatarTop) == 32, "fAvatarTop offset");
static_assert(offsetof(LinkRecord, name) == 44, "name offset");
static_assert(offsetof(LinkRecord, fCameraPosition) == 556, "fCameraPosition offset");
static_assert(offsetof(LinkRecord, fCameraFront) == 568, "fCameraFront offset");
static_assert(offsetof(LinkRecord, fCameraTop) == 580, "fCameraTop offset");
static_assert(offsetof(LinkRecord, identity) == 592, "identity offset");
static_assert(offsetof(LinkRecord, context_len) == 1104, "context_len offset");
static_assert(offsetof(LinkRecord, context) == 1108, "context offset");
static_assert(offsetof(LinkRecord, description) == 1364, "description offset");
static_assert(sizeof(LinkRecord) == LINK_RECORD_SIZE, "record size");
static_assert(sizeof(LINK_NAME) / sizeof(char16_t) - 1 == 16, "name is 16 units");
static_assert(sizeof(LINK_DESCRIPTION) / sizeof(char16_t) - 1 <= LINK_DESCRIPTION_UNITS,
              "description fits its field");
