// TIcon: an owned icon handle with its size and drawing; a framework object
// so that forms can publish theirs.
#pragma once

#include "framework/core/persistent.h"
#include "framework/gdi/canvas.h"
#include "framework/gdi/gdi_handles.h"

#include <functional>

class TIcon : public TPersistent {
    LT_CLASS(TIcon, TPersistent)
public:
    TIcon() = default;
    TIcon(const TIcon&) = delete;
    TIcon& operator=(const TIcon&) = delete;

    bool Empty() const { return !handle_; }
    HICON Handle() const { return handle_.Get(); }
    // Takes ownership of an icon handle (null empties the icon).
    void SetHandle(HICON icon);
    // Gives up the handle; the caller owns it.
    HICON ReleaseHandle();
    // Makes an own copy of an icon the caller keeps (e.g. from WM_GETICON).
    void AssignHandle(HICON icon);
    void Assign(const TIcon& other) { AssignHandle(other.Handle()); }
    // The same from any persistent object that is an icon (EConvertError otherwise).
    void Assign(const TPersistent& source) override;
    // Loads an icon resource at the given size (0 = the resource's size).
    bool LoadFromResourceName(HINSTANCE instance, const wchar_t* name, int cx = 0, int cy = 0);

    int Width() const;
    int Height() const;
    // Draws at its own size, or stretched to cx by cy when they are given.
    void Draw(TCanvas& canvas, int x, int y, int cx = 0, int cy = 0) const;

    // Called after the icon changes through this object's methods.
    std::function<void(TIcon&)> OnChange;

private:
    void Changed();
    TIconHandle handle_;
};
