// Summing the installed sizes under the keys of [volume].
#include "volume.h"

using setupinf::Keys;
using setupinf::Shape;

namespace {

// A step the user makes one choice for (a country, a DOS or Windows code page): its files
// count for the largest choice. Other steps' files all count.
bool IsOneChoice(const FileRef& file) {
    return file.step->keys == Keys::OneChosen || file.step->withCodePage || file.step->shape == Shape::NamedSection;
}

// Which choice a file belongs to: the section named for a code page, else its item's key.
Text ChoiceOf(const FileRef& file) {
    return file.step->withCodePage || file.step->shape == Shape::NamedSection ? file.section : file.itemKey;
}

// Same file, same directory: installed once.
bool SameInstalledFile(const FileRef& a, const FileRef& b) { return a.step->dir == b.step->dir && SameText(a.name, b.name); }

struct Summer {
    const CopyPlan& plan;
    InstalledSizeOf sizeOf;
    void* context;

    uint64_t SizeOf(const FileRef& file) const {
        uint64_t size = 0;
        return sizeOf(context, file, size) ? size : 0;
    }

    // True when an earlier file of the same set is the same installed file.
    template <typename InSet>
    bool CountedBefore(size_t index, InSet inSet) const {
        for (size_t i = 0; i < index; ++i)
            if (inSet(plan.files[i]) && SameInstalledFile(plan.files[i], plan.files[index])) return true;
        return false;
    }

    template <typename InSet>
    uint64_t Sum(InSet inSet) const {
        uint64_t total = 0;
        for (size_t i = 0; i < plan.files.size(); ++i)
            if (inSet(plan.files[i]) && !CountedBefore(i, inSet)) total += SizeOf(plan.files[i]);
        return total;
    }

    uint64_t Total(Text key) const {
        auto plain = [&](const FileRef& f) { return SameText(f.volumeKey, key) && !IsOneChoice(f); };
        uint64_t total = Sum(plain);
        // Each group of one choice: its largest choice.
        for (size_t g = 0; g < plan.files.size(); ++g) {
            const FileRef& group = plan.files[g];
            if (!SameText(group.volumeKey, key) || !IsOneChoice(group)) continue;
            auto sameGroup = [&](const FileRef& f) {
                return SameText(f.volumeKey, key) && IsOneChoice(f) && SameText(f.step->section, group.step->section);
            };
            bool firstOfGroup = true;
            for (size_t i = 0; i < g && firstOfGroup; ++i) firstOfGroup = !sameGroup(plan.files[i]);
            if (!firstOfGroup) continue;
            uint64_t largest = 0;
            for (size_t c = 0; c < plan.files.size(); ++c) {
                if (!sameGroup(plan.files[c])) continue;
                Text choice = ChoiceOf(plan.files[c]);
                uint64_t size = Sum([&](const FileRef& f) { return sameGroup(f) && SameText(ChoiceOf(f), choice); });
                if (size > largest) largest = size;
            }
            total += largest;
        }
        return total;
    }
};

}  // namespace

void ComputeVolume(const CopyPlan& plan, InstalledSizeOf sizeOf, void* context, ArenaList<VolumeEntry>& volume) {
    Summer summer{plan, sizeOf, context};
    auto add = [&](Text key) {
        for (const VolumeEntry& entry : volume)
            if (SameText(entry.key, key)) return;
        volume.Add({key, summer.Total(key)});
    };
    for (const setupinf::CopyStep& step : setupinf::kCopyPlan) {
        if (step.volumeKey) {
            add(step.volumeKey);
            continue;
        }
        for (const char* code : setupinf::kFontSizeCodes) add(code);
    }
}
