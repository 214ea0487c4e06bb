// The whole program as main.cpp runs it: start-up with a stored landmarks folder, the
// start button, the editor's menu and controls, the files it writes, the end of the run
// and the settings file it leaves. The written files are compared with what the
// landmark set's own operations write for the same steps, which is what korvland-cli
// does for its compile, profile and open-profile commands.

#include "data/landmark_set.h"
#include "data/profile_file.h"
#include "settings/settings_store.h"
#include "support/fixture_builder.h"
#include "support_gui/named.h"
#include "support_gui/scripted_dialogs.h"
#include "ui/common/radio_group.h"
#include "ui/editor/editor_window.h"
#include "ui/start/startup.h"
#include "ui/start/welcome_window.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace korvland {
namespace {
using namespace editor_names;

using testing::LandmarkFileBuilder;
using testing::readBytes;
using testing::ScriptedDialogs;
using testing::TempDir;

class EndToEndTest : public testing::ScriptedDialogsTest<> {
  protected:
    EndToEndTest() {
        std::filesystem::create_directories(folder);
        testing::writeBytes(settings, bytesOf("[settings]\nstartdir=" + folder.string() + "\n"));
        // Twelve records at a stride of 80; record 6 (index 6) has type 6 and loads switched off.
        source = LandmarkFileBuilder().addMany(12).recordSize(80).writeTo(folder / "lndmrks1.dat");
    }

    static std::vector<std::uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

    // Starts the program as main.cpp does and presses the start button.
    void start() {
        quitRequests = 0;
        startup = std::make_unique<Startup>(dialogs, settings);
        AppContext& context = startup->context();
        const std::function<void()> quit = context.requestQuit;
        context.requestQuit = [this, quit] {
            ++quitRequests;
            quit();
        };
        startup->show();
        ASSERT_TRUE(welcome()->isVisible());
        QTest::mouseClick(welcome()->startButton(), Qt::LeftButton);
        ASSERT_FALSE(welcome()->isVisible());
        ASSERT_TRUE(editor()->isVisible());
    }

    // Ends the run: the event loop handles the end request, then the windows go.
    void runToTheEnd() {
        ASSERT_EQ(quitRequests, 1) << "the loop would never end";
        EXPECT_EQ(QApplication::exec(), 0);
        startup.reset();
    }

    const ProgramWindows& windows() const { return startup->windows(); }
    WelcomeWindow* welcome() const { return startup->welcome(); }
    EditorWindow* editor() const { return windows().editor.get(); }
    const LandmarkSet& set() const { return startup->context().document.set(); }

    void command(const char* name) const {
        auto* action = editor()->findChild<QAction*>(QLatin1String(name));
        ASSERT_NE(action, nullptr) << name;
        ASSERT_TRUE(action->isEnabled()) << name;
        action->trigger();
    }
    template <typename T> T* control(const char* name) const { return testing::required<T>(editor(), name); }
    QString labelText(const char* name) const { return control<QLabel>(name)->text(); }
    // Chooses entry i of the recent list as the user does, among what the menu shows now.
    void chooseRecentEntry(int i) const {
        const QString name = QStringLiteral("MRUEntry%1").arg(i);
        for (QAction* action : control<QMenu>(kOpenMenu)->actions()) {
            if (action->objectName() == name) {
                action->trigger();
                return;
            }
        }
        ADD_FAILURE() << "no recent entry " << i;
    }

