// Edits of the document as undo steps: each kind done, undone and redone, merging of name
// typing, edits that change nothing, and the modified state that follows the last save.
#include "document_fixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace korvland::testing {
namespace {

using Field = LandmarkDocument::Field;
enum class Announce { Record, Records };

struct EditCase {
    const char* name;
    std::function<void(LandmarkDocument&)> prepare; // not part of the step
    std::function<void(LandmarkDocument&)> edit;
    QString text;
    Announce announce;
    Field field;
    QList<int> indices;
};

void selectThenSwitchOff(LandmarkDocument& d, const QList<int>& indices) {
    d.setSelection(indices);
    d.switchOffSelection();
}

// clang-format off
const EditCase kEdits[] = {
    {"Name", {}, [](auto& d) { d.setName(0, QStringLiteral("Arras Nord")); },
     "Name of Arras", Announce::Record, Field::Name, {0}},
    {"NameOfUnnamed", {}, [](auto& d) { d.setName(2, QStringLiteral("Bourlon \u00e9")); },
     "Name of Landmark 3", Announce::Record, Field::Name, {2}},
    {"Type", {}, [](auto& d) { d.setType(3, 0x0A); },
     "Type of Cambrai", Announce::Record, Field::Type, {3}},
    {"SubType", {}, [](auto& d) { d.setSubType(4, 0x21); },
     "Sub-Type of Lens", Announce::Record, Field::SubType, {4}},
    {"Side", {}, [](auto& d) { d.setSide(0, 1); },
     "Side of Arras", Announce::Record, Field::Side, {0}},
    {"SwitchOff", {}, [](auto& d) { d.setActive(6, false); },
     "Switch Off Douai", Announce::Record, Field::Active, {6}},
    {"SwitchOn", [](auto& d) { d.setActive(7, false); }, [](auto& d) { d.setActive(7, true); },
     "Switch On Bapaume", Announce::Record, Field::Active, {7}},
    {"BulkSwitchOff", {}, [](auto& d) { selectThenSwitchOff(d, {0, 1, 3, 4}); },
     "Switch Off 3 Landmarks", Announce::Records, Field::Active, {0, 3, 4}},
    {"BulkSwitchOn", [](auto& d) { selectThenSwitchOff(d, {0, 1, 3}); },
     [](auto& d) { d.setSelection({0, 1, 3}), d.switchOnSelection(); },
     "Switch On 2 Landmarks", Announce::Records, Field::Active, {0, 3}},
    {"BulkSideOfOne", {}, [](auto& d) { d.setSelection({3, 4, 6}), d.setSideOfSelection(1); },
     "Side of 1 Landmark", Announce::Records, Field::Side, {4}},
};
// clang-format on

void PrintTo(const EditCase& c, std::ostream* out) {
    *out << c.name;
}

class EveryEdit : public ::testing::TestWithParam<EditCase> {};

TEST_P(EveryEdit, DoneUndoneAndRedoneGivesBackTheSameBytesAndAnnouncesTheRecords) {
    const EditCase& c = GetParam();
    OpenDocument open;
    LandmarkDocument& d = open.document;
    if (c.prepare)
        c.prepare(d);
    open.stack().clear();
    d.select(c.indices.front());
    const auto bytesBefore = open.bytes();
    const SetState before = open.state();
    QSignalSpy record(&d, &LandmarkDocument::recordChanged);
    QSignalSpy records(&d, &LandmarkDocument::recordsChanged);
    QSignalSpy current(&d, &LandmarkDocument::currentChanged);
    const auto announced = [&](int times) {
        EXPECT_EQ(record.count(), c.announce == Announce::Record ? times : 0);
        EXPECT_EQ(records.count(), c.announce == Announce::Records ? times : 0);
        const QList<QVariant> last = c.announce == Announce::Record ? record.last() : records.last();
        if (c.announce == Announce::Records) {
            EXPECT_EQ(last.at(0).value<QList<int>>(), c.indices);
        } else {
            EXPECT_EQ(last.at(0).toInt(), c.indices.front());
        }
        EXPECT_EQ(last.at(1).value<Field>(), c.field);
    };

    c.edit(d);
    const auto bytesAfter = open.bytes();
    const SetState after = open.state();
    EXPECT_NE(after, before);
    ASSERT_EQ(open.stack().count(), 1);
    EXPECT_EQ(open.stack().undoText(), c.text);
    EXPECT_TRUE(d.isModified());
    announced(1);

    open.stack().undo();
    EXPECT_EQ(open.bytes(), bytesBefore);
    EXPECT_EQ(open.state(), before);
    EXPECT_FALSE(d.isModified());
    announced(2);

    open.stack().redo();
    EXPECT_EQ(open.bytes(), bytesAfter);
    EXPECT_EQ(open.state(), after);
    announced(3);
    // The record on screen was the one edited: nothing to bring back into view.
    EXPECT_EQ(current.count(), 0);
}

INSTANTIATE_TEST_SUITE_P(Kinds, EveryEdit, ::testing::ValuesIn(kEdits),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

struct NoStepCase {
    const char* name;
    std::function<bool(LandmarkDocument&)> edit; // true when the edit says it changed something
};

// clang-format off
using ActiveEdit = LandmarkDocument::ActiveEdit;

const NoStepCase kNoSteps[] = {
    {"SameName", [](auto& d) { return d.setName(0, QStringLiteral("Arras")); }},
    {"NameOutsideTheCodePage", [](auto& d) { return d.setName(0, QStringLiteral("Arras \u0100")); }},
    {"NameOfNoRecord", [](auto& d) { return d.setName(8, QStringLiteral("Lille")); }},
    {"SameType", [](auto& d) { return d.setType(0, 0x01); }},
    {"SameSubType", [](auto& d) { return d.setSubType(0, 0x02); }},
    {"SameSide", [](auto& d) { return d.setSide(3, 1); }},
    {"SideOfNoRecord", [](auto& d) { return d.setSide(-1, 1); }},
    {"SwitchOnWhatIsOn", [](auto& d) { return d.setActive(0, true) != ActiveEdit::Unchanged; }},
    {"SwitchOnTypeSix", [](auto& d) { return d.setActive(1, true) != ActiveEdit::Refused; }},
    {"SwitchOffWhatIsOff", [](auto& d) { return d.setActive(5, false) != ActiveEdit::Unchanged; }},
    {"BulkOffOfNothing", [](auto& d) { return d.selectNone(), d.switchOffSelection().changed; }},
    {"BulkOffOfTheOff", [](auto& d) { return d.setSelection({1, 5}), d.switchOffSelection().changed; }},
    {"BulkSideUnchanged", [](auto& d) { return d.setSelection({0, 2}), d.setSideOfSelection(0).changed; }},
};
// clang-format on

void PrintTo(const NoStepCase& c, std::ostream* out) {
    *out << c.name;
}

class EditChangingNothing : public ::testing::TestWithParam<NoStepCase> {};

TEST_P(EditChangingNothing, MakesNoStepAndAnnouncesNothing) {
    OpenDocument open;
    LandmarkDocument& d = open.document;
    const SetState before = open.state();
    QSignalSpy record(&d, &LandmarkDocument::recordChanged);
    QSignalSpy records(&d, &LandmarkDocument::recordsChanged);
    EXPECT_FALSE(GetParam().edit(d));
    EXPECT_EQ(open.state(), before);
    EXPECT_EQ(open.stack().count(), 0);
    EXPECT_FALSE(d.isModified());
    EXPECT_EQ(record.count() + records.count(), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, EditChangingNothing, ::testing::ValuesIn(kNoSteps),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

std::string nameOf(const LandmarkDocument& d, int index) {
    return d.record(index).nameBytes();
}

TEST(NameTyping, MergesPerRecordUntilTheBoxLetsGo) {
    OpenDocument open;
    LandmarkDocument& d = open.document;
    const auto original = open.bytes();
    for (const char* text : {"A", "Ar", "Arx"})
        d.setName(0, QString::fromLatin1(text));
    EXPECT_EQ(open.stack().count(), 1);
    EXPECT_EQ(open.stack().undoText(), QStringLiteral("Name of Arras"));
    // Another record's name is a step of its own, and so is typing after the box let go.
    d.setName(3, QStringLiteral("C"));
    d.setName(3, QStringLiteral("Ca"));
    EXPECT_EQ(open.stack().count(), 2);
    d.endNameTyping();
    d.setName(3, QStringLiteral("Cam"));
    EXPECT_EQ(open.stack().count(), 3);

    open.stack().undo();
    EXPECT_EQ(nameOf(d, 3), "Ca");
    open.stack().undo();
    EXPECT_EQ(nameOf(d, 3), "Cambrai");
    EXPECT_EQ(nameOf(d, 0), "Arx");
    open.stack().undo();
    EXPECT_EQ(open.bytes(), original);
}

TEST(NameTyping, NeverContinuesAStepAcrossAnUndoOrAPick) {
    OpenDocument open;
    LandmarkDocument& d = open.document;
    d.setName(0, QStringLiteral("A"));
    d.setType(0, 0x02);
    open.stack().undo();
    d.setName(0, QStringLiteral("Ab"));
    EXPECT_EQ(open.stack().count(), 2);
    d.select(0);
    d.setName(0, QStringLiteral("Abc"));
    EXPECT_EQ(open.stack().count(), 3);
    open.stack().undo();
    EXPECT_EQ(nameOf(d, 0), "Ab");
}

TEST(NameTyping, TypingBackToTheStartLeavesNoStep) {
    OpenDocument open;
    LandmarkDocument& d = open.document;
    QSignalSpy modified(&d, &LandmarkDocument::modifiedChanged);
    d.setName(0, QStringLiteral("Arra"));
    d.setName(0, QStringLiteral("Arras"));
    EXPECT_EQ(open.stack().count(), 0);
    EXPECT_FALSE(d.isModified());
    EXPECT_EQ(modified.count(), 2);
}

TEST(ModifiedState, FollowsTheCleanStateOfTheLastLandmarkSave) {
    OpenDocument open;
    LandmarkDocument& d = open.document;
    QSignalSpy modified(&d, &LandmarkDocument::modifiedChanged);
    d.setSide(0, 1);
    d.write(qPath(open.dir.file("saved.dat")));
    d.setType(0, 0x05);
    d.setName(0, QStringLiteral("Arras Sud"));
    open.stack().undo();
    open.stack().undo();
    EXPECT_FALSE(d.isModified()); // back at the save: nothing to ask at close
    open.stack().undo();
    EXPECT_TRUE(d.isModified());
    open.stack().redo();
    EXPECT_EQ(open.bytes(), readBytes(open.dir.file("saved.dat")));
    QList<bool> changes;
    for (const QList<QVariant>& signal : modified)
        changes << signal.at(0).toBool();
    EXPECT_EQ(changes, (QList<bool>{true, false, true, false, true, false}));

    // A profile holds no names, types or sides: saving one leaves the edits unsaved.
    d.setSide(0, 0);
    d.saveProfile(qPath(open.dir.file("front.lmp")));
    EXPECT_TRUE(d.isModified());
    // A write that fails saves nothing.
    EXPECT_THROW(d.write(qPath(open.dir.file("no-such-folder/x.dat"))), UserError);
    EXPECT_TRUE(d.isModified());
}

} // namespace
} // namespace korvland::testing
