#include "firmware/md5.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "firmware/file_digest.h"
#include "firmware_rig.h"

namespace vemo {
namespace {

using test::Bytes;

Bytes Ascii(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

TEST(Md5, RfcTestSuite) {
    const std::pair<std::string_view, std::string_view> kSuite[] = {
        {"", "D41D8CD98F00B204E9800998ECF8427E"},
        {"a", "0CC175B9C0F1B6A831C399E269772661"},
        {"abc", "900150983CD24FB0D6963F7D28E17F72"},
        {"message digest", "F96B697D7CB7938D525A2F31AAF161D0"},
        {"abcdefghijklmnopqrstuvwxyz", "C3FCD3D76192E4007DFB496CCA67E13B"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "D174AB98D277D9F5A5611C2C9F419D9F"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57EDF4A22BE3C955AC49DA2E2107B67A"},
    };
    for (const auto& [message, digest] : kSuite) {
        EXPECT_EQ(Md5Text(Ascii(message)), digest) << '"' << message << '"';
    }
}

TEST(Md5, PiecesOfAnySizeGiveTheDigestOfTheWhole) {
    const Bytes data = test::Pattern(1000);
    for (std::size_t piece : {1u, 3u, 55u, 64u, 65u, 999u}) {
        Md5 md5;
        for (std::size_t at = 0; at < data.size(); at += piece) {
            md5.Update(std::span(data).subspan(at, std::min(piece, data.size() - at)));
        }
        EXPECT_EQ(DigestText(md5.Finish()), Md5Text(data)) << "pieces of " << piece;
    }
}

// The system's md5sum, upper-cased, as the independent reference.
std::string SystemMd5(const std::filesystem::path& path) {
    const std::string command = "md5sum '" + path.string() + "'";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return "no md5sum";
    }
    char digest[33] = {};
    const std::size_t count = std::fread(digest, 1, 32, pipe);
    pclose(pipe);
    std::string text(digest, count);
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

TEST(FileDigest, AgreesWithMd5sumAroundBlockAndPieceBoundaries) {
    test::TempFolder folder;
    // Padding boundaries (55, 56, 63, 64, 65) and sizes around the 16384-byte read pieces.
    const std::size_t kSizes[] = {0, 1, 55, 56, 63, 64, 65, 16383, 16384, 16385, 3 * 1048576 + 17};
    for (std::size_t size : kSizes) {
        const std::filesystem::path path = folder.Path() / ("file" + std::to_string(size));
        test::WriteFile(path, test::Pattern(size, static_cast<std::uint8_t>(size)));
        const std::string digest = FileDigest(path);
        EXPECT_EQ(digest, SystemMd5(path)) << size << " bytes";
        EXPECT_EQ(digest.size(), 32u);
    }
}

TEST(FileDigest, IsEmptyForWhatCannotBeReadAsAFile) {
    test::TempFolder folder;
    EXPECT_EQ(FileDigest(folder.Path() / "missing.bin"), "");
    EXPECT_EQ(FileDigest(folder.Path()), "") << "a folder is not an empty file";
}

}  // namespace
}  // namespace vemo
