// The checks of kvpack check. Each says what the setup does with the mistake: an error when
// the setup installs wrongly, cuts something or stops; a warning when that may be meant; a
// note when it is harmless.
#include "check.h"

#include "names.h"
#include "szdd.h"
#include "volume.h"

using setupinf::CopyStep;
using setupinf::InstallDir;
using setupinf::Shape;

namespace {

// A section the setup reads beyond the copy plan, and what its absence does.
struct SectionUse {
    const char* section;
    Severity severity;
    const char* absence;
};

constexpr SectionUse kSectionUses[] = {
    {INF_SECTION_COUNTRY_KEY, Severity::Error, "the country dialog offers nothing, and no country can be set"},
    {INF_SECTION_DEFAULT_SETUP, Severity::Error,
     "no country has code pages or layouts: the setup says \"Can't read all section\" and stops"},
    {INF_SECTION_COUNTRY, Severity::Error,
     "no regional settings: the setup writes an empty sCountry and says \"Can't search member number 2\""},
    {INF_SECTION_KEYBOARD_LAYOUTS, Severity::Error, "no layout can be loaded: the setup says \"Not layout for this nation\""},
    {INF_SECTION_DISKS, Severity::Warning, "every disk is asked for as \"K-VOX Disk\""},
    {INF_SECTION_VOLUME, Severity::Warning, "the free-space check counts nothing; kvpack build adds it"},
    {INF_SECTION_HOTKEY, Severity::Warning, "no layout switch is offered, and an empty hotkey goes into system.ini"},
    {INF_SECTION_CODEPAGE_NUMBER, Severity::Warning, "the fonts dialog offers no code page"},
    {INF_SECTION_CODEPAGE_DESCRIPTION, Severity::Warning, "the fonts dialog cannot name the country's code page"},
    {INF_SECTION_FONT_SUBSTITUTES, Severity::Error, "with Fonts chosen the setup says \"Can't read the file\""},
    {INF_SECTION_ITEMS_PROGFILES, Severity::Error, "with Program Files chosen the setup says \"Can't read the file\""},
    {INF_PRODUCT_NAME, Severity::Error, "with uninstall enabled the setup says \"Can't read the file\""},
    {INF_SECTION_ITEMS_APL, Severity::Error, "with Applications chosen the setup says \"Can't read the file\""},
    {INF_SECTION_ITEMS_KDK, Severity::Error, "with the Developers Kit Sample chosen the setup says \"Can't read the file\""},
    {INF_SECTION_LANGUAGE, Severity::Note, "harmless: the language is described as \"English (American)\""},
    {INF_SECTION_LAYOUTS_KVOX, Severity::Note, "harmless: control.inf gets no country lines"},
    {INF_SECTION_OEM_CODEPAGE_DESCRIPTION, Severity::Note, "harmless: the DOS-window fonts get an empty description"},
    {INF_SECTION_PRINTERS, Severity::Note, "harmless: no dot-matrix printer is recognised"},
    {INF_SECTION_BOOT, Severity::Note, "harmless: no boot driver entry goes into system.ini"},
    {INF_SECTION_SETUP_DISK, Severity::Note, "harmless: the disk prompt offers A:\\"},
    {INF_SECTION_COMMON_FLAGS, Severity::Note, "harmless: every question of the wizard is asked"},
    {INF_SECTION_OEM_FLAGS, Severity::Note, "harmless, but an OEM setup (/o) then asks every question"},
};

// The sections whose key lists the setup reads whole, beyond the file sections.
constexpr const char* kKeyListedSections[] = {
    INF_SECTION_COUNTRY_KEY,   INF_SECTION_KEYBOARD_LAYOUTS,  INF_SECTION_HOTKEY,
    INF_SECTION_CODEPAGE_NUMBER, INF_SECTION_TTF_1251,        INF_SECTION_FONT_SUBSTITUTES,
    INF_SECTION_ITEMS_PROGFILES, INF_PRODUCT_NAME,            INF_SECTION_ITEMS_APL,
    INF_SECTION_ITEMS_KDK,     INF_SECTION_PRINTERS,          INF_SECTION_BOOT,
};

// Values the setup reads into buffers of its own size, and what a longer one loses.
struct ValueLimit {
    const char* section;
    size_t size;
    const char* loses;
};

constexpr ValueLimit kValueLimits[] = {
    {INF_SECTION_KEYBOARD_LAYOUTS, setupinf::kShortValueSize, "the end of the value k-vox.ini records"},
    {INF_SECTION_DISKS, setupinf::kDiskLabelSize, "the end of the label"},
    {INF_SECTION_HOTKEY, setupinf::kShortValueSize, "the end of the hotkey value"},
    {INF_SECTION_TTF_1251, setupinf::kShortValueSize, "the end of the registered font file"},
    {INF_SECTION_FONT_SUBSTITUTES, setupinf::kShortValueSize, "the end of the substitute"},
    {INF_SECTION_LANGUAGE, setupinf::kShortValueSize, "the end of the language's description"},
    {INF_SECTION_CODEPAGE_DESCRIPTION, setupinf::kShortValueSize, "the end of the description"},
    {INF_SECTION_OEM_CODEPAGE_DESCRIPTION, setupinf::kShortValueSize, "the end of the description"},
    {INF_SECTION_OEMFONTS, setupinf::kNamedSectionSize, "the end of the section name"},
    {INF_SECTION_VGA_GR3, setupinf::kDosFontEntrySize, "the end of the entry"},
    {INF_SECTION_DEFAULT_SETUP, setupinf::kListValueSize, "the last layouts"},
    {INF_SECTION_COUNTRY, setupinf::kListValueSize, "the last fields"},
    {INF_SECTION_VOLUME, setupinf::kListValueSize, "the end of the number"},
};

constexpr const char* kFontGroups[] = {INF_SECTION_SMALL_1251, INF_SECTION_HELV_1251, INF_SECTION_COUR_1251,
                                       INF_SECTION_TMSR_1251};
constexpr const char* kFontGroupKeys[] = {INF_KEY_HI1, INF_KEY_HI2, INF_KEY_HI4, INF_KEY_ALL, INF_KEY_PR2, INF_KEY_PR9};

// "[AddItem(" + the destination directory + the line + ")]", and "[ReplaceItem(" + the name + ")]".
constexpr size_t kAddItemFrame = 11;
constexpr size_t kReplaceItemFrame = 15;
// Field 1 of a country line is the country's name.
constexpr int kCountryNameField = 1;
constexpr int kFirstLayoutMember = 6;
// The file of a font group line is member 1, its registry name all after the second comma.
constexpr int kFontGroupCommas = 2;
constexpr int kLayoutCountryMember = 5;
// control.inf's key: "name", "rest!RUS" around the country line's two parts.
constexpr size_t kControlInfKeyFrame = 10;
constexpr uint64_t kLargestVolume = 0x7FFFFFFF;

struct Checker {
    Arena& arena;
    Package& package;
    Report& report;
    const Inf& inf;

