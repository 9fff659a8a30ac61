#include "link/frame_publication.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>

#include "text_fixtures.h"

namespace {

constexpr float PI = 3.14159265358979f;

// A link record in a buffer of exactly the record's size.
struct Record {
    std::unique_ptr<unsigned char[]> bytes{new unsigned char[LINK_RECORD_SIZE]()};
    LinkRecord* get() { return reinterpret_cast<LinkRecord*>(bytes.get()); }
    LinkRecord* operator->() { return get(); }
};

struct FrameInput {
    std::vector<Utf16Unit> identity = units(u"Alice");
    std::vector<Utf16Unit> context = units(u"Server01");
    float values[8] = {1, 2, 3, 4, 5, 6, 0, 0};

    LinkFrame frame() const {
        return LinkFrame{textOf(identity), values[0], values[1], values[2], values[3],
                         values[4],        values[5], values[6], values[7], textOf(context)};
    }
};

void publish(Record& record, const FrameInput& input = FrameInput{}) {
    publishFrame(record.get(), input.frame());
}

std::u16string fieldText(const Utf16Unit* field, std::size_t units) {
    std::u16string text;
    for (std::size_t i = 0; i < units && field[i] != 0; ++i) text.push_back(field[i]);
    return text;
}

bool allZero(const Utf16Unit* field, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i)
        if (field[i] != 0) return false;
    return true;
}

TEST(FramePublication, FirstFrameOnZeroedRecordWritesVersionTextsAndTick) {
    Record record;
    publish(record);
    const unsigned char* b = record.bytes.get();

    std::uint32_t version, tick, contextLen;
    std::memcpy(&version, b + 0, 4);
    std::memcpy(&tick, b + 4, 4);
    std::memcpy(&contextLen, b + 1104, 4);
    EXPECT_EQ(version, 2u);
    EXPECT_EQ(tick, 1u);
    EXPECT_EQ(contextLen, 16u);
    // Two bytes per unit, low byte first.
    EXPECT_EQ(b[44], 'Z');
    EXPECT_EQ(b[45], 0);
    EXPECT_EQ(b[1364], 'Z');
    EXPECT_EQ(b[1365], 0);

    EXPECT_EQ(fieldText(record->name, 256), u"ZevrinMumbleLink");
    EXPECT_TRUE(allZero(record->name, 16, 256));
    EXPECT_EQ(fieldText(record->description, 2048), u"ZevrinMumbleLink is a link for tellandrix.net");
    EXPECT_TRUE(allZero(record->description, 45, 2048));
}

TEST(FramePublication, ConstantTextsAreWrittenOnlyWhileVersionIsNotTwo) {
    struct Case {
        std::uint32_t version;
        bool rewritten;
    } cases[] = {{0, true}, {1, true}, {3, true}, {0xFFFFFFFF, true}, {2, false}};
    for (const Case& c : cases) {
        Record record;
        std::memset(record->name, 0x41, sizeof record->name);
        std::memset(record->description, 0x42, sizeof record->description);
        record->uiVersion = c.version;
        publish(record);
        EXPECT_EQ(record->uiVersion, 2u);
        EXPECT_EQ(fieldText(record->name, 16) == u"ZevrinMumbleLink", c.rewritten) << c.version;
        EXPECT_EQ(record->description[2047] == 0, c.rewritten) << c.version;
    }
}

TEST(FramePublication, SecondFrameRaisesTickAndLeavesTextsAlone) {
    Record record;
    publish(record);
    record->name[0] = u'X';
    publish(record);
    EXPECT_EQ(record->uiTick, 2u);
    EXPECT_EQ(record->name[0], u'X');
}

TEST(FramePublication, TickWrapsModulo2To32) {
    const std::uint32_t cases[][2] = {{0, 1}, {41, 42}, {0xFFFFFFFE, 0xFFFFFFFF}, {0xFFFFFFFF, 0}};
    for (const auto& c : cases) {
        Record record;
        record->uiVersion = 2;
        record->uiTick = c[0];
        publish(record);
        EXPECT_EQ(record->uiTick, c[1]);
    }
}

