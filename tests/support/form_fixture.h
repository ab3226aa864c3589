#pragma once

#include "app/form1.h"
#include "controls/check_box.h"
#include "controls/dir_list_box.h"
#include "controls/file_list_box.h"
#include "controls/list_box.h"
#include "controls/menu_item.h"
#include "controls/scroll_bar.h"
#include "counting_bell.h"
#include "fake_media_engine.h"
#include "fake_services.h"
#include "mci/mci_channel.h"
#include "mci/mci_interpreter.h"
#include "movie/form2.h"
#include "movie/geometry.h"
#include "platform/native_file_name.h"
#include "playback/playback.h"
#include "playlist/playlist.h"
#include "playlist/playlist_handlers.h"
#include "qt_printers.h"
#include "recording_mci_device.h"
#include "wait.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <type_traits>
#include <sys/stat.h>

// Writes `bytes` to the file at `path`, which anybody may then read and write.
inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size())
        << path.toStdString();
    ::chmod(toNativeFileName(path).constData(), 0666);
}

// The control window (and its movie window) over a media engine (the scripted FakeMediaEngine,
// or the real MpvEngine) behind the real command interpreter (every command string recorded) and
// the fake services; the one fixture of every test of the two windows.
//
//   TEST_F(FormFixture, ...) { load("a.mpg"); EXPECT_EQ(form1->List2->ListCount(), 1); }
template <typename Engine> class FormFixtureOn : public ::testing::Test, protected FakeServices {
protected:
    FormFixtureOn() : form1(std::make_unique<Form1>(over(mci)))
    {
        dialogs.topMostProbe = [this] {
            return form1->hasForm2() && windows.isTopMost(&form1->form2());
        };
    }
    ~FormFixtureOn() override
    {
        dialogs.topMostProbe = nullptr;
        form1.reset();
    }

    // Runs Form_Load with the command line text, as the program does at start.
    void load(const QString& commandLine = {}) { form1->Form_Load(commandLine); }
    Form2& form2() { return form1->form2(); }
    PlaylistHandlers& handlers() { return *form1->playlistHandlers; }
    Playlist& playlist() { return *form1->playlist; }

    // Command strings sent so far / since the last clearSent().
    QStringList sent() const { return device.commands(); }
    void clearSent() { device.clear(); }

    // Empties the playlist, then appends `paths` and selects `selected` (-1: none) as a user
    // would have, the player stopped; what was sent, the engine's log and the boxes start empty.
    void start(const QStringList& paths, int selected = -1)
    {
        form1->reset_all();
        for (const QString& path : paths)
            playlist().append(path);
        playlist().select(selected);
        clearSent();
        engine.clearCalls();
        dialogs.boxes.clear();
    }
    // Makes the player "playing" the way the play button does.
    void startPlaying()
    {
        form1->playback->Command2_Click();
        clearSent();
        engine.clearCalls();
    }

    // Writes the settings file into the program folder (lines joined with CR LF).
    void writeSettings(const QStringList& lines)
    {
        writeFile(programFile(QStringLiteral("reelbox.ini")),
            (lines.join(QStringLiteral("\r\n")) + (lines.isEmpty() ? "" : "\r\n")).toUtf8());
    }
    QString programFile(const QString& name) const { return programDir.filePath(name); }

    // A list box's (or the file box's) rows; names() and paths(): the playlist as List2 and List1 hold it.
    template <typename List> static QStringList items(const List* list)
    {
        QStringList rows;
        for (int i = 0; i < list->ListCount(); ++i)
            rows << list->List(i);
        return rows;
    }
    QStringList names() const { return items(form1->List2); }
    QStringList paths() const { return items(form1->List1); }
    int selected() const { return form1->List2->ListIndex(); }
    QString caption2() const { return form1->Command2->text(); }
    // The files the engine was asked to open, in order.
    QStringList opened() const
    {
        QStringList result;
        for (const QString& call : engine.calls())
            if (call.startsWith(QLatin1String("open ")))
                result << call.section(u' ', 1, -3);
        return result;
    }
    // The message boxes shown, as "text|title" lines, "text|title|line under it" where it has one.
    QString boxes() const
    {
        QStringList shown;
        for (const auto& box : dialogs.boxes)
            shown << box.text + u'|' + box.title +
                         (box.informative.isEmpty() ? QString() : u'|' + box.informative);
        return shown.join(u'\n');
    }
    bool movieTopMost() { return windows.isTopMost(&form2()); }
    // A press of a button, or a choice of a menu item, to run later.
    static std::function<void()> press(QObject* target)
    {
        return [target] {
            if (auto* button = qobject_cast<QAbstractButton*>(target))
                button->click();
            else
                qobject_cast<QAction*>(target)->trigger();
        };
    }
    // Runs `change` with `sender`'s signals blocked: a value set without its handler running.
    static void quietly(QObject* sender, const std::function<void()>& change)
    {
        const QSignalBlocker quiet(sender);
        change();
    }
    void setKeepInFront(bool on) { form1->Check4->setValue(on ? 1 : 0); }

    // Runs `open`, which shows a modal dialog, and `answer` on that dialog once it is up.
    template <typename DialogType = QWidget>
    void withDialog(const std::function<void()>& open,
        const std::type_identity_t<std::function<void(DialogType&)>>& answer)
    {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<DialogType*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            answer(*dialog);
            // An answer that left the dialog open would hang the test.
            QTimer::singleShot(0, [left = QPointer<QWidget>(dialog)] {
                if (left && left->isVisible()) {
                    ADD_FAILURE() << "the dialog stayed open";
                    left->close();
                }
            });
        });
        open();
    }

    // The controls that act on an open movie: off while nothing is open, on while a movie is.
    QList<QWidget*> movieControls() const
    {
        QList<QWidget*> controls;
        for (const char* name : {"Command2", "Command3", "Command4", "Command5", "Command6",
                 "Command7", "Command8", "Command9", "Command10", "Command11", "Command13",
                 "Command14", "Command15", "Command19", "Command21", "Command22", "Command23",
                 "Check6", "cmdUp", "cmdDown", "HScroll1"})
            controls << form1->findChild<QWidget*>(QLatin1String(name));
        return controls;
    }
    // The movie window's menu items that do the same.
    QList<QAction*> movieMenuItems()
    {
        Form2& m = form2();
        return {m.me_s_t, m.me_teisi, m.m_mae, m.m_yugi, m.me_wari, m.me_kake, m.me_full};
    }

    Engine engine;
    MciInterpreter interpreter{engine};
    RecordingMciDevice device{interpreter};
    CountingBell bell;
    MciChannel mci{device, bell};
    std::unique_ptr<Form1> form1;
};

using FormFixture = FormFixtureOn<FakeMediaEngine>;

// The same, started with an empty command line.
class StartedForm : public FormFixture {
protected:
    void SetUp() override { load(); }
};
