// TPersistent defaults.
#include "framework/core/persistent.h"

#include "framework/core/class_builder.h"
#include "framework/core/exception.h"
#include "framework/core/utf8.h"

LT_CLASS_TABLE(TPersistent) {}

void TPersistent::Assign(const TPersistent& src) {
    src.AssignTo(*this);
}

void TPersistent::AssignTo(TPersistent& dest) const {
    throw EConvertError(Utf8ToWide("Cannot assign a " + ClassName() + " to a " + dest.ClassName()));
}

void TPersistent::DefineProperties(TFiler&) {}
