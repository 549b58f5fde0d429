#include "allocation_hooks.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <pthread.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void* __libc_memalign(size_t, size_t);
}

namespace {

thread_local bool watching = false;
thread_local taluma::test::AudioThreadCounts threadCounts;

using FopenFn = FILE* (*)(const char*, const char*);
using OpenFn = int (*)(const char*, int, ...);
using LockFn = int (*)(pthread_mutex_t*);
LockFn realLock = nullptr;
FopenFn realFopen = nullptr;
OpenFn realOpen = nullptr;
OpenFn realOpen64 = nullptr;

// Resolved before main, while nothing is watched.
struct Resolver {
    Resolver() {
        realFopen = reinterpret_cast<FopenFn>(dlsym(RTLD_NEXT, "fopen"));
        realOpen = reinterpret_cast<OpenFn>(dlsym(RTLD_NEXT, "open"));
        realOpen64 = reinterpret_cast<OpenFn>(dlsym(RTLD_NEXT, "open64"));
        realLock = reinterpret_cast<LockFn>(dlsym(RTLD_NEXT, "pthread_mutex_lock"));
    }
} resolver;

void countAllocation() {
    if (watching)
        ++threadCounts.allocations;
}

int openWith(OpenFn fn, const char* path, int flags, va_list args) {
    if (watching)
        ++threadCounts.fileOpens;
    mode_t mode = (flags & O_CREAT) ? mode_t(va_arg(args, int)) : 0;
    return fn(path, flags, mode);
}

}  // namespace

extern "C" {

void* malloc(size_t n) {
    countAllocation();
    return __libc_malloc(n);
}
void* calloc(size_t n, size_t size) {
    countAllocation();
    return __libc_calloc(n, size);
}
void* realloc(void* p, size_t n) {
    countAllocation();
    return __libc_realloc(p, n);
}
void* aligned_alloc(size_t alignment, size_t n) {
    countAllocation();
    return __libc_memalign(alignment, n);
}
int posix_memalign(void** out, size_t alignment, size_t n) {
    countAllocation();
    *out = __libc_memalign(alignment, n);
    return *out ? 0 : 12;
}
int pthread_mutex_lock(pthread_mutex_t* mutex) {
    if (watching)
        ++threadCounts.locks;
    // Locks taken while the program starts, before the resolver ran, need no count.
    if (!realLock)
        realLock = reinterpret_cast<LockFn>(dlsym(RTLD_NEXT, "pthread_mutex_lock"));
    return realLock(mutex);
}
FILE* fopen(const char* path, const char* mode) {
    if (watching)
        ++threadCounts.fileOpens;
    return realFopen(path, mode);
}
int open(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    int fd = openWith(realOpen, path, flags, args);
    va_end(args);
    return fd;
}
int open64(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    int fd = openWith(realOpen64, path, flags, args);
    va_end(args);
    return fd;
}

}  // extern "C"

namespace taluma::test {

Watch::Watch() {
    threadCounts = AudioThreadCounts{};
    watching = true;
}
Watch::~Watch() {
    watching = false;
}
AudioThreadCounts Watch::counts() const {
    return threadCounts;
}

}  // namespace taluma::test
