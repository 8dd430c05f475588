// One window base for every form and control: `this` is stored at WM_NCCREATE and each
// message goes to the derived class's HandleMessage, which unpacks it into named handlers.
#pragma once

#include <windows.h>

namespace spindle {

template <typename Derived>
class BaseWindow {
public:
    BaseWindow() = default;
    BaseWindow(const BaseWindow&) = delete;
    BaseWindow& operator=(const BaseWindow&) = delete;
    virtual ~BaseWindow() {
        if (window_) {
            SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
            DestroyWindow(window_);
        }
    }

    HWND Window() const { return window_; }

protected:
    // Registers the class on first use and creates the window; the derived class names the class.
    bool CreateWindowOf(const wchar_t* caption, DWORD style, DWORD exStyle, int x, int y, int width, int height,
                        HWND parent, HBRUSH background = nullptr, HCURSOR cursor = nullptr) {
        HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSEXW windowClass{};
        if (!GetClassInfoExW(instance, Derived::ClassName(), &windowClass)) {
            windowClass.cbSize = sizeof windowClass;
            windowClass.style = CS_DBLCLKS;
            windowClass.lpfnWndProc = &BaseWindow::WindowProc;
            windowClass.hInstance = instance;
            windowClass.hCursor = cursor ? cursor : LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
            windowClass.hbrBackground = background;
            windowClass.lpszClassName = Derived::ClassName();
            RegisterClassExW(&windowClass);
        }
        CreateWindowExW(exStyle, Derived::ClassName(), caption, style, x, y, width, height, parent, nullptr,
                        instance, this);
        return window_ != nullptr;
    }

    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcW(window_, message, wParam, lParam);
    }

    // Called after the window is gone (WM_NCDESTROY); the handle is already cleared.
    virtual void OnWindowDestroyed() {}

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        Derived* self = nullptr;
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
            self = static_cast<Derived*>(static_cast<BaseWindow*>(create->lpCreateParams));
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(static_cast<BaseWindow*>(self)));
            self->window_ = window;
        } else {
            self = static_cast<Derived*>(reinterpret_cast<BaseWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA)));
        }
        if (!self) return DefWindowProcW(window, message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            LRESULT result = self->HandleMessage(message, wParam, lParam);
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            self->window_ = nullptr;
            self->OnWindowDestroyed();
            return result;
        }
        return self->HandleMessage(message, wParam, lParam);
    }

    HWND window_ = nullptr;
};

}  // namespace spindle
