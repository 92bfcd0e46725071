// Firmware updates of both models cut off at seeded random points: the cable pulled or the
// power lost just before or just after one of the run's requests reaches the device, or that
// request refused. All the
// while the device holds either its old or its new firmware; the next connection completes
// the update and the one after finds nothing to do.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>
#include <random>

#include "firmware/firmware_rig.h"
#include "firmware/firmware_upgrade.h"
#include "soak/soak_settings.h"

namespace vemo {
namespace {

constexpr char kPortName[] = "ttyUSB0";
constexpr Milliseconds kRetry{1000};

// The in-process line with a pair of scissors: counts the request frames the tool sends and,
// at the chosen one, calls `cut` just before or just after handing that frame over.
class CuttingPort final : public SerialPort {
public:
    explicit CuttingPort(InProcessPort& line) : line_(line) {}

    // Counts from the next request on; 0 cuts nothing.
    void Arm(std::size_t request, bool afterDelivery, std::function<void()> cut) {
        requests_ = 0;
        target_ = request;
        afterDelivery_ = afterDelivery;
        fired_ = false;
        cut_ = std::move(cut);
    }
    bool Fired() const { return fired_; }
    std::size_t Requests() const { return requests_; }

    bool Open(const std::string& name) override { return line_.Open(name); }
    bool IsOpen() const override { return line_.IsOpen(); }
    void Close() override { line_.Close(); }
    std::optional<std::uint8_t> ReadByte() override { return line_.ReadByte(); }
    void DiscardPending() override { line_.DiscardPending(); }

    bool Write(std::span<const std::uint8_t> bytes) override {
        bool completesTarget = false;
        for (std::uint8_t byte : bytes) {
            if (frames_.Feed(byte) == FrameParser::Status::Good && ++requests_ == target_) {
                completesTarget = true;
            }
        }
        if (completesTarget && !afterDelivery_) {
            Cut();
        }
        const bool written = line_.Write(bytes);
        if (completesTarget && afterDelivery_) {
            Cut();
        }
        return written;
    }

private:
    void Cut() {
        fired_ = true;
        cut_();
    }

    InProcessPort& line_;
    FrameParser frames_{FrameParser::Accept::AnyHeader, kMaxFramePayload};
    std::size_t requests_ = 0;
    std::size_t target_ = 0;
    bool afterDelivery_ = false;
    bool fired_ = false;
    std::function<void()> cut_;
};

// What an update takes a device from and to, and how to tell which it holds.
struct UpdateCase {
    const char* name;
    SimIdentity old;
    std::uint8_t newVersion;
    std::function<void(const std::filesystem::path&)> writeFirmware;
    // Every stored part of the firmware (the image, each module) is that of `version`, or
    // with `eitherVersion`, each part is of the old version or of the new one, and the device
    // runs one of them after its next restart.
    std::function<bool(const SimDevice&, std::uint8_t version)> holds;
    std::function<bool(const SimDevice&)> eitherVersion;
};

const test::Bytes& NewImage() {
    static const test::Bytes image = [] {
        test::Bytes bytes = test::Pattern(6 * 1024 + 17, 5);
        bytes[0] = 23;  // the simulated device runs the version in an image's first byte
        return bytes;
    }();
    return image;
}

UpdateCase ImageCase() {
    return {"model 0x82 image", SimIdentity{kModel82, 22, 0, 0, true}, 23,
            [](const std::filesystem::path& folder) {
                test::WriteFile(folder / ("KORALIN_23_soak_" + test::DigestOf(NewImage()) + ".bin"),
                                NewImage());
            },
            [](const SimDevice& device, std::uint8_t version) {
                return device.FirmwareVersion() == version &&
                       (version != 23 || device.image == NewImage());
            },
            // An image is installed whole at its close or not at all.
            [](const SimDevice& device) {
                return device.FirmwareVersion() == 22 || device.FirmwareVersion() == 23;
            }};
}

// The module objects a model 0x78 device holds at a version: as it left the factory at the
// old one, as the package writes them at the new one.
std::map<std::uint16_t, test::Bytes> ModuleObjects(std::uint8_t version) {
    if (version == 23) {
        return {{kSimSystemModule.id, SimModuleObject(kSimSystemModule, 23)},
                {kSimEncoderModule.id, SimModuleObject(kSimEncoderModule, 23)}};
    }
    const test::Bytes system = test::SystemModule(version).content;
    test::Bytes prefixed = {static_cast<std::uint8_t>(system.size()),
                            static_cast<std::uint8_t>(system.size() >> 8), 0, 0};
    prefixed.insert(prefixed.end(), system.begin(), system.end());
    return {{kSimSystemModule.id, prefixed},
            {kSimEncoderModule.id, test::EncoderModule(version).content}};
}

UpdateCase ModuleCase() {
    return {
        "model 0x78 package", SimIdentity{kModel78, 23, 0, 3, true}, 24,
        [](const std::filesystem::path& folder) {
            test::WritePackage(folder / "H3", {test::SystemModule(24), test::EncoderModule(24)});
        },
        [](const SimDevice& device, std::uint8_t version) {
            for (const auto& [id, object] : ModuleObjects(version)) {
                if (device.objects.at(id) != object) {
                    return false;
                }
            }
            return device.FirmwareVersion() == version;
        },
        // The package goes module by module, so a cut between two leaves some old and some
        // new; each module is stored whole at its close or not at all.
        [](const SimDevice& device) {
            const auto newObjects = ModuleObjects(24);
            for (const auto& [id, object] : ModuleObjects(23)) {
                const test::Bytes& held = device.objects.at(id);
                if (held != object && held != newObjects.at(id)) {
                    return false;
                }
            }
            return device.FirmwareVersion() == 23 || device.FirmwareVersion() == 24;
        }};
}

// Where and how an update is cut.
struct Cut {
    enum Kind { CablePulled, PowerLost, Refused };
    std::size_t request = 0;  // 0: never
    Kind kind = CablePulled;
    bool afterDelivery = false;  // the request reached the device, its reply did not come back
    Milliseconds outage{0};      // how long a pulled cable stays out