    TextBuilder Say() { return report.Message(); }

    // ---- The file's shape

    void Oddities() {
        for (const InfOddity& odd : inf.oddities()) {
            switch (odd.kind) {
            case InfOddity::Kind::OutsideSection:
                report.Warning(odd.line, "line before any section: the setup never reads it");
                break;
            case InfOddity::Kind::BadHeader:
                report.Error(odd.line, "section header without \"]\": its lines count to the section before it");
                break;
            case InfOddity::Kind::NoEquals:
                report.Error(odd.line, Say().Add("\"").Add(odd.text)
                                           .Add("\" has no \"=\": the setup's profile reader may pass it over").text());
                break;
            case InfOddity::Kind::RepeatedSection:
                report.Warning(odd.line, Say().Add("section [").Add(odd.text)
                                             .Add("] again: the setup reads only the first").text());
                break;
            case InfOddity::Kind::RepeatedKey:
                report.Warning(odd.line, Say().Add("key \"").Add(odd.text)
                                             .Add("\" again in its section: the setup reads only the first").text());
                break;
            }
        }
        for (const PlanProblem& problem : package.plan.problems)
            report.Add(problem.error ? Severity::Error : Severity::Warning, problem.line, problem.message);
    }

    void MissingSection(Severity severity, const char* section, const char* consequence) {
        report.Add(severity, 0, Say().Add("no section [").Add(section).Add("]: ").Add(consequence).text());
    }

    void Sections() {
        for (const SectionUse& use : kSectionUses)
            if (!inf.Find(use.section)) MissingSection(use.severity, use.section, use.absence);
        for (const CopyStep& step : setupinf::kCopyPlan) {
            if (step.shape == Shape::ProductProfile || step.shape == Shape::AppFont) continue;
            if (step.withCodePage) {
                for (Text codePage : package.plan.codePages) {
                    Text section = StepSection(arena, step, codePage);
                    if (!inf.Find(section))
                        report.Warning(0, Say().Add("no section [").Add(section)
                                              .Add("]: with system fonts chosen the setup copies no system font for code page ")
                                              .Add(codePage).text());
                }
                continue;
            }
            if (inf.Find(step.section) || SameText(step.section, INF_SECTION_DEFAULT_SETUP) ||
                SameText(step.section, INF_SECTION_KEYBOARD_LAYOUTS) || SameText(step.section, INF_SECTION_TTF_1251))
                continue;
            // A font family's section serves several steps; the first, the screen's, says it.
            bool said = false;
            for (const CopyStep* earlier = setupinf::kCopyPlan; earlier != &step; ++earlier)
                said = said || SameText(earlier->section, step.section);
            if (said) continue;
            bool screenFonts = step.choice == setupinf::Choice::ScreenFonts;
            MissingSection(screenFonts ? Severity::Warning : Severity::Note, step.section,
                           screenFonts ? "with screen fonts chosen the setup copies none of this family"
                                       : "harmless: the setup copies nothing for it");
        }
        if (!inf.Find(INF_SECTION_TTF_1251))
            MissingSection(Severity::Error, INF_SECTION_TTF_1251,
                           "with TrueType fonts chosen the setup says \"Can't read the file\" and stops copying");
    }

