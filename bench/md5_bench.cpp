// FileDigest against OpenSSL's MD5 on the same 16 MiB file, both reading it in pieces of the
// same size, best of several interleaved runs: the digest gates every firmware update, so it
// must not be the slow part of a connection.
#include <openssl/evp.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "firmware/file_digest.h"
#include "firmware/md5.h"

namespace {

constexpr std::size_t kFileSize = 16 << 20;
constexpr std::size_t kPiece = 16384;
constexpr int kRuns = 7;

std::string OpenSslDigest(const std::filesystem::path& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return {};
    }
    EVP_MD_CTX* context = EVP_MD_CTX_new();
    EVP_DigestInit_ex(context, EVP_md5(), nullptr);
    std::vector<unsigned char> piece(kPiece);
    while (const std::size_t count = std::fread(piece.data(), 1, piece.size(), file)) {
        EVP_DigestUpdate(context, piece.data(), count);
    }
    std::fclose(file);
    vemo::Md5::Digest digest{};
    EVP_DigestFinal_ex(context, digest.data(), nullptr);
    EVP_MD_CTX_free(context);
    return vemo::DigestText(digest);
}

}  // namespace

int main() {
    vemo::bench::ScratchFolder folder;
    const std::filesystem::path path = folder.Path() / "image.bin";
    std::vector<std::uint8_t> bytes(kFileSize);
    for (std::size_t i = 0; i < kFileSize; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 2654435761u >> 13);
    }
    vemo::bench::WriteFile(path, bytes);

    std::string ours;
    std::string reference;
    double oursBest = 1e9;
    double referenceBest = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        oursBest = std::min(oursBest, vemo::bench::Seconds([&] { ours = vemo::FileDigest(path); }));
        referenceBest =
            std::min(referenceBest, vemo::bench::Seconds([&] { reference = OpenSslDigest(path); }));
    }
    if (ours != reference || ours != vemo::Md5Text(bytes)) {
        std::fprintf(stderr, "md5: digests differ: %s, OpenSSL %s\n", ours.c_str(),
                     reference.c_str());
        return 1;
    }
    constexpr double kMiB = kFileSize / double(1 << 20);
    char detail[160];
    std::snprintf(detail, sizeof detail, "FileDigest %.0f MiB/s / OpenSSL MD5 %.0f MiB/s",
                  kMiB / oursBest, kMiB / referenceBest);
    vemo::bench::PrintFigure("FileDigest throughput, 16 MiB file", referenceBest / oursBest, detail,
                             ">= 0.9");
    return 0;
}
