#include "support/build_paths.h"
#include "support/fixture_builder.h"
#include "support_gui/named.h"
#include "support_gui/render_keep.h"
#include "support_gui/test_windows.h"
#include "ui/common/record_format.h"
#include "ui/editor/path_label.h"
#include "ui/start/folder_chooser.h"
#include "ui/start/translations.h"
#include "ui/start/welcome_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTranslator>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <optional>

namespace korvland::testing {
namespace {
using namespace editor_names;

const QString kBuildTranslations = QString::fromUtf8(korvland::testing::build::translationsDir);

struct Message {
    QString translation; // the first form of a text that counts
    QStringList forms;   // every form: one, or one per plural form
    bool finished = false;
};
// (context, source) -> translation
using MessageTable = QMap<QPair<QString, QString>, Message>;

MessageTable readTranslationFile(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    MessageTable table;
    QXmlStreamReader xml(&file);
    QString context, source;
    Message message;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"source") {
            source = xml.readElementText();
        } else if (xml.name() == u"translation") {
            message.finished = xml.attributes().value(QStringLiteral("type")).isEmpty();
            message.forms.clear();
            // A text that counts holds a form per plural, each a child element.
            while (xml.readNext() != QXmlStreamReader::EndElement || xml.name() != u"translation") {
                if (xml.isCharacters() && message.forms.isEmpty())
                    message.translation += xml.text();
                if (xml.isStartElement())
                    message.forms << xml.readElementText();
            }
            if (message.forms.isEmpty())
                message.forms << message.translation;
            message.translation = message.forms.first();
            table.insert({context, source}, message);
            message = {};
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return table;
}

// The %1, %2 ... of a text, and how many Alt letters ("&" not doubled) it marks.
QStringList placeholders(const QString& text) {
    QStringList found;
    for (const QRegularExpressionMatch& m : QRegularExpression(QStringLiteral("%\\d+")).globalMatch(text))
        found << m.captured();
    found.sort();
    return found;
}
qsizetype altLetters(const QString& text) {
    return text.count(QLatin1Char('&')) - 2 * text.count(QStringLiteral("&&"));
}

// The .ts files hold every text of the sources, each translated, none left over; a translation
// keeps the placeholders its text fills in and marks an Alt letter where the text does.
TEST(TranslationFiles, HoldEveryTextOfTheSourcesTranslatedWithItsPlaceholdersAndAltLetter) {
    const TempDir dir;
    const QString fresh = QString::fromStdString(dir.file("fresh_de.ts"));
    QStringList arguments{QStringLiteral("-silent")};
    arguments << QString::fromUtf8(korvland::testing::build::lupdateOptions).split(QLatin1Char('\n'));
    arguments << QString::fromUtf8(korvland::testing::build::sourceDir) + QStringLiteral("/src")
              << QStringLiteral("-ts") << fresh;
    QProcess lupdate;
    lupdate.start(QString::fromUtf8(korvland::testing::build::lupdateProgram), arguments);
    ASSERT_TRUE(lupdate.waitForFinished(60000));
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();

    const MessageTable sources = readTranslationFile(fresh);
    const MessageTable german = readTranslationFile(QString::fromUtf8(korvland::testing::build::sourceDir) +
                                                    QStringLiteral("/translations/korvland_de.ts"));
    EXPECT_GT(sources.size(), 100);
    for (auto it = sources.begin(); it != sources.end(); ++it) {
        const std::string where = (it.key().first + QStringLiteral(": ") + it.key().second).toStdString();
        const auto found = german.find(it.key());
        if (found == german.end()) {
            ADD_FAILURE() << "not in korvland_de.ts (build update_translations): " << where;
            continue;
        }
        EXPECT_TRUE(found->finished && !found->translation.isEmpty()) << "untranslated: " << where;
        for (const QString& form : found->forms) {
            EXPECT_EQ(placeholders(form), placeholders(it.key().second)) << where;
            EXPECT_EQ(altLetters(form), altLetters(it.key().second)) << where;
        }
    }
    for (auto it = german.begin(); it != german.end(); ++it)
        EXPECT_TRUE(sources.contains(it.key()))
            << "no longer in the sources: "
            << (it.key().first + QStringLiteral(": ") + it.key().second).toStdString();
}

// Installs the German translations for as long as it lives.
class GermanTexts {
  public:
    GermanTexts()
        : installed(installTranslations(*QCoreApplication::instance(),
                                        QLocale(QLocale::German, QLocale::Germany), {kBuildTranslations})) {}
    ~GermanTexts() {
        for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
    GermanTexts(const GermanTexts&) = delete;
    GermanTexts& operator=(const GermanTexts&) = delete;

    const QStringList installed;
};

TEST(Translations, ForGermanInstallQtsOwnAndTheProgramsAndForOtherLanguagesNone) {
    {
        const GermanTexts german;
        EXPECT_EQ(german.installed.size(), 2) << german.installed.join(QLatin1Char(' ')).toStdString();
        QDialogButtonBox box(QDialogButtonBox::Cancel);
        EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Abbrechen"));
    }
    // Other languages get the English plural forms alone.
    for (const QLocale& locale : {QLocale(QLocale::C), QLocale(QLocale::Swahili, QLocale::Kenya)}) {
        const QStringList korvland =
            installTranslations(*QCoreApplication::instance(), locale, {kBuildTranslations})
                .filter(QStringLiteral("korvland"));
        EXPECT_EQ(korvland.size(), 1) << locale.name().toStdString();
        EXPECT_TRUE(korvland.value(0).endsWith(QStringLiteral("korvland_en.qm")))
            << locale.name().toStdString();
    }
}

// Every text a window shows: captions, labels, buttons, menu commands, lists' choices, headers
// and hints; texts without a letter are left out.
QStringList shownTexts(QWidget& window) {
    QStringList texts{window.windowTitle(), window.toolTip()};
    for (QWidget* w : window.findChildren<QWidget*>()) {
        texts << w->toolTip() << w->windowTitle();
        if (auto* label = qobject_cast<QLabel*>(w))
            texts << label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            texts << button->text();
        else if (auto* group = qobject_cast<QGroupBox*>(w))
            texts << group->title();
        else if (auto* combo = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        else if (auto* header = qobject_cast<QHeaderView*>(w); header && header->model())
            for (int i = 0; i < header->count(); ++i)
                texts << header->model()->headerData(i, header->orientation()).toString();
    }
    for (QAction* action : window.findChildren<QAction*>())
        texts << action->text() << action->statusTip();
    texts.removeIf([](const QString& text) {
        return std::none_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
    });
    return texts;
}

// The windows as they are after a file was opened, their texts in the language installed.
struct WindowTexts : TestWindows {
    WindowTexts() {
        createWindows();
        LandmarkFileBuilder file;
        file.addMany(4);
        dialogs.expectOpenFile(QString::fromStdString(file.writeTo(dir.path() / "lndmrks1.dat")));
        named<QAction>(editor, kOpenLandmarkAction)->trigger();
        WelcomeWindow welcome(context);
        FolderChooser chooser(dialogs, nullptr, context.landmarksFolder);
        QWidget* const shown[] = {editor.get(), map.get(), ownership.get(), status.get(),
                                  splash.get(), &welcome,  &chooser};
        for (QWidget* window : shown)
            texts << shownTexts(*window);
        const QString folder = QString::fromStdString(dir.path().string());
        texts.removeIf([&](const QString& text) { return text.contains(folder); });
    }
    QStringList texts;
};

// A text a window shows in English and again in German is one that does not pass through the
// translation, unless German writes it the same ("Status", "Filter").
TEST(Translations, EveryTextTheWindowsShowIsGermanUnderTheGermanTranslation) {
    const QStringList english = WindowTexts().texts;
    const MessageTable table = readTranslationFile(QString::fromUtf8(korvland::testing::build::sourceDir) +
                                                   QStringLiteral("/translations/korvland_de.ts"));
    // The product's name, and the caption of the splash window, which has no frame to show it.
    QSet<QString> sameInGerman{QStringLiteral("KORV TLQ Landmarks Editor V3.2"),
                               QStringLiteral("Fancy Splash Screen")};
    for (auto it = table.begin(); it != table.end(); ++it)
        if (it->translation == it.key().second)
            sameInGerman << it.key().second;
    const GermanTexts german;
    const QStringList translated = WindowTexts().texts;
    ASSERT_EQ(translated.size(), english.size());
    QStringList untranslated;
    for (qsizetype i = 0; i < english.size(); ++i)
        if (translated[i] == english[i] && !sameInGerman.contains(english[i]) &&
            !untranslated.contains(english[i]))
            untranslated << english[i];
    EXPECT_TRUE(untranslated.isEmpty()) << untranslated.join(QStringLiteral(" | ")).toStdString();
}

// The read-only number boxes show the same digits in every language, with its own separator.
TEST(Translations, NumberBoxesShowTheSameDigitsInEveryLanguage) {
    const struct {
        const char* box;
        const char* english;
        const char* german;
    } boxes[] = {{kNorthSouthBox, "47.62600", "47,62600"},
                 {kEastWestBox, "10.00000", "10,00000"},
                 {kElevationBox, "123456.78900", "123456,78900"},
                 {kRotationBox, "-0.25000", "-0,25000"}};
    const QLocale before;
    for (const bool inGerman : {false, true}) {
        SCOPED_TRACE(inGerman ? "German" : "English");
        std::optional<GermanTexts> german;
        if (inGerman)
            german.emplace();
        QLocale::setDefault(inGerman ? QLocale(QLocale::German, QLocale::Germany) : QLocale::c());
        TestWindows w;
        w.createWindows();
        LandmarkRecord record = makeRecord(1, 0x01, 0x02, 0, "Reims", 47.626f, 10.0f);
        record.elevation = 123456.789f;
        record.rotation = -0.25f;
        LandmarkFileBuilder file;
        file.add(record);
        w.document.read(QString::fromStdString(file.writeTo(w.dir.path() / "lndmrks0.dat")));
        w.editor->show();
        for (const auto& b : boxes)
            EXPECT_EQ(named<QLineEdit>(w.editor, b.box)->text(), inGerman ? b.german : b.english) << b.box;
        keep(w.editor->grab(), inGerman ? "numbers_de.png" : "numbers_en.png");
    }
    QLocale::setDefault(before);
}

// Every menu of every window gives each command an Alt letter of its own, in both languages:
// a letter two commands share only moves the highlight.
TEST(Translations, NoMenuGivesTwoCommandsTheSameAltLetterInEitherLanguage) {
    for (const bool inGerman : {false, true}) {
        SCOPED_TRACE(inGerman ? "German" : "English");
        std::optional<GermanTexts> german;
        if (inGerman)
            german.emplace();
        TestWindows w;
        w.createWindows();
        for (QWidget* window : std::initializer_list<QWidget*>{w.editor.get(), w.map.get(), w.ownership.get(),
                                                               w.status.get()}) {
            QList<QWidget*> menus;
            for (QMenuBar* bar : window->findChildren<QMenuBar*>())
                menus << bar;
            for (QMenu* menu : window->findChildren<QMenu*>())
                menus << menu;
            for (QWidget* menu : std::as_const(menus)) {
                QMap<QChar, QString> taken;
                for (QAction* action : menu->actions()) {
                    const QString text = QString(action->text()).replace(QStringLiteral("&&"), QString());
                    const qsizetype at = text.indexOf(QLatin1Char('&'));
                    if (at < 0 || at + 1 >= text.size())
                        continue;
                    const QChar letter = text.at(at + 1).toLower();
                    EXPECT_FALSE(taken.contains(letter))
                        << action->text().toStdString() << " and " << taken.value(letter).toStdString();
                    taken.insert(letter, action->text());
                }
            }
        }
    }
}

// The notices at their widest, in both languages and after saving under a long name: each reads
// from its start, cut (if at all) at its end, with the whole text as the hint, and the notice
// panel stays clear of the selection count and the clock.
TEST(Translations, NoticesReadFromTheirStartAndStayClearOfTheirNeighbours) {
    for (const bool inGerman : {false, true}) {
        SCOPED_TRACE(inGerman ? "German" : "English");
        std::optional<GermanTexts> german;
        if (inGerman)
            german.emplace();
        TestWindows w;
        w.createWindows();
        LandmarkFileBuilder file;
        file.addMany(4);
        w.document.read(QString::fromStdString(file.writeTo(w.dir.path() / "lndmrks1.dat")));
        LandmarkFilter allied;
        allied.side = SideFilter::Allied;
        w.document.setFilter(allied);
        w.document.selectAll();
        w.editor->show();
        const QString longName = QString(90, QLatin1Char('x')) + QStringLiteral(".dat");
        w.dialogs.expectSaveFile(QString::fromStdString(w.dir.file(longName.toStdString())));
        w.editor->saveLandmarkCommand();
        const QString saved = named<QLabel>(w.editor, kNoticePanel)->text();
        ASSERT_TRUE(saved.contains(longName));
        int shownCount = 0;
        for (const QString& notice : {saved, typeSixStaysOffNotice(), typeSixLeftOffNotice(12)}) {
            w.editor->showNotice(notice);
            QCoreApplication::processEvents();
            const std::string picture =
                (inGerman ? "notice_de_" : "notice_en_") + std::to_string(++shownCount) + ".png";
            keep(w.editor->grab(), picture.c_str());
            auto* panel = named<PathLabel>(w.editor, kNoticePanel);
            const QString shown = panel->shownText();
            EXPECT_TRUE(shown == notice ||
                        (shown.endsWith(QChar(0x2026)) && notice.startsWith(shown.chopped(1))))
                << shown.toStdString();
            EXPECT_EQ(panel->toolTip(), notice);
            for (const char* neighbour : {kSelectionPanel, kClockPanel}) {
                auto* other = w.editor->findChild<QLabel*>(QLatin1String(neighbour));
                ASSERT_TRUE(other->isVisible()) << neighbour;
                EXPECT_FALSE(panel->geometry().intersects(other->geometry())) << neighbour;
            }
            EXPECT_LE(panel->geometry().right(), w.editor->statusBar()->width());
        }
    }
}

} // namespace
} // namespace korvland::testing
