// The few operating-system operations on named shared memory that attachment
// needs. Each platform has one backend implementing them.
#pragma once

#include <cstddef>
#include <cstdint>

// An open shared object. NO_SHARED_OBJECT means none.
using SharedObject = std::intptr_t;
constexpr SharedObject NO_SHARED_OBJECT = 0;

// Opens the existing object `name` for reading and writing, never creating it,
// with a handle that child processes do not inherit. Returns NO_SHARED_OBJECT
// when there is none or it may not be opened.
SharedObject openSharedObject(const char16_t* name);

// Maps the first `bytes` bytes of `object` for reading and writing. Returns
// null when they cannot be mapped, including when the object is smaller.
void* mapSharedObject(SharedObject object, std::size_t bytes);

// Unmaps a view returned by mapSharedObject.
void unmapSharedObject(void* view, std::size_t bytes);

// Closes `object`.
void closeSharedObject(SharedObject object);
