// Move-only owners of the Win32 handles that must be closed or released.
#pragma once

#include <windows.h>
#include <lzexpand.h>
#include <utility>

template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Detach()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Detach());
        return *this;
    }
    ~UniqueHandle() { Reset(); }

    Handle Get() const { return handle_; }
    bool IsValid() const { return handle_ != Traits::Invalid(); }
    explicit operator bool() const { return IsValid(); }

    Handle Detach() { return std::exchange(handle_, Traits::Invalid()); }
    void Reset(Handle handle = Traits::Invalid()) {
        if (IsValid()) Traits::Close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Traits::Invalid();
};

struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseHandle(h); }
};

// Files opened with OpenFile or _lopen.
struct HFileTraits {
    using Handle = HFILE;
    static Handle Invalid() { return HFILE_ERROR; }
    static void Close(Handle h) { _lclose(h); }
};

// Handles of LZOpenFileA; negative values are error codes.
struct LzFileTraits {
    using Handle = INT;
    static Handle Invalid() { return -1; }
    static void Close(Handle h) {
        if (h >= 0) LZClose(h);
    }
};

struct RegKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { RegCloseKey(h); }
};

template <typename T>
struct GdiObjectTraits {
    using Handle = T;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DeleteObject(h); }
};

using UniqueFile = UniqueHandle<FileHandleTraits>;
using UniqueHFile = UniqueHandle<HFileTraits>;
using UniqueLzFile = UniqueHandle<LzFileTraits>;
using UniqueRegKey = UniqueHandle<RegKeyTraits>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniquePen = UniqueHandle<GdiObjectTraits<HPEN>>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;

// Selects an object into a device context and puts the previous one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() { SelectObject(dc_, previous_); }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// BeginPaint and EndPaint around one WM_PAINT.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    ~PaintScope() { EndPaint(window_, &paint_); }
    HDC Dc() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// A window's device context from GetDC, released with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() { ReleaseDC(window_, dc_); }
    HDC Dc() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Locks a movable global memory block for the life of the object.
template <typename T>
class GlobalLockScope {
public:
    explicit GlobalLockScope(HGLOBAL block)
        : block_(block), data_(block ? static_cast<T*>(GlobalLock(block)) : nullptr) {}
    GlobalLockScope(const GlobalLockScope&) = delete;
    GlobalLockScope& operator=(const GlobalLockScope&) = delete;
    ~GlobalLockScope() { if (data_) GlobalUnlock(block_); }
    T* Get() const { return data_; }
    explicit operator bool() const { return data_ != nullptr; }

private:
    HGLOBAL block_;
    T* data_;
};
