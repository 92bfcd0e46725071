// FileDigest against the system's md5sum on the same 64 MiB file, measured in the same run:
// the digest gates every firmware update, so it must not be the slow part of a connection.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "firmware/file_digest.h"

namespace {

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main() {
    constexpr std::size_t kSize = 64 << 20;
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "vemo-md5-bench.bin";
    {
        std::vector<char> bytes(kSize);
        for (std::size_t i = 0; i < kSize; ++i) {
            bytes[i] = static_cast<char>(i * 2654435761u >> 13);
        }
        std::ofstream(path, std::ios::binary).write(bytes.data(), kSize);
    }
    std::string digest;
    Seconds([&] { digest = vemo::FileDigest(path); });  // warm the page cache
    const double ours = Seconds([&] { digest = vemo::FileDigest(path); });
    const std::string command = "md5sum '" + path.string() + "' > /dev/null";
    const double reference = Seconds([&] { std::system(command.c_str()); });
    std::filesystem::remove(path);
    std::printf("FileDigest %.0f MiB/s, md5sum %.0f MiB/s, ratio %.2f (%s)\n", 64 / ours,
                64 / reference, reference / ours, digest.c_str());
    return 0;
}