    // ---- Lists and values against the buffers they are read into

    // The first key that does not fit a key list read into `size` characters.
    void KeyList(const InfSection& section, size_t size, const char* consequence) {
        size_t length = inf.KeyListLength(section);
        if (length <= size) return;
        size_t used = 1;
        for (const InfKey& key : inf.Keys(section)) {
            used += key.name.size() + 1;
            if (used <= size) continue;
            report.Error(key.line, Say().Add("[").Add(section.name).Add("] lists ").Add(static_cast<uint64_t>(length))
                                       .Add(" characters of names, and the setup reads ").Add(static_cast<uint64_t>(size))
                                       .Add(": \"").Add(key.name).Add("\" and the names after it ").Add(consequence)
                                       .text());
            return;
        }
    }

    void KeyLists() {
        for (const CopyStep& step : setupinf::kCopyPlan)
            if (step.shape == Shape::FileSection)
                if (const InfSection* section = inf.Find(step.section))
                    KeyList(*section, setupinf::kFileSectionNamesSize, "are never copied, without a word");
        for (const char* name : kKeyListedSections)
            if (const InfSection* section = inf.Find(name))
                KeyList(*section, setupinf::kKeyListSize, "are lost, without a word");
    }

    void ValueLimits() {
        for (const ValueLimit& limit : kValueLimits)
            for (const InfKey& key : inf.Keys(limit.section))
                if (key.value.size() >= limit.size)
                    report.Error(key.line, Say().Add("the value is ").Add(static_cast<uint64_t>(key.value.size()))
                                               .Add(" characters long, and the setup reads ")
                                               .Add(static_cast<uint64_t>(limit.size - 1)).Add(": it loses ")
                                               .Add(limit.loses).text());
    }

    // ---- Files

    bool DiskKnown(Text disk) { return inf.FindKey(INF_SECTION_DISKS, disk) != nullptr; }

    // One message for a name: blanks at its ends, then a cut, then its form.
    void FileName(const FileRef& file) {
        if (!file.name.empty() && (file.name.front() == ' ' || file.name.back() == ' ')) {
            report.Error(file.line, Say().Add("the file \"").Add(file.name)
                                        .Add("\" begins or ends with a blank, which the setup keeps in the name").text());
            return;
        }
        if (file.step->shape != Shape::FileSection && file.step->shape != Shape::ProductProfile) {
            Text whole;
            const InfKey* key = inf.FindKey(file.section, file.itemKey);
            if (key && ListMember(key->value, file.step->member, ',', whole) &&
                whole.size() >= setupinf::kItemFileSize) {
                report.Error(file.line, Say().Add("the file member has ").Add(static_cast<uint64_t>(whole.size()))
                                            .Add(" characters, and the setup reads ")
                                            .Add(static_cast<uint64_t>(setupinf::kItemFileSize - 1)).text());
                return;
            }
        }
        if (const char* problem = ShortNameProblem(file.name))
            report.Error(file.line, Say().Add("\"").Add(file.name).Add("\" is no 8.3 name (").Add(problem)
                                        .Add("): the disks of the period cannot hold it").text());
    }

    void FileDisk(const FileRef& file) {
        if (file.diskFixed) {
            if (!DiskKnown(file.disk))
                report.Warning(0, Say().Add(file.name).Add(" comes from disk ").Add(file.disk)
                                      .Add(", which [disks] does not name").text());
            return;
        }
        if (file.disk.empty()) {
            report.Note(file.line, Say().Add("\"").Add(file.name).Add("\" has no disk number; kvpack build assigns one").text());
            return;
        }
        size_t size = file.step->shape == Shape::FileSection ? setupinf::kDiskNumberSize : setupinf::kItemDiskSize;
        if (file.diskLength >= size) {
            report.Error(file.line, Say().Add("the disk number is ").Add(static_cast<uint64_t>(file.diskLength))
                                        .Add(" characters long, and the setup reads ").Add(static_cast<uint64_t>(size - 1))
                                        .text());
            return;
        }
        if (!DiskKnown(file.disk))
            report.Error(file.line, Say().Add("disk ").Add(file.disk).Add(" of \"").Add(file.name)
                                        .Add("\" is not in [disks]: the setup asks for it as \"K-VOX Disk\"").text());
    }

