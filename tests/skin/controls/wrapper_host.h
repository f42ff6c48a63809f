// A form skinner's side of the wrapper tests: the wrapper list and the hot
// button slot.
#pragma once

#include <algorithm>
#include <vector>

#include "skin/controls/skin_control.h"

class TListHost : public TWrapperHost {
public:
    // A host that ends before its wrappers (a test's local declared after its
    // form) lets them go, as a form skinner does, so that they do not call
    // back into it when the form frees them.
    ~TListHost() override {
        for (TSkinControl* w : list)
            w->FormSkinner = nullptr;
    }
    bool RegisterWrapper(TSkinControl* w) override {
        if (std::find(list.begin(), list.end(), w) != list.end())
            return true;
        list.push_back(w);
        return false;
    }
    void UnregisterWrapper(TSkinControl* w) override { std::erase(list, w); }
    TSkinControl*& HotButton() override { return hot; }
    TCanvas* Canvas() override { return nullptr; }
    std::vector<TSkinControl*> list;
    TSkinControl* hot = nullptr;
};
