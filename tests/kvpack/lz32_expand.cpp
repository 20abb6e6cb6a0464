// Expands compressed files with LZ32, as the setup does: for each pair of arguments
// (source, destination) LZOpenFileA, LZCopy and LZClose. Exits with 1 at the first failure.
#include <windows.h>
#include <lzexpand.h>

#include <cstdio>

int main(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; i += 2) {
        OFSTRUCT source{}, destination{};
        INT in = LZOpenFileA(argv[i], &source, OF_READ);
        INT out = LZOpenFileA(argv[i + 1], &destination, OF_CREATE);
        LONG copied = in >= 0 && out >= 0 ? LZCopy(in, out) : -1;
        if (in >= 0) LZClose(in);
        if (out >= 0) LZClose(out);
        if (copied < 0) {
            std::fprintf(stderr, "lz32_expand: %s: LZ32 error %ld\n", argv[i], copied);
            return 1;
        }
    }
    return 0;
}
