#pragma once

// Defined when the build runs under a sanitizer that brings its own allocator and keeps shadow
// memory beside the program's: address, thread and memory sanitizers. gcc names them with
// macros, clang (before version 15) only through __has_feature. Tests that count allocations, page
// faults or resident pages measure the sanitizer there, not the plug-in, and are left out.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define WARBLOOM_SANITIZER_MEMORY 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
#define WARBLOOM_SANITIZER_MEMORY 1
#endif
#endif
