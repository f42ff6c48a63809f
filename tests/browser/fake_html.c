/* A scripted document and window: only the calls the browser host makes are
   filled in (QueryInterface, AddRef, Release, parentWindow, event). */
#define COBJMACROS
#include "fake_html.h"

#include <mshtml.h>
#include <stdlib.h>

static int live_objects;

typedef struct {
    IHTMLWindow2 iface;
    LONG refs;
    IDispatch* event;
} FakeWindow;

typedef struct {
    IHTMLDocument2 iface;
    LONG refs;
    IDispatch* event;
} FakeDocument;

static HRESULT STDMETHODCALLTYPE WindowQueryInterface(IHTMLWindow2* self, REFIID iid, void** out) {
    if (IsEqualIID(iid, &IID_IUnknown) || IsEqualIID(iid, &IID_IDispatch) ||
        IsEqualIID(iid, &IID_IHTMLWindow2)) {
        *out = self;
        IHTMLWindow2_AddRef(self);
        return S_OK;
    }
    *out = NULL;
    return E_NOINTERFACE;
}

static ULONG STDMETHODCALLTYPE WindowAddRef(IHTMLWindow2* self) {
    return (ULONG)InterlockedIncrement(&((FakeWindow*)self)->refs);
}

static ULONG STDMETHODCALLTYPE WindowRelease(IHTMLWindow2* self) {
    FakeWindow* w = (FakeWindow*)self;
    LONG n = InterlockedDecrement(&w->refs);
    if (n == 0) {
        if (w->event)
            IDispatch_Release(w->event);
        free(w);
        --live_objects;
    }
    return (ULONG)n;
}

static HRESULT STDMETHODCALLTYPE WindowGetEvent(IHTMLWindow2* self, IHTMLEventObj** out) {
    FakeWindow* w = (FakeWindow*)self;
    /* The event object only needs its IDispatch part: the host reads it by name. */
    *out = (IHTMLEventObj*)w->event;
    if (w->event)
        IDispatch_AddRef(w->event);
    return S_OK;
}

static IHTMLWindow2Vtbl window_vtbl = {
    .QueryInterface = WindowQueryInterface,
    .AddRef = WindowAddRef,
    .Release = WindowRelease,
    .get_event = WindowGetEvent,
};

static HRESULT STDMETHODCALLTYPE DocQueryInterface(IHTMLDocument2* self, REFIID iid, void** out) {
    if (IsEqualIID(iid, &IID_IUnknown) || IsEqualIID(iid, &IID_IDispatch) ||
        IsEqualIID(iid, &IID_IHTMLDocument2)) {
        *out = self;
        IHTMLDocument2_AddRef(self);
        return S_OK;
    }
    *out = NULL;
    return E_NOINTERFACE;
}

static ULONG STDMETHODCALLTYPE DocAddRef(IHTMLDocument2* self) {
    return (ULONG)InterlockedIncrement(&((FakeDocument*)self)->refs);
}

static ULONG STDMETHODCALLTYPE DocRelease(IHTMLDocument2* self) {
    FakeDocument* d = (FakeDocument*)self;
    LONG n = InterlockedDecrement(&d->refs);
    if (n == 0) {
        if (d->event)
            IDispatch_Release(d->event);
        free(d);
        --live_objects;
    }
    return (ULONG)n;
}

static HRESULT STDMETHODCALLTYPE DocGetParentWindow(IHTMLDocument2* self, IHTMLWindow2** out) {
    FakeDocument* d = (FakeDocument*)self;
    FakeWindow* w = (FakeWindow*)calloc(1, sizeof(FakeWindow));
    if (!w)
        return E_OUTOFMEMORY;
    ++live_objects;
    w->iface.lpVtbl = &window_vtbl;
    w->refs = 1;
    w->event = d->event;
    if (w->event)
        IDispatch_AddRef(w->event);
    *out = &w->iface;
    return S_OK;
}

static IHTMLDocument2Vtbl document_vtbl = {
    .QueryInterface = DocQueryInterface,
    .AddRef = DocAddRef,
    .Release = DocRelease,
    .get_parentWindow = DocGetParentWindow,
};

IDispatch* FakeHtmlDocumentCreate(IDispatch* event) {
    FakeDocument* d = (FakeDocument*)calloc(1, sizeof(FakeDocument));
    if (!d)
        return NULL;
    ++live_objects;
    d->iface.lpVtbl = &document_vtbl;
    d->refs = 1;
    d->event = event;
    if (event)
        IDispatch_AddRef(event);
    return (IDispatch*)&d->iface;
}

int FakeHtmlLiveObjects(void) {
    return live_objects;
}
