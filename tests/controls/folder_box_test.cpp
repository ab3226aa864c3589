// Checks: dir_list_box.cpp, file_list_box.cpp, folder_listing.cpp (src/controls); form1_wiring.cpp
// (src/app).
#include "file_tree.h"
#include "form_fixture.h"

namespace {

using FolderBox = StartedForm;

int rowOf(const DirListBox& box, const QString& folder)
{
    for (int row = 0; row < box.count(); ++row)
        if (box.folderAt(row) == folder)
            return row;
    return -1;
}

}  // namespace

// One user's walk through the folder box, a step a row: a double click on a shown folder's line
// (up or down the chain, or a subfolder), optionally after a folder was removed. After each
// step: the folder the box is in, the lines it shows from the top folder on, and what the file
// box lists (it follows through Dir1_Change).
TEST_F(FolderBox, ChainNavigationAndFileBoxFollowing)
{
    FileTree tree;
    tree.add(
        {"t.mpg", "notes.txt", "A/a.mpg", "A/deep/er/e.dat", "A/deep/d.avi", "B/b.MPG", "A/zz/"});
    DirListBox& box = *form1->Dir1;
    const QString top = QDir::cleanPath(tree.path("."));
    ASSERT_TRUE(box.setPath(top));
    form1->show();
    // The folder removed first (nullptr: none), the line double-clicked (relative to the top
    // folder); then the folder the box is in, its lines, the files the file box lists.
    const std::tuple<const char*, const char*, const char*, QString, QStringList> steps[] = {
        {nullptr, "A", "A", "t .A* ..deep ..zz", {"a.mpg"}},
        {nullptr, "A/deep", "A/deep", "t .A ..deep* ...er", {"d.avi"}},
        {nullptr, "A/deep/er", "A/deep/er", "t .A ..deep ...er*", {"e.dat"}},
        {nullptr, ".", ".", "t* .A .B", {"t.mpg"}},  // up three at once
        {nullptr, "B", "B", "t .B*", {"b.MPG"}},
        {nullptr, ".", ".", "t* .A .B", {"t.mpg"}},
        {"A/deep/er", "A", "A", "t .A* ..deep ..zz", {"a.mpg"}},
        // Removed while shown: the box goes to the nearest folder above that is still there.
        {"A/deep", "A/deep", "A", "t .A* ..zz", {"a.mpg"}},
        {"A/zz", "A", "A", "t .A*", {"a.mpg"}},
        {"A", "A", ".", "t* .B", {"t.mpg"}},
    };
    for (const auto& [removeFirst, clicked, in, lines, files] : steps) {
        SCOPED_TRACE(clicked);
        if (removeFirst) {
            ASSERT_TRUE(QDir(tree.path(removeFirst)).removeRecursively());
        }
        const int row = rowOf(box, QDir::cleanPath(tree.path(clicked)));
        ASSERT_GE(row, 0);
        const QPoint at = box.visualItemRect(box.item(row)).center();
        QTest::mouseClick(box.viewport(), Qt::LeftButton, {}, at);  // a double click's first press
        QTest::mouseDClick(box.viewport(), Qt::LeftButton, {}, at);
        // The box's lines from the top folder's on, each as its indent below that line ("." a
        // step) and its name; the current line is marked "*".
        QStringList shown;
        for (int r = std::max(rowOf(box, top), 0); r < box.count(); ++r) {
            const int level = r < box.count() - box.ListCount()
                                  ? int(box.folderAt(r).count(u'/')) - int(top.count(u'/'))
                                  : int(box.Path().count(u'/')) - int(top.count(u'/')) + 1;
            shown << QString(level, u'.') + box.item(r)->text() +
                         (r == box.currentRow() ? "*" : "");
        }
        EXPECT_EQ(std::tuple(box.Path(), shown.join(u' ').replace(QDir(top).dirName(), "t"),
                      form1->File1->Path(), items(form1->File1)),
            std::tuple(QDir::cleanPath(tree.path(in)), lines, box.Path(), files));
    }
}