    void FilePayload(const FileRef& file) {
        if (file.name.empty() || ShortNameProblem(file.name) || file.name.back() == ' ') return;
        Source source = package.payload.Resolve(file.name);
        if (!source.file) {
            report.Error(file.line, Say().Add("\"").Add(file.name).Add("\" is not in the payload, under its own name or as \"")
                                        .Add(CompressedName(arena, file.name)).Add("\"").text());
            return;
        }
        uint64_t size = 0;
        if (!package.payload.InstalledSize(source, size)) {
            report.Error(file.line, Say().Add(source.file->path).Add(" is no compressed file the setup can expand").text());
            return;
        }
        if (size == 0)
            report.Warning(file.line, Say().Add("\"").Add(file.name)
                                          .Add("\" is empty: the setup takes a copy of 0 bytes for a missing file and asks for its disk")
                                          .text());
    }

    void Files() {
        for (const FileRef& file : package.plan.files) {
            FileName(file);
            FileDisk(file);
            FilePayload(file);
        }
        SetupInfOnFirstDisk();
    }

    // The uninstaller's copy of setup1.inf is the first disk's own file.
    void SetupInfOnFirstDisk() {
        for (const FileRef& file : package.plan.files)
            if (SameText(file.name, INF_FILE_NAME) && !file.disk.empty() && file.disk != "1")
                report.Error(file.line, Say().Add(INF_FILE_NAME).Add(" is on the first disk, not on disk ").Add(file.disk).text());
    }

    // ---- The same name for two different files

    bool SameInstalledBytes(Source a, Source b) {
        Bytes left, right;
        if (!package.payload.Installed(a, left) || !package.payload.Installed(b, right)) return true;
        return left.size() == right.size() && Text(AsText(left)) == AsText(right);
    }

    void SameNames() {
        for (size_t i = 0; i < package.plan.files.size(); ++i) {
            const FileRef& file = package.plan.files[i];
            bool firstListing = true;
            for (size_t j = 0; j < i && firstListing; ++j) firstListing = !SameText(package.plan.files[j].name, file.name);
            if (!firstListing || file.name.empty()) continue;
            Source first = package.payload.Resolve(file.name);
            if (!first.file) continue;
            auto differs = [&](Source other) {
                if (SameInstalledBytes(first, other)) return;
                report.Error(file.line, Say().Add("two different files are named \"").Add(file.name).Add("\" (")
                                            .Add(first.file->path).Add(" and ").Add(other.file->path)
                                            .Add("): a disk holds one, and every directory it goes to gets that one")
                                            .text());
            };
            package.payload.ForEachOther(first.file->name, [&](PayloadFile& other) { differs({&other, first.compressed}); });
            if (!first.compressed)
                if (PayloadFile* packed = package.payload.Find(CompressedName(arena, file.name)))
                    if (IsSzdd(package.payload.Load(*packed))) differs({packed, true});
        }
    }

    // Without compress.lst kvpack build decides by the space saved: any file may be compressed.
    bool MayBeCompressed(Text name) { return !package.compressListPresent || ListedForCompression(package, name); }

    // Two files that would have one name on a disk: both compressed to the same name, or one
    // compressed to the other's own name.
    void CompressedNameClashes() {
        auto& files = package.plan.files;
        auto compressed = arena.Array<Text>(files.size());
        for (size_t i = 0; i < files.size(); ++i) compressed[i] = CompressedName(arena, files[i].name);
        for (size_t i = 0; i < files.size(); ++i)
            for (size_t j = 0; j < i; ++j) {
                if (SameText(files[i].name, files[j].name)) continue;
                bool bothPacked = SameText(compressed[i], compressed[j]) && MayBeCompressed(files[i].name) &&
                                  MayBeCompressed(files[j].name);
                bool packedOnOther = (SameText(compressed[i], files[j].name) && MayBeCompressed(files[i].name)) ||
                                     (SameText(compressed[j], files[i].name) && MayBeCompressed(files[j].name));
                if (!bothPacked && !packedOnOther) continue;
                report.Error(files[i].line, Say().Add("\"").Add(files[i].name).Add("\" and \"").Add(files[j].name)
                                                .Add("\" would have one name on a disk once compressed").text());
            }
    }

    // ---- Countries

    // The [Country Key] name whose value is this country key, or empty.
    Text CountryNameOf(Text countryKey) {
        for (const InfKey& key : inf.Keys(INF_SECTION_COUNTRY_KEY))
            if (SameText(key.value, countryKey)) return key.name;
        return Text();
    }

