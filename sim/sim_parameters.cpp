// The simulated device's parameter block: model 0x82's read and write commands on a stored
// block, model 0x78's blocks as objects 590 and 595, the values both start with, and changes
// made on the device itself.
#include "sim/sim_parameters.h"

#include <array>

#include "link/command_codes.h"
#include "link/device_identity.h"
#include "params/parameter_block.h"
#include "sim/sim_device.h"

namespace vemo {

ParameterSet FactoryParameters(std::uint8_t modelCode) {
    const bool model82 = modelCode == kModel82;
    ParameterSet set;
    set.Standard = 0;                     // PAL
    set.PictureFormat = model82 ? 0 : 1;  // 16/9 in each model's list order
    set.Light = 128;
    set.Contrast = 128;
    set.Saturation = 128;
    set.Frequency = 498000;
    set.TsId = 1;
    set.TransmissionMode = 1;  // 8K
    set.Constellation = 2;     // 64-QAM
    set.Bandwidth = 2;         // 8 MHz
    set.CodeRate = 1;          // 2/3
    set.GuardInterval = 0;     // 1/32
    set.LevelPosition = 24;    // 5 dB down
    set.OriginalNetworkId = 1;
    set.NetworkId = 1;
    set.ServiceId = 1;
    set.Lcn = 1;
    set.PmtPid = 256;
    set.VideoPid = 257;
    set.VideoBitrate = 8000;
    set.AudioPid = 258;
    set.AudioBitrate = 1;  // 192 kb/s
    set.Version = 1;
    set.Country = 1;
    set.DefaultCountry = 1;  // ENGLISH
    set.LcnType = 0;         // EACEM
    set.NetworkName = u"VEMO NET";
    set.ServiceName = u"VEMO 1";
    set.Reference = model82 ? u"VEMO-T 0x82" : u"VEMO-T 0x78";
    return set;
}

std::vector<std::uint8_t> FactoryBlock(std::uint8_t modelCode) {
    ParameterSet set = FactoryParameters(modelCode);
    BlockImage image;
    image.EitName = u"Live";
    image.EitText = u"Encoded on site";
    image.AudioCodec = 1;  // MPEG1-L2
    image.VideoCodec = 0;  // H264
    image.LogoName = u"logo.dg1";
    std::array<std::uint8_t, kBlockCapacity> block{};
    std::size_t length = 0;
    BuildParameterBlock(modelCode, set, image, block, length);
    return {block.begin(), block.begin() + static_cast<std::ptrdiff_t>(length)};
}

void SimDevice::PresetParameters() {
    parameterBlock = FactoryBlock(kModel82);
    objects[object_id::CurrentParameters] = FactoryBlock(kModel78);
    objects[object_id::DefaultParameters] = FactoryBlock(kModel78);
}

SimDevice::Reply SimDevice::AnswerParameters(std::uint8_t command,
                                             std::span<const std::uint8_t> payload) {
    // Each model knows only its own way of keeping parameters.
    const bool model82 = identity.ModelCode == kModel82;
    if (command == command::WriteDone) {
        if (model82) {
            return {false, {}};
        }
        ++writesDone;
        return {};
    }
    if (!model82) {
        return {false, {}};
    }
    if (command == command::WriteParameters) {
        parameterBlock.assign(payload.begin(), payload.end());
        return {};
    }
    parametersChanged_ = false;
    return {true, parameterBlock};
}

std::vector<std::uint8_t>& SimDevice::CurrentBlock() {
    return identity.ModelCode == kModel82 ? parameterBlock : objects[object_id::CurrentParameters];
}

const std::vector<std::uint8_t>& SimDevice::CurrentBlock() const {
    static const std::vector<std::uint8_t> none;
    if (identity.ModelCode == kModel82) {
        return parameterBlock;
    }
    const auto it = objects.find(object_id::CurrentParameters);
    return it == objects.end() ? none : it->second;
}

DecodedBlock SimDevice::StoredParameters() const {
    DecodedBlock decoded;
    ParseParameterBlock(identity.ModelCode, CurrentBlock(), decoded.set, decoded.image);
    return decoded;
}

void SimDevice::ChangeParametersOnDevice(const std::function<void(ParameterSet&)>& edit) {
    DecodedBlock decoded = StoredParameters();
    edit(decoded.set);
    std::array<std::uint8_t, kBlockCapacity> block{};
    std::size_t length = 0;
    if (BuildParameterBlock(identity.ModelCode, decoded.set, decoded.image, block, length)) {
        CurrentBlock().assign(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(length));
    }
    parametersChanged_ = true;
}

}  // namespace vemo
