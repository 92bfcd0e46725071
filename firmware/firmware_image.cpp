#include "firmware/firmware_image.h"

#include <algorithm>
#include <new>
#include <string>

#include "firmware/binary_file.h"
#include "firmware/file_digest.h"
#include "firmware/image_name.h"
#include "firmware/md5.h"
#include "firmware/package_text.h"

namespace vemo {

namespace {

constexpr int kDigestExemptVersion = 99;

// Names of the image files in the folder, sorted so the choice does not depend on the file
// system.
std::vector<std::string> ImageFileNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code notAFile;
        std::string name = it->path().filename().string();
        if (IsImageFileName(name) && it->is_regular_file(notAFile)) {
            names.push_back(std::move(name));
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Reads the whole image; false when the file cannot be opened, is not a size that can be sent,
// cannot be held in memory or reads short.
bool ReadImage(const std::filesystem::path& path, StatusSink& status,
               std::vector<std::uint8_t>& data) {
    BinaryFile file;
    if (!file.Open(path)) {
        return false;
    }
    const std::uint64_t size = file.Size();
    if (size == 0 || size > kMaxImageSize) {
        return false;
    }
    status.ShowProgress(static_cast<int>(size), 0);
    try {
        data.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return file.Read(data) == data.size();
}

}  // namespace

FirmwareImage FindFirmwareImage(const std::filesystem::path& firmwareDirectory,
                                std::string_view productWord, Prompter& prompter,
                                StatusSink& status) {
    FirmwareImage image;
    std::string chosenName;
    for (const std::string& name : ImageFileNames(firmwareDirectory)) {
        const int version = ImageNameVersion(name, productWord);
        if (version > image.version) {
            image.version = version;
            chosenName = name;
        }
    }
    if (image.version == 0) {
        return image;
    }
    image.path = firmwareDirectory / chosenName;

    const bool digestChecked = image.version != kDigestExemptVersion;
    const std::string computed = FileDigest(image.path);
    const std::string expected = ImageNameDigest(chosenName);
    if (digestChecked && computed != expected) {
        image.version = 0;
        prompter.ShowMessageBox(u"MD5 Error" + WidenLatin1(computed) + WidenLatin1(expected));
        return image;
    }
    // The bytes sent must be the bytes checked, even if the file changed since.
    if (!ReadImage(image.path, status, image.data) ||
        (digestChecked && Md5Text(image.data) != computed)) {
        image.version = 0;
        image.data.clear();
    }
    return image;
}

}  // namespace vemo
