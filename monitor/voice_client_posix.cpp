#include "voice_client.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

namespace {

constexpr const char* NAME = "/MumbleLink";
volatile std::sig_atomic_t stopFlag = 0;

void onStop(int) { stopFlag = 1; }

}  // namespace

const char* voiceClientObjectName() { return NAME; }

CreateOutcome createVoiceClientObject(VoiceClientObject& object, bool replace, std::string& error) {
    if (replace) shm_unlink(NAME);
    const int fd = shm_open(NAME, O_RDWR | O_CREAT | O_EXCL, 0600);
    if (fd < 0) {
        error = std::strerror(errno);
        return errno == EEXIST ? CreateOutcome::AlreadyExists : CreateOutcome::Failed;
    }
    void* view = MAP_FAILED;
    if (ftruncate(fd, LINK_RECORD_SIZE) == 0)
        view = mmap(nullptr, LINK_RECORD_SIZE, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (view == MAP_FAILED) {
        error = std::strerror(errno);
        close(fd);
        shm_unlink(NAME);
        return CreateOutcome::Failed;
    }
    object.record = static_cast<LinkRecord*>(view);
    object.handle = fd;
    return CreateOutcome::Created;
}

void removeVoiceClientObject(VoiceClientObject& object) {
    if (object.record == nullptr) return;
    // Remove the name only if it still refers to our object, not to one that
    // somebody created after removing ours.
    struct stat ours, named;
    const int fd = static_cast<int>(object.handle);
    const int current = shm_open(NAME, O_RDONLY, 0);
    if (current >= 0) {
        if (fstat(fd, &ours) == 0 && fstat(current, &named) == 0 && ours.st_ino == named.st_ino &&
            ours.st_dev == named.st_dev)
            shm_unlink(NAME);
        close(current);
    }
    munmap(object.record, LINK_RECORD_SIZE);
    close(fd);
    object.record = nullptr;
}

void watchForStop() {
    struct sigaction action {};
    action.sa_handler = onStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

bool stopRequested() { return stopFlag != 0; }

bool outputIsTerminal() { return isatty(STDOUT_FILENO) != 0; }

void sleepMilliseconds(int milliseconds) { usleep(static_cast<useconds_t>(milliseconds) * 1000); }
