// TPersistent: an object that can be assigned from another and that may
// store extra (defined) properties in a form definition.
#pragma once

#include "framework/core/object.h"

class TFiler;

class TPersistent : public TObject {
    LT_CLASS(TPersistent, TObject)
public:
    TPersistent() = default;
    TPersistent(const TPersistent&) = default;
    TPersistent& operator=(const TPersistent&) = default;

    // Copies the content of src; raises EConvertError when src's class is
    // not understood (the default, unless src->AssignTo handles it).
    virtual void Assign(const TPersistent& src);
    // Declares properties stored besides the published ones (binary data,
    // old names) through filer.DefineProperty / DefineBinaryProperty.
    virtual void DefineProperties(TFiler& filer);
    // The object that owns this one (for collections and sub-objects), or null.
    virtual TPersistent* GetOwner() const { return nullptr; }

protected:
    // Called by Assign(src) on src when the destination does not know src.
    virtual void AssignTo(TPersistent& dest) const;
};
