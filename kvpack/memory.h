// Memory for one run of kvpack: an arena that hands out pieces of large blocks and gives
// them all back at its end. Nothing is freed piece by piece; a run is short.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

class Arena {
public:
    Arena() = default;
    ~Arena();
    Arena(const Arena&) = delete;
    Arena& operator=(const Arena&) = delete;

    // `size` bytes aligned for any object of kvpack, zero-filled. When the system has no
    // more memory, kvpack says so and ends.
    void* Allocate(size_t size);

    template <typename T>
    std::span<T> Array(size_t count) {
        return {static_cast<T*>(Allocate(count * sizeof(T))), count};
    }

    // A copy of the bytes, with a zero after them.
    std::span<uint8_t> Copy(std::span<const uint8_t> bytes);

private:
    struct Block;
    Block* last_ = nullptr;
};

// A list that grows in the arena: each growth copies it into a block twice as large.
template <typename T>
class ArenaList {
public:
    explicit ArenaList(Arena& arena) : arena_(&arena) {}

    T& Add(const T& item) {
        if (size_ == capacity_) Grow();
        items_[size_] = item;
        return items_[size_++];
    }
    size_t size() const { return size_; }
    T* begin() { return items_; }
    T* end() { return items_ + size_; }
    const T* begin() const { return items_; }
    const T* end() const { return items_ + size_; }
    T& operator[](size_t i) { return items_[i]; }
    const T& operator[](size_t i) const { return items_[i]; }

private:
    void Grow() {
        size_t capacity = capacity_ ? capacity_ * 2 : 16;
        T* items = arena_->Array<T>(capacity).data();
        for (size_t i = 0; i < size_; ++i) items[i] = items_[i];
        items_ = items;
        capacity_ = capacity;
    }

    Arena* arena_;
    T* items_ = nullptr;
    size_t size_ = 0;
    size_t capacity_ = 0;
};
