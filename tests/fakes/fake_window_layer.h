#pragma once

#include "platform/window_layer.h"

#include <QPoint>
#include <QSize>
#include <map>
#include <ostream>
#include <vector>

// Window layer for tests: records placements and topmost changes, keeps a procedure table whose
// installed procedures a test can call with simulated presses, and has a settable screen and cursor.
class FakeWindowLayer : public WindowLayer {
public:
    struct Move {
        WId hwnd;
        int x, y, width, height;
        bool repaint;
        bool operator==(const Move&) const = default;
        friend void PrintTo(const Move& m, std::ostream* os)
        {
            *os << m.hwnd << " at " << m.x << ',' << m.y << ' ' << m.width << 'x' << m.height
                << (m.repaint ? " repainted" : "");
        }
    };
    struct TopMostCall {
        QWidget* window;
        bool topmost;
    };

    bool MoveWindow(WId hwnd, int x, int y, int width, int height, bool repaint) override
    {
        moves.push_back({hwnd, x, y, width, height, repaint});
        return true;
    }
    void setTopMost(QWidget* window, bool topmost) override
    {
        topMostCalls.push_back({window, topmost});
        topmost_[window] = topmost;
    }
    void setFullScreen(QWidget* window, bool on) override { fullScreen_[window] = on; }
    WndProc SetWindowProc(WId hwnd, WndProc proc) override
    {
        auto it = procs_.find(hwnd);
        WndProc previous = it != procs_.end() ? it->second : defaultProc();
        const bool original = !proc || proc.target<OriginalProc>() != nullptr;
        ++procChanges;
        if (original)
            procs_.erase(hwnd);
        else
            procs_[hwnd] = std::move(proc);
        return previous;
    }
    void startSystemMove(QWidget* window) override { systemMoves.push_back(window); }
    QSize screenSize() override { return screen; }
    // The screen of every window: the primary one unless a test puts the window elsewhere.
    QRect screenOf(QWidget*) override
    {
        return windowScreen.isNull() ? QRect({0, 0}, screen) : windowScreen;
    }
    QPoint cursorPos() override { return cursor; }
    void setCursorPos(QPoint pos) override
    {
        cursor = pos;
        cursorMoves.push_back(pos);
    }

    // Topmost and full-screen states as last set (false for a window never set).
    bool isTopMost(QWidget* window) const { return topmost_.count(window) && topmost_.at(window); }
    bool isFullScreen(QWidget* window) const
    {
        return fullScreen_.count(window) && fullScreen_.at(window);
    }

    // Simulated presses on a window: sends ParentNotify with LButtonDown / RButtonDown to the
    // procedure installed for `hwnd` (the table's default when none). Returns its result.
    std::int32_t pressLeft(WId hwnd) { return send(hwnd, wm::ParentNotify, wm::LButtonDown, 0); }
    std::int32_t pressRight(WId hwnd) { return send(hwnd, wm::ParentNotify, wm::RButtonDown, 0); }
    std::int32_t send(WId hwnd, std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam)
    {
        auto it = procs_.find(hwnd);
        return (it != procs_.end() ? it->second : defaultProc())(hwnd, msg, wParam, lParam);
    }

    // True when a procedure other than the default is installed for `hwnd`.
    bool hooked(WId hwnd) const { return procs_.count(hwnd) != 0; }

    QSize screen{1920, 1080};
    QRect windowScreen;
    QPoint cursor{100, 100};

    std::vector<Move> moves;
    std::vector<TopMostCall> topMostCalls;
    int procChanges = 0;  // procedures installed or given back
    std::vector<QPoint> cursorMoves;
    std::vector<QWidget*> systemMoves;
    int defaultProcCalls = 0;  // messages that reached a window's original procedure

private:
    // A window's own procedure: counts what reaches it.
    struct OriginalProc {
        int* calls;
        std::int32_t operator()(WId, std::uint32_t, std::uint32_t, std::int32_t) const
        {
            return ++*calls, 0;
        }
    };
    WndProc defaultProc() { return OriginalProc{&defaultProcCalls}; }

    std::map<WId, WndProc> procs_;
    std::map<QWidget*, bool> topmost_;
    std::map<QWidget*, bool> fullScreen_;
};