    void CountryKeys() {
        for (const InfKey& key : inf.Keys(INF_SECTION_COUNTRY_KEY)) {
            if (key.value.size() >= setupinf::kCountryKeySize)
                report.Error(key.line, Say().Add("the country key \"").Add(key.value).Add("\" has more than ")
                                           .Add(static_cast<uint64_t>(setupinf::kCountryKeySize - 1))
                                           .Add(" characters, which the setup cuts").text());
            if (!inf.FindKey(INF_SECTION_DEFAULT_SETUP, key.value))
                report.Error(key.line, Say().Add("[default.setup] has no line for ").Add(key.value)
                                           .Add(": choosing ").Add(key.name).Add(" stops the setup").text());
            if (!inf.FindKey(INF_SECTION_COUNTRY, key.value))
                report.Error(key.line, Say().Add("[country] has no line for ").Add(key.value)
                                           .Add(": choosing ").Add(key.name).Add(" leaves the regional settings half written")
                                           .text());
        }
    }

    void CountryLine(const InfKey& key) {
        Text line = AsRead(key.value, setupinf::kListValueSize);
        int fields = ListMemberCount(line, '!');
        if (fields < setupinf::kCountryFields)
            report.Error(key.line, Say().Add("the country line has ").Add(fields).Add(" fields, not ")
                                       .Add(setupinf::kCountryFields).Add(": the setup writes the first ").Add(fields)
                                       .Add(" [intl] values, says \"Can't search member number ").Add(fields + 1)
                                       .Add("\" and leaves the rest as they were").text());
        else if (fields > setupinf::kCountryFields)
            report.Warning(key.line, Say().Add("the country line has ").Add(fields).Add(" fields: the setup ignores those after ")
                                         .Add(setupinf::kCountryFields).text());
        for (int n = 1; n <= fields && n <= setupinf::kCountryFields; ++n) {
            Text field;
            size_t offset = 0;
            ListMember(line, n, '!', field, &offset);
            if (field.size() >= setupinf::kShortValueSize)
                report.Error(key.line, Say().Add("field ").Add(n).Add(" has ").Add(static_cast<uint64_t>(field.size()))
                                           .Add(" characters, and the setup writes ")
                                           .Add(static_cast<uint64_t>(setupinf::kShortValueSize - 1)).text());
            if (n > 1 && offset > 0 && line[offset - 1] == ' ')
                report.Warning(key.line, Say().Add("field ").Add(n)
                                             .Add(" begins with blanks, which the setup drops (a blank value becomes empty)")
                                             .text());
        }
        Text name;
        ListMember(line, kCountryNameField, '!', name);
        Text listed = CountryNameOf(key.name);
        if (!listed.empty() && name != listed)
            report.Warning(key.line, Say().Add("the country's name \"").Add(name).Add("\" is not its name in [Country Key], \"")
                                         .Add(listed).Add("\"").text());
    }

    void CountryLines() {
        for (const InfKey& key : inf.Keys(INF_SECTION_COUNTRY)) CountryLine(key);
    }

    // control.inf gets a key made of the country line of each provided layout's country.
    void ControlInfKeys() {
        for (const InfKey& layout : inf.Keys(INF_SECTION_LAYOUTS_KVOX)) {
            if (layout.value.empty()) continue;
            const InfKey* definition = inf.FindKey(INF_SECTION_KEYBOARD_LAYOUTS, layout.name);
            Text country;
            if (!definition || !ListMember(AsRead(definition->value, setupinf::kShortValueSize), kLayoutCountryMember,
                                           ',', country))
                continue;
            const InfKey* line = inf.FindKey(INF_SECTION_COUNTRY, AsRead(country, setupinf::kCountryKeySize));
            if (!line) continue;
            size_t length = AsRead(line->value, setupinf::kListValueSize).size() - 1 + kControlInfKeyFrame;
            if (length >= setupinf::kControlInfKeySize)
                report.Error(line->line, Say().Add("control.inf's key for this country would have ")
                                             .Add(static_cast<uint64_t>(length)).Add(" characters, and the setup writes ")
                                             .Add(static_cast<uint64_t>(setupinf::kControlInfKeySize - 1))
                                             .Add(": the line in control.inf is cut").text());
        }
    }

