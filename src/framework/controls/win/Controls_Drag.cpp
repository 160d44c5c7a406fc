// The Controls unit's drag and drop: the drag manager that carries a drag
// from its source control over the targets under the pointer, the members of
// TControl that take part in it, and files dropped from the shell.
#include "framework/controls/win/Controls.h"

#include <algorithm>
#include <cstdlib>

#include "framework/controls/win/Forms.h"

namespace {

// The one drag of the program. It lives from BeginDrag to the end of the
// drag; the source keeps the mouse capture meanwhile.
struct TDragSession {
    TControl* Source = nullptr;  // null once the source is gone
    TDragObject* Object = nullptr;
    std::unique_ptr<TDragObject> OwnedObject;  // the default object, made for the drag
    HWND CaptureWindow = nullptr;              // the window holding the capture for it
    TPoint StartPos{0, 0};
    Integer Threshold = 0;
    bool Started = false;  // the pointer has moved far enough (or Immediate)
    bool Accepted = false;
};

std::unique_ptr<TDragSession> Session;
TDragSession* Ending = nullptr;  // the drag whose end is being announced

TControl* ControlUnder(const TPoint& Pos, bool AllowDisabled)
{
    HWND wnd = WindowFromPoint(POINT{Pos.X, Pos.Y});
    // The platform skips disabled windows; walk down to one when they count.
    while (AllowDisabled && wnd) {
        POINT p{Pos.X, Pos.Y};
        ScreenToClient(wnd, &p);
        HWND child = ChildWindowFromPointEx(wnd, p, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (!child || child == wnd) break;
        wnd = child;
    }
    TWinControl* control = nullptr;
    while (wnd && !(control = FindControl(wnd))) wnd = GetParent(wnd);
    if (!control) return nullptr;
    TControl* inner = control->ControlAtPos(control->ScreenToClient(Pos), AllowDisabled);
    return inner ? inner : control;
}

// The Source the events see: the dragged control for the default object.
TObject* EventSource(TDragObject* Object)
{
    if (auto* c = dynamic_cast<TDragControlObject*>(Object)) return c->Control();
    return Object;
}

// Shows the cursor the session's object asks for; the capture keeps the
// platform from asking the windows under the pointer.
void ShowDragCursor(TDragSession& S)
{
    TPoint p = S.Object->DragPos();
    ::SetCursor(Screen->Cursors(S.Object->GetDragCursor(S.Accepted, p.X, p.Y)));
}

// After the drag, the window under the pointer sets its own cursor again.
void RefreshCursor()
{
    POINT p;
    GetCursorPos(&p);
    HWND wnd = WindowFromPoint(p);
    if (!wnd) return;
    LRESULT hit = SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    SendMessageW(wnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(wnd), MAKELPARAM(hit, WM_MOUSEMOVE));
}

} // namespace

// Drives the session; a friend of TControl and TDragObject.
class TDragManager {
public:
    static void Begin(TControl* Source, bool Immediate, Integer Threshold)
    {
        if (Session) return;  // one drag at a time
        TDragObject* object = nullptr;
        Source->DoStartDrag(object);
        auto session = std::make_unique<TDragSession>();
        session->Source = Source;
        if (!object) {
            session->OwnedObject = std::make_unique<TDragControlObject>(Source);
            object = session->OwnedObject.get();
        }
        session->Object = object;
        session->StartPos = Mouse->CursorPos();
        session->Threshold = Threshold < 0 ? Mouse->DragThreshold() : Threshold;
        object->FDragPos = session->StartPos;
        Session = std::move(session);
        // A control that took the mouse at the press keeps it for the drag.
        if (!Source->MouseCapture()) Source->SetMouseCapture(true);
        Session->CaptureWindow = GetCapture();
        if (Immediate) Start(Session->StartPos);
    }

