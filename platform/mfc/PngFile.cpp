#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>

#include "platform/mfc/TextRenderer.h"
#include "platform/mfc/WindowRenderer.h"

namespace ui {
namespace {

void fail(std::string* error, const std::string& message) {
    if (error)
        *error = message;
}

}  // namespace

bool writePng(const std::filesystem::path& path, const BitmapImage& image, std::string* error) {
    render::RenderBackend* backend = TextRenderer::instance().backend();
    if (!backend) {
        fail(error, path.string() + ": cannot write pictures without the render module");
        return false;
    }
    render::Picture picture{image.width(), image.height(), image.pixels()};
    std::string bytes, reason;
    if (!backend->encodePng(picture, bytes, reason)) {
        fail(error, path.string() + ": " + reason);
        return false;
    }
    const std::filesystem::path folder =
        path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    std::mt19937_64 random{std::random_device{}()};
    const std::filesystem::path temporary =
        folder / ("." + path.filename().string() + "." + std::to_string(random() % 1000000000) + ".tmp");
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        fail(error, path.string() + ": " + std::strerror(errno));
        return false;
    }
    std::size_t written = 0;
    bool ok = true;
    while (ok && written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        if (ok)
            written += std::size_t(n);
    }
    const int saved = errno;
    ok = ok && ::fsync(fd) == 0;
    ::close(fd);
    if (!ok || std::rename(temporary.c_str(), path.c_str()) != 0) {
        fail(error, path.string() + ": " + std::strerror(ok ? errno : saved));
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

std::optional<BitmapImage> readPng(const std::filesystem::path& path, std::string* error) {
    render::RenderBackend* backend = TextRenderer::instance().backend();
    if (!backend) {
        fail(error, path.string() + ": cannot read pictures without the render module");
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        fail(error, path.string() + ": cannot open");
        return std::nullopt;
    }
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    render::Picture picture;
    std::string reason;
    if (!backend->decodePng(bytes, picture, reason)) {
        fail(error, path.string() + ": " + reason);
        return std::nullopt;
    }
    BitmapImage image(picture.width, picture.height);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            image.setPixel(x, y, picture.pixels[std::size_t(y) * picture.width + x]);
    return image;
}

}  // namespace ui
