#include "editor_commands_harness.h"
#include "support_gui/named.h"
#include "support_gui/render_keep.h"

#include <QDialog>
#include <QFontMetrics>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>

namespace korvland::testing {
namespace {

TEST_F(EditorCommandsTest, OpenMenuShowsEveryEntryUnclipped) {
    store.writeString("Form2.MRUList", "H0", "/srv/korv/landmarks/lndmrks1.dat");
    store.writeString("Form2.MRUList", "H1", "/srv/korv/masters/LNDMRKS3.MLF");
    create();
    editor->show();
    keep(editor->grab(), "editor_start.png"); // the commands of a loaded set are greyed out
    openLandmark(landmarkFile("lndmrks2.dat"));

    QMenuBar* bar = editor->menuBar();
    auto* open = named<QMenu>(editor, editor_names::kOpenMenu);
    bar->setActiveAction(open->menuAction());
    const QRect at = bar->actionGeometry(open->menuAction());
    open->popup(bar->mapToGlobal(at.bottomLeft()));
    ASSERT_TRUE(open->isVisible());

    // Every caption fits the menu's width.
    const QFontMetrics metrics(open->font());
    for (QAction* a : open->actions()) {
        if (!a->isSeparator()) {
            EXPECT_LT(metrics.horizontalAdvance(a->text()), open->width()) << a->text().toStdString();
        }
    }

    QPixmap canvas = editor->grab();
    {
        QPainter painter(&canvas);
        painter.drawPixmap(bar->mapTo(editor.get(), at.bottomLeft()), open->grab());
    }
    EXPECT_FALSE(canvas.isNull());
    keep(canvas, "editor_open_menu.png");
    open->hide();
}

TEST_F(EditorCommandsTest, AboutBoxFitsItsTexts) {
    create();
    QPixmap picture;
    QSize hint;
    QSize size;
    dialogs.expectExec(QDialog::Accepted, [&](QDialog& d) {
        d.show();
        hint = d.sizeHint();
        size = d.size();
        picture = d.grab();
        d.hide();
    });
    trigger(editor_names::kAboutAction);
    EXPECT_GE(size.width(), hint.width());
    EXPECT_GE(size.height(), hint.height());
    EXPECT_FALSE(picture.isNull());
    keep(picture, "editor_about.png");
}

} // namespace
} // namespace korvland::testing
