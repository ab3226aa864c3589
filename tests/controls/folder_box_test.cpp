#include "controls/dir_list_box.h"
#include "controls/file_list_box.h"
#include "file_tree.h"
#include "form_fixture.h"

#include <QDir>
#include <QTest>

namespace {

using FolderBox = FormFixture;

// The lines of the folder box from the line of `top` on, each as its indent below that line
// ("." a step) and its name; the current line is marked "*".
QString linesFrom(const DirListBox& box, const QString& top)
{
    QStringList lines;
    const int topDepth = int(top.count(u'/'));
    int depth = -1;
    for (int row = 0; row < box.count(); ++row) {
        const QString folder = box.folderAt(row);
        if (folder == top)
            depth = 0;
        if (depth < 0)
            continue;
        const int level = row < box.count() - box.ListCount()
                              ? int(folder.count(u'/')) - topDepth
                              : int(box.Path().count(u'/')) - topDepth + 1;
        lines << QString(level, u'.') + box.item(row)->text() +
                     (row == box.currentRow() ? "*" : "");
    }
    return lines.join(u' ');
}

QStringList files(const FileListBox& box)
{
    QStringList names;
    for (int i = 0; i < box.ListCount(); ++i)
        names << box.List(i);
    return names;
}

int rowOf(const DirListBox& box, const QString& folder)
{
    for (int row = 0; row < box.count(); ++row)
        if (box.folderAt(row) == folder)
            return row;
    return -1;
}

}  // namespace

// One user's walk through the folder box, a step a row: a double-click on a shown folder's line
// (up or down the chain, or a subfolder), optionally after a folder was removed. After each
// step: the folder the box is in, the lines it shows from the top folder on, and what the file
// box lists (it follows through Dir1_Change).
TEST_F(FolderBox, ChainNavigationAndFileBoxFollowing)
{
    load();
    FileTree tree;
    tree.add(
        {"t.mpg", "notes.txt", "A/a.mpg", "A/deep/er/e.dat", "A/deep/d.avi", "B/b.MPG", "A/zz/"});
    DirListBox& box = *form1->Dir1;
    const QString top = QDir::cleanPath(tree.path("."));
    ASSERT_TRUE(box.setPath(top));
    const struct {
        const char* removeFirst;  // nullptr: nothing removed
        const char* clicked;  // the line double-clicked, relative to the top folder
        const char* in;
        QString lines;
        QStringList files;
    } steps[] = {
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
    for (const auto& step : steps) {
        SCOPED_TRACE(step.clicked);
        if (step.removeFirst) {
            ASSERT_TRUE(QDir(tree.path(step.removeFirst)).removeRecursively());
        }
        const int row = rowOf(box, QDir::cleanPath(tree.path(step.clicked)));
        ASSERT_GE(row, 0);
        box.enter(row);
        EXPECT_EQ(box.Path(), QDir::cleanPath(tree.path(step.in)));
        QString lines = linesFrom(box, top);
        EXPECT_EQ(lines.replace(QDir(top).dirName(), "t"), step.lines);
        EXPECT_EQ(form1->File1->Path(), box.Path());
        EXPECT_EQ(files(*form1->File1), step.files);
    }
}

// The root: one open line and its subfolders; a real double-click on a subfolder's line enters it.
TEST_F(FolderBox, RootAndARealDoubleClick)
{
    load();
    DirListBox& box = *form1->Dir1;
    ASSERT_TRUE(box.setPath("/"));
    EXPECT_EQ(box.item(0)->text(), "/");
    EXPECT_EQ(box.currentRow(), 0);
    EXPECT_EQ(box.count(), 1 + box.ListCount());
    EXPECT_EQ(form1->File1->Path(), "/");
    const int tmp = rowOf(box, "/tmp");
    ASSERT_GT(tmp, 0);
    form1->show();
    box.scrollToItem(box.item(tmp));
    const QPoint at = box.visualItemRect(box.item(tmp)).center();
    QTest::mouseClick(box.viewport(), Qt::LeftButton, {}, at);  // a double click's first press
    QTest::mouseDClick(box.viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(box.Path(), "/tmp");
    EXPECT_EQ(form1->File1->Path(), "/tmp");
}