    const char* Name() const {
        return kind == CablePulled ? "cable pulled" : kind == PowerLost ? "power lost" : "refused";
    }
};

struct Counts {
    int cycles = 0;
    int cablePulls = 0;
    int powerLosses = 0;
    int refusals = 0;
    int cutAfterDelivery = 0;
    int completedByNextConnection = 0;
    int nothingLeftToDo = 0;  // the cut came once the device held all of the new firmware
    // Of those, the ones whose restart the cut took: they run the new firmware only once they
    // restart, since a device that is up to date is not restarted.
    int restartPending = 0;
    int ranThrough = 0;  // the cut point lay beyond the run's last request
    std::size_t requests = 0;
};

class FirmwareSoak : public testing::TestWithParam<UpdateCase> {
protected:
    // One device from the old firmware: an upgrade cut as `how` says, then connections one
    // second apart, as the supervisor makes them, until one finds nothing to do. Returns the
    // requests of the first run.
    std::size_t Cycle(const Cut& how) {
        const UpdateCase& update = GetParam();
        VirtualClock clock;
        SimDevice device(update.old);
        SimBus bus;
        bus.AddPort(kPortName, &device);
        InProcessPort line(bus, clock);
        CuttingPort port(line);
        FixedPortCatalogue catalogue({{0, kPortName}});
        CXmit xmit(port, catalogue, clock);
        SessionFlags flags;
        test::UserLog user(nullptr);
        FirmwareContext context{xmit, user, user, user, flags, folder.Path(), 0};
        const auto holdsOldOrNew = [&](const char* when) {
            EXPECT_TRUE(update.eitherVersion(device))
                << update.name << " holds a firmware part of neither version " << when << ", "
                << how.Name() << " at request " << how.request;
        };

        EXPECT_TRUE(xmit.FindDevice());
        port.Arm(how.request, how.afterDelivery, [&] {
            switch (how.kind) {
                case Cut::CablePulled:
                    line.LoseInFlight();
                    bus.RemovePort(kPortName);
                    break;
                case Cut::PowerLost:
                    line.LoseInFlight();
                    device.PowerCycle(clock.Now());
                    break;
                case Cut::Refused:
                    device.faults.Script({{FaultKind::Refusal}});
                    break;
            }
        });
        RunFirmwareUpgrade(context, user);
        const std::size_t requests = port.Requests();
        const bool cut = port.Fired();
        port.Arm(0, false, {});
        holdsOldOrNew("after the cut run");
        if (how.request != 0 && !cut) {
            ++counts.ranThrough;
        } else if (cut) {
            (how.kind == Cut::CablePulled ? counts.cablePulls
             : how.kind == Cut::PowerLost ? counts.powerLosses
                                          : counts.refusals)++;
            counts.cutAfterDelivery += how.afterDelivery;
        }
        if (how.kind == Cut::CablePulled && cut) {
            clock.Sleep(how.outage);
            bus.AddPort(kPortName, &device);
        }

        int upgradesAfterCut = 0;
        bool settled = false;
        for (int attempt = 0; attempt < 20 && !settled; ++attempt) {
            clock.Sleep(kRetry);
            if (!xmit.FindDevice()) {
                continue;
            }
            holdsOldOrNew("when found again");
            if (RunFirmwareUpgrade(context, user)) {
                ++upgradesAfterCut;
                holdsOldOrNew("after the next update");
            } else {
                settled = true;
            }
        }
        EXPECT_TRUE(settled) << update.name << ": never connected without an update, " << how.Name()
                             << " at request " << how.request;
        EXPECT_LE(upgradesAfterCut, how.request == 0 ? 0 : 1)
            << update.name << ": the next connection did not complete the update, " << how.Name()
            << " at request " << how.request;
        EXPECT_TRUE(update.holds(device, update.newVersion))
            << update.name << " is not at the new firmware at the end, " << how.Name()
            << (how.afterDelivery ? " just after" : " just before") << " request " << how.request;
        counts.completedByNextConnection += cut && upgradesAfterCut == 1;
        counts.nothingLeftToDo += cut && upgradesAfterCut == 0;
        counts.restartPending += device.identity.SoftwareVersion != update.newVersion;
        counts.requests += requests + port.Requests();
        ++counts.cycles;
        return requests;
    }

