// A scripted stand-in for the browser's document: property 203 of a test
// browser gives this document, whose parent window hands out `event` (which
// may be null) as its current event object.
#pragma once

#include <windows.h>
#include <oaidl.h>

#ifdef __cplusplus
extern "C" {
#endif

// A new document holding one reference; it keeps its own reference to event.
IDispatch* FakeHtmlDocumentCreate(IDispatch* event);
// Documents and windows of the fake still alive (leak checks).
int FakeHtmlLiveObjects(void);

#ifdef __cplusplus
}
#endif
