#include "rtl/Windows.h"

#include <QApplication>
#include <QGuiApplication>

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <thread>

SHORT GetKeyState(Integer VirtKey)
{
    constexpr SHORT Down = SHORT(0x8000);
    // The state that came with the last input event, as the framework reads it
    // while a message is handled.
    const Qt::KeyboardModifiers Mods = QGuiApplication::keyboardModifiers();
    const Qt::MouseButtons Buttons = QGuiApplication::mouseButtons();
    bool IsDown = false;
    switch (VirtKey) {
    case VK_SHIFT: case VK_LSHIFT: case VK_RSHIFT: IsDown = Mods & Qt::ShiftModifier; break;
    case VK_CONTROL: case VK_LCONTROL: case VK_RCONTROL: IsDown = Mods & Qt::ControlModifier; break;
    case VK_MENU: case VK_LMENU: case VK_RMENU: IsDown = Mods & Qt::AltModifier; break;
    case VK_LBUTTON: IsDown = Buttons & Qt::LeftButton; break;
    case VK_RBUTTON: IsDown = Buttons & Qt::RightButton; break;
    case VK_MBUTTON: IsDown = Buttons & Qt::MiddleButton; break;
    default: break;
    }
    return IsDown ? Down : SHORT(0);
}

SHORT GetAsyncKeyState(Integer VirtKey)
{
    return GetKeyState(VirtKey);
}

DWORD GetTickCount()
{
    using namespace std::chrono;
    const auto Ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return DWORD(static_cast<std::uint64_t>(Ms));
}

void Sleep(DWORD Milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(Milliseconds));
}

namespace {
std::atomic<Integer> BeepCount{0};
}

bool MessageBeep(UINT)
{
    ++BeepCount;
    QApplication::beep();
    return true;
}

Integer MessageBeepCount()
{
    return BeepCount.load();
}

UINT RegisterWindowMessage(const String& Name)
{
    static std::mutex Lock;
    static std::map<String, UINT> Numbers;
    const std::lock_guard<std::mutex> Guard(Lock);
    const auto [It, Added] = Numbers.try_emplace(Name.toUpper(), UINT(0xC000 + Numbers.size()));
    return It->second;
}