    void InstallFlags() {
        for (const char* flags : {INF_SECTION_COMMON_FLAGS, INF_SECTION_OEM_FLAGS}) {
            const InfKey* country = inf.FindKey(flags, INF_KEY_DEFAULT_COUNTRY);
            Text name = country ? country->value : Text(INF_DEFAULT_COUNTRY);
            if (!inf.FindKey(INF_SECTION_COUNTRY_KEY, name))
                report.Error(country ? country->line : 0,
                             Say().Add("[").Add(flags).Add("] names the country \"").Add(name)
                                 .Add("\", which [Country Key] does not list").text());
            const InfKey* hotKey = inf.FindKey(flags, INF_KEY_DEFAULT_HOTKEY);
            Text hotKeyName = hotKey ? hotKey->value : Text(INF_DEFAULT_HOTKEY);
            if (inf.Find(INF_SECTION_HOTKEY) && !inf.FindKey(INF_SECTION_HOTKEY, hotKeyName))
                report.Error(hotKey ? hotKey->line : 0,
                             Say().Add("[").Add(flags).Add("] names the layout switch \"").Add(hotKeyName)
                                 .Add("\", which [hotkey] does not list").text());
        }
    }

    // ---- Country defaults, layouts, switches

    void DefaultsLine(const InfKey& key) {
        Text line = AsRead(key.value, setupinf::kListValueSize);
        Text codePage, dosCodePage;
        ListMember(line, 1, ',', codePage);
        ListMember(line, 2, ',', dosCodePage);
        if (codePage.size() >= setupinf::kCodePageSize)
            report.Error(key.line, Say().Add("the code page \"").Add(codePage).Add("\" is longer than the setup keeps").text());
        if (dosCodePage.size() >= setupinf::kDosCodePageSize)
            report.Error(key.line, Say().Add("the DOS code page \"").Add(dosCodePage).Add("\" is longer than the setup keeps")
                                       .text());
        for (const char* section : {INF_SECTION_OEMANSI, INF_SECTION_VGA_GR3, INF_SECTION_OEMFONTS})
            if (inf.Find(section) && !inf.FindKey(section, dosCodePage))
                report.Warning(key.line, Say().Add("[").Add(section).Add("] has no line for DOS code page ")
                                             .Add(dosCodePage).Add(": the setup installs nothing of it for this country")
                                             .text());
        int members = ListMemberCount(line, ',');
        if (members < kFirstLayoutMember)
            report.Error(key.line, "no keyboard layout after member 5: the setup says \"Can't read all section\" and stops");
        for (int n = kFirstLayoutMember; n <= members; ++n) {
            Text layout;
            ListMember(line, n, ',', layout);
            if (layout.size() >= setupinf::kLayoutNameSize)
                report.Error(key.line, Say().Add("the layout \"").Add(layout).Add("\" has more than ")
                                           .Add(static_cast<uint64_t>(setupinf::kLayoutNameSize - 1))
                                           .Add(" characters, which the setup cuts").text());
            else if (!inf.FindKey(INF_SECTION_KEYBOARD_LAYOUTS, layout))
                report.Error(key.line, Say().Add("the layout \"").Add(layout)
                                           .Add("\" is not in [Keyboard Layouts]: the setup says \"Not layout for this nation\"")
                                           .text());
        }
    }

    void LayoutLine(const InfKey& key) {
        if (key.name.size() >= setupinf::kLayoutNameSize)
            report.Error(key.line, Say().Add("the layout's name has more than ")
                                       .Add(static_cast<uint64_t>(setupinf::kLayoutNameSize - 1))
                                       .Add(" characters, which the setup cuts").text());
        Text country;
        if (!ListMember(key.value, kLayoutCountryMember, ',', country)) {
            report.Error(key.line, "the layout has no member 5 (its language's country): the setup says \"Can't search member number 5\"");
            return;
        }
        if (!ListMember(AsRead(key.value, setupinf::kShortValueSize), kLayoutCountryMember, ',', country)) {
            report.Error(key.line, Say().Add("member 5 (its language's country) lies beyond the ")
                                       .Add(static_cast<uint64_t>(setupinf::kShortValueSize - 1))
                                       .Add(" characters the setup reads: it says \"Can't search member number 5\"").text());
            return;
        }
        if (country.size() >= setupinf::kCountryKeySize)
            report.Error(key.line, Say().Add("the country key \"").Add(country).Add("\" is longer than the setup keeps").text());
    }

    void HotKeyLine(const InfKey& key) {
        if (key.name.size() >= setupinf::kHotKeyNameSize)
            report.Error(key.line, Say().Add("the switch's name has more than ")
                                       .Add(static_cast<uint64_t>(setupinf::kHotKeyNameSize - 1))
                                       .Add(" characters, which the setup cuts").text());
        Text value = TrimBlanks(key.value);
        if (!value.empty() && value[0] == '-') value = Slice(value, 1);
        if (value.empty() || value[0] < '0' || value[0] > '9')
            report.Warning(key.line, "the value does not start with a number: the keyboard driver gets hot-key code 0");
    }

