#include "support_gui/named.h"
#include "tables_fixture.h"

#include "ui/map/marker_items.h"
#include "ui/start/folder_chooser.h"
#include "ui/start/welcome_window.h"

#include <QAccessible>
#include <QApplication>
#include <QGraphicsView>
#include <QUndoStack>

namespace korvland::testing {
namespace {
using namespace editor_names;

// What a user can act on; its children are covered by its own name (a combo box's list).
bool isInteractive(QAccessible::Role role) {
    using R = QAccessible;
    static const QList<QAccessible::Role> roles{
        R::PushButton, R::CheckBox, R::RadioButton, R::ComboBox,       R::EditableText,
        R::SpinBox,    R::Slider,   R::List,        R::ListItem,       R::Table,
        R::Cell,       R::MenuItem, R::ButtonMenu,  R::ButtonDropDown, R::PageTab};
    return roles.contains(role);
}

// The accessible objects under `node` that a user can act on and that have neither name nor description.
void collectUnnamed(QAccessibleInterface* node, const QString& path, QStringList& unnamed, int depth = 0) {
    const QString here = path + QLatin1Char('/') +
                         (node->object() ? node->object()->objectName() : QString()) +
                         QStringLiteral("[%1]").arg(node->role());
    if (isInteractive(node->role()) && node->text(QAccessible::Name).isEmpty() &&
        node->text(QAccessible::Description).isEmpty())
        unnamed << here;
    if (node->role() == QAccessible::ComboBox || depth > 12)
        return;
    for (int i = 0; i < node->childCount(); ++i)
        if (QAccessibleInterface* child = node->child(i))
            collectUnnamed(child, here, unnamed, depth + 1);
}

class AccessibilityTest : public TablesTest {
  protected:
    // Five landmarks in a cross (centre, east, west, north, south) and one off to the north-east.
    void openCross() {
        open(LandmarkFileBuilder()
                 .add(makeRecord(1000, 7, 0, 1, "Arras", 49.0f, 3.5f))
                 .add(makeRecord(1001, 8, 0, 0, "Bapaume", 49.0f, 3.6f))
                 .add(makeRecord(1002, 3, 0x20, 1, "Albert", 49.0f, 3.4f))
                 .add(makeRecord(1003, 0, 0, 0, "Douai", 49.1f, 3.5f))
                 .add(makeRecord(1004, 6, 0xAC, 1, "Peronne", 48.9f, 3.5f))
                 .add(makeRecord(1005, 4, 0, 0, "Cambrai", 49.09f, 3.55f)));
    }
    void showMapAndTables() {
        editorAction(kMapAction)->trigger();
        editorAction(kDataAction)->trigger();
        QTest::mouseClick(tableButton(), Qt::LeftButton);
        QApplication::processEvents();
    }
    QAccessibleInterface* mapItems() const { return QAccessible::queryAccessibleInterface(map->view()); }
    QAccessibleInterface* statusItems() const { return QAccessible::queryAccessibleInterface(list()); }
};

TEST_F(AccessibilityTest, EveryInteractiveObjectOfEveryWindowHasAName) {
    openCross();
    showMapAndTables();
    WelcomeWindow welcome(context);
    FolderChooser chooser(dialogs, nullptr, context.landmarksFolder);
    for (QWidget* window : std::initializer_list<QWidget*>{editor.get(), map.get(), ownership.get(),
                                                           status.get(), splash.get(), &welcome, &chooser}) {
        QStringList unnamed;
        collectUnnamed(QAccessible::queryAccessibleInterface(window), window->objectName(), unnamed);
        EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(QLatin1Char('\n')).toStdString();
    }
}

TEST_F(AccessibilityTest, MapMarkersAreItemsThatFollowTheDocument) {
    openCross();
    showMapAndTables();
    QAccessibleInterface* items = mapItems();
    ASSERT_EQ(items->role(), QAccessible::List);
    ASSERT_EQ(items->childCount(), set.recordCount());
    document.setSelection({1, 3});
    document.select(3, LandmarkDocument::SelectionUpdate::Keep);
    for (int i = 0; i < set.recordCount(); ++i) {
        SCOPED_TRACE(i);
        QAccessibleInterface* marker = items->child(i);
        EXPECT_EQ(items->indexOfChild(marker), i);
        EXPECT_EQ(marker->text(QAccessible::Name), markerHint(set.record(static_cast<std::size_t>(i))));
        EXPECT_EQ(marker->state().selected, i == 1 || i == 3);
        EXPECT_EQ(marker->state().focused, i == 3);
        EXPECT_EQ(marker->state().checked, i != 4) << "record 4 is switched off by its type";
        EXPECT_EQ(marker->text(QAccessible::Description).isEmpty(), i != 4);
    }
    EXPECT_EQ(items->child(0)->text(QAccessible::Name), QStringLiteral("Allied Town: Arras"));
    // An assistive technology's press selects the record as a click does.
    items->child(2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(document.currentIndex(), 2);
    EXPECT_EQ(document.selectedIndices(), QList<int>{2});
}

TEST_F(AccessibilityTest, ArrowKeysMoveToTheNearestMarkerThatWayAndEscapeClearsTheSelection) {
    openCross();
    showMapAndTables();
    const struct {
        int from;
        Qt::Key key;
        int to;
    } steps[] = {{0, Qt::Key_Right, 1}, {0, Qt::Key_Left, 2},  {0, Qt::Key_Up, 3}, {0, Qt::Key_Down, 4},
                 {2, Qt::Key_Right, 0}, {1, Qt::Key_Right, 1}, {4, Qt::Key_Up, 0}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.from * 100 + step.key);
        document.select(step.from);
        QTest::keyClick(map->view(), step.key);
        EXPECT_EQ(document.currentIndex(), step.to);
    }
    for (QWidget* window : std::initializer_list<QWidget*>{map->view(), list(), ownership.get()}) {
        document.setSelection({0, 2});
        QTest::keyClick(window, Qt::Key_Escape);
        EXPECT_TRUE(document.selectedIndices().isEmpty()) << window->objectName().toStdString();
    }
}

TEST_F(AccessibilityTest, StatusRowsSayKindSideAndState) {
    openCross();
    showMapAndTables();
    QAccessibleInterface* rows = statusItems();
    ASSERT_EQ(rows->childCount(), set.recordCount());
    EXPECT_EQ(rows->child(0)->text(QAccessible::Name), QStringLiteral("Arras"));
    EXPECT_EQ(rows->child(0)->text(QAccessible::Description), QStringLiteral("Town, Allied, switched on"));
    EXPECT_EQ(rows->child(4)->text(QAccessible::Description),
              QStringLiteral("Unknown, Allied, switched off"));
    EXPECT_EQ(rows->child(3)->text(QAccessible::Description),
              QStringLiteral("Airfield, German, switched on"));
    EXPECT_TRUE(rows->child(4)->state().checkable);
    EXPECT_FALSE(rows->child(4)->state().checked);
}

// A toggle by an assistive technology changes the landmark as a click does: one undo step,
// undone in one.
TEST_F(AccessibilityTest, AccessibleTogglesSwitchTheLandmarkInOneUndoStep) {
    openCross();
    showMapAndTables();
    const struct {
        const char* what;
        std::function<QAccessibleInterface*()> target;
    } toggles[] = {
        {"status row", [this] { return statusItems()->child(1); }},
        {"map marker", [this] { return mapItems()->child(1); }},
        {"editor's No",
         [this] {
             document.select(1);
             return QAccessible::queryAccessibleInterface(editorControl<RadioGroup>(kActiveGroup)->button(1));
         }},
    };
    for (const auto& toggle : toggles) {
        SCOPED_TRACE(toggle.what);
        ASSERT_TRUE(document.isActive(1));
        const int steps = document.undoStack()->index();
        toggle.target()->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        EXPECT_FALSE(document.isActive(1));
        EXPECT_EQ(document.undoStack()->index(), steps + 1);
        document.select(1);
        EXPECT_EQ(activeItem(), 1) << "the editor shows the switch";
        document.undoStack()->undo();
        EXPECT_TRUE(document.isActive(1));
        EXPECT_EQ(activeItem(), 0);
    }
}

TEST_F(AccessibilityTest, OwnershipCountsAreATableWithHeaderCells) {
    openCross();
    showMapAndTables();
    QAccessibleInterface* grid =
        QAccessible::queryAccessibleInterface(named<QWidget>(ownership, ownership_names::kGrid));
    QAccessibleTableInterface* table = grid->tableInterface();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), 2);
    EXPECT_EQ(table->columnCount(), 9);
    EXPECT_EQ(table->columnDescription(6), QStringLiteral("Towns"));
    EXPECT_EQ(table->rowDescription(1), QStringLiteral("German"));
    QAccessibleInterface* towns = table->cellAt(0, 6);
    EXPECT_EQ(towns->role(), QAccessible::Cell);
    EXPECT_EQ(towns->text(QAccessible::Name), QStringLiteral("1"));
    EXPECT_EQ(towns->text(QAccessible::Description), QStringLiteral("Select the Allied town"));
    QAccessibleTableCellInterface* cell = towns->tableCellInterface();
    EXPECT_EQ(cell->columnHeaderCells().value(0)->text(QAccessible::Name), QStringLiteral("Towns"));
    EXPECT_EQ(cell->rowHeaderCells().value(0)->text(QAccessible::Name), QStringLiteral("Allied"));
    towns->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(document.selectedIndices(), QList<int>{0});
}

} // namespace
} // namespace korvland::testing
