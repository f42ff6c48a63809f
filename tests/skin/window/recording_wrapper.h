// A recording control wrapper for the mapping tests: registered under every
// wrapper family's class name (but the up-down's, left out on purpose), it
// remembers its family and the attach operation it was given, and counts the
// recorders alive and freed.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/core/object.h"
#include "skin/controls/skin_control.h"

namespace mapping_test {

inline int gLiveRecorders = 0;
inline int gLastSerial = 0;
inline std::vector<int> gFreedSerials;

// A wrapper that remembers its family and the attach it was given.
class TRecorder : public TSkinControl {
public:
    TRecorder(TComponent* owner, std::string family)
        : TSkinControl(owner), Family(std::move(family)), Serial(++gLastSerial) {
        ++gLiveRecorders;
    }
    ~TRecorder() override {
        --gLiveRecorders;
        gFreedSerials.push_back(Serial);
    }

    void AttachControl(TWrapperHost* host, TSkinData* data, bool recolour,
                       TCanvas* canvas) override {
        How = "Control";
        TSkinControl::AttachControl(host, data, recolour, canvas);
    }
    void AttachWindow(HWND wnd, TSkinData* data, TWrapperHost* host, TCanvas* canvas) override {
        How = "Window";
        TSkinControl::AttachWindow(wnd, data, host, canvas);
    }
    void AttachScrollBars(TWinControl* c, TSkinData* data, TWrapperHost* host,
                          TCanvas* canvas) override {
        How = "ScrollBars";
        TSkinControl::AttachScrollBars(c, data, host, canvas);
    }
    void AttachScrollControl(TWinControl* c, TSkinData* data, TWrapperHost* host,
                             TCanvas* canvas) override {
        How = "ScrollControl";
        TSkinControl::AttachScrollControl(c, data, host, canvas);
    }
    bool AttachGraphic(TWrapperHost* host, TSkinData* data, TCanvas* canvas) override {
        How = "Graphic";
        return TSkinControl::AttachGraphic(host, data, canvas);
    }
    void SetGlyphMode(bool on) override { Glyph = on; }

    std::string Family;
    std::string How;
    bool Glyph = false;
    const int Serial;
};

constexpr std::array<const char*, 20> kFamilies = {
    "TSkinButton",   "TSkinBitButton", "TSkinSpeedButton", "TSkinCheckBox",  "TSkinRadioButton",
    "TSkinGroupBox", "TSkinBox",       "TSkinBoxH",        "TSkinStatusBar", "TSkinProgress",
    "TSkinTrackBar", "TSkinScControl", "TSkinScrollbar",   "TSkinListView",  "TSkinTab",
    "TSkinTab31",    "TSkinComBox",    "TSkinEdit",        "TSkinSizer",     "TSkinObjImage"};

template <size_t I> inline TObject* MakeFamily(TObject* owner) {
    return new TRecorder(dynamic_cast<TComponent*>(owner), kFamilies[I]);
}

// Registers the recorder under every family name (the class information is
// made once; registering it again changes nothing).
template <size_t... I> void RegisterFamilies(std::index_sequence<I...>) {
    static const std::array<std::unique_ptr<TClassInfo>, sizeof...(I)> infos{
        std::make_unique<TClassInfo>(kFamilies[I], &TSkinControl::StaticClass(), &MakeFamily<I>,
                                     std::vector<TPropInfo>{})...};
    for (const auto& info : infos)
        RegisterClass(*info);
}

// Registers the recorder under every family name of kFamilies.
inline void RegisterRecordingFamilies() {
    RegisterFamilies(std::make_index_sequence<kFamilies.size()>());
}

} // namespace mapping_test