    test::TempFolder folder;
    Counts counts;
};

TEST_P(FirmwareSoak, UpdatesCutAtRandomPointsEndOldOrNewAndTheNextConnectionCompletesThem) {
    const std::uint32_t seed = test::SoakSetting("VEMO_SOAK_SEED", 1);
    const std::uint32_t cycles = test::SoakSetting("VEMO_SOAK_CYCLES", 2000);
    GetParam().writeFirmware(folder.Path());
    // An update that nothing cuts: how many requests a whole run takes.
    const std::size_t wholeRun = Cycle(Cut{});
    ASSERT_GT(wholeRun, 3u);

    std::mt19937 random(seed);
    for (std::uint32_t i = 0; i < cycles && !HasFailure(); ++i) {
        // Up to one past the last request, so some runs go through uncut.
        Cut how;
        how.request = std::uniform_int_distribution<std::size_t>(1, wholeRun + 1)(random);
        how.kind = static_cast<Cut::Kind>(std::uniform_int_distribution<int>(0, 2)(random));
        // A refusal is the device's answer to the request it received.
        how.afterDelivery = how.kind != Cut::Refused && std::bernoulli_distribution(0.5)(random);
        how.outage = Milliseconds(std::uniform_int_distribution<int>(0, 5000)(random));
        Cycle(how);
    }
    std::printf(
        "%s soak, seed %u: %d updates, %zu requests; %d cut (%d cable pulls, %d power losses, "
        "%d of these two just after a request arrived, %d refusals): %d completed by the next "
        "connection, %d with nothing left to do (%d of these still to restart into it); %d ran "
        "through uncut\n",
        GetParam().name, seed, counts.cycles, counts.requests,
        counts.cablePulls + counts.powerLosses + counts.refusals, counts.cablePulls,
        counts.powerLosses, counts.cutAfterDelivery, counts.refusals,
        counts.completedByNextConnection, counts.nothingLeftToDo, counts.restartPending,
        counts.ranThrough);
}

INSTANTIATE_TEST_SUITE_P(BothModels, FirmwareSoak, testing::Values(ImageCase(), ModuleCase()),
                         [](const testing::TestParamInfo<UpdateCase>& info) {
                             return info.param.old.ModelCode == kModel82 ? "Image82" : "Modules78";
                         });

}  // namespace
}  // namespace vemo
