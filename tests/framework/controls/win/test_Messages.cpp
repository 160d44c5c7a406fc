// The framework's message numbers, utility windows and messages between programs.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "framework/controls/win/Messages.h"

namespace {

// The numbers other parts rely on, and the ones the skinned parts answer stay free.
static_assert(CM_CANCELMODE == 0xB004);
static_assert(CN_BASE == 0xBC00 && CN_COMMAND == 0xBD11);
constexpr UINT FrameworkMessages[] = {
    CM_ACTIVATE,      CM_DEACTIVATE,     CM_CANCELMODE,         CM_DIALOGKEY,           CM_DIALOGCHAR,
    CM_FOCUSCHANGED,  CM_PARENTFONTCHANGED, CM_PARENTCOLORCHANGED, CM_VISIBLECHANGED,   CM_ENABLEDCHANGED,
    CM_COLORCHANGED,  CM_FONTCHANGED,    CM_CURSORCHANGED,      CM_TEXTCHANGED,         CM_MOUSEENTER,
    CM_MOUSELEAVE,    CM_SHOWINGCHANGED, CM_ENTER,              CM_EXIT,                CM_ICONCHANGED,
    CM_WANTSPECIALKEY, CM_RELEASE,       CM_SHOWHINTCHANGED,    CM_PARENTSHOWHINTCHANGED, CM_TABSTOPCHANGED,
    CM_RECREATEWND,   CM_INVALIDATE,     CM_MOUSEWHEEL};
constexpr bool ClearOfTheSkinMessages()
{
    for (UINT m : FrameworkMessages)
        if ((m >= 0xB1B2 && m <= 0xB1B4) || m == 0xB1C9 || m == 0xBC4A || m == 0xBC4B) return false;
    return true;
}
static_assert(ClearOfTheSkinMessages());

TEST(Messages, AUtilityWindowHandsItsMessagesToItsMethod)
{
    std::vector<UINT> seen;
    HWND wnd = nullptr;
    wnd = AllocateHWnd([&](TMessage& Message) {
        seen.push_back(Message.Msg);
        if (Message.Msg == WM_USER + 1) Message.Result = 42;
        else Message.Result = DefWindowProcW(wnd, Message.Msg, Message.WParam, Message.LParam);
    });
    ASSERT_TRUE(IsWindow(wnd));
    // Top-level and hidden, so that it hears broadcasts and shows nothing.
    EXPECT_EQ(GetAncestor(wnd, GA_PARENT), GetDesktopWindow());
    EXPECT_FALSE(IsWindowVisible(wnd));
    EXPECT_EQ(SendMessageW(wnd, WM_USER + 1, 0, 0), 42);
    EXPECT_EQ(seen.back(), WM_USER + 1u);
    DeallocateHWnd(wnd);
    EXPECT_FALSE(IsWindow(wnd));
}

TEST(Messages, AnExceptionInAUtilityWindowGoesToTheApplicationsHandler)
{
    String caught;
    ApplicationHandleException = [&](TObject*) {
        try {
            throw;
        } catch (Exception& E) {
            caught = E.Message();
        }
    };
    HWND wnd = AllocateHWnd([](TMessage& Message) {
        if (Message.Msg == WM_USER) throw EListError(u"in the window");
    });
    SendMessageW(wnd, WM_USER, 0, 0);
    EXPECT_EQ(caught, u"in the window");
    DeallocateHWnd(wnd);
    ApplicationHandleException = nullptr;
}

TEST(Messages, CopyDataCarriesATextAndReadsNoMoreThanWasSent)
{
    String got;
    ULONG_PTR id = 0;
    HWND sender = nullptr;
    HWND target = nullptr;
    target = AllocateHWnd([&](TMessage& Message) {
        if (Message.Msg == WM_COPYDATA) {
            auto* data = reinterpret_cast<COPYDATASTRUCT*>(Message.LParam);
            got = CopyDataText(data);
            id = data->dwData;
            sender = reinterpret_cast<HWND>(Message.WParam);
            Message.Result = 1;
            return;
        }
        Message.Result = DefWindowProcW(target, Message.Msg, Message.WParam, Message.LParam);
    });
    HWND me = AllocateHWnd(nullptr);
    const String name = u"C:\\Pictures\\\u4E2D\u6587 image.png";
    LRESULT result = 0;
    EXPECT_TRUE(SendCopyDataText(target, me, 2, name, 1000, &result));
    EXPECT_EQ(result, 1);
    EXPECT_EQ(got, name);
    EXPECT_EQ(id, 2u);
    EXPECT_EQ(sender, me);

    // A sender that left out the terminating NUL: only the units it sent.
    const Char text[] = u"abcdefgh";
    struct {
        DWORD Bytes;
        String Expected;
    } cases[] = {{6, u"abc"}, {5, u"ab"}, {0, u""}, {18, u"abcdefgh"}};
    for (auto& c : cases) {
        COPYDATASTRUCT cds{0, c.Bytes, const_cast<Char*>(text)};
        EXPECT_EQ(CopyDataText(&cds), c.Expected) << c.Bytes;
    }
    EXPECT_EQ(CopyDataText(nullptr), u"");
    DeallocateHWnd(me);
    DeallocateHWnd(target);
}

TEST(Messages, SendingToAWindowThatIsGoneOrHangsFailsInsteadOfWaiting)
{
    HWND gone = AllocateHWnd(nullptr);
    DeallocateHWnd(gone);
    EXPECT_FALSE(SendMessageWithTimeout(gone, WM_USER, 0, 0, 100));
    EXPECT_FALSE(PostMessageTo(gone, WM_USER, 0, 0));
    EXPECT_FALSE(SendCopyDataText(gone, nullptr, 1, u"x", 100));

    // A window whose thread handles no messages answers nothing within the wait.
    std::atomic<HWND> busy{nullptr};
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread owner([&] {
        busy = AllocateHWnd(nullptr);
        WaitForSingleObject(release, 10000);
        DeallocateHWnd(busy);
    });
    while (!busy) Sleep(1);
    DWORD start = GetTickCount();
    EXPECT_FALSE(SendMessageWithTimeout(busy, WM_USER, 0, 0, 100));
    EXPECT_LT(GetTickCount() - start, 3000u);
    SetEvent(release);
    owner.join();
    CloseHandle(release);
}

} // namespace