    // Replaces a box's text as the user does: select everything, then type.
    void retype(const char* name, const QString& typed) const {
        QLineEdit* box = control<QLineEdit>(name);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        for (QChar c : typed)
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    void clickItem(const char* groupName, int item) const {
        testing::clickRadioItem(*control<RadioGroup>(groupName), item);
    }
    void selectRecord(int number) const { retype(kRecordNumberBox, QString::number(number)); }

    // The edits the tests make through the controls, and the same edits on a set.
    void editThroughTheControls() const {
        selectRecord(3);
        retype(kNameBox, QStringLiteral("Amiens, Gare \u00E9"));
        retype(kTypeBox, QStringLiteral("05"));
        clickItem(kSideGroup, 1);
        selectRecord(2);
        clickItem(kActiveGroup, 1);
    }
    static void editDirectly(LandmarkSet& reference) {
        reference.selectRecord(3);
        reference.setName("Amiens, Gare \xE9");
        reference.setLoFileType(5);
        reference.setSide(1);
        reference.selectRecord(2);
        reference.setDisabled(1, 1);
    }

    TempDir dir;
    std::filesystem::path folder = dir.path() / "Landmarks";
    std::string settings = dir.file("korvland.INI");
    std::string source;
    std::unique_ptr<Startup> startup;
    int quitRequests = 0;
};

TEST_F(EndToEndTest, EditSaveReopenAndEndWriteWhatTheSetOperationsWrite) {
    start();
    const QString landmarksFolder = QString::fromStdString(folder.string());
    EXPECT_EQ(startup->context().landmarksFolder, landmarksFolder);

    dialogs.expectOpenFile(QString::fromStdString(source));
    command(kOpenLandmarkAction);
    EXPECT_EQ(dialogs.last().request.initialFolder, landmarksFolder);
    EXPECT_EQ(labelText(kPathLabel), QString::fromStdString(source));
    EXPECT_EQ(labelText(kRecordCountLabel), "12");
    EXPECT_EQ(labelText(kRecordSizeLabel), "80");
    EXPECT_EQ(labelText(kRegionLine), "Landmarks of the Flanders Region");

    editThroughTheControls();
    EXPECT_TRUE(editor()->isModified());
    EXPECT_EQ(set().record(2).loFileType, 5);
    EXPECT_EQ(set().record(2).side, 1);
    EXPECT_EQ(set().disabledFlag(1), 1);

    const std::string profile = (folder / "choice.lmp").string();
    dialogs.expectSaveFile(QString::fromStdString(profile));
    command(kSaveProfileAction);
    const std::string compiled = (folder / "compiled.dat").string();
    dialogs.expectSaveFile(QString::fromStdString(compiled));
    command(kSaveLandmarkAction);
    EXPECT_EQ(dialogs.last().request.proposedName, "lndmrks1.dat");
    EXPECT_FALSE(editor()->isModified());

    // The same steps on a set of its own: read, edit, save the profile, compile.
    auto reference = std::make_unique<LandmarkSet>();
    reference->read(source);
    editDirectly(*reference);
    reference->saveProfile(dir.file("reference.lmp"));
    reference->writeLandmarkFile(dir.file("reference.dat"));
    EXPECT_EQ(readBytes(profile), readBytes(dir.file("reference.lmp")));
    EXPECT_EQ(readBytes(compiled), readBytes(dir.file("reference.dat")));
    const std::vector<std::uint8_t> written = readBytes(compiled);
    ASSERT_EQ(written.size(), 100u + 12u * 80u);
    EXPECT_EQ(written[100 + 63], 0xEE) << "the bytes between records are kept";
    EXPECT_EQ(written[100 + 1 * 80 + 4], 6) << "switched off in the editor";
    EXPECT_EQ(written[100 + 1 * 80 + 5], 0xAC);
    EXPECT_EQ(written[100 + 2 * 80 + 4], 5) << "type typed into the editor";

    // Reopening the profile reads the landmark file it names and lays its choice over it.
    dialogs.expectOpenFile(QString::fromStdString(profile));
    command(kOpenProfileAction);
    EXPECT_EQ(editor()->recordNumber(), 1);
    EXPECT_EQ(editor()->recordMaximum(), 12);
    EXPECT_EQ(labelText(kPathLabel), QString::fromStdString(source));
    EXPECT_EQ(set().disabledFlag(1), 1);
    EXPECT_EQ(set().record(2).loFileType, 2)
        << "the name and type edits were in the landmark file, not the profile";
    const std::string recompiled = (folder / "recompiled.dat").string();
    dialogs.expectSaveFile(QString::fromStdString(recompiled));
    command(kSaveLandmarkAction);

    // What "compile SOURCE --profile PROFILE" and "open-profile PROFILE" write.
    auto compile = std::make_unique<LandmarkSet>();
    compile->read(source);
    compile->applyDisabledFlags(decodeProfile(readBytes(profile)).disabledFlags);
    compile->writeLandmarkFile(dir.file("cli-compile.dat"));
    auto openProfile = std::make_unique<LandmarkSet>();
    openProfile->openProfile(profile);
    openProfile->writeLandmarkFile(dir.file("cli-open-profile.dat"));
    EXPECT_EQ(readBytes(recompiled), readBytes(dir.file("cli-compile.dat")));
    EXPECT_EQ(readBytes(recompiled), readBytes(dir.file("cli-open-profile.dat")));

    // An unsaved edit makes closing ask; "No" keeps the program running.
    selectRecord(4);
    clickItem(kSideGroup, 0);
    EXPECT_TRUE(editor()->isModified());
    dialogs.expectSaveChoice(SaveChoice::Cancel);
    EXPECT_FALSE(editor()->close());
    EXPECT_EQ(dialogs.last().text, "1 change not saved. Save the change to recompiled.dat before quitting?");
    EXPECT_TRUE(editor()->isVisible());
    EXPECT_EQ(quitRequests, 0);
    dialogs.expectSaveChoice(SaveChoice::Discard);
    EXPECT_TRUE(editor()->close());
    runToTheEnd();

    // The profile open added nothing to the recent list; the folder is as it was.
    SettingsStore stored(settings);
    EXPECT_EQ(stored.readString("settings", "startdir", ""), folder.string());
    EXPECT_EQ(stored.readList("Form2.MRUList", "H", 4), std::vector<std::string>{source});
    EXPECT_EQ(readBytes(source), LandmarkFileBuilder().addMany(12).recordSize(80).bytes())
        << "the file that was read is never written";
}

TEST_F(EndToEndTest, RecentFilesOutliveTheRunAndReopenTheirFiles) {
    const std::string master = LandmarkFileBuilder().addMany(5).writeTo(folder / "LNDMRKS3.MLF");
    start();
    dialogs.expectOpenFile(QString::fromStdString(source));
    command(kOpenLandmarkAction);
    dialogs.expectOpenFile(QString::fromStdString(master));
    command(kOpenMasterAction);
    EXPECT_EQ(labelText(kRegionLine), "Landmarks of the Alsace Region");
    // A closing without edits asks nothing.
    EXPECT_TRUE(editor()->close());
    runToTheEnd();
    EXPECT_EQ(SettingsStore(settings).readList("Form2.MRUList", "H", 4),
              (std::vector<std::string>{master, source}));

    // The next run offers both entries after "Landmark"; the second one reopens its file.
    start();
    QStringList captions;
    for (QAction* action : control<QMenu>(kOpenMenu)->actions())
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(captions,
              (QStringList{"&Master", "&Profile", "&Landmark", "-", "&1 " + QString::fromStdString(master),
                           "&2 " + QString::fromStdString(source)}));
    chooseRecentEntry(1);
    EXPECT_EQ(set().recordCount(), 12);
    EXPECT_EQ(labelText(kRegionLine), "Landmarks of the Flanders Region");
    EXPECT_TRUE(control<QLineEdit>(kRecordNumberBox)->isEnabled());

    // An entry whose file has gone offers its removal; "No" keeps it where it is.
    std::filesystem::remove(master);
    dialogs.expectQuestion(false);
    chooseRecentEntry(1);
    EXPECT_EQ(dialogs.last().text,
              QString::fromStdString(master) + " is no longer there. Remove it from the recent files?");
    EXPECT_TRUE(editor()->close());
    runToTheEnd();
    EXPECT_EQ(SettingsStore(settings).readList("Form2.MRUList", "H", 4),
              (std::vector<std::string>{source, master}));
    EXPECT_EQ(SettingsStore(settings).readString("settings", "startdir", ""), folder.string());
}

TEST_F(EndToEndTest, ChangeFolderOpensTheChooserInTheLandmarksFolder) {
    start();
    const QString before = startup->context().landmarksFolder;
    ASSERT_FALSE(before.isEmpty());
    ASSERT_NE(before, QDir::currentPath());
    const QString chosen = QString::fromStdString((dir.path() / "Elsewhere").string());
    dialogs.expectChooseFolder(chosen);
    command(kChangeFolderAction);
    EXPECT_EQ(dialogs.last().text, before);
    EXPECT_EQ(startup->context().landmarksFolder, chosen);

    dialogs.expectChooseFolder(std::nullopt);
    command(kChangeFolderAction);
    EXPECT_EQ(dialogs.asked()[1].text, chosen) << "starts in the new landmarks folder";
    EXPECT_TRUE(dialogs.messages().isEmpty()) << "a cancel changes nothing and says nothing";
    EXPECT_EQ(startup->context().landmarksFolder, chosen);

    dialogs.expectOpenFile(std::nullopt);
    command(kOpenLandmarkAction);
    EXPECT_EQ(dialogs.last().request.initialFolder, chosen);
    EXPECT_TRUE(editor()->close());
    runToTheEnd();
    EXPECT_EQ(SettingsStore(settings).readString("settings", "startdir", ""), chosen.toStdString());
}

} // namespace
} // namespace korvland
