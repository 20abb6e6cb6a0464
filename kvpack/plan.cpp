// Walking the copy plan: each step's section, the keys the setup reads of it, and the file
// and disk of each, cut to the buffers the setup reads them into.
#include "plan.h"

using setupinf::CopyStep;
using setupinf::Keys;
using setupinf::Shape;

namespace {

constexpr const char* kPlotterKeys[] = {INF_KEY_ALL};
constexpr const char* kTwentyFourPinKeys[] = {INF_KEY_PR2};
constexpr const char* kNinePinKeys[] = {INF_KEY_PR9};

struct Walker {
    Arena& arena;
    const Inf& inf;
    CopyPlan& plan;

    void Problem(uint32_t line, bool error, Text message) { plan.problems.Add({line, error, message}); }

    FileRef Ref(const CopyStep& step, Text section, const InfKey* key) {
        FileRef ref{};
        ref.step = &step;
        ref.section = section;
        ref.volumeKey = step.volumeKey ? Text(step.volumeKey) : Text();
        if (key) {
            ref.itemKey = key->name;
            ref.line = key->line;
            if (!step.volumeKey) ref.volumeKey = key->name;  // the font size code
        }
        return ref;
    }

    void ProductProfile(const CopyStep& step) {
        FileRef ref = Ref(step, Text(), nullptr);
        ref.name = INF_PRODUCT_PROFILE;
        ref.disk = setupinf::kProductProfileDisk;
        ref.diskFixed = true;
        plan.files.Add(ref);
    }

    void FileSection(const CopyStep& step) {
        for (const InfKey& key : inf.Keys(step.section)) {
            FileRef ref = Ref(step, step.section, &key);
            ref.itemKey = Text();
            ref.name = key.name;
            ref.disk = AsRead(key.value, setupinf::kDiskNumberSize);
            ref.diskOffset = key.valueOffset;
            ref.diskLength = key.value.size();
            ref.diskPrefix = key.hasEquals ? "" : "=";
            plan.files.Add(ref);
        }
    }

    // The file of member `member` and its disk in the next member. False when the value
    // has no file member; an empty one names no file.
    bool ItemFile(const CopyStep& step, Text section, const InfKey& key, int member, size_t valueSize,
                  FileRef& ref) {
        Text value = AsRead(key.value, valueSize);
        Text file;
        size_t fileOffset = 0;
        if (!ListMember(value, member, ',', file, &fileOffset)) {
            TextBuilder message(arena);
            message.Add("[").Add(section).Add("] ").Add(key.name).Add(" has no member ").Add(member)
                .Add(" (the file): the setup says \"Can't search member number ").Add(member).Add("\" and ")
                .Add(step.stopsOnFailure ? "stops copying" : "copies nothing for it");
            Problem(key.line, true, message.text());
            return false;
        }
        ref = Ref(step, section, &key);
        ref.name = AsRead(file, setupinf::kItemFileSize);
        Text disk;
        size_t diskOffset = 0;
        if (ListMember(value, member + 1, ',', disk, &diskOffset)) {
            ref.disk = AsRead(disk, setupinf::kItemDiskSize);
            ref.diskOffset = key.valueOffset + diskOffset;
            ref.diskLength = disk.size();
        } else {
            ref.diskOffset = key.valueOffset + fileOffset + file.size();
            ref.diskPrefix = ",";
        }
        return true;
    }

    void Item(const CopyStep& step, Text section, const InfKey& key) {
        FileRef ref;
        if (ItemFile(step, section, key, step.member, setupinf::kListValueSize, ref) && !ref.name.empty())
            plan.files.Add(ref);
    }

    // The keys of an item section that the step reads.
    template <typename Visit>
    void ForEachReadKey(const CopyStep& step, Text section, Visit visit) {
        const InfSection* found = inf.Find(section);
        if (!found) return;
        std::span<const char* const> fixed = FixedKeys(step.keys);
        if (fixed.empty()) {
            for (const InfKey& key : inf.Keys(*found)) visit(key);
            return;
        }
        for (const char* name : fixed)
            if (const InfKey* key = inf.FindKey(found, name)) visit(*key);
    }

    void Items(const CopyStep& step) {
        if (!step.withCodePage) {
            ForEachReadKey(step, step.section, [&](const InfKey& key) { Item(step, step.section, key); });
            return;
        }
        for (Text codePage : plan.codePages) {
            Text section = StepSection(arena, step, codePage);
            ForEachReadKey(step, section, [&](const InfKey& key) { Item(step, section, key); });
        }
    }

