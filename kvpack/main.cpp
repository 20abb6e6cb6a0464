// kvpack, the package maker's tool: the command line and its commands.
#include "build.h"
#include "check.h"
#include "memory.h"
#include "names.h"
#include "package.h"
#include "platform.h"
#include "report.h"
#include "szdd.h"
#include "text.h"

namespace {

constexpr char kUsage[] =
    "usage: kvpack check DIR [--payload DIR]...\n"
    "       kvpack build DIR OUT [--disk-size 1440K] [--images] [--onedir] [--originals] [--payload DIR]...\n"
    "       kvpack files DIR [--payload DIR]...\n"
    "       kvpack compress FILE OUT\n"
    "       kvpack expand FILE OUT\n"
    "DIR holds setup1.inf; its payload is the files beside it, those under DIR/payload and those\n"
    "of each --payload folder. compress.lst in DIR names the files to store compressed.\n";

constexpr int kUsageError = 2;

void Print(platform::Stream stream, Text text) { platform::Write(stream, text.data(), text.size()); }

int Usage() {
    Print(platform::Stream::Error, kUsage);
    return kUsageError;
}

int Fail(Arena& arena, Text message) {
    Print(platform::Stream::Error, TextBuilder(arena).Add("kvpack: ").Add(message).Add('\n').text());
    return 1;
}

struct Arguments {
    explicit Arguments(Arena& arena) : positional(arena), payload(arena) {}
    ArenaList<const char*> positional;
    ArenaList<const char*> payload;
    BuildOptions build;
    bool valid = true;
};

Arguments Parse(Arena& arena, int argc, char** argv) {
    Arguments arguments(arena);
    for (int i = 2; i < argc; ++i) {
        Text argument = argv[i];
        bool hasValue = i + 1 < argc;
        if (argument == "--payload" && hasValue) {
            arguments.payload.Add(argv[++i]);
        } else if (argument == "--disk-size" && hasValue) {
            arguments.valid = arguments.valid && ParseSize(argv[++i], arguments.build.diskBytes);
        } else if (argument == "--images") {
            arguments.build.images = true;
        } else if (argument == "--onedir") {
            arguments.build.oneDirectory = true;
        } else if (argument == "--originals") {
            arguments.build.originals = true;
        } else if (!argument.empty() && argument[0] == '-') {
            arguments.valid = false;
        } else {
            arguments.positional.Add(argv[i]);
        }
    }
    return arguments;
}

// How messages name setup1.inf: its path, without a leading "./".
Text ShownPath(const char* path) {
    Text shown = path;
    return shown.size() > 2 && shown[0] == '.' && (shown[1] == '/' || shown[1] == '\\') ? Slice(shown, 2) : shown;
}

// Opens the package of DIR and runs the command on it.
template <typename Command>
int WithPackage(Arena& arena, const Arguments& arguments, Command command) {
    const char* directory = arguments.positional[0];
    const char* infPath = nullptr;
    Bytes bytes;
    if (!ReadSetupInf(arena, directory, infPath, bytes))
        return Fail(arena, TextBuilder(arena).Add("no readable ").Add(INF_FILE_NAME).Add(" in ").Add(directory).text());
    Package package(arena, directory, infPath, bytes);
    Report report(arena, ShownPath(infPath));
    OpenPackage(package, std::span<const char* const>(arguments.payload.begin(), arguments.payload.size()), report);
    return command(package, report);
}

int Check(Package& package, Report& report) {
    CheckPackage(package, report);
    report.Print();
    return report.errors() ? 1 : 0;
}

Text DirectoryName(setupinf::InstallDir dir) {
    switch (dir) {
    case setupinf::InstallDir::Windows: return "windows";
    case setupinf::InstallDir::System: return "system";
    case setupinf::InstallDir::Fonts: return "fonts";
    case setupinf::InstallDir::Destination: break;
    }
    return "destination";
}

// Every file setup1.inf names, once: name, disk, directory, section.
int Files(Package& package, Report&) {
    TextBuilder out(package.arena, 4096);
    for (size_t i = 0; i < package.plan.files.size(); ++i) {
        const FileRef& file = package.plan.files[i];
        bool listed = false;
        for (size_t j = 0; j < i && !listed; ++j) listed = SameText(package.plan.files[j].name, file.name);
        if (listed) continue;
        out.Add(file.name).Add('\t').Add(file.disk).Add('\t').Add(DirectoryName(file.step->dir)).Add('\t')
            .Add(file.section).Add('\n');
    }
    Print(platform::Stream::Out, out.text());
    return 0;
}

bool ReadInput(Arena& arena, const char* path, Bytes& bytes) {
    uint64_t size = 0;
    if (!platform::FileSize(path, size)) return false;
    auto buffer = arena.Array<uint8_t>(static_cast<size_t>(size));
    if (!platform::ReadFile(path, buffer)) return false;
    bytes = buffer;
    return true;
}

// The name part of a path, whichever separator it uses.
Text NamePart(Text path) {
    size_t slash = path.find_last_of("/\\:");
    return slash == Text::npos ? path : Slice(path, slash + 1);
}

int Convert(Arena& arena, const Arguments& arguments, bool compress) {
    if (arguments.positional.size() != 2) return Usage();
    Bytes input, output;
    if (!ReadInput(arena, arguments.positional[0], input))
        return Fail(arena, TextBuilder(arena).Add("cannot read ").Add(arguments.positional[0]).text());
    if (compress)
        output = SzddCompress(arena, input, ReplacedCharacter(NamePart(arguments.positional[0])));
    else if (!SzddExpand(arena, input, output))
        return Fail(arena, TextBuilder(arena).Add(arguments.positional[0]).Add(" is no compressed file").text());
    if (!platform::WriteFile(arguments.positional[1], output))
        return Fail(arena, TextBuilder(arena).Add("cannot write ").Add(arguments.positional[1]).text());
    return 0;
}

}  // namespace

int KvpackMain(int argc, char** argv) {
    Arena arena;
    if (argc < 2) return Usage();
    Text command = argv[1];
    Arguments arguments = Parse(arena, argc, argv);
    if (!arguments.valid) return Usage();
    if (command == "compress" || command == "expand") return Convert(arena, arguments, command == "compress");
    if (command == "check" && arguments.positional.size() == 1) return WithPackage(arena, arguments, Check);
    if (command == "files" && arguments.positional.size() == 1) return WithPackage(arena, arguments, Files);
    if (command == "build" && arguments.positional.size() == 2) {
        BuildOptions options = arguments.build;
        options.out = arguments.positional[1];
        return WithPackage(arena, arguments,
                           [&](Package& package, Report& report) { return BuildPackage(package, options, report); });
    }
    return Usage();
}
