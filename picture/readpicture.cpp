// zarvick-read-picture: the bytes of a picture on standard input, the puzzle read from it (or why
// not) on standard output. The game runs it for each picture, so that whatever a hostile file
// does to the decoders happens in here, under limits, and not in the game.

#include "decode.h"
#include "reader.h"

#include <opencv2/core.hpp>

#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <vector>

namespace {

// Measured: a 12-megapixel photo reads within 150 MiB of address space, the largest picture
// allowed (50 megapixels) needs about 400 MiB. Twice that leaves room and still stops a bomb.
constexpr rlim_t kAddressSpace = rlim_t(768) << 20;
// A photo takes a fraction of a second; the largest picture allowed about two on a busy machine.
constexpr rlim_t kCpuSeconds = 10;

void limit(int resource, rlim_t value) {
    const rlimit l{value, value};
    setrlimit(resource, &l);
}

std::string answer() {
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[65536];
    for (;;) {
        const ssize_t n = ::read(0, chunk, sizeof chunk);
        if (n < 0)
            return "refused The picture could not be read from the game.\n";
        if (n == 0)
            break;
        bytes.insert(bytes.end(), chunk, chunk + n);
        if (bytes.size() > picture::kMaxInputBytes)
            return "refused The picture is larger than 40 MiB.\n";
    }
    const picture::Decoded decoded = picture::decodePicture(bytes);
    switch (decoded.status) {
    case picture::DecodeStatus::Ok:
        break;
    case picture::DecodeStatus::TooManyBytes:
        return "refused The picture is larger than 40 MiB.\n";
    case picture::DecodeStatus::TooManyPixels:
        return "refused The picture is larger than 50 megapixels.\n";
    case picture::DecodeStatus::Unreadable:
        return "refused The data is not a picture in a format that can be read.\n";
    }
    bytes = {};
    picture::PictureReader reader(picture::builtInDigitNet());
    const auto reading = reader.read(decoded.grey);
    if (!reading)
        return "nogrid\n";
    std::string out = "cells " + reading->cells + "\nconfidence";
    for (const int c : reading->confidence)
        out += ' ' + std::to_string(c);
    return out + '\n';
}

} // namespace

// AddressSanitizer reserves terabytes of address space for its shadow; its test builds go
// without the address-space limit.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kLimitAddressSpace = false;
#else
constexpr bool kLimitAddressSpace = true;
#endif

int main() {
    if (kLimitAddressSpace)
        limit(RLIMIT_AS, kAddressSpace);
    limit(RLIMIT_CPU, kCpuSeconds);
    // Every thread would otherwise reserve a 64 MiB malloc arena of the address space above.
    mallopt(M_ARENA_MAX, 2);
    cv::setNumThreads(2);
    std::string out;
    try {
        out = answer();
    } catch (const std::bad_alloc&) {
        out = "refused The picture needs more memory than the reader may use.\n";
    } catch (const cv::Exception& e) {
        if (e.code == cv::Error::StsNoMem)
            out = "refused The picture needs more memory than the reader may use.\n";
        else
            throw;
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