    void CountryDefaults() {
        for (const InfKey& key : inf.Keys(INF_SECTION_DEFAULT_SETUP)) DefaultsLine(key);
        for (const InfKey& key : inf.Keys(INF_SECTION_KEYBOARD_LAYOUTS)) LayoutLine(key);
        for (const InfKey& key : inf.Keys(INF_SECTION_HOTKEY)) HotKeyLine(key);
    }

    // ---- Fonts

    void FontGroupLine(Text section, const InfKey& key) {
        bool read = false;
        for (const char* known : kFontGroupKeys) read = read || SameText(key.name, known);
        bool plotterOrPrinter = !SameText(section, INF_SECTION_SMALL_1251) || StartsWithText(key.name, "HI");
        if (!read || !plotterOrPrinter) {
            report.Warning(key.line, Say().Add("the setup never reads the key \"").Add(key.name).Add("\" of [")
                                         .Add(section).Add("]").text());
            return;
        }
        Text line = AsRead(key.value, setupinf::kListValueSize);
        Text file;
        ListMember(line, 1, ',', file);
        if (file.size() >= setupinf::kFontFileSize)
            report.Error(key.line, Say().Add("the font file has more than ")
                                       .Add(static_cast<uint64_t>(setupinf::kFontFileSize - 1))
                                       .Add(" characters, which the setup cuts when it registers the font").text());
        if (ListMemberCount(line, ',') <= kFontGroupCommas) {
            report.Warning(key.line, "no registry name after the second comma: the setup registers nothing for this line");
            return;
        }
        size_t second = line.find(',', line.find(',') + 1);
        Text name = Slice(line, second + 1);
        if (name.size() >= setupinf::kFontValueNameSize)
            report.Error(key.line, Say().Add("the registry name has ").Add(static_cast<uint64_t>(name.size()))
                                       .Add(" characters, and the setup registers ")
                                       .Add(static_cast<uint64_t>(setupinf::kFontValueNameSize - 1)).text());
    }

    void FontGroups() {
        for (const char* section : kFontGroups)
            for (const InfKey& key : inf.Keys(section)) FontGroupLine(section, key);
        // The system's OEM font is registered from "oemfonts." and the DOS code page, whatever
        // [oemfonts] names for copying.
        for (const InfKey& key : inf.Keys(INF_SECTION_OEMFONTS)) {
            Text expected = TextBuilder(arena).Add(INF_SECTION_OEMFONTS).Add('.').Add(key.name).text();
            if (!key.value.empty() && !SameText(key.value, expected))
                report.Warning(key.line, Say().Add("the fonts are copied from [").Add(key.value)
                                             .Add("] but registered as the system's OEM font from [").Add(expected)
                                             .Add("]").text());
        }
        for (Text codePage : package.plan.codePages)
            for (const char* group : {INF_SECTION_SYSFONTS, INF_SECTION_FIXEDFONTS}) {
                Text section = TextBuilder(arena).Add(group).Add('.').Add(codePage).text();
                const InfSection* found = inf.Find(section);
                if (!found) continue;
                for (const char* code : setupinf::kFontSizeCodes)
                    if (!inf.FindKey(found, code))
                        report.Warning(found->line, Say().Add("[").Add(section).Add("] has no line for ").Add(code)
                                                        .Add(": on such a screen the system font stays as it was").text());
            }
    }

    // ---- Program Manager items

    bool CopiedToDestination(Text program) {
        for (const FileRef& file : package.plan.files)
            if (file.step->dir == InstallDir::Destination && SameText(file.name, program)) return true;
        return false;
    }

    void ItemLine(const InfKey& key) {
        size_t comma = key.name.find(',');
        if (comma == Text::npos) {
            report.Warning(key.line, "the item has no comma: no name, and Program Manager gets no ReplaceItem for it");
        } else if (kReplaceItemFrame + key.name.size() - comma - 1 >= setupinf::kDdeCommandSize) {
            report.Error(key.line, Say().Add("the ReplaceItem command would have ")
                                       .Add(static_cast<uint64_t>(kReplaceItemFrame + key.name.size() - comma - 1))
                                       .Add(" characters, and the setup sends ")
                                       .Add(static_cast<uint64_t>(setupinf::kDdeCommandSize - 1))
                                       .Add(": it loses its closing bracket").text());
        }
        size_t length = kAddItemFrame + Text(kDefaultDestination).size() + key.name.size();
        if (length >= setupinf::kDdeCommandSize)
            report.Error(key.line, Say().Add("the AddItem command would have ").Add(static_cast<uint64_t>(length))
                                       .Add(" characters with the destination ").Add(kDefaultDestination)
                                       .Add(", and the setup sends ").Add(static_cast<uint64_t>(setupinf::kDdeCommandSize - 1))
                                       .Add(": it loses its closing bracket, and Program Manager makes no item").text());
        Text program = TrimBlanks(Slice(key.name, 0, comma));
        if (!CopiedToDestination(program))
            report.Warning(key.line, Say().Add("the item's program \"").Add(program)
                                         .Add("\" is not copied into the K-VOX directory").text());
    }