    // The TrueType fonts: an empty file member ends the section for the setup.
    void EveryItem(const CopyStep& step) {
        auto keys = inf.Keys(step.section);
        for (size_t i = 0; i < keys.size(); ++i) {
            FileRef ref;
            if (!ItemFile(step, step.section, keys[i], step.member, setupinf::kListValueSize, ref)) return;
            if (!ref.name.empty()) {
                plan.files.Add(ref);
                continue;
            }
            if (i + 1 < keys.size()) {
                TextBuilder message(arena);
                message.Add("[").Add(step.section).Add("] ").Add(keys[i].name)
                    .Add(" has no file, and the setup stops copying the section there: the fonts after it are never copied");
                Problem(keys[i].line, true, message.text());
            }
            return;
        }
    }

    // The DOS-window fonts of each DOS code page: names made of the code in member 1.
    void DosFonts(const CopyStep& step) {
        for (const InfKey& key : inf.Keys(step.section)) {
            FileRef code;
            if (!ItemFile(step, step.section, key, step.member, setupinf::kDosFontEntrySize, code)) continue;
            auto add = [&](Text prefix) {
                FileRef ref = code;
                ref.name = TextBuilder(arena).Add(prefix).Add(code.name).Add(setupinf::kFontExtension).text();
                plan.files.Add(ref);
            };
            if (step.shape == Shape::AppFont) {
                add(setupinf::kAppFontPrefix);
                continue;
            }
            for (const char* font : setupinf::kDosFontNames) add(Slice(font, 0, setupinf::kDosFontPrefixLength));
        }
    }

    // [oemfonts] names, per DOS code page, the section that lists that code page's fonts.
    void NamedSections(const CopyStep& step) {
        for (const InfKey& key : inf.Keys(step.section)) {
            Text named = AsRead(key.value, setupinf::kNamedSectionSize);
            if (named.empty()) continue;
            if (!inf.Find(named)) {
                TextBuilder message(arena);
                message.Add("[").Add(step.section).Add("] ").Add(key.name).Add(" names [").Add(named)
                    .Add("], which does not exist: the setup copies no OEM font for that code page");
                Problem(key.line, true, message.text());
                continue;
            }
            ForEachReadKey(step, named, [&](const InfKey& fontKey) { Item(step, named, fontKey); });
        }
    }

    void CollectCodePages() {
        for (const InfKey& key : inf.Keys(INF_SECTION_DEFAULT_SETUP)) {
            Text codePage;
            if (!ListMember(AsRead(key.value, setupinf::kListValueSize), 1, ',', codePage)) continue;
            codePage = AsRead(codePage, setupinf::kCodePageSize);
            bool known = false;
            for (Text seen : plan.codePages) known = known || SameText(seen, codePage);
            if (!known && !codePage.empty()) plan.codePages.Add(codePage);
        }
    }
};

}  // namespace

std::span<const char* const> FixedKeys(Keys keys) {
    switch (keys) {
    case Keys::FontSize: return setupinf::kFontSizeCodes;
    case Keys::Plotter: return kPlotterKeys;
    case Keys::TwentyFourPin: return kTwentyFourPinKeys;
    case Keys::NinePin: return kNinePinKeys;
    case Keys::All:
    case Keys::OneChosen:
    case Keys::EveryChosen: break;
    }
    return {};
}

Text StepSection(Arena& arena, const CopyStep& step, Text codePage) {
    if (!step.withCodePage) return step.section;
    return TextBuilder(arena).Add(step.section).Add('.').Add(codePage).text();
}

void WalkCopyPlan(Arena& arena, const Inf& inf, CopyPlan& plan) {
    Walker walker{arena, inf, plan};
    walker.CollectCodePages();
    for (const CopyStep& step : setupinf::kCopyPlan) {
        switch (step.shape) {
        case Shape::ProductProfile: walker.ProductProfile(step); break;
        case Shape::FileSection: walker.FileSection(step); break;
        case Shape::Item: walker.Items(step); break;
        case Shape::EveryItem: walker.EveryItem(step); break;
        case Shape::DosFonts:
        case Shape::AppFont: walker.DosFonts(step); break;
        case Shape::NamedSection: walker.NamedSections(step); break;
        }
    }
}
