// Makes the pictures of the operator's guide from the real windows, on the offscreen platform,
// over the demonstration file of the Marne at fixed window sizes and a fixed date.
//
//   korvland-guide-pictures FOLDER    writes every picture into FOLDER
//   korvland-guide-pictures --list    names the pictures, one a line
#include "marked_picture.h"
#include "picture_session.h"

#include "cli/demo_file.h"
#include "data/landmark_kind.h"
#include "document/landmark_document.h"
#include "ui/common/guide_link.h"
#include "ui/editor/editor_window.h"
#include "ui/editor/find_bar.h"
#include "ui/map/map_labels.h"
#include "ui/map/map_window.h"
#include "ui/start/startup.h"
#include "ui/start/translations.h"
#include "ui/start/welcome_window.h"
#include "ui/tables/ownership_window.h"
#include "ui/tables/status_window.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGraphicsView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace korvland::guide {
namespace {

struct Step {
    const char* picture;
    std::function<QImage(Session&)> take;
};

// The records the file compared with has otherwise: it is "yesterday's" file.
const QList<int> kChangedSince{5, 6, 40};

// The editor in German: the windows are made anew after the translation is installed.
QImage germanEditor(const QString& folder, const QString& marne) {
    const QLocale german(QLocale::German, QLocale::Germany);
    QLocale::setDefault(german);
    installTranslations(*qApp, german, {QStringLiteral(KORVLAND_BUILD_TRANSLATIONS)});
    Session session(folder);
    session.welcome().handOver();
    session.open(marne);
    session.fixClock();
    QMenuBar& menus = *session.editor().menuBar();
    QImage image = MarkedPicture(session.editor())
                       .frame(menus)
                       .frame(child(session.editor(), editor_names::kActiveGroup))
                       .image();
    session.requireNoMessage();
    return image;
}

// The steps in order, each going on from where the one before left the windows; the last makes
// the windows anew in German.
std::vector<Step> steps(const QString& folder, const QString& marne, const QString& yesterday) {
    return {
        {"welcome.png",
         [](Session& s) {
             s.welcome().show();
             settle();
             QImage image = MarkedPicture(s.welcome()).frame(*s.welcome().startButton()).image();
             s.welcome().handOver();
             settle();
             return image;
         }},
        {"editor-open.png",
         [marne](Session& s) {
             s.open(marne);
             s.fixClock();
             return MarkedPicture(s.editor()).frame(child(s.editor(), editor_names::kPathLabel)).image();
         }},
        {"editor-record.png",
         [](Session& s) {
             s.editor().setRecordNumber(12);
             s.editor().selectRecord();
             settle();
             return MarkedPicture(s.editor())
                 .frame(child(s.editor(), editor_names::kRecordGroup))
                 .frame(child(s.editor(), editor_names::kNameBox))
                 .cropTo(child(s.editor(), editor_names::kRecordGroup))
                 .image();
         }},
        {"editor-active.png",
         [](Session& s) {
             return MarkedPicture(s.editor())
                 .frame(child(s.editor(), editor_names::kActiveGroup))
                 .cropTo(child(s.editor(), editor_names::kKindLabel))
                 .image();
         }},
        {"editor-side-type.png",
         [](Session& s) {
             return MarkedPicture(s.editor())
                 .frame(child(s.editor(), editor_names::kSideGroup))
                 .frame(child(s.editor(), editor_names::kTypeGroup))
                 .cropTo(child(s.editor(), editor_names::kNameBox))
                 .image();
         }},
        {"editor-find.png",
         [](Session& s) {
             s.editor().showFindBar();
             settle();
             auto& text = child<QLineEdit>(s.editor(), find_bar_names::kText);
             QTest::keyClicks(&text, QStringLiteral("mont"));
             settle();
             s.fixClock();
             QImage image = MarkedPicture(s.editor())
                                .frame(child(s.editor(), find_bar_names::kWindow))
                                .cropTo(child(s.editor(), editor_names::kNameBox))
                                .image();
             QTest::keyClick(&text, Qt::Key_Escape);
             settle();
             return image;
         }},
        {"editor-edit-menu.png",
         [](Session& s) {
             s.document().setSelection({20, 21, 22, 23});
             s.document().switchOffSelection();
             settle();
             QImage image = menuPicture(child<QMenu>(s.editor(), editor_names::kEditMenu), s.editor(),
                                        {QStringLiteral("Undo"), QStringLiteral("SwitchOff")});
             s.document().undoStack()->undo();
             s.document().selectNone();
             settle();
             return image;
         }},
        {"map-selection.png",
         [](Session& s) {
             s.trigger(s.editor(), editor_names::kMapAction);
             const int middle = middleRecord(s.map(), s.document());
             s.document().select(middle);
             s.document().setSelection(around(s.map(), middle, 60));
             settle();
             QRect band;
             for (int index : s.document().selectedIndices())
                 band |= markerOnMap(s.map(), index);
             return MarkedPicture(s.map()).frame(band).cropTo(band.adjusted(-120, -80, 120, 80)).image();
         }},
        {"map-menu.png",
         [](Session& s) {
             return menuPicture(*s.map().popupMenu(), s.map(),
                                {QString::fromLatin1(map_names::kFrontLineAction),
                                 QString::fromLatin1(map_names::kNamesAction),
                                 QString::fromLatin1(map_names::kCompareAction),
                                 QString::fromLatin1(map_names::kBackgroundAction)},
                                true);
         }},
        {"map-front-line.png",
         [](Session& s) {
             s.document().selectNone();
             s.trigger(s.map(), map_names::kFrontLineAction);
             const auto [german, allied] = frontPair(s.map(), s.document());
             s.document().select(german);
             settle();
             const QRect front =
                 (markerOnMap(s.map(), german) | markerOnMap(s.map(), allied)).adjusted(-30, -30, 30, 30);
             QImage image =
                 MarkedPicture(s.map()).frame(front).cropTo(front.adjusted(-160, -110, 160, 110)).image();
             s.trigger(s.map(), map_names::kFrontLineAction);
             return image;
         }},
        {"map-names.png",
         [](Session& s) {
             s.map().setScale(2.0f);
             s.trigger(s.map(), map_names::kNamesAction);
             const int current = s.document().currentIndex();
             QRect named = markerOnMap(s.map(), current);
             for (const MapLabelsItem::Label& label : s.map().content().labels->labels())
                 if (label.record == current)
                     named |= onMap(s.map(), label.rect);
             QImage image =
                 MarkedPicture(s.map()).frame(named).cropTo(named.adjusted(-150, -100, 150, 100)).image();
             s.trigger(s.map(), map_names::kNamesAction);
             s.map().setScale(1.0f);
             settle();
             return image;
         }},
        {"map-compare.png",
         [yesterday](Session& s) {
             s.dialogs.filesToOpen << yesterday;
             s.trigger(s.map(), map_names::kCompareAction);
             settle();
             MarkedPicture picture(s.map());
             picture.frame(child(s.map(), map_names::kComparisonLegend))
                 .cropTo(child(s.map(), map_names::kComparisonLegend));
             for (int index : kChangedSince)
                 if (index != s.document().currentIndex())
                     picture.frame(markerOnMap(s.map(), index).adjusted(-6, -6, 6, 6));
             QImage image = picture.image();
             s.trigger(s.map(), map_names::kStopComparingAction);
             return image;
         }},
        {"ownership.png",
         [](Session& s) {
             s.trigger(s.editor(), editor_names::kDataAction);
             OwnershipWindow& table = *s.windows().ownership;
             return MarkedPicture(table).frame(child(table, ownership_names::kGrid)).image();
         }},
        {"status-filter.png",
         [](Session& s) {
             child<QPushButton>(s.editor(), editor_names::kTableButton).click();
             settle();
             LandmarkFilter filter;
             filter.side = SideFilter::Allied;
             filter.state = StateFilter::On;
             s.document().setFilter(filter);
             settle();
             StatusWindow& table = *s.windows().status;
             QImage image = MarkedPicture(table).frame(child(table, status_names::kFilterRow)).image();
             s.document().clearFilter();
             return image;
         }},
        {"editor-saved.png",
         [](Session& s) {
             s.document().setActive(s.document().currentIndex(), false);
             s.dialogs.saveWhereProposed = true;
             s.trigger(s.editor(), editor_names::kSaveLandmarkAction);
             s.dialogs.saveWhereProposed = false;
             s.fixClock();
             const QWidget& notice = child(s.editor(), editor_names::kNoticePanel);
             return MarkedPicture(s.editor()).frame(notice).cropTo(*s.editor().statusBar()).image();
         }},
        {"about.png",
         [](Session& s) {
             QImage image;
             s.dialogs.whileShown = [&image](QDialog& about) {
                 about.show();
                 settle();
                 // Where the package puts the guide, not where this program found it.
                 auto& guide = child<QLabel>(about, "Guide");
                 guide.setText(
                     guide.text().replace(guideFolder(), QStringLiteral("/usr/share/doc/korvland/guide")));
                 image = MarkedPicture(about).frame(guide).image();
                 about.hide();
             };
             s.trigger(s.editor(), editor_names::kAboutAction);
             s.dialogs.whileShown = nullptr;
             return image;
         }},
        {"editor-german.png", [folder, marne](Session&) { return germanEditor(folder, marne); }},
    };
}

// Yesterday's file: the same landmarks, some of them on the other side then.
void writeYesterday(Session& session, const QString& marne, const QString& yesterday) {
    QFile::copy(marne, yesterday);
    session.document().read(yesterday);
    for (int index : kChangedSince)
        session.document().setSide(index, isAllied(session.document().record(index).side) ? 0 : 1);
    session.document().write(yesterday);
}

int run(const QString& out) {
    QTemporaryDir work;
    const QString marne = work.filePath(QStringLiteral("lndmrks0.dat"));
    const QString yesterday = work.filePath(QStringLiteral("yesterday.dat"));
    const std::vector<std::uint8_t> bytes = cli::demoLandmarkFile(0);
    QFile demo(marne);
    if (!work.isValid() || !demo.open(QIODevice::WriteOnly) ||
        demo.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())) < 0)
        throw std::runtime_error("the demonstration file cannot be written");
    demo.close();
    QDir().mkpath(out);
    const auto keep = [&out](const QImage& image, const char* name) {
        if (image.isNull() || !image.save(out + QLatin1Char('/') + QLatin1String(name)))
            throw std::runtime_error(std::string("cannot write ") + name);
    };
    {
        Session session(work.path());
        writeYesterday(session, marne, yesterday);
        for (const Step& step : steps(work.path(), marne, yesterday))
            keep(step.take(session), step.picture);
        session.requireNoMessage();
    }
    return 0;
}

} // namespace
} // namespace korvland::guide

int main(int argc, char** argv) {
    // The offscreen platform says, for every window, what a window manager would do for it;
    // the build's log keeps the rest.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& message) {
        if (!message.startsWith(QLatin1String("This plugin does not support")))
            std::fprintf(stderr, "%s\n", qPrintable(message));
    });
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("LC_ALL", "C");
    qunsetenv("LANGUAGE");
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fputs("usage: korvland-guide-pictures FOLDER | --list\n", stderr);
        return 2;
    }
    if (arguments[1] == QLatin1String("--list")) {
        for (const auto& step : korvland::guide::steps({}, {}, {}))
            std::printf("%s\n", step.picture);
        return 0;
    }
    korvland::installTranslations(app, QLocale(QLocale::English),
                                  {QStringLiteral(KORVLAND_BUILD_TRANSLATIONS)});
    try {
        return korvland::guide::run(arguments[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "korvland-guide-pictures: %s\n", e.what());
        return 1;
    }
}