TEST(FramePublication, FacingFollowsAnglesAndFixedVectorsAreExact) {
    struct Case {
        float azimuth, elevation, x, z;
    } cases[] = {
        {0, 0, 1, 0},
        {PI / 2, 0, 0, 1},
        {PI, 0, -1, 0},
        {-PI / 2, 0, 0, -1},
        {0, PI / 2, 0, 0},
        {PI / 4, PI / 3, 0.5f * std::sqrt(0.5f), 0.5f * std::sqrt(0.5f)},
        {0, PI, -1, 0},
    };
    for (const Case& c : cases) {
        Record record;
        FrameInput input;
        input.values[6] = c.azimuth;
        input.values[7] = c.elevation;
        publish(record, input);
        SCOPED_TRACE(testing::Message() << "azimuth " << c.azimuth << " elevation " << c.elevation);
        EXPECT_NEAR(record->fAvatarFront[0], c.x, 1e-6);
        EXPECT_EQ(floatBits(record->fAvatarFront[1]), 0u);
        EXPECT_NEAR(record->fAvatarFront[2], c.z, 1e-6);
        // Products are formed in double and rounded once.
        EXPECT_EQ(record->fAvatarFront[0],
                  static_cast<float>(std::cos(double{c.azimuth}) * std::cos(double{c.elevation})));
        EXPECT_EQ(record->fAvatarFront[2],
                  static_cast<float>(std::sin(double{c.azimuth}) * std::cos(double{c.elevation})));

        const float* fixed[] = {record->fAvatarTop, record->fCameraFront, record->fCameraTop};
        const std::uint32_t expected[][3] = {
            {0, 0x3F800000, 0}, {0, 0, 0x3F800000}, {0, 0x3F800000, 0}};
        for (int v = 0; v < 3; ++v)
            for (int i = 0; i < 3; ++i) EXPECT_EQ(floatBits(fixed[v][i]), expected[v][i]);
    }
}

TEST(FramePublication, PositionsAreStoredInRecordAxisOrderUnchanged) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float denormal = std::numeric_limits<float>::denorm_min();
    const float cases[][6] = {
        {1, 2, 3, 4, 5, 6},
        {-0.0f, 1e30f, -1e-30f, denormal, -inf, inf},
        {nan, 0, 0, 0, 0, nan},
    };
    for (const auto& host : cases) {
        Record record;
        FrameInput input;
        std::memcpy(input.values, host, sizeof host);
        publish(record, input);
        const float expected[2][3] = {{host[0], host[2], host[1]}, {host[3], host[5], host[4]}};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(floatBits(record->fAvatarPosition[i]), floatBits(expected[0][i])) << i;
            EXPECT_EQ(floatBits(record->fCameraPosition[i]), floatBits(expected[1][i])) << i;
        }
    }
}

TEST(FramePublication, IdentityIsCopiedUpToZeroOrLimitAndZeroFilled) {
    struct Case {
        const char* what;
        std::vector<Utf16Unit> identity;
        std::size_t expectedUnits;
    } cases[] = {
        {"empty", {}, 0},
        {"short", units(u"Alice"), 5},
        {"stops at zero unit", units(std::u16string_view(u"Al\0ce", 5)), 2},
        {"leading zero unit", units(std::u16string_view(u"\0Bob", 4)), 0},
        {"255 units keep a terminator", repeated(u'x', 255), 255},
        {"256 units fill the field", repeated(u'x', 256), 256},
        {"257 units are cut", repeated(u'x', 257), 256},
        {"300 units are cut", repeated(u'x', 300), 256},
        {"unpaired surrogate copied as is", units(u"a\xD800z"), 3},
    };
    for (const Case& c : cases) {
        Record record;
        std::memset(record->identity, 0x7F, sizeof record->identity);
        FrameInput input;
        input.identity = c.identity;
        publish(record, input);
        SCOPED_TRACE(c.what);
        for (std::size_t i = 0; i < c.expectedUnits; ++i) ASSERT_EQ(record->identity[i], c.identity[i]) << i;
        EXPECT_TRUE(allZero(record->identity, c.expectedUnits, 256));
        EXPECT_EQ(record->context_len, 16u);
    }
}

TEST(FramePublication, ContextFillsSixteenBytesAndNeverTouchesTheRest) {
    struct Case {
        const char* what;
        std::vector<Utf16Unit> context;
        unsigned char bytes[16];
    } cases[] = {
        {"ten letters, first eight used",
         units(u"ABCDEFGHIJ"),
         {0x41, 0, 0x42, 0, 0x43, 0, 0x44, 0, 0x45, 0, 0x46, 0, 0x47, 0, 0x48, 0}},
        {"exactly eight", units(u"12345678"), {'1', 0, '2', 0, '3', 0, '4', 0, '5', 0, '6', 0, '7', 0, '8', 0}},
        {"shorter is zero-padded", units(u"AB"), {0x41, 0, 0x42}},
        {"empty", {}, {}},
        {"zero units are copied, not stopped at",
         units(std::u16string_view(u"A\0B\0C\0D\0", 8)),
         {0x41, 0, 0, 0, 0x42, 0, 0, 0, 0x43, 0, 0, 0, 0x44}},
        {"low byte first", units(u"\x20AC\xD83D"), {0xAC, 0x20, 0x3D, 0xD8}},
    };
    for (const Case& c : cases) {
        Record record;
        std::memset(record->context, 0xCD, sizeof record->context);
        FrameInput input;
        input.context = c.context;
        publish(record, input);
        SCOPED_TRACE(c.what);
        EXPECT_EQ(std::memcmp(record->context, c.bytes, 16), 0);
        for (std::size_t i = 16; i < 256; ++i) ASSERT_EQ(record->context[i], 0xCD) << i;
        EXPECT_EQ(record->context_len, 16u);
    }
}

}  // namespace
