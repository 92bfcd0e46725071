// The settings panel's apply-and-poll cycle under the main window's supervisor, against the
// in-process simulated device with seeded random faults (no reply, bad check byte, refusal,
// noise, split and late replies), power cuts and pulled cables, while a user types into fields,
// moves lists and sliders with the keyboard and presses "Set as Def. Param". The windows' timers
// fire on the virtual clock in the order their periods run out. Checked all along: every block
// the device receives parses whole and needs none of the build's corrections; nothing is
// written that the user did not ask for, and a write carries the device's block with exactly
// the user's edits; after every reconnection that no fault touched, the panel shows exactly the
// device's block.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <array>
#include <cstdio>
#include <functional>
#include <map>
#include <random>
#include <variant>

#include "app/c_info.h"
#include "app/dialog_control.h"
#include "app/kora_panel_dlg.h"
#include "link/command_codes.h"
#include "params/block_corrections.h"
#include "params/panel/panel_widgets.h"
#include "params/panel_control_ids.h"
#include "params/parameter_block.h"
#include "soak/soak_settings.h"
#include "support/panel_rig.h"

namespace vemo {
namespace {

using namespace panel_id;

constexpr char kPortName[] = "ttyUSB0";

// Fields the user types into, with the values they take; each comes back from either model's
// block exactly as typed (frequencies in steps of 125 kHz, names in plain letters).
struct TypedField {
    int id;
    std::int32_t low, high, step;  // a number field; a text field has high == 0
};
constexpr std::array kTypedFields = {
    TypedField{FrequencyField, 47000 / 125 + 1, 862000 / 125, 125},
    TypedField{TsIdField, 0, 65535, 1},
    TypedField{ServiceIdField, 0, 65535, 1},
    TypedField{OriginalNetworkIdField, 0, 65535, 1},
    TypedField{LcnField, 0, 65535, 1},
    TypedField{VideoBitrateField, 3000, 12000, 1},
    TypedField{ServiceNameField, 0, 0, 0},
    TypedField{NetworkNameField, 0, 0, 0},
};
constexpr std::array kLists = {StandardList, ModeList,          ConstellationList, BandwidthList,
                               CodeRateList, GuardIntervalList, AudioBitrateList};
constexpr std::array kSliders = {LightSlider, ContrastSlider, SaturationSlider, LevelSlider};

using FieldValue = std::variant<std::int32_t, std::u16string>;

PanelMembers Parse(std::uint8_t model, std::span<const std::uint8_t> block,
                   BlockOutcome* outcome = nullptr) {
    PanelMembers members;
    const BlockOutcome parsed = ParseParameterBlock(model, block, members.set, members.image);
    if (outcome != nullptr) {
        *outcome = parsed;
    }
    return members;
}

// The same parameters as far as the model's block carries them.
bool SameBlock(std::uint8_t model, const PanelMembers& a, const PanelMembers& b) {
    return a.set == b.set && (model != kModel82 || a.image == b.image);
}

// A window timer, fired by the soak once its period has run out on the virtual clock.
struct VirtualTimer {
    const char* name;
    const WindowTimers& timers;
    int id;
    std::function<void()> fire;
    std::optional<Milliseconds> due{};
    int fired = 0;
};

struct Counts {
    int ticks = 0;
    int reconnections = 0;
    int reconnectionsChecked = 0;  // no fault touched them: the panel showed the device's block
    int edits = 0;
    int defaultsPressed = 0;
    int writes = 0;
    int defaultWrites = 0;
    int reads = 0;
    int cablePulls = 0;
    int powerCuts = 0;
};

class PanelSoak : public testing::Test {
protected:
    void Soak(std::uint8_t model) {
        const std::uint32_t seed = test::SoakSetting("VEMO_SOAK_SEED", 1);
        const std::uint32_t ticks = test::SoakSetting("VEMO_SOAK_TICKS", 20000);
        model_ = model;
        device_.identity = SimIdentity{model, 23, 0, 3, true};
        device_.faults.Randomize(seed, 0.03, Milliseconds(800));
        random_.seed(seed);
        startup_.ManufacturerMode = true;
        bus_.AddPort(kPortName, &device_);
        dialog_ = std::make_unique<CKoraPanelDlg>(startup_, xmit_, flags_, setting_, info_, [] {
            return false;  // no firmware to install
        });
        std::vector<VirtualTimer> timers;
        timers.push_back({"connect", dialog_->Timers(), CKoraPanelDlg::kConnectTimer,
                          [this] { dialog_->OnTimer(CKoraPanelDlg::kConnectTimer); }});
        timers.push_back({"watch", dialog_->Timers(), CKoraPanelDlg::kWatchTimer,
                          [this] { dialog_->OnTimer(CKoraPanelDlg::kWatchTimer); }});
        timers.push_back({"cycle", setting_.Timers(), CSetting::kCycleTimer,
                          [this] { setting_.OnTimer(CSetting::kCycleTimer); }});
        timers.push_back({"status line", info_.Timers(), CInfo::kClearTimer,
                          [this] { info_.OnTimer(CInfo::kClearTimer); }});
        Rearm(timers);

        for (std::uint32_t tick = 0; tick < ticks && !HasFailure(); ++tick) {
            if (Connected()) {
                ActLikeAUser();
            }
            DisturbTheLine();
            VirtualTimer* next = nullptr;
            for (VirtualTimer& timer : timers) {
                if (timer.due && (next == nullptr || *timer.due < *next->due)) {
                    next = &timer;
                }
            }
            ASSERT_NE(next, nullptr) << "every timer stopped";
            if (replugAt_ && *replugAt_ <= *next->due) {
                clock_.AdvanceTo(*replugAt_);
                bus_.AddPort(kPortName, &device_);
                replugAt_.reset();
            }
            clock_.AdvanceTo(*next->due);
            Fire(*next);
            Rearm(timers);
            ++counts_.ticks;
        }

        const std::map<FaultKind, int>& faults = device_.faults.Injected();
        const auto injected = [&](FaultKind kind) {
            const auto it = faults.find(kind);
            return it == faults.end() ? 0 : it->second;
        };
        std::printf(
            "model 0x%02X panel soak, seed %u: %d ticks (%d connect, %d watch, %d cycle) over "
            "%lld s; faults: %d no reply, %d bad check, %d refusal, %d noise, %d split, %d late; "
            "%d power cuts, %d cable pulls; %d reconnections (%d checked against the device); "
            "%d edits, %d \"Set as Def. Param\"; %d writes, %d defaults stored, %d reads\n",
            model, seed, counts_.ticks, timers[0].fired, timers[1].fired, timers[2].fired,
            static_cast<long long>(clock_.Now().count() / 1000), injected(FaultKind::NoReply),
            injected(FaultKind::BadCheck), injected(FaultKind::Refusal),
            injected(FaultKind::NoiseBefore), injected(FaultKind::SplitReply),
            injected(FaultKind::DelayedReply), counts_.powerCuts, counts_.cablePulls,
            counts_.reconnections, counts_.reconnectionsChecked, counts_.edits,
            counts_.defaultsPressed, counts_.writes, counts_.defaultWrites, counts_.reads);
        EXPECT_GT(counts_.reconnectionsChecked, 0);
        EXPECT_GT(counts_.writes, 0);
        EXPECT_TRUE(prompter_.boxes.empty()) << "every edit was valid";
    }

private:
    bool Connected() const { return dialog_->Timers().IsArmed(CKoraPanelDlg::kWatchTimer); }

