// The arena's blocks.
#include "memory.h"

#include "platform.h"

namespace {

constexpr size_t kBlockSize = 256 * 1024;
constexpr size_t kAlignment = 16;

size_t AlignUp(size_t size) { return (size + kAlignment - 1) & ~(kAlignment - 1); }

}  // namespace

struct Arena::Block {
    Block* previous;
    size_t size;
    size_t used;
    alignas(kAlignment) uint8_t data[1];
};

Arena::~Arena() {
    while (last_) {
        Block* previous = last_->previous;
        platform::FreeBlock(last_);
        last_ = previous;
    }
}

void* Arena::Allocate(size_t size) {
    size = AlignUp(size ? size : 1);
    if (!last_ || last_->size - last_->used < size) {
        size_t room = size > kBlockSize ? size : kBlockSize;
        auto* block = static_cast<Block*>(platform::AllocateBlock(offsetof(Block, data) + room));
        if (!block) {
            static const char kMessage[] = "kvpack: out of memory\n";
            platform::Write(platform::Stream::Error, kMessage, sizeof kMessage - 1);
            platform::Exit(2);
        }
        block->previous = last_;
        block->size = room;
        block->used = 0;
        last_ = block;
    }
    uint8_t* piece = last_->data + last_->used;
    last_->used += size;
    for (size_t i = 0; i < size; ++i) piece[i] = 0;
    return piece;
}

std::span<uint8_t> Arena::Copy(std::span<const uint8_t> bytes) {
    auto* copy = static_cast<uint8_t*>(Allocate(bytes.size() + 1));
    for (size_t i = 0; i < bytes.size(); ++i) copy[i] = bytes[i];
    return {copy, bytes.size()};
}
