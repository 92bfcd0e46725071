#include "params/panel_fields.h"

#include <gtest/gtest.h>

#include <map>

#include "params/panel_control_ids.h"

namespace vemo {
namespace {

using namespace panel_id;

// Controls as plain values: what the user left in each.
class FakeControls final : public PanelControls {
public:
    int Selection(int id) const override { return Find(selections, id, -1); }
    void Select(int id, int index) override { selections[id] = index; }
    int Position(int id) const override { return Find(positions, id, 0); }
    void SetPosition(int id, int position) override { positions[id] = position; }
    std::u16string Text(int id) const override { return Find(texts, id, std::u16string()); }
    void SetText(int id, std::u16string_view text) override { texts[id] = text; }

    std::map<int, int> selections;
    std::map<int, int> positions;
    std::map<int, std::u16string> texts;

private:
    template <class Value>
    static Value Find(const std::map<int, Value>& values, int id, Value none) {
        const auto it = values.find(id);
        return it == values.end() ? none : it->second;
    }
};

// Valid values in every control; each test spoils what it is about.
PanelMembers ValidMembers() {
    PanelMembers members;
    ParameterSet& set = members.set;
    set.Frequency = 498000;
    set.LevelPosition = 24;
    set.Light = set.Contrast = set.Saturation = 128;
    set.PmtPid = 256;
    set.VideoPid = 257;
    set.AudioPid = 258;
    set.VideoBitrate = 8000;
    set.NetworkName = u"NET";
    set.ServiceName = u"SERVICE";
    set.Reference = u"REF";
    members.image.EitName = u"Live";
    return members;
}

struct ReadingTest : testing::Test {
    ReadingTest() {
        ShowMembers(ValidMembers(), controls);
        members = ValidMembers();
    }
    FakeControls controls;
    PanelMembers members;
};

TEST_F(ReadingTest, ValuesTheUserLeftBecomeTheMembers) {
    controls.texts[FrequencyField] = u" 602000 ";
    controls.texts[ServiceNameField] = u"VEMO 2";
    controls.texts[ReferenceField] = u"NEW REF";
    controls.selections[ModeList] = 0;
    controls.positions[LightSlider] = 7;
    controls.texts[EitTextField] = u"Tonight";
    EXPECT_EQ(ReadControls(controls, members), std::nullopt);
    EXPECT_EQ(members.set.Frequency, 602000);
    EXPECT_EQ(members.set.ServiceName, u"VEMO 2");
    EXPECT_EQ(members.set.Reference, u"NEW REF");
    EXPECT_EQ(members.set.TransmissionMode, 0);
    EXPECT_EQ(members.set.Light, 7);
    EXPECT_EQ(members.image.EitText, u"Tonight");
}

TEST_F(ReadingTest, AFieldWithoutAnIntegerEndsTheReadingThere) {
    members.set.Version = 3;
    controls.texts[FrequencyField] = u"602000";  // read before the version
    controls.texts[VersionField] = u"12a";
    controls.texts[NetworkIdField] = u"77";  // after it
    controls.texts[ServiceNameField] = u"LATE";
    controls.texts[ReferenceField] = u"LATE";
    EXPECT_EQ(ReadControls(controls, members), (InputProblem{VersionField, u"Enter an integer."}));
    EXPECT_EQ(members.set.Frequency, 602000);
    EXPECT_EQ(members.set.Version, 3);
    EXPECT_EQ(members.set.NetworkId, 0);
    EXPECT_EQ(members.set.ServiceName, u"SERVICE");
    EXPECT_EQ(members.set.Reference, u"REF");
}

TEST_F(ReadingTest, TheFirstFailedCheckIsReportedAndTheMemberKeepsWhatWasRead) {
    struct Case {
        std::map<int, std::u16string> texts;
        InputProblem problem;
    };
    const std::u16string name33(33, u'N');
    const Case cases[] = {
        {{{TsIdField, u"65536"}}, {TsIdField, u"Enter an integer between 0 and 65535."}},
        {{{FrequencyField, u"46999"}},
         {FrequencyField, u"Enter an integer between 47000 and 862000."}},
        {{{VersionField, u"32"}}, {VersionField, u"Enter an integer between 0 and 31."}},
        {{{PmtPidField, u"31"}}, {PmtPidField, u"Enter an integer between 32 and 8190."}},
        {{{VideoPidField, u"-1"}}, {VideoPidField, u"Enter an integer between 0 and 8190."}},
        {{{VideoBitrateField, u"12001"}},
         {VideoBitrateField, u"Enter an integer between 3000 and 12000."}},
        {{{ServiceNameField, name33}}, {ServiceNameField, u"Enter no more than 32 characters."}},
        // The check order, not the reading order, picks the one reported.
        {{{AudioPidField, u"1"}, {TsIdField, u"70000"}},
         {TsIdField, u"Enter an integer between 0 and 65535."}},
        {{{NetworkNameField, name33}, {LcnField, u"65536"}},
         {LcnField, u"Enter an integer between 0 and 65535."}},
        {{{ReferenceField, std::u16string(54, u'R')}},
         {ReferenceField, u"Enter no more than 53 characters."}},
        {{{EitNameField, std::u16string(41, u'E')}},
         {EitNameField, u"Enter no more than 40 characters."}},
        {{{EitTextField, std::u16string(101, u'E')}},
         {EitTextField, u"Enter no more than 100 characters."}},
    };
    for (const Case& c : cases) {
        FakeControls spoiled = controls;
        for (const auto& [id, text] : c.texts) {
            spoiled.texts[id] = text;
        }
        PanelMembers read = ValidMembers();
        EXPECT_EQ(ReadControls(spoiled, read), c.problem);
        const ControlBinding& failed = *FindBinding(c.problem.controlId);
        if (failed.kind == ControlKind::Number) {
            EXPECT_EQ(DecimalText(failed.number(read)), spoiled.texts[failed.id]);
        } else {
            EXPECT_EQ(failed.text(read), spoiled.texts[failed.id]);
        }
    }
}

TEST_F(ReadingTest, AFailureBeforeTheReferenceLeavesItUnread) {
    controls.texts[TsIdField] = u"65536";
    controls.texts[ReferenceField] = u"NEW REF";
    ASSERT_TRUE(ReadControls(controls, members));
    EXPECT_EQ(members.set.Reference, u"REF");
}

TEST_F(ReadingTest, AListWithoutSelectionKeepsItsMember) {
    members.set.LcnType = 2;  // NORDIG, which model 0x78's list does not offer
    controls.Select(LcnTypeList, -1);
    EXPECT_EQ(ReadControls(controls, members), std::nullopt);
    EXPECT_EQ(members.set.LcnType, 2);
}

TEST(PanelFields, EveryMemberIsShownAndReadBackUnchanged) {
    FakeControls controls;
    const PanelMembers shown = ValidMembers();
    ShowMembers(shown, controls);
    EXPECT_EQ(controls.texts[FrequencyField], u"498000");
    EXPECT_EQ(controls.positions[LevelSlider], 24);
    PanelMembers read;
    EXPECT_EQ(ReadControls(controls, read), std::nullopt);
    EXPECT_EQ(read.set, shown.set);
    EXPECT_EQ(read.image, shown.image);
}

TEST(PanelFields, NumberFieldsTakeBlanksASignAndDigitsOnly) {
    const std::pair<std::u16string_view, std::optional<std::int32_t>> cases[] = {
        {u"474000", 474000},
        {u"  +12\t", 12},
        {u"-5", -5},
        {u"0", 0},
        {u"2147483647", 2147483647},
        {u"-2147483648", -2147483647 - 1},
        {u"12a", std::nullopt},
        {u"", std::nullopt},
        {u"   ", std::nullopt},
        {u"+", std::nullopt},
        {u"- 5", std::nullopt},
        {u"1 2", std::nullopt},
        {u"0x10", std::nullopt},
        {u"2147483648", std::nullopt},
        {u"99999999999999999999", std::nullopt},
        {u"１２", std::nullopt},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(ParseFieldInteger(text), value) << std::string(text.begin(), text.end());
    }
}

TEST(PanelFields, LevelLabel) {
    EXPECT_EQ(LevelText(29), u"0dB");
    EXPECT_EQ(LevelText(17), u"-12dB");
    EXPECT_EQ(LevelText(0), u"-29dB");
}

}  // namespace
}  // namespace vemo
