// Packs files into the resource archive (a plain zip) the engine reads beside the program.
//
//   pack <archive> <name in archive>=<file> ...
//
// Names use forward slashes ("Font/0.fnt"); the game's backslash names map onto them. Every member
// carries the same date, not its file's, so that two builds of one commit pack the same bytes.

#include <zip.h>

#include <cstdio>
#include <string>

namespace {

// 1980-01-01 00:00, the first date a zip member can carry, in the archive's own DOS form: a time_t
// would be turned into local time and differ between time zones.
constexpr zip_uint16_t kMemberTime = 0;
constexpr zip_uint16_t kMemberDate = (0 << 9) | (1 << 5) | 1;

// Names what failed and why, and leaves no archive behind.
int Fail(zip_t* archive, const std::string& what, const char* why) {
    std::fprintf(stderr, "pack: %s: %s\n", what.c_str(), why);
    zip_discard(archive);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: pack <archive> <name>=<file> ...\n");
        return 2;
    }
    int error = 0;
    zip_t* archive = zip_open(argv[1], ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive) {
        zip_error_t details;
        zip_error_init_with_code(&details, error);
        std::fprintf(stderr, "pack: %s: %s\n", argv[1], zip_error_strerror(&details));
        zip_error_fini(&details);
        return 1;
    }
    for (int i = 2; i < argc; ++i) {
        const std::string entry = argv[i];
        const std::size_t equals = entry.find('=');
        if (equals == std::string::npos || equals == 0 || equals + 1 == entry.size())
            return Fail(archive, "\"" + entry + "\"", "not name=file");
        const std::string name = entry.substr(0, equals);
        const std::string file = entry.substr(equals + 1);
        zip_source_t* source = zip_source_file(archive, file.c_str(), 0, -1);
        const zip_int64_t index =
            source ? zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            if (source) zip_source_free(source);
            return Fail(archive, file, zip_strerror(archive));
        }
        if (zip_file_set_dostime(archive, static_cast<zip_uint64_t>(index), kMemberTime, kMemberDate, 0) < 0)
            return Fail(archive, name, zip_strerror(archive));
    }
    return zip_close(archive) < 0 ? Fail(archive, argv[1], zip_strerror(archive)) : 0;
}
