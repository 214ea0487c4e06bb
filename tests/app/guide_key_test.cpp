#include "support_gui/test_windows.h"
#include "ui/common/guide_link.h"

#include <QApplication>
#include <QDesktopServices>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

namespace korvland::testing {
namespace {

// Takes the URLs the program asks the desktop to open, instead of the browser.
class UrlCatcher : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> opened;
    Q_INVOKABLE void open(const QUrl& url) { opened << url; }
};

class GuideKeyTest : public WindowsTest<> {
  protected:
    void SetUp() override {
        createWindows();
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    }
    void TearDown() override {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        WindowsTest::TearDown();
    }
    UrlCatcher catcher;
};

TEST_F(GuideKeyTest, F1InEachWindowOpensThePageAboutIt) {
    const std::pair<QWidget*, const char*> windowPages[] = {{editor.get(), guide_pages::kStart},
                                                            {map.get(), guide_pages::kMap},
                                                            {ownership.get(), guide_pages::kTables},
                                                            {status.get(), guide_pages::kTables}};
    for (const auto& [window, page] : windowPages) {
        SCOPED_TRACE(page);
        window->show();
        QApplication::setActiveWindow(window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        catcher.opened.clear();
        QTest::keyClick(window, Qt::Key_F1);
        ASSERT_EQ(catcher.opened.size(), 1);
        EXPECT_EQ(catcher.opened.front(), guidePage(QLatin1String(page)));
        EXPECT_TRUE(catcher.opened.front().toLocalFile().endsWith(QLatin1String("/guide/") + page));
        window->hide();
    }
}

} // namespace
} // namespace korvland::testing

#include "guide_key_test.moc"
