// POSIX backend: the link record is the shared-memory object "/MumbleLink".
#include "link/shared_memory.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// File descriptors are stored shifted by one so that descriptor 0 is not
// mistaken for NO_SHARED_OBJECT.
int descriptorOf(SharedObject object) { return static_cast<int>(object - 1); }

}  // namespace

SharedObject openSharedObject(const char16_t* name) {
    char path[64] = {'/'};
    std::size_t i = 0;
    for (; name[i] != 0; ++i) {
        if (name[i] > 0x7F || i + 2 >= sizeof path) return NO_SHARED_OBJECT;
        path[i + 1] = static_cast<char>(name[i]);
    }
    path[i + 1] = '\0';

    // glibc opens with O_NOFOLLOW, so a symbolic link planted under the name
    // is refused rather than followed to one of the user's files.
    const int fd = shm_open(path, O_RDWR | O_CLOEXEC, 0);
    if (fd < 0) return NO_SHARED_OBJECT;

    // Another user's object would receive this user's identity and position;
    // anything but a plain shared-memory file is not ours to write either.
    struct stat status;
    if (fstat(fd, &status) != 0 || status.st_uid != geteuid() || !S_ISREG(status.st_mode)) {
        close(fd);
        return NO_SHARED_OBJECT;
    }
    return static_cast<SharedObject>(fd) + 1;
}

void* mapSharedObject(SharedObject object, std::size_t bytes) {
    const int fd = descriptorOf(object);
    // Pages past the end of a smaller object would raise SIGBUS on the first
    // write, killing the host: such an object is not mapped at all.
    struct stat status;
    if (fstat(fd, &status) != 0 || status.st_size < static_cast<off_t>(bytes)) return nullptr;
    void* const view = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    return view == MAP_FAILED ? nullptr : view;
}

void unmapSharedObject(void* view, std::size_t bytes) { munmap(view, bytes); }

void closeSharedObject(SharedObject object) { close(descriptorOf(object)); }