    // A timer that was stopped or just armed gets its due time; one still running keeps it.
    void Rearm(std::vector<VirtualTimer>& timers) const {
        for (VirtualTimer& timer : timers) {
            const std::optional<Milliseconds> period = timer.timers.Period(timer.id);
            if (!period) {
                timer.due.reset();
            } else if (!timer.due) {
                timer.due = clock_.Now() + *period;
            }
        }
    }

    std::vector<std::uint8_t> DeviceBlock() const {
        return model_ == kModel82 ? device_.parameterBlock
                                  : device_.objects.at(object_id::CurrentParameters);
    }

    std::size_t FaultsInjected() const {
        std::size_t total = 0;
        for (const auto& [kind, count] : device_.faults.Injected()) {
            total += static_cast<std::size_t>(count);
        }
        return total;
    }

    void Fire(VirtualTimer& timer) {
        const std::vector<std::uint8_t> before = DeviceBlock();
        const std::size_t faultsBefore = FaultsInjected();
        const bool wasConnected = Connected();
        timer.due.reset();
        ++timer.fired;
        timer.fire();
        CheckRequests(before);
        if (!wasConnected && Connected()) {
            ++counts_.reconnections;
            ForgetEdits();
            defaultsAsked_ = false;
            if (FaultsInjected() == faultsBefore && !xmit_.LinkLost()) {
                ++counts_.reconnectionsChecked;
                ExpectPanelShowsTheDevicesBlock();
            }
        }
        device_.ClearRequests();
        port_.written.clear();
    }

    void ForgetEdits() {
        edits_.clear();
        asked_ = false;
    }

