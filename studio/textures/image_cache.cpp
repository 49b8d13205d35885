#include "studio/textures/image_cache.h"

#include <map>
#include <mutex>

#include "studio/render/image_file.h"

CachedImageResult LoadSharedImage(const std::string& path) {
    // Weak entries: the cache never keeps an image alive on its own.
    static std::mutex guard;
    static std::map<std::string, std::weak_ptr<const ImageBuffer>> cache;

    std::lock_guard lock(guard);
    if (SharedImage cached = cache[path].lock()) return {cached, {}};
    ImageReadResult read = ReadImage(path);
    if (!read.error.empty()) {
        cache.erase(path);
        return {nullptr, read.error};
    }
    SharedImage image = std::make_shared<const ImageBuffer>(std::move(read.image));
    cache[path] = image;
    return {image, {}};
}
