// CRixWnd: a window object bound to one window, our own MFC-style window class written over
// the Win32 subset so that it runs unchanged on both backends.
//
// Binding. A window of one of our own classes (registered with RixWndProc) is bound while it
// is being created: CreateEx marks the object as the one being created on this thread, and
// RixWndProc binds it to the window at the window's first message, so WindowProc sees
// WM_NCCREATE already. A window of a system class (BUTTON, EDIT, ...) is bound right after
// CreateWindowExW returns by subclassing: its window procedure is replaced with RixWndProc
// through SetWindowLongPtrW(GWLP_WNDPROC), and the previous procedure is kept for
// DefWindowProc. SubclassWindow does the same for a window created elsewhere; Attach binds an
// object to a window without taking its messages.
//
// Messages. RixWndProc hands every message to the virtual WindowProc, whose default is
// DefWindowProc: the previous window procedure of a subclassed window, DefWindowProcW
// otherwise. Before that, a parent's WM_COMMAND from a control, WM_NOTIFY and WM_CTLCOLOR*
// are offered to the parent's PreReflectNotify, which may end them there, and then to the
// child's object through OnChildNotify (reflection); when the child
// handles one, the parent's WindowProc does not see it. Queued messages are offered to
// PreTranslateMessage up the parent chain by the application's loop (CRixWinApp), because a
// bound object registers itself as its window's pre-translator.
//
// Lifetime. The object is unbound when its window has had WM_NCDESTROY, and PostNcDestroy
// runs last (a class that deletes itself with its window does so there). Destroying the
// object destroys a window still bound to it. A window object stands for one window and is
// never copied.
//
// Keep-alive. A handler called from a message may delete the object the message is working
// on (the last control object goes, and the holder with it). So the object holds itself alive
// for the length of each message's dispatch (RixWndProc), of each reflected notification, of
// each pre-translation the loops ask of it (PreTranslateQueued), and of whatever else takes a
// KeepAlive on it (a modal run of its form). Heap window objects are deleted with Delete,
// never with a plain delete: while a hold is on, Delete only marks the object, and the last
// hold to end deletes it. The code after a handler may therefore read its own fields; it must
// still check that the window exists (IsWindow) before it acts on it. A DestroyWindow while the
// window is already being destroyed (from inside its WM_DESTROY) does nothing: the window goes
// once.
//
// Main thread only, like the handle map (window_map.h).
#pragma once

#include "platform/platform.h"
#include "runtime/core/rix_common_base.h"
#include "runtime/core/wstring.h"
#include "runtime/shell/win_app.h"

// Allocated from the runtime's block pool like every runtime object (CRixCommonBase).
class CRixWnd : public CRixCommonBase, public CRixPreTranslator {
public:
    CRixWnd() = default;
    virtual ~CRixWnd();
    CRixWnd(const CRixWnd&) = delete;
    CRixWnd& operator=(const CRixWnd&) = delete;

    // The object bound to hwnd, or null.
    static CRixWnd* FromHandlePermanent(HWND hwnd);

    // Deletes wnd (may be null) now, or when the last hold on it ends.
    static void Delete(CRixWnd* wnd);

    // Holds a window object alive while it lives (see the header comment).
    class KeepAlive {
    public:
        explicit KeepAlive(CRixWnd* wnd) : m_pWnd(wnd) {
            if (wnd != nullptr)
                ++wnd->m_nHolds;
        }
        ~KeepAlive();
        KeepAlive(const KeepAlive&) = delete;
        KeepAlive& operator=(const KeepAlive&) = delete;

    private:
        CRixWnd* m_pWnd;
    };

    HWND GetSafeHwnd() const { return m_hWnd; }
    // The window exists (IsWindow) and is bound to this object.
    bool HasWindow() const;
    // The bound window has had WM_DESTROY and is on its way out.
    bool IsBeingDestroyed() const { return m_bDestroying; }

    // Binds this object to hwnd without replacing its window procedure. FALSE when this
    // object is bound already, hwnd is no window, or another object stands for hwnd.
    BOOL Attach(HWND hwnd);
    // Unbinds and returns the window (leaving its window procedure as it is).
    HWND Detach();
    // Binds to hwnd and routes its messages through WindowProc.
    BOOL SubclassWindow(HWND hwnd);
    // Gives the window its previous window procedure back and unbinds it.
    HWND UnsubclassWindow();

    // Creates the window and binds it (see the header comment). FALSE when this object is
    // bound already or the window cannot be created.
    BOOL CreateEx(DWORD ex_style, LPCWSTR class_name, LPCWSTR caption, DWORD style, int x, int y,
                  int width, int height, HWND parent, HMENU id_or_menu, LPVOID param = nullptr);
    // Destroys the bound window; the object is unbound once the window is gone.
    BOOL DestroyWindow();
    // Clears remove and sets add in the window style; with flags, SetWindowPos applies the
    // change (flags is combined with SWP_NOSIZE, SWP_NOMOVE, SWP_NOZORDER, SWP_NOACTIVATE).
    // TRUE when the style changed.
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
    DWORD GetStyle() const;

    LRESULT SendMessage(UINT message, WPARAM wparam = 0, LPARAM lparam = 0) const;
    void SetWindowText(const WCHAR* text);
    CWString GetWindowText() const;

    // Every message of the window, after reflection. The default is DefWindowProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam);
    // The processing the window would get without this object.
    LRESULT DefWindowProc(UINT message, WPARAM wparam, LPARAM lparam);
    // A queued message for this window or one of its descendants, before dispatch; TRUE
    // consumes it. The default consumes nothing.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // What the loops call: PreTranslateMessage with the object held alive.
    BOOL PreTranslateQueued(MSG* msg) final;
    // A notification the parent received from this window (WM_COMMAND, WM_NOTIFY,
    // WM_CTLCOLOR*), with the parent's parameters. TRUE handles it: *result is the parent's
    // answer and the parent does not see the message. The default handles nothing.
    virtual BOOL OnChildNotify(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);
    // A notification this window received from a child, before it is reflected to the child:
    // TRUE ends it here (*result is the answer; neither the child nor WindowProc sees it).
    // The default lets every notification through.
    virtual BOOL PreReflectNotify(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);
    // Called after the window's last message, once the object is unbound.
    virtual void PostNcDestroy() {}

private:
    friend LRESULT CALLBACK RixWndProc(HWND, UINT, WPARAM, LPARAM);
    void Bind(HWND hwnd, WNDPROC super);
    void Unbind();

    HWND m_hWnd = nullptr;
    WNDPROC m_pfnSuper = nullptr;  // the previous procedure of a subclassed window, or null
    bool m_bSubclassed = false;    // the window's procedure was replaced by SubclassWindow
    bool m_bDestroying = false;    // the bound window has had WM_DESTROY
    int m_nHolds = 0;              // KeepAlive holds on this object
    bool m_bDeletePending = false; // Delete was called while held
};
