#include "support_gui/scripted_dialogs.h"
#include "ui/common/gradient_caption.h"
#include "ui/start/folder_chooser.h"

#include <QImage>
#include <QLayout>
#include <QSet>

#include <gtest/gtest.h>

namespace korvland {
namespace {

TEST(GradientCaption, TheFolderChoosersTopEdgeShowsSixtyFourColourStepsAboveItsControls) {
    testing::ScriptedDialogs dialogs;
    FolderChooser chooser(dialogs, nullptr, QString());
    chooser.resize(640, 320);
    chooser.show();
    const auto* band = chooser.findChild<GradientCaption*>();
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->geometry(), QRect(0, 0, 640, band->height())) << "across the top edge";

    // The first row of pixels lies above the title text.
    const QImage picture = chooser.grab().toImage();
    QSet<QRgb> colours;
    QRgb previous = 0;
    int changes = 0;
    for (int x = 0; x < picture.width(); ++x) {
        const QRgb pixel = picture.pixel(x, 1);
        colours.insert(pixel);
        changes += x > 0 && pixel != previous;
        previous = pixel;
    }
    EXPECT_EQ(colours.size(), GradientCaption::kSteps);
    EXPECT_EQ(changes, GradientCaption::kSteps - 1) << "one band per step, left to right";
    EXPECT_EQ(QColor(picture.pixel(0, 1)), GradientCaption::stepColour(0));
    EXPECT_EQ(QColor(picture.pixel(639, 1)), GradientCaption::stepColour(63));

    // Nothing of the dialog's own is drawn under the band.
    for (const QWidget* child : chooser.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child != band && child->isVisible()) {
            EXPECT_GE(child->y(), band->height()) << child->objectName().toStdString();
        }
    }
}

} // namespace
} // namespace korvland
