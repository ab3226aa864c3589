#pragma once

#include "movie/control_window.h"
#include "platform/window_layer.h"

#include <QColor>
#include <QPoint>
#include <QWidget>
#include <array>
#include <cstdint>
#include <optional>

class QLabel;
class QMenu;
class QTimer;
class MenuItem;
struct VideoWindow;

// The movie window: frameless, it hosts the media layer's video window at (10, 10), the strip
// Label1 along its bottom edge, the placeholder Label2 over the picture area, and the popup
// menu menu0. Created by the control window on first use, which then runs its Form_Load.
class Form2 : public QWidget {
    Q_OBJECT
public:
    // `programDir` is where the settings file lives.
    Form2(ControlWindow& form1, const MirroredControls& form1Controls, VideoWindow& video,
        WindowLayer& windows, const QString& programDir);
    ~Form2() override;

    // ---- controls ---------------------------------------------------------------------------
    QLabel* Label1;  // strip along the bottom edge: "Movie" / the playing entry's name
    QLabel* Label2;  // placeholder over the picture area; holds the press count
    QTimer *Timer1, *Timer2, *Timer3;
    QMenu* menu0;
    MenuItem *topw1, *c_hyouji, *ba2, *me_s_t, *me_teisi, *m_mae, *m_yugi, *me_loop, *me_loop_only,
        *ba, *me_wari, *me_kake, *me_full, *ba5, *ch_col, *ch_ho, *ba4, *me_about, *ba3, *me_exit;

    // ---- geometry in twips (15 per pixel) of the outer frame ---------------------------------
    int Top() const;
    int Left() const;
    int Width() const;
    int Height() const;
    void setTop(int twips);
    void setLeft(int twips);
    void setWidth(int twips);
    void setHeight(int twips);
    // The background colour as the program stores it: 0x00BBGGRR for a colour, or
    // 0x80000000 + index (a negative number) for one of the system's colours.
    std::int32_t BackColor() const { return back_color_; }
    void setBackColor(std::int32_t value);
    // The strip's text: blue in the normal window, white on full screen's black.
    static constexpr QColor StripBlue = QColor(0, 0, 255);
    void setStripTextColor(const QColor& color);

    // ---- state --------------------------------------------------------------------------------
    std::int16_t click_ticks = 0;
    // Left presses since the double-press window opened; Label2's text shows the count.
    std::int16_t presses = 0;
    std::int16_t idle_ticks = 0;
    std::int16_t cursor_parked = 0;
    QPoint last_cursor;
    std::array<QColor, 16> custom_colors;
    // Where the mouse first moved over Label1, in twips; kept for the whole run, (0, 0) = not yet.
    struct {
        std::int16_t x = 0, y = 0;
    } first_move;

    // ---- handlers ---------------------------------------------------------------------------
    void Form_Load();
    void topw1_Click();
    void me_loop_Click();
    void me_loop_only_Click();
    void ch_ho_Click();
    void me_exit_Click();
    // `at` is where the press happened on the screen: a left press drags the window from there.
    void Form_MouseDown(Qt::MouseButtons button, QPoint at = {});
    void Label1_MouseDown(Qt::MouseButtons button);
    void Label2_MouseDown(Qt::MouseButtons button);
    void Form_DblClick();
    void Label1_DblClick();
    void Label1_MouseMove(Qt::MouseButtons button, double x, double y);
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    std::int32_t MovieWndProc(
        WId hwnd, std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam);
    // The control window's "手前に表示" box: Check4 owns the state, topw1 mirrors it.
    void Check4_Click();

    // Puts MovieWndProc on the open device's video window, keeping its own procedure in the
    // shared VideoWindow for shutdown and the next open.
    void hookVideoWindow(WId handle);

    // The menu items that act on an open movie, off while nothing is open.
    void setMovieMenuEnabled(bool on);
    // The menu of full screen: the ten items that do not belong there hidden, and me_full saying
    // how to leave. Off gives the whole menu back.
    void setFullScreenMenu(bool on);

    // Shows menu0 at the mouse cursor.
    void showMenu();

    // The open entry's display name on the strip Label1 and in the window's title, which
    // taskbars, Alt+Tab and screen readers show (the borderless window never draws it).
    void showEntryName(const QString& name);
    // Nothing open: the strip says "Movie".
    void showNoEntry();

    // The strip Label1 along the bottom edge and the placeholder Label2 over the picture area,
    // placed for the window's current size.
    void placeStrip();
    void placePlaceholder();

    // Full screen has ended: the idle cursor is no longer watched, nor parked.
    void endCursorWatch();

    // Stops the three timers (shutdown).
    void stopTimers();

signals:
    // A double press (or double-click) asked for full screen while Form1's Command22 is enabled.
    void fullScreenToggleRequested();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createMenu();
    // Load step 1: the settings file, or the default place beside the control window.
    void applySettings();
    void applyDefaultPlace();

    ControlWindow& form1;
    const MirroredControls form1Controls;
    VideoWindow& video;
    WindowLayer& windows;
    const QString programDir;
    std::int32_t back_color_ = 0;
    // Where a left press on the surface may start a drag; none once it started or ended.
    std::optional<QPoint> drag_from_;
    // Where Timer1 put the cursor: the X server reports that jump as a movement there, which
    // is not the user's.
    std::optional<QPoint> parked_at_;
};
