#include "editor_commands_harness.h"

#include "data/profile_file.h"
#include "support_gui/render_keep.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include <filesystem>

namespace korvland::testing {
namespace {
using namespace editor_names;

// The checks the editor makes before a save replaces a file, and before it takes a file as a
// profile.
class EditorFileChecksTest : public EditorCommandsTest {
  protected:
    // A profile that names `landmarks` and switches record 2 off.
    QString profileFile(const std::string& name, const QString& landmarks) const {
        ProfileContents profile;
        const std::string path = landmarks.toStdString();
        std::copy(path.begin(), path.end(), profile.landmarkPath.begin());
        profile.profileCount = 3;
        profile.disabledFlags[1] = 1;
        writeBytes(dir.path() / name, encodeProfile(profile));
        return QString::fromStdString(dir.file(name));
    }
    std::vector<std::uint8_t> bytesOf(const QString& path) const { return readBytes(path.toStdString()); }
    // Runs a save command whose dialog chooses `path` and gets `yes` to its question, then
    // (for a "No") cancels the dialog it returns to; the question asked.
    QString saveOver(const char* command, const QString& path, bool yes) {
        const std::size_t first = dialogs.asked().size();
        dialogs.expectSaveFile(path);
        dialogs.expectQuestion(yes);
        if (!yes) {
            dialogs.expectSaveFile(std::nullopt);
            dialogs.expectInformation();
        }
        trigger(command);
        return dialogs.asked().size() > first + 1 ? dialogs.asked()[first + 1].text : QString();
    }
};

const QString kChanged = QStringLiteral("lndmrks0.dat has been changed by another program since it was "
                                        "opened. Replace it with the editor's landmarks?");
const QString kExists = QStringLiteral("lndmrks0.dat already exists.\nDo you want to replace it?");

// However the file came in (opened itself, or named by a profile), "Save Landmark" over it
// asks in its own words once another program has changed it, "No" keeps the other program's
// file, and a file the editor itself wrote last gets the dialog's own question.
TEST_F(EditorFileChecksTest, SavingOverAFileChangedOnDiskAsksFirst) {
    create();
    for (const bool throughProfile : {false, true}) {
        SCOPED_TRACE(throughProfile ? "opened by a profile" : "opened itself");
        const QString file = landmarkFile("lndmrks0.dat", 4);
        if (throughProfile) {
            dialogs.expectOpenFile(profileFile("p.lmp", file));
            trigger(kOpenProfileAction);
        } else {
            openLandmark(file);
        }
        EXPECT_EQ(saveOver(kSaveLandmarkAction, file, false), kExists)
            << "unchanged: the dialog's own question";

        const auto theirs = LandmarkFileBuilder().addMany(9).writeTo(dir.path() / "lndmrks0.dat");
        EXPECT_EQ(saveOver(kSaveLandmarkAction, file, false), kChanged);
        EXPECT_EQ(dialogs.messages().back(), "Landmarks file not compiled.");
        EXPECT_EQ(bytesOf(file), readBytes(theirs));

        EXPECT_EQ(saveOver(kSaveLandmarkAction, file, true), kChanged);
        EXPECT_EQ(bytesOf(file), set.compiledBytes());
        EXPECT_EQ(saveOver(kSaveLandmarkAction, file, true), kExists) << "the editor's own write is known";
    }
}

// Unsaved work on a file another program changed since: the status line says so, and "Save
// Landmark" offers to merge the work onto the file (asking where both changed one record),
// to replace the file, or to cancel.
TEST_F(EditorFileChecksTest, SavingOverAFileChangedOnDiskOffersToMergeTheUnsavedSteps) {
    create();
    struct Case {
        const char* what;
        const char* answer;
        bool conflict;
        const char* name0;
        bool theirsKept;
    };
    for (const Case& c : {Case{"merge", kMergeAnswer, false, "Mine", true},
                          Case{"merge, the file's record kept", kMergeAnswer, true, "Theirs 0", true},
                          Case{"replace", kReplaceAnswer, false, "Mine", false},
                          Case{"cancel", kCancelAnswer, false, "", true}}) {
        SCOPED_TRACE(c.what);
        const QString file = landmarkFile("lndmrks0.dat", 4);
        openLandmark(file);
        const std::string original0 = document.record(0).nameBytes();
        const std::string original3 = document.record(3).nameBytes();
        document.setName(0, QStringLiteral("Mine"));
        LandmarkSet theirs;
        theirs.read(file.toStdString());
        for (std::size_t i = c.conflict ? 0 : 2; i < 4; ++i) {
            LandmarkRecord record = theirs.record(i);
            record.setNameBytes("Theirs " + std::to_string(i));
            theirs.setRecord(i, record);
        }
        theirs.writeLandmarkFile(file.toStdString());
        editor->noticeChangeOnDisk();
        EXPECT_EQ(labelText(kNoticePanel),
                  QStringLiteral("lndmrks0.dat was changed by another program: %1 records")
                      .arg(c.conflict ? 4 : 2));
        EXPECT_FALSE(required<QPushButton>(editor, kMergeButton)->isHidden());
        editor->show();
        keep(editor->grab(), "changed_on_disk_notice.png");

        dialogs.expectExec(0, [&](QDialog& box) { required<QAbstractButton>(&box, c.answer)->click(); });
        if (c.conflict)
            dialogs.expectExec(QDialog::Accepted, [](QDialog& choice) {
                required<QComboBox>(&choice, "ConflictRecord0")->setCurrentIndex(1);
            });
        if (c.answer == kCancelAnswer)
            dialogs.expectInformation();
        trigger(kSaveLandmarkAction);
        EXPECT_TRUE(dialogs.allAnswered());
        LandmarkSet saved;
        saved.read(file.toStdString());
        EXPECT_EQ(saved.record(0).nameBytes(), *c.name0 ? std::string(c.name0) : original0);
        EXPECT_EQ(saved.record(3).nameBytes(), c.theirsKept ? "Theirs 3" : original3);
        EXPECT_EQ(document.isModified(), c.answer == kCancelAnswer);
        EXPECT_EQ(required<QPushButton>(editor, kMergeButton)->isHidden(), c.answer != kCancelAnswer);
    }
}

// A save dialog that would put one kind of file over the other says what the file holds.
TEST_F(EditorFileChecksTest, ReplacingTheOtherKindOfFileAsksWhatItHolds) {
    create();
    const QString landmarks = landmarkFile("lndmrks1.dat", 5);
    const QString profile = profileFile("saved.lmp", landmarks);
    openLandmark(landmarkFile("lndmrks2.dat", 3));
    const auto landmarkBytes = bytesOf(landmarks);

    EXPECT_EQ(saveOver(kSaveProfileAction, landmarks, false),
              "lndmrks1.dat is a landmark file. Replace it with a profile?");
    EXPECT_EQ(dialogs.messages().back(), "Landmarks Profile not saved.");
    EXPECT_EQ(bytesOf(landmarks), landmarkBytes);
    EXPECT_EQ(saveOver(kSaveProfileAction, landmarks, true),
              "lndmrks1.dat is a landmark file. Replace it with a profile?");
    EXPECT_EQ(bytesOf(landmarks).size(), kProfileSize);

    EXPECT_EQ(saveOver(kSaveLandmarkAction, profile, true),
              "saved.lmp is a profile. Replace it with landmarks?");
    EXPECT_EQ(bytesOf(profile), set.compiledBytes());
}

// A file that is no profile is refused with the reason and changes nothing.
TEST_F(EditorFileChecksTest, OpeningAFileThatIsNoProfileChangesNothing) {
    create();
    const QString loaded = landmarkFile("lndmrks1.dat", 5);
    openLandmark(loaded);
    std::vector<std::uint8_t> garbage(1154);
    for (std::size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<std::uint8_t>(i * 37 % 251 + 1);
    writeBytes(dir.path() / "garbage.lmp", garbage);
    const struct {
        QString path;
        QString message;
    } cases[] = {
        {QString::fromStdString(dir.file("garbage.lmp")),
         "Invalid profile: the landmark file's path has no terminating zero byte within its 128 bytes."},
        {landmarkFile("lndmrks3.dat", 200),
         "Invalid profile: it is longer than 1154 bytes; a profile is exactly 1154 bytes."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const auto flags = set.disabledFlags();
        dialogs.expectOpenFile(c.path);
        dialogs.expectError();
        trigger(kOpenProfileAction);
        EXPECT_EQ(dialogs.messages().back(), c.message + QLatin1Char('\n') + c.path);
        EXPECT_EQ(set.landmarkPath(), loaded.toStdString());
        EXPECT_EQ(set.recordCount(), 5);
        EXPECT_EQ(set.disabledFlags(), flags);
        EXPECT_EQ(labelText(kPathLabel), loaded);
    }
}

} // namespace
} // namespace korvland::testing