    // What the device received in this tick, in order.
    void CheckRequests(const std::vector<std::uint8_t>& blockBefore) {
        std::optional<std::uint16_t> openForWriting;
        bool written = false;
        bool read = false;
        bool storedDefaults = false;
        for (const LoggedRequest& request : device_.Requests()) {
            const std::vector<std::uint8_t>& payload = request.payload;
            const auto object = [&] {
                return static_cast<std::uint16_t>(payload[1] | payload[2] << 8);
            };
            switch (request.command) {
                case command::Identify:
                case command::WriteDone:
                    break;
                case command::ReadParameters:
                    read = true;
                    break;
                case command::WriteParameters:
                    CheckWrite(payload, blockBefore);
                    written = true;
                    break;
                case command::ObjectAccess:
                    if (payload.size() == 3 && payload[0] == object_access::OpenForWriting) {
                        openForWriting = object();
                    } else if (payload.size() == 3 && payload[0] == object_access::OpenForReading) {
                        read = read || object() == object_id::CurrentParameters;
                    } else if (!payload.empty() && payload[0] == object_access::Write) {
                        const std::span<const std::uint8_t> block = std::span(payload).subspan(1);
                        if (openForWriting == object_id::CurrentParameters) {
                            CheckWrite(block, blockBefore);
                            written = true;
                        } else if (openForWriting == object_id::DefaultParameters) {
                            CheckDefaultsWrite(block, blockBefore);
                        } else {
                            ADD_FAILURE() << "wrote to object " << openForWriting.value_or(0);
                        }
                    }
                    break;
                default:
                    // Command lines, device files and the restart store model 0x82's defaults.
                    EXPECT_TRUE(defaultsAsked_)
                        << "request 0x" << std::hex << int{request.command} << " unasked";
                    storedDefaults = true;
            }
        }
        if (storedDefaults) {
            ++counts_.defaultWrites;
            defaultsAsked_ = false;
        }
        if (read) {
            ++counts_.reads;
            // The panel now shows a block read from the device, or (after a failed read) will
            // fetch it again before it writes: edits made before are gone either way.
            ForgetEdits();
            if (!written) {
                defaultsAsked_ = false;
            }
        }
    }

    // Any block the device receives parses whole and needs none of the build's corrections.
    PanelMembers ExpectWholeBlock(std::span<const std::uint8_t> block) {
        BlockOutcome outcome{};
        const PanelMembers members = Parse(model_, block, &outcome);
        EXPECT_EQ(outcome, BlockOutcome::Complete) << "the device received a broken block";
        ParameterSet corrected = members.set;
        CorrectParameters(corrected);
        EXPECT_EQ(corrected, members.set) << "the device received a value the build corrects";
        return members;
    }

    // The device's block with exactly the user's edits, built as every write builds it.
    PanelMembers Intended(const std::vector<std::uint8_t>& blockBefore) {
        PanelMembers intended = Parse(model_, blockBefore);
        for (const auto& [id, value] : edits_) {
            const ControlBinding* binding = FindBinding(id);
            if (const auto* number = std::get_if<std::int32_t>(&value)) {
                binding->number(intended) = *number;
            } else {
                binding->text(intended) = std::get<std::u16string>(value);
            }
        }
        std::array<std::uint8_t, kBlockCapacity> built{};
        std::size_t length = 0;
        EXPECT_TRUE(BuildParameterBlock(model_, intended.set, intended.image, built, length));
        return Parse(model_, std::span(built).first(length));
    }

    // A write of the current parameters: asked for, and the device's block with exactly the
    // user's edits.
    void CheckWrite(std::span<const std::uint8_t> block,
                    const std::vector<std::uint8_t>& blockBefore) {
        ++counts_.writes;
        EXPECT_TRUE(asked_) << "the parameters were written without a user's edit";
        asked_ = false;
        EXPECT_TRUE(SameBlock(model_, ExpectWholeBlock(block), Intended(blockBefore)))
            << "the write carries more or less than the user's edits";
    }

    // The defaults: asked for, and the parameters the user meant to write (whether or not the
    // write of the current ones went through) or those the device holds.
    void CheckDefaultsWrite(std::span<const std::uint8_t> block,
                            const std::vector<std::uint8_t>& blockBefore) {
        ++counts_.defaultWrites;
        EXPECT_TRUE(defaultsAsked_) << "defaults stored without \"Set as Def. Param\"";
        defaultsAsked_ = false;
        const PanelMembers defaults = ExpectWholeBlock(block);
        EXPECT_TRUE(SameBlock(model_, defaults, Intended(blockBefore)) ||
                    SameBlock(model_, defaults, Parse(model_, DeviceBlock())) ||
                    SameBlock(model_, defaults, Parse(model_, blockBefore)))
            << "the defaults are neither the parameters meant nor the device's";
    }

