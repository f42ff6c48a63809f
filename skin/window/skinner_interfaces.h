// What the skin manager needs of the skinners it creates and keeps: the form
// skinner of a window and the skinner of a popup-menu window. The concrete
// skinners implement these; the manager makes them through factories that
// their modules install, so the manager stands on its own (and its tests use
// recording skinners).
#pragma once

#include "framework/ui/win32.h"

#include "framework/gdi/bitmap.h"

class TCustomForm;
class TSkinData;

// States of a form skinner that the manager acts on.
enum class TFormSkinnerState : int {
    Attached = 0,
    Skinned = 1,
    Reskinning = 3,
    NcDestroyed = 4,
    FirstResize = 5,
    Destroyed = 6, // the window is gone; the manager's next purge frees the skinner
};

class TFormSkinnerBase {
public:
    virtual ~TFormSkinnerBase() = default;

    // The skinned window; the manager sets it before attaching.
    HWND Handle = nullptr;

    virtual TSkinData* SkinData() const = 0;
    virtual TFormSkinnerState State() const = 0;
    // Takes over a framework form's window, or a raw window (Handle).
    virtual void AttachForm(TCustomForm* form, TSkinData* data) = 0;
    virtual void AttachWindow(TSkinData* data) = 0;
    // Gives the window its native frame and controls back.
    virtual void Restore() = 0;
    // Drops the caption-button objects; the next frame computation rebuilds them.
    virtual void DropCaptionButtons() = 0;
    // Runs the contents pass at once on a window not shown yet (wrappers,
    // then the skinned frame, size and region), so that the window is first
    // shown, laid out and painted with them; false: the pass is left to the
    // posted SM_SKINCONTENTS.
    virtual bool SkinContentsNow() { return false; }
    // Recomputes the frame geometry from the skin.
    virtual void RecomputeFrame() = 0;
    // Applies the (changed) skin to the window's controls again.
    virtual void ReskinControls() = 0;
    virtual void Repaint() = 0;
    // Gives a raw child window (a size grip) its wrapper.
    virtual void SkinChildWindow(HWND child) = 0;
    // Gives back the wrappers of a child window and of the windows inside it.
    virtual void ReleaseChildWindow(HWND) {}
    // MDI children follow the frame's maximised state.
    virtual bool IsMDIChild() const = 0;
    virtual void MDIMaximizedChanged(bool maximized) = 0;
};

class TPopupSkinnerBase {
public:
    virtual ~TPopupSkinnerBase() = default;

    virtual HWND Handle() const = 0;
    // The native menu the window shows, once known.
    virtual HMENU OwnerMenu() const = 0;
    virtual void Attach(HWND wnd, TSkinData* data, HMENU ownerMenu) = 0;
    virtual void Detach() = 0;
    // The background image last built for the menu, or null.
    virtual const TBitmap* Image() const = 0;
};

// Makes a form skinner owned by form (null for a raw window); the owner frees
// it, or the manager does when there is none.
using TFormSkinnerFactory = TFormSkinnerBase* (*)(TCustomForm* form);
using TPopupSkinnerFactory = TPopupSkinnerBase* (*)();
