#include "link/link_attachment.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace {

constexpr const char* OBJECT = "/MumbleLink";

// Plays the voice client: creates, maps and removes the shared object.
struct VoiceClient {
    int fd = -1;
    unsigned char* bytes = nullptr;
    std::size_t size = 0;

    explicit VoiceClient(std::size_t objectSize) : size(objectSize) {
        shm_unlink(OBJECT);
        fd = shm_open(OBJECT, O_RDWR | O_CREAT | O_EXCL, 0600);
        EXPECT_GE(fd, 0) << std::strerror(errno);
        EXPECT_EQ(ftruncate(fd, static_cast<off_t>(size)), 0);
        if (size == 0) return;
        bytes = static_cast<unsigned char*>(mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0));
        EXPECT_NE(bytes, MAP_FAILED);
    }
    ~VoiceClient() {
        if (bytes != nullptr) munmap(bytes, size);
        close(fd);
        shm_unlink(OBJECT);
    }
};

class LinkAttachment : public testing::Test {
protected:
    void SetUp() override {
        shm_unlink(OBJECT);
        lm = nullptr;
    }
    void TearDown() override { shm_unlink(OBJECT); }

    LinkRecord elsewhere{};  // stands for a record attached earlier
};

std::size_t countEntries(const char* directory) {
    std::size_t count = 0;
    DIR* dir = opendir(directory);
    while (readdir(dir) != nullptr) ++count;
    closedir(dir);
    return count;
}

std::size_t countMappingsOf(const std::string& needle) {
    std::ifstream maps("/proc/self/maps");
    std::size_t count = 0;
    for (std::string line; std::getline(maps, line);)
        if (line.find(needle) != std::string::npos) ++count;
    return count;
}

TEST_F(LinkAttachment, AbsentObjectLeavesPointerAsItWas) {
    attachLink();
    EXPECT_EQ(lm, nullptr);
    lm = &elsewhere;
    attachLink();
    EXPECT_EQ(lm, &elsewhere);
}

TEST_F(LinkAttachment, PresentObjectIsMappedReadWriteAndShared) {
    VoiceClient client(LINK_RECORD_SIZE);
    client.bytes[4] = 7;
    attachLink();
    ASSERT_NE(lm, nullptr);
    EXPECT_EQ(lm->uiTick, 7u);
    lm->description[2047] = 0x1234;
    EXPECT_EQ(client.bytes[LINK_RECORD_SIZE - 2], 0x34);
    EXPECT_EQ(client.bytes[LINK_RECORD_SIZE - 1], 0x12);
}

TEST_F(LinkAttachment, LargerObjectIsMappedToo) {
    VoiceClient client(LINK_RECORD_SIZE + 4096);
    attachLink();
    ASSERT_NE(lm, nullptr);
    lm->uiVersion = 2;
    EXPECT_EQ(client.bytes[0], 2);
}

TEST_F(LinkAttachment, ObjectTooSmallIsAMapFailureAndDetaches) {
    for (std::size_t size : {std::size_t{0}, std::size_t{100}, LINK_RECORD_SIZE - 1}) {
        VoiceClient client(size);
        lm = &elsewhere;
        attachLink();
        EXPECT_EQ(lm, nullptr) << size;
    }
}

TEST_F(LinkAttachment, ReattachmentFollowsARecreatedObject) {
    {
        VoiceClient first(LINK_RECORD_SIZE);
        attachLink();
        ASSERT_NE(lm, nullptr);
        attachLink();
        ASSERT_NE(lm, nullptr);
        lm->uiTick = 5;
        EXPECT_EQ(first.bytes[4], 5);
    }
    VoiceClient second(LINK_RECORD_SIZE);
    attachLink();
    ASSERT_NE(lm, nullptr);
    lm->uiTick = 9;
    EXPECT_EQ(second.bytes[4], 9);
}

TEST_F(LinkAttachment, RepeatedAttachmentHoldsOneViewAndOneDescriptor) {
    VoiceClient client(LINK_RECORD_SIZE);
    attachLink();
    const std::size_t descriptors = countEntries("/proc/self/fd");
    for (int i = 0; i < 1000; ++i) attachLink();
    EXPECT_EQ(countEntries("/proc/self/fd"), descriptors);
    // The voice client's own view plus the library's.
    EXPECT_EQ(countMappingsOf("/dev/shm/MumbleLink"), 2u);
    ASSERT_NE(lm, nullptr);
}

TEST_F(LinkAttachment, ObjectOfAnotherUserIsNotOpened) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to give the object to another user";
    VoiceClient client(LINK_RECORD_SIZE);
    ASSERT_EQ(fchown(client.fd, 65534, 65534), 0);
    lm = &elsewhere;
    attachLink();
    EXPECT_EQ(lm, &elsewhere);
}

TEST_F(LinkAttachment, SymbolicLinkUnderTheNameIsNotFollowed) {
    char target[] = "/tmp/mumblezevrin-target-XXXXXX";
    const int fd = mkstemp(target);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, LINK_RECORD_SIZE), 0);
    ASSERT_EQ(symlink(target, "/dev/shm/MumbleLink"), 0);
    attachLink();
    EXPECT_EQ(lm, nullptr);
    close(fd);
    unlink(target);
}

}  // namespace