    void ExpectPanelShowsTheDevicesBlock() {
        const PanelMembers device = Parse(model_, DeviceBlock());
        EXPECT_TRUE(SameBlock(model_, setting_.Members(), device))
            << "after a reconnection the panel does not hold the device's block";
        PanelMembers shown = setting_.Members();
        PanelWidgets widgets(setting_);
        EXPECT_EQ(ReadControls(widgets, shown), std::nullopt);
        EXPECT_TRUE(SameBlock(model_, shown, device))
            << "after a reconnection the controls do not show the device's block";
    }

    template <class Control>
    Control& Find(int id) {
        return *FindControl<Control>(setting_, id);
    }

    int Uniform(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random_);
    }

    void ActLikeAUser() {
        const int action = Uniform(0, 199);
        if (action < 10) {
            Type(kTypedFields[static_cast<std::size_t>(Uniform(0, kTypedFields.size() - 1))]);
        } else if (action < 16) {
            const int id = kLists[static_cast<std::size_t>(Uniform(0, kLists.size() - 1))];
            QComboBox& list = Find<QComboBox>(id);
            QTest::keyClick(&list, Uniform(0, 1) ? Qt::Key_Down : Qt::Key_Up);
            Edited(id, list.currentIndex());
        } else if (action < 22) {
            const int id = kSliders[static_cast<std::size_t>(Uniform(0, kSliders.size() - 1))];
            QSlider& slider = Find<QSlider>(id);
            constexpr std::array keys = {Qt::Key_Left, Qt::Key_Right, Qt::Key_PageUp,
                                         Qt::Key_PageDown};
            QTest::keyClick(&slider, keys[static_cast<std::size_t>(Uniform(0, 3))]);
            Edited(id, slider.value());
        } else if (action == 22) {
            Find<QPushButton>(SetDefaultsButton).click();
            ++counts_.defaultsPressed;
            asked_ = true;
            defaultsAsked_ = true;
        }
    }

    void Type(const TypedField& field) {
        QLineEdit& edit = Find<QLineEdit>(field.id);
        std::u16string text;
        if (field.high != 0) {
            const std::int32_t value = Uniform(field.low, field.high) * field.step;
            text = QString::number(value).toStdU16String();
            Edited(field.id, value);
        } else {
            static constexpr char16_t kLetters[] =
                u"ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijkl 0123456789-";
            const int length = Uniform(0, 32);
            for (int i = 0; i < length; ++i) {
                text.push_back(kLetters[Uniform(0, std::size(kLetters) - 2)]);
            }
            Edited(field.id, text);
        }
        edit.selectAll();
        QTest::keyClicks(&edit, QString::fromStdU16String(text));
        if (text.empty()) {
            QTest::keyClick(&edit, Qt::Key_Delete);
        }
    }

    void Edited(int id, FieldValue value) {
        edits_[id] = std::move(value);
        ++counts_.edits;
        asked_ = true;
    }

    // Power cuts and pulled cables, now and then; a pulled cable goes back in a few seconds.
    void DisturbTheLine() {
        const int event = Uniform(0, 999);
        if (event < 2 && !replugAt_) {
            bus_.RemovePort(kPortName);
            port_.LoseInFlight();
            replugAt_ = clock_.Now() + Milliseconds(Uniform(100, 4000));
            ++counts_.cablePulls;
        } else if (event < 4) {
            device_.PowerCycle(clock_.Now());
            port_.LoseInFlight();
            ++counts_.powerCuts;
        }
    }

    std::uint8_t model_ = 0;
    VirtualClock clock_;
    SimDevice device_;
    SimBus bus_;
    InProcessPort port_{bus_, clock_};
    FixedPortCatalogue catalogue_{{{0, kPortName}}};
    CXmit xmit_{port_, catalogue_, clock_};
    SessionFlags flags_;
    StartupValues startup_;
    CInfo info_{clock_};
    test::RecordingBeeper beeper_;
    test::AnsweringPrompter prompter_;
    CSetting setting_{PanelContext{startup_, xmit_, flags_, beeper_, info_, prompter_}};
    std::unique_ptr<CKoraPanelDlg> dialog_;
    std::mt19937 random_;
    std::optional<Milliseconds> replugAt_;

    // What the user changed since the panel last showed a block read from the device, by
    // control, and whether a write or the defaults are owed to the user.
    std::map<int, FieldValue> edits_;
    bool asked_ = false;
    bool defaultsAsked_ = false;
    Counts counts_;
};

TEST_F(PanelSoak, Model82) {
    Soak(kModel82);
}

TEST_F(PanelSoak, Model78) {
    Soak(kModel78);
}

}  // namespace
}  // namespace vemo
