#include "fake_window_layer.h"

bool FakeWindowLayer::MoveWindow(WId hwnd, int x, int y, int width, int height, bool repaint)
{
    moves.push_back({hwnd, x, y, width, height, repaint});
    return true;
}

void FakeWindowLayer::setTopMost(QWidget* window, bool topmost)
{
    topMostCalls.push_back({window, topmost});
    topmost_[window] = topmost;
}

bool FakeWindowLayer::isTopMost(QWidget* window) const
{
    const auto it = topmost_.find(window);
    return it != topmost_.end() && it->second;
}

namespace {
// A window's own procedure: counts what reaches it.
struct OriginalProc {
    int* calls;
    std::int32_t operator()(WId, std::uint32_t, std::uint32_t, std::int32_t) const
    {
        ++*calls;
        return 0;
    }
};
}  // namespace

WindowLayer::WndProc FakeWindowLayer::defaultProc()
{
    return OriginalProc{&defaultProcCalls};
}

WindowLayer::WndProc FakeWindowLayer::SetWindowProc(WId hwnd, WndProc proc)
{
    auto it = procs_.find(hwnd);
    WndProc previous = it != procs_.end() ? it->second : defaultProc();
    const bool original = !proc || proc.target<OriginalProc>() != nullptr;
    procChanges.push_back({hwnd, original});
    if (original)
        procs_.erase(hwnd);
    else
        procs_[hwnd] = std::move(proc);
    return previous;
}

bool FakeWindowLayer::hooked(WId hwnd) const
{
    return procs_.count(hwnd) != 0;
}

std::int32_t FakeWindowLayer::send(WId hwnd, std::uint32_t msg, std::uint32_t wParam,
                                   std::int32_t lParam)
{
    auto it = procs_.find(hwnd);
    WndProc proc = it != procs_.end() ? it->second : defaultProc();
    return proc(hwnd, msg, wParam, lParam);
}

std::int32_t FakeWindowLayer::pressLeft(WId hwnd)
{
    return send(hwnd, wm::ParentNotify, wm::LButtonDown, 0);
}

std::int32_t FakeWindowLayer::pressRight(WId hwnd)
{
    return send(hwnd, wm::ParentNotify, wm::RButtonDown, 0);
}

void FakeWindowLayer::startSystemMove(QWidget* window)
{
    systemMoves.push_back(window);
}

void FakeWindowLayer::setCursorPos(QPoint pos)
{
    cursor = pos;
    cursorMoves.push_back(pos);
}