    static bool Message(TControl* Control, TMessage& M)
    {
        TDragSession* s = Session.get();
        if (!s) return false;
        // Escape comes to whichever control the key is for.
        if (M.Msg == CN_KEYDOWN && M.WParam == VK_ESCAPE) {
            Done(false);
            M.Result = 1;
            return true;
        }
        if (M.Msg == WM_CAPTURECHANGED) {
            // Another window took the mouse: the drag cannot go on.
            auto* win = dynamic_cast<TWinControl*>(Control);
            if (win && win->HandleAllocated() && win->Handle() == s->CaptureWindow &&
                reinterpret_cast<HWND>(M.LParam) != s->CaptureWindow)
                Done(false);
            return false;
        }
        if (M.Msg == WM_SETCURSOR && s->Started) {
            ShowDragCursor(*s);
            M.Result = 1;
            return true;
        }
        if (Control != s->Source) return false;
        switch (M.Msg) {
        case WM_MOUSEMOVE: {
            TPoint p = Control->ClientToScreen(Point(M.XPos(), M.YPos()));
            if (s->Started) DragTo(p);
            else if (std::abs(p.X - s->StartPos.X) > s->Threshold || std::abs(p.Y - s->StartPos.Y) > s->Threshold)
                Start(p);
            return true;
        }
        case WM_LBUTTONUP:
            if (s->Started) {
                Done(true);
                return true;
            }
            // Released before the drag started: a click, which the control sees.
            Done(false);
            return false;
        case WM_RBUTTONDOWN:
            Done(false);
            return true;
        case WM_CANCELMODE:
        case CM_CANCELMODE: Done(false); return false;
        }
        return false;
    }

    static void Start(const TPoint& Pos)
    {
        Session->Started = true;
        DragTo(Pos);
    }

    static void DragTo(const TPoint& Pos)
    {
        TDragObject* object = Session->Object;
        object->FDragPos = Pos;
        TControl* target = FindDragTarget(Pos, false);
        if (target != object->FDragTarget) {
            if (object->FDragTarget) Send(object->FDragTarget, dmDragLeave);
            if (!Session) return;  // a handler ended the drag
            object->FDragTarget = target;
            Session->Accepted = false;
            if (target) Send(target, dmDragEnter);
            if (!Session) return;
        }
        // The target may have gone in its own handler.
        Session->Accepted = object->FDragTarget && Send(object->FDragTarget, dmDragMove) != 0;
        if (Session) ShowDragCursor(*Session);
    }

    static LRESULT Send(TControl* Target, TDragMessage Step)
    {
        TDragRec rec{Session ? Session->Object : Ending->Object, {0, 0}};
        rec.Pos = Target->ScreenToClient(rec.Source->FDragPos);
        return Target->Perform(CM_DRAG, Step, reinterpret_cast<LPARAM>(&rec));
    }

    // Ends the drag: the drop goes to the target that accepted it, then the
    // object and the source hear of the end. Handlers may free any of them.
    static void Done(bool Drop)
    {
        std::unique_ptr<TDragSession> s = std::move(Session);
        Ending = s.get();
        auto Clear = ScopeExit([] { Ending = nullptr; });
        if (s->Source && s->Source->MouseCapture()) SetCaptureControl(nullptr);
        else if (s->CaptureWindow && GetCapture() == s->CaptureWindow) ReleaseCapture();
        TDragObject* object = s->Object;
        const bool dropped = Drop && s->Started && s->Accepted && object->FDragTarget;
        object->FDropped = dropped;
        object->FCancelling = !Drop;
        TPoint at{0, 0};
        if (s->Started && object->FDragTarget) {
            if (dropped) at = object->FDragTarget->ScreenToClient(object->FDragPos);
            Send(object->FDragTarget, dropped ? dmDragDrop : dmDragLeave);
        }
        TObject* target = dropped ? object->FDragTarget : nullptr;  // null when it went in its handler
        if (!target) at = Point(0, 0);
        object->Finished(target, at.X, at.Y, dropped);
        if (s->Source && !(s->Source->ComponentState() & csDestroying)) s->Source->DoEndDrag(target, at.X, at.Y);
        if (s->Started) RefreshCursor();
    }

    static void Gone(TControl* Control)
    {
        for (TDragSession* s : {Session.get(), Ending}) {
            if (!s) continue;
            if (s->Object->FDragTarget == Control) s->Object->FDragTarget = nullptr;
            if (s->Source == Control) s->Source = nullptr;
        }
        if (Session && !Session->Source) Done(false);
    }
};

// ---------------------------------------------------------------------------

TCursor TDragObject::GetDragCursor(bool Accepted, Integer, Integer)
{
    return Accepted ? crDrag : crNoDrop;
}

void TDragObject::Finished(TObject*, Integer, Integer, bool) {}

TCursor TDragControlObject::GetDragCursor(bool Accepted, Integer, Integer)
{
    return Accepted ? FControl->DragCursor() : crNoDrop;
}

TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled)
{
    return ControlUnder(Pos, AllowDisabled);
}

