#include <dlfcn.h>

#include <filesystem>
#include <string>
#include <vector>

#include "studio/render/oiio_codec.h"

namespace {

constexpr const char* kLibraryName = "libtintora_oiio.so";

// Where the library may be: beside the program or library holding this code,
// in ../lib from there (bin/ and lib/ side by side), else wherever the
// dynamic loader's own search finds it.
std::vector<std::string> Candidates() {
    std::vector<std::string> places;
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&Candidates), &info) && info.dli_fname) {
        std::error_code ec;
        const std::filesystem::path self = std::filesystem::canonical(info.dli_fname, ec);
        if (!ec) {
            places.push_back((self.parent_path() / kLibraryName).string());
            places.push_back((self.parent_path().parent_path() / "lib" / kLibraryName).string());
        }
    }
    places.push_back(kLibraryName);
    return places;
}

struct Loaded {
    const OiioCodec* codec = nullptr;
    std::string error;
};

Loaded Load() {
    Loaded loaded;
    for (const std::string& place : Candidates()) {
        void* library = dlopen(place.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!library) {
            loaded.error = dlerror();
            continue;
        }
        // Kept loaded for the life of the process: its readers and writers
        // may outlive any one caller.
        using Entry = const OiioCodec* (*)();
        if (auto entry = reinterpret_cast<Entry>(dlsym(library, "TintoraOiioCodec"))) {
            loaded.codec = entry();
            loaded.error.clear();
            return loaded;
        }
        loaded.error = place + " has no entry point";
    }
    loaded.error = "the OpenImageIO formats are unavailable (" + loaded.error + ")";
    return loaded;
}

}  // namespace

const OiioCodec* LoadOiioCodec(std::string& error) {
    static const Loaded loaded = Load();
    if (!loaded.codec) error = loaded.error;
    return loaded.codec;
}
