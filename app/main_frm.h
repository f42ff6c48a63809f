// The main window: a maximised MDI frame with the status bar (vendor texts
// and a live clock) whose every close request is confirmed.
#pragma once

#include "framework/ui/form.h"
#include "framework/ui/statusbar.h"
#include "framework/ui/timer.h"

class TEmbeddedWB;

#include <string>

class TForm_Main : public TForm {
    LT_CLASS(TForm_Main, TForm)
public:
    // Builds the window from its definition (components in order, their
    // after-load steps, then FormCreate).
    explicit TForm_Main(TComponent* owner);
    // The same from another definition text (the start-up benchmark builds
    // the window with parts left out).
    TForm_Main(TComponent* owner, const std::string& definition);

    TStatusBar* StatusBar_Main = nullptr;
    TEmbeddedWB* WebBrowser = nullptr;
    TTimer* Timer_Main = nullptr;

    void FormCreate(TObject* sender);
    void FormCloseQuery(TObject* sender, bool& canClose);
    void Timer_MainTimer(TObject* sender);

    // The start address of the hosted web application.
    static std::wstring StartUrl();
};
