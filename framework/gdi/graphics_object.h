// Base of the drawing-tool objects (font, pen, brush): a lazily created GDI
// handle that is dropped whenever a property changes, and an OnChange event
// so that owners (controls, canvases) can react.
#pragma once

#include "framework/core/enum_info.h"
#include "framework/core/persistent.h"

#include <functional>

class TCanvas;

// Identifier maps of colours (clBlack ... clBtnFace ...) and font character
// sets (DEFAULT_CHARSET, GB2312_CHARSET ...) for published properties.
const TIdentMap& GraphicsColorIdents();
const TIdentMap& FontCharsetIdents();

class TGraphicsObject : public TPersistent {
    LT_CLASS(TGraphicsObject, TPersistent)
public:
    TGraphicsObject() = default;
    TGraphicsObject(const TGraphicsObject&) = delete;
    TGraphicsObject& operator=(const TGraphicsObject&) = delete;
    virtual ~TGraphicsObject() = default;

    // Called after every property change (the old handle is already gone).
    std::function<void(TGraphicsObject&)> OnChange;

protected:
    // Releases the handle (if any) and fires the change notifications.
    void Changed();
    // Frees the cached handle; the next Handle() call creates a new one.
    virtual void FreeHandle() = 0;

private:
    friend class TCanvas;
    // Set by a canvas that has the handle selected: puts the DC's previous
    // object back so the handle is not freed while selected.
    std::function<void()> beforeRelease_;
};