    void ProgmanItems() {
        for (const setupinf::ItemSection& items : setupinf::kProgmanItemSections)
            for (const InfKey& key : inf.Keys(items.section)) ItemLine(key);
    }

    // ---- The uninstaller

    // The uninstaller works from the list the setup writes beside its record: it needs only
    // itself in the K-VOX directory.
    void Uninstaller() {
        const InfSection* section = inf.Find(INF_SECTION_UNINSTALL_KVOX);
        uint32_t line = section ? section->line : 0;
        if (!inf.FindKey(section, setupinf::kUninstallerProgram))
            report.Error(line, Say().Add("[").Add(INF_SECTION_UNINSTALL_KVOX).Add("] does not list ")
                                   .Add(setupinf::kUninstallerProgram).Add(": the package cannot be uninstalled").text());
    }

    // ---- [volume]

    static bool SizeOf(void* context, const FileRef& file, uint64_t& size) {
        auto& checker = *static_cast<Checker*>(context);
        Source source = checker.package.payload.Resolve(file.name);
        return source.file && checker.package.payload.InstalledSize(source, size);
    }

    void Volume() {
        const InfSection* section = inf.Find(INF_SECTION_VOLUME);
        if (!section) return;
        ArenaList<VolumeEntry> volume(arena);
        ComputeVolume(package.plan, SizeOf, this, volume);
        for (const VolumeEntry& entry : volume) {
            const InfKey* key = inf.FindKey(section, entry.key);
            if (!key) {
                if (entry.bytes)
                    report.Warning(section->line, Say().Add("[volume] has no ").Add(entry.key).Add(", which counts 0 for ")
                                                      .Add(entry.bytes).Add(" bytes; kvpack build adds it").text());
                continue;
            }
            uint32_t stated = 0;
            if (!ParseDecimal(key->value, stated) || stated > kLargestVolume) {
                report.Error(key->line, "the size is no whole number of bytes the setup can count");
                continue;
            }
            if (stated == 0 || stated == entry.bytes) continue;  // 0: left for kvpack build to fill in
            report.Error(key->line, Say().Add(entry.key).Add(" states ").Add(stated).Add(" bytes, and its files take ")
                                        .Add(entry.bytes).Add(stated < entry.bytes ? ": the free-space check asks for too little"
                                                                                    : ": the free-space check asks for too much")
                                        .text());
        }
    }

    // ---- What kvpack itself needs

    void BuildInputs() {
        if (!package.payload.Find(kSetupProgram))
            report.Warning(0, Say().Add("the payload has no ").Add(kSetupProgram)
                                  .Add(", which kvpack build puts on the first disk").text());
        for (const Package::Pattern& pattern : package.compressPatterns) {
            bool matches = false;
            for (const FileRef& file : package.plan.files) matches = matches || MatchesPattern(file.name, pattern.text);
            if (!matches)
                report.Warning(0, Say().Add(kCompressList).Add(':').Add(pattern.line).Add(": \"").Add(pattern.text)
                                      .Add("\" names no file of setup1.inf").text());
        }
    }

    void Disks() {
        for (const InfKey& key : inf.Keys(INF_SECTION_DISKS)) {
            if (key.name.size() >= setupinf::kItemDiskSize)
                report.Error(key.line, Say().Add("the disk number \"").Add(key.name).Add("\" has more than ")
                                           .Add(static_cast<uint64_t>(setupinf::kItemDiskSize - 1))
                                           .Add(" characters, which the setup cuts in item lines").text());
            uint32_t number = 0;
            if (!ParseDecimal(key.name, number) || number == 0)
                report.Warning(key.line, Say().Add("the disk \"").Add(key.name)
                                             .Add("\" has no number from 1: kvpack build lays out only numbered disks").text());
        }
    }
};

}  // namespace

void CheckPackage(Package& package, Report& report) {
    Checker checker{package.arena, package, report, package.inf};
    checker.Oddities();
    checker.Sections();
    checker.KeyLists();
    checker.ValueLimits();
    checker.Disks();
    checker.Files();
    checker.SameNames();
    checker.CompressedNameClashes();
    checker.CountryKeys();
    checker.CountryLines();
    checker.ControlInfKeys();
    checker.InstallFlags();
    checker.CountryDefaults();
    checker.FontGroups();
    checker.ProgmanItems();
    checker.Uninstaller();
    checker.Volume();
    checker.BuildInputs();
}
