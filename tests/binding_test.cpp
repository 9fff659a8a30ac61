// The JNI entry points, driven through a JNI environment of our own.
#include "NET_tellandrix_MumbleLink.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "fake_jni.h"
#include "link/link_attachment.h"

namespace {

FakeString fake(std::u16string_view text) { return FakeString{{text.begin(), text.end()}}; }

class Binding : public testing::Test {
protected:
    void SetUp() override { lm = nullptr; }
    void TearDown() override { lm = nullptr; }

    void update(jstring identity, jstring context) {
        Java_NET_tellandrix_MumbleLink_updateMumble(&jni.env, nullptr, identity, 1, 2, 3, 4, 5, 6, 0, 0,
                                                   context);
    }

    FakeJni jni;
    std::unique_ptr<LinkRecord> record = std::make_unique<LinkRecord>();
};

TEST_F(Binding, DetachedUpdateTouchesNoString) {
    FakeString identity = fake(u"Alice"), context = fake(u"Server01");
    update(FakeJni::string(identity), FakeJni::string(context));
    EXPECT_EQ(jni.lengthCalls + jni.gets + jni.releases, 0);
}

TEST_F(Binding, AttachedUpdatePublishesAndReleasesEveryString) {
    lm = record.get();
    FakeString identity = fake(u"Alice"), context = fake(u"ABCDEFGHIJ");
    for (int i = 0; i < 3; ++i) update(FakeJni::string(identity), FakeJni::string(context));
    EXPECT_EQ(record->uiTick, 3u);
    EXPECT_EQ(std::u16string(record->identity, record->identity + 5), u"Alice");
    EXPECT_EQ(record->context[14], 'H');
    EXPECT_EQ(record->fAvatarPosition[1], 3.0f);
    EXPECT_EQ(record->fCameraPosition[2], 5.0f);
    EXPECT_EQ(jni.gets, 6);
    EXPECT_EQ(jni.releases, 6);
}

TEST_F(Binding, MissingStringsReadAsEmpty) {
    lm = record.get();
    FakeString unavailable = fake(u"Alice");
    unavailable.charsUnavailable = true;
    FakeString present = fake(u"Bob");
    struct Case {
        const char* what;
        jstring identity, context;
        int gets, releases;
    } cases[] = {
        {"null identity", nullptr, FakeJni::string(present), 1, 1},
        {"null context", FakeJni::string(present), nullptr, 1, 1},
        {"both null", nullptr, nullptr, 0, 0},
        {"identity characters unavailable", FakeJni::string(unavailable), FakeJni::string(present), 2, 1},
        {"context characters unavailable", FakeJni::string(present), FakeJni::string(unavailable), 2, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::memset(record->identity, 0x55, sizeof record->identity);
        std::memset(record->context, 0x55, 16);
        jni.gets = jni.releases = 0;
        update(c.identity, c.context);
        EXPECT_EQ(jni.gets, c.gets);
        EXPECT_EQ(jni.releases, c.releases);
        EXPECT_EQ(jni.releaseMismatches, 0);
        EXPECT_EQ(jni.callsWithExceptionPending, 0);
        EXPECT_FALSE(jni.exceptionPending);
        const bool identityEmpty = c.identity != FakeJni::string(present);
        EXPECT_EQ(record->identity[0], identityEmpty ? 0 : u'B');
        EXPECT_EQ(record->identity[1], identityEmpty ? 0 : u'o');
        const bool contextEmpty = c.context != FakeJni::string(present);
        EXPECT_EQ(record->context[0], contextEmpty ? 0 : 'B');
        EXPECT_EQ(record->context[15], 0);
    }
}

}  // namespace
