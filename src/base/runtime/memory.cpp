// The memory routines the compiler calls for copies, clears and comparisons of structures
// and arrays. Built without builtins and loop-pattern recognition, which would turn these
// loops back into calls to themselves.
#include <cstddef>
#include <cstdint>

extern "C" {

void* memset(void* dest, int value, size_t size) {
    auto* to = static_cast<unsigned char*>(dest);
    while (size--) *to++ = static_cast<unsigned char>(value);
    return dest;
}

void* memcpy(void* __restrict dest, const void* __restrict source, size_t size) {
    auto* to = static_cast<unsigned char*>(dest);
    auto* from = static_cast<const unsigned char*>(source);
    while (size--) *to++ = *from++;
    return dest;
}

// Overlapping blocks: copies from the end when the destination lies above the source.
void* memmove(void* dest, const void* source, size_t size) {
    auto* to = static_cast<unsigned char*>(dest);
    auto* from = static_cast<const unsigned char*>(source);
    if (reinterpret_cast<uintptr_t>(to) <= reinterpret_cast<uintptr_t>(from)) {
        while (size--) *to++ = *from++;
    } else {
        while (size--) to[size] = from[size];
    }
    return dest;
}

int memcmp(const void* a, const void* b, size_t size) {
    auto* left = static_cast<const unsigned char*>(a);
    auto* right = static_cast<const unsigned char*>(b);
    for (; size; --size, ++left, ++right)
        if (*left != *right) return *left - *right;
    return 0;
}

}  // extern "C"