TControl* FindControlAtPos(const TPoint& ScreenPos)
{
    return ControlUnder(ScreenPos, false);
}

TDragObject* ActiveDragObject()
{
    return Session ? Session->Object : nullptr;
}

void TControl::BeginDrag(bool Immediate, Integer Threshold)
{
    if (ComponentState() & csDesigning) return;
    if (FParent == nullptr && !FIsWinControl) throw EInvalidOperation(u"Control '" + Name() + u"' has no parent window");
    TDragManager::Begin(this, Immediate, Threshold);
}

void TControl::EndDrag(bool Drop)
{
    if (Dragging()) TDragManager::Done(Drop);
}

bool TControl::Dragging() const
{
    return Session && Session->Source == this;
}

void TControl::BeginAutoDrag()
{
    BeginDrag(false, -1);
}

bool TControl::DragMessage(TMessage& Message)
{
    return TDragManager::Message(this, Message);
}

void TControl::DragControlGone()
{
    TDragManager::Gone(this);
}

void TControl::DoStartDrag(TDragObject*& DragObject)
{
    if (OnStartDrag) OnStartDrag(this, DragObject);
}

void TControl::DoEndDrag(TObject* Target, Integer X, Integer Y)
{
    if (OnEndDrag) OnEndDrag(this, Target, X, Y);
}

void TControl::DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept)
{
    Accept = static_cast<bool>(OnDragOver);
    if (OnDragOver) OnDragOver(this, Source, X, Y, State, Accept);
}

void TControl::DragDrop(TObject* Source, Integer X, Integer Y)
{
    if (OnDragDrop) OnDragDrop(this, Source, X, Y);
}

void TControl::CMDrag(TMessage& Message)
{
    auto* rec = reinterpret_cast<TDragRec*>(Message.LParam);
    if (!rec || !rec->Source) return;
    TObject* source = EventSource(rec->Source);
    switch (Message.WParam) {
    case dmDragEnter:
    case dmDragLeave:
    case dmDragMove: {
        static const TDragState States[] = {dsDragEnter, dsDragLeave, dsDragMove};
        bool accept = false;
        DragOver(source, rec->Pos.X, rec->Pos.Y, States[Message.WParam], accept);
        Message.Result = accept ? 1 : 0;
        return;
    }
    case dmDragDrop: DragDrop(source, rec->Pos.X, rec->Pos.Y); return;
    }
}

// ---------------------------------------------------------------------------
// Files dropped from the shell

std::vector<String> DroppedFileNames(HDROP Drop)
{
    std::vector<String> names;
    if (!Drop) return names;
    const UINT count = DragQueryFileW(Drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        // Asked for its length first: a name may be longer than MAX_PATH.
        const UINT length = DragQueryFileW(Drop, i, nullptr, 0);
        String name(static_cast<size_t>(length) + 1, u'\0');
        const UINT got = DragQueryFileW(Drop, i, reinterpret_cast<wchar_t*>(name.data()), length + 1);
        name.resize(std::min(got, length));
        names.push_back(std::move(name));
    }
    return names;
}

TPoint DroppedFilesPoint(HDROP Drop)
{
    POINT p{0, 0};
    if (Drop) DragQueryPoint(Drop, &p);
    return Point(p.x, p.y);
}

void TWinControl::SetAcceptFiles(bool Value)
{
    if (FAcceptFiles == Value) return;
    FAcceptFiles = Value;
    if (FHandle) ::DragAcceptFiles(FHandle, Value);
}

void TWinControl::WMDropFiles(TMessage& Message)
{
    if (OnDropFiles) {
        auto drop = reinterpret_cast<HDROP>(Message.WParam);
        OnDropFiles(this, DroppedFileNames(drop), DroppedFilesPoint(drop));
    }
    DefaultHandler(Message);
}
