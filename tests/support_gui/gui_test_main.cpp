#include "support/build_paths.h"

#include <QApplication>
#include <QTranslator>

#include <gtest/gtest.h>

// GUI tests run the real windows on the offscreen platform, in the C locale whatever the
// developer's: the texts they check are the English ones, also those of the programs they
// start (Qt reads LANGUAGE before the locale, so it is cleared too).
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("LC_ALL", "C");
    qunsetenv("LANGUAGE");
    QApplication app(argc, argv);
    // The English plural forms the program loads where no other language is ("Select the Allied
    // town" for one).
    QTranslator plurals;
    if (plurals.load(QString::fromUtf8(korvland::testing::build::pluralForms)))
        QCoreApplication::installTranslator(&plurals);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
